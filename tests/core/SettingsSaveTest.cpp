// Saving the settings, what a stopped load leaves writable, and the delay a setter keeps.
#include "core/SettingsStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "SettingsFakes.h"

using namespace settingstest;

namespace {

TEST(SettingsSave, TheDefaultsAreWrittenAsFiveTextsInOrderEachInItsOwnVisit)
{
    Registry registry;
    EXPECT_EQ(registry.Save({Mode(0), 5, false}), "");
    const Log expected = {
        "OpenStore",    "CreateSection",     "OpenSection",  "Write CapMode=0", "CloseSection", "CreateSection",
        "OpenSection",  "Write CapTime=5",   "CloseSection", "CreateSection",   "OpenSection",  "Write ToolBarFlat=0",
        "CloseSection", "CreateSection",     "OpenSection",  "Write HotKeys=1", "CloseSection", "CreateSection",
        "OpenSection",  "Write KeepShots=1", "CloseSection", "CloseStore",
    };
    EXPECT_EQ(registry.log, expected);
}

TEST(SettingsSave, NumbersAreWrittenAsPlainDecimalText)
{
    struct Row {
        core::SettingsValues values;
        Log writes;
    };
    const Row rows[] = {
        {{.mode = Mode(255), .delay = 99, .flatToolBar = true, .hotKeys = false, .keepShots = false},
         {"Write CapMode=255", "Write CapTime=99", "Write ToolBarFlat=1", "Write HotKeys=0", "Write KeepShots=0"}},
        {{Mode(3), 1, false},
         {"Write CapMode=3", "Write CapTime=1", "Write ToolBarFlat=0", "Write HotKeys=1", "Write KeepShots=1"}},
        {{.mode = Mode(128), .delay = -3, .flatToolBar = true, .hotKeys = true, .keepShots = false},
         {"Write CapMode=128", "Write CapTime=-3", "Write ToolBarFlat=1", "Write HotKeys=1", "Write KeepShots=0"}},
        {{Mode(0), std::numeric_limits<std::int32_t>::min(), false},
         {"Write CapMode=0", "Write CapTime=-2147483648", "Write ToolBarFlat=0", "Write HotKeys=1",
          "Write KeepShots=1"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.writes[1]);
        Registry registry;
        EXPECT_EQ(registry.Save(row.values), "");
        EXPECT_EQ(registry.Entries("Write"), row.writes);
    }
}

TEST(SettingsSave, TheFirstSaveCreatesTheSectionAndALoadReadsTheValuesBack)
{
    Registry registry;
    EXPECT_EQ(registry.Save({.mode = Mode(2), .delay = 42, .flatToolBar = true, .hotKeys = false, .keepShots = false}), "");
    EXPECT_TRUE(registry.backend.sectionExists);
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.hotKeys, false);
    EXPECT_EQ(registry.target.keepShots, false);
    EXPECT_EQ(registry.target.capMode, 2);
    EXPECT_EQ(registry.target.capTime, 42);
    EXPECT_EQ(registry.target.toolBarFlat, true);
}

TEST(SettingsSave, OddStoredValuesAreSavedBackInTheirPlainForm)
{
    Registry registry;
    registry.Put("CapMode", Text("-1"));
    registry.Put("CapTime", Text("07"));
    registry.Put("ToolBarFlat", Text("2"));
    registry.Put("HotKeys", Text("$0"));
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.Save(registry.target.Values()), "");
    EXPECT_EQ(registry.Entries("Write"), (Log{"Write CapMode=255", "Write CapTime=7", "Write ToolBarFlat=1",
                                              "Write HotKeys=0", "Write KeepShots=1"}));
}

TEST(SettingsSave, ASectionThatCannotBeCreatedIsAnErrorBeforeAnyWrite)
{
    Registry registry;
    registry.backend.createFails = true;
    EXPECT_EQ(registry.Save({Mode(1), 10, true}), "キー Pixtrove の作成に失敗しました");
    EXPECT_EQ(registry.log, (Log{"OpenStore", "CreateSection", "CloseStore"}));
}

TEST(SettingsSave, ASectionThatCannotBeOpenedLeavesEachValueUnwrittenSilently)
{
    Registry registry;
    registry.backend.openFails = true;
    EXPECT_EQ(registry.Save({Mode(1), 10, true}), "");
    EXPECT_EQ(registry.Entries("Write"), Log{});
    EXPECT_EQ(registry.Entries("CreateSection").size(), 5u);
}

TEST(SettingsSave, AFailedWriteKeepsTheValuesBeforeItAndWritesNoneAfter)
{
    Registry registry;
    registry.backend.unwritable.insert("CapTime");
    EXPECT_EQ(registry.Save({Mode(1), 10, true}), "'CapTime' の設定に失敗しました");
    EXPECT_EQ(registry.Entries("Write"), (Log{"Write CapMode=1", "Write CapTime=10"}));
    EXPECT_TRUE(registry.backend.values.contains("CapMode"));
    EXPECT_FALSE(registry.Mentions("ToolBarFlat"));
}

// A load stopped by a value of the wrong type, then what the user set, then a save.
TEST(SettingsSave, AValueTheLoadNeverReachedIsKeptUnlessTheUserSetItSince)
{
    using enum core::Setting;
    struct Row {
        std::string_view wrongType;  // the stored value that is binary data
        std::vector<core::Setting> userSets;
        Log writes;
    };
    const Row rows[] = {
        {"",
         {},
         {"Write CapMode=2", "Write CapTime=12", "Write ToolBarFlat=1", "Write HotKeys=0", "Write HotKeyRegion=300",
          "Write HotKeyTarget=44", "Write HotKeyWindow=1068", "Write HotKeyDelayed=556", "Write HotKeyScroll=812",
          "Write RegionCopy=1", "Write CaptureCursor=0", "Write KeepShots=0"}},
        {"CapTime", {}, {"Write CapMode=2", "Write CapTime=0"}},
        {"CapTime", {CapTime, ToolBarFlat}, {"Write CapMode=2", "Write CapTime=9", "Write ToolBarFlat=0"}},
        {"CapTime", {ToolBarFlat}, {"Write CapMode=2", "Write CapTime=0", "Write ToolBarFlat=0"}},
        {"CapMode", {}, {"Write CapMode=0"}},
        {"CapMode", {CapMode}, {"Write CapMode=1"}},
        {"CapMode", {CapTime, ToolBarFlat}, {"Write CapMode=0", "Write CapTime=9", "Write ToolBarFlat=0"}},
        {"ToolBarFlat", {}, {"Write CapMode=2", "Write CapTime=12", "Write ToolBarFlat=0"}},
        {"ToolBarFlat", {HotKeys}, {"Write CapMode=2", "Write CapTime=12", "Write ToolBarFlat=0", "Write HotKeys=1"}},
        {"HotKeys", {}, {"Write CapMode=2", "Write CapTime=12", "Write ToolBarFlat=1", "Write HotKeys=0"}},
        {"HotKeys",
         {KeepShots},
         {"Write CapMode=2", "Write CapTime=12", "Write ToolBarFlat=1", "Write HotKeys=0", "Write KeepShots=1"}},
        {"KeepShots",
         {},
         {"Write CapMode=2", "Write CapTime=12", "Write ToolBarFlat=1", "Write HotKeys=0", "Write HotKeyRegion=300",
          "Write HotKeyTarget=44", "Write HotKeyWindow=1068", "Write HotKeyDelayed=556", "Write HotKeyScroll=812",
          "Write RegionCopy=1", "Write CaptureCursor=0", "Write KeepShots=0"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.wrongType) + " with " + std::to_string(row.userSets.size()) + " set");
        Registry registry;
        registry.Put("CapMode", Text("2"));
        registry.Put("CapTime", Text("12"));
        registry.Put("ToolBarFlat", Text("1"));
        registry.Put("HotKeys", Text("0"));
        registry.Put("KeepShots", Text("0"));
        if (!row.wrongType.empty()) registry.Put(std::string(row.wrongType), Bytes(3, {1, 0}));  // REG_BINARY
        EXPECT_EQ(registry.Load(),
                  row.wrongType.empty() ? "" : "'" + std::string(row.wrongType) + "' のデータ型が不正です");
        // As the mode buttons and the settings dialog's apply do it.
        for (core::Setting s : row.userSets) {
            if (s == CapMode) registry.target.SetCaptureMode(Mode(1));
            if (s == CapTime) registry.target.SetCaptureDelay(9);
            if (s == ToolBarFlat) registry.target.SetFlatToolBar(false);
            if (s == HotKeys) registry.target.SetHotKeys(true);
            if (s == KeepShots) registry.target.SetKeepShots(true);
            registry.reached.Allow(s);
        }
        registry.log.clear();
        EXPECT_EQ(registry.Save(registry.target.Values(), registry.reached), "");
        EXPECT_EQ(registry.Entries("Write"), row.writes);
    }
}

TEST(SettingsSave, WithoutALoadNothingIsWritten)
{
    Registry registry;
    EXPECT_EQ(registry.Save({Mode(1), 10, true}, core::WritableSettings{}), "");
    EXPECT_EQ(registry.Entries("Write"), Log{});
    EXPECT_EQ(registry.Entries("CreateSection"), Log{});
}

// ---- the delay kept by SetCaptureDelay

TEST(CapTime, DelaysOutsideOneTo99BecomeFiveSeconds)
{
    struct Row {
        std::int32_t seconds, delay;
    };
    const Row rows[] = {
        {1, 1},
        {5, 5},
        {12, 12},
        {99, 99},
        {0, 5},
        {100, 5},
        {-3, 5},
        {-1, 5},
        {std::numeric_limits<std::int32_t>::min(), 5},
        {std::numeric_limits<std::int32_t>::max(), 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seconds);
        EXPECT_EQ(core::CaptureDelayOrDefault(row.seconds), row.delay);
    }
}

}  // namespace
