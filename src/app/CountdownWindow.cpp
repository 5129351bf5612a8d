#include "app/CountdownWindow.h"

#include <string>

#include "core/Countdown.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"

namespace app {
namespace {

const win::WindowClass kCountdownClass{.name = L"TPixtroveCountdown", .background = nullptr};
constexpr UINT_PTR kTickTimer = 1;
constexpr int kWidth96 = 150, kHeight96 = 120;

std::int64_t RemainingMs(std::uint64_t deadline)
{
    return static_cast<std::int64_t>(deadline) - static_cast<std::int64_t>(::GetTickCount64());
}

}  // namespace

CountdownWindow::CountdownWindow(HWND frame, std::uint64_t deadline) : frame_(frame), deadline_(deadline)
{
    POINT pointer{};
    ::GetCursorPos(&pointer);
    MONITORINFO monitor{sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    // Made small at the monitor's centre, then sized for the DPI it finds there.
    const POINT centre{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
    Create(kCountdownClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"", WS_POPUP | WS_BORDER,
           {centre.x - 1, centre.y - 1, centre.x + 1, centre.y + 1}, nullptr);
    const UINT dpi = win::DpiOf(hwnd_);
    const int w = win::Scale(kWidth96, dpi), h = win::Scale(kHeight96, dpi);
    font_ = win::MakeFont(L"Arial", -96, ANSI_CHARSET, dpi, FW_BOLD);
    ::SetWindowPos(hwnd_, HWND_TOPMOST, centre.x - w / 2, centre.y - h / 2, w, h, SWP_NOACTIVATE);
    Update();
    ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    ::UpdateWindow(hwnd_);
}

CountdownWindow::~CountdownWindow()
{
    if (hwnd_) ::DestroyWindow(hwnd_);
}

LRESULT CountdownWindow::OnCreate() { return 0; }

// The figure, kept also as the window's text; the next look is set for its next change.
void CountdownWindow::Update()
{
    const std::int64_t remaining = RemainingMs(deadline_);
    if (!core::CountdownShows(remaining)) {
        ::KillTimer(hwnd_, kTickTimer);
        ::ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    const std::int32_t seconds = core::SecondsLeft(remaining);
    if (seconds != shown_) {
        shown_ = seconds;
        ::SetWindowTextW(hwnd_, std::to_wstring(seconds).c_str());
        ::InvalidateRect(hwnd_, nullptr, FALSE);
    }
    win::ThrowLastErrorIfNull(
        ::SetTimer(hwnd_, kTickTimer, static_cast<UINT>(core::NextCountdownChange(remaining)), nullptr));
}

void CountdownWindow::OnPaint()
{
    const win::PaintDC paint(hwnd_);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const HDC dc = paint.get();
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    const win::SelectedObject font(dc, font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    const std::wstring text = std::to_wstring(shown_);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CountdownWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_PAINT: OnPaint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_TIMER:
            if (wp == kTickTimer) Update();
            return 0;
        // A click calls the capture off; it need not bring the countdown to the front first.
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_LBUTTONDOWN: ::PostMessageW(frame_, kCountdownCancelled, 0, 0); return 0;
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) ::PostMessageW(frame_, kCountdownCancelled, 0, 0);
            return 0;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace app
