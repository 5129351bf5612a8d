#include "win32/KeyField.h"

#include <commctrl.h>

#include <string>

#include "win32/ErrorReport.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace win {
namespace {

constexpr UINT_PTR kFieldSubclass = 1;

std::uint8_t HeldModifiers() noexcept
{
    std::uint8_t modifiers = 0;
    if (::GetKeyState(VK_SHIFT) < 0) modifiers |= core::kShiftBit;
    if (::GetKeyState(VK_CONTROL) < 0) modifiers |= core::kControlBit;
    if (::GetKeyState(VK_MENU) < 0) modifiers |= core::kAltBit;
    return modifiers;
}

// The key a field took at its press, until its release: the field keeps it whatever follows.
// A key the program holds reaches the field as the hot key's message, which is posted and so
// handled before the modifiers' presses still queued as input; those would clear the field.
// And the release of Print Screen then changes nothing, though the modifiers may be let go first.
constexpr wchar_t kPressedKey[] = L"PixtrovePressedKey";

bool IsModifierKey(WPARAM key) noexcept
{
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || (key >= VK_LSHIFT && key <= VK_RMENU);
}

void MarkPressed(HWND field, WPARAM key) { ::SetPropW(field, kPressedKey, reinterpret_cast<HANDLE>(key)); }

// The field's text as the program names keys elsewhere, where the control's own names come from
// the keyboard driver (under Wine X11's names, "KP_Multiply" for Print Screen); the control's
// background, caret and keys stay its own.
void Paint(HWND field, HDC dc)
{
    const bool enabled = ::IsWindowEnabled(field) != FALSE;
    const bool focused = ::GetFocus() == field;
    const std::wstring text = Widen(core::KeyFieldText(KeyOf(field), focused ? HeldModifiers() : 0));
    const SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(field, WM_GETFONT, 0, 0)));
    ::SetTextColor(dc, ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    const int x = ::GetSystemMetrics(SM_CXBORDER), y = ::GetSystemMetrics(SM_CYBORDER);
    ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (focused) ::SetCaretPos(x + size.cx, y);
}

LRESULT CALLBACK FieldProc(HWND field, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) noexcept
{
    if (msg == WM_PAINT) {
        GuardedVoid([&] {
            const PaintDC dc(field);
            Paint(field, dc.get());
        });
        return 0;
    }
    if (msg == WM_PRINTCLIENT) {
        GuardedVoid([&] { Paint(field, reinterpret_cast<HDC>(wp)); });
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        ::RemovePropW(field, kPressedKey);
        ::RemoveWindowSubclass(field, &FieldProc, kFieldSubclass);
    }
    if (msg == WM_KILLFOCUS) ::RemovePropW(field, kPressedKey);
    const auto pressed = reinterpret_cast<WPARAM>(::GetPropW(field, kPressedKey));
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        if (pressed && IsModifierKey(wp)) return 0;
        if (wp == VK_SNAPSHOT) MarkPressed(field, wp);
    }
    if (msg == WM_KEYUP || msg == WM_SYSKEYUP) {
        if (pressed && wp == pressed) ::RemovePropW(field, kPressedKey);
        if (wp == VK_SNAPSHOT) {
            if (pressed != VK_SNAPSHOT) ShowKey(field, {core::kPrintScreenKey, HeldModifiers()});
            return 0;
        }
    }
    return ::DefSubclassProc(field, msg, wp, lp);
}

}  // namespace

bool IsKeyField(HWND control)
{
    wchar_t name[32]{};
    ::GetClassNameW(control, name, 32);
    return ::lstrcmpiW(name, HOTKEY_CLASSW) == 0;
}

void PrepareKeyField(HWND field)
{
    ::SendMessageW(field, HKM_SETRULES, 0, 0);  // no combination is refused
    ::SetWindowSubclass(field, &FieldProc, kFieldSubclass, 0);
}

void ShowKey(HWND field, core::ChosenKey key) { ::SendMessageW(field, HKM_SETHOTKEY, core::ControlValue(key), 0); }

void TakePressedKey(HWND field, core::ChosenKey key)
{
    ShowKey(field, key);
    MarkPressed(field, key.key);
}

core::ChosenKey KeyOf(HWND field)
{
    const auto value = static_cast<std::int32_t>(::SendMessageW(field, HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    return core::ChosenKeyFromValue(value).value_or(core::ChosenKey{});
}

}  // namespace win
