// The settings dialog, opened from the main window's menu command and driven with real keys
// and clicks from inside its own modal loop.
#include <windowsx.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RecordingShell.h"
#include "DialogDriver.h"
#include "WinTest.h"
#include "app/SettingsDialog.h"
#include "resource.h"
#include "win32/Text.h"

using namespace wintest;

namespace {

// The open dialog's controls, found by what a user reads on them.
struct Dialog {
    HWND window, field, arrows, check, ok, cancel, update, group, label1, label2;
    explicit Dialog(HWND dlg)
        : window(dlg),
          field(FindChild(dlg, L"Edit")),
          arrows(field ? FindChild(field, nullptr) : nullptr),
          check(FindChild(dlg, L"Button", L"フラット型のボタンを使用する")),
          ok(FindChild(dlg, L"Button", L"OK")),
          cancel(FindChild(dlg, L"Button", L"ｷｬﾝｾﾙ")),
          update(FindChild(dlg, L"Button", L"更新(&A)")),
          group(FindChild(dlg, L"Button", L"ツールバー")),
          label1(FindChild(dlg, L"Static", L"画面取り込みまでの時間：")),
          label2(FindChild(dlg, L"Static", L"秒"))
    {
    }
    bool Complete() const
    {
        for (HWND h : {window, field, arrows, check, ok, cancel, update, group, label1, label2})
            if (!h) return false;
        return true;
    }
    std::wstring Text() const { return WindowText(field); }
    bool Open() const { return ::IsWindow(window) && ::IsWindowVisible(window); }
};

// Points of the arrow pair, in screen coordinates.
POINT UpperArrow(const Dialog& d)
{
    RECT r{};
    ::GetWindowRect(d.arrows, &r);
    return {(r.left + r.right) / 2, r.top + (r.bottom - r.top) / 4};
}
POINT LowerArrow(const Dialog& d)
{
    RECT r{};
    ::GetWindowRect(d.arrows, &r);
    return {(r.left + r.right) / 2, r.bottom - (r.bottom - r.top) / 4 - 1};
}

// Puts the text into the field the way a user would: the field's text is selected when the
// dialog opens, so typing replaces it; Backspace empties it.
void TypeIntoField(Script& s, const Dialog& d, const std::wstring& text)
{
    if (text.empty())
        PressKey(VK_BACK);
    else
        TypeText(text);
    s.Settle();
    EXPECT_EQ(d.Text(), text);
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

class SettingsDialog : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::MainFrame& main = program.main;

    RecordingShell shell;
    std::vector<UINT>& beeps = shell.beeps;

    void SetUp() override { FrameProbe::UseShell(main, shell); }

    // Opens the dialog through the menu command and runs the body inside its modal loop;
    // returns when the dialog has closed.
    void RunDialog(const std::function<void(Script&, const Dialog&)>& body)
    {
        bool ran = false;
        Script script([&](Script& s) {
            const HWND dlg = s.WaitForWindow(L"TfrmOptionDlg");
            ASSERT_NE(dlg, nullptr) << "the dialog did not come up";
            const Dialog d(dlg);
            ASSERT_TRUE(d.Complete());
            ran = true;
            body(s, d);
        });
        ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_ENVIRONMENT, 0);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(script.ClosedLeftover()) << "the dialog was still open at the end of the script";
        EXPECT_TRUE(::IsWindowEnabled(main.hwnd())) << "the main window stays disabled";
    }
};

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
        EXPECT_TRUE(SameRect(ClientSize(d.window), {0, 0, 274, 142})) << Describe(ClientSize(d.window));
        const struct {
            HWND control;
            RECT expected;
        } layout[] = {
            {d.label1, {16, 20, 16 + 133, 20 + 12}},    {d.field, {152, 16, 152 + 37, 16 + 21}},
            {d.label2, {196, 20, 196 + 12, 20 + 12}},   {d.group, {16, 48, 16 + 241, 48 + 41}},
            {d.check, {24, 64, 24 + 177, 64 + 17}},     {d.ok, {22, 108, 22 + 75, 108 + 25}},
            {d.cancel, {106, 108, 106 + 75, 108 + 25}}, {d.update, {191, 108, 191 + 73, 108 + 25}},
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

        for (HWND control : {d.label1, d.field, d.label2, d.group, d.check, d.ok, d.cancel, d.update}) {
            LOGFONTW font{};
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
            EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
            EXPECT_EQ(font.lfHeight, -12);
            EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        }
        PressKey(VK_ESCAPE);
    });
}

TEST_F(SettingsDialog, TabGoesFromTheFieldToTheCheckBoxAndTheThreeButtonsAndRoundAgain)
{
    RunDialog([&](Script& s, const Dialog& d) {
        const HWND forward[] = {d.check, d.ok, d.cancel, d.update, d.field};
        for (HWND expected : forward) {
            PressKey(VK_TAB);
            s.Settle();
            EXPECT_EQ(::GetFocus(), expected);
        }
        const HWND backward[] = {d.update, d.cancel, d.ok, d.check, d.field};
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

TEST_F(SettingsDialog, EnterPressesTheFocusedButtonWithoutMovingTheFocus)
{
    RunDialog([&](Script& s, const Dialog& d) {
        TypeIntoField(s, d, L"0");
        for (int i = 0; i < 4; ++i)
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
        PressKey(VK_TAB);
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

namespace {

// A capture that was pending when the dialog opened still happens, behind the dialog, and the
// keyboard stays with the dialog: Esc still closes it.
TEST_F(SettingsDialog, ACaptureWhileItIsOpenLeavesTheKeyboardWithTheDialog)
{
    main.SetCaptureDelay(1);
    FrameProbe::SetCaptureMode(main, 3);  // an empty picture: the quickest grab
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
