#pragma once
// The zoom of a pinned picture: the steps the mouse wheel goes through and the window's place as
// it zooms about the pointer.
#include <cstdint>

#include "core/Geometry.h"

namespace core {

inline constexpr int kPinZoomSteps[] = {25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400};
inline constexpr int kWheelNotch = 120;  // WHEEL_DELTA

// The zoom `notches` steps from `percent` (positive: larger), never past 25 or 400 %. A zoom
// between two steps goes to the next step in the wheel's direction first.
int PinZoomAfter(int percent, int notches);

// A side of `length` pixels at `percent`, rounded, and at least 1 for a side of any pixels.
std::int32_t ZoomedLength(std::int32_t length, int percent);

// Where a window at `before` goes as it takes the size `width` x `height`, so that the point
// under `pointer` stays under it (the pointer taken to the nearest point of the window).
Rect ZoomAbout(Rect before, Point pointer, std::int32_t width, std::int32_t height);

// Wheel turns add up to notches: a fine-grained wheel turns in parts of one.
class WheelTurns {
public:
    // The whole notches that `delta` completes, in its direction.
    int Add(int delta);

private:
    int left_ = 0;
};

}  // namespace core
