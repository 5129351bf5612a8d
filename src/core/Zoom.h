#pragma once
// The zoom of a shot window: its steps, fitting the picture to the window, and the mapping
// between the window's pixels and the picture's at a zoom and a scroll position. Everything the
// user points at is worked in picture pixels; only the paint pass sees zoomed ones.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/Geometry.h"

namespace core {

inline constexpr std::array<std::int32_t, 7> kZoomSteps{25, 50, 100, 200, 400, 800, 1600};
inline constexpr std::int32_t kFullSize = 100;

// The next step up or down from `percent` (which need not be a step, after fitting); none past
// the last one, so that the command is greyed.
std::optional<std::int32_t> ZoomIn(std::int32_t percent);
std::optional<std::int32_t> ZoomOut(std::int32_t percent);

// The largest whole percentage at which all of the picture shows in the window, within the
// first and last steps; 100 for a picture or window of no size.
std::int32_t FitZoom(std::int32_t pictureWidth, std::int32_t pictureHeight, std::int32_t windowWidth,
                     std::int32_t windowHeight);

// How many window pixels `length` picture pixels take at `percent` (the last one partly).
std::int32_t ZoomedLength(std::int32_t length, std::int32_t percent);

// `scroll` is the window's scroll position in zoomed pixels. A window pixel maps to the picture
// pixel under it (those left of or above the picture to negative ones), a picture pixel to the
// window pixel at its top-left.
Point WindowToPicture(Point window, Point scroll, std::int32_t percent);
Point PictureToWindow(Point picture, Point scroll, std::int32_t percent);

// The scroll position at zoom `to` that keeps the picture point under the pointer (a window
// pixel) where it was at zoom `from`; ClampScroll then keeps it within the picture.
Point ScrollKeeping(Point pointer, Point scroll, std::int32_t from, std::int32_t to);

inline constexpr int kWheelNotch = 120;  // WHEEL_DELTA

// Wheel turns add up to notches: a fine-grained wheel turns in parts of one.
class WheelTurns {
public:
    // The whole notches that `delta` completes, in its direction.
    int Add(int delta);

private:
    int left_ = 0;
};
std::int32_t ClampScroll(std::int32_t scroll, std::int32_t content, std::int32_t window);

// The status bar's zoom panel, e.g. "200%".
std::string ZoomText(std::int32_t percent);

}  // namespace core
