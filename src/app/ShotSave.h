#pragma once
// The save command of a shot window: what a copy would copy, into a file the user chooses.
#include <windows.h>

#include <string>

#include "core/Selection.h"
#include "win32/Picture.h"
#include "win32/SaveDialog.h"

namespace app {

// Asks `chooser` (in a window owned by `owner`) where to, proposing a name made from the shot
// window's caption, then writes the shown selection when it has an area, else the whole
// picture. Unlike the copy it selects nothing. An empty picture
// has nothing to save: nothing is asked. Errors are thrown with the system's text.
void SaveShot(win::SaveTargetChooser& chooser, HWND owner, const std::string& caption, const win::Picture& picture,
              const core::Selection& selection);

}  // namespace app
