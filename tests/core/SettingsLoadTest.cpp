// Loading the settings: the order of the calls, the defaults, and every kind of stored value.
#include "core/SettingsStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "SettingsFakes.h"

using namespace settingstest;

namespace {

TEST(SettingsLoad, FirstStartWithoutTheSectionGivesTheDefaultsAndCreatesNoSection)
{
    Registry registry;
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.capMode, 0);
    EXPECT_EQ(registry.target.capTime, 5);
    EXPECT_EQ(registry.target.toolBarFlat, false);
    EXPECT_EQ(registry.target.hotKeys, true);
    EXPECT_EQ(registry.target.keepShots, true);
    EXPECT_FALSE(registry.backend.sectionExists);
    EXPECT_EQ(registry.Entries("CreateSection"), Log{});
}

TEST(SettingsLoad, EachValueIsReadInItsOwnVisitToTheSectionAndAppliedBeforeTheNext)
{
    Registry registry;
    registry.Put("CapMode", Text("2"));
    registry.Put("CapTime", Text("12"));
    registry.Put("ToolBarFlat", Text("1"));
    registry.Put("HotKeys", Text("0"));
    registry.Put("KeepShots", Text("0"));
    EXPECT_EQ(registry.Load(), "");
    Log expected = {
        "OpenStore",          "OpenSection", "Query CapMode",     "Read CapMode",     "CloseSection",
        "SetCaptureMode 2",   "OpenSection", "Query CapTime",     "Read CapTime",     "CloseSection",
        "SetCaptureDelay 12", "OpenSection", "Query ToolBarFlat", "Read ToolBarFlat", "CloseSection",
        "SetFlatToolBar 1",   "OpenSection", "Query HotKeys",     "Read HotKeys",     "CloseSection",
        "SetHotKeys 0",
    };
    // Then the keys and the capture flags, none of them stored: each its default.
    const Log after = {
        "OpenSection", "Query HotKeyRegion",  "CloseSection", "SetKey 0 44 1",       //
        "OpenSection", "Query HotKeyTarget",  "CloseSection", "SetKey 1 44 0",       //
        "OpenSection", "Query HotKeyWindow",  "CloseSection", "SetKey 2 44 4",       //
        "OpenSection", "Query HotKeyDelayed", "CloseSection", "SetKey 3 44 2",       //
        "OpenSection", "Query HotKeyScroll",  "CloseSection", "SetKey 4 44 3",       //
        "OpenSection", "Query RegionCopy",    "CloseSection", "SetRegionCopy 1",     //
        "OpenSection", "Query CaptureCursor", "CloseSection", "SetCaptureCursor 0",  //
        "OpenSection", "Query KeepShots", "Read KeepShots", "CloseSection", "SetKeepShots 0",  //
        "CloseStore",
    };
    expected.insert(expected.end(), after.begin(), after.end());
    EXPECT_EQ(registry.log, expected);
}

TEST(SettingsLoad, AMissingValueGivesItsDefaultWhileTheOthersAreRead)
{
    Registry registry;
    registry.Put("CapMode", Text("1"));
    registry.Put("ToolBarFlat", Text("1"));
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.capMode, 1);
    EXPECT_EQ(registry.target.capTime, 5);
    EXPECT_EQ(registry.target.toolBarFlat, true);
}

TEST(SettingsLoad, ASectionThatCannotBeOpenedGivesTheDefaults)
{
    Registry registry;
    registry.Put("CapTime", Text("30"));
    registry.backend.openFails = true;
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.capTime, 5);
    EXPECT_EQ(registry.Entries("CloseSection"), Log{});
}

TEST(SettingsLoad, StoredCapTimeGivesThisDelay)
{
    struct Row {
        std::string_view stored;
        std::int32_t passed;  // to SetCaptureDelay
        std::int32_t delay;   // what SetCaptureDelay keeps
    };
    const Row rows[] = {
        {"12", 12, 12}, {"1", 1, 1},  {"99", 99, 99}, {"0", 0, 5},    {"100", 100, 5}, {"-3", -3, 5}, {"abc", 5, 5},
        {"", 5, 5},     {"7 ", 5, 5}, {" 7", 7, 7},   {"$C", 12, 12}, {"0x9", 9, 9},   {"+5", 5, 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        Registry registry;
        registry.Put("CapTime", Text(row.stored));
        EXPECT_EQ(registry.Load(), "");
        ASSERT_EQ(registry.target.capTime, row.passed);
        EXPECT_EQ(core::CaptureDelayOrDefault(*registry.target.capTime), row.delay);
    }
}

TEST(SettingsLoad, StoredCapModeKeepsItsLowEightBits)
{
    struct Row {
        std::string_view stored;
        std::uint8_t mode;
    };
    const Row rows[] = {
        {"2", 2}, {"258", 2},    {"-1", 255},        {"255", 255}, {"256", 0},
        {"7", 7}, {"$1FF", 255}, {"$FFFFFFFF", 255}, {"abc", 0},   {"", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        Registry registry;
        registry.Put("CapMode", Text(row.stored));
        EXPECT_EQ(registry.Load(), "");
        EXPECT_EQ(registry.target.capMode, row.mode);
    }
}

TEST(SettingsLoad, StoredToolBarFlatIsTrueForAnyNonZeroNumber)
{
    struct Row {
        std::string_view stored;
        bool flat;
    };
    const Row rows[] = {
        {"1", true},   {"2", true},    {"-1", true},    {"$10", true}, {"0", false},
        {"$0", false}, {"yes", false}, {"true", false}, {"", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        Registry registry;
        registry.Put("ToolBarFlat", Text(row.stored));
        EXPECT_EQ(registry.Load(), "");
        EXPECT_EQ(registry.target.toolBarFlat, row.flat);
    }
}

// The keys and the kept shots follow the flat tool bar's rules, with the default the other way round.
TEST(SettingsLoad, StoredHotKeysAndKeepShotsAreOnForAnyNonZeroNumberAndWhenMissingOrUnreadable)
{
    struct Row {
        std::optional<std::string_view> stored;
        bool on;
    };
    const Row rows[] = {
        {std::nullopt, true}, {"1", true},   {"2", true},   {"-1", true}, {"$10", true}, {"0", false},
        {"$0", false},        {" 0", false}, {"yes", true}, {"0 ", true}, {"", true},
    };
    for (const std::string name : {"HotKeys", "KeepShots"}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(name + " " + std::string(row.stored.value_or("(none)")));
            Registry registry;
            if (row.stored) registry.Put(name, Text(*row.stored));
            EXPECT_EQ(registry.Load(), "");
            EXPECT_EQ(name == "HotKeys" ? registry.target.hotKeys : registry.target.keepShots, row.on);
        }
    }
}

TEST(SettingsLoad, ADwordKeepShotsIsATypeErrorAfterTheOthersAreApplied)
{
    Registry registry;
    registry.Put("HotKeys", Text("0"));
    registry.Put("KeepShots", Bytes(kRegDword, {1, 0, 0, 0}));
    EXPECT_EQ(registry.Load(), "'KeepShots' のデータ型が不正です");
    EXPECT_EQ(registry.target.hotKeys, false);
    EXPECT_EQ(registry.target.keepShots, std::nullopt);
    EXPECT_TRUE(registry.reached.Allows(core::Setting::KeepShots));
}

TEST(SettingsLoad, ADwordHotKeysIsATypeErrorAfterTheOtherThreeAreApplied)
{
    Registry registry;
    registry.Put("ToolBarFlat", Text("1"));
    registry.Put("HotKeys", Bytes(kRegDword, {0, 0, 0, 0}));
    EXPECT_EQ(registry.Load(), "'HotKeys' のデータ型が不正です");
    EXPECT_EQ(registry.target.toolBarFlat, true);
    EXPECT_EQ(registry.target.hotKeys, std::nullopt);
    EXPECT_EQ(registry.target.keepShots, std::nullopt);
    EXPECT_FALSE(registry.reached.Allows(core::Setting::KeepShots));
}

TEST(SettingsLoad, AnEmptyValueGivesTheDefaultWhateverItsType)
{
    Registry registry;
    registry.Put("CapMode", Bytes(kRegDword, {}));
    registry.Put("CapTime", Bytes(kRegDword, {}));
    registry.Put("ToolBarFlat", Bytes(kRegMultiSz, {}));
    registry.Put("HotKeys", Bytes(kRegDword, {}));
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.hotKeys, true);
    EXPECT_EQ(registry.target.capMode, 0);
    EXPECT_EQ(registry.target.capTime, 5);
    EXPECT_EQ(registry.target.toolBarFlat, false);
    EXPECT_EQ(registry.Entries("Read"), Log{});
}

TEST(SettingsLoad, ADwordCapTimeIsATypeErrorAfterTheModeIsAppliedAndBeforeTheFlagIsRead)
{
    Registry registry;
    registry.Put("CapMode", Text("2"));
    registry.Put("CapTime", Bytes(kRegDword, {12, 0, 0, 0}));
    registry.Put("ToolBarFlat", Text("1"));
    EXPECT_EQ(registry.Load(), "'CapTime' のデータ型が不正です");
    EXPECT_EQ(registry.target.capMode, 2);
    EXPECT_EQ(registry.target.capTime, std::nullopt);
    EXPECT_EQ(registry.target.toolBarFlat, std::nullopt);
    EXPECT_FALSE(registry.Mentions("ToolBarFlat"));
}

TEST(SettingsLoad, AValueThatCannotBeReadStopsTheLoad)
{
    Registry registry;
    registry.Put("CapMode", Text("1"));
    registry.Put("CapTime", Text("12"));
    registry.backend.unreadable.insert("CapMode");
    EXPECT_EQ(registry.Load(), "'CapMode' の取得に失敗しました");
    EXPECT_EQ(registry.target.capMode, std::nullopt);
    EXPECT_EQ(registry.target.capTime, std::nullopt);
    EXPECT_FALSE(registry.Mentions("CapTime"));
}

TEST(SettingsLoad, AFailedReadIsReportedRatherThanTheWrongType)
{
    Registry registry;
    registry.Put("ToolBarFlat", Bytes(kRegDword, {1, 0, 0, 0}));
    registry.backend.unreadable.insert("ToolBarFlat");
    EXPECT_EQ(registry.Load(), "'ToolBarFlat' の取得に失敗しました");
    EXPECT_EQ(registry.target.capTime, 5);
}

TEST(SettingsLoad, ExpandableTextIsReadAsItStands)
{
    Registry registry;
    registry.Put("CapTime", Text("12", kRegExpandSz));
    registry.Put("CapMode", Text("%CAPMODE%", kRegExpandSz));
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.capTime, 12);
    EXPECT_EQ(registry.target.capMode, 0);
}

TEST(SettingsLoad, TheTextEndsAtTheFirstNulOrWithTheData)
{
    struct Row {
        std::vector<char> data;
        std::int32_t capTime;
    };
    const Row rows[] = {
        {{'1', '2'}, 12},
        {{'3', '3', '\0', '\0'}, 33},
        {{'7', '\0', '9'}, 7},
        {{'\0', '7'}, 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(row.data.begin(), row.data.end())));
        Registry registry;
        registry.Put("CapTime", Bytes(kRegSz, row.data));
        EXPECT_EQ(registry.Load(), "");
        EXPECT_EQ(registry.target.capTime, row.capTime);
    }
}

TEST(SettingsLoad, AnErrorFromASetterStillClosesTheStore)
{
    Registry registry;
    registry.Put("ToolBarFlat", Text("1"));
    registry.target.toolBarFails = true;
    EXPECT_EQ(registry.Load(), "(other error)");
    EXPECT_EQ(registry.log.back(), "CloseStore");
}

}  // namespace
