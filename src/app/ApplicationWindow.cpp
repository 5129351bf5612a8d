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

bool TranslateFrameKeys(const MainFrame& main, MSG& msg)
{
    // The frame's keys act in the frame and its shots; a pinned picture has keys of its own.
    if (!main.hwnd() || (msg.hwnd != main.hwnd() && !::IsChild(main.hwnd(), msg.hwnd))) return false;
    return ::TranslateMDISysAccel(main.MdiClient(), &msg) ||
           ::TranslateAcceleratorW(main.hwnd(), main.Accelerators(), &msg);
}

int RunMessageLoop(const MainFrame& main)
{
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (TranslateFrameKeys(main, msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace app
