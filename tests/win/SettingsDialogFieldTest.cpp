// The settings dialog's delay field: typing, its arrows and keys, leaving it, and a new delay
// during a countdown; driven with real input from inside the dialog's modal loop.
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

// --- the field --------------------------------------------------------------------------

TEST_F(SettingsDialog, TheFieldRefusesWhatIsNotPartOfANumberWithABeep)
{
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"4");
        for (const wchar_t* refused : {L"a", L"x", L" ", L"/", L"e", L"１", L"*"}) {
            TypeText(refused);
            s.Settle();
            EXPECT_EQ(d.Text(), L"4") << refused;
        }
        EXPECT_EQ(beeps, std::vector<UINT>(7, 0));

        beeps.clear();
        for (const wchar_t* taken : {L"-", L"+", L".", L"9"}) {
            PressKey(VK_BACK);
            PressKey(VK_BACK);
            TypeText(taken);
            s.Settle();
            EXPECT_EQ(d.Text(), taken);
        }
        EXPECT_TRUE(beeps.empty());
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog, TheFieldTakesAtMostTwoCharacters)
{
    RunDialog([&](Script& s, const Dialog& d) {
        TypeText(L"123");
        s.Settle();
        EXPECT_EQ(d.Text(), L"12");
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(main.CaptureDelay(), 12);
}

TEST_F(SettingsDialog, UpAndDownKeysStepTheValueWithinOneTo99)
{
    RunDialog([&](Script& s, const Dialog& d) {
        const struct {
            const wchar_t* text;
            WORD key;
            const wchar_t* after;
        } steps[] = {
            {L"42", VK_UP, L"43"}, {L"42", VK_DOWN, L"41"}, {L"99", VK_UP, L"99"}, {L"1", VK_DOWN, L"1"},
            {L"", VK_UP, L"2"},    {L"-", VK_DOWN, L"1"},   {L"0", VK_UP, L"1"},   {L"07", VK_UP, L"8"},
        };
        for (const auto& step : steps) {
            ::SetWindowTextW(d.field, step.text);
            PressKey(step.key);
            s.Settle();
            EXPECT_EQ(d.Text(), step.after) << step.text;
        }
        EXPECT_EQ(::GetFocus(), d.field);
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(main.CaptureDelay(), 5);
}

TEST_F(SettingsDialog, ClicksOnTheArrowsStepTheValueAndBringTheFocusToTheField)
{
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"98");
        ClickAt(UpperArrow(d));
        s.Settle();
        EXPECT_EQ(d.Text(), L"99");
        ClickAt(UpperArrow(d));
        s.Settle();
        EXPECT_EQ(d.Text(), L"99");
        ClickAt(LowerArrow(d));
        s.Settle();
        EXPECT_EQ(d.Text(), L"98");

        ::SetWindowTextW(d.field, L"");
        ::SetFocus(d.cancel);
        s.Settle();
        ClickAt(UpperArrow(d));
        s.Settle();
        EXPECT_EQ(::GetFocus(), d.field);
        EXPECT_EQ(d.Text(), L"2");
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog, HoldingAnArrowRepeatsAfter400MsAndThenEvery100Ms)
{
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"10");
        MoveMouseTo(UpperArrow(d));
        s.Settle();
        std::vector<ULONGLONG> changes;
        std::wstring last = d.Text();
        const ULONGLONG pressed = ::GetTickCount64();
        MouseButton(true);
        s.WaitUntil(
            [&] {
                if (d.Text() != last) {
                    last = d.Text();
                    changes.push_back(::GetTickCount64() - pressed);
                }
                return ::GetTickCount64() - pressed >= 780;
            },
            2000);
        MouseButton(false);
        s.Settle();
        if (d.Text() != last) changes.push_back(::GetTickCount64() - pressed);
        const std::wstring released = d.Text();
        s.Wait(300);
        EXPECT_EQ(d.Text(), released) << "the steps go on after the release";

        ASSERT_GE(changes.size(), 4u);
        EXPECT_LT(changes[0], 100u) << "the first step comes with the press";
        EXPECT_GE(changes[1], 390u);
        EXPECT_LT(changes[1], 480u);
        for (size_t i = 2; i < changes.size(); ++i) {
            EXPECT_GE(changes[i] - changes[i - 1], 70u) << i;
            EXPECT_LE(changes[i] - changes[i - 1], 140u) << i;
        }
        EXPECT_EQ(released, std::to_wstring(10 + changes.size()));
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog, LeavingTheFieldClampsANumberOutOfRangeAndLeavesOtherTexts)
{
    RunDialog([&](Script& s, const Dialog& d) {
        const struct {
            const wchar_t* typed;
            const wchar_t* after;
        } leaves[] = {{L"0", L"1"},   {L"00", L"1"},  {L"-5", L"1"}, {L"-0", L"1"}, {L"+7", L"+7"},
                      {L"07", L"07"}, {L"99", L"99"}, {L"", L""},    {L"-", L"-"},  {L".", L"."}};
        for (const auto& leave : leaves) {
            PressKey(VK_BACK);
            PressKey(VK_BACK);
            if (*leave.typed) TypeText(leave.typed);
            PressKey(VK_TAB);
            s.Settle();
            EXPECT_EQ(d.Text(), leave.after) << leave.typed;
            PressChord({VK_SHIFT, VK_TAB});
            s.Settle();
        }
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog, AMouseClickIntoTheFieldPlacesTheCaretInsteadOfSelectingAll)
{
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"12");
        PressKey(VK_TAB);
        s.Settle();
        RECT field{};
        ::GetWindowRect(d.field, &field);
        ClickAt({field.left + 4, (field.top + field.bottom) / 2});
        s.Settle();
        EXPECT_EQ(::GetFocus(), d.field);
        EXPECT_EQ(LOWORD(EditSelection(d.field)), HIWORD(EditSelection(d.field)));
        PressKey(VK_ESCAPE);
    });
}

// --- the capture timer ----------------------------------------------------------------

// The countdown runs on while the dialog is up; a new delay restarts it from the apply.
TEST_F(SettingsDialog, ANewDelayAppliedDuringTheCountdownRestartsIt)
{
    main.SetCaptureDelay(1);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_START_CAPTURE, 0);
    const ULONGLONG started = ::GetTickCount64();
    ULONGLONG applied = 0, ticked = 0;
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"2");
        s.WaitUntil([&] { return ::GetTickCount64() - started >= 400; });
        ASSERT_TRUE(FrameProbe::CaptureTimer(main).Enabled());
        PressChord({VK_MENU, 'A'});
        s.WaitUntil([&] { return main.CaptureDelay() == 2; });
        applied = ::GetTickCount64();
        ASSERT_TRUE(s.WaitUntil([&] { return !FrameProbe::CaptureTimer(main).Enabled(); }, 4000));
        ticked = ::GetTickCount64();
        EXPECT_TRUE(d.Open());
        ::PostMessageW(d.window, WM_CLOSE, 0, 0);
    });
    EXPECT_GE(ticked - applied, 1980u);
    EXPECT_LT(ticked - applied, 2300u);
    EXPECT_EQ(FrameProbe::ShotCount(main), 1);
}

}  // namespace
