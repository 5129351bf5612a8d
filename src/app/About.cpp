#include "app/About.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/Main.h"
#include "resource.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"
#include "win32/Text.h"
#include "win32/ModalForm.h"

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"TfrmAbout";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

// Sizes are at 96 dpi.
constexpr int kClientWidth = 250;
constexpr int kClientHeight = 140;
constexpr int kPanelHeight = 53;
constexpr int kIconSize = 32;

constexpr wchar_t kNoVersion[] = L"No version information found";
// The version line as the box is laid out; it stays when the file has version information
// but no Japanese FileVersion.
constexpr wchar_t kPlaceholderVersion[] = L"Version 99.99.99";
constexpr char kFileVersionPath[] = "\\StringFileInfo\\041103A4\\FileVersion";

enum ControlId : int { kBtnExit = IDOK, kImage1 = 100, kLabel2, kLblVersion, kLabel1, kLabel4 };

enum class Face { Arial, Tahoma };

// Labels size themselves to their text; the icon sizes itself to the icon.
struct ControlLayout {
    ControlId id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int left, top, width, height;  // width and height only for the button
    Face face;
    bool onPanel;  // drawn on the white panel
};

constexpr ControlLayout kControls[] = {
    {kImage1, L"Static", nullptr, SS_ICON, 59, 12, 0, 0, Face::Arial, true},
    {kLabel2, L"Static", L"Pixtrove!", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 103, 8, 0, 0, Face::Tahoma, true},
    {kLblVersion, L"Static", kPlaceholderVersion, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 106, 32, 0, 0, Face::Arial, true},
    {kLabel1, L"Static", L"Copyright (C) 2026 Kvn. All rights reserved.", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 11, 60, 0, 0,
     Face::Arial, false},
    {kLabel4, L"Static", L"Produced by Kvn", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 49, 80, 0, 0, Face::Arial, false},
    {kBtnExit, L"Button", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 87, 105, 75, 25, Face::Arial, false},
};

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty()) return {};
    const int n =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(const char* text, size_t length)
{
    if (length == 0) return {};
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), out.data(), n);
    return out;
}

class TfrmAbout final : public win::ModalForm {
public:
    explicit TfrmAbout(TRorUruvodi& main);
    ~TfrmAbout() override;

    void ShowModal();

private:
    bool Closed() const noexcept override { return FClosed; }
    bool DialogKey(const MSG& msg) override;

    void FormCreate();
    void btnExitClick();

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void CreateControls();
    void ApplyDpi(UINT dpi);
    void SizeLabel(HWND label, const ControlLayout& layout, UINT dpi);
    void PaintPanel();
    LRESULT LabelColours(HDC dc, HWND control);

    HWND Control(ControlId id) const noexcept { return ::GetDlgItem(hwnd_, id); }

    TRorUruvodi& FMain;
    HWND lblVersion = nullptr;
    HWND btnExit = nullptr;
    win::OwnedFont FArial;
    win::OwnedFont FTahoma;
    win::OwnedIcon FIcon;
    bool FClosed = false;
};

TfrmAbout::TfrmAbout(TRorUruvodi& main) : FMain(main)
{
    CreateCentred(main.hwnd(), kClassName, L"ﾊﾞｰｼﾞｮﾝ情報", kStyle, kExStyle, kClientWidth, kClientHeight, [this] {
        CreateControls();
        FormCreate();
    });
}

TfrmAbout::~TfrmAbout()
{
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void TfrmAbout::CreateControls()
{
    for (const ControlLayout& c : kControls) {
        if (!::CreateWindowExW(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, 0, 0, 0, 0, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), Instance(), nullptr))
            win::ThrowLastError();
    }
    lblVersion = Control(kLblVersion);
    btnExit = Control(kBtnExit);

    const UINT dpi = win::DpiOf(hwnd_);
    ApplyDpi(dpi);
    const RECT at = win::CentredOver(FMain.hwnd(), win::Scale(kClientWidth, dpi), win::Scale(kClientHeight, dpi),
                                     kStyle, kExStyle, dpi);
    ::SetWindowPos(hwnd_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

// Everything whose size is given at 96 dpi.
void TfrmAbout::ApplyDpi(UINT dpi)
{
    win::OwnedFont arial = win::MakeFont(L"Arial", -12, ANSI_CHARSET, dpi);
    win::OwnedFont tahoma = win::MakeFont(L"Tahoma", -16, ANSI_CHARSET, dpi);
    const int iconSize = win::Scale(kIconSize, dpi);
    win::OwnedIcon icon(static_cast<HICON>(
        ::LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_PIXTROVE), IMAGE_ICON, iconSize, iconSize, 0)));
    if (!icon) win::ThrowLastError();

    for (const ControlLayout& c : kControls) {
        const HWND control = Control(c.id);
        const HFONT font = c.face == Face::Tahoma ? tahoma.get() : arial.get();
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (c.id == kImage1) {
            ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
            ::MoveWindow(control, win::Scale(c.left, dpi), win::Scale(c.top, dpi), iconSize, iconSize, TRUE);
        } else if (c.id == kBtnExit) {
            ::MoveWindow(control, win::Scale(c.left, dpi), win::Scale(c.top, dpi), win::Scale(c.width, dpi),
                         win::Scale(c.height, dpi), TRUE);
        } else {
            SizeLabel(control, c, dpi);
        }
    }
    FArial = std::move(arial);
    FTahoma = std::move(tahoma);
    FIcon = std::move(icon);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

// A label is as large as its text in its font.
void TfrmAbout::SizeLabel(HWND label, const ControlLayout& layout, UINT dpi)
{
    const std::wstring text = win::TextOf(label);
    win::WindowDC dc(label);
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
    win::SelectedObject selected(dc.get(), font);
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    ::MoveWindow(label, win::Scale(layout.left, dpi), win::Scale(layout.top, dpi), r.right, r.bottom, TRUE);
}

void TfrmAbout::FormCreate()
{
    ::SetWindowTextW(lblVersion, VersionText(win::ProgramPath()).c_str());
    const UINT dpi = win::DpiOf(hwnd_);
    for (const ControlLayout& c : kControls)
        if (c.id == kLblVersion) SizeLabel(lblVersion, c, dpi);
}

void TfrmAbout::ShowModal() { RunModal(FMain.hwnd()); }

// Enter presses the default button; the button takes Space itself.
bool TfrmAbout::DialogKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd)))
        return false;
    btnExitClick();
    return true;
}

void TfrmAbout::btnExitClick() { FClosed = true; }

void TfrmAbout::PaintPanel()
{
    win::PaintDC dc(hwnd_);
    const UINT dpi = win::DpiOf(hwnd_);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    RECT panel{0, 0, client.right, win::Scale(kPanelHeight, dpi)};
    ::FillRect(dc.get(), &panel, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::DrawEdge(dc.get(), &panel, BDR_SUNKENOUTER, BF_RECT);
}

// The labels on the panel are white like it; the others have the face colour.
LRESULT TfrmAbout::LabelColours(HDC dc, HWND control)
{
    const int id = ::GetDlgCtrlID(control);
    const bool onPanel = std::any_of(std::begin(kControls), std::end(kControls),
                                     [id](const ControlLayout& c) { return c.id == id && c.onPanel; });
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    if (onPanel) {
        ::SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TfrmAbout::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_PAINT: PaintPanel(); return 0;
        case WM_CTLCOLORSTATIC: return LabelColours(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        case WM_COMMAND:
            if (LOWORD(wp) == kBtnExit && HIWORD(wp) == BN_CLICKED) {
                btnExitClick();
                return 0;
            }
            break;
        case WM_ACTIVATE:
            // The button is the only control that takes the focus.
            if (LOWORD(wp) != WA_INACTIVE) ::SetFocus(btnExit);
            return 0;
        case WM_CLOSE: FClosed = true; return 0;
        case WM_DPICHANGED: {
            ApplyDpi(HIWORD(wp));
            win::MoveToSuggestedRect(hwnd_, lp);
            return 0;
        }
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace

std::wstring VersionText(const std::wstring& programPath)
{
    // The ANSI functions, as the version resource's string table is in the ANSI code page.
    const std::string path = ToAnsi(programPath);
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return kNoVersion;
    std::vector<char> block(size);
    ::GetFileVersionInfoA(path.c_str(), 0, size, block.data());
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), kFileVersionPath, &value, &length) || !value) return kPlaceholderVersion;
    // Up to the NUL, and never past the block.
    const char* text = static_cast<const char*>(value);
    const char* end = block.data() + block.size();
    if (text < block.data() || text >= end) return kPlaceholderVersion;
    return L"Version. " + FromAnsi(text, strnlen(text, static_cast<size_t>(end - text)));
}

void ShowAbout(TRorUruvodi& main)
{
    TfrmAbout box(main);
    box.ShowModal();
}

}  // namespace app
