// The settings object the main window holds and the settings dialog edits: its state before a
// load, its setters' rules, and what each lets a save write.
#include "core/Settings.h"

#include <gtest/gtest.h>

#include <string>

#include "SettingsFakes.h"

using namespace settingstest;
using core::Setting;

namespace {

bool AllowsNone(const core::WritableSettings& writable)
{
    for (std::size_t i = 0; i < core::kSettingCount; ++i)
        if (writable.Allows(static_cast<Setting>(i))) return false;
    return true;
}

TEST(SettingsObject, BeforeALoadItHoldsNoDelayNoKeysTakenAndLetsASaveWriteNothing)
{
    const core::Settings settings;
    const core::SettingsValues& v = settings.Values();
    EXPECT_EQ(v.mode, core::CaptureMode::Desktop);
    EXPECT_EQ(v.delay, 0);
    EXPECT_FALSE(v.flatToolBar);
    EXPECT_FALSE(v.hotKeys);
    const core::KeyChoices firstStart{{{0x2C, 1}, {0x2C, 0}, {0x2C, 4}, {0x2C, 2}, {0x2C, 3}}};
    EXPECT_EQ(v.keys, firstStart);
    EXPECT_TRUE(v.regionCopy);
    EXPECT_FALSE(v.captureCursor);
    EXPECT_TRUE(v.keepShots);
    EXPECT_TRUE(AllowsNone(settings.Writable()));
}

TEST(SettingsObject, EachSetterKeepsItsValueAndAllowsOnlyItsOwnSetting)
{
    struct Row {
        Setting setting;
        void (*set)(core::Settings&);
        bool (*holds)(const core::SettingsValues&);
    };
    const Row rows[] = {
        {Setting::CapMode, [](core::Settings& s) { s.SetCaptureMode(Mode(3)); },
         [](const core::SettingsValues& v) { return v.mode == Mode(3); }},
        {Setting::CapTime, [](core::Settings& s) { s.SetCaptureDelay(12); },
         [](const core::SettingsValues& v) { return v.delay == 12; }},
        {Setting::ToolBarFlat, [](core::Settings& s) { s.SetFlatToolBar(true); },
         [](const core::SettingsValues& v) { return v.flatToolBar; }},
        {Setting::HotKeys, [](core::Settings& s) { s.SetHotKeys(true); },
         [](const core::SettingsValues& v) { return v.hotKeys; }},
        {Setting::HotKeyRegion,
         [](core::Settings& s) {
             s.SetKey(core::KeyAction::Region, {0x78, 0});
         },
         [](const core::SettingsValues& v) {
             return v.keys[0] == core::ChosenKey{0x78, 0};
         }},
        {Setting::HotKeyTarget, [](core::Settings& s) { s.SetKey(core::KeyAction::Target, {}); },
         [](const core::SettingsValues& v) { return v.keys[1].None(); }},
        {Setting::HotKeyWindow,
         [](core::Settings& s) {
             s.SetKey(core::KeyAction::Window, {'W', 2});
         },
         [](const core::SettingsValues& v) {
             return v.keys[2] == core::ChosenKey{'W', 2};
         }},
        {Setting::HotKeyDelayed,
         [](core::Settings& s) {
             s.SetKey(core::KeyAction::Delayed, {0x13, 0});
         },
         [](const core::SettingsValues& v) {
             return v.keys[3] == core::ChosenKey{0x13, 0};
         }},
        {Setting::HotKeyScroll, [](core::Settings& s) { s.SetKey(core::KeyAction::Scroll, {'S', 3}); },
         [](const core::SettingsValues& v) { return v.keys[4] == core::ChosenKey{'S', 3}; }},
        {Setting::RegionCopy, [](core::Settings& s) { s.SetRegionCopy(false); },
         [](const core::SettingsValues& v) { return !v.regionCopy; }},
        {Setting::CaptureCursor, [](core::Settings& s) { s.SetCaptureCursor(true); },
         [](const core::SettingsValues& v) { return v.captureCursor; }},
        {Setting::KeepShots, [](core::Settings& s) { s.SetKeepShots(false); },
         [](const core::SettingsValues& v) { return !v.keepShots; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.setting));
        core::Settings settings;
        row.set(settings);
        EXPECT_TRUE(row.holds(settings.Values()));
        for (std::size_t i = 0; i < core::kSettingCount; ++i)
            EXPECT_EQ(settings.Writable().Allows(static_cast<Setting>(i)), static_cast<Setting>(i) == row.setting) << i;
    }
}

TEST(SettingsObject, TheDelayKeepsOneTo99AndMakesAnythingElseFive)
{
    for (const auto& [seconds, kept] : {std::pair{1, 1}, {99, 99}, {0, 5}, {100, 5}, {-3, 5}}) {
        core::Settings settings;
        settings.SetCaptureDelay(seconds);
        EXPECT_EQ(settings.Values().delay, kept) << seconds;
    }
}

// The dialog's way: a copy edited and handed back leaves the original as it was.
TEST(SettingsObject, ACopyIsEditedApartFromTheOriginal)
{
    core::Settings held;
    held.SetCaptureDelay(7);
    core::Settings edited = held;
    edited.SetCaptureCursor(true);
    edited.SetKey(core::KeyAction::Target, {0x78, 0});
    EXPECT_FALSE(held.Values().captureCursor);
    EXPECT_EQ(held.Values().keys[1], (core::ChosenKey{0x2C, 0}));
    EXPECT_FALSE(held.Writable().Allows(Setting::CaptureCursor));
    EXPECT_TRUE(edited.Writable().Allows(Setting::CapTime)) << "the copy keeps what the original allowed";
    EXPECT_EQ(edited.Values().delay, 7);
}

// Loaded through its own setters, it writes back what the registry held, in plain form, and
// after a load that stopped, only what was reached.
TEST(SettingsObject, LoadedAndSavedItWritesBackWhatTheLoadReached)
{
    Registry registry;
    registry.Put("CapMode", Text("258"));
    registry.Put("CapTime", Text("$C"));
    registry.Put("HotKeyWindow", Text("2092"));
    registry.Put("RegionCopy", Bytes(kRegDword, {0, 0, 0, 0}));
    core::Settings settings;
    EXPECT_THROW(core::LoadSettings(registry.backend, settings, settings.Reached()), core::AppError);
    registry.log.clear();
    EXPECT_EQ(registry.Save(settings.Values(), settings.Writable()), "");
    EXPECT_EQ(
        registry.Entries("Write"),
        (Log{"Write CapMode=2", "Write CapTime=12", "Write ToolBarFlat=0", "Write HotKeys=1", "Write HotKeyRegion=300",
             "Write HotKeyTarget=44", "Write HotKeyWindow=44", "Write HotKeyDelayed=556", "Write HotKeyScroll=812",
             "Write RegionCopy=1"}));
}

}  // namespace
