// The main window's capture sequence: the start button's countdown, the Print Screen keys,
// and the grab into a new shot window.
#include <exception>
#include <optional>

#include "app/MainFrame.h"
#include "app/ShotWindow.h"
#include "core/ReadOut.h"
#include "win32/Dpi.h"
#include "win32/Foreground.h"
#include "win32/Monitors.h"
#include "win32/Picture.h"
#include "win32/ScreenProbe.h"
#include "win32/Text.h"

namespace app {

void MainFrame::SetHotKeys(bool on)
{
    hotKeysOn_ = on;
    writable_.Allow(core::Setting::HotKeys);
    hotKeys_.Apply(hwnd_, on);
    ShowHotKeyNotice();
}

// A key the program could not have, and kept files that could not be read, are told in the
// status bar, not in a box: neither is an error of what the user did.
void MainFrame::ShowHotKeyNotice()
{
    SetStatusParts(win::DpiOf(hwnd_));
    const std::string keys = HotKeyNotice();
    const std::wstring text =
        win::Widen(keys.empty() || keptNotice_.empty() ? keys + keptNotice_ : keys + "  " + keptNotice_);
    ::SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainFrame::OnStartCapture()
{
    ::ShowWindow(hwnd_, SW_MINIMIZE);
    captureTimer_.SetEnabled(true);
}

void MainFrame::OnCaptureTick()
{
    captureTimer_.SetEnabled(false);
    CaptureNow(captureMode_);
}

// Print Screen takes the screen as the user sees it at the press: no delay, nothing hidden.
// A countdown under way runs on.
void MainFrame::OnHotKey(WPARAM id)
{
    const std::optional<core::HotKey> key = win::HotKeyFromId(id);
    if (!key) return;
    switch (*key) {
        case core::HotKey::PrintScreen: CaptureNow(captureMode_); break;
        case core::HotKey::AltPrintScreen: CaptureNow(core::CaptureMode::ActiveWindow); break;
        case core::HotKey::CtrlPrintScreen: OnStartCapture(); break;
    }
}

void MainFrame::CaptureNow(core::CaptureMode mode)
{
    win::ScreenProbe probe;
    const core::ScreenRect target = core::CaptureTargetRect(mode, probe);
    // The program comes back whatever the grab did; only then is an error reported.
    std::exception_ptr failure;
    try {
        CaptureScreenRect(target);
    } catch (...) {
        failure = std::current_exception();
    }
    win::BringBack(hwnd_);
    if (failure) std::rethrow_exception(failure);
}

void MainFrame::RedrawShots()
{
    ::SendMessageW(mdiClient_, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(mdiClient_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void MainFrame::OpenShot(std::unique_ptr<win::Picture> picture)
{
    // Under Wine a new MDI child's frame is drawn on creation and again on activation: the
    // shot windows' area is drawn once, at the end.
    ::SendMessageW(mdiClient_, WM_SETREDRAW, FALSE, 0);
    try {
        ShotWindow::Create(*this, std::move(picture), core::ShotCaption(shotCount_ + 1));
    } catch (...) {
        RedrawShots();
        throw;
    }
    RedrawShots();
    ++shotCount_;
}

void MainFrame::ShowFrameMenu() { ShowMenus(frameMenu_.get(), idleWindowMenu_.get()); }

// Windows asks for DrawMenuBar after WM_MDISETMENU; Wine's MDI client has drawn the frame's
// bar already as it put the new menu on (drawing it twice cost 3-4 ms a capture). The bar is
// drawn here only if it was not, or if a maximised shot's buttons came into it afterwards.
void MainFrame::ShowMenus(HMENU bar, HMENU windowMenu)
{
    const unsigned drawingsBefore = frameDrawings_;
    ::SendMessageW(mdiClient_, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), reinterpret_cast<LPARAM>(windowMenu));
    BOOL maximised = FALSE;
    ::SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
    if (frameDrawings_ == drawingsBefore || maximised) ::DrawMenuBar(hwnd_);
}

void MainFrame::CaptureScreenRect(const core::ScreenRect& rect)
{
    // The screen is read before the shot window exists, so a shot never shows itself.
    std::unique_ptr<win::Picture> picture = win::GrabScreen(rect);
    if (!picture) return;
    win::BlackenOffScreenParts(picture->DC(), rect);
    // Back on screen before the window is made, so the frame's default placement gives it a
    // proper size rather than that of a minimised frame.
    win::BringBack(hwnd_);
    OpenShot(std::move(picture));
}

}  // namespace app
