#pragma once
// The base of every window of the program: the window procedure is a switchboard that
// hands each message to the object, inside the one error guard.
#include <windows.h>

namespace win {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    HWND hwnd() const noexcept { return hwnd_; }

protected:
    // Registers a class whose procedure forwards to the Window created with it.
    static void RegisterClassOnce(WNDCLASSEXW wc);
    // The object to create is passed as lpParam (for an MDI child: MDICREATESTRUCT::lParam).
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
    virtual LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(hwnd_, msg, wp, lp); }
    // Called after WM_NCDESTROY, when the handle is gone; a window that owns itself deletes itself here.
    virtual void OnFinalDestroy() noexcept {}

    HWND hwnd_ = nullptr;
};

}  // namespace win
