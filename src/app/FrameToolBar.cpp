#include "app/FrameToolBar.h"

#include <uxtheme.h>

#include <iterator>
#include <utility>

#include "resource.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/SystemLibrary.h"
#include "win32/Window.h"

namespace app {
namespace {

constexpr COLORREF kGlyphMask = RGB(255, 0, 255);
constexpr int kGlyphCount = 17;

struct ToolButton {
    int glyph;
    int id;
    BYTE style;
    const wchar_t* hint;  // nullptr: the copy caption of the active shot window
};
constexpr ToolButton kButtons[] = {
    {0, IDB_FULL_SCREEN, BTNS_CHECKGROUP, L"デスクトップ|デスクトップ"},
    {1, IDB_ACTIVE_WINDOW, BTNS_CHECKGROUP, L"アクティブウィンドウ"},
    {2, IDB_CURSOR_WINDOW, BTNS_CHECKGROUP, L"カーソル位置のウィンドウ"},
    {6, IDB_ALL_SCREENS, BTNS_CHECKGROUP, L"すべての画面"},
    {15, IDB_REGION, BTNS_CHECKGROUP, L"範囲を指定"},
    {16, IDB_SCROLLING, BTNS_CHECKGROUP, L"スクロールして取り込む"},
    {-1, 0, BTNS_SEP, nullptr},
    {3, IDB_START_CAPTURE, BTNS_BUTTON, L"キャプチャー開始"},
    {-1, 0, BTNS_SEP, nullptr},
    {4, IDB_COPY_CLIPBOARD, BTNS_BUTTON, nullptr},
    {-1, 0, BTNS_SEP, nullptr},
    {7, IDM_TOOL_SELECT, BTNS_CHECKGROUP, L"選択"},
    {8, IDM_TOOL_ARROW, BTNS_CHECKGROUP, L"矢印"},
    {9, IDM_TOOL_BOX, BTNS_CHECKGROUP, L"四角"},
    {10, IDM_TOOL_TEXT, BTNS_CHECKGROUP, L"テキスト"},
    {11, IDM_TOOL_NUMBER, BTNS_CHECKGROUP, L"番号"},
    {12, IDM_TOOL_HIGHLIGHTER, BTNS_CHECKGROUP, L"蛍光ペン"},
    {-1, 0, BTNS_SEP, nullptr},
    {13, IDB_MARK_COLOUR, BTNS_WHOLEDROPDOWN, L"色"},
    {14, IDB_MARK_WIDTH, BTNS_WHOLEDROPDOWN, L"線の太さ"},
};
// The drawing tools' buttons, in the order of core::Tool, and the colour and width beside them.
constexpr int kToolButtons[] = {IDM_TOOL_SELECT, IDM_TOOL_ARROW,  IDM_TOOL_BOX,
                                IDM_TOOL_TEXT,   IDM_TOOL_NUMBER, IDM_TOOL_HIGHLIGHTER};
constexpr int kStyleButtons[] = {IDB_MARK_COLOUR, IDB_MARK_WIDTH};
// The capture modes' buttons, in the order of core::CaptureMode.
constexpr int kModeButtons[] = {IDB_FULL_SCREEN, IDB_ACTIVE_WINDOW, IDB_CURSOR_WINDOW,
                                IDB_ALL_SCREENS, IDB_REGION,        IDB_SCROLLING};
static_assert(std::size(kModeButtons) == static_cast<size_t>(core::CaptureMode::Scrolling) + 1);

// Checks the button of `ids` at `checked` and unchecks the others (all of them for an index past the last).
template <size_t N>
void CheckOnly(HWND bar, const int (&ids)[N], size_t checked)
{
    for (size_t i = 0; i < N; ++i)
        ::SendMessageW(bar, TB_CHECKBUTTON, ids[i], MAKELPARAM(i == checked, 0));
}

// The tool-bar strip scaled to the glyph size of the DPI, nearest pixel, so the pixel art stays crisp.
win::OwnedBitmap ScaledStrip(HBITMAP strip, int size)
{
    win::WindowDC screen(nullptr);
    win::OwnedDC source(win::ThrowLastErrorIfNull(::CreateCompatibleDC(screen.get())));
    win::OwnedDC target(win::ThrowLastErrorIfNull(::CreateCompatibleDC(screen.get())));
    win::OwnedBitmap scaled(
        win::ThrowLastErrorIfNull(::CreateCompatibleBitmap(screen.get(), size * kGlyphCount, size)));
    win::SelectedObject fromStrip(source.get(), strip);
    win::SelectedObject intoScaled(target.get(), scaled.get());
    ::SetStretchBltMode(target.get(), COLORONCOLOR);
    ::StretchBlt(target.get(), 0, 0, size * kGlyphCount, size, source.get(), 0, 0, 16 * kGlyphCount, 16, SRCCOPY);
    return scaled;
}

win::OwnedImageList MakeGlyphs(UINT dpi)
{
    const int size = win::Scale(16, dpi);
    win::OwnedBitmap strip(win::ThrowLastErrorIfNull(static_cast<HBITMAP>(
        ::LoadImageW(win::Instance(), MAKEINTRESOURCEW(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))));
    win::OwnedImageList images(
        win::ThrowLastErrorIfNull(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kGlyphCount, 0)));
    if (size != 16) strip = ScaledStrip(strip.get(), size);
    ::ImageList_AddMasked(images.get(), strip.get(), kGlyphMask);
    return images;
}

}  // namespace

void FrameToolBar::Create(HWND frame)
{
    hwnd_ = win::ThrowLastErrorIfNull(::CreateWindowExW(
        0, TOOLBARCLASSNAMEW, nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
        0, 0, 0, 0, frame, nullptr, win::Instance(), nullptr));
    ::SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(hwnd_, TB_SETMAXTEXTROWS, 0, 0);
    ::SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    ShowThemeFor(false);  // the tool bar starts raised
}

void FrameToolBar::ApplyDpi(UINT dpi)
{
    const bool firstTime = !images_;
    win::OwnedImageList images = MakeGlyphs(dpi);
    ::SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    images_ = std::move(images);
    const int glyph = win::Scale(16, dpi);
    ::SendMessageW(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(glyph, glyph));
    ::SendMessageW(hwnd_, TB_SETBUTTONSIZE, 0, MAKELPARAM(win::Scale(23, dpi), win::Scale(22, dpi)));
    ::SendMessageW(hwnd_, TB_SETINDENT, win::Scale(3, dpi), 0);
    const int separator = win::Scale(8, dpi);
    if (firstTime) {
        TBBUTTON buttons[std::size(kButtons)]{};
        for (size_t i = 0; i < std::size(kButtons); ++i) {
            const ToolButton& b = kButtons[i];
            buttons[i].iBitmap = b.style == BTNS_SEP ? separator : b.glyph;
            buttons[i].idCommand = b.id;
            buttons[i].fsState = b.style == BTNS_SEP ? 0 : TBSTATE_ENABLED;
            buttons[i].fsStyle = b.style;
        }
        ::SendMessageW(hwnd_, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
        ShowTool(core::Tool::Select);
        EnableMarkTools(false);  // until a shot is active
        return;
    }
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        if (kButtons[i].style != BTNS_SEP) continue;
        TBBUTTONINFOW info{sizeof(info), TBIF_BYINDEX | TBIF_SIZE};
        info.cx = static_cast<WORD>(separator);
        ::SendMessageW(hwnd_, TB_SETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&info));
    }
}

void FrameToolBar::SetFlat(bool flat)
{
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
    const LONG_PTR wanted = flat ? (style | TBSTYLE_FLAT) : (style & ~static_cast<LONG_PTR>(TBSTYLE_FLAT));
    if (wanted == style) return;
    ::SetWindowLongPtrW(hwnd_, GWL_STYLE, wanted);
    ShowThemeFor(flat);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

// Under a visual style every button is drawn flat; raised ones need the classic look. Without
// the theme functions there is no visual style to take off.
void FrameToolBar::ShowThemeFor(bool flat)
{
    const win::SystemLibrary library(L"uxtheme.dll");
    if (const auto setTheme = library.Function<decltype(&::SetWindowTheme)>("SetWindowTheme"))
        setTheme(hwnd_, flat ? nullptr : L"", flat ? nullptr : L"");
}

bool FrameToolBar::IsFlat() const noexcept { return ::GetWindowLongPtrW(hwnd_, GWL_STYLE) & TBSTYLE_FLAT; }

// The colour button shows the colour in use in its glyph's middle.
LRESULT FrameToolBar::OnCustomDraw(const NMTBCUSTOMDRAW& draw) const
{
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return IsFlat() && draw.nmcd.dwItemSpec != IDB_MARK_COLOUR ? CDRF_DODEFAULT : CDRF_NOTIFYPOSTPAINT;
        case CDDS_ITEMPOSTPAINT: {
            if (draw.nmcd.dwItemSpec == IDB_MARK_COLOUR) PaintSwatch(draw);
            if (IsFlat()) return CDRF_DODEFAULT;
            const bool down = draw.nmcd.uItemState & (CDIS_CHECKED | CDIS_SELECTED);
            RECT edge = draw.nmcd.rc;
            ::DrawEdge(draw.nmcd.hdc, &edge, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
            return CDRF_DODEFAULT;
        }
        default: return CDRF_DODEFAULT;
    }
}

void FrameToolBar::PaintSwatch(const NMTBCUSTOMDRAW& draw) const
{
    const UINT dpi = win::DpiOf(hwnd_);
    const int glyph = win::Scale(16, dpi), side = win::Scale(8, dpi);
    RECT button = draw.nmcd.rc;
    // The glyph stands at the left of a drop-down button, centred in the button's height.
    const int left = button.left + (win::Scale(23, dpi) - glyph) / 2 + (glyph - side) / 2;
    const int top = button.top + (button.bottom - button.top - side) / 2;
    RECT swatch{left, top, left + side, top + side};
    win::OwnedBrush brush(::CreateSolidBrush(swatch_));
    if (brush) ::FillRect(draw.nmcd.hdc, &swatch, brush.get());
    ::FrameRect(draw.nmcd.hdc, &swatch, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void FrameToolBar::ShowTool(core::Tool tool) { CheckOnly(hwnd_, kToolButtons, static_cast<size_t>(tool)); }

void FrameToolBar::ShowStyle(const core::MarkStyle& style)
{
    swatch_ = RGB((style.colour >> 16) & 0xFF, (style.colour >> 8) & 0xFF, style.colour & 0xFF);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void FrameToolBar::EnableMarkTools(bool on)
{
    for (const int id : kToolButtons)
        ::SendMessageW(hwnd_, TB_ENABLEBUTTON, id, MAKELPARAM(on, 0));
    for (const int id : kStyleButtons)
        ::SendMessageW(hwnd_, TB_ENABLEBUTTON, id, MAKELPARAM(on, 0));
}

void FrameToolBar::ShowMode(core::CaptureMode mode) { CheckOnly(hwnd_, kModeButtons, static_cast<size_t>(mode)); }

void FrameToolBar::FillTip(NMTTDISPINFOW& tip, const std::wstring& copyHint)
{
    std::wstring hint;
    for (const ToolButton& b : kButtons)
        if (b.id == static_cast<int>(tip.hdr.idFrom)) hint = b.hint ? b.hint : copyHint;
    tipText_ = hint.substr(0, hint.find(L'|'));
    tip.lpszText = tipText_.data();
    tip.hinst = nullptr;
}

}  // namespace app
