// The main window's capture sequence: the start button's countdown, the user's keys, and the
// grab into a new shot window.
#include <exception>
#include <optional>
#include <vector>

#include "app/MainFrame.h"
#include "app/ScrollCapture.h"
#include "app/ShotWindow.h"
#include "core/ReadOut.h"
#include "win32/Dpi.h"
#include "win32/Foreground.h"
#include "win32/Monitors.h"
#include "win32/Picture.h"
#include "win32/Pointer.h"
#include "win32/ScreenProbe.h"
#include "win32/Text.h"
#include "win32/TopWindows.h"
#include "win32/Clipboard.h"

namespace app {

std::span<const MainFrame::KeyHandler> MainFrame::KeyHandlers() noexcept
{
    static constexpr KeyHandler kHandlers[] = {
        {core::KeyAction::Region, &MainFrame::OnRegionKey},
        {core::KeyAction::Target, &MainFrame::OnTargetKey},
        {core::KeyAction::Window, &MainFrame::OnWindowKey},
        {core::KeyAction::Delayed, &MainFrame::OnStartCapture},
        {core::KeyAction::Scroll, &MainFrame::OnScrollKey},
    };
    return kHandlers;
}

void MainFrame::SetHotKeys(bool on)
{
    settings_.SetHotKeys(on);
    TakeKeys();
}

void MainFrame::SetKey(core::KeyAction action, core::ChosenKey key)
{
    settings_.SetKey(action, key);
    TakeKeys();
}

void MainFrame::TakeKeys()
{
    if (keysOnHold_) return;
    win::HandledActions handled{};
    for (const KeyHandler& handler : KeyHandlers())
        handled[core::Index(handler.action)] = true;
    hotKeys_.Apply(hwnd_, settings_.Values().hotKeys, settings_.Values().keys, handled);
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

// A second press during the wait keeps the first deadline, and its countdown.
void MainFrame::OnStartCapture()
{
    ::ShowWindow(hwnd_, SW_MINIMIZE);
    const bool waiting = captureTimer_.Enabled() || settleTimer_.Enabled();
    captureTimer_.SetEnabled(true);
    if (!waiting && captureTimer_.Interval() > 0)
        countdown_ = std::make_unique<CountdownWindow>(hwnd_, ::GetTickCount64() + captureTimer_.Interval());
}

// The countdown has left the screen by the tick; one that has not (a busy moment) goes now and
// the grab waits for the screen beneath it to be drawn again.
void MainFrame::OnCaptureTick()
{
    captureTimer_.SetEnabled(false);
    const bool showing = countdown_ && countdown_->Showing();
    countdown_.reset();
    if (showing) {
        settleTimer_.SetEnabled(true);
        return;
    }
    CaptureNow(settings_.Values().mode);
}

void MainFrame::OnSettleTick()
{
    settleTimer_.SetEnabled(false);
    CaptureNow(settings_.Values().mode);
}

// From the countdown: no shot, the program back as it was before the start.
void MainFrame::OnCountdownCancelled()
{
    if (!captureTimer_.Enabled() && !settleTimer_.Enabled()) return;
    captureTimer_.SetEnabled(false);
    settleTimer_.SetEnabled(false);
    countdown_.reset();
    win::BringBack(hwnd_);
}

void MainFrame::OnHotKey(WPARAM id)
{
    const std::optional<core::KeyAction> action = win::ActionFromHotKeyId(id);
    if (!action) return;
    for (const KeyHandler& handler : KeyHandlers())
        if (handler.action == *action) (this->*handler.run)();
}

// A key takes the screen as the user sees it at the press: no delay, nothing hidden. A
// countdown under way runs on.
void MainFrame::OnTargetKey() { CaptureNow(settings_.Values().mode); }

void MainFrame::OnWindowKey() { CaptureNow(core::CaptureMode::ActiveWindow); }

// The overlay at once, whatever the mode.
void MainFrame::OnRegionKey() { CaptureNow(core::CaptureMode::Region); }

// A scrolling capture at once, whatever the mode.
void MainFrame::OnScrollKey() { CaptureNow(core::CaptureMode::Scrolling); }

void MainFrame::CaptureNow(core::CaptureMode mode)
{
    // The overlay is no part of any picture; while it is up the screen is frozen anyway.
    if (overlay_) return;
    if (scrolling_) return;
    win::ScreenProbe probe;
    if (mode == core::CaptureMode::Region || mode == core::CaptureMode::Scrolling) {
        OpenRegionOverlay(probe.VirtualScreen(), mode);
        return;
    }
    const core::ScreenRect target = core::CaptureTargetRect(mode, probe);
    // The program comes back whatever the grab did; only then is an error reported.
    std::exception_ptr failure;
    try {
        CaptureScreenRect(target);
    } catch (...) {
        failure = std::current_exception();
    }
    win::BringBack(hwnd_);
    secondLookTimer_.SetEnabled(true);
    if (failure) std::rethrow_exception(failure);
}

void MainFrame::StartScrollCapture(core::ScreenRect rect)
{
    if (scrolling_) return;
    std::exception_ptr failure;
    try {
        ScrollCaptureRect(rect);
    } catch (...) {
        failure = std::current_exception();
    }
    win::BringBack(hwnd_);
    secondLookTimer_.SetEnabled(true);
    if (failure) std::rethrow_exception(failure);
}

// An empty rectangle is the empty grab of the other modes.
void MainFrame::ScrollCaptureRect(const core::ScreenRect& rect)
{
    if (rect.width <= 0 || rect.height <= 0) {
        CaptureScreenRect(rect);
        return;
    }
    scrolling_ = true;
    ScrollOutcome outcome;
    try {
        outcome = RunScrollCapture(rect);
    } catch (...) {
        scrolling_ = false;
        throw;
    }
    scrolling_ = false;
    if (!outcome.picture) return;
    win::BringBack(hwnd_);
    OpenShot(std::move(outcome.picture));
    ShowReadOut(outcome.text);
}

void MainFrame::RedrawShots()
{
    ::SendMessageW(mdiClient_, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(mdiClient_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void MainFrame::OpenShot(std::unique_ptr<win::Picture> picture, std::vector<core::Mark> marks)
{
    MakeShot(std::move(picture), core::ShotCaption(shotCount_ + 1), {}, std::move(marks));
    ++shotCount_;
}

void MainFrame::MakeShot(std::unique_ptr<win::Picture> picture, const std::string& caption, std::wstring origin,
                         std::vector<core::Mark> marks)
{
    // Under Wine a new MDI child's frame is drawn on creation and again on activation: the
    // shot windows' area is drawn once, at the end.
    ::SendMessageW(mdiClient_, WM_SETREDRAW, FALSE, 0);
    try {
        ShotWindow::Create(*this, std::move(picture), caption, std::move(origin), std::move(marks));
    } catch (...) {
        RedrawShots();
        throw;
    }
    RedrawShots();
}

// The drawing tools work on a shot: greyed while none is active.
void MainFrame::ShowFrameMenu()
{
    ShowMenus(frameMenu_.get(), idleWindowMenu_.get());
    toolBar_.EnableMarkTools(false);
}

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
    if (bar != frameMenu_.get()) toolBar_.EnableMarkTools(true);
}

void MainFrame::CaptureScreenRect(const core::ScreenRect& rect)
{
    // The screen is read before the shot window exists, so a shot never shows itself.
    std::unique_ptr<win::Picture> picture = win::GrabScreen(rect);
    if (!picture) return;
    // Before the black: the pointer is only where a monitor shows it.
    if (settings_.Values().captureCursor) win::DrawPointer(picture->DC(), rect);
    win::BlackenOffScreenParts(picture->DC(), rect);
    // Back on screen before the window is made, so the frame's default placement gives it a
    // proper size rather than that of a minimised frame.
    win::BringBack(hwnd_);
    OpenShot(std::move(picture));
}

// The screen is frozen at the key or the tick: the picture is grabbed and the windows noted
// before the overlay exists. A minimised frame comes back if nothing opens. For the scrolling
// capture a click takes the part of a window that scrolls, and the capture reads the live screen.
void MainFrame::OpenRegionOverlay(const core::Rect& bounds, core::CaptureMode mode)
{
    if (overlay_) return;
    const bool scrolling = mode == core::CaptureMode::Scrolling;
    const core::ScreenRect rect{bounds.left, bounds.top, bounds.Width(), bounds.Height()};
    std::exception_ptr failure;
    try {
        std::unique_ptr<win::Picture> frozen = win::GrabScreen(rect);
        if (frozen) {
            // The pointer where it was at the key, before the black as for the other targets; the
            // scrolling capture's picture is read from the live screen instead.
            if (settings_.Values().captureCursor && !scrolling) win::DrawPointer(frozen->DC(), rect);
            win::BlackenOffScreenParts(frozen->DC(), rect);
            std::vector<core::PickArea> areas = scrolling ? core::ScrollPickAreas(win::LaidWindows())
                                                          : core::WholeWindows(win::TopLevelWindowRects());
            foregroundAtOverlay_ = ::GetForegroundWindow();
            overlay_ = &RegionOverlay::Open(*this, std::move(frozen), bounds, std::move(areas), win::MonitorRects(),
                                            scrolling ? RegionOverlay::Handing::Place : RegionOverlay::Handing::Pixels);
            return;
        }
    } catch (...) {
        failure = std::current_exception();
    }
    if (::IsIconic(hwnd_)) win::BringBack(hwnd_);
    if (failure) std::rethrow_exception(failure);
}

void MainFrame::RegionTaken(std::unique_ptr<win::Picture> part)
{
    overlay_ = nullptr;
    std::exception_ptr failure;
    try {
        const win::Picture& shown = *part;  // the shot window's from here
        win::BringBack(hwnd_);
        OpenShot(std::move(part));
        if (CopyRegionToClipboard()) application_.OfferOnClipboard(win::SnapshotOf(shown, {0, 0, shown.Width(), shown.Height()}));
    } catch (...) {
        failure = std::current_exception();
    }
    win::BringBack(hwnd_);
    secondLookTimer_.SetEnabled(true);
    if (failure) std::rethrow_exception(failure);
}

void MainFrame::RegionChosen(core::Rect chosen)
{
    overlay_ = nullptr;
    StartScrollCapture({chosen.left, chosen.top, chosen.Width(), chosen.Height()});
}

// Nothing is made; the program is as before: a frame minimised for the capture comes back,
// otherwise the window that had the keyboard gets it again.
void MainFrame::RegionCancelled()
{
    overlay_ = nullptr;
    if (::IsIconic(hwnd_))
        win::BringBack(hwnd_);
    else if (foregroundAtOverlay_ && ::IsWindow(foregroundAtOverlay_))
        ::SetForegroundWindow(foregroundAtOverlay_);
}

}  // namespace app
