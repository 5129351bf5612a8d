#pragma once
// The windows as they lie on the screen at one moment, for the region overlay's window pick.
#include <vector>

#include "core/Geometry.h"
#include "core/ScrollPick.h"

namespace win {

// The screen rectangle of every visible top-level window that is neither minimised nor
// hidden by the window manager (cloaked), front first: its frame as the desktop window manager
// draws it where that is answered, else its outer rectangle. Windows of no size are left out.
std::vector<core::Rect> TopLevelWindowRects();

// The same top-level windows, each followed by its visible child windows at every depth (each
// before those it holds, those of one parent front first), with their client areas and whether
// they scroll vertically: a vertical scroll bar of their own, or scroll information with more
// than a page.
std::vector<core::LaidWindow> LaidWindows();

}  // namespace win
