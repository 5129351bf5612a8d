#include "app/ApplicationWindow.h"

#include "app/MainFrame.h"
#include "win32/ErrorReport.h"

namespace app {
namespace {
const win::WindowClass kApplicationClass{.name = L"PixtroveApplication", .background = nullptr};
}

ApplicationWindow::ApplicationWindow()
{
    Create(kApplicationClass, WS_EX_TOOLWINDOW, win::kAppTitle, WS_POPUP, RECT{}, nullptr);
}

ApplicationWindow::~ApplicationWindow()
{
    if (hwnd_) ::DestroyWindow(hwnd_);
}

LRESULT ApplicationWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (const auto handled = clipboard_.HandleMessage(hwnd_, msg, wp)) return *handled;
    return DefaultProc(msg, wp, lp);
}

int RunMessageLoop(const MainFrame& main)
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
