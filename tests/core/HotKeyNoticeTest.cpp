// The user's keys: which are asked for, and the notice naming those not had.
#include "core/HotKeyNotice.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

using core::ChosenKey;
using core::KeyState;

namespace {

constexpr const char* kWindowsPlace =
    "Windows の 設定 > アクセシビリティ > キーボード で「Print Screen "
    "キーを使用して画面キャプチャを開く」をオフにすると"
    "使えます。";

// The keys as a first start has them: Shift+, plain, Alt+ and Ctrl+Print Screen.
constexpr core::KeyChoices kFirstStart{{{0x2C, 1}, {0x2C, 0}, {0x2C, 4}, {0x2C, 2}}};

TEST(HotKeyNotice, NamesTheKeysNotHadGroupedByWhy)
{
    using enum KeyState;
    struct Row {
        core::KeyStates states;
        std::string notice;
    };
    const Row rows[] = {
        {{Had, Had, Had, Had}, ""},
        {{Off, Had, Had, Had}, ""},
        {{Off, Off, Off, Off}, ""},
        {{Off, HeldByAnotherProgram, Had, Had}, "Print Screen は他のプログラムが使用中のため使えません。"},
        {{Off, Had, HeldByAnotherProgram, HeldByAnotherProgram},
         "Alt+Print Screen、Ctrl+Print Screen は他のプログラムが使用中のため使えません。"},
        {{HeldByAnotherProgram, Had, Had, Had}, "Shift+Print Screen は他のプログラムが使用中のため使えません。"},
        {{Off, TakenByWindows, Had, Had},
         std::string("Print Screen は Windows が画面キャプチャに使っています。") + kWindowsPlace},
        {{Off, TakenByWindows, HeldByAnotherProgram, Had},
         std::string(
             "Alt+Print Screen は他のプログラムが使用中のため使えません。Print Screen は Windows が画面キャプチャに"
             "使っています。") +
             kWindowsPlace},
    };
    for (const Row& row : rows)
        EXPECT_EQ(core::HotKeyNotice(row.states, kFirstStart), row.notice);
}

TEST(HotKeyNotice, NamesTheKeyTheUserChoseForTheAction)
{
    using enum KeyState;
    const core::KeyChoices chosen{{{0x78, 2 | 1}, {0x2C, 0}, {'W', 4}, {0x2C, 1}}};  // Ctrl+Shift+F9, ..., Alt+W
    EXPECT_EQ(core::HotKeyNotice({HeldByAnotherProgram, Had, HeldByAnotherProgram, Had}, chosen),
              "Ctrl+Shift+F9、Alt+W は他のプログラムが使用中のため使えません。");
    // Windows' Print Screen chosen for the delayed capture.
    const core::KeyChoices moved{{{}, {0x77, 0}, {0x2C, 4}, {0x2C, 0}}};
    EXPECT_EQ(core::HotKeyNotice({Off, Had, Had, TakenByWindows}, moved),
              std::string("Print Screen は Windows が画面キャプチャに使っています。") + kWindowsPlace);
}

// The region's key is the first action's, so it is named before the others.
TEST(HotKeyNotice, NamesTheRegionsShiftPrintScreenFirst)
{
    using enum KeyState;
    EXPECT_EQ(core::HotKeyNotice({HeldByAnotherProgram, Had, Had, HeldByAnotherProgram}, kFirstStart),
              "Shift+Print Screen、Ctrl+Print Screen は他のプログラムが使用中のため使えません。");
}

TEST(HotKeyNotice, OnlyADwordOfOneMeansWindowsKeepsPrintScreen)
{
    EXPECT_TRUE(core::WindowsTakesPrintScreen(1u));
    EXPECT_FALSE(core::WindowsTakesPrintScreen(0u));
    EXPECT_FALSE(core::WindowsTakesPrintScreen(2u));
    EXPECT_FALSE(core::WindowsTakesPrintScreen(std::nullopt));
}

TEST(HotKeyNotice, PlainPrintScreenIsNotAskedForWhileWindowsKeepsItNorNoKeyEver)
{
    struct Row {
        ChosenKey key;
        bool setting, windowsTakes, asked;
    };
    const Row rows[] = {
        {{0x2C, 0}, true, true, false},   {{0x2C, 4}, true, true, true},   {{0x2C, 2}, true, true, true},
        {{0x2C, 1}, true, true, true},    {{0x2C, 0}, true, false, true},  {{0x78, 0}, true, true, true},
        {{}, true, false, false},         {{}, true, true, false},         {{0x2C, 0}, false, false, false},
        {{0x2C, 4}, false, false, false}, {{0x78, 0}, false, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.key.key) + "/" + std::to_string(row.key.modifiers) + " setting " +
                     std::to_string(row.setting) + " windows " + std::to_string(row.windowsTakes));
        EXPECT_EQ(core::ShouldRegister(row.key, row.setting, row.windowsTakes), row.asked);
    }
}

}  // namespace
