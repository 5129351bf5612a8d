// The settings dialog's key fields and capture boxes, driven with real keys and clicks from
// inside its modal loop: the keys shown, a key typed, cleared or pressed while the program holds
// it, one key for two actions refused, and what an apply takes, lets go of and saves.
#include <gtest/gtest.h>

#include "OtherProgram.h"
#include "SettingsDialogFixture.h"
#include "resource.h"

using namespace wintest;

namespace {

enum Field { kRegion, kTarget, kWindow, kDelayed, kScroll };

bool Checked(HWND box) { return Button_GetCheck(box) == BST_CHECKED; }

void ClickInto(Script& s, HWND control)
{
    ClickAt(CentreOf(control));
    s.Settle();
    EXPECT_EQ(::GetFocus(), control);
}

TEST_F(SettingsDialog, EachKeyFieldShowsTheKeyOfItsActionBesideItsLabel)
{
    RunDialog([&](Script&, const Dialog& d) {
        EXPECT_EQ(FieldKey(d.keyFields[kRegion]), 0x12C) << "Shift+Print Screen";
        EXPECT_EQ(FieldKey(d.keyFields[kTarget]), 0x02C) << "Print Screen";
        EXPECT_EQ(FieldKey(d.keyFields[kWindow]), 0x42C) << "Alt+Print Screen";
        EXPECT_EQ(FieldKey(d.keyFields[kDelayed]), 0x22C) << "Ctrl+Print Screen";
        EXPECT_EQ(FieldKey(d.keyFields[kScroll]), 0x32C) << "Ctrl+Shift+Print Screen";
        EXPECT_EQ(WindowText(d.keysNotice),
                  L"欄を選んでキーを押すと、その操作のキーになります。Backspace キーで「なし」にできます。");
        EXPECT_FALSE(Checked(d.cursorCheck));
        EXPECT_TRUE(Checked(d.copyCheck));
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog, AKeyTypedIntoAFieldIsTakenOnlyWhenAppliedAndTheOldOneLetGo)
{
    RunDialog([&](Script& s, const Dialog& d) {
        ClickInto(s, d.keyFields[kTarget]);
        PressChord({VK_SHIFT, VK_F9});
        s.Settle();
        EXPECT_EQ(FieldKey(d.keyFields[kTarget]), 0x178);
        EXPECT_FALSE(PrintScreenIsFree(0)) << "nothing before 更新 or OK";
        ClickAt(CentreOf(d.update));
        s.Settle();
        EXPECT_TRUE(d.Open());
        EXPECT_TRUE(PrintScreenIsFree(0));
        EXPECT_FALSE(KeyIsFree(MOD_SHIFT, VK_F9));
        EXPECT_EQ(ReadValue(kSection, "HotKeyTarget"), Sz("376"));
        EXPECT_EQ(ReadValue(kSection, "HotKeyWindow"), Sz("1068"));
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(main.Settings().Values().keys[1], (core::ChosenKey{0x78, 1}));
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(SettingsDialog, BackspaceLeavesAFieldWithoutAKeyWhichOkLetsGo)
{
    RunDialog([&](Script& s, const Dialog& d) {
        ClickInto(s, d.keyFields[kWindow]);
        PressKey(VK_BACK);
        s.Settle();
        EXPECT_EQ(FieldKey(d.keyFields[kWindow]), 0);
        ClickAt(CentreOf(d.ok));
    });
    EXPECT_TRUE(PrintScreenIsFree(MOD_ALT));
    EXPECT_FALSE(PrintScreenIsFree(MOD_CONTROL));
    EXPECT_EQ(ReadValue(kSection, "HotKeyWindow"), Sz("0"));
    RunDialog([&](Script&, const Dialog& d) {
        EXPECT_EQ(FieldKey(d.keyFields[kWindow]), 0) << "shown as no key when opened again";
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog, OneKeyForTwoActionsIsRefusedAndNothingIsApplied)
{
    const std::wstring refusal =
        L"F9 が「選んだ対象」と「アクティブウィンドウ」の両方に選ばれています。一つのキーは一つの操作にしか使えません。"
        L"どちらかに別のキーを選んでください.";
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"9");
        ClickAt(CentreOf(d.cursorCheck));
        ClickInto(s, d.keyFields[kWindow]);
        PressKey(VK_F9);
        ClickInto(s, d.keyFields[kTarget]);
        PressKey(VK_F9);
        s.Settle();
        for (HWND button : {d.update, d.ok}) {
            ClickAt(CentreOf(button));
            s.Settle();
            EXPECT_TRUE(d.Open()) << "OK too leaves the dialog open";
            EXPECT_EQ(::GetFocus(), d.keyFields[kWindow]) << "on the second field of the two";
        }
        ASSERT_EQ(reports.texts().size(), 2u);
        EXPECT_EQ(reports.texts()[0], refusal);
        EXPECT_EQ(reports.texts()[1], refusal);
        EXPECT_EQ(main.CaptureDelay(), 5);
        EXPECT_FALSE(main.Settings().Values().captureCursor);
        EXPECT_FALSE(PrintScreenIsFree(0)) << "the keys are as they were";
        EXPECT_TRUE(KeyIsFree(0, VK_F9));
        EXPECT_FALSE(ReadValue(kSection, "CapTime").has_value()) << "nothing saved";
        EXPECT_FALSE(ReadValue(kSection, "HotKeyTarget").has_value());

        // Another key for one of them, and the apply goes through.
        PressKey(VK_F8);
        ClickAt(CentreOf(d.update));
        s.Settle();
        EXPECT_EQ(main.CaptureDelay(), 9);
        EXPECT_EQ(ReadValue(kSection, "HotKeyTarget"), Sz("120"));
        EXPECT_EQ(ReadValue(kSection, "HotKeyWindow"), Sz("119"));
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(reports.texts().size(), 2u);
}

TEST_F(SettingsDialog, TwoActionsWithoutAKeyAreNoConflict)
{
    RunDialog([&](Script& s, const Dialog& d) {
        for (Field f : {kRegion, kDelayed}) {
            ClickInto(s, d.keyFields[f]);
            PressKey(VK_BACK);
        }
        ClickAt(CentreOf(d.ok));
    });
    EXPECT_TRUE(reports.texts().empty());
    EXPECT_EQ(ReadValue(kSection, "HotKeyRegion"), Sz("0"));
    EXPECT_EQ(ReadValue(kSection, "HotKeyDelayed"), Sz("0"));
    EXPECT_TRUE(PrintScreenIsFree(MOD_CONTROL));
}

// The program holds Print Screen, Alt+, Shift+ and Ctrl+Shift+Print Screen: in a key field they are
// keys to choose.
TEST_F(SettingsDialog, AKeyTheProgramHoldsGoesIntoTheFocusedFieldInsteadOfCapturing)
{
    RunDialog([&](Script& s, const Dialog& d) {
        ClickInto(s, d.keyFields[kRegion]);
        PressKey(VK_SNAPSHOT);
        s.Settle();
        EXPECT_EQ(FieldKey(d.keyFields[kRegion]), 0x02C);
        ClickInto(s, d.keyFields[kDelayed]);
        PressChord({VK_MENU, VK_SNAPSHOT});
        s.Settle();
        EXPECT_EQ(FieldKey(d.keyFields[kDelayed]), 0x42C);
        // The region's key opens no overlay either.
        ClickInto(s, d.keyFields[kWindow]);
        PressChord({VK_SHIFT, VK_SNAPSHOT});
        s.Settle();
        EXPECT_EQ(FieldKey(d.keyFields[kWindow]), 0x12C);
        // Nor does the scrolling capture's key start one.
        ClickInto(s, d.keyFields[kTarget]);
        PressChord({VK_CONTROL, VK_SHIFT, VK_SNAPSHOT});
        s.Settle();
        EXPECT_EQ(FieldKey(d.keyFields[kTarget]), 0x32C);
        s.Wait(300);
        EXPECT_EQ(FrameProbe::ShotCount(main), 0) << "no capture";
        EXPECT_FALSE(FrameProbe::CaptureTimer(main).Enabled());
        EXPECT_EQ(FrameProbe::Overlay(main), nullptr);
        PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(PrintScreenIsFree(0)) << "cancelled: the keys are as they were";
    EXPECT_FALSE(PrintScreenIsFree(MOD_SHIFT));
    EXPECT_FALSE(PrintScreenIsFree(MOD_CONTROL | MOD_SHIFT));
}

TEST_F(SettingsDialog, ALetterWithAltInAKeyFieldIsAKeyNotAButtonsMnemonic)
{
    RunDialog([&](Script& s, const Dialog& d) {
        ClickInto(s, d.keyFields[kDelayed]);
        PressChord({VK_MENU, 'A'});
        s.Settle();
        EXPECT_EQ(FieldKey(d.keyFields[kDelayed]), 0x441);
        EXPECT_FALSE(ReadValue(kSection, "HotKeyDelayed").has_value()) << "更新(&A) was not pressed";
        EXPECT_EQ(::GetFocus(), d.keyFields[kDelayed]);
        PressKey(VK_TAB);  // the focus moves on; Tab is no key of a field
        s.Settle();
        EXPECT_EQ(::GetFocus(), d.keyFields[kScroll]);
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(ReadValue(kSection, "HotKeyDelayed"), Sz("1089"));
    EXPECT_FALSE(KeyIsFree(MOD_ALT, 'A'));
    EXPECT_TRUE(PrintScreenIsFree(MOD_CONTROL));
}

TEST_F(SettingsDialog, TheCaptureBoxesFlipByTheirMnemonicsAndAreKeptWhenApplied)
{
    RunDialog([&](Script& s, const Dialog& d) {
        PressChord({VK_MENU, 'M'});
        s.Settle();
        EXPECT_TRUE(Checked(d.cursorCheck));
        EXPECT_EQ(::GetFocus(), d.cursorCheck);
        PressChord({VK_MENU, 'C'});
        s.Settle();
        EXPECT_FALSE(Checked(d.copyCheck));
        EXPECT_FALSE(main.Settings().Values().captureCursor) << "nothing before 更新 or OK";
        PressChord({VK_MENU, 'A'});
        s.Settle();
        EXPECT_TRUE(main.Settings().Values().captureCursor);
        EXPECT_FALSE(main.Settings().Values().regionCopy);
        EXPECT_EQ(ReadValue(kSection, "CaptureCursor"), Sz("1"));
        EXPECT_EQ(ReadValue(kSection, "RegionCopy"), Sz("0"));
        PressKey(VK_ESCAPE);
    });
    RunDialog([&](Script& s, const Dialog& d) {
        EXPECT_TRUE(Checked(d.cursorCheck));
        EXPECT_FALSE(Checked(d.copyCheck));
        PressChord({VK_MENU, 'M'});
        s.Settle();
        PressKey(VK_ESCAPE);
    });
    EXPECT_TRUE(main.Settings().Values().captureCursor) << "cancel keeps what was applied";
}

// A key another program holds never reaches the field (the system gives it to that program),
// so the program is given it beforehand, as a stored setting would.
TEST_F(SettingsDialog, AChosenKeyAnotherProgramHoldsIsNamedBesideTheFieldsUntilAnotherIsApplied)
{
    OtherProgram holder({200, 150, 500, 400}, 0, VK_F9);
    core::Settings withF9 = main.Settings();
    withF9.SetKey(core::KeyAction::Target, {0x78, 0});
    main.ApplySettings(withF9);
    const std::wstring held = L"F9 は他のプログラムが使用中のため使えません。";
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 1), held);
    RunDialog([&](Script& s, const Dialog& d) {
        EXPECT_EQ(WindowText(d.keysNotice), held);
        EXPECT_EQ(FieldKey(d.keyFields[kTarget]), 0x78);
        ClickInto(s, d.keyFields[kTarget]);
        PressKey(VK_F8);
        s.Settle();
        ClickAt(CentreOf(d.update));
        s.Settle();
        EXPECT_EQ(WindowText(d.keysNotice),
                  L"欄を選んでキーを押すと、その操作のキーになります。Backspace キーで「なし」にできます。");
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 1), L"");
    EXPECT_FALSE(KeyIsFree(0, VK_F8));
    EXPECT_TRUE(reports.texts().empty()) << "a held key is no error";
}

}  // namespace
