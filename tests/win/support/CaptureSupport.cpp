#include "CaptureSupport.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <sstream>

#include "WinTest.h"
#include "resource.h"

namespace wintest {
namespace {

constexpr wchar_t kPatternClass[] = L"PixtroveTestPattern";
constexpr ULONG_PTR kInjected = 0x50495854;  // marks the moves this helper sends

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

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

// What the mouse hook saw: the messages this thread took from its queue.
struct SeenMouse {
    UINT msg;
    POINT pt;
    ULONG_PTR extra;
};
std::vector<SeenMouse>& Seen()
{
    static std::vector<SeenMouse> seen;
    return seen;
}

void Inject(DWORD flags, POINT screen)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    // Rounded up, so that the system's scaling back lands on the very pixel.
    in.mi.dx = static_cast<LONG>((static_cast<long long>(screen.x) * 65536 + w - 1) / w);
    in.mi.dy = static_cast<LONG>((static_cast<long long>(screen.y) * 65536 + h - 1) / h);
    in.mi.dwFlags = flags;
    in.mi.dwExtraInfo = kInjected;
    ::SendInput(1, &in, sizeof(in));
}

bool IsMove(UINT msg) { return msg == WM_MOUSEMOVE || msg == WM_NCMOUSEMOVE; }

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

// --- real input -------------------------------------------------------------------------

RealMouse::RealMouse()
{
    Seen().clear();
    ::GetCursorPos(&where_);
    hook_ = ::SetWindowsHookExW(WH_MOUSE, &RealMouse::Hook, nullptr, ::GetCurrentThreadId());
}

RealMouse::~RealMouse()
{
    if (leftHeld_) {
        Inject(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, where_);
        Pump(50);
    }
    if (hook_) ::UnhookWindowsHookEx(hook_);
}

LRESULT CALLBACK RealMouse::Hook(int code, WPARAM wp, LPARAM lp) noexcept
{
    if (code == HC_ACTION) {
        const auto& info = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(lp);
        Seen().push_back({static_cast<UINT>(wp), info.pt, info.dwExtraInfo});
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

bool RealMouse::WaitFor(const std::function<bool()>& seen, DWORD timeoutMs) { return PumpUntil(seen, timeoutMs); }

void RealMouse::MoveTo(POINT p)
{
    // A move to where the pointer already is may bring no message at all.
    POINT now{};
    ::GetCursorPos(&now);
    if (now.x == p.x && now.y == p.y) Settle({p.x + 1, p.y});
    Settle(p);
    where_ = p;
}

void RealMouse::Settle(POINT p)
{
    const auto movedSince = [](size_t from, const std::function<bool(const SeenMouse&)>& which) {
        for (size_t i = from; i < Seen().size(); ++i)
            if (IsMove(Seen()[i].msg) && which(Seen()[i])) return true;
        return false;
    };
    const auto here = [&](const SeenMouse& m) { return m.pt.x == p.x && m.pt.y == p.y; };
    // Under Wine the echo of a move arrives after the next input, and an echo of an earlier
    // position (even one of a window that has gone) can come later still: moving to the same
    // spot again brings the echoes in, and the pointer counts as settled once its own echo
    // has come and nothing else has moved it for a moment. Where there is no echo at all the
    // move itself is enough.
    bool received = false;
    for (int round = 0; round < 12; ++round) {
        const size_t from = Seen().size();
        Inject(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p);
        received = WaitFor([&] {
                       return movedSince(from, [&](const SeenMouse& m) { return here(m) && m.extra == kInjected; });
                   }) ||
                   received;
        if (!movedSince(from, [&](const SeenMouse& m) { return here(m) && m.extra != kInjected; })) continue;
        const size_t settled = Seen().size();
        if (!WaitFor([&] { return movedSince(settled, [&](const SeenMouse& m) { return !here(m); }); }, 60)) return;
    }
    POINT now{};
    ::GetCursorPos(&now);
    if (!received || now.x != p.x || now.y != p.y)
        ADD_FAILURE() << "the pointer did not settle at (" << p.x << ", " << p.y << ")";
}

// The button goes down or up together with a move to where the pointer was sent last, as a
// real mouse reports it, so that a late echo cannot shift the press.
void RealMouse::Button(DWORD flag, UINT message, UINT ncMessage)
{
    const size_t from = Seen().size();
    Inject(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flag, where_);
    const bool ok = WaitFor([&] {
        for (size_t i = from; i < Seen().size(); ++i)
            if (Seen()[i].msg == message || Seen()[i].msg == ncMessage) return true;
        return false;
    });
    if (!ok) ADD_FAILURE() << "the button message did not arrive";
}

void RealMouse::LeftDown()
{
    leftHeld_ = true;
    Button(MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN, WM_NCLBUTTONDOWN);
}

void RealMouse::LeftUp()
{
    leftHeld_ = false;
    Button(MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, WM_NCLBUTTONUP);
}

void RealMouse::Click(POINT p)
{
    MoveTo(p);
    LeftDown();
    LeftUp();
}

void PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD k : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        inputs.push_back(in);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *--it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool PumpProgramUntil(const app::MainFrame& main, const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (main.hwnd()) {
                if (::TranslateMDISysAccel(main.MdiClient(), &msg)) continue;
                if (::TranslateAcceleratorW(main.hwnd(), main.Accelerators(), &msg)) continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (::GetTickCount64() >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// --- shot windows -----------------------------------------------------------------------

std::vector<app::ShotWindow*> Shots(const app::MainFrame& main)
{
    std::vector<app::ShotWindow*> shots;
    for (HWND h = ::GetWindow(main.MdiClient(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (app::ShotWindow* shot = app::ShotWindow::FromHandle(h)) shots.push_back(shot);
    return shots;
}

app::ShotWindow* ActiveShotWindow(const app::MainFrame& main) { return app::ShotWindow::FromHandle(FrameProbe::ActiveShot(main)); }

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

std::vector<std::uint32_t> WithRingInverted(std::vector<std::uint32_t> picture, int width, RECT ring)
{
    for (int y = ring.top; y < ring.bottom; ++y)
        for (int x = ring.left; x < ring.right; ++x)
            if (x == ring.left || x == ring.right - 1 || y == ring.top || y == ring.bottom - 1)
                picture[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] ^= 0x00FFFFFF;
    return picture;
}

// --- resources --------------------------------------------------------------------------

namespace {

int CountGdiTable()
{
    int n = 0;
    for (UINT_PTR i = 0; i < 0x10000; ++i)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++n;
    return n;
}

int CountMenuHandles()
{
    int n = 0;
    for (UINT_PTR i = 0x20; i < 0x10000; i += 2)
        if (::IsMenu(reinterpret_cast<HMENU>(i))) ++n;
    return n;
}

}  // namespace

std::optional<int> GdiObjectCount()
{
    if (const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
    // The table count is trusted only if it sees an object come and go.
    const int before = CountGdiTable();
    const HBRUSH probe = ::CreateSolidBrush(RGB(1, 2, 3));
    const int during = CountGdiTable();
    ::DeleteObject(probe);
    const int after = CountGdiTable();
    if (during == before + 1 && after == before) return before;
    return std::nullopt;
}

std::optional<int> MenuCount()
{
    const int before = CountMenuHandles();
    const HMENU probe = ::CreateMenu();
    const int during = CountMenuHandles();
    ::DestroyMenu(probe);
    const int after = CountMenuHandles();
    if (during == before + 1 && after == before) return before;
    return std::nullopt;
}

std::size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters));
    if (counters.PrivateUsage != 0) return counters.PrivateUsage;
    // Wine answers 0 there: add up the committed private regions of the address space instead.
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<BYTE*>(nullptr); ::VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
         at = static_cast<BYTE*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    }
    return total;
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
