#include "win32/ScreenProbe.h"

#include <windows.h>
#include <dwmapi.h>

#include "win32/SystemLibrary.h"

namespace win {
namespace {

HWND Handle(core::WindowId window) { return reinterpret_cast<HWND>(window); }

}  // namespace

std::int32_t ScreenProbe::ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
std::int32_t ScreenProbe::ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

core::Rect ScreenProbe::VirtualScreen()
{
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

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
    if (!::GetWindowRect(Handle(window), &r)) return std::nullopt;
    return core::Rect{r.left, r.top, r.right, r.bottom};
}

bool ScreenProbe::IsTopLevel(core::WindowId window) { return ::GetAncestor(Handle(window), GA_ROOT) == Handle(window); }

bool ScreenProbe::IsMinimised(core::WindowId window) { return ::IsIconic(Handle(window)) != FALSE; }

// Without composition (or under Wine, which does not implement it, or without the DLL) there
// is no answer.
std::optional<core::Rect> ScreenProbe::FrameBounds(core::WindowId window)
{
    const SystemLibrary library(L"dwmapi.dll");
    const auto attribute = library.Function<decltype(&::DwmGetWindowAttribute)>("DwmGetWindowAttribute");
    RECT r{};
    if (!attribute || FAILED(attribute(Handle(window), DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof(r))))
        return std::nullopt;
    return core::Rect{r.left, r.top, r.right, r.bottom};
}

}  // namespace win
