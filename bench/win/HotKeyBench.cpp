// From the Print Screen key to the shot window painted, beside a bare program doing the least
// the same job needs: on the same key, grab the same rectangle (the whole screen) into a
// bitmap and show it in a plain MDI child of a plain frame, painted. Both are timed from the
// moment the key is sent to the moment the new window has nothing left to paint. Pixtrove!'s
// frame is in front when its key comes, so its new window takes the keyboard focus; the bare
// program is timed both ways, with its frame behind (its child then takes no focus) and in
// front as Pixtrove!'s is.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <vector>

#include "BenchSupport.h"
#include "win32/Handles.h"

using bench::FrameProbe;

namespace {

constexpr int kRuns = 25;

void PressPrintScreen()
{
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_SNAPSHOT;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
}

// Sends the key and pumps until `painted` holds; the time between.
double KeyToPainted(const std::function<bool()>& painted)
{
    return bench::Milliseconds([&] {
        PressPrintScreen();
        for (;;) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (painted()) return;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        }
    });
}

bool NothingToPaint(HWND window) { return window && !::GetUpdateRect(window, nullptr, FALSE); }

// --- the bare program ------------------------------------------------------------------

struct Bare {
    HWND frame = nullptr, client = nullptr, child = nullptr;
    win::OwnedDC memory;
    win::OwnedBitmap bitmap;
};
Bare* g_bare = nullptr;

LRESULT CALLBACK BareChild(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        ::BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                 ps.rcPaint.bottom - ps.rcPaint.top, g_bare->memory.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    return ::DefMDIChildProcW(hwnd, msg, wp, lp);
}

void BareGrab(Bare& bare)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    win::WindowDC screen(nullptr);
    bare.memory = win::OwnedDC(::CreateCompatibleDC(screen.get()));
    bare.bitmap = win::OwnedBitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    ::SelectObject(bare.memory.get(), bare.bitmap.get());
    ::BitBlt(bare.memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    MDICREATESTRUCTW create{};
    create.szClass = L"BareChild";
    create.szTitle = L"Shot";
    create.hOwner = ::GetModuleHandleW(nullptr);
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    bare.child =
        reinterpret_cast<HWND>(::SendMessageW(bare.client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

LRESULT CALLBACK BareFrame(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_HOTKEY && g_bare) BareGrab(*g_bare);
    return ::DefFrameProcW(hwnd, g_bare ? g_bare->client : nullptr, msg, wp, lp);
}

void OpenBare(Bare& bare)
{
    g_bare = &bare;
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = &BareFrame;
    frameClass.hInstance = ::GetModuleHandleW(nullptr);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frameClass.lpszClassName = L"BareFrame";
    WNDCLASSW childClass{};
    childClass.lpfnWndProc = &BareChild;
    childClass.hInstance = frameClass.hInstance;
    childClass.lpszClassName = L"BareChild";
    ::RegisterClassW(&frameClass);
    ::RegisterClassW(&childClass);
    bare.frame = ::CreateWindowExW(0, L"BareFrame", L"Bare", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    CLIENTCREATESTRUCT ccs{nullptr, 100};
    bare.client = ::CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, 600,
                                    bare.frame, nullptr, ::GetModuleHandleW(nullptr), &ccs);
    bench::Pump();
}

}  // namespace

// The two take turns, each holding the key for its own run, so that both meet the same load.
int main()
{
    try {
        std::printf("Print Screen to the shot painted, %d x %d\n", ::GetSystemMetrics(SM_CXSCREEN),
                    ::GetSystemMetrics(SM_CYSCREEN));
        bench::Program program;
        app::MainFrame& main = program.main;
        Bare bare;
        OpenBare(bare);
        std::vector<double> bareTimes, bareActive, ours;
        // The bare program's key, with the bare frame in front or (as first measured) not.
        const auto bareRun = [&](bool inFront) {
            main.SetHotKeys(false);
            ::RegisterHotKey(bare.frame, 1, MOD_NOREPEAT, VK_SNAPSHOT);
            if (inFront) ::SetForegroundWindow(bare.frame);
            bench::Pump();
            bare.child = nullptr;
            const double time = KeyToPainted([&] { return NothingToPaint(bare.child); });
            ::SendMessageW(bare.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(bare.child), 0);
            ::UnregisterHotKey(bare.frame, 1);
            bench::Pump();
            return time;
        };
        for (int run = 0; run < kRuns; ++run) {
            bareTimes.push_back(bareRun(false));
            bareActive.push_back(bareRun(true));

            main.SetHotKeys(true);
            ::SetForegroundWindow(main.hwnd());
            bench::Pump();
            const int before = FrameProbe::ShotCount(main);
            ours.push_back(KeyToPainted(
                [&] { return FrameProbe::ShotCount(main) > before && NothingToPaint(FrameProbe::ActiveShot(main)); }));
            if (HWND shot = FrameProbe::ActiveShot(main)) ::SendMessageW(shot, WM_CLOSE, 0, 0);
            bench::Pump();
        }
        ::DestroyWindow(bare.frame);
        g_bare = nullptr;
        bench::Report("bare program (grab, plain MDI child, painted)", bareTimes);
        bench::Report("the same, its frame in front at the key", bareActive);
        bench::Report("Pixtrove! (key, capture, shot window painted)", ours);
        std::printf("%-46s %.2f x\n", "Pixtrove! / bare", bench::Median(ours) / bench::Median(bareTimes));
        std::printf("%-46s %.2f x\n", "Pixtrove! / bare with its frame in front",
                    bench::Median(ours) / bench::Median(bareActive));
        return program.errors == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
