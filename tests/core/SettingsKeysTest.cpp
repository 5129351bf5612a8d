// The key settings ("HotKeyRegion", "HotKeyTarget", "HotKeyWindow", "HotKeyDelayed", "HotKeyScroll") and the two
// capture flags ("RegionCopy", "CaptureCursor"): read, written, and left alone when unreached.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "SettingsFakes.h"
#include "core/SettingsStore.h"

using namespace settingstest;
using core::ChosenKey;

namespace {

struct KeyValue {
    const char* name;
    std::size_t place;  // in the order of the actions
    ChosenKey byDefault;
};
const KeyValue kKeyValues[] = {
    {"HotKeyRegion", 0, {0x2C, 1}},
    {"HotKeyTarget", 1, {0x2C, 0}},
    {"HotKeyWindow", 2, {0x2C, 4}},
    {"HotKeyDelayed", 3, {0x2C, 2}},
    {"HotKeyScroll", 4, {0x2C, 3}},
};

TEST(SettingsKeys, MissingKeysAndFlagsGiveShiftPlainAltCtrlPrintScreenCopyOnAndNoPointer)
{
    Registry registry;
    EXPECT_EQ(registry.Load(), "");
    for (const KeyValue& value : kKeyValues)
        EXPECT_EQ(registry.target.keys[value.place], value.byDefault) << value.name;
    EXPECT_EQ(registry.target.regionCopy, true);
    EXPECT_EQ(registry.target.captureCursor, false);
}

TEST(SettingsKeys, AStoredKeyIsTheDecimalTextOfTheControlsValueAndAnythingElseTheDefault)
{
    struct Row {
        std::string_view stored;
        std::optional<ChosenKey> key;  // nothing: the action's default
    };
    const Row rows[] = {
        {"300", ChosenKey{0x2C, 1}},   {"44", ChosenKey{0x2C, 0}},  {"1068", ChosenKey{0x2C, 4}},
        {"556", ChosenKey{0x2C, 2}},   {"0", ChosenKey{}},           // no key
        {"888", ChosenKey{0x78, 3}},                                 // Ctrl+Shift+F9
        {"1836", ChosenKey{0x2C, 7}},                                // Ctrl+Shift+Alt+Print Screen
        {"2092", ChosenKey{0x2C, 0}},                                // with HOTKEYF_EXT
        {"65", ChosenKey{'A', 0}},     {" 44", ChosenKey{0x2C, 0}},  // the integer text rules: leading spaces,
        {"+44", ChosenKey{0x2C, 0}},                                 // a sign,
        {"$12C", ChosenKey{0x2C, 1}},                                // hex
        {"0x42C", ChosenKey{0x2C, 4}},                               //
        {"-0", ChosenKey{}},                                         //
        {"44 ", std::nullopt},                                       // nothing after the digits
        {"abc", std::nullopt},         {"", std::nullopt},          {"Print Screen", std::nullopt},
        {"4140", std::nullopt},   // 0x102C: a bit beyond the modifiers
        {"65580", std::nullopt},  // 0x1002C: beyond the two bytes
        {"-1", std::nullopt},          {"-44", std::nullopt},       {"256", std::nullopt},  // Shift without a key
        {"16", std::nullopt},                                                               // the Shift key itself
        {"1", std::nullopt},                                                                // the left mouse button
        {"4294967295", std::nullopt},                                                       // out of range for decimal
        {"$FFFFFFFF", std::nullopt},
    };
    for (const KeyValue& value : kKeyValues) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(value.name) + "=\"" + std::string(row.stored) + "\"");
            Registry registry;
            registry.Put(value.name, Text(row.stored));
            EXPECT_EQ(registry.Load(), "");
            EXPECT_EQ(registry.target.keys[value.place], row.key.value_or(value.byDefault));
        }
    }
}

TEST(SettingsKeys, EachKeyIsReadFromItsOwnValue)
{
    Registry registry;
    registry.Put("HotKeyRegion", Text("120"));  // F9
    registry.Put("HotKeyTarget", Text("0"));
    registry.Put("HotKeyWindow", Text("631"));    // Ctrl+F8
    registry.Put("HotKeyDelayed", Text("1143"));  // Alt+F8
    EXPECT_EQ(registry.Load(), "");
    EXPECT_EQ(registry.target.keys[0], (ChosenKey{0x78, 0}));
    EXPECT_EQ(registry.target.keys[1], ChosenKey{});
    EXPECT_EQ(registry.target.keys[2], (ChosenKey{0x77, 2}));
    EXPECT_EQ(registry.target.keys[3], (ChosenKey{0x77, 4}));
}

TEST(SettingsKeys, TheFlagsFollowTheToolBarFlagsRulesEachWithItsDefault)
{
    struct Row {
        std::optional<std::string_view> stored;
        bool regionCopy, captureCursor;  // the same text in both
    };
    const Row rows[] = {
        {std::nullopt, true, false}, {"1", true, true},   {"2", true, true},    {"-1", true, true},
        {"$10", true, true},         {"0", false, false}, {"$0", false, false}, {" 0", false, false},
        {"yes", true, false},        {"0 ", true, false}, {"", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored.value_or("(none)"));
        Registry registry;
        if (row.stored) {
            registry.Put("RegionCopy", Text(*row.stored));
            registry.Put("CaptureCursor", Text(*row.stored));
        }
        EXPECT_EQ(registry.Load(), "");
        EXPECT_EQ(registry.target.regionCopy, row.regionCopy);
        EXPECT_EQ(registry.target.captureCursor, row.captureCursor);
    }
}

TEST(SettingsKeys, ADwordKeyIsATypeErrorAfterTheKeysBeforeItAreAppliedAndTheRestUnread)
{
    Registry registry;
    registry.Put("HotKeys", Text("0"));
    registry.Put("HotKeyRegion", Text("120"));
    registry.Put("HotKeyTarget", Bytes(kRegDword, {44, 0, 0, 0}));
    registry.Put("CaptureCursor", Text("1"));
    EXPECT_EQ(registry.Load(), "'HotKeyTarget' のデータ型が不正です");
    EXPECT_EQ(registry.target.hotKeys, false);
    EXPECT_EQ(registry.target.keys[0], (ChosenKey{0x78, 0}));
    EXPECT_EQ(registry.target.keys[1], std::nullopt);
    EXPECT_EQ(registry.target.captureCursor, std::nullopt);
    EXPECT_FALSE(registry.Mentions("HotKeyWindow"));
    EXPECT_FALSE(registry.Mentions("CaptureCursor"));
}

TEST(SettingsKeys, KeysAreWrittenAsTheDecimalTextOfTheirValueAfterHotKeysThenTheFlags)
{
    Registry registry;
    core::SettingsValues values{Mode(0), 5, false, true};
    values.keys = {{{0x78, 3}, {}, {0x2C, 7}, {'A', 0}, {0x2C, 3}}};
    values.regionCopy = false;
    values.captureCursor = true;
    core::WritableSettings all = AllWritable();
    for (core::Setting s : {core::Setting::HotKeyRegion, core::Setting::HotKeyTarget, core::Setting::HotKeyWindow,
                            core::Setting::HotKeyDelayed, core::Setting::HotKeyScroll, core::Setting::RegionCopy,
                            core::Setting::CaptureCursor})
        all.Allow(s);
    EXPECT_EQ(registry.Save(values, all), "");
    EXPECT_EQ(registry.Entries("Write"),
              (Log{"Write CapMode=0", "Write CapTime=5", "Write ToolBarFlat=0", "Write HotKeys=1",
                   "Write HotKeyRegion=888", "Write HotKeyTarget=0", "Write HotKeyWindow=1836",
                   "Write HotKeyDelayed=65", "Write HotKeyScroll=812", "Write RegionCopy=0", "Write CaptureCursor=1",
                   "Write KeepShots=1"}));
    // Each in its own visit to the section, as the others.
    EXPECT_EQ(registry.Entries("CreateSection").size(), 12u);
}

TEST(SettingsKeys, OddStoredKeysAreSavedBackInTheirPlainForm)
{
    Registry registry;
    registry.Put("HotKeyRegion", Text("$12C"));
    registry.Put("HotKeyTarget", Text("2092"));
    registry.Put("HotKeyWindow", Text("4140"));  // no key: the default
    registry.Put("HotKeyDelayed", Text(" 0"));
    registry.Put("RegionCopy", Text("7"));
    registry.Put("CaptureCursor", Text("$0"));
    EXPECT_EQ(registry.Load(), "");
    registry.log.clear();
    EXPECT_EQ(registry.Save(registry.target.Values(), registry.reached), "");
    EXPECT_EQ(registry.Entries("Write"),
              (Log{"Write CapMode=0", "Write CapTime=5", "Write ToolBarFlat=0", "Write HotKeys=1",
                   "Write HotKeyRegion=300", "Write HotKeyTarget=44", "Write HotKeyWindow=1068",
                   "Write HotKeyDelayed=0", "Write HotKeyScroll=812", "Write RegionCopy=1", "Write CaptureCursor=0",
                   "Write KeepShots=1"}));
}

// A load stopped by a value of the wrong type, then what the user set, then a save.
TEST(SettingsKeys, AKeyTheLoadNeverReachedIsKeptUnlessTheUserSetItSince)
{
    using enum core::Setting;
    struct Row {
        std::string_view wrongType;
        std::vector<core::Setting> userSets;
        Log writes;  // beyond the first four
    };
    const Row rows[] = {
        {"HotKeys", {}, {}},
        {"HotKeys", {HotKeyWindow}, {"Write HotKeyWindow=0"}},
        // The value that stopped the load is written as the program holds it (the fake: no key).
        {"HotKeyTarget", {}, {"Write HotKeyRegion=120", "Write HotKeyTarget=0"}},
        {"HotKeyTarget", {CaptureCursor}, {"Write HotKeyRegion=120", "Write HotKeyTarget=0", "Write CaptureCursor=1"}},
        {"HotKeyDelayed",
         {},
         {"Write HotKeyRegion=120", "Write HotKeyTarget=0", "Write HotKeyWindow=631", "Write HotKeyDelayed=0"}},
        {"HotKeyScroll",
         {},
         {"Write HotKeyRegion=120", "Write HotKeyTarget=0", "Write HotKeyWindow=631", "Write HotKeyDelayed=1143",
          "Write HotKeyScroll=0"}},
        {"RegionCopy",
         {RegionCopy},
         {"Write HotKeyRegion=120", "Write HotKeyTarget=0", "Write HotKeyWindow=631", "Write HotKeyDelayed=1143",
          "Write HotKeyScroll=812", "Write RegionCopy=0"}},
        {"CaptureCursor",
         {},
         {"Write HotKeyRegion=120", "Write HotKeyTarget=0", "Write HotKeyWindow=631", "Write HotKeyDelayed=1143",
          "Write HotKeyScroll=812", "Write RegionCopy=0", "Write CaptureCursor=0"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.wrongType) + " with " + std::to_string(row.userSets.size()) + " set");
        Registry registry;
        registry.Put("HotKeys", Text("1"));
        registry.Put("HotKeyRegion", Text("120"));
        registry.Put("HotKeyTarget", Text("0"));
        registry.Put("HotKeyWindow", Text("631"));
        registry.Put("HotKeyDelayed", Text("1143"));
        registry.Put("RegionCopy", Text("0"));
        registry.Put("CaptureCursor", Text("1"));
        registry.Put(std::string(row.wrongType), Bytes(3, {1, 0}));  // REG_BINARY
        EXPECT_EQ(registry.Load(), "'" + std::string(row.wrongType) + "' のデータ型が不正です");
        for (core::Setting s : row.userSets) {
            if (s == HotKeyWindow) registry.target.SetKey(core::KeyAction::Window, {});
            if (s == RegionCopy) registry.target.SetRegionCopy(false);
            if (s == CaptureCursor) registry.target.SetCaptureCursor(true);
            registry.reached.Allow(s);
        }
        registry.log.clear();
        EXPECT_EQ(registry.Save(registry.target.Values(), registry.reached), "");
        Log writes = registry.Entries("Write");
        ASSERT_GE(writes.size(), 4u);
        EXPECT_EQ(Log(writes.begin() + 4, writes.end()), row.writes);
    }
}

TEST(SettingsKeys, WhatIsSavedIsReadBack)
{
    Registry registry;
    core::SettingsValues values{Mode(2), 7, true, false};
    values.keys = {{{}, {0x78, 0}, {0x2C, 5}, {0x13, 2}}};
    values.regionCopy = false;
    values.captureCursor = true;
    core::WritableSettings all;
    for (std::size_t i = 0; i < core::kSettingCount; ++i)
        all.Allow(static_cast<core::Setting>(i));
    EXPECT_EQ(registry.Save(values, all), "");
    EXPECT_EQ(registry.Load(), "");
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(registry.target.keys[i], values.keys[i]) << i;
    EXPECT_EQ(registry.target.regionCopy, false);
    EXPECT_EQ(registry.target.captureCursor, true);
}

}  // namespace
