#include "core/RegionChoice.h"

#include <algorithm>

namespace core {
namespace {

bool Contains(const Rect& r, Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

std::vector<PickArea> WholeWindows(const std::vector<Rect>& windows)
{
    std::vector<PickArea> areas;
    areas.reserve(windows.size());
    for (const Rect& w : windows)
        areas.push_back({w, w});
    return areas;
}

Rect PickAt(Point p, const std::vector<PickArea>& areas, const std::vector<Rect>& monitors, Rect bounds)
{
    for (const PickArea& a : areas)
        if (Contains(a.area, p)) {
            // What is taken may lie off the screen while the pointer is on the window.
            const Rect taken = Intersect(a.taken, bounds);
            return taken.Empty() ? Intersect(a.area, bounds) : taken;
        }
    for (const Rect& m : monitors)
        if (Contains(m, p)) return Intersect(m, bounds);
    return bounds;
}

Rect DraggedRect(Point a, Point b, Rect bounds)
{
    const Rect r = NormalisedRect(a, b);
    const auto x = [&](std::int32_t v) { return std::clamp(v, bounds.left, std::max(bounds.left, bounds.right)); };
    const auto y = [&](std::int32_t v) { return std::clamp(v, bounds.top, std::max(bounds.top, bounds.bottom)); };
    return Rect{x(r.left), y(r.top), x(r.right), y(r.bottom)};
}

RegionChoice::RegionChoice(Rect bounds, std::vector<PickArea> areas, std::vector<Rect> monitors, Point pointer)
    : bounds_(bounds), areas_(std::move(areas)), monitors_(std::move(monitors)), pointer_{0, 0}
{
    pointer_ = Clamped(pointer);
    Update();
}

// The pointer can stand on the last column and row of the screen, not beyond.
Point RegionChoice::Clamped(Point p) const noexcept
{
    return Point{std::clamp(p.x, bounds_.left, std::max(bounds_.left, bounds_.right - 1)),
                 std::clamp(p.y, bounds_.top, std::max(bounds_.top, bounds_.bottom - 1))};
}

void RegionChoice::Update()
{
    switch (phase_) {
        case Phase::Picking:
        case Phase::Pressed: chosen_ = PickAt(pointer_, areas_, monitors_, bounds_); break;
        case Phase::Dragging:
        case Phase::Keyed: chosen_ = DraggedRect(anchor_, pointer_, bounds_); break;
    }
}

RegionOutcome RegionChoice::MoveTo(Point p)
{
    pointer_ = Clamped(p);
    if (phase_ == Phase::Pressed && pointer_ != anchor_) phase_ = Phase::Dragging;
    Update();
    return RegionOutcome::Continue;
}

RegionOutcome RegionChoice::LeftDown(Point p)
{
    pointer_ = Clamped(p);
    anchor_ = pointer_;
    phase_ = Phase::Pressed;
    Update();
    return RegionOutcome::Continue;
}

RegionOutcome RegionChoice::LeftUp(Point p)
{
    if (phase_ != Phase::Pressed && phase_ != Phase::Dragging) return RegionOutcome::Continue;
    MoveTo(p);
    // A click takes the window; a drag that came back to no area takes nothing and picks on.
    if (phase_ == Phase::Dragging && chosen_.Empty()) {
        phase_ = Phase::Picking;
        Update();
        return RegionOutcome::Continue;
    }
    return RegionOutcome::Take;
}

RegionOutcome RegionChoice::Key(RegionKey key, bool shift)
{
    const std::int32_t step = shift ? 10 : 1;
    switch (key) {
        case RegionKey::Left: return MoveTo({pointer_.x - step, pointer_.y});
        case RegionKey::Right: return MoveTo({pointer_.x + step, pointer_.y});
        case RegionKey::Up: return MoveTo({pointer_.x, pointer_.y - step});
        case RegionKey::Down: return MoveTo({pointer_.x, pointer_.y + step});
        case RegionKey::Escape: return RegionOutcome::Cancel;
        case RegionKey::Enter:
            if (phase_ == Phase::Picking) {
                phase_ = Phase::Keyed;
                anchor_ = pointer_;
                Update();
                return RegionOutcome::Continue;
            }
            if (phase_ == Phase::Keyed && !chosen_.Empty()) return RegionOutcome::Take;
            return RegionOutcome::Continue;
    }
    return RegionOutcome::Continue;
}

}  // namespace core
