#include "app/ScrollStatus.h"

#include "win32/Dpi.h"

namespace app {
namespace {

constexpr int kGap = 8, kPadding = 6;

std::wstring HeightText(int pixels) { return L"高さ " + std::to_wstring(pixels) + L" ピクセル　Escで終了"; }

}  // namespace

ScrollStatus::ScrollStatus(const core::ScreenRect& rect) : rect_(rect), text_(HeightText(rect.height))
{
    Create({L"PixtroveScrollStatus", IDC_ARROW, 0, reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1)},
           WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"", WS_POPUP | WS_BORDER, {0, 0, 10, 10}, nullptr);
    font_ = win::MakeUiFont(win::DpiOf(hwnd_));
    ::SetWindowTextW(hwnd_, text_.c_str());
    Place();
    SetVisible(true);
}

ScrollStatus::~ScrollStatus()
{
    if (hwnd_) ::DestroyWindow(hwnd_);
}

// Right of the rectangle, else left, below, above; over it only where none of these fits.
void ScrollStatus::Place()
{
    win::WindowDC dc(hwnd_);
    win::SelectedObject selected(dc.get(), font_.get());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), text_.c_str(), static_cast<int>(text_.size()) + 4, &extent);
    const int width = extent.cx + 2 * kPadding, height = extent.cy + 2 * kPadding;
    const int screenLeft = ::GetSystemMetrics(SM_XVIRTUALSCREEN), screenTop = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int screenRight = screenLeft + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int screenBottom = screenTop + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int right = rect_.left + rect_.width, bottom = rect_.top + rect_.height;
    int x = right + kGap, y = rect_.top;
    if (x + width > screenRight) x = rect_.left - kGap - width;
    if (x < screenLeft) {
        x = rect_.left;
        y = bottom + kGap;
        if (y + height > screenBottom) y = rect_.top - kGap - height;
        if (y < screenTop) {
            y = rect_.top;
            overlaps_ = true;
        }
    }
    ::SetWindowPos(hwnd_, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE);
}

void ScrollStatus::ShowHeight(int pixels)
{
    text_ = HeightText(pixels);
    ::SetWindowTextW(hwnd_, text_.c_str());
    ::InvalidateRect(hwnd_, nullptr, TRUE);
    ::UpdateWindow(hwnd_);
}

void ScrollStatus::SetVisible(bool visible)
{
    ::ShowWindow(hwnd_, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (visible) ::UpdateWindow(hwnd_);
}

void ScrollStatus::OnPaint()
{
    win::PaintDC dc(hwnd_);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    win::SelectedObject selected(dc.get(), font_.get());
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), ::GetSysColor(COLOR_INFOTEXT));
    ::DrawTextW(dc.get(), text_.c_str(), static_cast<int>(text_.size()), &client,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT ScrollStatus::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_PAINT: OnPaint(); return 0;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace app
