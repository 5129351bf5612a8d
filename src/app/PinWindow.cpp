#include "app/PinWindow.h"

#include <windowsx.h>

#include "app/ApplicationWindow.h"
#include "win32/Clipboard.h"
#include "win32/ErrorReport.h"

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"PixtrovePin";
const win::WindowClass kPinClass{.name = kClassName, .cursor = IDC_SIZEALL, .background = nullptr, .style = CS_DBLCLKS};

}  // namespace

PinWindow& PinWindow::Open(ApplicationWindow& application, const win::Picture& picture, core::Rect part, POINT screen)
{
    std::unique_ptr<win::Picture> copy = win::Picture::Create(picture.DC(), part.Width(), part.Height());
    picture.DrawPart(copy->DC(), part);
    auto pin = std::unique_ptr<PinWindow>(new PinWindow(application, std::move(copy)));
    // Owned by the hidden application window: it stays when the frame is minimised, and goes
    // when the program ends.
    pin->Create(kPinClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"", WS_POPUP,
                {screen.x, screen.y, screen.x + part.Width(), screen.y + part.Height()}, application.hwnd());
    pin->ownsSelf_ = true;
    PinWindow& shown = *pin.release();
    ::ShowWindow(shown.hwnd_, SW_SHOW);
    return shown;
}

PinWindow* PinWindow::FromHandle(HWND hwnd) noexcept
{
    if (!hwnd) return nullptr;
    wchar_t name[16]{};
    if (!::GetClassNameW(hwnd, name, static_cast<int>(std::size(name))) || lstrcmpW(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<PinWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

PinWindow::PinWindow(ApplicationWindow& application, std::unique_ptr<win::Picture> picture)
    : application_(application), picture_(std::move(picture))
{
}

void PinWindow::Paint()
{
    win::PaintDC dc(hwnd_);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (zoom_ == 100) {
        const RECT& area = dc.area();
        ::BitBlt(dc.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, picture_->DC(),
                 area.left, area.top, SRCCOPY);
        return;
    }
    // Smaller, every pixel counts into the colour; larger, each pixel is a square.
    ::SetStretchBltMode(dc.get(), zoom_ < 100 ? HALFTONE : COLORONCOLOR);
    ::SetBrushOrgEx(dc.get(), 0, 0, nullptr);
    ::StretchBlt(dc.get(), 0, 0, client.right, client.bottom, picture_->DC(), 0, 0, picture_->Width(),
                 picture_->Height(), SRCCOPY);
}

POINT PinWindow::OnScreen(LPARAM lp) const noexcept
{
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ::ClientToScreen(hwnd_, &p);
    return p;
}

void PinWindow::OnButtonDown(LPARAM lp)
{
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    const POINT at = OnScreen(lp);
    grip_ = {at.x - window.left, at.y - window.top};
    dragging_ = true;
    ::SetCapture(hwnd_);
}

void PinWindow::OnMouseMove(LPARAM lp)
{
    if (!dragging_) return;
    const POINT at = OnScreen(lp);
    ::SetWindowPos(hwnd_, nullptr, at.x - grip_.x, at.y - grip_.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PinWindow::OnButtonUp()
{
    dragging_ = false;
    if (::GetCapture() == hwnd_) ::ReleaseCapture();
}

// The point under the pointer stays under it.
void PinWindow::OnWheel(WPARAM wp, LPARAM lp)
{
    const int notches = wheel_.Add(GET_WHEEL_DELTA_WPARAM(wp));
    const int zoom = core::PinZoomAfter(zoom_, notches);
    if (notches == 0 || zoom == zoom_) return;
    zoom_ = zoom;
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    const core::Rect placed =
        core::ZoomAbout({window.left, window.top, window.right, window.bottom}, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)},
                        core::PinSide(picture_->Width(), zoom_), core::PinSide(picture_->Height(), zoom_));
    ::SetWindowPos(hwnd_, nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void PinWindow::OnCopy()
{
    application_.OfferOnClipboard(win::SnapshotOf(*picture_, {0, 0, picture_->Width(), picture_->Height()}));
}

bool PinWindow::OnKeyDown(WPARAM key)
{
    if (key == VK_ESCAPE) {
        ::DestroyWindow(hwnd_);
        return true;
    }
    if (key == 'C' && ::GetKeyState(VK_CONTROL) < 0) {
        OnCopy();
        return true;
    }
    return false;
}

LRESULT PinWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN: OnButtonDown(lp); return 0;
        case WM_MOUSEMOVE: OnMouseMove(lp); return 0;
        case WM_LBUTTONUP: OnButtonUp(); return 0;
        case WM_CAPTURECHANGED: dragging_ = false; return 0;
        case WM_LBUTTONDBLCLK: ::DestroyWindow(hwnd_); return 0;
        case WM_MOUSEWHEEL: OnWheel(wp, lp); return 0;
        case WM_KEYDOWN:
            if (OnKeyDown(wp)) return 0;
            break;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace app
