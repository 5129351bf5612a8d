// What the settings dialog applies and saves, by the way it is applied, and what a failed
// save does; driven with real keys and clicks from inside its modal loop.
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

// --- the delay an apply produces -----------------------------------------------------

enum class Apply { Enter, AltA, ClickOK, ClickUpdate };

struct DelayCase {
    const wchar_t* typed;
    int byKey;                  // Enter or Alt+A: the field's text as it is
    int byClick;                // a click on a button: the field has lost the focus first
    const wchar_t* afterClick;  // the field's text then
};

void PrintTo(const DelayCase& c, std::ostream* os) { *os << '"' << win::Narrow(c.typed) << '"'; }

class DelayTable : public SettingsDialog, public ::testing::WithParamInterface<DelayCase> {
protected:
    // Returns the field's text after the apply, while the dialog is still open (else empty).
    std::wstring ApplyTyped(Apply way)
    {
        std::wstring shown;
        RunDialog([&](Script& s, const Dialog& d) {
            TypeIntoField(s, d, GetParam().typed);
            switch (way) {
                case Apply::Enter: PressKey(VK_RETURN); return;
                case Apply::ClickOK: ClickAt(CentreOf(d.ok)); return;
                case Apply::AltA: PressChord({VK_MENU, 'A'}); break;
                case Apply::ClickUpdate: ClickAt(CentreOf(d.update)); break;
            }
            s.Settle();
            EXPECT_TRUE(d.Open());
            shown = d.Text();
            PressKey(VK_ESCAPE);
        });
        return shown;
    }
};

TEST_P(DelayTable, GivesTheDelayOfTheTableForEachWayOfApplying)
{
    const DelayCase& c = GetParam();
    const struct {
        Apply way;
        const char* name;
        int expected;
    } ways[] = {{Apply::Enter, "Enter", c.byKey},
                {Apply::AltA, "Alt+A", c.byKey},
                {Apply::ClickOK, "click on OK", c.byClick},
                {Apply::ClickUpdate, "click on 更新", c.byClick}};
    for (const auto& w : ways) {
        SCOPED_TRACE(w.name);
        main.SetCaptureDelay(42);
        WriteValue(kSection, "CapTime", Sz("none"));
        const std::wstring shown = ApplyTyped(w.way);
        EXPECT_EQ(main.CaptureDelay(), w.expected);
        EXPECT_EQ(FrameProbe::CaptureTimer(main).Interval(), static_cast<UINT>(w.expected) * 1000u);
        EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz(std::to_string(w.expected).c_str()));
        if (w.way == Apply::AltA) {
            EXPECT_EQ(shown, c.typed);
        }
        if (w.way == Apply::ClickUpdate) {
            EXPECT_EQ(shown, c.afterClick);
        }
    }
    EXPECT_TRUE(beeps.empty());
    EXPECT_TRUE(reports.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, DelayTable,
                         ::testing::Values(DelayCase{L"12", 12, 12, L"12"}, DelayCase{L"+7", 7, 7, L"+7"},
                                           DelayCase{L"07", 7, 7, L"07"}, DelayCase{L"0", 5, 1, L"1"},
                                           DelayCase{L"00", 5, 1, L"1"}, DelayCase{L"-0", 5, 1, L"1"},
                                           DelayCase{L"-5", 5, 1, L"1"}, DelayCase{L"", 1, 1, L""},
                                           DelayCase{L"-", 1, 1, L"-"}, DelayCase{L"+", 1, 1, L"+"}));

// --- applying, cancelling ----------------------------------------------------------------

TEST_F(SettingsDialog, AltAWithZeroSetsFiveWhileTheFieldStillShowsZeroAndSavesAllThree)
{
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDB_CURSOR_WINDOW, 0);
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"0");
        PressChord({VK_MENU, 'A'});
        s.Settle();
        EXPECT_EQ(main.CaptureDelay(), 5);
        EXPECT_EQ(d.Text(), L"0");
        EXPECT_EQ(::GetFocus(), d.field);
        EXPECT_TRUE(d.Open());
        EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz("5"));
        EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("2"));
        EXPECT_EQ(ReadValue(kSection, "ToolBarFlat"), Sz("0"));
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(main.CaptureDelay(), 5);
    EXPECT_EQ(FrameProbe::CaptureMode(main), core::CaptureMode::CursorWindow);
}

TEST_F(SettingsDialog, OkAppliesTheFlatFlagToTheToolBar)
{
    RunDialog([&](Script& s, const Dialog& d) {
        PressKey(VK_TAB);
        PressKey(VK_SPACE);
        s.Settle();
        EXPECT_EQ(Button_GetCheck(d.check), BST_CHECKED);
        EXPECT_FALSE(main.FlatToolBar());
        PressKey(VK_RETURN);  // on the check box: "OK"
    });
    EXPECT_TRUE(main.FlatToolBar());
    EXPECT_TRUE(::GetWindowLongPtrW(FrameProbe::ToolBar(main), GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_EQ(ReadValue(kSection, "ToolBarFlat"), Sz("1"));
    EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz("5"));
}

// The box starts checked; its letter unchecks it, and OK turns the kept shots off and saves it.
TEST_F(SettingsDialog, TheKeptShotsBoxStartsCheckedAndOkTurnsThemOffAndSavesIt)
{
    ASSERT_TRUE(main.KeepShotsOn());
    RunDialog([&](Script& s, const Dialog& d) {
        EXPECT_EQ(Button_GetCheck(d.keepCheck), BST_CHECKED);
        PressChord({VK_MENU, 'K'});
        s.Settle();
        EXPECT_EQ(Button_GetCheck(d.keepCheck), BST_UNCHECKED);
        EXPECT_TRUE(main.KeepShotsOn());
        ClickAt(CentreOf(d.ok));
    });
    EXPECT_FALSE(main.KeepShotsOn());
    EXPECT_EQ(ReadValue(kSection, "KeepShots"), Sz("0"));
    RunDialog([&](Script&, const Dialog& d) {
        EXPECT_EQ(Button_GetCheck(d.keepCheck), BST_UNCHECKED);
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog, CancelInEveryFormLeavesTheSettingsAndTheRegistryUntouched)
{
    const struct {
        const char* name;
        std::function<void(const Dialog&)> close;
    } ways[] = {
        {"click on ｷｬﾝｾﾙ", [](const Dialog& d) { ClickAt(CentreOf(d.cancel)); }},
        {"Esc", [](const Dialog&) { PressKey(VK_ESCAPE); }},
        {"Alt+F4",
         [](const Dialog&) {
             PressChord({VK_MENU, VK_F4});
         }},
        {"the system menu's close", [](const Dialog& d) { ::PostMessageW(d.window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Enter on ｷｬﾝｾﾙ",
         [](const Dialog& d) {
             ::SetFocus(d.cancel);
             PressKey(VK_RETURN);
         }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.name);
        RunDialog([&](Script& s, const Dialog& d) {
            TypeIntoField(s, d, L"33");
            ClickAt(CentreOf(d.check));
            s.Settle();
            EXPECT_EQ(Button_GetCheck(d.check), BST_CHECKED);
            w.close(d);
        });
        EXPECT_EQ(main.CaptureDelay(), 5);
        EXPECT_EQ(FrameProbe::CaptureTimer(main).Interval(), 5000u);
        EXPECT_FALSE(main.FlatToolBar());
        EXPECT_FALSE(KeyExists(kSection));
    }
}

TEST_F(SettingsDialog, WhatUpdateAppliedStaysAfterCancel)
{
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"9");
        PressChord({VK_MENU, 'A'});
        s.Settle();
        TypeIntoField(s, d, L"");
        TypeText(L"33");
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(main.CaptureDelay(), 9);
    EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz("9"));
}

TEST_F(SettingsDialog, OkClosesTheDialogEvenWhenTheSaveFailsAndTheErrorIsReported)
{
    for (bool byClick : {false, true}) {
        SCOPED_TRACE(byClick ? "click on OK" : "Enter");
        std::unique_ptr<UnwritableRegistry> unwritable;
        RunDialog([&](Script& s, const Dialog& d) {
            TypeIntoField(s, d, byClick ? L"8" : L"3");
            PressKey(VK_TAB);
            PressKey(VK_SPACE);
            s.Settle();
            unwritable = std::make_unique<UnwritableRegistry>(registry);
            if (byClick)
                ClickAt(CentreOf(d.ok));
            else
                PressKey(VK_RETURN);
        });
        unwritable.reset();
        ASSERT_EQ(reports.texts().size(), byClick ? 2u : 1u);
        EXPECT_EQ(reports.texts().back(), L"キー Pixtrove の作成に失敗しました.");
        // Both settings were applied in memory before the save.
        EXPECT_EQ(main.CaptureDelay(), byClick ? 8 : 3);
        EXPECT_EQ(main.FlatToolBar(), !byClick);
        EXPECT_FALSE(KeyExists(kSection));
    }
}

TEST_F(SettingsDialog, UpdateKeepsTheDialogOpenWhenTheSaveFails)
{
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"17");
        {
            UnwritableRegistry unwritable(registry);
            ClickAt(CentreOf(d.update));
            s.Settle();
        }
        EXPECT_TRUE(d.Open());
        EXPECT_EQ(reports.texts().size(), 1u);
        EXPECT_EQ(main.CaptureDelay(), 17);
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(reports.texts().size(), 1u);
    EXPECT_FALSE(KeyExists(kSection));
}

}  // namespace
