#include "win32/Window.h"

#include "win32/ErrorReport.h"

namespace win {

void Window::RegisterClassOnce(WNDCLASSEXW wc)
{
    WNDCLASSEXW existing{sizeof(existing)};
    if (::GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Window::Procedure;
    if (!::RegisterClassExW(&wc)) ThrowLastError();
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept
{
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
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

    const LRESULT result = Guarded([&] { return self->HandleMessage(msg, wp, lp); }, LRESULT{0});
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnFinalDestroy();
    }
    return result;
}

}  // namespace win
