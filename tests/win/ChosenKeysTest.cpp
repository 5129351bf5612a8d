// Keys of the user's choosing, stored in the registry before the start and pressed for real
// while another program's window has the keyboard: what is taken, what is let be, and a chosen
// key another program holds named in the status bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaptureFixture.h"
#include "CaptureSupport.h"
#include "OtherProgram.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/Text.h"

using namespace wintest;

namespace {

constexpr RECT kOtherPlace{140, 120, 560, 420};

class ChosenKeys : public Capture {
protected:
    static bool PressForShot(app::MainFrame& main, std::initializer_list<WORD> keys, int number)
    {
        PressKeys(keys);
        return PumpProgramUntil(
            main, [&] { return FrameProbe::ShotCount(main) == number && FrameIsBack(main); }, 3000);
    }
};

TEST_F(ChosenKeys, AChosenKeyTakesItsTargetWhileAnotherProgramHasTheKeyboardAndTheOldKeyIsFree)
{
    WriteValue(kSection, "HotKeyTarget", Sz("120"));  // F9
    Program program;
    app::MainFrame& main = program.main;
    EXPECT_TRUE(PrintScreenIsFree(0)) << "plain Print Screen is no longer the program's";
    EXPECT_FALSE(KeyIsFree(0, VK_F9));
    OtherProgram other(kOtherPlace);
    ASSERT_EQ(::GetForegroundWindow(), other.window());

    ASSERT_TRUE(PressForShot(main, {VK_F9}, 1));
    const win::Picture& picture = ShotProbe::Picture(*ActiveShotWindow(main));
    EXPECT_EQ(picture.Width(), ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(picture.Height(), ::GetSystemMetrics(SM_CYSCREEN));

    // Plain Print Screen now does nothing in the program.
    ASSERT_TRUE(other.Activate());
    PressKeys({VK_SNAPSHOT});
    PumpProgramUntil(
        main, [] { return false; }, 500);
    EXPECT_EQ(FrameProbe::ShotCount(main), 1);
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(ChosenKeys, AChordWithModifiersTakesTheActiveWindowAndTheStartKeyCanBeAPlainKey)
{
    WriteValue(kSection, "HotKeyWindow", Sz("888"));   // Ctrl+Shift+F9
    WriteValue(kSection, "HotKeyDelayed", Sz("119"));  // F8
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    OtherProgram other(kOtherPlace);

    ASSERT_TRUE(PressForShot(main, {VK_CONTROL, VK_SHIFT, VK_F9}, 1));
    const RECT window = other.WindowRect();
    EXPECT_EQ(ShotProbe::Picture(*ActiveShotWindow(main)).Width(), window.right - window.left);
    EXPECT_EQ(ShotProbe::Picture(*ActiveShotWindow(main)).Height(), window.bottom - window.top);
    EXPECT_TRUE(PrintScreenIsFree(MOD_ALT));

    ASSERT_TRUE(other.Activate());
    PressKeys({VK_F8});
    ASSERT_TRUE(PumpProgramUntil(
        main, [&] { return FrameProbe::CaptureTimer(main).Enabled(); }, 3000));
    EXPECT_TRUE(::IsIconic(main.hwnd()));
    ASSERT_TRUE(WaitForShot(main, 2));
}

TEST_F(ChosenKeys, AChosenRegionKeyOpensTheOverlayAndShiftPrintScreenIsFree)
{
    WriteValue(kSection, "HotKeyRegion", Sz("120"));  // F9
    Program program;
    app::MainFrame& main = program.main;
    EXPECT_TRUE(PrintScreenIsFree(MOD_SHIFT));
    EXPECT_FALSE(KeyIsFree(0, VK_F9));
    OtherProgram other(kOtherPlace);
    ASSERT_EQ(::GetForegroundWindow(), other.window());

    PressKeys({VK_F9});
    ASSERT_TRUE(PumpProgramUntil(
        main, [&] { return FrameProbe::Overlay(main) != nullptr; }, 3000));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpProgramUntil(
        main, [&] { return FrameProbe::Overlay(main) == nullptr; }, 3000));
    EXPECT_EQ(FrameProbe::ShotCount(main), 0);
    EXPECT_TRUE(reports.texts().empty());
}

// Ctrl+Shift+Print Screen at a first start, from another program, in the first mode.
TEST_F(ChosenKeys, TheScrollKeyOpensTheOverlayForAScrollingCaptureWhateverTheMode)
{
    Program program;
    app::MainFrame& main = program.main;
    EXPECT_FALSE(PrintScreenIsFree(MOD_CONTROL | MOD_SHIFT));
    OtherProgram other(kOtherPlace);
    ASSERT_EQ(::GetForegroundWindow(), other.window());

    PressKeys({VK_CONTROL, VK_SHIFT, VK_SNAPSHOT});
    ASSERT_TRUE(PumpProgramUntil(
        main, [&] { return FrameProbe::Overlay(main) != nullptr; }, 3000));
    EXPECT_TRUE(OverlayProbe::HandsAPlace(*FrameProbe::RegionOverlay(main)));
    EXPECT_EQ(FrameProbe::CaptureMode(main), core::CaptureMode::Desktop) << "the mode stays as chosen";
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PumpProgramUntil(
        main, [&] { return FrameProbe::Overlay(main) == nullptr; }, 3000));
    EXPECT_EQ(FrameProbe::ShotCount(main), 0);
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(ChosenKeys, AClearedKeyIsNotAskedForAndTheOthersStay)
{
    WriteValue(kSection, "HotKeyWindow", Sz("0"));
    Program program;
    EXPECT_TRUE(PrintScreenIsFree(MOD_ALT));
    EXPECT_FALSE(PrintScreenIsFree(0));
    EXPECT_FALSE(PrintScreenIsFree(MOD_CONTROL));
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(program.main), 1), L"");
}

TEST_F(ChosenKeys, AStoredValueThatIsNoKeyGivesTheDefaultKey)
{
    WriteValue(kSection, "HotKeyWindow", Sz("4140"));  // a bit beyond the modifiers
    WriteValue(kSection, "HotKeyDelayed", Sz("F9"));
    Program program;
    EXPECT_FALSE(PrintScreenIsFree(MOD_ALT));
    EXPECT_FALSE(PrintScreenIsFree(MOD_CONTROL));
    EXPECT_TRUE(reports.texts().empty());
    program.main.SaveSettings();
    EXPECT_EQ(ReadValue(kSection, "HotKeyWindow"), Sz("1068"));
    EXPECT_EQ(ReadValue(kSection, "HotKeyDelayed"), Sz("556"));
}

TEST_F(ChosenKeys, AChosenKeyAnotherProgramHoldsIsNamedInTheStatusBar)
{
    OtherProgram holder(kOtherPlace, MOD_CONTROL | MOD_ALT, 'K');
    WriteValue(kSection, "HotKeyDelayed", Sz("1611"));  // Ctrl+Alt+K
    Program program;
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(program.main), 1),
              L"Ctrl+Alt+K は他のプログラムが使用中のため使えません。");
    EXPECT_FALSE(PrintScreenIsFree(0)) << "the other keys are the program's";
    EXPECT_TRUE(reports.texts().empty());
}

// Windows keeps plain Print Screen, and the user has given it to the start button.
TEST_F(ChosenKeys, WindowsKeepingPrintScreenIsToldForTheActionThatHasIt)
{
    WriteValue("Control Panel\\Keyboard", "PrintScreenKeyForSnippingEnabled", RawValue{REG_DWORD, {1, 0, 0, 0}});
    WriteValue(kSection, "HotKeyTarget", Sz("120"));
    WriteValue(kSection, "HotKeyDelayed", Sz("44"));
    Program program;
    const std::wstring notice = StatusText(FrameProbe::StatusBar(program.main), 1);
    EXPECT_EQ(notice.rfind(L"Print Screen は Windows が画面キャプチャに使っています。", 0), 0u) << win::Narrow(notice);
    EXPECT_TRUE(PrintScreenIsFree(0));
    EXPECT_FALSE(KeyIsFree(0, VK_F9));
}

TEST_F(ChosenKeys, TheStoredKeysAreKeptAsTheyWereReadWhenTheProgramCloses)
{
    WriteValue(kSection, "HotKeyTarget", Sz("$78"));
    WriteValue(kSection, "HotKeyWindow", Sz("2092"));
    {
        Program program;
        ::SendMessageW(program.main.hwnd(), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(ReadValue(kSection, "HotKeyRegion"), Sz("300"));
    EXPECT_EQ(ReadValue(kSection, "HotKeyTarget"), Sz("120"));
    EXPECT_EQ(ReadValue(kSection, "HotKeyWindow"), Sz("44"));
    EXPECT_EQ(ReadValue(kSection, "HotKeyDelayed"), Sz("556"));
    EXPECT_EQ(ReadValue(kSection, "RegionCopy"), Sz("1"));
    EXPECT_EQ(ReadValue(kSection, "CaptureCursor"), Sz("0"));
    EXPECT_EQ(ReadValue(kSection, "HotKeyTarget")->data.size(), 4u) << "text with its NUL";
}

}  // namespace
