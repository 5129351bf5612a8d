#include "app/Cap.h"

#include <windowsx.h>

#include <algorithm>

#include "app/Main.h"
#include "app/Menus.h"
#include "app/ShotSave.h"
#include "core/CopyRect.h"
#include "core/ReadOut.h"
#include "resource.h"
#include "win32/Clipboard.h"
#include "win32/ErrorReport.h"
#include "win32/Text.h"

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"TfrmCap";
constexpr int kWheelStep = 48;

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

}  // namespace

TfrmCap& TfrmCap::Create(TRorUruvodi& main, std::unique_ptr<win::Picture> picture, const std::string& caption)
{
    WNDCLASSEXW wc{};
    wc.hInstance = Instance();
    wc.lpszClassName = kClassName;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_CROSS);
    wc.hIcon = ::LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_SHOT));
    // Shared: this runs for every shot, and the class keeps only the first one's icon.
    wc.hIconSm =
        static_cast<HICON>(::LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_SHOT), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hbrBackground = nullptr;  // Paint fills what the picture does not cover
    RegisterClassOnce(wc);

    auto shot = std::unique_ptr<TfrmCap>(new TfrmCap(main, std::move(picture)));
    const std::wstring title = win::Widen(caption);
    const HWND hwnd = ::CreateMDIWindowW(kClassName, title.c_str(), WS_HSCROLL | WS_VSCROLL | WS_VISIBLE, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main.MdiClient(), Instance(),
                                         reinterpret_cast<LPARAM>(shot.get()));
    if (!hwnd) win::ThrowLastError();
    shot->FOwnsSelf = true;
    return *shot.release();
}

TfrmCap* TfrmCap::FromHandle(HWND hwnd) noexcept
{
    if (!hwnd) return nullptr;
    wchar_t name[16]{};
    if (!::GetClassNameW(hwnd, name, static_cast<int>(std::size(name))) || lstrcmpW(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<TfrmCap*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

TfrmCap::TfrmCap(TRorUruvodi& main, std::unique_ptr<win::Picture> picture)
    : FMain(main), FPicture(std::move(picture)), FSelection(*this, FPicture->Width(), FPicture->Height())
{
    FCapMenu.reset(BuildShotMenu(FWindowMenu));
}

// --- the picture and the selection ---------------------------------------------------

void TfrmCap::InvertFrame(core::Point a, core::Point b)
{
    FPicture->InvertFrame(a, b);
    // Only the strips that changed are repainted, whatever the picture's size.
    const core::FrameStrips ring = core::FrameRing(a, b);
    for (int i = 0; i < ring.count; ++i) {
        const core::Rect& s = ring.strips[static_cast<size_t>(i)];
        const RECT r{s.left - FScroll.x, s.top - FScroll.y, s.right - FScroll.x, s.bottom - FScroll.y};
        ::InvalidateRect(hwnd_, &r, FALSE);
    }
}

void TfrmCap::UpdateCopyCaptions()
{
    const std::string_view caption = core::CopyCaption(FSelection.Selected());
    FMain.SetCopyHint(caption);
    const std::wstring item = win::Widen(caption) + L"\tCtrl+C";
    ::ModifyMenuW(FCapMenu.get(), IDM_COPY, MF_BYCOMMAND | MF_STRING, IDM_COPY, item.c_str());
}

void TfrmCap::ImageMouseDown(bool primaryButton, core::Point p)
{
    FSelection.Press(p);
    UpdateCopyCaptions();
    if (primaryButton) {
        FPrimaryDrag = true;
        ::SetCapture(hwnd_);
    }
}

void TfrmCap::ImageMouseMove(core::Point p)
{
    if (FSelection.Dragging()) FSelection.Move(p);
    FMain.SetReadOut(core::ReadOutText(p, FSelection.SelStart(), FSelection.SelEnd()));
}

void TfrmCap::ImageMouseUp(bool primaryButton)
{
    if (primaryButton && FPrimaryDrag) {
        FPrimaryDrag = false;
        if (::GetCapture() == hwnd_) ::ReleaseCapture();
    }
    if (!FSelection.Dragging()) return;
    FSelection.Release();
    UpdateCopyCaptions();
}

void TfrmCap::mnSelectAllClick()
{
    FSelection.SelectAll();
    UpdateCopyCaptions();
}

void TfrmCap::mnSelectCancelClick()
{
    FSelection.Cancel();
    UpdateCopyCaptions();
}

void TfrmCap::mnCopyClick()
{
    if (!FSelection.Selected()) mnSelectAllClick();
    const core::Rect source = core::CopySourceRect(FSelection.SelStart(), FSelection.SelEnd());
    // An empty selection (a click without a drag) has no picture to give: whatever the
    // clipboard holds stays there.
    if (source.Empty()) return;
    win::CopyPictureToClipboard(*FPicture, source, FMain.ApplicationWindow());
}

void TfrmCap::mnSaveClick()
{
    SaveShot(FMain.SaveTargets(), FMain.hwnd(), win::Narrow(win::TextOf(hwnd_)), *FPicture, FSelection);
}

// --- window commands -----------------------------------------------------------------

void TfrmCap::mnCloseClick() { ::SendMessageW(hwnd_, WM_CLOSE, 0, 0); }
void TfrmCap::mnExitClick() { FMain.mnExitClick(); }
void TfrmCap::mnCascadeClick() { ::SendMessageW(FMain.MdiClient(), WM_MDICASCADE, 0, 0); }
void TfrmCap::mnTileClick() { ::SendMessageW(FMain.MdiClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0); }

void TfrmCap::FormActivate()
{
    ::SendMessageW(FMain.MdiClient(), WM_MDISETMENU, reinterpret_cast<WPARAM>(FCapMenu.get()),
                   reinterpret_cast<LPARAM>(FWindowMenu));
    ::DrawMenuBar(FMain.hwnd());
    UpdateCopyCaptions();
}

// The frame shows its own menus again unless another shot window takes over.
void TfrmCap::FormDeactivate()
{
    if (::GetMenu(FMain.hwnd()) != FCapMenu.get()) return;
    ::SendMessageW(FMain.MdiClient(), WM_MDISETMENU, reinterpret_cast<WPARAM>(FMain.FrameMenu()), 0);
    ::DrawMenuBar(FMain.hwnd());
}

// --- painting and scrolling ----------------------------------------------------------

void TfrmCap::Paint()
{
    win::PaintDC dc(hwnd_);
    const RECT& area = dc.area();
    const int right = FPicture->Width() - FScroll.x, bottom = FPicture->Height() - FScroll.y;
    const int x = area.left, y = area.top;
    const int w = std::min<int>(area.right, right) - x, h = std::min<int>(area.bottom, bottom) - y;
    if (w > 0 && h > 0) ::BitBlt(dc.get(), x, y, w, h, FPicture->DC(), x + FScroll.x, y + FScroll.y, SRCCOPY);
    const HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
    const RECT beside{std::max<int>(area.left, right), area.top, area.right, area.bottom};
    const RECT below{area.left, std::max<int>(area.top, bottom), std::min<int>(area.right, right), area.bottom};
    if (beside.left < beside.right) ::FillRect(dc.get(), &beside, face);
    if (below.top < below.bottom && below.left < below.right) ::FillRect(dc.get(), &below, face);
}

void TfrmCap::UpdateScrollBars()
{
    // Showing one bar narrows the client area and may call for the other: settle in two rounds.
    for (int round = 0; round < 2; ++round) {
        RECT client{};
        ::GetClientRect(hwnd_, &client);
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS};
        si.nMax = FPicture->Width() - 1;
        si.nPage = static_cast<UINT>(client.right);
        si.nPos = FScroll.x;
        ::SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
        si.nMax = FPicture->Height() - 1;
        si.nPage = static_cast<UINT>(client.bottom);
        si.nPos = FScroll.y;
        ::SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
    }
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    ScrollTo(std::clamp<int>(FScroll.x, 0, std::max<int>(0, FPicture->Width() - client.right)),
             std::clamp<int>(FScroll.y, 0, std::max<int>(0, FPicture->Height() - client.bottom)));
}

void TfrmCap::ScrollTo(int x, int y)
{
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    x = std::clamp<int>(x, 0, std::max<int>(0, FPicture->Width() - client.right));
    y = std::clamp<int>(y, 0, std::max<int>(0, FPicture->Height() - client.bottom));
    if (x == FScroll.x && y == FScroll.y) return;
    // Repainted from the picture rather than shifted on screen: one copy of the client area,
    // and never a stale pixel from a part of the screen that was covered.
    FScroll = {x, y};
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    ::SetScrollPos(hwnd_, SB_HORZ, x, TRUE);
    ::SetScrollPos(hwnd_, SB_VERT, y, TRUE);
}

void TfrmCap::OnScroll(int bar, WORD request)
{
    SCROLLINFO si{sizeof(si), SIF_ALL};
    ::GetScrollInfo(hwnd_, bar, &si);
    int pos = si.nPos;
    const int page = static_cast<int>(si.nPage);
    switch (request) {
        case SB_LINEUP: pos -= 16; break;
        case SB_LINEDOWN: pos += 16; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        case SB_TOP: pos = si.nMin; break;
        case SB_BOTTOM: pos = si.nMax; break;
        default: return;
    }
    if (bar == SB_HORZ)
        ScrollTo(pos, FScroll.y);
    else
        ScrollTo(FScroll.x, pos);
}

// --- mouse ---------------------------------------------------------------------------

core::Point TfrmCap::ToPicture(LPARAM lp) const noexcept
{
    return {GET_X_LPARAM(lp) + FScroll.x, GET_Y_LPARAM(lp) + FScroll.y};
}

bool TfrmCap::OverImage(core::Point p) const noexcept
{
    return p.x >= 0 && p.y >= 0 && p.x < FPicture->Width() && p.y < FPicture->Height();
}

void TfrmCap::OnButtonDown(bool primaryButton, LPARAM lp)
{
    const core::Point p = ToPicture(lp);
    if (OverImage(p)) ImageMouseDown(primaryButton, p);
}

void TfrmCap::OnButtonUp(bool primaryButton, LPARAM lp)
{
    // While the pointer is captured the release counts wherever it happens.
    if ((primaryButton && FPrimaryDrag) || OverImage(ToPicture(lp))) ImageMouseUp(primaryButton);
}

// --- messages ------------------------------------------------------------------------

LRESULT TfrmCap::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return ::DefMDIChildProcW(hwnd_, msg, wp, lp); }

LRESULT TfrmCap::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_CREATE: UpdateScrollBars(); return 0;
        case WM_MDIACTIVATE:
            if (reinterpret_cast<HWND>(lp) == hwnd_)
                FormActivate();
            else if (reinterpret_cast<HWND>(wp) == hwnd_ && lp == 0)
                FormDeactivate();
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDM_CLOSE: mnCloseClick(); return 0;
                case IDM_EXIT: mnExitClick(); return 0;
                case IDM_SAVE: mnSaveClick(); return 0;
                case IDM_COPY: mnCopyClick(); return 0;
                case IDM_SELECT_ALL: mnSelectAllClick(); return 0;
                case IDM_SELECT_CANCEL: mnSelectCancelClick(); return 0;
                case IDM_CASCADE: mnCascadeClick(); return 0;
                case IDM_TILE: mnTileClick(); return 0;
            }
            break;
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: UpdateScrollBars(); break;
        case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wp)); return 0;
        case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wp)); return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(FScroll.x, FScroll.y - GET_WHEEL_DELTA_WPARAM(wp) * kWheelStep / WHEEL_DELTA);
            return 0;
        case WM_LBUTTONDOWN: OnButtonDown(true, lp); return 0;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: OnButtonDown(false, lp); return 0;
        case WM_LBUTTONUP: OnButtonUp(true, lp); return 0;
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: OnButtonUp(false, lp); return 0;
        case WM_MOUSEMOVE: {
            const core::Point p = ToPicture(lp);
            if (FPrimaryDrag || OverImage(p)) ImageMouseMove(p);
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Capture taken away mid-drag (another window, a key): the drag ends where it is.
            if (FPrimaryDrag && reinterpret_cast<HWND>(lp) != hwnd_) {
                FPrimaryDrag = false;
                if (FSelection.Dragging()) {
                    FSelection.Release();
                    UpdateCopyCaptions();
                }
            }
            return 0;
        case WM_DESTROY: FormDeactivate(); break;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace app
