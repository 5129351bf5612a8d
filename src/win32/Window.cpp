#include "win32/Window.h"

#include "win32/ErrorReport.h"

namespace win {

HINSTANCE Instance() noexcept { return ::GetModuleHandleW(nullptr); }

void Window::Register(const WindowClass& windowClass)
{
    WNDCLASSEXW existing{sizeof(existing)};
    if (::GetClassInfoExW(Instance(), windowClass.name, &existing)) return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = windowClass.style;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = Instance();
    wc.lpszClassName = windowClass.name;
    wc.hCursor = ::LoadCursorW(nullptr, windowClass.cursor);
    wc.hbrBackground = windowClass.background;
    if (windowClass.icon) {
        wc.hIcon = ::LoadIconW(Instance(), MAKEINTRESOURCEW(windowClass.icon));
        wc.hIconSm = static_cast<HICON>(::LoadImageW(Instance(), MAKEINTRESOURCEW(windowClass.icon), IMAGE_ICON,
                                                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                     LR_SHARED));
    }
    ThrowLastErrorIfNull(::RegisterClassExW(&wc));
}

void Window::Create(const WindowClass& windowClass, DWORD exStyle, const wchar_t* title, DWORD style, RECT at,
                    HWND parent, HMENU menu)
{
    Register(windowClass);
    const int width = at.right == CW_USEDEFAULT ? CW_USEDEFAULT : at.right - at.left;
    const int height = at.bottom == CW_USEDEFAULT ? CW_USEDEFAULT : at.bottom - at.top;
    ThrowLastErrorIfNull(::CreateWindowExW(exStyle, windowClass.name, title, style, at.left, at.top, width, height,
                                           parent, menu, Instance(), this));
}

void Window::CreateMdiChild(const WindowClass& windowClass, HWND mdiClient, const wchar_t* title, DWORD style)
{
    Register(windowClass);
    ThrowLastErrorIfNull(::CreateMDIWindowW(windowClass.name, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                            CW_USEDEFAULT, mdiClient, Instance(), reinterpret_cast<LPARAM>(this)));
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept
{
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        // The object comes as lpParam (for an MDI child: MDICREATESTRUCT::lParam).
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
        LPARAM param = reinterpret_cast<LPARAM>(cs->lpCreateParams);
        if (cs->dwExStyle & WS_EX_MDICHILD) param = reinterpret_cast<const MDICREATESTRUCTW*>(param)->lParam;
        self = reinterpret_cast<Window*>(param);
        if (self) {
            self->hwnd_ = hwnd;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);

    const LRESULT result = msg == WM_CREATE ? Guarded([&] { return self->OnCreate(); }, LRESULT{-1})
                                            : Guarded([&] { return self->HandleMessage(msg, wp, lp); }, LRESULT{0});
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnFinalDestroy();
    }
    return result;
}

}  // namespace win
