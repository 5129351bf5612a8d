#pragma once
// The mouse pointer drawn into a picture grabbed from the screen.
#include <windows.h>

#include "core/CaptureTarget.h"

namespace win {

// Draws the pointer as it is now (its shape, its hot spot where it points) into `picture`, a
// grab of `grabbed`. Nothing when the pointer is hidden, lies outside, or cannot be read.
void DrawPointer(HDC picture, core::ScreenRect grabbed);

}  // namespace win
