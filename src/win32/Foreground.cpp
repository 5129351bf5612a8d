#include "win32/Foreground.h"

namespace win {

HWND OpenModalBox(HWND frame) noexcept
{
    if (::IsWindowEnabled(frame)) return nullptr;
    HWND box = frame;
    for (int depth = 0; depth < 8 && !::IsWindowEnabled(box); ++depth) {
        const HWND popup = ::GetLastActivePopup(box);
        if (!popup || popup == box) return nullptr;
        box = popup;
    }
    return ::IsWindowEnabled(box) ? box : nullptr;
}

void BringBack(HWND frame) noexcept
{
    const HWND box = OpenModalBox(frame);
    if (!box) {
        ::SetForegroundWindow(frame);
        if (::IsIconic(frame)) ::ShowWindow(frame, SW_RESTORE);
        return;
    }
    if (::IsIconic(frame)) ::ShowWindow(frame, SW_SHOWNOACTIVATE);
    ::SetForegroundWindow(box);
}

}  // namespace win
