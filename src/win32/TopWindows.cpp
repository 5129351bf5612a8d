#include "win32/TopWindows.h"

#include <windows.h>
#include <dwmapi.h>

#include "win32/SystemLibrary.h"

namespace win {
namespace {

using DwmAttribute = decltype(&::DwmGetWindowAttribute);

struct Enumeration {
    DwmAttribute attribute;
    std::vector<core::Rect> rects;
};

BOOL CALLBACK AddWindow(HWND hwnd, LPARAM context) noexcept
{
    auto& e = *reinterpret_cast<Enumeration*>(context);
    if (!::IsWindowVisible(hwnd) || ::IsIconic(hwnd)) return TRUE;
    DWORD cloaked = 0;
    if (e.attribute && SUCCEEDED(e.attribute(hwnd, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) && cloaked) return TRUE;
    RECT r{};
    if (!e.attribute || FAILED(e.attribute(hwnd, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof(r))))
        if (!::GetWindowRect(hwnd, &r)) return TRUE;
    const core::Rect rect{r.left, r.top, r.right, r.bottom};
    if (!rect.Empty()) e.rects.push_back(rect);
    return TRUE;
}

}  // namespace

std::vector<core::Rect> TopLevelWindowRects()
{
    const SystemLibrary library(L"dwmapi.dll");
    Enumeration e{library.Function<DwmAttribute>("DwmGetWindowAttribute"), {}};
    ::EnumWindows(&AddWindow, reinterpret_cast<LPARAM>(&e));
    return std::move(e.rects);
}

}  // namespace win
