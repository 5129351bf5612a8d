#include "win32/ModalForm.h"

#include <algorithm>

#include "win32/Dpi.h"
#include "win32/ErrorReport.h"

namespace win {

RECT CentredOver(HWND owner, int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi)
{
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT area{};
    if (::IsIconic(owner)) {
        WINDOWPLACEMENT placement{sizeof(placement)};
        ::GetWindowPlacement(owner, &placement);
        area = placement.rcNormalPosition;
    } else {
        ::GetWindowRect(owner, &area);
    }
    POINT at{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
    MONITORINFO monitor{sizeof(monitor)};
    if (::GetMonitorInfoW(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        at.x = std::max(work.left, std::min(at.x, work.right - width));
        at.y = std::max(work.top, std::min(at.y, work.bottom - height));
    }
    return {at.x, at.y, at.x + width, at.y + height};
}

void ModalForm::CreateCentred(HWND owner, const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                              int clientWidth96, int clientHeight96, const std::function<void()>& build)
{
    WNDCLASSEXW wc{};
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassOnce(wc);

    const UINT dpi = DpiOf(owner);
    const RECT at = CentredOver(owner, Scale(clientWidth96, dpi), Scale(clientHeight96, dpi), style, exStyle, dpi);
    if (!::CreateWindowExW(exStyle, className, caption, style, at.left, at.top, at.right - at.left, at.bottom - at.top,
                           owner, nullptr, wc.hInstance, this))
        ThrowLastError();
    try {
        build();
    } catch (...) {
        ::DestroyWindow(hwnd_);
        throw;
    }
}

void ModalForm::RunModal(HWND owner)
{
    const bool ownerWasDisabled = ::EnableWindow(owner, FALSE) != 0;
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    MSG msg{};
    while (!Closed() && hwnd_) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the application's loop
            break;
        }
        if (Guarded([&] { return DialogKey(msg); }, true)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    // The owner is enabled before the form goes, so that it gets the activation back.
    if (!ownerWasDisabled) ::EnableWindow(owner, TRUE);
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
}

}  // namespace win
