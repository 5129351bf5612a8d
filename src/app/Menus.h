#pragma once
// The menu bars: the frame's own, and the one a shot window shows while it is active,
// which merges the shot window's menus with the frame's by group index.
#include <windows.h>

namespace app {

HMENU BuildFrameMenu();
// windowMenu receives the shot window's "ウィンドウ(&W)" menu, under which the window list goes.
HMENU BuildShotMenu(HMENU& windowMenu);

}  // namespace app
