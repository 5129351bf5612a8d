#include "win32/SpinButton.h"

#include <windowsx.h>

#include "win32/Handles.h"

namespace win {
namespace {

const WindowClass kSpinButtonClass{.name = L"SpinButton", .background = nullptr};
constexpr UINT kRepeatFirstMs = 400;
constexpr UINT kRepeatNextMs = 100;
constexpr UINT_PTR kRepeatTimerId = 1;

}  // namespace

SpinButton::SpinButton(HWND field, StepHandler onStep) : field_(field), onStep_(std::move(onStep))
{
    Create(kSpinButtonClass, WS_EX_NOPARENTNOTIFY, nullptr, WS_CHILD | WS_VISIBLE, RECT{}, field);
}

SpinButton::~SpinButton()
{
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void SpinButton::Place(int width)
{
    RECT client{};
    ::GetClientRect(field_, &client);
    ::MoveWindow(hwnd_, client.right - width, 0, width, client.bottom, TRUE);
}

LRESULT SpinButton::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_PAINT: Paint(); return 0;
        case WM_LBUTTONDOWN: Press(ArrowAt(lp)); return 0;
        case WM_MOUSEMOVE: Track(ArrowAt(lp) == pressed_); return 0;
        case WM_LBUTTONUP: ::ReleaseCapture(); return 0;
        case WM_CAPTURECHANGED: Stop(); return 0;
        case WM_TIMER:
            if (wp == kRepeatTimerId) Repeat();
            return 0;
    }
    return DefaultProc(msg, wp, lp);
}

int SpinButton::ArrowAt(LPARAM lp) const noexcept
{
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    return GET_Y_LPARAM(lp) < client.bottom / 2 ? 1 : -1;
}

void SpinButton::Press(int arrow)
{
    if (::GetFocus() != field_) ::SetFocus(field_);
    pressed_ = arrow;
    over_ = true;
    ::SetCapture(hwnd_);
    ::SetTimer(hwnd_, kRepeatTimerId, kRepeatFirstMs, nullptr);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    onStep_(arrow);
}

void SpinButton::Track(bool over)
{
    if (pressed_ == 0 || over == over_) return;
    over_ = over;
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void SpinButton::Repeat()
{
    ::SetTimer(hwnd_, kRepeatTimerId, kRepeatNextMs, nullptr);
    if (pressed_ != 0 && over_) onStep_(pressed_);
}

void SpinButton::Stop() noexcept
{
    ::KillTimer(hwnd_, kRepeatTimerId);
    if (pressed_ == 0) return;
    pressed_ = 0;
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void SpinButton::Paint()
{
    PaintDC dc(hwnd_);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    RECT upper{0, 0, client.right, client.bottom / 2};
    RECT lower{0, client.bottom / 2, client.right, client.bottom};
    const UINT pushedUp = pressed_ == 1 && over_ ? DFCS_PUSHED : 0;
    const UINT pushedDown = pressed_ == -1 && over_ ? DFCS_PUSHED : 0;
    ::DrawFrameControl(dc.get(), &upper, DFC_SCROLL, DFCS_SCROLLUP | pushedUp);
    ::DrawFrameControl(dc.get(), &lower, DFC_SCROLL, DFCS_SCROLLDOWN | pushedDown);
}

}  // namespace win
