#pragma once
// The scrolling capture: scrolls a window by mouse-wheel steps as a user's wheel would, waits
// each time until the rectangle holds still, grabs it and stitches the screens into one tall
// picture, keeping only rows whose place is sure.
#include <windows.h>

#include <memory>
#include <string>

#include "core/CaptureTarget.h"
#include "win32/Picture.h"

namespace app {

struct ScrollOutcome {
    std::unique_ptr<win::Picture> picture;  // nothing when not even the first screen could be read
    std::string text;                       // how it ended, for the status bar (UTF-8)
};

// Where a capture's time went, in milliseconds.
struct ScrollTimes {
    double waiting = 0;   // for the page to answer the wheel and hold still
    double grabbing = 0;  // reading the screen
    double ours = 0;      // comparing grabs, matching, stitching, the picture at the end
    int steps = 0;        // wheel steps
};

// Captures `rect` (not empty), scrolling the window under its centre. It ends when the
// content stops moving, at 32767 rows, when a move cannot be told, when the window closes or
// moves, or when the user presses Esc or clicks; what was sure is kept in every case. Memory
// that cannot be had throws, and nothing is kept.
ScrollOutcome RunScrollCapture(const core::ScreenRect& rect, ScrollTimes* times = nullptr);

}  // namespace app
