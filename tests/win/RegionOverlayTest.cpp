// The region overlay driven by real input: drags, clicks, the keys, cancelling; the shot it
// makes holds exactly the frozen pixels, and a cancel makes nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CaptureFixture.h"
#include "CaptureSupport.h"
#include "ClipboardDib.h"
#include "ClipboardProbe.h"
#include "OtherProgram.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/ErrorReport.h"

using namespace wintest;

namespace {

constexpr RECT kPatternPlace{300, 200, 300 + 240, 200 + 160};

class Region : public Capture {
protected:
    // Shift+Print Screen, pressed for real; waits for the overlay.
    static bool OpenWithTheKey(app::MainFrame& main)
    {
        PressKeys({VK_SHIFT, VK_SNAPSHOT});
        return PumpProgramUntil(main, [&] { return FrameProbe::Overlay(main) != nullptr; }, 3000);
    }
    static bool WaitForShot(app::MainFrame& main, int number)
    {
        return PumpProgramUntil(
            main, [&] { return FrameProbe::ShotCount(main) == number && FrameIsBack(main); }, 3000);
    }
    static void Drag(RealMouse& mouse, POINT from, POINT to)
    {
        mouse.MoveTo(from);
        mouse.LeftDown();
        mouse.MoveTo(to);
        mouse.LeftUp();
    }
    // The pattern of a window at kPatternPlace, as the part `screen` of the screen shows it.
    static std::vector<std::uint32_t> PatternPart(RECT screen)
    {
        const int w = kPatternPlace.right - kPatternPlace.left;
        return Crop(PatternPixels(w, kPatternPlace.bottom - kPatternPlace.top), w,
                    {screen.left - kPatternPlace.left, screen.top - kPatternPlace.top,
                     screen.right - kPatternPlace.left, screen.bottom - kPatternPlace.top});
    }
    static std::string ShotShows(const app::ShotWindow& shot, const std::vector<std::uint32_t>& expected)
    {
        return FirstDifference(PicturePixels(shot), expected, ShotProbe::Picture(shot).Width());
    }
};

TEST_F(Region, ShiftPrintScreenCoversTheWholeScreenInFrontWithTheKeyboard)
{
    Program program;
    app::MainFrame& main = program.main;
    ASSERT_TRUE(OpenWithTheKey(main));
    const HWND overlay = FrameProbe::Overlay(main);
    RECT r{};
    ::GetWindowRect(overlay, &r);
    EXPECT_EQ(r.left, ::GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, ::GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(r.right - r.left, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(r.bottom - r.top, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_TRUE(::GetWindowLongPtrW(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetForegroundWindow(), overlay);
    EXPECT_EQ(::GetFocus(), overlay);
    EXPECT_EQ(FrameProbe::ShotCount(main), 0) << "nothing is made before a choice";
}

TEST_F(Region, ADragTakesExactlyTheFrozenPixelsEvenWhenTheScreenChangedBeneath)
{
    Program program;
    app::MainFrame& main = program.main;
    auto pattern = std::make_unique<PatternWindow>(PatternWindow::Kind::TopmostPopup, kPatternPlace);
    ASSERT_EQ(ScreenShows(kPatternPlace, PatternPixels(240, 160)), "");
    ASSERT_TRUE(OpenWithTheKey(main));
    pattern.reset();  // what lay on the screen at the key is gone
    Pump(100);
    RealMouse mouse;
    Drag(mouse, {320, 230}, {420, 290});

    ASSERT_TRUE(WaitForShot(main, 1));
    EXPECT_EQ(FrameProbe::Overlay(main), nullptr);
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(WindowText(shot->hwnd()), L"Shot:1");
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), 100);
    ASSERT_EQ(ShotProbe::Picture(*shot).Height(), 60);
    EXPECT_EQ(ShotShows(*shot, PatternPart({320, 230, 420, 290})), "");
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Region, ADragUpAndLeftTakesTheSameRectangle)
{
    Program program;
    app::MainFrame& main = program.main;
    PatternWindow pattern(PatternWindow::Kind::TopmostPopup, kPatternPlace);
    ASSERT_EQ(ScreenShows(kPatternPlace, PatternPixels(240, 160)), "");
    ASSERT_TRUE(OpenWithTheKey(main));
    RealMouse mouse;
    Drag(mouse, {501, 341}, {310, 205});

    ASSERT_TRUE(WaitForShot(main, 1));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), 191);
    ASSERT_EQ(ShotProbe::Picture(*shot).Height(), 136);
    EXPECT_EQ(ShotShows(*shot, PatternPart({310, 205, 501, 341})), "");
}

TEST_F(Region, ADragOfOnePixelEachWayIsAOneByOneShot)
{
    Program program;
    app::MainFrame& main = program.main;
    PatternWindow pattern(PatternWindow::Kind::TopmostPopup, kPatternPlace);
    ASSERT_EQ(ScreenShows(kPatternPlace, PatternPixels(240, 160)), "");
    ASSERT_TRUE(OpenWithTheKey(main));
    RealMouse mouse;
    Drag(mouse, {400, 250}, {401, 251});

    ASSERT_TRUE(WaitForShot(main, 1));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), 1);
    ASSERT_EQ(ShotProbe::Picture(*shot).Height(), 1);
    EXPECT_EQ(ShotShows(*shot, PatternPart({400, 250, 401, 251})), "");
}

TEST_F(Region, AClickTakesTheWindowUnderThePointerWithItsOwnPixels)
{
    Program program;
    app::MainFrame& main = program.main;
    PatternWindow window(PatternWindow::Kind::Framed, {200, 150, 200 + 360, 150 + 260});
    ::SetForegroundWindow(window.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == window.hwnd(); }));
    const RECT outer = window.WindowRect(), client = window.ClientRectOnScreen();
    const int w = client.right - client.left, h = client.bottom - client.top;
    ASSERT_EQ(ScreenShows(client, PatternPixels(w, h)), "");
    ASSERT_TRUE(OpenWithTheKey(main));
    RealMouse mouse;
    mouse.Click({client.left + 30, client.top + 40});

    ASSERT_TRUE(WaitForShot(main, 1));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), outer.right - outer.left);
    ASSERT_EQ(ShotProbe::Picture(*shot).Height(), outer.bottom - outer.top);
    const RECT inPicture{client.left - outer.left, client.top - outer.top, client.right - outer.left,
                         client.bottom - outer.top};
    EXPECT_EQ(FirstDifference(Crop(PicturePixels(*shot), outer.right - outer.left, inPicture), PatternPixels(w, h), w),
              "");
}

TEST_F(Region, AClickWhereNoWindowIsTakesTheMonitorNeverAnEmptyShot)
{
    Program program;
    app::MainFrame& main = program.main;
    ::ShowWindow(main.hwnd(), SW_MINIMIZE);  // nothing but the desktop at the far corner
    Pump(100);
    OtherProgram other(RECT{100, 100, 300, 300});
    ASSERT_TRUE(OpenWithTheKey(main));
    RealMouse mouse;
    mouse.Click({::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5});

    ASSERT_TRUE(WaitForShot(main, 1));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(ShotProbe::Picture(*shot).Width(), ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(ShotProbe::Picture(*shot).Height(), ::GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(Region, TheKeysChooseARectangleWithoutTheMouse)
{
    Program program;
    app::MainFrame& main = program.main;
    PatternWindow pattern(PatternWindow::Kind::TopmostPopup, kPatternPlace);
    ASSERT_EQ(ScreenShows(kPatternPlace, PatternPixels(240, 160)), "");
    RealMouse mouse;
    mouse.MoveTo({400, 300});
    ASSERT_TRUE(OpenWithTheKey(main));
    PressKeys({VK_LEFT});
    PressKeys({VK_RETURN});
    PressKeys({VK_SHIFT, VK_RIGHT});
    PressKeys({VK_SHIFT, VK_RIGHT});
    PressKeys({VK_RIGHT});
    PressKeys({VK_DOWN});
    PressKeys({VK_DOWN});
    PressKeys({VK_DOWN});
    Pump(200);
    POINT pointer{};
    ::GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, 420) << "the keys move the pointer";
    EXPECT_EQ(pointer.y, 303);
    PressKeys({VK_RETURN});

    ASSERT_TRUE(WaitForShot(main, 1));
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(ShotProbe::Picture(*shot).Width(), 21);
    ASSERT_EQ(ShotProbe::Picture(*shot).Height(), 3);
    EXPECT_EQ(ShotShows(*shot, PatternPart({399, 300, 420, 303})), "");
}

struct CancelCase {
    const char* name;
    bool escape;  // else the right button
    bool midDrag;
};

class RegionCancel : public Region, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(RegionCancel, MakesNothingAndGivesTheKeyboardBack)
{
    Program program;
    app::MainFrame& main = program.main;
    FrameProbe::CaptureScreenRect(main, 0, 0, 16, 16);
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return FrameIsBack(main); }));
    ASSERT_TRUE(OpenWithTheKey(main));
    RealMouse mouse;
    mouse.MoveTo({300, 300});
    if (GetParam().midDrag) {
        mouse.LeftDown();
        mouse.MoveTo({400, 380});
    }
    if (GetParam().escape) {
        PressKeys({VK_ESCAPE});
    } else {
        INPUT in[2]{};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        ::SendInput(2, in, sizeof(INPUT));
    }
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return FrameProbe::Overlay(main) == nullptr; }, 3000));
    if (GetParam().midDrag) mouse.LeftUp();
    Pump(300);
    EXPECT_EQ(FrameProbe::ShotCount(main), 1);
    EXPECT_EQ(Shots(main).size(), 1u);
    EXPECT_TRUE(FrameIsBack(main)) << "the program is as it was";
    EXPECT_TRUE(reports.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, RegionCancel,
                         ::testing::Values(CancelCase{"Escape", true, false}, CancelCase{"EscapeMidDrag", true, true},
                                           CancelCase{"RightButton", false, false},
                                           CancelCase{"RightButtonMidDrag", false, true}),
                         [](const ::testing::TestParamInfo<CancelCase>& info) { return info.param.name; });

TEST_F(Region, ATakenRegionIsOnTheClipboardAsACopyPutsIt)
{
    Program program;
    app::MainFrame& main = program.main;
    PatternWindow pattern(PatternWindow::Kind::TopmostPopup, kPatternPlace);
    ASSERT_EQ(ScreenShows(kPatternPlace, PatternPixels(240, 160)), "");
    ASSERT_TRUE(OpenWithTheKey(main));
    RealMouse mouse;
    Drag(mouse, {310, 210}, {343, 227});
    ASSERT_TRUE(WaitForShot(main, 1));

    const std::optional<Dib> dib = ClipboardDib();
    ASSERT_TRUE(dib.has_value()) << "no CF_DIB on the clipboard";
    ASSERT_EQ(dib->width, 33);
    ASSERT_EQ(dib->height, 17);
    EXPECT_EQ(FirstDifference(dib->Colours().values, PatternPart({310, 210, 343, 227}), 33), "");
}

TEST_F(Region, WithRegionCopyOffTheClipboardKeepsWhatItHeld)
{
    Program program;
    app::MainFrame& main = program.main;
    FrameProbe::SetRegionCopy(main, false);
    PutClipboardText(L"kept");
    ASSERT_TRUE(OpenWithTheKey(main));
    RealMouse mouse;
    Drag(mouse, {310, 210}, {343, 227});
    ASSERT_TRUE(WaitForShot(main, 1));
    EXPECT_EQ(ClipboardText(), std::optional<std::wstring>(L"kept"));
}

TEST_F(Region, WithRegionCopyStoredOffTheClipboardKeepsWhatItHeld)
{
    WriteValue(kSection, "RegionCopy", Sz("0"));
    Program program;
    app::MainFrame& main = program.main;
    EXPECT_FALSE(main.CopyRegionToClipboard());
    PutClipboardText(L"kept");
    ASSERT_TRUE(OpenWithTheKey(main));
    RealMouse mouse;
    Drag(mouse, {310, 210}, {343, 227});
    ASSERT_TRUE(WaitForShot(main, 1));
    EXPECT_EQ(ClipboardText(), std::optional<std::wstring>(L"kept"));
}

TEST_F(Region, TheOverlayShowsTheFrozenScreenInsideTheDragAndDimsItOutside)
{
    Program program;
    app::MainFrame& main = program.main;
    PatternWindow pattern(PatternWindow::Kind::TopmostPopup, kPatternPlace);
    ASSERT_EQ(ScreenShows(kPatternPlace, PatternPixels(240, 160)), "");
    ASSERT_TRUE(OpenWithTheKey(main));
    RealMouse mouse;
    mouse.MoveTo({380, 260});
    mouse.LeftDown();
    mouse.MoveTo({460, 320});
    const RECT inside{381, 261, 459, 319}, outside{310, 210, 370, 250};
    EXPECT_EQ(ScreenShows(inside, PatternPart(inside)), "") << "the chosen part is shown as it was";
    std::vector<std::uint32_t> dimmed = PatternPart(outside);
    for (std::uint32_t& p : dimmed) {
        std::uint32_t out = 0;
        for (int shift : {0, 8, 16}) out |= (((p >> shift) & 0xFF) * 127 / 255) << shift;
        p = out;
    }
    const std::vector<std::uint32_t> shown = ScreenPixels(outside);
    ASSERT_EQ(shown.size(), dimmed.size());
    int offBy = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>((shown[i] >> shift) & 0xFF) - static_cast<int>((dimmed[i] >> shift) & 0xFF)) > 1)
                ++offBy;
    EXPECT_EQ(offBy, 0) << "outside the drag the picture is dimmed to half";
    mouse.LeftUp();
    ASSERT_TRUE(WaitForShot(main, 1));
}

TEST_F(Region, PrintScreenInTheRegionModeOpensTheOverlayAtOnce)
{
    Program program;
    app::MainFrame& main = program.main;
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_REGION, 0);
    PressKeys({VK_SNAPSHOT});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return FrameProbe::Overlay(main) != nullptr; }, 3000));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return FrameProbe::Overlay(main) == nullptr; }, 3000));
    EXPECT_EQ(FrameProbe::ShotCount(main), 0);
}

TEST_F(Region, TheStartButtonInTheRegionModeOpensTheOverlayAfterTheDelayAndACancelBringsTheProgramBack)
{
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_REGION, 0);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    EXPECT_TRUE(::IsIconic(main.hwnd()));
    Pump(500);
    EXPECT_EQ(FrameProbe::Overlay(main), nullptr) << "not before the delay";
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return FrameProbe::Overlay(main) != nullptr; }, kTickWait));
    EXPECT_TRUE(::IsIconic(main.hwnd())) << "the program stays out of the picture";
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return FrameProbe::Overlay(main) == nullptr && FrameIsBack(main); }));
    EXPECT_EQ(FrameProbe::ShotCount(main), 0);
    EXPECT_FALSE(FrameProbe::CaptureTimer(main).Enabled());
}

TEST_F(Region, AGrabThatFailsIsReportedAndOpensNoOverlay)
{
    Program program;
    app::MainFrame& main = program.main;
    // As a key's handler runs it: inside the guard, which reports what the grab raised.
    win::GuardedVoid([&] { FrameProbe::OpenRegionOverlay(main, {0, 0, 100000, 100000}); });
    ASSERT_EQ(reports.texts().size(), 1u);
    EXPECT_EQ(FrameProbe::Overlay(main), nullptr);
    EXPECT_EQ(FrameProbe::ShotCount(main), 0);
    ASSERT_TRUE(OpenWithTheKey(main)) << "the next key still works";
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpProgramUntil(main, [&] { return FrameProbe::Overlay(main) == nullptr; }, 3000));
}

TEST_F(Region, AChangeOfMonitorsCancelsIt)
{
    Program program;
    app::MainFrame& main = program.main;
    ASSERT_TRUE(OpenWithTheKey(main));
    ::SendMessageW(FrameProbe::Overlay(main), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
    EXPECT_EQ(FrameProbe::Overlay(main), nullptr);
    Pump(200);
    EXPECT_EQ(FrameProbe::ShotCount(main), 0);
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Region, ClosingTheProgramTakesTheOverlayWithIt)
{
    auto program = std::make_unique<Program>();
    ASSERT_TRUE(OpenWithTheKey(program->main));
    const HWND overlay = FrameProbe::Overlay(program->main);
    program.reset();
    EXPECT_FALSE(::IsWindow(overlay));
}

}  // namespace
