#pragma once
// The base of every window of the program: it registers the window's class on first use,
// creates the window, and its procedure is a switchboard that hands each message to the
// object, inside the one error guard.
#include <windows.h>

namespace win {

HINSTANCE Instance() noexcept;  // the program's module

// What a window class is made of; registered once per process, when first used.
struct WindowClass {
    const wchar_t* name;
    const wchar_t* cursor = IDC_ARROW;  // a system cursor
    int icon = 0;                       // a resource id; 0 for none
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    UINT style = 0;  // CS_ flags
};

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    HWND hwnd() const noexcept { return hwnd_; }

protected:
    // Registers the class (once) and creates the window for this object; throws the
    // system's error when it cannot be made, or when OnCreate refused it.
    void Create(const WindowClass& windowClass, DWORD exStyle, const wchar_t* title, DWORD style, RECT at, HWND parent,
                HMENU menu = nullptr);
    // The same for a child of an MDI client, at the default place and size.
    void CreateMdiChild(const WindowClass& windowClass, HWND mdiClient, const wchar_t* title, DWORD style);

    // WM_CREATE: -1 refuses the window. An exception is reported and refuses it too.
    virtual LRESULT OnCreate() { return 0; }
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
    virtual LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(hwnd_, msg, wp, lp); }
    // Called after WM_NCDESTROY, when the handle is gone; a window that owns itself deletes itself here.
    virtual void OnFinalDestroy() noexcept {}

    HWND hwnd_ = nullptr;

private:
    static void Register(const WindowClass& windowClass);
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
};

// Where a window of the given size goes when the system picks the place.
inline constexpr RECT kDefaultPlace{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};

}  // namespace win
