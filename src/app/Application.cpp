#include "app/Application.h"

#include "app/Main.h"
#include "win32/ErrorReport.h"

namespace app {
namespace {
constexpr wchar_t kClassName[] = L"PixtroveApplication";
}

ApplicationWindow::ApplicationWindow()
{
    WNDCLASSEXW wc{sizeof(wc)};
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassOnce(wc);
    win::ThrowLastErrorIfNull(::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, win::kAppTitle, WS_POPUP, 0, 0, 0, 0,
                                                nullptr, nullptr, wc.hInstance, this));
}

ApplicationWindow::~ApplicationWindow()
{
    if (hwnd_) ::DestroyWindow(hwnd_);
}

LRESULT ApplicationWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (const auto handled = clipboard_.HandleMessage(hwnd_, msg, wp, lp)) return *handled;
    return DefaultProc(msg, wp, lp);
}

int RunMessageLoop(const TRorUruvodi& main)
{
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (main.hwnd()) {
            if (::TranslateMDISysAccel(main.MdiClient(), &msg)) continue;
            if (::TranslateAcceleratorW(main.hwnd(), main.Accelerators(), &msg)) continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace app
