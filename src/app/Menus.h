#pragma once
// The menu bars: the frame's own, and the one a shot window shows while it is active,
// which merges the shot window's menus with the frame's by group index.
#include <windows.h>

#include "win32/Handles.h"

namespace app {

win::OwnedMenu BuildFrameMenu();
// windowMenu receives the shot window's "ウィンドウ(&W)" menu, under which the window list goes.
win::OwnedMenu BuildShotMenu(HMENU& windowMenu);

}  // namespace app
