#pragma once
// Bringing a program's main window back to the user.
#include <windows.h>

namespace win {

// The box that has the keyboard while `frame` is disabled by it: the frame's last active
// popup, or that popup's own while a box of its own (an error report) is open over it.
// nullptr when the frame is enabled.
HWND OpenModalBox(HWND frame) noexcept;

// Restores the frame, gives it the foreground and puts it on top of the other windows (where
// the desktop refuses the foreground, its task-bar button flashes); while a modal box is open, the frame
// comes back behind it and the box keeps the keyboard.
void BringBack(HWND frame) noexcept;

// A moment after BringBack: a frame that lost the foreground again is brought back once more,
// and its task-bar button flashes until it has the keyboard (a window manager such as
// openbox may keep the keyboard with the program that had it). Nothing while a modal box is
// open or the frame is minimised.
void BringBackAgainIfLost(HWND frame) noexcept;

}  // namespace win
