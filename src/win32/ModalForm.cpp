#include "win32/ModalForm.h"

#include <algorithm>
#include <cwctype>

#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/KeyField.h"
#include "win32/Text.h"

namespace win {
namespace {

bool IsPushButton(HWND control)
{
    wchar_t name[16]{};
    ::GetClassNameW(control, name, 16);
    const LONG_PTR type = ::GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return ::lstrcmpiW(name, L"Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

bool IsCheckBox(HWND control)
{
    wchar_t name[16]{};
    ::GetClassNameW(control, name, 16);
    const LONG_PTR type = ::GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return ::lstrcmpiW(name, L"Button") == 0 && (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX);
}

bool IsEditField(HWND control)
{
    wchar_t name[16]{};
    ::GetClassNameW(control, name, 16);
    return ::lstrcmpiW(name, L"Edit") == 0;
}

// The letter after "&" in a control's text, 0 for none.
wchar_t MnemonicOf(HWND control)
{
    const std::wstring text = TextOf(control);
    const size_t at = text.find(L'&');
    return at + 1 < text.size() ? static_cast<wchar_t>(std::towupper(text[at + 1])) : 0;
}

}  // namespace

RECT CentredOver(HWND owner, int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi)
{
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT area{};
    if (::IsIconic(owner)) {
        WINDOWPLACEMENT placement{sizeof(placement)};
        ::GetWindowPlacement(owner, &placement);
        area = placement.rcNormalPosition;
    } else {
        ::GetWindowRect(owner, &area);
    }
    POINT at{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
    MONITORINFO monitor{sizeof(monitor)};
    if (::GetMonitorInfoW(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        at.x = std::max(work.left, std::min(at.x, work.right - width));
        at.y = std::max(work.top, std::min(at.y, work.bottom - height));
    }
    return {at.x, at.y, at.x + width, at.y + height};
}

void ModalForm::CreateCentred(HWND owner, const WindowClass& windowClass, const wchar_t* caption, DWORD style,
                              DWORD exStyle, int clientWidth96, int clientHeight96, const std::function<void()>& build)
{
    const UINT dpi = DpiOf(owner);
    Create(windowClass, exStyle, caption, style,
           CentredOver(owner, Scale(clientWidth96, dpi), Scale(clientHeight96, dpi), style, exStyle, dpi), owner);
    try {
        build();
    } catch (...) {
        ::DestroyWindow(hwnd_);
        throw;
    }
}

void ModalForm::Recentre(HWND owner, int clientWidth96, int clientHeight96)
{
    const UINT dpi = DpiOf(hwnd_);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    const RECT at = CentredOver(owner, Scale(clientWidth96, dpi), Scale(clientHeight96, dpi), style, exStyle, dpi);
    ::SetWindowPos(hwnd_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalForm::SetKeyboard(std::vector<int> order, int defaultButton, int cancelButton)
{
    order_ = std::move(order);
    defaultButton_ = defaultButton;
    cancelButton_ = cancelButton;
}

void ModalForm::ShowDefaultButtonFor(HWND focus)
{
    const HWND pressed = focus && IsPushButton(focus) ? focus : Control(defaultButton_);
    for (int id : order_) {
        const HWND button = Control(id);
        if (!IsPushButton(button)) continue;
        const LONG_PTR wanted = button == pressed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((::GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) != wanted)
            ::SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
    }
}

void ModalForm::RunModal(HWND owner)
{
    const bool ownerWasDisabled = ::EnableWindow(owner, FALSE) != 0;
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    MSG msg{};
    while (!closed_ && hwnd_) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the application's loop
            break;
        }
        if (Guarded([&] { return DialogKey(msg); }, true)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    // The owner is enabled before the form goes, so that it gets the activation back.
    if (!ownerWasDisabled) ::EnableWindow(owner, TRUE);
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
}

// The form's keys, taken before the focused control sees them. Outside an edit or key field
// the arrow keys move the focus like Tab; in the field they are the field's own. A key field
// takes every other key but Enter, Esc and Tab, mnemonics too, and a key the program has
// registered, which comes as the hot key's message.
bool ModalForm::DialogKey(const MSG& msg)
{
    const HWND focus = ::GetFocus();
    const bool inKeyField = focus && ::IsChild(hwnd_, focus) && IsKeyField(focus);
    if (msg.message == WM_HOTKEY && inKeyField) {
        TakePressedKey(focus, core::ChordFromRegistered(LOWORD(msg.lParam), HIWORD(msg.lParam)));
        return true;
    }
    if (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd)) return false;
    switch (msg.message) {
        case WM_KEYDOWN:
            switch (msg.wParam) {
                case VK_RETURN:
                    OnButton(focus && IsPushButton(focus) ? ::GetDlgCtrlID(focus) : defaultButton_);
                    return true;
                case VK_ESCAPE:
                    if (cancelButton_) OnButton(cancelButton_);
                    return cancelButton_ != 0;
                case VK_TAB: MoveFocus(focus, ::GetKeyState(VK_SHIFT) >= 0); return true;
                case VK_LEFT:
                case VK_UP:
                case VK_RIGHT:
                case VK_DOWN:
                    if (IsEditField(focus) || inKeyField) return false;
                    MoveFocus(focus, msg.wParam == VK_RIGHT || msg.wParam == VK_DOWN);
                    return true;
            }
            return false;
        // The key field had the key itself; its character is nobody's.
        case WM_SYSCHAR: return inKeyField || PressMnemonic(static_cast<wchar_t>(msg.wParam));
        // A control that takes no characters passes a mnemonic letter to the form.
        case WM_CHAR: return inKeyField || (!IsEditField(focus) && PressMnemonic(static_cast<wchar_t>(msg.wParam)));
    }
    return false;
}

bool ModalForm::PressMnemonic(wchar_t letter)
{
    const auto upper = static_cast<wchar_t>(std::towupper(letter));
    for (int id : order_) {
        const HWND control = Control(id);
        if (MnemonicOf(control) != upper) continue;
        if (IsCheckBox(control)) {
            // As the dialog manager does it: the box takes the focus and flips.
            ::SetFocus(control);
            ::SendMessageW(control, BM_CLICK, 0, 0);
            return true;
        }
        if (!IsPushButton(control)) continue;
        OnButton(id);
        return true;
    }
    return false;
}

void ModalForm::MoveFocus(HWND focus, bool forward)
{
    if (order_.empty()) return;
    const int count = static_cast<int>(order_.size());
    int at = forward ? -1 : 0;
    for (int i = 0; i < count; ++i)
        if (Control(order_[static_cast<size_t>(i)]) == focus) at = i;
    ::SetFocus(Control(order_[static_cast<size_t>((at + (forward ? 1 : count - 1)) % count)]));
}

}  // namespace win
