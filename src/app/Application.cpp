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
    wc.lpfnWndProc = &::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    WNDCLASSEXW existing{sizeof(existing)};
    if (!::GetClassInfoExW(wc.hInstance, kClassName, &existing) && !::RegisterClassExW(&wc)) win::ThrowLastError();
    hwnd_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, win::kAppTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              wc.hInstance, nullptr);
    if (!hwnd_) win::ThrowLastError();
}

ApplicationWindow::~ApplicationWindow() { ::DestroyWindow(hwnd_); }

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
