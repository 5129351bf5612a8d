#pragma once
// What the program's two modal boxes share: placement over the owner and the modal loop.
#include <windows.h>

#include <functional>

#include "win32/Window.h"

namespace win {

// The window rectangle for a client area of the given size, centred over the owner (its
// normal position when minimised) and kept on the owner's monitor.
RECT CentredOver(HWND owner, int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

class ModalForm : public Window {
protected:
    // Registers the class (once), makes the hidden form with a client area of the given size
    // at 96 dpi, centred over the owner, and fills it with `build`; a form whose building
    // fails is destroyed again before the error goes on.
    void CreateCentred(HWND owner, const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                       int clientWidth96, int clientHeight96, const std::function<void()>& build);
    // Shows the form and runs its loop until Closed(); the owner is disabled meanwhile. The
    // loop dispatches everything, so the owner's timer still ticks; a WM_QUIT is passed on.
    void RunModal(HWND owner);
    virtual bool Closed() const noexcept = 0;
    // The form's own keys, taken before the message is dispatched (run inside the guard).
    virtual bool DialogKey(const MSG& msg) = 0;
};

}  // namespace win
