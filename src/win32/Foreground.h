#pragma once
// Bringing a program's main window back to the user.
#include <windows.h>

namespace win {

// The box that has the keyboard while `frame` is disabled by it: the frame's last active
// popup, or that popup's own while a box of its own (an error report) is open over it.
// nullptr when the frame is enabled.
HWND OpenModalBox(HWND frame) noexcept;

// Restores the frame and gives it the foreground; while a modal box is open, the frame
// comes back behind it and the box keeps the keyboard.
void BringBack(HWND frame) noexcept;

}  // namespace win
