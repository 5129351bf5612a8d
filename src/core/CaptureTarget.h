#pragma once
#include <cstdint>
#include <optional>

#include "core/Geometry.h"

namespace core {

// The capture target. Stored as one byte; values 6 to 255 can come from the
// registry and are kept as they are (they keep the empty grab).
enum class CaptureMode : std::uint8_t {
    Desktop = 0,  // the primary screen
    ActiveWindow = 1,
    CursorWindow = 2,
    AllScreens = 3,  // every monitor: the virtual screen
    Region = 4,      // a part chosen on the frozen virtual screen: the overlay, not a rectangle here
    Scrolling = 5,   // a part scrolled through and stitched into one tall picture: chosen on the overlay too
};

// A screen rectangle as the grab takes it; the empty one is (0, 0, 0, 0).
struct ScreenRect {
    std::int32_t left, top, width, height;
    bool operator==(const ScreenRect&) const = default;
};

using WindowId = std::uintptr_t;  // 0 = no window

// What the capture needs to know about the screen at the moment of the capture.
class TargetProbe {
public:
    virtual std::int32_t ScreenWidth() = 0;
    virtual std::int32_t ScreenHeight() = 0;
    // The rectangle round every monitor, in screen coordinates: left of or above the
    // primary screen its edges are negative.
    virtual Rect VirtualScreen() = 0;
    virtual WindowId ForegroundWindow() = 0;  // always a top-level window
    virtual WindowId WindowUnderCursor() = 0;
    // The window's outer rectangle in screen coordinates; nothing when the
    // window has gone.
    virtual std::optional<Rect> WindowRect(WindowId) = 0;
    virtual bool IsTopLevel(WindowId) = 0;
    virtual bool IsMinimised(WindowId) = 0;
    // A top-level window's frame as the desktop window manager draws it, without
    // the invisible borders it adds outside for resizing; nothing where the
    // window manager gives no answer.
    virtual std::optional<Rect> FrameBounds(WindowId) = 0;

protected:
    ~TargetProbe() = default;
};

// The screen rectangle to capture for a capture mode (any byte value). A top-level window is taken by its drawn frame
// where the window manager gives one, else by its outer rectangle; a child window by its outer rectangle. Negative
// edges stay and nothing is clipped to the screen. No window, a window that has gone, a minimised top-level window,
// the region and the scrolling capture (both chosen on the overlay) and an unknown mode give the empty rectangle; a
// window of no size gives its own. Only the probes the answer needs are asked.
ScreenRect CaptureTargetRect(CaptureMode mode, TargetProbe& probe);

}  // namespace core
