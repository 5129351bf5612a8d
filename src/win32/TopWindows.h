#pragma once
// The top-level windows as they lie on the screen at one moment, for the region overlay's
// window pick.
#include <vector>

#include "core/Geometry.h"

namespace win {

// The screen rectangle of every visible top-level window that is neither minimised nor
// hidden by the window manager (cloaked), front first: its frame as the desktop window manager
// draws it where that is answered, else its outer rectangle. Windows of no size are left out.
std::vector<core::Rect> TopLevelWindowRects();

}  // namespace win
