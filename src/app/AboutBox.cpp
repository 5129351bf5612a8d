#include "app/AboutBox.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "resource.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"
#include "win32/Text.h"
#include "win32/ModalForm.h"
#include "win32/SystemLibrary.h"

namespace app {
namespace {

const win::WindowClass kBoxClass{.name = L"TfrmAbout"};
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
constexpr wchar_t kFileVersionPath[] = L"\\StringFileInfo\\041103A4\\FileVersion";

enum ControlId : int { kOkButton = IDOK, kIcon = 100, kProductName, kVersionLine, kRightsLine, kProducerLine };

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
    {kIcon, L"Static", nullptr, SS_ICON, 59, 12, 0, 0, Face::Arial, true},
    {kProductName, L"Static", L"Pixtrove!", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 103, 8, 0, 0, Face::Tahoma, true},
    {kVersionLine, L"Static", kPlaceholderVersion, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 106, 32, 0, 0, Face::Arial, true},
    {kRightsLine, L"Static", L"Copyright (C) 2026 Kvn. All rights reserved.", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 11, 60,
     0, 0, Face::Arial, false},
    {kProducerLine, L"Static", L"Produced by Kvn", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 49, 80, 0, 0, Face::Arial, false},
    {kOkButton, L"Button", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 87, 105, 75, 25, Face::Arial, false},
};

class AboutBox final : public win::ModalForm {
public:
    explicit AboutBox(MainFrame& main);
    ~AboutBox() override
    {
        if (hwnd_) ::DestroyWindow(hwnd_);
    }
    void ShowModal() { RunModal(main_.hwnd()); }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnButton(int) override { Close(); }
    void CreateControls();
    void ApplyDpi(UINT dpi);
    void ShowVersion();
    void SizeLabel(HWND label, const ControlLayout& layout, UINT dpi);
    void PaintPanel();
    LRESULT LabelColours(HDC dc, HWND control);

    HWND Control(ControlId id) const noexcept { return ::GetDlgItem(hwnd_, id); }

    MainFrame& main_;
    win::OwnedFont arial_;
    win::OwnedFont tahoma_;
    win::OwnedIcon icon_;
};

AboutBox::AboutBox(MainFrame& main) : main_(main)
{
    CreateCentred(main.hwnd(), kBoxClass, L"ﾊﾞｰｼﾞｮﾝ情報", kStyle, kExStyle, kClientWidth, kClientHeight, [this] {
        CreateControls();
        ShowVersion();
    });
}

void AboutBox::CreateControls()
{
    for (const ControlLayout& c : kControls) {
        win::ThrowLastErrorIfNull(::CreateWindowExW(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, 0, 0, 0, 0,
                                                    hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                                    win::Instance(), nullptr));
    }
    SetKeyboard({kOkButton}, kOkButton, 0);
    ApplyDpi(win::DpiOf(hwnd_));
    Recentre(main_.hwnd(), kClientWidth, kClientHeight);
}

// Everything whose size is given at 96 dpi.
void AboutBox::ApplyDpi(UINT dpi)
{
    win::OwnedFont arial = win::MakeFont(L"Arial", -12, ANSI_CHARSET, dpi);
    win::OwnedFont tahoma = win::MakeFont(L"Tahoma", -16, ANSI_CHARSET, dpi);
    const int iconSize = win::Scale(kIconSize, dpi);
    win::OwnedIcon icon(win::ThrowLastErrorIfNull(static_cast<HICON>(
        ::LoadImageW(win::Instance(), MAKEINTRESOURCEW(IDI_PIXTROVE), IMAGE_ICON, iconSize, iconSize, 0))));

    for (const ControlLayout& c : kControls) {
        const HWND control = Control(c.id);
        const HFONT font = c.face == Face::Tahoma ? tahoma.get() : arial.get();
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (c.id == kIcon) {
            ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
            ::MoveWindow(control, win::Scale(c.left, dpi), win::Scale(c.top, dpi), iconSize, iconSize, TRUE);
        } else if (c.id == kOkButton) {
            ::MoveWindow(control, win::Scale(c.left, dpi), win::Scale(c.top, dpi), win::Scale(c.width, dpi),
                         win::Scale(c.height, dpi), TRUE);
        } else {
            SizeLabel(control, c, dpi);
        }
    }
    arial_ = std::move(arial);
    tahoma_ = std::move(tahoma);
    icon_ = std::move(icon);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

// A label is as large as its text in its font.
void AboutBox::SizeLabel(HWND label, const ControlLayout& layout, UINT dpi)
{
    const std::wstring text = win::TextOf(label);
    win::WindowDC dc(label);
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
    win::SelectedObject selected(dc.get(), font);
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    ::MoveWindow(label, win::Scale(layout.left, dpi), win::Scale(layout.top, dpi), r.right, r.bottom, TRUE);
}

void AboutBox::ShowVersion()
{
    const HWND line = Control(kVersionLine);
    ::SetWindowTextW(line, VersionText(win::ProgramPath()).c_str());
    const UINT dpi = win::DpiOf(hwnd_);
    for (const ControlLayout& c : kControls)
        if (c.id == kVersionLine) SizeLabel(line, c, dpi);
}

void AboutBox::PaintPanel()
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
LRESULT AboutBox::LabelColours(HDC dc, HWND control)
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

LRESULT AboutBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_PAINT: PaintPanel(); return 0;
        case WM_CTLCOLORSTATIC: return LabelColours(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        case WM_COMMAND:
            if (LOWORD(wp) != kOkButton || HIWORD(wp) != BN_CLICKED) break;
            Close();
            return 0;
        case WM_ACTIVATE:
            // The button is the only control that takes the focus.
            if (LOWORD(wp) != WA_INACTIVE) ::SetFocus(Control(kOkButton));
            return 0;
        case WM_CLOSE: Close(); return 0;
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
    const win::SystemLibrary library(L"version.dll");
    const auto infoSize = library.Function<decltype(&::GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
    const auto info = library.Function<decltype(&::GetFileVersionInfoW)>("GetFileVersionInfoW");
    const auto query = library.Function<decltype(&::VerQueryValueW)>("VerQueryValueW");
    if (!infoSize || !info || !query)
        throw win::SystemError(library.LoadError() != ERROR_SUCCESS ? library.LoadError() : ERROR_PROC_NOT_FOUND);

    // The wide functions, so that a program in a folder whose name the ANSI code page
    // cannot spell still finds its own version.
    DWORD handle = 0;
    const DWORD size = infoSize(programPath.c_str(), &handle);
    if (size == 0) return kNoVersion;
    std::vector<char> block(size);
    info(programPath.c_str(), 0, size, block.data());
    void* value = nullptr;
    UINT length = 0;
    if (!query(block.data(), kFileVersionPath, &value, &length) || !value) return kPlaceholderVersion;
    // Up to the NUL, and never past the block.
    const auto* text = static_cast<const wchar_t*>(value);
    const auto* end = reinterpret_cast<const wchar_t*>(block.data() + block.size());
    if (reinterpret_cast<const char*>(text) < block.data() || text >= end) return kPlaceholderVersion;
    return L"Version. " + std::wstring(text, wcsnlen(text, static_cast<size_t>(end - text)));
}

void ShowAboutBox(MainFrame& main)
{
    AboutBox box(main);
    box.ShowModal();
}

}  // namespace app
