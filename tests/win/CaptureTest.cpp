// The capture road with the real windows, by target: the start button, the countdown, the
// target worked out at the tick, and the grab compared with a pattern painted on screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaptureFixture.h"
#include "CaptureSupport.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/ErrorReport.h"

using namespace wintest;

namespace {

TEST_F(Capture, DesktopModeWaitsTheDelayThenShowsTheWholeScreenWithThePatternInPlace)
{
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    PatternWindow pattern(PatternWindow::Kind::TopmostPopup, {1000, 780, 1200, 920});
    RealMouse mouse;

    ClickStart(main, mouse);
    const ULONGLONG pressed = ::GetTickCount64();
    EXPECT_TRUE(::IsIconic(main.hwnd()));
    EXPECT_TRUE(FrameProbe::CaptureTimer(main).Enabled());
    EXPECT_TRUE(Shots(main).empty());

    ASSERT_TRUE(WaitForShot(main, 1)) << "shots: " << FrameProbe::ShotCount(main);
    EXPECT_GE(::GetTickCount64() - pressed, 950u);
    EXPECT_FALSE(FrameProbe::CaptureTimer(main).Enabled());
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(Shots(main).size(), 1u);
    EXPECT_EQ(WindowText(shot->hwnd()), L"Shot:1");
    EXPECT_EQ(::GetMenu(main.hwnd()), ShotProbe::Menu(*shot));

    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), width);
    ASSERT_EQ(ShotProbe::Picture(*shot).Height(), height);
    const std::vector<std::uint32_t> picture = PicturePixels(*shot);
    EXPECT_EQ(FirstDifference(Crop(picture, width, pattern.ClientRectOnScreen()), PatternPixels(200, 140), 200), "");
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Capture, ActiveWindowModeTakesTheWindowInFrontAtTheTickWithItsFrame)
{
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_ACTIVE_WINDOW, 0);
    PatternWindow framed(PatternWindow::Kind::Framed, {980, 300, 1260, 520});
    RealMouse mouse;

    ClickStart(main, mouse);
    // The user brings the wanted window forward during the wait.
    ::SetForegroundWindow(framed.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == framed.hwnd(); }));

    ASSERT_TRUE(WaitForShot(main, 1));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(WindowText(shot->hwnd()), L"Shot:1");
    const RECT outer = framed.WindowRect(), client = framed.ClientRectOnScreen();
    const int width = outer.right - outer.left;
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), width);
    ASSERT_EQ(ShotProbe::Picture(*shot).Height(), outer.bottom - outer.top);
    const RECT inPicture{client.left - outer.left, client.top - outer.top, client.right - outer.left,
                         client.bottom - outer.top};
    EXPECT_EQ(FirstDifference(Crop(PicturePixels(*shot), width, inPicture),
                              PatternPixels(client.right - client.left, client.bottom - client.top),
                              client.right - client.left),
              "");
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Capture, CursorWindowModeTakesOnlyTheButtonUnderThePointer)
{
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_CURSOR_WINDOW, 0);
    PatternWindow framed(PatternWindow::Kind::Framed, {980, 300, 1260, 520});
    const HWND button = framed.AddButton(30, 40, 110, 36);
    RealMouse mouse;

    ClickStart(main, mouse);
    // The pointer goes over the button only after the press: the window is looked up at the tick.
    RECT target{};
    ::GetWindowRect(button, &target);
    const POINT over{(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    ::SetCursorPos(over.x, over.y);
    mouse.MoveTo(over);  // lets the desktop's late pointer echoes settle on the same spot
    ASSERT_EQ(::WindowFromPoint(over), button);

    ASSERT_TRUE(WaitForShot(main, 1));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    const int width = target.right - target.left;
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), width);
    ASSERT_EQ(ShotProbe::Picture(*shot).Height(), target.bottom - target.top);
    // The button is on screen as it was at the tick: the frame came back elsewhere.
    EXPECT_EQ(FirstDifference(PicturePixels(*shot), ScreenPixels(target), width), "");
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Capture, ActiveWindowModeWithAMinimisedWindowInFrontGivesAnEmptyPicture)
{
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_ACTIVE_WINDOW, 0);
    PatternWindow framed(PatternWindow::Kind::Framed, {980, 300, 1260, 520});

    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    ::SetForegroundWindow(framed.hwnd());
    ::ShowWindow(framed.hwnd(), SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == framed.hwnd() && ::IsIconic(framed.hwnd()); }));

    ASSERT_TRUE(WaitForShot(main, 1));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(ShotProbe::Picture(*shot).Width(), 0);
    EXPECT_EQ(ShotProbe::Picture(*shot).Height(), 0);
    EXPECT_TRUE(reports.texts().empty());
}

}  // namespace
