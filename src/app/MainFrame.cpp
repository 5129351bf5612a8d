#include "app/MainFrame.h"

#include <exception>
#include <iterator>
#include <optional>
#include <utility>

#include "app/AboutBox.h"
#include "app/Commands.h"
#include "app/Help.h"
#include "app/Menus.h"
#include "app/SettingsDialog.h"
#include "app/ShotKeeper.h"
#include "app/ShotWindow.h"
#include "core/ReadOut.h"
#include "resource.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/Foreground.h"
#include "win32/Monitors.h"
#include "win32/Picture.h"
#include "win32/ScreenProbe.h"
#include "win32/Text.h"

namespace app {
namespace {

const win::WindowClass kFrameClass{.name = L"TRorUruvodi", .icon = IDI_PIXTROVE};
constexpr UINT_PTR kCaptureTimerId = 1;
constexpr UINT_PTR kSettleTimerId = 2;
constexpr UINT_PTR kSecondLookTimerId = 3;

}  // namespace

MainFrame::MainFrame(ApplicationWindow& application, bool endsApplication, ShotKeeper* keeper)
    : application_(application),
      endsApplication_(endsApplication),
      frameMenu_(BuildFrameMenu()),
      idleWindowMenu_(win::ThrowLastErrorIfNull(::CreatePopupMenu())),
      keeper_(keeper)
{
    // Files dropped anywhere on the frame come to it (WM_DROPFILES).
    Create(kFrameClass, WS_EX_ACCEPTFILES, win::kAppTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, win::kDefaultPlace, nullptr,
           frameMenu_.get());
    // A settings error is reported; the window still opens, with the rest of the start skipped.
    win::GuardedVoid([this] { LoadStoredSettings(); });
    win::GuardedVoid([this] { OpenKeptShots(); });
}

MainFrame::~MainFrame()
{
    if (hwnd_) {
        endsApplication_ = false;
        ::DestroyWindow(hwnd_);
    }
}

void MainFrame::Show(int command)
{
    ::ShowWindow(hwnd_, command);
    ::UpdateWindow(hwnd_);
}

HWND MainFrame::ActiveShot() const noexcept
{
    return mdiClient_ ? reinterpret_cast<HWND>(::SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

LRESULT MainFrame::OnCreate()
{
    static const INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    toolBar_.Create(hwnd_);
    statusBar_ = win::ThrowLastErrorIfNull(::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr,
                                                             WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hwnd_,
                                                             nullptr, win::Instance(), nullptr));
    CLIENTCREATESTRUCT ccs{nullptr, IDM_FIRST_CHILD};
    mdiClient_ = win::ThrowLastErrorIfNull(::CreateWindowExW(
        WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0,
        0, 0, 0, hwnd_, nullptr, win::Instance(), &ccs));
    ApplyDpi(win::DpiOf(hwnd_));
    accelerators_ = MakeAccelerators();
    captureTimer_.Attach(hwnd_, kCaptureTimerId);
    settleTimer_.Attach(hwnd_, kSettleTimerId);
    secondLookTimer_.Attach(hwnd_, kSecondLookTimerId);
    return 0;
}

void MainFrame::LoadStoredSettings()
{
    // The keys are asked for once, for all the load has reached, however it ends.
    keysOnHold_ = true;
    try {
        core::LoadSettings(store_, *this, settings_.Reached());
    } catch (...) {
        keysOnHold_ = false;
        TakeKeys();
        throw;
    }
    keysOnHold_ = false;
    TakeKeys();
    toolBar_.ShowMode(settings_.Values().mode);
    helpFile_ = WithExtension(win::ProgramPath(), L".hlp");
    shotCount_ = 0;
}

// Everything whose size is given at 96 dpi.
void MainFrame::ApplyDpi(UINT dpi)
{
    font_ = win::MakeUiFont(dpi);
    ::SendMessageW(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    SetStatusParts(dpi);
    toolBar_.ApplyDpi(dpi);
    Layout();
}

// The second panel is 50 pixels wide, and reaches the zoom panel at the right edge while it
// shows the notice of the keys, so that the notice can be read; the zoom panel is 60 wide.
void MainFrame::SetStatusParts(UINT dpi)
{
    const bool notice = !HotKeyNotice().empty() || !keptNotice_.empty();
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const int zoomFrom = std::max(win::Scale(260, dpi), static_cast<int>(client.right) - win::Scale(80, dpi));
    const int parts[] = {win::Scale(200, dpi), notice ? zoomFrom : win::Scale(250, dpi),
                         notice ? -1 : win::Scale(310, dpi)};
    ::SendMessageW(statusBar_, SB_SETPARTS, std::size(parts), reinterpret_cast<LPARAM>(parts));
}

void MainFrame::Layout()
{
    if (!mdiClient_) return;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const int toolHeight = win::Scale(29, win::DpiOf(hwnd_));
    SetStatusParts(win::DpiOf(hwnd_));
    ::MoveWindow(toolBar_.hwnd(), 0, 0, client.right, toolHeight, TRUE);
    ::SendMessageW(statusBar_, WM_SIZE, 0, 0);
    RECT status{};
    ::GetWindowRect(statusBar_, &status);
    const int statusHeight = ::IsWindowVisible(statusBar_) ? status.bottom - status.top : 0;
    ::MoveWindow(mdiClient_, 0, toolHeight, client.right, std::max(0L, client.bottom - toolHeight - statusHeight),
                 TRUE);
}

// --- settings -----------------------------------------------------------------------

// Each setter keeps its value in the settings, which lets the next save write it: the load
// calls them only for values it has reached, and the user for what the user set. Then the
// value is put in force.
void MainFrame::SetCaptureMode(core::CaptureMode mode) { settings_.SetCaptureMode(mode); }

void MainFrame::SetCaptureDelay(std::int32_t seconds)
{
    settings_.SetCaptureDelay(seconds);
    const UINT before = captureTimer_.Interval();
    captureTimer_.SetInterval(static_cast<UINT>(settings_.Values().delay) * 1000u);
    // A new delay restarts a wait under way, and its countdown with it.
    if (countdown_ && captureTimer_.Interval() != before) {
        countdown_.reset();
        countdown_ = std::make_unique<CountdownWindow>(hwnd_, ::GetTickCount64() + captureTimer_.Interval());
    }
}

void MainFrame::SetFlatToolBar(bool flat)
{
    settings_.SetFlatToolBar(flat);
    toolBar_.SetFlat(flat);
}

void MainFrame::SetRegionCopy(bool copy) { settings_.SetRegionCopy(copy); }

void MainFrame::SetCaptureCursor(bool drawn) { settings_.SetCaptureCursor(drawn); }

// The dialog sets every setting it shows, so each of these has had its setter's rule.
void MainFrame::ApplySettings(const core::Settings& edited)
{
    const bool keptBefore = settings_.Values().keepShots;
    settings_ = edited;
    captureTimer_.SetInterval(static_cast<UINT>(settings_.Values().delay) * 1000u);
    toolBar_.SetFlat(settings_.Values().flatToolBar);
    TakeKeys();
    if (settings_.Values().keepShots != keptBefore) PutKeepingInForce();
}

void MainFrame::SaveSettings() { core::SaveSettings(store_, settings_.Values(), settings_.Writable()); }

// --- commands -----------------------------------------------------------------------

void MainFrame::OnClose()
{
    SaveSettings();  // a failure keeps the window open
    ::DestroyWindow(hwnd_);
}

void MainFrame::OnExit()
{
    SaveSettings();
    ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void MainFrame::OnSettings() { ShowSettingsDialog(*this); }

void MainFrame::OnAbout() { ShowAboutBox(*this); }

void MainFrame::OnHelpContents()
{
    if (!helpFile_.empty()) OpenHelpContents(*shell_, hwnd_, helpFile_);
}

void MainFrame::OnCopyButton()
{
    if (const HWND shot = ActiveShot()) ::SendMessageW(shot, WM_COMMAND, IDM_COPY, 0);
}

void MainFrame::ShowReadOut(std::string_view utf8)
{
    const std::wstring text = win::Widen(utf8);
    ::SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainFrame::SetCopyHint(std::string_view utf8) { copyHint_ = win::Widen(utf8); }

void MainFrame::ShowZoom(std::string_view utf8)
{
    const std::wstring text = win::Widen(utf8);
    ::SendMessageW(statusBar_, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(text.c_str()));
}

// --- messages -----------------------------------------------------------------------

LRESULT MainFrame::DefaultProc(UINT msg, WPARAM wp, LPARAM lp)
{
    return ::DefFrameProcW(hwnd_, mdiClient_, msg, wp, lp);
}

bool MainFrame::OnCommand(UINT id)
{
    switch (id) {
        case IDM_EXIT: OnExit(); return true;
        case IDM_ENVIRONMENT: OnSettings(); return true;
        case IDM_CONTENTS: OnHelpContents(); return true;
        case IDM_ABOUT: OnAbout(); return true;
        case IDM_OPEN: OnOpen(); return true;
        case IDM_PASTE_NEW: OnPasteNew(); return true;
        case IDB_FULL_SCREEN: SetCaptureMode(core::CaptureMode::Desktop); return true;
        case IDB_ACTIVE_WINDOW: SetCaptureMode(core::CaptureMode::ActiveWindow); return true;
        case IDB_CURSOR_WINDOW: SetCaptureMode(core::CaptureMode::CursorWindow); return true;
        case IDB_ALL_SCREENS: SetCaptureMode(core::CaptureMode::AllScreens); return true;
        case IDB_REGION: SetCaptureMode(core::CaptureMode::Region); return true;
        case IDB_SCROLLING: SetCaptureMode(core::CaptureMode::Scrolling); return true;
        case IDB_START_CAPTURE: OnStartCapture(); return true;
        case IDB_COPY_CLIPBOARD: OnCopyButton(); return true;
        default: break;
    }
    // The shot windows' commands; with none open there is nothing to do.
    if (OnMarkCommand(id)) return true;
    const Command* command = FindCommand(id);
    if (!command || command->owner != CommandOwner::Shot) return false;
    if (const HWND shot = ActiveShot()) ::SendMessageW(shot, WM_COMMAND, id, 0);
    return true;
}

LRESULT MainFrame::OnNotify(NMHDR& header)
{
    if (header.code == TTN_GETDISPINFOW) toolBar_.FillTip(reinterpret_cast<NMTTDISPINFOW&>(header), copyHint_);
    if (header.code == TBN_DROPDOWN && header.hwndFrom == toolBar_.hwnd()) {
        ShowMarkPopup(reinterpret_cast<const NMTOOLBARW&>(header));
        return TBDDRET_DEFAULT;
    }
    if (header.code == NM_CUSTOMDRAW && header.hwndFrom == toolBar_.hwnd())
        return toolBar_.OnCustomDraw(reinterpret_cast<const NMTBCUSTOMDRAW&>(header));
    return 0;
}

LRESULT MainFrame::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_SIZE: Layout(); return 0;
        case WM_DPICHANGED:
            ApplyDpi(HIWORD(wp));
            win::MoveToSuggestedRect(hwnd_, lp);
            return 0;
        case WM_COMMAND:
            if (OnCommand(LOWORD(wp))) return 0;
            break;
        case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lp));
        case WM_TIMER:
            if (wp == captureTimer_.Id()) {
                OnCaptureTick();
                return 0;
            }
            if (wp == settleTimer_.Id()) {
                OnSettleTick();
                return 0;
            }
            if (wp == secondLookTimer_.Id()) {
                secondLookTimer_.SetEnabled(false);
                win::BringBackAgainIfLost(hwnd_);
                return 0;
            }
            break;
        case kCountdownCancelled: OnCountdownCancelled(); return 0;
        case WM_HOTKEY: OnHotKey(wp); return 0;
        case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wp)); return 0;
        case WM_INITMENUPOPUP:
            // The clipboard changes behind the program's back: asked as the menu opens.
            ShowClipboardCommandStates(reinterpret_cast<HMENU>(wp), CanPasteNew());
            break;
        case WM_NCPAINT: ++frameDrawings_; break;
        case WM_CLOSE: OnClose(); return 0;
        case WM_ENDSESSION:
            // The process may end as soon as this returns: the shots are kept as they stand.
            if (wp && keeper_) keeper_->WaitUntilWritten();
            return 0;
        case WM_DESTROY:
            ::SetMenu(hwnd_, nullptr);  // the frame menu is ours to destroy
            if (overlay_) std::exchange(overlay_, nullptr)->Dismiss();
            countdown_.reset();
            hotKeys_.Release();
            if (endsApplication_) ::PostQuitMessage(0);
            return 0;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace app
