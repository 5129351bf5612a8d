#include "win32/TopWindows.h"

#include <windows.h>
#include <dwmapi.h>

#include "win32/SystemLibrary.h"

namespace win {
namespace {

using DwmAttribute = decltype(&::DwmGetWindowAttribute);

struct TopWindow {
    HWND hwnd;
    core::Rect rect;
};

struct Enumeration {
    DwmAttribute attribute;
    std::vector<TopWindow> windows;
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
    if (!rect.Empty()) e.windows.push_back({hwnd, rect});
    return TRUE;
}

std::vector<TopWindow> ShownTopWindows()
{
    const SystemLibrary library(L"dwmapi.dll");
    Enumeration e{library.Function<DwmAttribute>("DwmGetWindowAttribute"), {}};
    ::EnumWindows(&AddWindow, reinterpret_cast<LPARAM>(&e));
    return std::move(e.windows);
}

core::Rect ClientArea(HWND hwnd)
{
    RECT r{};
    if (!::GetClientRect(hwnd, &r)) return {};
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    ::MapWindowPoints(hwnd, nullptr, corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

// A window may draw its bar itself and still keep the system's scroll information.
bool ScrollsVertically(HWND hwnd)
{
    if (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VSCROLL) return true;
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    return ::GetScrollInfo(hwnd, SB_VERT, &info) &&
           static_cast<long long>(info.nMax) - info.nMin + 1 > static_cast<long long>(info.nPage);
}

// The children of `parent` from the front one back, each followed by its own.
void AddChildren(HWND parent, int parentIndex, std::vector<core::LaidWindow>& windows)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT r{};
        if (!::GetWindowRect(child, &r)) continue;
        const int index = static_cast<int>(windows.size());
        windows.push_back({{r.left, r.top, r.right, r.bottom}, ClientArea(child), parentIndex, ScrollsVertically(child)});
        AddChildren(child, index, windows);
    }
}

}  // namespace

std::vector<core::Rect> TopLevelWindowRects()
{
    std::vector<core::Rect> rects;
    for (const TopWindow& w : ShownTopWindows())
        rects.push_back(w.rect);
    return rects;
}

std::vector<core::LaidWindow> LaidWindows()
{
    std::vector<core::LaidWindow> windows;
    for (const TopWindow& w : ShownTopWindows()) {
        const int index = static_cast<int>(windows.size());
        windows.push_back({w.rect, ClientArea(w.hwnd), -1, ScrollsVertically(w.hwnd)});
        AddChildren(w.hwnd, index, windows);
    }
    return windows;
}

}  // namespace win
