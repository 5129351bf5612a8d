// The settings dialog's box for the keys: its mnemonic, the keys taken and let go when it is
// applied, the value saved, and the notice of a key another program holds.
#include <gtest/gtest.h>

#include "OtherProgram.h"
#include "SettingsDialogFixture.h"
#include "resource.h"

using namespace wintest;

namespace {

bool Checked(HWND box) { return Button_GetCheck(box) == BST_CHECKED; }

TEST_F(SettingsDialog, ThePrintScreenBoxTakesOrLetsGoOfTheKeysOnlyWhenApplied)
{
    ASSERT_TRUE(main.HotKeysOn());
    RunDialog([&](Script& s, const Dialog& d) {
        EXPECT_TRUE(Checked(d.keysCheck));
        EXPECT_NE(WindowText(d.keysNotice).find(L"Backspace"), std::wstring::npos) << "how a field takes a key";
        PressChord({VK_MENU, 'P'});
        s.Settle();
        EXPECT_FALSE(Checked(d.keysCheck));
        EXPECT_EQ(::GetFocus(), d.keysCheck);
        EXPECT_FALSE(PrintScreenIsFree(0)) << "nothing is applied before 更新 or OK";
        PressChord({VK_MENU, 'A'});
        s.Settle();
        EXPECT_FALSE(main.HotKeysOn());
        EXPECT_TRUE(PrintScreenIsFree(0));
        EXPECT_TRUE(PrintScreenIsFree(MOD_CONTROL));
        EXPECT_EQ(ReadValue(kSection, "HotKeys"), Sz("0"));
        PressKey(VK_ESCAPE);
    });
    RunDialog([&](Script& s, const Dialog& d) {
        EXPECT_FALSE(Checked(d.keysCheck));
        ClickAt(CentreOf(d.keysCheck));
        s.Settle();
        EXPECT_TRUE(Checked(d.keysCheck));
        ClickAt(CentreOf(d.ok));
    });
    EXPECT_TRUE(main.HotKeysOn());
    EXPECT_FALSE(PrintScreenIsFree(0));
    EXPECT_EQ(ReadValue(kSection, "HotKeys"), Sz("1"));
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(SettingsDialog, CancelLeavesTheKeysAsTheyWere)
{
    RunDialog([&](Script& s, const Dialog&) {
        PressChord({VK_MENU, 'P'});
        s.Settle();
        PressKey(VK_ESCAPE);
    });
    EXPECT_TRUE(main.HotKeysOn());
    EXPECT_FALSE(PrintScreenIsFree(0));
    EXPECT_FALSE(ReadValue(kSection, "HotKeys").has_value());
}

TEST_F(SettingsDialog, AKeyAnotherProgramHoldsIsNamedBesideTheBoxWhenApplied)
{
    main.SetHotKeys(false);
    OtherProgram holder({200, 150, 500, 400}, OtherProgram::Keys::HoldPrintScreen);
    const std::wstring held = L"Print Screen は他のプログラムが使用中のため使えません。";
    RunDialog([&](Script& s, const Dialog& d) {
        PressChord({VK_MENU, 'P'});
        PressChord({VK_MENU, 'A'});
        s.Settle();
        EXPECT_TRUE(main.HotKeysOn());
        EXPECT_EQ(WindowText(d.keysNotice), held);
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 1), held);
    EXPECT_FALSE(PrintScreenIsFree(MOD_ALT)) << "the other keys are the program's";
    EXPECT_TRUE(reports.texts().empty());
}

}  // namespace
