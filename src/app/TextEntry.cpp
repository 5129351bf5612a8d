#include "app/TextEntry.h"

#include <commctrl.h>

#include "win32/ErrorReport.h"
#include "win32/Text.h"
#include "win32/TextGlyphs.h"
#include "win32/Window.h"

namespace app {
namespace {

constexpr UINT_PTR kFieldId = 1919;

}  // namespace

void TextEntry::Open(HWND parent, POINT at, int pixelHeight, COLORREF colour, const std::wstring& text)
{
    Close();
    font_ = win::MakeMarkFont(pixelHeight);
    colour_ = colour;
    field_ = win::ThrowLastErrorIfNull(::CreateWindowExW(
        0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
        at.x, at.y, pixelHeight * 2, pixelHeight + 4, parent, reinterpret_cast<HMENU>(kFieldId), win::Instance(), nullptr));
    ::SendMessageW(field_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ::SendMessageW(field_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    ::SetWindowSubclass(field_, &FieldProc, 0, 0);
    Fit();
    ::SetFocus(field_);
    ::SendMessageW(field_, EM_SETSEL, static_cast<WPARAM>(text.size()), static_cast<LPARAM>(text.size()));
}

std::wstring TextEntry::Text() const
{
    if (!field_) return {};
    std::wstring text = win::TextOf(field_);
    // The field's lines end in CR LF; a text's lines are apart by LF.
    text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
    return text;
}

void TextEntry::Close() noexcept
{
    if (!field_) return;
    const HWND field = field_;
    field_ = nullptr;  // first: taking the field away takes its focus, which must not end the typing again
    const HWND parent = ::GetParent(field);
    const bool hadFocus = ::GetFocus() == field;
    ::DestroyWindow(field);
    if (hadFocus && parent) ::SetFocus(parent);
    font_.reset();
}

void TextEntry::MoveTo(POINT at) noexcept
{
    if (field_) ::SetWindowPos(field_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TextEntry::Colours(HDC dc) const noexcept
{
    ::SetTextColor(dc, colour_);
    ::SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
}

void TextEntry::Fit()
{
    if (!field_) return;
    std::wstring text = win::TextOf(field_);
    text += L"  ";  // room for the next character and the caret
    win::WindowDC dc(field_);
    win::SelectedObject font(dc.get(), font_.get());
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    ::SetWindowPos(field_, nullptr, 0, 0, r.right + 4, r.bottom + 4, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Esc ends the typing; the parent hears it after the key is done with.
LRESULT CALLBACK TextEntry::FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) noexcept
{
    if (msg == WM_KEYDOWN && wp == VK_ESCAPE) {
        ::PostMessageW(::GetParent(hwnd), kTypingEnds, reinterpret_cast<WPARAM>(hwnd), 0);
        return 0;
    }
    if (msg == WM_CHAR && wp == VK_ESCAPE) return 0;
    if (msg == WM_KILLFOCUS) ::PostMessageW(::GetParent(hwnd), kTypingEnds, reinterpret_cast<WPARAM>(hwnd), 0);
    if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &FieldProc, 0);
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace app
