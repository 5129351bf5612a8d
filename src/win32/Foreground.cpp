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

namespace {

// A window manager may give the frame the keyboard and leave it under the window that had it
// (openbox does so for a program that had no input of its own): a trip through the topmost
// band puts the frame on top of the others whatever the foreground rules allow.
void RaiseOverOthers(HWND frame) noexcept
{
    constexpr UINT kOnlyOrder = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    ::SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, kOnlyOrder);
    ::SetWindowPos(frame, HWND_NOTOPMOST, 0, 0, 0, 0, kOnlyOrder);
}

// Where the desktop refuses the frame the foreground, its task-bar button asks for the user.
void AskForAttention(HWND frame) noexcept
{
    FLASHWINFO flash{sizeof(flash), frame, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    ::FlashWindowEx(&flash);
}

}  // namespace

void BringBack(HWND frame) noexcept
{
    const HWND box = OpenModalBox(frame);
    if (!box) {
        // A frame that has the keyboard is in front already.
        if (::GetForegroundWindow() != frame) RaiseOverOthers(frame);
        ::SetForegroundWindow(frame);
        if (::IsIconic(frame)) ::ShowWindow(frame, SW_RESTORE);
        if (::GetForegroundWindow() != frame) AskForAttention(frame);
        return;
    }
    if (::IsIconic(frame)) ::ShowWindow(frame, SW_SHOWNOACTIVATE);
    ::SetForegroundWindow(box);
}

void BringBackAgainIfLost(HWND frame) noexcept
{
    if (OpenModalBox(frame) || ::IsIconic(frame)) return;
    if (::GetForegroundWindow() == frame) return;
    RaiseOverOthers(frame);
    ::SetForegroundWindow(frame);
    AskForAttention(frame);
}

}  // namespace win
