#pragma once
// The choice of a region on the frozen screen: a free rectangle dragged with the left button
// or built with the keys, or what lies under the pointer (a top-level window, or for a
// scrolling capture the part of one that scrolls) taken with a click.
#include <cstdint>
#include <vector>

#include "core/Geometry.h"

namespace core {

// What a click takes while the pointer is on `area` (screen coordinates).
struct PickArea {
    Rect area;
    Rect taken;
    bool operator==(const PickArea&) const = default;
};

// Windows that a click takes whole: the region snip's.
std::vector<PickArea> WholeWindows(const std::vector<Rect>& windows);

// What the first of `areas` (front first, as the windows lay at the key) under `p` takes,
// clipped to `bounds`; where none is, the monitor under `p`, and off every monitor `bounds`
// itself.
Rect PickAt(Point p, const std::vector<PickArea>& areas, const std::vector<Rect>& monitors, Rect bounds);

// The rectangle between a press at `a` and the pointer at `b` under a shot selection's rule:
// the corners in either order, the far one exclusive, each clamped to `bounds`.
Rect DraggedRect(Point a, Point b, Rect bounds);

enum class RegionKey { Left, Right, Up, Down, Enter, Escape };

// What an event asks of the overlay.
enum class RegionOutcome { Continue, Take, Cancel };

class RegionChoice {
public:
    enum class Phase {
        Picking,   // no button down: what the pointer is on is the choice
        Pressed,   // left button down and not moved: a click would take what it is on
        Dragging,  // left button down and moved: the dragged rectangle
        Keyed,     // Enter started a rectangle at the pointer: the arrows move its far corner
    };

    // All in screen coordinates; `bounds` is the virtual screen, which the pointer stays in.
    RegionChoice(Rect bounds, std::vector<PickArea> areas, std::vector<Rect> monitors, Point pointer);

    RegionOutcome MoveTo(Point p);
    RegionOutcome LeftDown(Point p);
    RegionOutcome LeftUp(Point p);
    RegionOutcome RightDown() { return RegionOutcome::Cancel; }
    // The arrows move the pointer by one pixel, ten with Shift.
    RegionOutcome Key(RegionKey key, bool shift);

    Phase CurrentPhase() const noexcept { return phase_; }
    Point Pointer() const noexcept { return pointer_; }
    // What a take would give now (and, after Take, what it gave): shown undimmed.
    Rect Chosen() const noexcept { return chosen_; }
    // The rectangle being dragged or keyed, which the magnifier keeps clear of; empty while picking.
    Rect Band() const noexcept { return phase_ == Phase::Dragging || phase_ == Phase::Keyed ? chosen_ : Rect{}; }
    const std::vector<Rect>& Monitors() const noexcept { return monitors_; }
    Rect Bounds() const noexcept { return bounds_; }

private:
    Point Clamped(Point p) const noexcept;
    void Update();

    Rect bounds_;
    std::vector<PickArea> areas_;
    std::vector<Rect> monitors_;
    Phase phase_ = Phase::Picking;
    Point pointer_;
    Point anchor_{0, 0};  // the press, or where Enter started the rectangle
    Rect chosen_{};
};

}  // namespace core
