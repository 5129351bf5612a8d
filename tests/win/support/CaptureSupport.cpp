#include "CaptureSupport.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <sstream>

#include "WinTest.h"
#include "resource.h"
#include "win32/Handles.h"

namespace wintest {
namespace {

constexpr wchar_t kPatternClass[] = L"PixtroveTestPattern";

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

}  // namespace

void PaintPattern(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    if (client.right > 0 && client.bottom > 0) {
        const std::vector<std::uint32_t> pixels = PatternPixels(client.right, client.bottom);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
        ::SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(client.right), static_cast<DWORD>(client.bottom), 0, 0, 0,
                            static_cast<UINT>(client.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    }
    ::EndPaint(hwnd, &ps);
}

namespace {

LRESULT CALLBACK PatternProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_PAINT: PaintPattern(hwnd); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEACTIVATE:
            if (::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE) return MA_NOACTIVATE;
            break;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterPatternClass()
{
    WNDCLASSEXW wc{sizeof(wc)};
    if (::GetClassInfoExW(Instance(), kPatternClass, &wc)) return;
    wc = WNDCLASSEXW{sizeof(wc)};
    wc.lpfnWndProc = &PatternProc;
    wc.hInstance = Instance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPatternClass;
    ::RegisterClassExW(&wc);
}

}  // namespace

std::uint32_t PatternColour(int x, int y)
{
    const std::uint32_t r = static_cast<std::uint32_t>(7 * x + 13 * y) & 0xFF;
    const std::uint32_t g = static_cast<std::uint32_t>(11 * x + 3 * y + 64) & 0xFF;
    const std::uint32_t b = static_cast<std::uint32_t>(x ^ (5 * y)) & 0xFF;
    return (r << 16) | (g << 8) | b;
}

std::vector<std::uint32_t> PatternPixels(int width, int height)
{
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(PatternColour(x, y));
    return pixels;
}

PatternWindow::PatternWindow(Kind kind, RECT r)
{
    RegisterPatternClass();
    const bool popup = kind == Kind::TopmostPopup;
    hwnd_ = ::CreateWindowExW(popup ? WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE : 0, kPatternClass,
                              L"Pattern", popup ? WS_POPUP : WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, nullptr, nullptr, Instance(), nullptr);
    if (!hwnd_) throw std::runtime_error("pattern window not created");
    ::ShowWindow(hwnd_, popup ? SW_SHOWNOACTIVATE : SW_SHOW);
    ::UpdateWindow(hwnd_);
    // Under load the X server may show the window a moment after it is painted: a grab must
    // not come before it. The diagonal's far end is the pixel to come last.
    const RECT client = ClientOnScreen(hwnd_);
    const int last = std::min(client.right - client.left, client.bottom - client.top) - 1;
    PumpUntil(
        [&] {
            const win::WindowDC screen(nullptr);
            const COLORREF shown = ::GetPixel(screen.get(), client.left + last, client.top + last);
            const std::uint32_t rgb = (GetRValue(shown) << 16) | (GetGValue(shown) << 8) | GetBValue(shown);
            return last < 0 || rgb == PatternColour(last, last);
        },
        2000);
}

PatternWindow::~PatternWindow() { ::DestroyWindow(hwnd_); }

RECT PatternWindow::WindowRect() const
{
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    return r;
}

RECT PatternWindow::ClientRectOnScreen() const { return ClientOnScreen(hwnd_); }

HWND PatternWindow::AddButton(int x, int y, int width, int height)
{
    const HWND button = ::CreateWindowExW(0, L"BUTTON", L"Probe", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y, width,
                                          height, hwnd_, nullptr, Instance(), nullptr);
    ::UpdateWindow(button);
    return button;
}

// --- shot windows -----------------------------------------------------------------------

std::vector<app::ShotWindow*> Shots(const app::MainFrame& main)
{
    std::vector<app::ShotWindow*> shots;
    for (HWND h = ::GetWindow(main.MdiClient(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (app::ShotWindow* shot = app::ShotWindow::FromHandle(h)) shots.push_back(shot);
    return shots;
}

app::ShotWindow* ActiveShotWindow(const app::MainFrame& main)
{
    return app::ShotWindow::FromHandle(FrameProbe::ActiveShot(main));
}

void CloseShot(const app::MainFrame&, app::ShotWindow& shot)
{
    const HWND hwnd = shot.hwnd();
    ::SendMessageW(hwnd, WM_COMMAND, IDM_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hwnd); })) << "the shot window did not close";
}

// --- pixels -----------------------------------------------------------------------------

std::vector<std::uint32_t> PicturePixels(const app::ShotWindow& shot)
{
    int width = 0, height = 0;
    return BitmapPixels(ShotProbe::Picture(shot).Bitmap(), width, height);
}

std::vector<std::uint32_t> ScreenPixels(RECT r)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = source[i] & 0x00FFFFFF;
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<std::uint32_t> Crop(const std::vector<std::uint32_t>& pixels, int width, RECT part)
{
    std::vector<std::uint32_t> out;
    for (int y = part.top; y < part.bottom; ++y)
        for (int x = part.left; x < part.right; ++x)
            out.push_back(pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]);
    return out;
}

std::string FirstDifference(const std::vector<std::uint32_t>& actual, const std::vector<std::uint32_t>& expected,
                            int width)
{
    std::ostringstream out;
    if (actual.size() != expected.size()) {
        out << "sizes differ: " << actual.size() << " != " << expected.size();
        return out.str();
    }
    for (size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] == expected[i]) continue;
        out << std::hex << "(" << std::dec << static_cast<int>(i) % width << ", " << static_cast<int>(i) / width
            << "): " << std::hex << actual[i] << " != " << expected[i];
        return out.str();
    }
    return {};
}

std::string ScreenShows(RECT r, const std::vector<std::uint32_t>& expected)
{
    std::string difference;
    PumpUntil(
        [&] {
            difference = FirstDifference(ScreenPixels(r), expected, r.right - r.left);
            return difference.empty();
        },
        1000);
    return difference;
}

std::string ShotShows(const app::ShotWindow& shot, const std::vector<std::uint32_t>& picture,
                      const std::vector<std::uint32_t>& shown)
{
    const int width = ShotProbe::Picture(shot).Width(), height = ShotProbe::Picture(shot).Height();
    const std::string held = FirstDifference(PicturePixels(shot), picture, width);
    if (!held.empty()) return "picture " + held;
    ::UpdateWindow(shot.hwnd());
    const RECT client = ClientOnScreen(shot.hwnd());
    const std::string seen = ScreenShows({client.left, client.top, client.left + width, client.top + height}, shown);
    return seen.empty() ? seen : "screen " + seen;
}

std::vector<std::uint32_t> WithRingInverted(std::vector<std::uint32_t> picture, int width, RECT ring)
{
    for (int y = ring.top; y < ring.bottom; ++y)
        for (int x = ring.left; x < ring.right; ++x)
            if (x == ring.left || x == ring.right - 1 || y == ring.top || y == ring.bottom - 1)
                picture[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] ^= 0x00FFFFFF;
    return picture;
}

RECT ClientOnScreen(HWND hwnd)
{
    RECT r{};
    ::GetClientRect(hwnd, &r);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool FrameIsBack(const app::MainFrame& main)
{
    return !::IsIconic(main.hwnd()) && ::GetForegroundWindow() == main.hwnd() && ::GetActiveWindow() == main.hwnd();
}

}  // namespace wintest
