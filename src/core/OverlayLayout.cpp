#include "core/OverlayLayout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace core {
namespace {

bool Contains(const Rect& r, Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

bool Inside(const Rect& inner, const Rect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Meets(const Rect& a, const Rect& b) { return !Intersect(a, b).Empty(); }

Rect At(std::int32_t x, std::int32_t y, Size s) { return Rect{x, y, x + s.width, y + s.height}; }

std::int64_t DistanceSquared(const Rect& r, Point p)
{
    const std::int64_t dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - r.right + 1 : 0);
    const std::int64_t dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - r.bottom + 1 : 0);
    return dx * dx + dy * dy;
}

// `r` moved (not resized) into `area` as far as it fits, its left and top edge winning.
Rect MovedInto(Rect r, Rect area)
{
    const std::int32_t w = r.Width(), h = r.Height();
    const std::int32_t x = std::max(area.left, std::min(r.left, area.right - w));
    const std::int32_t y = std::max(area.top, std::min(r.top, area.bottom - h));
    return Rect{x, y, x + w, y + h};
}

void AddIfAny(std::vector<Rect>& list, Rect r)
{
    if (!r.Empty()) list.push_back(r);
}

}  // namespace

std::vector<Rect> Subtract(Rect a, Rect b)
{
    std::vector<Rect> parts;
    if (a.Empty()) return parts;
    const Rect common = Intersect(a, b);
    if (common.Empty()) {
        parts.push_back(a);
        return parts;
    }
    AddIfAny(parts, {a.left, a.top, a.right, common.top});
    AddIfAny(parts, {a.left, common.bottom, a.right, a.bottom});
    AddIfAny(parts, {a.left, common.top, common.left, common.bottom});
    AddIfAny(parts, {common.right, common.top, a.right, common.bottom});
    return parts;
}

Rect MonitorAt(Point p, const std::vector<Rect>& monitors, Rect bounds)
{
    const Rect* nearest = nullptr;
    std::int64_t best = 0;
    for (const Rect& m : monitors) {
        if (Contains(m, p)) return m;
        const std::int64_t d = DistanceSquared(m, p);
        if (!nearest || d < best) nearest = &m, best = d;
    }
    return nearest ? *nearest : bounds;
}

Rect MagnifierPlace(Point pointer, Size size, Rect band, Rect monitor)
{
    const std::int32_t g = kMagnifierGap;
    const std::int32_t xs[] = {pointer.x + g, pointer.x - g - size.width, band.right + g, band.left - g - size.width};
    const std::int32_t ys[] = {pointer.y + g, pointer.y - g - size.height, band.bottom + g,
                               band.top - g - size.height};
    const Rect pointerZone{pointer.x - g + 1, pointer.y - g + 1, pointer.x + g, pointer.y + g};
    // Beside the pointer first (right before left, below before above), then beside the band.
    std::vector<Rect> candidates;
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column)
            candidates.push_back(At(xs[column], ys[row], size));
    if (!band.Empty())
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                if (row >= 2 || column >= 2) candidates.push_back(At(xs[column], ys[row], size));
    for (const Rect& c : candidates)
        if (Inside(c, monitor) && !Meets(c, pointerZone) && !Meets(c, band)) return c;
    for (const Rect& c : candidates) {
        const Rect moved = MovedInto(c, monitor);
        if (!Meets(moved, pointerZone)) return moved;
    }
    // The monitor's corner farthest from the pointer.
    const bool right = pointer.x - monitor.left < monitor.right - pointer.x;
    const bool below = pointer.y - monitor.top < monitor.bottom - pointer.y;
    return MovedInto(At(right ? monitor.right - size.width : monitor.left,
                        below ? monitor.bottom - size.height : monitor.top, size),
                     monitor);
}

MagnifiedPart MagnifiedSource(Point pointer, Rect bounds)
{
    const std::int32_t half = kMagnified / 2;
    const Rect wanted{pointer.x - half, pointer.y - half, pointer.x + half + 1, pointer.y + half + 1};
    const Rect source = Intersect(wanted, bounds);
    if (source.Empty()) return {source, {0, 0}};
    return {source, {source.left - wanted.left, source.top - wanted.top}};
}

Rect LabelPlace(Rect chosen, Size size, Rect area)
{
    const Rect candidates[] = {
        At(chosen.left, chosen.bottom + kLabelGap, size),
        At(chosen.left, chosen.top - kLabelGap - size.height, size),
        At(chosen.left + kLabelGap, chosen.top + kLabelGap, size),
    };
    for (const Rect& c : candidates)
        if (c.top >= area.top && c.bottom <= area.bottom) return MovedInto(c, area);
    return MovedInto(candidates[2], area);
}

std::vector<Rect> ChosenFrame(Rect chosen)
{
    if (chosen.Empty()) return {};
    return Subtract({chosen.left - 1, chosen.top - 1, chosen.right + 1, chosen.bottom + 1}, chosen);
}

std::vector<Rect> Crosshair(Point pointer, Rect bounds)
{
    std::vector<Rect> lines;
    const std::int32_t arm = kCrosshairArm;
    AddIfAny(lines, Intersect({pointer.x - arm, pointer.y, pointer.x + arm + 1, pointer.y + 1}, bounds));
    AddIfAny(lines, Intersect({pointer.x, pointer.y - arm, pointer.x + 1, pointer.y + arm + 1}, bounds));
    return lines;
}

std::vector<Rect> ChangedAreas(const OverlayView& before, const OverlayView& after, Rect bounds)
{
    std::vector<Rect> areas;
    const auto add = [&](Rect r) { AddIfAny(areas, Intersect(r, bounds)); };
    if (before.pointer != after.pointer) {
        for (const Rect& r : Crosshair(before.pointer, bounds))
            add(r);
        for (const Rect& r : Crosshair(after.pointer, bounds))
            add(r);
    }
    if (before.magnifier != after.magnifier || before.pointer != after.pointer) {
        add(before.magnifier);
        add(after.magnifier);
    }
    if (before.label != after.label || before.chosen != after.chosen) {
        add(before.label);
        add(after.label);
    }
    if (before.chosen != after.chosen) {
        for (const Rect& r : ChosenFrame(before.chosen))
            add(r);
        for (const Rect& r : ChosenFrame(after.chosen))
            add(r);
        // The dimming changed where one rectangle holds a pixel and the other does not.
        for (const Rect& r : Subtract(before.chosen, after.chosen))
            add(r);
        for (const Rect& r : Subtract(after.chosen, before.chosen))
            add(r);
    }
    return areas;
}

std::string SizeText(Size size) { return std::to_string(size.width) + " × " + std::to_string(size.height); }

std::string PointText(Point p) { return std::to_string(p.x) + ", " + std::to_string(p.y); }

std::string ColourText(std::uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof(text), "#%06X", static_cast<unsigned>(rgb & 0xFFFFFFu));
    return text;
}

}  // namespace core
