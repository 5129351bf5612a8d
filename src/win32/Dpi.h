#pragma once
// Sizes are designed at 96 dpi; the program is per-monitor DPI aware and scales them.
#include <windows.h>

#include "win32/Handles.h"

namespace win {

UINT DpiOf(HWND hwnd) noexcept;
inline int Scale(int px96, UINT dpi) noexcept { return ::MulDiv(px96, static_cast<int>(dpi), 96); }

// A font given by its height in pixels at 96 dpi (-12 is 9 points).
OwnedFont MakeFont(const wchar_t* face, int height96, BYTE charset, UINT dpi, int weight = FW_NORMAL);

// WM_DPICHANGED: takes the rectangle the system suggests (lParam) for the new DPI.
void MoveToSuggestedRect(HWND hwnd, LPARAM suggested) noexcept;

// The user-interface font of the program's windows: "ＭＳ Ｐゴシック", 9 points, Japanese.
OwnedFont MakeUiFont(UINT dpi);

}  // namespace win
