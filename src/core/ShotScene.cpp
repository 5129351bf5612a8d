#include "core/ShotScene.h"

#include <algorithm>
#include <vector>

#include "core/Edits.h"
#include "core/MarkTool.h"
#include "core/Zoom.h"

namespace core {
namespace {

constexpr std::uint32_t kHandleEdge = 0x000000, kHandleInside = 0xFFFFFF;

// The picture pixels [from, to) a zoomed pixel covers at less than 100 %.
struct Span {
    std::int32_t from, to;
};

Span Covered(std::int32_t zoomed, std::int32_t percent, std::int32_t length)
{
    const auto start = static_cast<std::int64_t>(zoomed) * 100 / percent;
    const auto end = std::max(start + 1, (static_cast<std::int64_t>(zoomed) + 1) * 100 / percent);
    return {static_cast<std::int32_t>(std::clamp<std::int64_t>(start, 0, length)),
            static_cast<std::int32_t>(std::clamp<std::int64_t>(end, 0, length))};
}

void Invert(const PixelView& target, Rect r)
{
    const Rect inside = Intersect(r, target.Bounds());
    for (std::int32_t y = inside.top; y < inside.bottom; ++y) {
        std::uint32_t* row = target.Row(y);
        for (std::int32_t x = inside.left; x < inside.right; ++x)
            row[x] ^= 0xFFFFFF;
    }
}

// Zoomed in, each strip of the ring covers target pixels of its own; zoomed out, strips next to
// each other may share target pixels, so the ring is that of the zoomed rectangle instead, a
// target pixel wide, so that no pixel is inverted twice.
void DrawFrame(const PixelView& target, const ViewTransform& view, const Scene& scene)
{
    const Rect picture{0, 0, scene.picture.width, scene.picture.height};
    FrameStrips ring = FrameRing(scene.frameStart, scene.frameEnd);
    if (view.scale < 1) {
        const Rect r = view.TargetRect(Intersect(NormalisedRect(scene.frameStart, scene.frameEnd), picture));
        ring = FrameRing({r.left, r.top}, {r.right, r.bottom});
    } else {
        for (int i = 0; i < ring.count; ++i) {
            Rect& strip = ring.strips[static_cast<std::size_t>(i)];
            strip = view.TargetRect(Intersect(strip, picture));
        }
    }
    for (int i = 0; i < ring.count; ++i)
        Invert(target, ring.strips[static_cast<std::size_t>(i)]);
}

void DrawHandles(const PixelView& target, const ViewTransform& view, const Mark& mark)
{
    for (const Point p : HandlePoints(mark)) {
        // Arrow ends are pixel centres; corners are pixel edges.
        const double at = mark.kind == MarkKind::Arrow ? 0.5 : 0;
        const std::int32_t x = static_cast<std::int32_t>((p.x + at) * view.scale) + view.offset.x - kHandleSide / 2;
        const std::int32_t y = static_cast<std::int32_t>((p.y + at) * view.scale) + view.offset.y - kHandleSide / 2;
        FillRect(target, {x, y, x + kHandleSide, y + kHandleSide}, kHandleEdge);
        FillRect(target, {x + 1, y + 1, x + kHandleSide - 1, y + kHandleSide - 1}, kHandleInside);
    }
}

}  // namespace

ViewTransform SceneView(const Scene& scene, Point origin)
{
    return {scene.percent / 100.0, {-origin.x, -origin.y}, scene.picture.width, scene.picture.height};
}

void DrawZoomed(const PixelView& picture, const PixelView& target, Point origin, std::int32_t percent)
{
    const std::int32_t shownWidth = ZoomedLength(picture.width, percent);
    const std::int32_t shownHeight = ZoomedLength(picture.height, percent);
    const Rect area = Intersect(target.Bounds(), {-origin.x, -origin.y, shownWidth - origin.x, shownHeight - origin.y});
    if (area.Empty()) return;
    if (percent >= 100) {
        std::vector<std::int32_t> column(static_cast<std::size_t>(area.Width()));
        for (std::int32_t x = area.left; x < area.right; ++x)
            column[static_cast<std::size_t>(x - area.left)] =
                std::min(picture.width - 1, static_cast<std::int32_t>(static_cast<std::int64_t>(x + origin.x) * 100 / percent));
        for (std::int32_t y = area.top; y < area.bottom; ++y) {
            const std::int32_t py = std::min(picture.height - 1, static_cast<std::int32_t>(static_cast<std::int64_t>(y + origin.y) * 100 / percent));
            const std::uint32_t* from = picture.Row(py);
            std::uint32_t* to = target.Row(y);
            for (std::int32_t x = area.left; x < area.right; ++x)
                to[x] = from[column[static_cast<std::size_t>(x - area.left)]];
        }
        return;
    }
    std::vector<Span> columns(static_cast<std::size_t>(area.Width()));
    for (std::int32_t x = area.left; x < area.right; ++x)
        columns[static_cast<std::size_t>(x - area.left)] = Covered(x + origin.x, percent, picture.width);
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(area.Width()) * 3);
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        const Span rows = Covered(y + origin.y, percent, picture.height);
        std::fill(sums.begin(), sums.end(), 0u);
        for (std::int32_t py = rows.from; py < rows.to; ++py) {
            const std::uint32_t* from = picture.Row(py);
            for (std::size_t c = 0; c < columns.size(); ++c)
                for (std::int32_t px = columns[c].from; px < columns[c].to; ++px) {
                    const std::uint32_t p = from[px];
                    sums[c * 3] += p & 0xFF;
                    sums[c * 3 + 1] += (p >> 8) & 0xFF;
                    sums[c * 3 + 2] += (p >> 16) & 0xFF;
                }
        }
        std::uint32_t* to = target.Row(y);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::uint32_t count =
                static_cast<std::uint32_t>((columns[c].to - columns[c].from) * (rows.to - rows.from));
            if (count == 0) continue;
            const auto mean = [&](std::size_t k) { return (sums[c * 3 + k] + count / 2) / count; };
            to[area.left + static_cast<std::int32_t>(c)] = mean(0) | (mean(1) << 8) | (mean(2) << 16);
        }
    }
}

void PaintScene(const PixelView& target, Point origin, const Scene& scene, const GlyphSource& glyphs)
{
    FillRect(target, target.Bounds(), scene.face);
    DrawZoomed(scene.picture, target, origin, scene.percent);
    const ViewTransform view = SceneView(scene, origin);
    if (scene.marks) DrawMarks(target, view, target.Bounds(), *scene.marks, glyphs, scene.moving);
    if (scene.drawn && Places(*scene.drawn))
        DrawMark(target, view, target.Bounds(), *scene.drawn, GlyphsFor(*scene.drawn, view, target.Bounds(), glyphs));
    if (scene.frame) DrawFrame(target, view, scene);
    if (scene.selected) DrawHandles(target, view, *scene.selected);
}

}  // namespace core
