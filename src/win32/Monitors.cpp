#include "win32/Monitors.h"

#include "core/ScreenCover.h"

namespace win {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) noexcept
{
    reinterpret_cast<std::vector<core::Rect>*>(list)->push_back({r->left, r->top, r->right, r->bottom});
    return TRUE;
}

}  // namespace

std::vector<core::Rect> MonitorRects()
{
    std::vector<core::Rect> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

void BlackenOffScreenParts(HDC picture, core::ScreenRect rect)
{
    const core::Rect area{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
    for (const core::Rect& part : core::UncoveredParts(area, MonitorRects()))
        ::PatBlt(picture, part.left, part.top, part.Width(), part.Height(), BLACKNESS);
}

}  // namespace win
