// The three settings as the registry holds them, read and written by the real main window.
#include <gtest/gtest.h>

#include <cstdlib>

#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

class Settings : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
};

TEST_F(Settings, FirstStartWithNoKeyUsesTheDefaultsAndCreatesOnlyTheStoreKey)
{
    Program program;
    app::MainFrame& main = program.main;
    EXPECT_EQ(FrameProbe::CaptureMode(main), core::CaptureMode::Desktop);
    EXPECT_EQ(main.CaptureDelay(), 5);
    EXPECT_FALSE(main.FlatToolBar());
    EXPECT_TRUE(ButtonChecked(FrameProbe::ToolBar(main), IDB_FULL_SCREEN));
    EXPECT_FALSE(ButtonChecked(FrameProbe::ToolBar(main), IDB_ACTIVE_WINDOW));
    EXPECT_FALSE(ButtonChecked(FrameProbe::ToolBar(main), IDB_CURSOR_WINDOW));
    EXPECT_EQ(FrameProbe::CaptureTimer(main).Interval(), 5000u);
    EXPECT_FALSE(FrameProbe::CaptureTimer(main).Enabled());
    EXPECT_FALSE(::GetWindowLongPtrW(FrameProbe::ToolBar(main), GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_TRUE(KeyExists("Software\\Kvn"));
    EXPECT_TRUE(SubkeyNames("Software\\Kvn").empty());
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(Settings, SaveWritesTheFourValuesAsAnsiTextWithTheirNul)
{
    Program program;
    program.main.SaveSettings();
    EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("0"));
    EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz("5"));
    EXPECT_EQ(ReadValue(kSection, "ToolBarFlat"), Sz("0"));
    EXPECT_EQ(ReadValue(kSection, "HotKeys"), Sz("1"));
    EXPECT_EQ(ReadValue(kSection, "CapTime")->data.size(), 2u);
}

struct StoredCase {
    const char* name;
    RawValue stored;
    int capMode;
    int capTime;
    bool flat;
    const char* savedBack;  // what the value reads after a save, or nullptr
};

class StoredValues : public Settings, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredValues, AreReadByTheTextRulesAndSavedBackNormalised)
{
    const StoredCase& c = GetParam();
    WriteValue(kSection, c.name, c.stored);
    Program program;
    EXPECT_EQ(FrameProbe::CaptureMode(program.main), static_cast<core::CaptureMode>(c.capMode));
    EXPECT_EQ(program.main.CaptureDelay(), c.capTime);
    EXPECT_EQ(FrameProbe::CaptureTimer(program.main).Interval(), static_cast<UINT>(c.capTime) * 1000u);
    EXPECT_EQ(program.main.FlatToolBar(), c.flat);
    EXPECT_EQ((::GetWindowLongPtrW(FrameProbe::ToolBar(program.main), GWL_STYLE) & TBSTYLE_FLAT) != 0, c.flat);
    EXPECT_TRUE(reports.texts().empty());
    if (c.savedBack) {
        program.main.SaveSettings();
        EXPECT_EQ(ReadValue(kSection, c.name), Sz(c.savedBack));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Registry, StoredValues,
    ::testing::Values(
        StoredCase{"CapMode", Sz("258"), 2, 5, false, "2"}, StoredCase{"CapMode", Sz("-1"), 255, 5, false, "255"},
        StoredCase{"CapMode", Sz("1"), 1, 5, false, "1"}, StoredCase{"CapTime", Sz(" 7"), 0, 7, false, "7"},
        StoredCase{"CapTime", Sz("7 "), 0, 5, false, "5"}, StoredCase{"CapTime", Sz("$C"), 0, 12, false, "12"},
        StoredCase{"CapTime", Sz("0x9"), 0, 9, false, nullptr}, StoredCase{"CapTime", Sz("100"), 0, 5, false, nullptr},
        StoredCase{"CapTime", Sz(""), 0, 5, false, nullptr},
        StoredCase{"CapTime", RawValue{REG_EXPAND_SZ, {'1', '1', 0}}, 0, 11, false, "11"},
        StoredCase{"CapTime", RawValue{REG_DWORD, {}}, 0, 5, false, nullptr},
        StoredCase{"ToolBarFlat", Sz("2"), 0, 5, true, "1"}, StoredCase{"ToolBarFlat", Sz("-1"), 0, 5, true, "1"},
        StoredCase{"ToolBarFlat", Sz("yes"), 0, 5, false, "0"}),
    [](const ::testing::TestParamInfo<StoredCase>& info) {
        return std::string(info.param.name) + std::to_string(info.index);
    });

TEST_F(Settings, ModeOutOfRangeLeavesNoModeButtonDown)
{
    for (const char* stored : {"6", "7", "255"}) {
        WriteValue(kSection, "CapMode", Sz(stored));
        Program program;
        EXPECT_EQ(FrameProbe::CaptureMode(program.main), core::CaptureMode(std::atoi(stored))) << stored;
        for (int id : {IDB_FULL_SCREEN, IDB_ACTIVE_WINDOW, IDB_CURSOR_WINDOW, IDB_ALL_SCREENS, IDB_REGION, IDB_SCROLLING})
            EXPECT_FALSE(ButtonChecked(FrameProbe::ToolBar(program.main), id)) << stored << ", " << id;
    }
}

TEST_F(Settings, AStoredFiveIsTheScrollingCaptureWithItsButtonDownAndIsSavedAsFive)
{
    WriteValue(kSection, "CapMode", Sz("5"));
    Program program;
    EXPECT_EQ(FrameProbe::CaptureMode(program.main), core::CaptureMode::Scrolling);
    EXPECT_TRUE(ButtonChecked(FrameProbe::ToolBar(program.main), IDB_SCROLLING));
    EXPECT_FALSE(ButtonChecked(FrameProbe::ToolBar(program.main), IDB_FULL_SCREEN));
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDB_FULL_SCREEN, 0);
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDB_SCROLLING, 0);
    program.main.SaveSettings();
    EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("5"));
}

TEST_F(Settings, AStoredThreeIsAllScreensWithItsButtonDownAndIsSavedAsThree)
{
    WriteValue(kSection, "CapMode", Sz("3"));
    Program program;
    EXPECT_EQ(FrameProbe::CaptureMode(program.main), core::CaptureMode::AllScreens);
    EXPECT_TRUE(ButtonChecked(FrameProbe::ToolBar(program.main), IDB_ALL_SCREENS));
    EXPECT_FALSE(ButtonChecked(FrameProbe::ToolBar(program.main), IDB_FULL_SCREEN));
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDB_CURSOR_WINDOW, 0);
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDB_ALL_SCREENS, 0);
    program.main.SaveSettings();
    EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("3"));
}

TEST_F(Settings, AStoredFourIsTheRegionWithItsButtonDownAndIsSavedAsFour)
{
    WriteValue(kSection, "CapMode", Sz("4"));
    Program program;
    EXPECT_EQ(FrameProbe::CaptureMode(program.main), core::CaptureMode::Region);
    EXPECT_TRUE(ButtonChecked(FrameProbe::ToolBar(program.main), IDB_REGION));
    EXPECT_FALSE(ButtonChecked(FrameProbe::ToolBar(program.main), IDB_ALL_SCREENS));
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDB_FULL_SCREEN, 0);
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDB_REGION, 0);
    program.main.SaveSettings();
    EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("4"));
}

TEST_F(Settings, DwordDelayIsATypeErrorAfterTheModeWasAppliedAndBeforeTheFlagIsRead)
{
    WriteValue(kSection, "CapMode", Sz("2"));
    WriteValue(kSection, "CapTime", RawValue{REG_DWORD, {9, 0, 0, 0}});
    WriteValue(kSection, "ToolBarFlat", Sz("1"));
    Program program;
    ASSERT_EQ(reports.texts().size(), 1u);
    EXPECT_EQ(reports.texts()[0], L"'CapTime' のデータ型が不正です.");
    EXPECT_EQ(FrameProbe::CaptureMode(program.main), core::CaptureMode::CursorWindow);
    EXPECT_EQ(program.main.CaptureDelay(), 0);
    EXPECT_EQ(FrameProbe::CaptureTimer(program.main).Interval(), 3000u);
    EXPECT_FALSE(program.main.FlatToolBar());
    // The rest of the creation was skipped: no mode button, no help file; the window still opens.
    EXPECT_FALSE(ButtonChecked(FrameProbe::ToolBar(program.main), IDB_CURSOR_WINDOW));
    EXPECT_TRUE(FrameProbe::HelpFile(program.main).empty());
    EXPECT_TRUE(::IsWindowVisible(program.main.hwnd()));
}

// The load stops at the binary delay and never reads the flag; the close saves the mode and the
// delay it holds, and leaves the stored flag alone unless the user has set one since.
TEST_F(Settings, AValueTheLoadNeverReachedIsKeptAtCloseUnlessTheUserSetItSince)
{
    for (const bool userSetsFlag : {false, true}) {
        SCOPED_TRACE(userSetsFlag ? "the user set the flag" : "untouched");
        WriteValue(kSection, "CapMode", Sz("2"));
        WriteValue(kSection, "CapTime", RawValue{REG_BINARY, {9, 0}});
        WriteValue(kSection, "ToolBarFlat", Sz("1"));
        const size_t reportsBefore = reports.texts().size();
        Program program;
        EXPECT_EQ(reports.texts().size(), reportsBefore + 1);
        if (userSetsFlag) program.main.SetFlatToolBar(false);  // as the settings dialog's apply does
        ::SendMessageW(program.main.hwnd(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.main.hwnd(), nullptr);
        EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("2"));
        EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz("0"));
        EXPECT_EQ(ReadValue(kSection, "ToolBarFlat"), Sz(userSetsFlag ? "0" : "1"));
    }
}

TEST_F(Settings, AModePickedOnTheToolBarIsKeptUntilTheNextSave)
{
    Program program;
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDB_CURSOR_WINDOW, 0);
    EXPECT_EQ(FrameProbe::CaptureMode(program.main), core::CaptureMode::CursorWindow);
    EXPECT_FALSE(ReadValue(kSection, "CapMode").has_value());
    program.main.SaveSettings();
    EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("2"));
}

// Counts the writes of one value by watching the key between the two saves of an exit.
TEST_F(Settings, ExitThroughTheMenuSavesTwiceWithTheSameDataAndCloses)
{
    Program program;
    program.main.SetCaptureDelay(42);
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(program.main.hwnd(), nullptr);
    EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz("42"));
    EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("0"));
    EXPECT_EQ(ReadValue(kSection, "ToolBarFlat"), Sz("0"));
}

TEST_F(Settings, ClosingTheWindowSaves)
{
    Program program;
    program.main.SetFlatToolBar(true);
    ::SendMessageW(program.main.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpUntil([&] { return program.main.hwnd() == nullptr; });
    EXPECT_EQ(program.main.hwnd(), nullptr);
    EXPECT_EQ(ReadValue(kSection, "ToolBarFlat"), Sz("1"));
}

TEST_F(Settings, ACloseWhoseSaveFailsKeepsTheWindowOpenAndIsReported)
{
    Program program;
    {
        UnwritableRegistry unwritable(registry);
        ::SendMessageW(program.main.hwnd(), WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(::IsWindow(program.main.hwnd()));
    ASSERT_EQ(reports.texts().size(), 1u);
    EXPECT_EQ(reports.texts()[0], L"キー Pixtrove の作成に失敗しました.");
}

TEST_F(Settings, AnExitWhoseSaveFailsKeepsTheProgramRunning)
{
    Program program;
    {
        UnwritableRegistry unwritable(registry);
        ::SendMessageW(program.main.hwnd(), WM_COMMAND, IDM_EXIT, 0);
    }
    EXPECT_TRUE(::IsWindow(program.main.hwnd()));
    EXPECT_EQ(reports.texts().size(), 1u);
    EXPECT_FALSE(ReadValue(kSection, "CapMode").has_value());
}

}  // namespace
