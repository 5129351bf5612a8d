#include "core/Marks.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace core {
namespace {

struct Spot {
    double x, y;
};

Spot Centre(Point p) { return {p.x + 0.5, p.y + 0.5}; }

double DistanceToSegment(Spot p, Spot from, Spot to)
{
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - from.x) * dx + (p.y - from.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (from.x + t * dx), p.y - (from.y + t * dy));
}

bool Within(Spot p, double left, double top, double right, double bottom)
{
    return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
}

// The distance from a point to the rectangle's area; 0 inside.
double DistanceToArea(Spot p, Rect r)
{
    const double dx = std::max({r.left - p.x, 0.0, p.x - r.right}), dy = std::max({r.top - p.y, 0.0, p.y - r.bottom});
    return std::hypot(dx, dy);
}

bool SegmentCrosses(Spot a, Spot b, Rect r)
{
    // Cut the segment to the rectangle's columns, then see whether what is left meets its rows.
    double from = 0, to = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const auto cut = [&](double start, double delta, double low, double high) {
        if (delta == 0) return start >= low && start <= high;
        double t0 = (low - start) / delta, t1 = (high - start) / delta;
        if (t0 > t1) std::swap(t0, t1);
        from = std::max(from, t0);
        to = std::min(to, t1);
        return from <= to;
    };
    return cut(a.x, dx, r.left, r.right) && cut(a.y, dy, r.top, r.bottom);
}

double SegmentToArea(Spot a, Spot b, Rect r)
{
    if (SegmentCrosses(a, b, r)) return 0;
    double nearest = std::min(DistanceToArea(a, r), DistanceToArea(b, r));
    const Spot corners[] = {{1.0 * r.left, 1.0 * r.top}, {1.0 * r.right, 1.0 * r.top}, {1.0 * r.left, 1.0 * r.bottom},
                            {1.0 * r.right, 1.0 * r.bottom}};
    for (const Spot c : corners)
        nearest = std::min(nearest, DistanceToSegment(c, a, b));
    return nearest;
}

Rect Grown(Rect r, std::int32_t by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

}  // namespace

MarkStyle DefaultStyle(MarkKind kind)
{
    return {kind == MarkKind::Highlighter ? kHighlighterYellow : kMarkRed, kNormalWidth};
}

Mark ArrowMark(Point tail, Point head, MarkStyle style) { return {MarkKind::Arrow, tail, head, style, {}, 0}; }
Mark BoxMark(Point corner, Point opposite, MarkStyle style) { return {MarkKind::Box, corner, opposite, style, {}, 0}; }
Mark HighlighterMark(Point corner, Point opposite, MarkStyle style)
{
    return {MarkKind::Highlighter, corner, opposite, style, {}, 0};
}
Mark NumberMark(Point centre, std::int32_t value, MarkStyle style)
{
    return {MarkKind::Number, centre, centre, style, {}, value};
}
Mark TextMark(Point topLeft, std::u16string text, Point extent, MarkStyle style)
{
    return {MarkKind::Text, topLeft, {topLeft.x + extent.x, topLeft.y + extent.y}, style, std::move(text), 0};
}

bool Places(const Mark& mark)
{
    switch (mark.kind) {
        case MarkKind::Arrow: return mark.a != mark.b;
        case MarkKind::Box:
        case MarkKind::Highlighter: return !NormalisedRect(mark.a, mark.b).Empty();
        case MarkKind::Text: return !mark.text.empty();
        case MarkKind::Number: return true;
    }
    return false;
}

std::int32_t TextPixelHeight(std::int32_t width) { return 12 + 3 * width; }
std::int32_t NumberDiameter(std::int32_t width) { return 14 + 3 * width; }
double ArrowHeadLength(std::int32_t width) { return 4.0 * width + 6; }
double ArrowHeadHalfWidth(std::int32_t width) { return 1.5 * width + 4; }

Rect MarkBounds(const Mark& mark)
{
    switch (mark.kind) {
        case MarkKind::Arrow: {
            // Every pixel drawn lies within the head's half width (or the shaft's) of the line
            // from tail to head; two more pixels hold the smoothed edges and the head's tip.
            const double reach = std::max(mark.style.width / 2.0, ArrowHeadHalfWidth(mark.style.width)) + 2;
            const Spot t = Centre(mark.a), h = Centre(mark.b);
            return {static_cast<std::int32_t>(std::floor(std::min(t.x, h.x) - reach)),
                    static_cast<std::int32_t>(std::floor(std::min(t.y, h.y) - reach)),
                    static_cast<std::int32_t>(std::ceil(std::max(t.x, h.x) + reach)),
                    static_cast<std::int32_t>(std::ceil(std::max(t.y, h.y) + reach))};
        }
        case MarkKind::Box:
        case MarkKind::Highlighter: return NormalisedRect(mark.a, mark.b);
        case MarkKind::Text: return Grown(NormalisedRect(mark.a, mark.b), kTextEdge + 1);
        case MarkKind::Number: {
            const std::int32_t reach = NumberDiameter(mark.style.width) / 2 + 2;
            return {mark.a.x - reach, mark.a.y - reach, mark.a.x + reach + 1, mark.a.y + reach + 1};
        }
    }
    return {};
}

bool HitsMark(const Mark& mark, Point p, double tolerance)
{
    const Spot at = Centre(p);
    const double w = mark.style.width;
    switch (mark.kind) {
        case MarkKind::Arrow: {
            const Spot tail = Centre(mark.a), head = Centre(mark.b);
            const double distance = DistanceToSegment(at, tail, head);
            if (distance <= w / 2 + tolerance) return true;
            const bool nearHead = std::hypot(at.x - head.x, at.y - head.y) <= ArrowHeadLength(mark.style.width);
            return nearHead && distance <= ArrowHeadHalfWidth(mark.style.width) + tolerance;
        }
        case MarkKind::Box: {
            const Rect r = NormalisedRect(mark.a, mark.b);
            const double t = tolerance, inner = w + tolerance;
            return Within(at, r.left - t, r.top - t, r.right + t, r.bottom + t) &&
                   !(r.Width() > 2 * inner && r.Height() > 2 * inner &&
                     Within(at, r.left + inner, r.top + inner, r.right - inner, r.bottom - inner));
        }
        case MarkKind::Highlighter:
        case MarkKind::Text: {
            const Rect r = NormalisedRect(mark.a, mark.b);
            const double t = tolerance;
            return Within(at, r.left - t, r.top - t, r.right + t, r.bottom + t);
        }
        case MarkKind::Number: {
            const Spot c = Centre(mark.a);
            return std::hypot(at.x - c.x, at.y - c.y) <= NumberDiameter(mark.style.width) / 2.0 + tolerance;
        }
    }
    return false;
}

bool Touches(const Mark& mark, Rect area)
{
    if (area.Empty() || Intersect(MarkBounds(mark), area).Empty()) return false;
    switch (mark.kind) {
        case MarkKind::Arrow: {
            // The shaft is as wide as the line, the head (along its last part) wider; a pixel
            // more holds the smoothed edge.
            const Spot tail = Centre(mark.a), head = Centre(mark.b);
            const double length = std::hypot(head.x - tail.x, head.y - tail.y);
            const double part = length > 0 ? std::min(1.0, ArrowHeadLength(mark.style.width) / length) : 1;
            const Spot base{head.x - (head.x - tail.x) * part, head.y - (head.y - tail.y) * part};
            return SegmentToArea(tail, head, area) < mark.style.width / 2.0 + 1 ||
                   SegmentToArea(base, head, area) < ArrowHeadHalfWidth(mark.style.width) + 1;
        }
        case MarkKind::Box: {
            const Rect r = NormalisedRect(mark.a, mark.b);
            const std::int32_t w = mark.style.width;
            const Rect hollow{r.left + w, r.top + w, r.right - w, r.bottom - w};
            return hollow.Empty() || Intersect(area, hollow) != area;
        }
        case MarkKind::Number:
            return DistanceToArea(Centre(mark.a), area) < NumberDiameter(mark.style.width) / 2.0 + 1;
        case MarkKind::Highlighter:
        case MarkKind::Text: return true;
    }
    return false;
}

Mark Moved(const Mark& mark, std::int32_t dx, std::int32_t dy)
{
    Mark moved = mark;
    moved.a = {mark.a.x + dx, mark.a.y + dy};
    moved.b = {mark.b.x + dx, mark.b.y + dy};
    return moved;
}

std::optional<std::size_t> MarkList::At(Point p, double tolerance) const
{
    for (std::size_t i = marks_.size(); i-- > 0;)
        if (HitsMark(marks_[i], p, tolerance)) return i;
    return std::nullopt;
}

std::int32_t MarkList::NextNumber() const
{
    std::int32_t highest = 0;
    for (const Mark& mark : marks_)
        if (mark.kind == MarkKind::Number) highest = std::max(highest, mark.value);
    return highest + 1;
}

void MarkList::Insert(std::size_t at, Mark&& mark) noexcept
{
    marks_.insert(marks_.begin() + static_cast<std::ptrdiff_t>(at), std::move(mark));
}

void MarkList::Exchange(std::size_t at, Mark& mark) noexcept { std::swap(marks_[at], mark); }

void MarkList::Remove(std::size_t at, Mark& into) noexcept
{
    into = std::move(marks_[at]);
    marks_.erase(marks_.begin() + static_cast<std::ptrdiff_t>(at));
}

std::vector<Mark> MarksInCutOut(const MarkList& marks, Rect selection, std::int32_t width, std::int32_t height)
{
    const Rect area = Intersect(selection, {0, 0, width, height});
    std::vector<Mark> taken;
    if (area.Empty()) return taken;
    for (const Mark& mark : marks.All())
        if (Touches(mark, area)) taken.push_back(Moved(mark, -area.left, -area.top));
    return taken;
}

}  // namespace core
