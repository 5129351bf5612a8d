// The Print Screen keys, pressed for real while another program's window has the keyboard:
// what each key captures, a key another program holds, and Windows' own use of the key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaptureFixture.h"
#include "CaptureSupport.h"
#include "OtherProgram.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

constexpr RECT kOtherPlace{140, 120, 560, 420};
const wchar_t kHeldNotice[] = L"Print Screen は他のプログラムが使用中のため使えません。";
const wchar_t kWindowsNotice[] =
    L"Print Screen は Windows が画面キャプチャに使っています。Windows の 設定 > アクセシビリティ > キーボード で"
    L"「Print Screen キーを使用して画面キャプチャを開く」をオフにすると使えます。";

class HotKeys : public Capture {
protected:
    // Presses the chord and waits for the shot it makes, with the program back in front.
    static bool PressForShot(app::MainFrame& main, std::initializer_list<WORD> keys, int number)
    {
        PressKeys(keys);
        return PumpProgramUntil(
            main, [&] { return FrameProbe::ShotCount(main) == number && FrameIsBack(main); }, 3000);
    }
    static std::uint32_t PictureAt(const app::ShotWindow& shot, POINT p)
    {
        const std::vector<std::uint32_t> pixels = PicturePixels(shot);
        const auto& picture = ShotProbe::Picture(shot);
        return pixels.at(static_cast<size_t>(p.y) * static_cast<size_t>(picture.Width()) + static_cast<size_t>(p.x));
    }
    static POINT CentreOf(RECT r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
};

constexpr std::uint32_t kOtherPixel = 0x20A060;

TEST_F(HotKeys, PrintScreenTakesTheCurrentTargetAtOnceAsTheUserSeesIt)
{
    Program program;
    app::MainFrame& main = program.main;
    OtherProgram other(kOtherPlace);
    ASSERT_EQ(::GetForegroundWindow(), other.window());

    ASSERT_TRUE(PressForShot(main, {VK_SNAPSHOT}, 1));
    EXPECT_FALSE(FrameProbe::CaptureTimer(main).Enabled()) << "no countdown";
    app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(WindowText(shot->hwnd()), L"Shot:1");
    const win::Picture& picture = ShotProbe::Picture(*shot);
    EXPECT_EQ(picture.Width(), ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(picture.Height(), ::GetSystemMetrics(SM_CYSCREEN));
    // The other program's window was in front at the press, so the desktop shows it.
    EXPECT_EQ(PictureAt(*shot, CentreOf(ClientOnScreen(other.window()))), kOtherPixel);

    // Again, with the target the all-screens button gives.
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_ALL_SCREENS, 0);
    ASSERT_TRUE(other.Activate());
    ASSERT_TRUE(PressForShot(main, {VK_SNAPSHOT}, 2));
    const win::Picture& all = ShotProbe::Picture(*ActiveShotWindow(main));
    EXPECT_EQ(all.Width(), ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(all.Height(), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_TRUE(reports.texts().empty());
}

// The shot's area is drawn once, after the window is made: it must then show the picture.
TEST_F(HotKeys, TheNewShotIsOnTheScreenWithItsPicture)
{
    Program program;
    app::MainFrame& main = program.main;
    OtherProgram other(kOtherPlace);
    for (int number = 1; number <= 2; ++number) {
        ASSERT_TRUE(other.Activate());
        ASSERT_TRUE(PressForShot(main, {VK_SNAPSHOT}, number));
        const app::ShotWindow& shot = *ActiveShotWindow(main);
        const RECT client = ClientOnScreen(shot.hwnd());
        const int w = client.right - client.left, h = client.bottom - client.top;
        ASSERT_GT(w, 0);
        const std::vector<std::uint32_t> shown =
            Crop(PicturePixels(shot), ShotProbe::Picture(shot).Width(), {0, 0, w, h});
        EXPECT_EQ(ScreenShows(client, shown), "") << "shot " << number;
    }
}

TEST_F(HotKeys, AltPrintScreenTakesTheActiveWindowWhateverTheMode)
{
    Program program;
    app::MainFrame& main = program.main;
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_CURSOR_WINDOW, 0);
    OtherProgram other(kOtherPlace);

    ASSERT_TRUE(PressForShot(main, {VK_MENU, VK_SNAPSHOT}, 1));
    const app::ShotWindow* shot = ActiveShotWindow(main);
    ASSERT_NE(shot, nullptr);
    const RECT window = other.WindowRect();
    EXPECT_EQ(ShotProbe::Picture(*shot).Width(), window.right - window.left);
    EXPECT_EQ(ShotProbe::Picture(*shot).Height(), window.bottom - window.top);
    const RECT client = ClientOnScreen(other.window());
    const POINT centre = CentreOf(client);
    EXPECT_EQ(PictureAt(*shot, {centre.x - window.left, centre.y - window.top}), kOtherPixel);
    EXPECT_EQ(FrameProbe::CaptureMode(main), core::CaptureMode::CursorWindow) << "the mode stays";
}

TEST_F(HotKeys, CtrlPrintScreenDoesWhatTheStartButtonDoes)
{
    Program program;
    app::MainFrame& main = program.main;
    main.SetCaptureDelay(1);
    OtherProgram other(kOtherPlace);

    PressKeys({VK_CONTROL, VK_SNAPSHOT});
    ASSERT_TRUE(PumpProgramUntil(
        main, [&] { return FrameProbe::CaptureTimer(main).Enabled(); }, 3000));
    EXPECT_TRUE(::IsIconic(main.hwnd()));
    EXPECT_EQ(FrameProbe::ShotCount(main), 0) << "nothing before the delay";
    ASSERT_TRUE(WaitForShot(main, 1));
    EXPECT_EQ(ShotProbe::Picture(*ActiveShotWindow(main)).Width(), ::GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(HotKeys, PrintScreenWithAStoredModeNoButtonStandsForMakesAnEmptyShot)
{
    WriteValue(kSection, "CapMode", Sz("200"));
    Program program;
    app::MainFrame& main = program.main;
    OtherProgram other(kOtherPlace);
    ASSERT_TRUE(PressForShot(main, {VK_SNAPSHOT}, 1));
    EXPECT_EQ(ShotProbe::Picture(*ActiveShotWindow(main)).Width(), 0);
    EXPECT_EQ(ShotProbe::Picture(*ActiveShotWindow(main)).Height(), 0);
}

TEST_F(HotKeys, AKeyAnotherProgramHoldsIsNamedInTheStatusBarAndTheOthersStillWork)
{
    OtherProgram holder(kOtherPlace, OtherProgram::Keys::HoldPrintScreen);
    Program program;
    app::MainFrame& main = program.main;
    EXPECT_TRUE(reports.texts().empty()) << "no box at start-up";
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 1), kHeldNotice);
    EXPECT_FALSE(PrintScreenIsFree(MOD_ALT)) << "the program holds Alt+Print Screen";

    ASSERT_TRUE(holder.Activate());
    ASSERT_TRUE(PressForShot(main, {VK_MENU, VK_SNAPSHOT}, 1));
    const RECT window = holder.WindowRect();
    EXPECT_EQ(ShotProbe::Picture(*ActiveShotWindow(main)).Width(), window.right - window.left);
}

TEST_F(HotKeys, WindowsKeepingPrintScreenIsReadFromTheKeyboardSettings)
{
    WriteValue("Control Panel\\Keyboard", "PrintScreenKeyForSnippingEnabled", RawValue{REG_DWORD, {1, 0, 0, 0}});
    {
        Program program;
        EXPECT_EQ(StatusText(FrameProbe::StatusBar(program.main), 1), kWindowsNotice);
        EXPECT_TRUE(PrintScreenIsFree(0)) << "the program does not ask for the key Windows keeps";
        EXPECT_FALSE(PrintScreenIsFree(MOD_CONTROL));
        EXPECT_FALSE(PrintScreenIsFree(MOD_ALT));
        EXPECT_TRUE(reports.texts().empty());
    }
    WriteValue("Control Panel\\Keyboard", "PrintScreenKeyForSnippingEnabled", RawValue{REG_DWORD, {0, 0, 0, 0}});
    Program program;
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(program.main), 1), L"");
    EXPECT_FALSE(PrintScreenIsFree(0));
}

TEST_F(HotKeys, WithTheSettingOffNoKeyIsTakenUntilItIsTurnedOn)
{
    WriteValue(kSection, "HotKeys", Sz("0"));
    Program program;
    app::MainFrame& main = program.main;
    EXPECT_FALSE(main.HotKeysOn());
    // Each action's key at a first start: the region, the target, the window, the start button's
    // and the scrolling capture's.
    const UINT defaults[] = {MOD_SHIFT, 0, MOD_ALT, MOD_CONTROL, MOD_CONTROL | MOD_SHIFT};
    for (UINT modifiers : defaults)
        EXPECT_TRUE(PrintScreenIsFree(modifiers)) << modifiers;
    main.SetHotKeys(true);
    for (UINT modifiers : defaults)
        EXPECT_FALSE(PrintScreenIsFree(modifiers)) << modifiers;
    main.SetHotKeys(false);
    EXPECT_TRUE(PrintScreenIsFree(0));
}

TEST_F(HotKeys, TheKeysAreLetGoWhenTheProgramCloses)
{
    {
        Program program;
        EXPECT_FALSE(PrintScreenIsFree(0));
        ::SendMessageW(program.main.hwnd(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(PrintScreenIsFree(0));
    }
    EXPECT_TRUE(PrintScreenIsFree(MOD_CONTROL));
}

}  // namespace
