#include "core/MarkDrawing.h"

#include <algorithm>
#include <cmath>

#include "core/MarkRaster.h"

namespace core {
namespace {

using raster::Spot;

constexpr std::uint32_t kWhite = 0xFFFFFF;

std::int32_t Floor(double v) { return static_cast<std::int32_t>(std::floor(v)); }
std::int32_t Ceil(double v) { return static_cast<std::int32_t>(std::ceil(v)); }
std::int32_t Round(double v) { return static_cast<std::int32_t>(std::lround(v)); }

Spot ToTarget(const ViewTransform& view, double x, double y)
{
    return {x * view.scale + view.offset.x, y * view.scale + view.offset.y};
}

// Picture pixels are squares; a mark's points are their centres.
Spot CentreOf(const ViewTransform& view, Point p) { return ToTarget(view, p.x + 0.5, p.y + 0.5); }

Rect Translated(Rect r, std::int32_t dx, std::int32_t dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
Rect Grown(Rect r, std::int32_t by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

// The white edge around a text is a picture pixel wide, and never less than a target pixel.
std::int32_t TextEdge(const ViewTransform& view) { return std::max(1, Round(kTextEdge * view.scale)); }

std::u16string Digits(std::int32_t value)
{
    const std::string ascii = std::to_string(value);
    return {ascii.begin(), ascii.end()};
}

// The digits fill most of the circle's height, smaller as there are more of them.
std::int32_t DigitHeight(const Mark& number, std::size_t digits, double scale)
{
    const double share = digits <= 2 ? 0.6 : 1.3 / static_cast<double>(digits);
    return std::max(1, Round(NumberDiameter(number.style.width) * share * scale));
}

void DrawArrow(const PixelView& target, const ViewTransform& view, Rect clip, const Mark& mark)
{
    const Spot tail = CentreOf(view, mark.a), head = CentreOf(view, mark.b);
    const double length = std::hypot(head.x - tail.x, head.y - tail.y);
    if (!(length > 0)) return;
    const double ux = (head.x - tail.x) / length, uy = (head.y - tail.y) / length, nx = -uy, ny = ux;
    // An arrow shorter than its head gets a smaller head of the same shape.
    double headLength = ArrowHeadLength(mark.style.width) * view.scale;
    double headHalf = ArrowHeadHalfWidth(mark.style.width) * view.scale;
    if (headLength > length) {
        headHalf *= length / headLength;
        headLength = length;
    }
    const Spot base{head.x - ux * headLength, head.y - uy * headLength};
    // The shaft runs half way into the head, so that no seam shows where they meet.
    const Spot shaftEnd{head.x - ux * headLength / 2, head.y - uy * headLength / 2};
    const double half = mark.style.width * view.scale / 2;
    raster::Convex shapes[2] = {
        {{{head.x, head.y}, {base.x + nx * headHalf, base.y + ny * headHalf}, {base.x - nx * headHalf, base.y - ny * headHalf}, {}},
         3},
        {{{tail.x + nx * half, tail.y + ny * half},
          {shaftEnd.x + nx * half, shaftEnd.y + ny * half},
          {shaftEnd.x - nx * half, shaftEnd.y - ny * half},
          {tail.x - nx * half, tail.y - ny * half}},
         4},
    };
    raster::FillConvex(target, clip, shapes, 2, {mark.style.colour});
}

raster::Box TargetBox(const ViewTransform& view, Rect r)
{
    const Spot from = ToTarget(view, r.left, r.top), to = ToTarget(view, r.right, r.bottom);
    return {from.x, from.y, to.x, to.y};
}

void DrawBox(const PixelView& target, const ViewTransform& view, Rect clip, const Mark& mark)
{
    const Rect r = NormalisedRect(mark.a, mark.b);
    const raster::Box outer = TargetBox(view, r);
    const double w = mark.style.width * view.scale;
    raster::Box inner{outer.left + w, outer.top + w, outer.right - w, outer.bottom - w};
    if (inner.right <= inner.left || inner.bottom <= inner.top) inner = {0, 0, 0, 0};
    raster::FillRing(target, clip, outer, inner, {mark.style.colour});
}

void DrawHighlighter(const PixelView& target, const ViewTransform& view, Rect clip, const Mark& mark)
{
    raster::FillRing(target, clip, TargetBox(view, NormalisedRect(mark.a, mark.b)), {0, 0, 0, 0},
                     {mark.style.colour, true});
}

void DrawNumber(const PixelView& target, const ViewTransform& view, Rect clip, const Mark& mark,
                const MarkGlyphs& glyphs)
{
    raster::FillDisc(target, clip, CentreOf(view, mark.a), NumberDiameter(mark.style.width) * view.scale / 2,
                     {mark.style.colour});
    CompositeCoverage(target, clip, glyphs.coverage, {}, glyphs.at, kWhite);
}

}  // namespace

Rect ViewTransform::TargetRect(Rect picture) const
{
    const Spot from = ToTarget(*this, picture.left, picture.top), to = ToTarget(*this, picture.right, picture.bottom);
    return {Floor(from.x), Floor(from.y), Ceil(to.x), Ceil(to.y)};
}

void FitText(Mark& text, const GlyphSource& glyphs)
{
    const Point extent = glyphs.Extent(text.text, TextPixelHeight(text.style.width));
    text.b = {text.a.x + extent.x, text.a.y + extent.y};
}

Rect MarkTargetBounds(const Mark& mark, const ViewTransform& view)
{
    // A text's edge and the glyphs' own hinting may reach a little past the scaled bounds.
    const std::int32_t margin = mark.kind == MarkKind::Text ? TextEdge(view) + 2 : 1;
    return Grown(view.TargetRect(MarkBounds(mark)), margin);
}

MarkGlyphs GlyphsFor(const Mark& mark, const ViewTransform& view, Rect clip, const GlyphSource& glyphs)
{
    MarkGlyphs shown;
    const Rect visible = Intersect(Intersect(clip, view.PictureRect()), MarkTargetBounds(mark, view));
    if (visible.Empty()) return shown;
    if (mark.kind == MarkKind::Text) {
        const Spot topLeft = ToTarget(view, mark.a.x, mark.a.y);
        shown.at = {Round(topLeft.x), Round(topLeft.y)};
        const std::int32_t height = std::max(1, Round(TextPixelHeight(mark.style.width) * view.scale));
        const Rect wanted = Grown(Translated(visible, -shown.at.x, -shown.at.y), TextEdge(view));
        shown.coverage = glyphs.Glyphs(mark.text, height, wanted);
        shown.edge = GrownCoverage(shown.coverage, TextEdge(view));
    } else if (mark.kind == MarkKind::Number) {
        const std::u16string digits = Digits(mark.value);
        const std::int32_t height = DigitHeight(mark, digits.size(), view.scale);
        const Point extent = glyphs.Extent(digits, height);
        const Spot centre = CentreOf(view, mark.a);
        shown.at = {Round(centre.x - extent.x / 2.0), Round(centre.y - extent.y / 2.0)};
        shown.coverage = glyphs.Glyphs(digits, height, Translated(visible, -shown.at.x, -shown.at.y));
    }
    return shown;
}

void DrawMark(const PixelView& target, const ViewTransform& view, Rect clip, const Mark& mark,
              const MarkGlyphs& glyphs) noexcept
{
    const Rect area = Intersect(Intersect(clip, target.Bounds()), view.PictureRect());
    if (area.Empty()) return;
    switch (mark.kind) {
        case MarkKind::Arrow: DrawArrow(target, view, area, mark); return;
        case MarkKind::Box: DrawBox(target, view, area, mark); return;
        case MarkKind::Highlighter: DrawHighlighter(target, view, area, mark); return;
        case MarkKind::Number: DrawNumber(target, view, area, mark, glyphs); return;
        case MarkKind::Text: CompositeCoverage(target, area, glyphs.coverage, glyphs.edge, glyphs.at, mark.style.colour); return;
    }
}

void DrawMarks(const PixelView& target, const ViewTransform& view, Rect clip, const std::vector<Mark>& marks,
               const GlyphSource& glyphs, std::size_t skip)
{
    const Rect area = Intersect(Intersect(clip, target.Bounds()), view.PictureRect());
    if (area.Empty()) return;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const Mark& mark = marks[i];
        if (i == skip || Intersect(MarkTargetBounds(mark, view), area).Empty()) continue;
        DrawMark(target, view, area, mark, GlyphsFor(mark, view, area, glyphs));
    }
}

// The largest coverage within `edge` pixels each way, a row and then a column at a time.
Coverage GrownCoverage(const Coverage& glyphs, std::int32_t edge)
{
    const std::int32_t width = glyphs.area.Width(), height = glyphs.area.Height();
    if (width <= 0 || height <= 0 || glyphs.alpha.size() < static_cast<std::size_t>(width) * height) return {};
    Coverage grown{Grown(glyphs.area, edge), {}};
    const std::int32_t columns = width + 2 * edge, rows = height + 2 * edge;
    std::vector<std::uint8_t> across(static_cast<std::size_t>(columns) * height, 0);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t c = 0; c < columns; ++c) {
            std::uint8_t most = 0;
            for (std::int32_t x = std::max(0, c - 2 * edge); x <= std::min(width - 1, c); ++x)
                most = std::max(most, glyphs.alpha[static_cast<std::size_t>(y) * width + x]);
            across[static_cast<std::size_t>(y) * columns + c] = most;
        }
    grown.alpha.assign(static_cast<std::size_t>(columns) * rows, 0);
    for (std::int32_t r = 0; r < rows; ++r)
        for (std::int32_t c = 0; c < columns; ++c) {
            std::uint8_t most = 0;
            for (std::int32_t y = std::max(0, r - 2 * edge); y <= std::min(height - 1, r); ++y)
                most = std::max(most, across[static_cast<std::size_t>(y) * columns + c]);
            grown.alpha[static_cast<std::size_t>(r) * columns + c] = most;
        }
    return grown;
}

namespace {

void Lay(const PixelView& target, Rect clip, const Coverage& coverage, Point at, std::uint32_t colour) noexcept
{
    const Rect placed = Translated(coverage.area, at.x, at.y);
    const Rect area = Intersect(Intersect(clip, target.Bounds()), placed);
    const std::int32_t width = coverage.area.Width();
    if (area.Empty() || coverage.alpha.size() < static_cast<std::size_t>(width) * coverage.area.Height()) return;
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        std::uint32_t* row = target.Row(y);
        const std::uint8_t* alpha = coverage.alpha.data() + static_cast<std::size_t>(y - placed.top) * width;
        for (std::int32_t x = area.left; x < area.right; ++x)
            if (const std::uint8_t a = alpha[x - placed.left]) row[x] = raster::Painted(row[x], {colour}, a);
    }
}

}  // namespace

void CompositeCoverage(const PixelView& target, Rect clip, const Coverage& glyphs, const Coverage& edge, Point at,
                       std::uint32_t colour) noexcept
{
    Lay(target, clip, edge, at, kWhite);
    Lay(target, clip, glyphs, at, colour);
}

}  // namespace core
