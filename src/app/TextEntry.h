#pragma once
// Typing a text mark in place: an edit control over the shot window, so that the input method
// (Japanese input) works as in any text field. Enter starts a new line; Esc, or the field
// losing the keyboard, ends the typing, which the window hears as kTypingEnds (with the field
// in wParam: one that has gone already is no longer the window's business).
#include <windows.h>

#include <string>

#include "win32/Handles.h"

namespace app {

inline constexpr UINT kTypingEnds = WM_APP + 19;

class TextEntry {
public:
    TextEntry() = default;
    TextEntry(const TextEntry&) = delete;
    TextEntry& operator=(const TextEntry&) = delete;
    ~TextEntry() { Close(); }

    // Opens the field at `at` (the parent's client coordinates) holding `text`, in the program's
    // UI face `pixelHeight` pixels high and in `colour`, with the keyboard.
    void Open(HWND parent, POINT at, int pixelHeight, COLORREF colour, const std::wstring& text);
    bool IsOpen() const noexcept { return field_ != nullptr; }
    HWND Field() const noexcept { return field_; }
    std::wstring Text() const;
    // Puts the field at `at` (the parent's client coordinates), as its place scrolls.
    void MoveTo(POINT at) noexcept;
    // Takes the field away; the text typed is what Text() gave.
    void Close() noexcept;

    // The parent's WM_CTLCOLOREDIT for the field: its colours.
    LRESULT Colours(HDC dc) const noexcept;
    // The parent's EN_CHANGE: the field grows with its text.
    void Fit();

private:
    static LRESULT CALLBACK FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) noexcept;

    HWND field_ = nullptr;
    win::OwnedFont font_;
    COLORREF colour_ = 0;
};

}  // namespace app
