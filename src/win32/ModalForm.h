#pragma once
// What the program's modal boxes share: creation centred over the owner, the modal loop,
// and the keys of a dialog.
//
// The boxes are built from control tables, not dialog templates, and run their own loop:
// the system's dialog manager moves the focus on a mnemonic, which would make the settings
// box's delay field correct its text before "更新(&A)" reads it.
#include <windows.h>

#include <functional>
#include <vector>

#include "win32/Window.h"

namespace win {

// The window rectangle for a client area of the given size, centred over the owner (its
// normal position when minimised) and kept on the owner's monitor.
RECT CentredOver(HWND owner, int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

// A form's window goes in the derived class's destructor, while its handlers still exist.
class ModalForm : public Window {
protected:
    // Makes the hidden form with a client area of the given size at 96 dpi, centred over the
    // owner, and fills it with `build`; a form whose building fails is destroyed again.
    void CreateCentred(HWND owner, const WindowClass& windowClass, const wchar_t* caption, DWORD style, DWORD exStyle,
                       int clientWidth96, int clientHeight96, const std::function<void()>& build);
    // Puts the form back over the owner once its content has its size.
    void Recentre(HWND owner, int clientWidth96, int clientHeight96);

    // The controls that take the focus, in keyboard order; Enter presses the focused push
    // button or else the default one, Esc the cancel one (0: none), and a push button's
    // mnemonic presses it. None of them moves the focus but a check box's mnemonic, which
    // focuses the box and flips it. A key field (the system's hot-key control) takes every
    // other key while it has the focus, the arrows, the mnemonics and the program's own hot
    // keys included.
    void SetKeyboard(std::vector<int> order, int defaultButton, int cancelButton);
    // A push button was pressed, by mouse or by key.
    virtual void OnButton(int id) = 0;
    // The default push button follows the focus among the push buttons.
    void ShowDefaultButtonFor(HWND focus);

    // Shows the form and runs its loop until Close(); the owner is disabled meanwhile. The
    // loop dispatches everything, so the owner's timer still ticks; a WM_QUIT is passed on.
    void RunModal(HWND owner);
    void Close() noexcept { closed_ = true; }

private:
    bool DialogKey(const MSG& msg);
    bool PressMnemonic(wchar_t letter);
    void MoveFocus(HWND focus, bool forward);
    HWND Control(int id) const noexcept { return ::GetDlgItem(hwnd_, id); }

    std::vector<int> order_;
    int defaultButton_ = 0;
    int cancelButton_ = 0;
    bool closed_ = false;
};

}  // namespace win
