// A part of a shot pinned on top: where it goes, what it shows, a drag, the wheel's zoom, the
// copy, closing it, several at once, and their end with the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "CaptureSupport.h"
#include "ClipboardProbe.h"
#include "ShotFixture.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

constexpr core::Rect kSelected{10, 5, 40, 30};

std::vector<HWND> Pins()
{
    std::vector<HWND> pins;
    for (HWND h = ::FindWindowExW(nullptr, nullptr, L"PixtrovePin", nullptr); h;
         h = ::FindWindowExW(nullptr, h, L"PixtrovePin", nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        if (owner == ::GetCurrentProcessId()) pins.push_back(h);
    }
    return pins;
}

RECT WindowRect(HWND hwnd)
{
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

bool Same(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

class PinnedShot : public ShotFixture {
protected:
    // Pins and gives the new pin window.
    HWND Pin()
    {
        const std::vector<HWND> before = Pins();
        ShotProbe::Pin(shot);
        Pump(20);
        for (HWND h : Pins())
            if (std::find(before.begin(), before.end(), h) == before.end()) return h;
        return nullptr;
    }
    // Where picture point (x, y) of the shot lies on the screen.
    POINT OnScreen(int x, int y) const
    {
        const POINT scrolled = ShotProbe::ScrollPosition(shot);
        POINT p{x - scrolled.x, y - scrolled.y};
        ::ClientToScreen(shot.hwnd(), &p);
        return p;
    }
};

TEST_F(PinnedShot, TheSelectionIsPinnedOnTopWhereItLiesOnTheScreen)
{
    Select(kSelected);
    const HWND pin = Pin();
    ASSERT_NE(pin, nullptr);
    const POINT at = OnScreen(kSelected.left, kSelected.top);
    const RECT expected{at.x, at.y, at.x + kSelected.Width(), at.y + kSelected.Height()};
    EXPECT_TRUE(Same(WindowRect(pin), expected)) << Describe(WindowRect(pin));
    EXPECT_TRUE(::GetWindowLongPtrW(pin, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(::GetWindowLongPtrW(pin, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
    EXPECT_EQ(::GetWindow(pin, GW_OWNER), program->application.hwnd());
    EXPECT_TRUE(::IsWindowVisible(pin));
    const Pixels part = Crop(captured, kSelected);
    EXPECT_EQ(ScreenShows(expected, part.values), "");
    EXPECT_TRUE(reports.texts().empty());
}

// The command in the edit menu, and its key through the program's loop.
TEST_F(PinnedShot, TheEditMenusCommandAndF3PinTheActiveShot)
{
    Select(kSelected);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_PIN, 0);
    ASSERT_EQ(Pins().size(), 1u);
    ::SetForegroundWindow(main.hwnd());
    ::SetFocus(shot.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == shot.hwnd(); }, 2000));
    PressKeys({VK_F3});
    EXPECT_TRUE(PumpProgramUntil(
        main, [] { return Pins().size() == 2; }, 3000));
    for (HWND pin : Pins())
        EXPECT_EQ(PicturePixels(PinProbe::Picture(*app::PinWindow::FromHandle(pin))), Crop(captured, kSelected));
}

TEST_F(PinnedShot, WithNothingSelectedTheWholePictureIsPinnedAndASelectionPastTheEdgesKeepsToThePicture)
{
    const HWND whole = Pin();
    ASSERT_NE(whole, nullptr);
    const POINT origin = OnScreen(0, 0);
    EXPECT_TRUE(Same(WindowRect(whole), {origin.x, origin.y, origin.x + kWidth, origin.y + kHeight}))
        << Describe(WindowRect(whole));
    EXPECT_EQ(PicturePixels(PinProbe::Picture(*app::PinWindow::FromHandle(whole))), captured);

    Select({40, 20, 90, 80});
    const HWND edge = Pin();
    ASSERT_NE(edge, nullptr);
    const POINT at = OnScreen(40, 20);
    EXPECT_TRUE(Same(WindowRect(edge), {at.x, at.y, at.x + 24, at.y + 28})) << Describe(WindowRect(edge));
    EXPECT_EQ(PicturePixels(PinProbe::Picture(*app::PinWindow::FromHandle(edge))), Crop(captured, {40, 20, 64, 48}));
    EXPECT_EQ(Pins().size(), 2u);  // several at once
}

// The pixels are the pin's own: an edit of the shot afterwards leaves them as they were.
TEST_F(PinnedShot, APinKeepsThePixelsItWasMadeWith)
{
    Select(kSelected);
    const HWND pin = Pin();
    ASSERT_NE(pin, nullptr);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_BLACK_OUT, 0);
    EXPECT_EQ(PicturePixels(PinProbe::Picture(*app::PinWindow::FromHandle(pin))), Crop(captured, kSelected));
}

TEST_F(PinnedShot, ADragMovesIt)
{
    Select(kSelected);
    const HWND pin = Pin();
    ASSERT_NE(pin, nullptr);
    const RECT before = WindowRect(pin);
    ::SendMessageW(pin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(pin, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, 15));
    ::SendMessageW(pin, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 40));  // from where it is now
    ::SendMessageW(pin, WM_LBUTTONUP, 0, MAKELPARAM(2, 40));
    ::SendMessageW(pin, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));  // no button: no move
    const RECT after = WindowRect(pin);
    EXPECT_EQ(after.left - before.left, 20 - 3);
    EXPECT_EQ(after.top - before.top, 10 + 40 - 5);
    EXPECT_EQ(after.right - after.left, kSelected.Width());
}

LPARAM ScreenPoint(POINT p) { return MAKELPARAM(p.x, p.y); }

TEST_F(PinnedShot, TheWheelZoomsItAboutThePointerFromAQuarterToFourTimes)
{
    Select(kSelected);  // 30 x 25
    const HWND pin = Pin();
    ASSERT_NE(pin, nullptr);
    const RECT placed = WindowRect(pin);
    const POINT corner{placed.left, placed.top};
    ::SendMessageW(pin, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), ScreenPoint(corner));
    EXPECT_EQ(PinProbe::Zoom(*app::PinWindow::FromHandle(pin)), 125);
    EXPECT_TRUE(Same(WindowRect(pin), {corner.x, corner.y, corner.x + 38, corner.y + 31})) << Describe(WindowRect(pin));
    for (int i = 0; i < 8; ++i)
        ::SendMessageW(pin, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), ScreenPoint(corner));
    EXPECT_EQ(PinProbe::Zoom(*app::PinWindow::FromHandle(pin)), 400);
    EXPECT_TRUE(Same(WindowRect(pin), {corner.x, corner.y, corner.x + 120, corner.y + 100}))
        << Describe(WindowRect(pin));
    // Four times: each picture pixel is a 4 x 4 square on the screen.
    const Pixels part = Crop(captured, kSelected);
    std::vector<std::uint32_t> zoomed;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x)
            zoomed.push_back(part.at(x / 4, y / 4));
    EXPECT_EQ(ScreenShows(WindowRect(pin), zoomed), "");

    // About the bottom-right corner, the other way, to the least.
    const RECT big = WindowRect(pin);
    const POINT farCorner{big.right, big.bottom};
    ::SendMessageW(pin, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA * 20)), ScreenPoint(farCorner));
    EXPECT_EQ(PinProbe::Zoom(*app::PinWindow::FromHandle(pin)), 25);
    EXPECT_TRUE(Same(WindowRect(pin), {farCorner.x - 8, farCorner.y - 6, farCorner.x, farCorner.y}))
        << Describe(WindowRect(pin));
}

// Through the program's loop: the frame's Ctrl+C (the shot's copy) is not what the pin does.
TEST_F(PinnedShot, CtrlCCopiesThePinnedPixelsAsTheCopyDoes)
{
    Select(kSelected);
    const HWND pin = Pin();
    ASSERT_NE(pin, nullptr);
    Select({0, 0, 8, 8});
    ASSERT_TRUE(OpenClipboardSoon(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    ::SetForegroundWindow(pin);
    ::SetFocus(pin);
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == pin; }, 2000));
    PressKeys({VK_CONTROL, 'C'});
    ASSERT_TRUE(PumpProgramUntil(
        main, [] { return ClipboardBitmap().has_value(); }, 3000));
    EXPECT_EQ(ClipboardBitmap(), Crop(captured, kSelected));
}

TEST_F(PinnedShot, EscOrADoubleClickClosesItAndTheOthersStay)
{
    const HWND first = Pin();
    const HWND second = Pin();
    const HWND third = Pin();
    ASSERT_EQ(Pins().size(), 3u);
    ::SetForegroundWindow(second);
    ::SetFocus(second);
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == second; }, 2000));
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(PumpProgramUntil(
        main, [&] { return !::IsWindow(second); }, 3000));
    ::SendMessageW(third, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_FALSE(::IsWindow(third));
    EXPECT_EQ(Pins(), std::vector<HWND>{first});
}

TEST_F(PinnedShot, PinsStayWhenTheirShotClosesAndGoWhenTheProgramEnds)
{
    Pin();
    Pin();
    CloseShot(main, shot);
    EXPECT_EQ(Pins().size(), 2u);
    program.reset();
    EXPECT_EQ(Pins(), std::vector<HWND>{});
}

}  // namespace
