#include "app/ShotWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "app/MainFrame.h"
#include "app/ShotSave.h"
#include "app/Menus.h"
#include "core/Geometry.h"
#include "core/ReadOut.h"
#include "resource.h"
#include "win32/Clipboard.h"
#include "win32/ErrorReport.h"
#include "win32/Text.h"

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"TfrmCap";
// No background brush: Paint fills what the picture does not cover.
const win::WindowClass kShotClass{.name = kClassName, .cursor = IDC_CROSS, .icon = IDI_SHOT, .background = nullptr};

}  // namespace

ShotWindow& ShotWindow::Create(MainFrame& main, std::unique_ptr<win::Picture> picture, const std::string& caption)
{
    auto shot = std::unique_ptr<ShotWindow>(new ShotWindow(main, std::move(picture)));
    shot->CreateMdiChild(kShotClass, main.MdiClient(), win::Widen(caption).c_str(),
                         WS_HSCROLL | WS_VSCROLL | WS_VISIBLE);
    shot->ownsSelf_ = true;
    return *shot.release();
}

ShotWindow* ShotWindow::FromHandle(HWND hwnd) noexcept
{
    if (!hwnd) return nullptr;
    wchar_t name[16]{};
    if (!::GetClassNameW(hwnd, name, static_cast<int>(std::size(name))) || lstrcmpW(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<ShotWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

ShotWindow::ShotWindow(MainFrame& main, std::unique_ptr<win::Picture> picture)
    : main_(main), picture_(std::move(picture)), selection_(*this, picture_->Width(), picture_->Height())
{
    menu_ = BuildShotMenu(windowMenu_);
}

// --- the picture and the selection ---------------------------------------------------

void ShotWindow::InvertFrame(core::Point a, core::Point b)
{
    picture_->InvertFrame(a, b);
    // Only the strips that changed are repainted, whatever the picture's size.
    const core::FrameStrips ring = core::FrameRing(a, b);
    for (int i = 0; i < ring.count; ++i) {
        const core::Rect& s = ring.strips[static_cast<size_t>(i)];
        const POINT at = view_.Position();
        const RECT r{s.left - at.x, s.top - at.y, s.right - at.x, s.bottom - at.y};
        ::InvalidateRect(hwnd_, &r, FALSE);
    }
}

void ShotWindow::UpdateCopyCaptions()
{
    const std::string_view caption = core::CopyCaption(selection_.Selected());
    main_.SetCopyHint(caption);
    const std::wstring item = win::Widen(caption) + L"\tCtrl+C";
    ::ModifyMenuW(menu_.get(), IDM_COPY, MF_BYCOMMAND | MF_STRING, IDM_COPY, item.c_str());
}

void ShotWindow::OnPictureButtonDown(bool primaryButton, core::Point p)
{
    selection_.Press(p);
    UpdateCopyCaptions();
    if (primaryButton) {
        primaryDrag_ = true;
        ::SetCapture(hwnd_);
    }
}

void ShotWindow::OnPictureMouseMove(core::Point p)
{
    if (selection_.Dragging()) selection_.Move(p);
    main_.ShowReadOut(core::ReadOutText(p, selection_.Start(), selection_.End()));
}

void ShotWindow::OnPictureButtonUp(bool primaryButton)
{
    if (primaryButton && primaryDrag_) {
        primaryDrag_ = false;
        if (::GetCapture() == hwnd_) ::ReleaseCapture();
    }
    if (!selection_.Dragging()) return;
    selection_.Release();
    UpdateCopyCaptions();
}

void ShotWindow::OnSelectAll()
{
    selection_.SelectAll();
    UpdateCopyCaptions();
}

void ShotWindow::OnSelectCancel()
{
    selection_.Cancel();
    UpdateCopyCaptions();
}

void ShotWindow::OnCopy()
{
    if (!selection_.Selected()) OnSelectAll();
    const core::Rect source = core::NormalisedRect(selection_.Start(), selection_.End());
    // An empty selection (a click without a drag) has no picture to give: whatever the
    // clipboard holds stays there.
    if (source.Empty()) return;
    main_.Application().OfferOnClipboard(win::SnapshotOf(*picture_, source));
}

// --- window commands -----------------------------------------------------------------

bool ShotWindow::OnCommand(UINT id)
{
    switch (id) {
        case IDM_SAVE:
            SaveShot(main_.SaveTargets(), main_.hwnd(), win::Narrow(win::TextOf(hwnd_)), *picture_, selection_);
            return true;
        case IDM_CLOSE: ::SendMessageW(hwnd_, WM_CLOSE, 0, 0); return true;
        case IDM_EXIT: main_.OnExit(); return true;
        case IDM_COPY: OnCopy(); return true;
        case IDM_SELECT_ALL: OnSelectAll(); return true;
        case IDM_SELECT_CANCEL: OnSelectCancel(); return true;
        case IDM_CASCADE: ::SendMessageW(main_.MdiClient(), WM_MDICASCADE, 0, 0); return true;
        case IDM_TILE: ::SendMessageW(main_.MdiClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0); return true;
        default: return false;
    }
}

void ShotWindow::OnActivate()
{
    ::SendMessageW(main_.MdiClient(), WM_MDISETMENU, reinterpret_cast<WPARAM>(menu_.get()),
                   reinterpret_cast<LPARAM>(windowMenu_));
    ::DrawMenuBar(main_.hwnd());
    UpdateCopyCaptions();
}

// The frame shows its own menus again unless another shot window takes over; the window
// list leaves this window's menu, which may be about to go.
void ShotWindow::OnDeactivate()
{
    if (::GetMenu(main_.hwnd()) != menu_.get()) return;
    ::SendMessageW(main_.MdiClient(), WM_MDISETMENU, reinterpret_cast<WPARAM>(main_.FrameMenu()),
                   reinterpret_cast<LPARAM>(main_.IdleWindowMenu()));
    ::DrawMenuBar(main_.hwnd());
}

// --- painting and scrolling ----------------------------------------------------------

void ShotWindow::Paint()
{
    win::PaintDC dc(hwnd_);
    const RECT& area = dc.area();
    const POINT at = view_.Position();
    const int right = picture_->Width() - at.x, bottom = picture_->Height() - at.y;
    const int x = area.left, y = area.top;
    const int w = std::min<int>(area.right, right) - x, h = std::min<int>(area.bottom, bottom) - y;
    if (w > 0 && h > 0) ::BitBlt(dc.get(), x, y, w, h, picture_->DC(), x + at.x, y + at.y, SRCCOPY);
    const HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
    const RECT beside{std::max<int>(area.left, right), area.top, area.right, area.bottom};
    const RECT below{area.left, std::max<int>(area.top, bottom), std::min<int>(area.right, right), area.bottom};
    if (beside.left < beside.right) ::FillRect(dc.get(), &beside, face);
    if (below.top < below.bottom && below.left < below.right) ::FillRect(dc.get(), &below, face);
}

// --- mouse ---------------------------------------------------------------------------

core::Point ShotWindow::ToPicture(LPARAM lp) const noexcept
{
    const POINT at = view_.Position();
    return {GET_X_LPARAM(lp) + at.x, GET_Y_LPARAM(lp) + at.y};
}

bool ShotWindow::OverPicture(core::Point p) const noexcept
{
    return p.x >= 0 && p.y >= 0 && p.x < picture_->Width() && p.y < picture_->Height();
}

void ShotWindow::OnButtonDown(bool primaryButton, LPARAM lp)
{
    const core::Point p = ToPicture(lp);
    if (OverPicture(p)) OnPictureButtonDown(primaryButton, p);
}

void ShotWindow::OnButtonUp(bool primaryButton, LPARAM lp)
{
    // While the pointer is captured the release counts wherever it happens.
    if ((primaryButton && primaryDrag_) || OverPicture(ToPicture(lp))) OnPictureButtonUp(primaryButton);
}

// --- messages ------------------------------------------------------------------------

LRESULT ShotWindow::OnCreate()
{
    view_.Fit(hwnd_, picture_->Width(), picture_->Height());
    return 0;
}

// Capture taken away mid-drag (another window, a key): the drag ends where it is.
void ShotWindow::OnCaptureLost(HWND newCapture)
{
    if (!primaryDrag_ || newCapture == hwnd_) return;
    primaryDrag_ = false;
    if (!selection_.Dragging()) return;
    selection_.Release();
    UpdateCopyCaptions();
}

LRESULT ShotWindow::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return ::DefMDIChildProcW(hwnd_, msg, wp, lp); }

LRESULT ShotWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_MDIACTIVATE:
            if (reinterpret_cast<HWND>(lp) == hwnd_)
                OnActivate();
            else if (reinterpret_cast<HWND>(wp) == hwnd_ && lp == 0)
                OnDeactivate();
            return 0;
        case WM_COMMAND:
            if (OnCommand(LOWORD(wp))) return 0;
            break;
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: view_.Fit(hwnd_, picture_->Width(), picture_->Height()); break;
        case WM_HSCROLL: view_.OnScroll(hwnd_, SB_HORZ, LOWORD(wp)); return 0;
        case WM_VSCROLL: view_.OnScroll(hwnd_, SB_VERT, LOWORD(wp)); return 0;
        case WM_MOUSEWHEEL: view_.OnWheel(hwnd_, GET_WHEEL_DELTA_WPARAM(wp)); return 0;
        case WM_LBUTTONDOWN: OnButtonDown(true, lp); return 0;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: OnButtonDown(false, lp); return 0;
        case WM_LBUTTONUP: OnButtonUp(true, lp); return 0;
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: OnButtonUp(false, lp); return 0;
        case WM_MOUSEMOVE: {
            const core::Point p = ToPicture(lp);
            if (primaryDrag_ || OverPicture(p)) OnPictureMouseMove(p);
            return 0;
        }
        case WM_CAPTURECHANGED: OnCaptureLost(reinterpret_cast<HWND>(lp)); return 0;
        case WM_DESTROY: OnDeactivate(); break;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace app
