#include "win32/ScreenProbe.h"

#include <windows.h>

namespace win {

std::int32_t ScreenProbe::ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
std::int32_t ScreenProbe::ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

core::WindowId ScreenProbe::ForegroundWindow() { return reinterpret_cast<core::WindowId>(::GetForegroundWindow()); }

core::WindowId ScreenProbe::WindowUnderCursor()
{
    POINT pt{};
    if (!::GetCursorPos(&pt)) return 0;
    return reinterpret_cast<core::WindowId>(::WindowFromPoint(pt));
}

std::optional<core::Rect> ScreenProbe::WindowRect(core::WindowId window)
{
    RECT r{};
    if (!::GetWindowRect(reinterpret_cast<HWND>(window), &r)) return std::nullopt;
    return core::Rect{r.left, r.top, r.right, r.bottom};
}

}  // namespace win
