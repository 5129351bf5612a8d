// The region overlay: from the key to the overlay fully painted, beside a bare program in the
// same process that grabs the same virtual screen and shows it dimmed the plainest way (a
// topmost popup and one AlphaBlend of black); one pointer move, picking a window and dragging;
// and the overlay's memory beyond the frozen picture. Run it at two screen sizes (XVFB_SIZE).
#include <windows.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "app/MainFrame.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"
#include "win32/Picture.h"

using wintest::FrameProbe;

namespace {

constexpr int kOpenRuns = 15;
constexpr int kMoves = 300;

core::Rect VirtualScreen()
{
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// Committed private memory of the process (what Wine gives for PrivateUsage is 0).
std::size_t PrivateBytes()
{
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<BYTE*>(nullptr); ::VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
         at = static_cast<BYTE*>(region.BaseAddress) + region.RegionSize)
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    return total;
}

// The bare program: the grab into a DIB section, then a plain topmost popup that paints it with
// one AlphaBlend of black over all of it.
struct Bare {
    HDC picture = nullptr;
    HDC black = nullptr;
};

LRESULT CALLBACK BareProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        const auto* bare = reinterpret_cast<const Bare*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        PAINTSTRUCT ps;
        const HDC dc = ::BeginPaint(hwnd, &ps);
        RECT r{};
        ::GetClientRect(hwnd, &r);
        ::BitBlt(dc, 0, 0, r.right, r.bottom, bare->picture, 0, 0, SRCCOPY);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, 0};
        ::GdiAlphaBlend(dc, 0, 0, r.right, r.bottom, bare->black, 0, 0, 1, 1, blend);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void BareOverlay(const core::Rect& screen)
{
    win::WindowDC display(nullptr);
    win::OwnedDC memory(win::ThrowLastErrorIfNull(::CreateCompatibleDC(display.get())));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), screen.Width(), -screen.Height(), 1, 32, BI_RGB};
    void* bits = nullptr;
    win::OwnedBitmap bitmap(
        win::ThrowLastErrorIfNull(::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
    win::SelectedObject into(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, screen.Width(), screen.Height(), display.get(), screen.left, screen.top, SRCCOPY);
    win::OwnedDC blackDc(win::ThrowLastErrorIfNull(::CreateCompatibleDC(display.get())));
    win::OwnedBitmap blackPixel(win::ThrowLastErrorIfNull(::CreateCompatibleBitmap(display.get(), 1, 1)));
    win::SelectedObject intoBlack(blackDc.get(), blackPixel.get());
    ::PatBlt(blackDc.get(), 0, 0, 1, 1, BLACKNESS);
    Bare bare{memory.get(), blackDc.get()};
    const HWND popup = win::ThrowLastErrorIfNull(::CreateWindowExW(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"PixtroveBareOverlay", L"", WS_POPUP, screen.left, screen.top,
        screen.Width(), screen.Height(), nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ::SetWindowLongPtrW(popup, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&bare));
    ::ShowWindow(popup, SW_SHOW);
    ::SetForegroundWindow(popup);
    ::UpdateWindow(popup);
    ::GdiFlush();
    ::DestroyWindow(popup);
}

HWND OpenOverlay(app::MainFrame& main, const core::Rect& screen)
{
    FrameProbe::OpenRegionOverlay(main, screen);
    return FrameProbe::Overlay(main);
}

void CloseOverlay(HWND overlay)
{
    ::SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    bench::Pump();
}

// The pointer's path: a wobble round `around`, a pixel or a few at a time.
POINT PathPoint(POINT around, int i) { return {around.x + (i * 7) % 40, around.y + (i * 3) % 30}; }

std::vector<double> Moves(HWND overlay, const core::Rect& screen, POINT around)
{
    std::vector<double> times;
    for (int i = 0; i < kMoves; ++i) {
        const POINT p = PathPoint(around, i);
        times.push_back(bench::Milliseconds([&] {
            ::SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(p.x - screen.left, p.y - screen.top));
            ::UpdateWindow(overlay);
        }));
    }
    return times;
}

}  // namespace

int main()
{
    try {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &BareProcedure;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PixtroveBareOverlay";
        ::RegisterClassW(&wc);
        bench::Program program;
        app::MainFrame& main = program.main;
        const core::Rect screen = VirtualScreen();
        std::printf("Region overlay on a virtual screen of %d x %d\n", screen.Width(), screen.Height());

        // Once each first, so that what stays for the run is set up.
        BareOverlay(screen);
        CloseOverlay(OpenOverlay(main, screen));
        std::vector<double> overlay, bare;
        for (int i = 0; i < kOpenRuns; ++i) {
            HWND shown = nullptr;
            overlay.push_back(bench::Milliseconds([&] { shown = OpenOverlay(main, screen); }));
            CloseOverlay(shown);
            bare.push_back(bench::Milliseconds([&] { BareOverlay(screen); }));
            bench::Pump();
        }
        bench::Report("key to overlay painted", overlay);
        bench::Report("bare grab, popup and one AlphaBlend", bare);
        std::printf("overlay / bare (medians)                       %.2f x\n", bench::Median(overlay) / bench::Median(bare));

        const std::size_t before = PrivateBytes();
        const HWND shown = OpenOverlay(main, screen);
        const POINT middle{screen.left + screen.Width() / 2, screen.top + screen.Height() / 2};
        bench::Report("one pointer move, picking", Moves(shown, screen, middle));
        const POINT corner{middle.x - 300, middle.y - 200};
        ::SendMessageW(shown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(corner.x - screen.left, corner.y - screen.top));
        bench::Report("one pointer move, dragging about 300 x 200", Moves(shown, screen, middle));
        const std::size_t during = PrivateBytes();
        const double frozenMb = double(screen.Width()) * screen.Height() * 4 / (1024.0 * 1024.0);
        std::printf("memory while the overlay is up: %.1f MB beyond the process before it; the frozen picture is %.1f MB\n",
                    (double(during) - double(before)) / (1024.0 * 1024.0), frozenMb);
        ::ReleaseCapture();
        CloseOverlay(shown);
        return program.errors ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
