#pragma once
// The monitors of the desktop, and what of a grab none of them shows.
#include <windows.h>

#include <vector>

#include "core/CaptureTarget.h"
#include "core/Geometry.h"

namespace win {

// Every monitor's rectangle in screen coordinates.
std::vector<core::Rect> MonitorRects();

// Paints black the parts of a grab of `rect` (held in `picture`) that lie on no monitor: the
// display gives no defined pixels there, and between monitors it may give anything.
void BlackenOffScreenParts(HDC picture, core::ScreenRect rect);

}  // namespace win
