// Another program for the tests: one plain window that takes the keyboard, painted one colour,
// at the place the command line gives. With --hold it first registers the Print Screen key
// for itself, as another capture tool would, and ends with code 2 if it cannot; --hold-key
// does the same for the key with the given RegisterHotKey modifiers and virtual-key code.
// Usage: other_program.exe LEFT TOP WIDTH HEIGHT [--hold | --hold-key MODIFIERS KEY]
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r{};
            ::GetClientRect(hwnd, &r);
            HBRUSH brush = ::CreateSolidBrush(RGB(0x20, 0xA0, 0x60));
            ::FillRect(reinterpret_cast<HDC>(wp), &r, brush);
            ::DeleteObject(brush);
            return 1;
        }
        case WM_DESTROY: ::PostQuitMessage(0); return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) return 1;
    const int left = std::atoi(argv[1]), top = std::atoi(argv[2]);
    const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);
    const bool hold = argc > 5 && std::strcmp(argv[5], "--hold") == 0;
    if (hold && !::RegisterHotKey(nullptr, 1, MOD_NOREPEAT, VK_SNAPSHOT)) return 2;
    const bool holdKey = argc > 7 && std::strcmp(argv[5], "--hold-key") == 0;
    if (holdKey && !::RegisterHotKey(nullptr, 1, static_cast<UINT>(std::atoi(argv[6])) | MOD_NOREPEAT,
                                     static_cast<UINT>(std::atoi(argv[7]))))
        return 2;

    WNDCLASSW wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"PixtroveTestOtherProgram";
    ::RegisterClassW(&wc);
    const HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Other", WS_OVERLAPPEDWINDOW, left, top, width, height,
                                          nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) return 3;
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
    ::SetForegroundWindow(window);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
