// The settings dialog as it opens, is laid out and takes the keys of a dialog, driven with real
// keys from inside its own modal loop.
#include <windowsx.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SettingsDialogFixture.h"
#include "resource.h"
#include "win32/Text.h"

using namespace wintest;

namespace {

TEST_F(SettingsDialog, OpensOverTheDisabledMainWindowShowingTheSettingsWithTheDelaySelected)
{
    RunDialog([&](Script&, const Dialog& d) {
        EXPECT_EQ(WindowText(d.window), L"環境設定");
        EXPECT_EQ(::GetWindow(d.window, GW_OWNER), main.hwnd());
        EXPECT_FALSE(::IsWindowEnabled(main.hwnd()));
        EXPECT_EQ(d.Text(), L"5");
        EXPECT_EQ(Button_GetCheck(d.check), BST_UNCHECKED);
        EXPECT_EQ(::GetFocus(), d.field);
        EXPECT_EQ(EditSelection(d.field), MAKELONG(0, 1));
        PressKey(VK_ESCAPE);
    });

    main.SetCaptureDelay(12);
    main.SetFlatToolBar(true);
    RunDialog([&](Script&, const Dialog& d) {
        EXPECT_EQ(d.Text(), L"12");
        EXPECT_EQ(Button_GetCheck(d.check), BST_CHECKED);
        EXPECT_EQ(EditSelection(d.field), MAKELONG(0, 2));
        PressKey(VK_ESCAPE);
    });
}

// A delay of 0 is what a failed load leaves in the main window; the field shows it clamped.
TEST_F(SettingsDialog, ShowsADelayOutsideTheRangeClamped)
{
    WriteValue(kSection, "CapTime", RawValue{REG_DWORD, {9, 0, 0, 0}});
    Program failedLoad;
    ASSERT_EQ(failedLoad.main.CaptureDelay(), 0);
    Script script([&](Script& s) {
        const Dialog d(s.WaitForWindow(L"TfrmOptionDlg"));
        ASSERT_TRUE(d.Complete());
        EXPECT_EQ(d.Text(), L"1");
        PressKey(VK_ESCAPE);
    });
    ::SendMessageW(failedLoad.main.hwnd(), WM_COMMAND, IDM_ENVIRONMENT, 0);
}

TEST_F(SettingsDialog, IsLaidOutToThePixelAt96Dpi)
{
    RunDialog([&](Script&, const Dialog& d) {
        ASSERT_EQ(::GetDpiForWindow(d.window), 96u);
        EXPECT_TRUE(SameRect(ClientSize(d.window), {0, 0, 340, 489})) << Describe(ClientSize(d.window));
        const struct {
            HWND control;
            RECT expected;
        } layout[] = {
            {d.label1, {16, 20, 16 + 133, 20 + 12}},
            {d.field, {152, 16, 152 + 37, 16 + 21}},
            {d.label2, {196, 20, 196 + 12, 20 + 12}},
            {d.group, {16, 48, 16 + 308, 48 + 41}},
            {d.check, {24, 64, 24 + 177, 64 + 17}},
            {d.captureGroup, {16, 96, 16 + 308, 96 + 62}},
            {d.cursorCheck, {24, 112, 24 + 288, 112 + 17}},
            {d.copyCheck, {24, 133, 24 + 288, 133 + 17}},
            {d.keysGroup, {16, 166, 16 + 308, 166 + 252}},
            {d.keysCheck, {24, 182, 24 + 288, 182 + 17}},
            {d.keyLabels[0], {24, 209, 24 + 132, 209 + 12}},
            {d.keyFields[0], {160, 205, 160 + 156, 205 + 21}},
            {d.keyLabels[1], {24, 235, 24 + 132, 235 + 12}},
            {d.keyFields[1], {160, 231, 160 + 156, 231 + 21}},
            {d.keyLabels[2], {24, 261, 24 + 132, 261 + 12}},
            {d.keyFields[2], {160, 257, 160 + 156, 257 + 21}},
            {d.keyLabels[3], {24, 287, 24 + 132, 287 + 12}},
            {d.keyFields[3], {160, 283, 160 + 156, 283 + 21}},
            {d.keyLabels[4], {24, 313, 24 + 132, 313 + 12}},
            {d.keyFields[4], {160, 309, 160 + 156, 309 + 21}},
            {d.keysNotice, {24, 341, 24 + 290, 341 + 72}},
            {d.keepCheck, {16, 426, 16 + 308, 426 + 17}},
            {d.ok, {88, 455, 88 + 75, 455 + 25}},
            {d.cancel, {172, 455, 172 + 75, 455 + 25}},
            {d.update, {257, 455, 257 + 73, 455 + 25}},
        };
        for (const auto& c : layout)
            EXPECT_TRUE(SameRect(RectInParent(c.control), c.expected))
                << WindowText(c.control).size() << " chars: " << Describe(RectInParent(c.control));

        // The arrows fill the right edge of the field's inside, and the text stays clear of them.
        RECT inside = ClientSize(d.field);
        ::MapWindowPoints(d.field, nullptr, reinterpret_cast<POINT*>(&inside), 2);
        RECT arrows{};
        ::GetWindowRect(d.arrows, &arrows);
        EXPECT_EQ(arrows.right, inside.right);
        EXPECT_EQ(arrows.top, inside.top);
        EXPECT_EQ(arrows.bottom, inside.bottom);
        EXPECT_EQ(arrows.right - arrows.left, 15);
        EXPECT_GE(HIWORD(::SendMessageW(d.field, EM_GETMARGINS, 0, 0)), 15);

        // Centred over the main window.
        const POINT dialogCentre = CentreOf(d.window), mainCentre = CentreOf(main.hwnd());
        EXPECT_LE(std::abs(dialogCentre.x - mainCentre.x), 1);
        EXPECT_LE(std::abs(dialogCentre.y - mainCentre.y), 1);

        // A fixed dialog frame with the close box and no minimise or maximise box.
        const LONG_PTR style = ::GetWindowLongPtrW(d.window, GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        const HMENU menu = ::GetSystemMenu(d.window, FALSE);
        EXPECT_NE(::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
        for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
            EXPECT_EQ(::GetMenuState(menu, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << command;

        std::vector<HWND> controls{d.label1,       d.field,       d.label2,    d.group,     d.check,
                                   d.captureGroup, d.cursorCheck, d.copyCheck, d.keysGroup, d.keysCheck,
                                   d.keysNotice,   d.keepCheck,   d.ok,        d.cancel,    d.update};
        controls.insert(controls.end(), d.keyLabels.begin(), d.keyLabels.end());
        controls.insert(controls.end(), d.keyFields.begin(), d.keyFields.end());
        for (HWND control : controls) {
            LOGFONTW font{};
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
            EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
            EXPECT_EQ(font.lfHeight, -12);
            EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        }
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog,
       TabGoesFromTheFieldThroughTheCheckBoxesTheKeyFieldsTheKeptShotsBoxAndTheThreeButtonsAndRoundAgain)
{
    RunDialog([&](Script& s, const Dialog& d) {
        const HWND forward[] = {d.check,        d.cursorCheck,  d.copyCheck,    d.keysCheck,    d.keyFields[0],
                                d.keyFields[1], d.keyFields[2], d.keyFields[3], d.keyFields[4], d.keepCheck,
                                d.ok,           d.cancel,       d.update,       d.field};
        for (HWND expected : forward) {
            PressKey(VK_TAB);
            s.Settle();
            EXPECT_EQ(::GetFocus(), expected);
        }
        const HWND backward[] = {d.update,       d.cancel,       d.ok,           d.keepCheck,    d.keyFields[4],
                                 d.keyFields[3], d.keyFields[2], d.keyFields[1], d.keyFields[0], d.keysCheck,
                                 d.copyCheck,    d.cursorCheck,  d.check,        d.field};
        for (HWND expected : backward) {
            PressChord({VK_SHIFT, VK_TAB});
            s.Settle();
            EXPECT_EQ(::GetFocus(), expected);
        }
        // Coming back by the keyboard selects the whole text.
        EXPECT_EQ(EditSelection(d.field), MAKELONG(0, 1));
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog, EnterPressesTheFocusedButtonWithoutMovingTheFocus)
{
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"0");
        for (int i = 0; i < 13; ++i)
            PressKey(VK_TAB);  // to 更新(&A); leaving the field made "1"
        s.Settle();
        ASSERT_EQ(::GetFocus(), d.update);
        EXPECT_EQ(d.Text(), L"1");
        PressKey(VK_RETURN);
        s.Settle();
        EXPECT_TRUE(d.Open());
        EXPECT_EQ(::GetFocus(), d.update);
        EXPECT_EQ(main.CaptureDelay(), 1);
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog, TheAcceleratorPressesUpdateFromAnyControlAndTheFocusStays)
{
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"-5");
        PressKey(VK_TAB);  // to the check box; the field now shows "1"
        PressKey(VK_SPACE);
        s.Settle();
        PressChord({VK_MENU, 'A'});
        s.Settle();
        EXPECT_EQ(::GetFocus(), d.check);
        EXPECT_EQ(main.CaptureDelay(), 1);
        EXPECT_TRUE(main.FlatToolBar());
        EXPECT_TRUE(d.Open());

        // Where no characters are typed, the letter alone does the same.
        TypeText(L"3");  // on the check box: nothing
        for (int i = 0; i < 10; ++i)
            PressKey(VK_TAB);  // past the other boxes, the key fields and the kept shots' box to OK
        main.SetFlatToolBar(false);
        TypeText(L"a");
        s.Settle();
        EXPECT_EQ(::GetFocus(), d.ok);
        EXPECT_TRUE(main.FlatToolBar());
        EXPECT_TRUE(beeps.empty());
        PressKey(VK_ESCAPE);
    });
}

// The OK button's result is set before its apply, so a failed save still closes the dialog.

// A capture that was pending when the dialog opened still happens, behind the dialog, and the
// keyboard stays with the dialog: Esc still closes it.
TEST_F(SettingsDialog, ACaptureWhileItIsOpenLeavesTheKeyboardWithTheDialog)
{
    main.SetCaptureDelay(1);
    FrameProbe::SetCaptureMode(main, 6);  // an empty picture: the quickest grab
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    ::ShowWindow(main.hwnd(), SW_RESTORE);  // the user brings the program back during the wait
    ::SetForegroundWindow(main.hwnd());
    RunDialog([&](Script& s, const Dialog& d) {
        ASSERT_TRUE(s.WaitUntil([&] { return FrameProbe::ShotCount(main) == 1; }, 3000)) << "no capture";
        s.Settle();
        EXPECT_EQ(::GetForegroundWindow(), d.window);
        EXPECT_NE(FrameProbe::ActiveShot(main), nullptr);
        PressKey(VK_ESCAPE);
    });
    EXPECT_TRUE(reports.texts().empty());
}

}  // namespace
