#include "app/Main.h"

#include <windowsx.h>

#include <exception>
#include <iterator>

#include "app/About.h"
#include "app/Cap.h"
#include "app/Menus.h"
#include "app/OptionDlg.h"
#include "core/ReadOut.h"
#include "core/Geometry.h"
#include "resource.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/Picture.h"
#include "win32/ScreenProbe.h"
#include "win32/Text.h"

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"TRorUruvodi";
constexpr UINT_PTR kStartTimerId = 1;
constexpr COLORREF kGlyphMask = RGB(255, 0, 255);
constexpr int kGlyphCount = 6;

TRorUruvodi::HelpEngine gHelpEngine = &::WinHelpW;

struct ToolButton {
    int glyph;
    int id;
    BYTE style;
    const wchar_t* hint;
};
constexpr ToolButton kButtons[] = {
    {0, IDB_FULL_SCREEN, BTNS_CHECKGROUP, L"デスクトップ|デスクトップ"},
    {1, IDB_ACTIVE_WINDOW, BTNS_CHECKGROUP, L"アクティブウィンドウ"},
    {2, IDB_CURSOR_WINDOW, BTNS_CHECKGROUP, L"カーソル位置のウィンドウ"},
    {-1, 0, BTNS_SEP, nullptr},
    {3, IDB_START_CAPTURE, BTNS_BUTTON, L"キャプチャー開始"},
    {-1, 0, BTNS_SEP, nullptr},
    {4, IDB_COPY_CLIPBOARD, BTNS_BUTTON, nullptr},  // the copy caption of the active shot window
};
constexpr int kModeButtons[] = {IDB_FULL_SCREEN, IDB_ACTIVE_WINDOW, IDB_CURSOR_WINDOW};

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

std::wstring WithExtension(std::wstring path, std::wstring_view extension)
{
    const size_t slash = path.find_last_of(L"\\/:");
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.resize(dot);
    return path.append(extension);
}

// The tool-bar strip scaled to the glyph size of the DPI, nearest pixel, so the pixel art stays crisp.
win::OwnedImageList MakeToolbarImages(UINT dpi)
{
    const int size = win::Scale(16, dpi);
    win::OwnedBitmap strip(static_cast<HBITMAP>(
        ::LoadImageW(Instance(), MAKEINTRESOURCEW(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip) win::ThrowLastError();
    win::OwnedImageList images(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kGlyphCount, 0));
    if (!images) win::ThrowLastError();
    if (size == 16) {
        ::ImageList_AddMasked(images.get(), strip.get(), kGlyphMask);
        return images;
    }
    win::WindowDC screen(nullptr);
    win::OwnedDC source(::CreateCompatibleDC(screen.get()));
    win::OwnedDC target(::CreateCompatibleDC(screen.get()));
    win::OwnedBitmap scaled(::CreateCompatibleBitmap(screen.get(), size * kGlyphCount, size));
    if (!source || !target || !scaled) win::ThrowLastError();
    {
        win::SelectedObject fromStrip(source.get(), strip.get());
        win::SelectedObject intoScaled(target.get(), scaled.get());
        ::SetStretchBltMode(target.get(), COLORONCOLOR);
        ::StretchBlt(target.get(), 0, 0, size * kGlyphCount, size, source.get(), 0, 0, 16 * kGlyphCount, 16, SRCCOPY);
    }
    ::ImageList_AddMasked(images.get(), scaled.get(), kGlyphMask);
    return images;
}

}  // namespace

void TRorUruvodi::SetHelpEngine(HelpEngine engine) noexcept { gHelpEngine = engine ? engine : &::WinHelpW; }

TRorUruvodi::TRorUruvodi(HWND applicationWindow, bool endsApplication)
    : FApplication(applicationWindow), FEndsApplication(endsApplication)
{
    WNDCLASSEXW wc{};
    wc.hInstance = Instance();
    wc.lpszClassName = kClassName;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_PIXTROVE));
    wc.hIconSm =
        static_cast<HICON>(::LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_PIXTROVE), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassOnce(wc);

    FMainMenu = BuildFrameMenu();
    const HWND created =
        ::CreateWindowExW(0, kClassName, win::kAppTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, FMainMenu, Instance(), this);
    if (!created) {
        ::DestroyMenu(FMainMenu);
        win::ThrowLastError();
    }
}

TRorUruvodi::~TRorUruvodi()
{
    if (hwnd_) {
        FEndsApplication = false;
        ::DestroyWindow(hwnd_);
    }
}

void TRorUruvodi::Show(int command)
{
    ::ShowWindow(hwnd_, command);
    ::UpdateWindow(hwnd_);
}

HWND TRorUruvodi::ActiveShot() const noexcept
{
    return FMdiClient ? reinterpret_cast<HWND>(::SendMessageW(FMdiClient, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

// --- construction -------------------------------------------------------------------

void TRorUruvodi::CreateControls()
{
    static const INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    FToolBar = ::CreateWindowExW(
        0, TOOLBARCLASSNAMEW, nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
        0, 0, 0, 0, hwnd_, nullptr, Instance(), nullptr);
    FStatusBar = ::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                   hwnd_, nullptr, Instance(), nullptr);
    CLIENTCREATESTRUCT ccs{nullptr, IDM_FIRST_CHILD};
    FMdiClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, hwnd_,
                                   nullptr, Instance(), &ccs);
    if (!FToolBar || !FStatusBar || !FMdiClient) win::ThrowLastError();

    ::SendMessageW(FToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(FToolBar, TB_SETMAXTEXTROWS, 0, 0);
    ApplyDpi(win::DpiOf(hwnd_));

    ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'C', IDM_COPY},
        {FVIRTKEY | FCONTROL, 'A', IDM_SELECT_ALL},
        {FVIRTKEY | FCONTROL, 'S', IDM_SAVE},
        {FVIRTKEY, VK_F1, IDM_CONTENTS},
        {FVIRTKEY | FALT, VK_F4, IDM_EXIT},
    };
    FAccelerators.reset(::CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
    if (!FAccelerators) win::ThrowLastError();
    FStartTimer.Attach(hwnd_, kStartTimerId);
}

// Everything whose size is given at 96 dpi.
void TRorUruvodi::ApplyDpi(UINT dpi)
{
    FFont = win::MakeUiFont(dpi);
    ::SendMessageW(FStatusBar, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), TRUE);
    const int parts[] = {win::Scale(200, dpi), win::Scale(250, dpi)};
    ::SendMessageW(FStatusBar, SB_SETPARTS, std::size(parts), reinterpret_cast<LPARAM>(parts));

    const bool firstTime = !FToolbarImages;
    win::OwnedImageList images = MakeToolbarImages(dpi);
    ::SendMessageW(FToolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    FToolbarImages = std::move(images);
    const int glyph = win::Scale(16, dpi);
    ::SendMessageW(FToolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(glyph, glyph));
    ::SendMessageW(FToolBar, TB_SETBUTTONSIZE, 0, MAKELPARAM(win::Scale(23, dpi), win::Scale(22, dpi)));
    ::SendMessageW(FToolBar, TB_SETINDENT, win::Scale(3, dpi), 0);
    if (firstTime) {
        TBBUTTON buttons[std::size(kButtons)]{};
        for (size_t i = 0; i < std::size(kButtons); ++i) {
            const ToolButton& b = kButtons[i];
            buttons[i].iBitmap = b.style == BTNS_SEP ? win::Scale(8, dpi) : b.glyph;
            buttons[i].idCommand = b.id;
            buttons[i].fsState = b.style == BTNS_SEP ? 0 : TBSTATE_ENABLED;
            buttons[i].fsStyle = b.style;
        }
        ::SendMessageW(FToolBar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    } else {
        for (int i = 0; i < static_cast<int>(std::size(kButtons)); ++i) {
            if (kButtons[static_cast<size_t>(i)].style != BTNS_SEP) continue;
            TBBUTTONINFOW info{sizeof(info), TBIF_BYINDEX | TBIF_SIZE};
            info.cx = static_cast<WORD>(win::Scale(8, dpi));
            ::SendMessageW(FToolBar, TB_SETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        }
    }
    Layout();
}

void TRorUruvodi::Layout()
{
    if (!FToolBar) return;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const int toolHeight = win::Scale(29, win::DpiOf(hwnd_));
    ::MoveWindow(FToolBar, 0, 0, client.right, toolHeight, TRUE);
    ::SendMessageW(FStatusBar, WM_SIZE, 0, 0);
    RECT status{};
    ::GetWindowRect(FStatusBar, &status);
    const int statusHeight = ::IsWindowVisible(FStatusBar) ? status.bottom - status.top : 0;
    ::MoveWindow(FMdiClient, 0, toolHeight, client.right, std::max(0L, client.bottom - toolHeight - statusHeight),
                 TRUE);
}

void TRorUruvodi::FormCreate()
{
    LoadSettings();
    PressModeButton();
    FHelpFile = WithExtension(win::ProgramPath(), L".hlp");
    FShotCount = 0;
}

void TRorUruvodi::PressModeButton()
{
    for (size_t i = 0; i < std::size(kModeButtons); ++i)
        ::SendMessageW(FToolBar, TB_CHECKBUTTON, kModeButtons[i], MAKELPARAM(i == FCapMode, 0));
}

// --- settings -----------------------------------------------------------------------

void TRorUruvodi::SetCapMode(std::uint8_t mode) { FCapMode = mode; }

void TRorUruvodi::SetCapTime(std::int32_t seconds)
{
    FCapTime = core::CapTimeOrDefault(seconds);
    FStartTimer.SetInterval(static_cast<UINT>(FCapTime) * 1000u);
}

void TRorUruvodi::SetToolBarFlat(bool flat)
{
    FToolBarFlat = flat;
    const LONG_PTR style = ::GetWindowLongPtrW(FToolBar, GWL_STYLE);
    const LONG_PTR wanted = flat ? (style | TBSTYLE_FLAT) : (style & ~static_cast<LONG_PTR>(TBSTYLE_FLAT));
    if (wanted == style) return;
    ::SetWindowLongPtrW(FToolBar, GWL_STYLE, wanted);
    ::InvalidateRect(FToolBar, nullptr, TRUE);
}

void TRorUruvodi::LoadSettings() { core::LoadSettings(FStore, *this); }

void TRorUruvodi::SaveSettings() { core::SaveSettings(FStore, {FCapMode, FCapTime, FToolBarFlat}); }

// --- commands -----------------------------------------------------------------------

void TRorUruvodi::FormClose()
{
    SaveSettings();  // a failure keeps the window open
    ::DestroyWindow(hwnd_);
}

void TRorUruvodi::mnExitClick()
{
    SaveSettings();
    ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TRorUruvodi::mnEnvironmentClick() { ShowOptionDlg(*this); }

void TRorUruvodi::mnAboutClick() { ShowAbout(*this); }

void TRorUruvodi::mnContentsClick()
{
    if (FHelpFile.empty()) return;
    gHelpEngine(hwnd_, FHelpFile.c_str(), HELP_FINDER, 0);
}

void TRorUruvodi::btnFullScreenClick() { SetCapMode(cmDesktop); }
void TRorUruvodi::btnActiveWindowClick() { SetCapMode(cmActiveWindow); }
void TRorUruvodi::btnCursorWindowClick() { SetCapMode(cmCursorWindow); }

void TRorUruvodi::btnStartCaptureClick()
{
    ::ShowWindow(hwnd_, SW_MINIMIZE);
    FStartTimer.SetEnabled(true);
}

void TRorUruvodi::btnCopyClipboardClick()
{
    if (TfrmCap* shot = TfrmCap::FromHandle(ActiveShot())) shot->mnCopyClick();
}

void TRorUruvodi::StartTimerTimer()
{
    FStartTimer.SetEnabled(false);
    win::ScreenProbe probe;
    const core::ScreenRect target = core::CaptureTargetRect(FCapMode, probe);
    // The program comes back whatever the grab did; only then is an error reported.
    std::exception_ptr failure;
    try {
        CaptureScreenRect(target.left, target.top, target.width, target.height);
    } catch (...) {
        failure = std::current_exception();
    }
    RestoreApplication();
    if (failure) std::rethrow_exception(failure);
}

void TRorUruvodi::CaptureScreenRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    // The screen is read before the shot window exists, so a shot never shows itself.
    std::unique_ptr<win::Picture> picture = win::GrabScreen({left, top, width, height});
    if (!picture) return;
    // Back on screen before the window is made, so the frame's default placement gives it a
    // proper size rather than that of a minimised frame.
    RestoreApplication();
    TfrmCap::Create(*this, std::move(picture), core::ShotCaption(FShotCount + 1));
    ++FShotCount;
}

void TRorUruvodi::RestoreApplication()
{
    ::SetForegroundWindow(hwnd_);
    if (::IsIconic(hwnd_)) ::ShowWindow(hwnd_, SW_RESTORE);
}

void TRorUruvodi::SetReadOut(std::string_view utf8)
{
    const std::wstring text = win::Widen(utf8);
    ::SendMessageW(FStatusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TRorUruvodi::SetCopyHint(std::string_view utf8) { FCopyHint = win::Widen(utf8); }

// --- messages -----------------------------------------------------------------------

LRESULT TRorUruvodi::DefaultProc(UINT msg, WPARAM wp, LPARAM lp)
{
    return ::DefFrameProcW(hwnd_, FMdiClient, msg, wp, lp);
}

bool TRorUruvodi::OnCommand(UINT id)
{
    switch (id) {
        case IDM_EXIT: mnExitClick(); return true;
        case IDM_ENVIRONMENT: mnEnvironmentClick(); return true;
        case IDM_CONTENTS: mnContentsClick(); return true;
        case IDM_ABOUT: mnAboutClick(); return true;
        case IDB_FULL_SCREEN: btnFullScreenClick(); return true;
        case IDB_ACTIVE_WINDOW: btnActiveWindowClick(); return true;
        case IDB_CURSOR_WINDOW: btnCursorWindowClick(); return true;
        case IDB_START_CAPTURE: btnStartCaptureClick(); return true;
        case IDB_COPY_CLIPBOARD: btnCopyClipboardClick(); return true;
        case IDM_CLOSE:
        case IDM_SAVE:
        case IDM_COPY:
        case IDM_SELECT_ALL:
        case IDM_SELECT_CANCEL:
        case IDM_CASCADE:
        case IDM_TILE:
            // The shot window's own commands; with none open there is nothing to do.
            if (const HWND shot = ActiveShot()) ::SendMessageW(shot, WM_COMMAND, id, 0);
            return true;
        default: return false;
    }
}

LRESULT TRorUruvodi::OnNotify(const NMHDR& header)
{
    if (header.code != TTN_GETDISPINFOW) return 0;
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    std::wstring hint;
    for (const ToolButton& b : kButtons)
        if (b.id == static_cast<int>(header.idFrom)) hint = b.hint ? b.hint : FCopyHint;
    FTipText = hint.substr(0, hint.find(L'|'));
    info.lpszText = FTipText.data();
    info.hinst = nullptr;
    return 0;
}

LRESULT TRorUruvodi::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_CREATE:
            if (!win::Guarded(
                    [&] {
                        CreateControls();
                        return true;
                    },
                    false))
                return -1;
            win::GuardedVoid([&] { FormCreate(); });
            return 0;
        case WM_SIZE: Layout(); return 0;
        case WM_DPICHANGED: {
            ApplyDpi(HIWORD(wp));
            win::MoveToSuggestedRect(hwnd_, lp);
            return 0;
        }
        case WM_COMMAND:
            if (OnCommand(LOWORD(wp))) return 0;
            break;
        case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
        case WM_TIMER:
            if (wp == FStartTimer.Id()) {
                StartTimerTimer();
                return 0;
            }
            break;
        case WM_CLOSE: FormClose(); return 0;
        case WM_DESTROY:
            if (FEndsApplication) ::PostQuitMessage(0);
            return 0;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace app
