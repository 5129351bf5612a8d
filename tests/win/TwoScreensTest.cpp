// Every monitor, pixel for pixel, on a desktop of two (scripts/two-screens.sh): the primary of
// 1280 x 1024 with a monitor of 1024 x 768 on its left, so at negative coordinates, and below
// that monitor a stretch of the virtual screen that no monitor shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "CaptureFixture.h"
#include "CaptureSupport.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/Monitors.h"

using namespace wintest;

namespace {

constexpr RECT kLeftMonitor{-1024, 0, 0, 768};

class TwoScreens : public Capture {
protected:
    // Captures with the start button and a one-second delay, and returns the new shot.
    app::ShotWindow* CaptureWithTheStartButton(app::MainFrame& main, int mode)
    {
        main.SetCaptureDelay(1);
        FrameProbe::SetCaptureMode(main, static_cast<std::uint8_t>(mode));
        ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
        if (!PumpUntil([&] { return FrameProbe::ShotCount(main) == 1; }, kTickWait)) return nullptr;
        return ActiveShotWindow(main);
    }
    // The part of a picture of the virtual screen that shows a screen rectangle.
    static std::vector<std::uint32_t> PartShowing(const app::ShotWindow& shot, RECT screen)
    {
        const int vx = ::GetSystemMetrics(SM_XVIRTUALSCREEN), vy = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
        return Crop(PicturePixels(shot), ShotProbe::Picture(shot).Width(),
                    {screen.left - vx, screen.top - vy, screen.right - vx, screen.bottom - vy});
    }
};

TEST_F(TwoScreens, WineReportsTheSecondMonitorLeftOfThePrimary)
{
    const std::vector<core::Rect> monitors = win::MonitorRects();
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(::GetSystemMetrics(SM_XVIRTUALSCREEN), -1024);
    EXPECT_EQ(::GetSystemMetrics(SM_CXVIRTUALSCREEN), 2304);
    EXPECT_EQ(::GetSystemMetrics(SM_CYVIRTUALSCREEN), 1024);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1280);
}

TEST_F(TwoScreens, AllScreensShowEveryMonitorWithItsOwnPixelsAndBlackWhereNoneIs)
{
    const RECT onLeft{-900, 120, -900 + 301, 120 + 203}, onPrimary{700, 500, 700 + 157, 500 + 99};
    // With no window manager the stacking is the order of showing: the pattern windows last.
    Program program;
    PatternWindow left(PatternWindow::Kind::TopmostPopup, onLeft);
    PatternWindow right(PatternWindow::Kind::TopmostPopup, onPrimary);
    ASSERT_EQ(ScreenShows(onLeft, PatternPixels(301, 203)), "");
    ASSERT_EQ(ScreenShows(onPrimary, PatternPixels(157, 99)), "");
    app::ShotWindow* shot = CaptureWithTheStartButton(program.main, 3);
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), 2304);
    ASSERT_EQ(ShotProbe::Picture(*shot).Height(), 1024);

    const auto difference = [](const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, RECT r) {
        return FirstDifference(a, b, r.right - r.left);
    };
    EXPECT_EQ(difference(PartShowing(*shot, onLeft), PatternPixels(301, 203), onLeft), "") << "the left monitor";
    EXPECT_EQ(difference(PartShowing(*shot, onPrimary), PatternPixels(157, 99), onPrimary), "") << "the primary";
    const RECT gap{kLeftMonitor.left, kLeftMonitor.bottom, kLeftMonitor.right, 1024};
    const std::vector<std::uint32_t> black(static_cast<size_t>(1024 * (1024 - 768)), 0);
    EXPECT_EQ(difference(PartShowing(*shot, gap), black, gap), "") << "below the left monitor";
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(TwoScreens, TheDesktopButtonKeepsThePrimaryScreen)
{
    Program program;
    app::ShotWindow* shot = CaptureWithTheStartButton(program.main, 0);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(ShotProbe::Picture(*shot).Width(), 1280);
    EXPECT_EQ(ShotProbe::Picture(*shot).Height(), 1024);
}

TEST_F(TwoScreens, AWindowOnTheLeftMonitorIsTakenWithItsOwnPixels)
{
    PatternWindow window(PatternWindow::Kind::Framed, {-800, 200, -800 + 320, 200 + 240});
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_ACTIVE_WINDOW, 0);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    ::SetForegroundWindow(window.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == window.hwnd(); }));
    ASSERT_TRUE(PumpUntil([&] { return FrameProbe::ShotCount(main) == 1; }, kTickWait));
    const app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);

    const RECT outer = window.WindowRect(), client = window.ClientRectOnScreen();
    ASSERT_LT(outer.left, 0);
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), outer.right - outer.left);
    const int w = client.right - client.left, h = client.bottom - client.top;
    const RECT inPicture{client.left - outer.left, client.top - outer.top, client.right - outer.left,
                         client.bottom - outer.top};
    EXPECT_EQ(FirstDifference(Crop(PicturePixels(*shot), ShotProbe::Picture(*shot).Width(), inPicture),
                              PatternPixels(w, h), w),
              "");
}

TEST_F(TwoScreens, TheRegionOverlayCoversBothMonitorsAndADragAcrossThemGivesItsPixels)
{
    const RECT onLeft{-400, 300, 0, 500}, onPrimary{0, 300, 400, 500};
    Program program;
    PatternWindow left(PatternWindow::Kind::TopmostPopup, onLeft);
    PatternWindow right(PatternWindow::Kind::TopmostPopup, onPrimary);
    ASSERT_EQ(ScreenShows(onLeft, PatternPixels(400, 200)), "");
    ASSERT_EQ(ScreenShows(onPrimary, PatternPixels(400, 200)), "");
    app::MainFrame& main = program.main;
    PressKeys({VK_SHIFT, VK_SNAPSHOT});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return FrameProbe::Overlay(main) != nullptr; }, 3000));
    RECT covered{};
    ::GetWindowRect(FrameProbe::Overlay(main), &covered);
    EXPECT_EQ(covered.left, -1024);
    EXPECT_EQ(covered.top, 0);
    EXPECT_EQ(covered.right, 1280);
    EXPECT_EQ(covered.bottom, 1024);

    RealMouse mouse;
    mouse.MoveTo({-150, 320});
    mouse.LeftDown();
    mouse.MoveTo({170, 460});
    mouse.LeftUp();
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return FrameProbe::ShotCount(main) == 1; }, 3000));
    const app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), 320);
    ASSERT_EQ(ShotProbe::Picture(*shot).Height(), 140);
    const std::vector<std::uint32_t> pixels = PicturePixels(*shot);
    EXPECT_EQ(FirstDifference(Crop(pixels, 320, {0, 0, 150, 140}), Crop(PatternPixels(400, 200), 400, {250, 20, 400, 160}),
                              150),
              "")
        << "the left monitor's part";
    EXPECT_EQ(FirstDifference(Crop(pixels, 320, {150, 0, 320, 140}), Crop(PatternPixels(400, 200), 400, {0, 20, 170, 160}),
                              170),
              "")
        << "the primary's part";
    EXPECT_TRUE(reports.texts().empty());
}

}  // namespace
