// The pointer in the picture: with "CaptureCursor" on, the pointer of known shape over a window
// of known pixels is drawn into the grab where it points, clipped to the grab; off, or hidden,
// the picture is the screen alone.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "CaptureFixture.h"
#include "CaptureSupport.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

constexpr int kSide = 32;  // the pointer's image
constexpr POINT kHotSpot{3, 5};

// What the pointer does to a pixel at (x, y) of its image: in its left half, white in the first
// ten rows, black in the next ten, the screen inverted in the six after; elsewhere nothing.
enum class Paint { White, Black, Invert, None };
Paint PointerPaint(int x, int y)
{
    if (x >= 16 || y >= 26) return Paint::None;
    if (y < 10) return Paint::White;
    if (y < 20) return Paint::Black;
    return Paint::Invert;
}

// A monochrome cursor of that shape: AND 0 / XOR 1 white, 0 / 0 black, 1 / 1 inverted, 1 / 0 clear.
HCURSOR MakePointer()
{
    std::array<BYTE, kSide * kSide / 8> andPlane{}, xorPlane{};
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const Paint paint = PointerPaint(x, y);
            const auto bit = static_cast<BYTE>(0x80 >> (x % 8));
            const size_t at = static_cast<size_t>(y * kSide / 8 + x / 8);
            if (paint == Paint::Invert || paint == Paint::None) andPlane[at] |= bit;
            if (paint == Paint::White || paint == Paint::Invert) xorPlane[at] |= bit;
        }
    }
    return ::CreateCursor(::GetModuleHandleW(nullptr), kHotSpot.x, kHotSpot.y, kSide, kSide, andPlane.data(),
                          xorPlane.data());
}

// The picture the grab of `grab` should hold when the screen shows `screen` there and the pointer
// points at `at` (screen coordinates).
std::vector<std::uint32_t> WithPointer(std::vector<std::uint32_t> screen, RECT grab, POINT at)
{
    const int width = grab.right - grab.left, height = grab.bottom - grab.top;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int px = at.x - kHotSpot.x + x - grab.left, py = at.y - kHotSpot.y + y - grab.top;
            if (px < 0 || py < 0 || px >= width || py >= height) continue;
            std::uint32_t& pixel =
                screen[static_cast<size_t>(py) * static_cast<size_t>(width) + static_cast<size_t>(px)];
            switch (PointerPaint(x, y)) {
                case Paint::White: pixel = 0xFFFFFF; break;
                case Paint::Black: pixel = 0x000000; break;
                case Paint::Invert: pixel = ~pixel & 0xFFFFFF; break;
                case Paint::None: break;
            }
        }
    }
    return screen;
}

class PointerInPicture : public Capture {
protected:
    static constexpr RECT kPad{300, 200, 560, 420};
    static constexpr POINT kAt{400, 300};

    void SetUp() override
    {
        pointer_ = MakePointer();
        ASSERT_NE(pointer_, nullptr);
        WNDCLASSW wc{};
        wc.lpfnWndProc = &PadProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = pointer_;
        wc.lpszClassName = L"PixtroveTestPointerPad";
        ::RegisterClassW(&wc);
    }
    void TearDown() override
    {
        if (pad_) ::DestroyWindow(pad_);
        ::UnregisterClassW(L"PixtroveTestPointerPad", ::GetModuleHandleW(nullptr));
        ::DestroyCursor(pointer_);
    }

    // The pad in front of the program's window, the pointer over it showing its shape, and the
    // pad's pixels on the screen.
    void PointAtPad(RealMouse& mouse)
    {
        pad_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"PixtroveTestPointerPad", L"Pad",
                                 WS_POPUP, kPad.left, kPad.top, kPad.right - kPad.left, kPad.bottom - kPad.top, nullptr,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(pad_, nullptr);
        ::ShowWindow(pad_, SW_SHOWNOACTIVATE);
        ::UpdateWindow(pad_);
        mouse.MoveTo(kAt);
        ::SetCursor(pointer_);
        CURSORINFO info{sizeof(info)};
        ASSERT_TRUE(::GetCursorInfo(&info));
        ASSERT_EQ(info.hCursor, pointer_);
        ASSERT_EQ(ScreenShows(ClientOnScreen(pad_), PatternPixels(kPad.right - kPad.left, kPad.bottom - kPad.top)), "");
    }

    // The pad's pattern as the grab of `grab` shows it (every pixel of the grab lies on the pad).
    static std::vector<std::uint32_t> PadPixels(RECT grab)
    {
        const std::vector<std::uint32_t> pad = PatternPixels(kPad.right - kPad.left, kPad.bottom - kPad.top);
        return Crop(pad, kPad.right - kPad.left,
                    {grab.left - kPad.left, grab.top - kPad.top, grab.right - kPad.left, grab.bottom - kPad.top});
    }

    static std::vector<std::uint32_t> Grab(app::MainFrame& main, RECT r)
    {
        FrameProbe::CaptureScreenRect(main, r.left, r.top, r.right - r.left, r.bottom - r.top);
        const app::ShotWindow* shot = ActiveShotWindow(main);
        if (!shot) return {};
        return PicturePixels(*shot);
    }

    static LRESULT CALLBACK PadProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_ERASEBKGND) return 1;
        if (msg != WM_PAINT) return ::DefWindowProcW(hwnd, msg, wp, lp);
        PaintPattern(hwnd);
        return 0;
    }

    HCURSOR pointer_ = nullptr;
    HWND pad_ = nullptr;
};

TEST_F(PointerInPicture, IsDrawnWithItsHotSpotWherePointedWhenTheSettingIsOn)
{
    WriteValue(kSection, "CaptureCursor", Sz("1"));
    Program program;
    RealMouse mouse;
    PointAtPad(mouse);
    const RECT grab{350, 250, 470, 350};
    const std::vector<std::uint32_t> picture = Grab(program.main, grab);
    EXPECT_EQ(FirstDifference(picture, WithPointer(PadPixels(grab), grab, kAt), 120), "");
    EXPECT_NE(picture, PadPixels(grab)) << "the pointer is in the picture";
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(PointerInPicture, OnlyWhatLiesInsideTheGrabIsDrawn)
{
    WriteValue(kSection, "CaptureCursor", Sz("1"));
    Program program;
    RealMouse mouse;
    PointAtPad(mouse);
    // The grab starts inside the pointer's image: its lower right part is in the picture.
    const RECT grab{405, 310, 466, 373};
    const std::vector<std::uint32_t> picture = Grab(program.main, grab);
    EXPECT_EQ(FirstDifference(picture, WithPointer(PadPixels(grab), grab, kAt), 61), "");
    EXPECT_EQ(picture[0], 0x000000u) << "row 15, column 8 of the pointer: black";
    // Left of the pointer: nothing of it. Under Wine without a window manager the frame that came
    // back after the first grab may lie over the pad, topmost or not: the pad is shown again.
    ::ShowWindow(pad_, SW_HIDE);
    ::ShowWindow(pad_, SW_SHOWNOACTIVATE);
    ::UpdateWindow(pad_);
    Pump(200);
    const RECT left{330, 280, 390, 330};
    EXPECT_EQ(FirstDifference(Grab(program.main, left), PadPixels(left), 60), "");
}

TEST_F(PointerInPicture, IsNotDrawnWhenTheSettingIsOffAsAtAFirstStart)
{
    Program program;
    ASSERT_FALSE(program.main.Settings().Values().captureCursor);
    RealMouse mouse;
    PointAtPad(mouse);
    const RECT grab{350, 250, 470, 350};
    EXPECT_EQ(FirstDifference(Grab(program.main, grab), PadPixels(grab), 120), "");
}

TEST_F(PointerInPicture, IsNotDrawnWhileHidden)
{
    WriteValue(kSection, "CaptureCursor", Sz("1"));
    Program program;
    RealMouse mouse;
    PointAtPad(mouse);
    ::ShowCursor(FALSE);
    const RECT grab{350, 250, 470, 350};
    const std::vector<std::uint32_t> picture = Grab(program.main, grab);
    ::ShowCursor(TRUE);
    EXPECT_EQ(FirstDifference(picture, PadPixels(grab), 120), "");
}

// The region's frozen screen: the pointer where it was at the key, whatever the mouse does
// on the overlay afterwards; a drag round that place takes it.
std::vector<std::uint32_t> RegionRoundThePointer(app::MainFrame& main, RealMouse& mouse, RECT around)
{
    PressKeys({VK_SHIFT, VK_SNAPSHOT});
    if (!PumpProgramUntil(
            main, [&] { return FrameProbe::Overlay(main) != nullptr; }, 3000))
        return {};
    mouse.MoveTo({around.left, around.top});
    mouse.LeftDown();
    mouse.MoveTo({around.right, around.bottom});
    mouse.LeftUp();
    if (!PumpProgramUntil(
            main, [&] { return FrameProbe::ShotCount(main) == 1; }, 3000))
        return {};
    return PicturePixels(*ActiveShotWindow(main));
}

TEST_F(PointerInPicture, IsDrawnIntoTheRegionsFrozenScreenWhereItWasAtTheKey)
{
    WriteValue(kSection, "CaptureCursor", Sz("1"));
    Program program;
    RealMouse mouse;
    PointAtPad(mouse);
    const RECT around{kAt.x - 10, kAt.y - 10, kAt.x + 30, kAt.y + 30};
    const std::vector<std::uint32_t> picture = RegionRoundThePointer(program.main, mouse, around);
    EXPECT_EQ(FirstDifference(picture, WithPointer(PadPixels(around), around, kAt), 40), "");
    EXPECT_NE(picture, PadPixels(around)) << "the pointer is in the picture";
}

TEST_F(PointerInPicture, IsNotInTheRegionsFrozenScreenWhenTheSettingIsOff)
{
    Program program;
    RealMouse mouse;
    PointAtPad(mouse);
    const RECT around{kAt.x - 10, kAt.y - 10, kAt.x + 30, kAt.y + 30};
    EXPECT_EQ(FirstDifference(RegionRoundThePointer(program.main, mouse, around), PadPixels(around), 40), "");
}

// Through a key, with the whole screen as the target.
TEST_F(PointerInPicture, IsDrawnIntoAScreenTakenByTheKeyAfterTheDialogTurnedItOn)
{
    Program program;
    app::MainFrame& main = program.main;
    core::Settings settings = main.Settings();
    settings.SetCaptureCursor(true);
    main.ApplySettings(settings);
    RealMouse mouse;
    PointAtPad(mouse);
    PressKeys({VK_SNAPSHOT});
    ASSERT_TRUE(PumpProgramUntil(
        main, [&] { return FrameProbe::ShotCount(main) == 1; }, 3000));
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const std::vector<std::uint32_t> screen = PicturePixels(*ActiveShotWindow(main));
    const RECT around{kAt.x - 10, kAt.y - 10, kAt.x + 30, kAt.y + 30};
    const RECT inPad{around.left - kPad.left, around.top - kPad.top, around.right - kPad.left,
                     around.bottom - kPad.top};
    const std::vector<std::uint32_t> expected =
        WithPointer(Crop(PatternPixels(kPad.right - kPad.left, kPad.bottom - kPad.top), kPad.right - kPad.left, inPad),
                    around, kAt);
    EXPECT_EQ(FirstDifference(Crop(screen, width, around), expected, 40), "");
}

}  // namespace
