#pragma once
// The zoom of a pinned picture: the steps the mouse wheel goes through and the window's place as
// it zooms about the pointer.
#include <cstdint>

#include "core/Geometry.h"
#include "core/Zoom.h"

namespace core {

inline constexpr int kPinZoomSteps[] = {25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400};

// The zoom `notches` steps from `percent` (positive: larger), never past 25 or 400 %. A zoom
// between two steps goes to the next step in the wheel's direction first.
int PinZoomAfter(int percent, int notches);

// A pinned window's side for `length` picture pixels at `percent`: the picture is stretched to
// the window, so the side is rounded, and at least 1 for a side of any pixels.
std::int32_t PinSide(std::int32_t length, int percent);

// Where a window at `before` goes as it takes the size `width` x `height`, so that the point
// under `pointer` stays under it (the pointer taken to the nearest point of the window).
Rect ZoomAbout(Rect before, Point pointer, std::int32_t width, std::int32_t height);

}  // namespace core
