// The countdown of a delayed capture: the seconds left on the monitor of the pointer, never in
// the picture, and a click on it or Esc calling the capture off.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "CaptureFixture.h"
#include "CaptureSupport.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

class Countdown : public Capture {
protected:
    static HWND StartWithDelay(app::MainFrame& main, int seconds)
    {
        main.SetCaptureDelay(seconds);
        ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
        return FrameProbe::Countdown(main);
    }
    static bool Contains(RECT r, POINT p) { return ::PtInRect(&r, p) != FALSE; }
};

TEST_F(Countdown, ShowsTheSecondsLeftInFrontOnTheMonitorOfThePointerWithoutTakingTheKeyboard)
{
    Program program;
    app::MainFrame& main = program.main;
    RealMouse mouse;
    mouse.MoveTo({200, 300});
    const HWND countdown = StartWithDelay(main, 3);
    ASSERT_NE(countdown, nullptr);
    EXPECT_TRUE(::IsWindowVisible(countdown));
    EXPECT_TRUE(::GetWindowLongPtrW(countdown, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(::GetForegroundWindow(), countdown);
    EXPECT_EQ(WindowText(countdown), L"3");
    RECT r{};
    ::GetWindowRect(countdown, &r);
    MONITORINFO monitor{sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromPoint({200, 300}, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_TRUE(Contains(monitor.rcMonitor, {r.left, r.top}) && Contains(monitor.rcMonitor, {r.right - 1, r.bottom - 1}));
    EXPECT_LT(r.right - r.left, 400) << "a small window";

    EXPECT_TRUE(PumpUntil([&] { return WindowText(countdown) == L"2"; }, 1500));
    EXPECT_TRUE(PumpUntil([&] { return WindowText(countdown) == L"1"; }, 1500));
    ASSERT_TRUE(WaitForShot(main, 1));
    EXPECT_EQ(FrameProbe::Countdown(main), nullptr);
    EXPECT_FALSE(::IsWindow(countdown));
}

TEST_F(Countdown, IsNeverInThePicture)
{
    Program program;
    app::MainFrame& main = program.main;
    RealMouse mouse;
    mouse.MoveTo({640, 512});
    const RECT covered{340, 312, 940, 712};
    PatternWindow pattern(PatternWindow::Kind::TopmostPopup, covered);
    ASSERT_EQ(ScreenShows(covered, PatternPixels(600, 400)), "");
    const HWND countdown = StartWithDelay(main, 1);
    ASSERT_NE(countdown, nullptr);
    RECT where{};
    ::GetWindowRect(countdown, &where);
    ASSERT_TRUE(Contains(covered, {where.left, where.top}) && Contains(covered, {where.right - 1, where.bottom - 1}))
        << "the countdown lies over the pattern";

    ASSERT_TRUE(WaitForShot(main, 1));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    const int width = ShotProbe::Picture(*shot).Width();
    EXPECT_EQ(FirstDifference(Crop(PicturePixels(*shot), width, covered), PatternPixels(600, 400), 600), "");
}

TEST_F(Countdown, AClickOnItCallsTheCaptureOff)
{
    Program program;
    app::MainFrame& main = program.main;
    const HWND countdown = StartWithDelay(main, 2);
    ASSERT_NE(countdown, nullptr);
    RECT r{};
    ::GetWindowRect(countdown, &r);
    RealMouse mouse;
    mouse.Click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});

    ASSERT_TRUE(PumpUntil([&] { return FrameProbe::Countdown(main) == nullptr && FrameIsBack(main); }));
    EXPECT_FALSE(FrameProbe::CaptureTimer(main).Enabled());
    Pump(2500);
    EXPECT_EQ(FrameProbe::ShotCount(main), 0);
    EXPECT_TRUE(Shots(main).empty());
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Countdown, EscapeWhileItHasTheKeyboardCallsTheCaptureOff)
{
    Program program;
    app::MainFrame& main = program.main;
    const HWND countdown = StartWithDelay(main, 2);
    ASSERT_NE(countdown, nullptr);
    ::SetForegroundWindow(countdown);
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == countdown; }));
    PressKeys({VK_ESCAPE});

    ASSERT_TRUE(PumpUntil([&] { return FrameProbe::Countdown(main) == nullptr && FrameIsBack(main); }));
    EXPECT_FALSE(FrameProbe::CaptureTimer(main).Enabled());
    Pump(2500);
    EXPECT_EQ(FrameProbe::ShotCount(main), 0);
}

TEST_F(Countdown, ASecondStartPressKeepsTheOneCountdown)
{
    Program program;
    app::MainFrame& main = program.main;
    const HWND countdown = StartWithDelay(main, 2);
    ASSERT_NE(countdown, nullptr);
    Pump(1100);
    ::ShowWindow(main.hwnd(), SW_RESTORE);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    EXPECT_EQ(FrameProbe::Countdown(main), countdown);
    EXPECT_EQ(WindowText(countdown), L"1");
    ASSERT_TRUE(WaitForShot(main, 1));
}

}  // namespace

namespace {

TEST_F(Countdown, ANewDelayDuringTheWaitStartsTheCountdownAgain)
{
    Program program;
    app::MainFrame& main = program.main;
    ASSERT_NE(StartWithDelay(main, 2), nullptr);
    Pump(1100);
    main.SetCaptureDelay(5);
    const HWND countdown = FrameProbe::Countdown(main);
    ASSERT_NE(countdown, nullptr);
    EXPECT_EQ(WindowText(countdown), L"5");
    EXPECT_TRUE(FrameProbe::CaptureTimer(main).Enabled());
    ::PostMessageW(main.hwnd(), app::kCountdownCancelled, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return FrameProbe::Countdown(main) == nullptr; }));
}

}  // namespace
