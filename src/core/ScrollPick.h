#pragma once
// What a click on the frozen screen takes for a scrolling capture: the part of the window under
// the pointer that scrolls (a list, an edit, a browser's page), else the window's client area.
#include <vector>

#include "core/Geometry.h"
#include "core/RegionChoice.h"

namespace core {

// A window as it lay at the key, in screen coordinates. The platform lists the top-level
// windows front first, each followed by the windows inside it: every window before the windows
// it holds, and the windows of one parent front first.
struct LaidWindow {
    Rect outer;       // its window rectangle
    Rect client;      // its client area
    int parent;       // the index in the list of the window holding it; -1 for a top-level window
    bool scrollable;  // it has a vertical scroll bar, or answers that it scrolls vertically
};

// The pick areas of `windows`, front first: each visible part of a window (a child is seen only
// inside its parent's client area) takes the client area of the deepest scrollable window
// there below the top level, itself or one holding it, as far as it is seen; where none is, the
// top-level window's client area. A parent index that does not come before its window makes
// that window a top-level one.
std::vector<PickArea> ScrollPickAreas(const std::vector<LaidWindow>& windows);

}  // namespace core
