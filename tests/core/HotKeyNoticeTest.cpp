// The Print Screen keys: which are asked for, and the notice naming those not had.
#include "core/HotKeyNotice.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

using core::HotKey;
using core::KeyState;

namespace {

constexpr const char* kWindowsPlace =
    "Windows の 設定 > アクセシビリティ > キーボード で「Print Screen "
    "キーを使用して画面キャプチャを開く」をオフにすると"
    "使えます。";

TEST(HotKeyNotice, NamesTheKeysNotHadGroupedByWhy)
{
    using enum KeyState;
    struct Row {
        core::KeyStates states;
        std::string notice;
    };
    const Row rows[] = {
        {{Had, Had, Had}, ""},
        {{Off, Off, Off}, ""},
        {{HeldByAnotherProgram, Had, Had}, "Print Screen は他のプログラムが使用中のため使えません。"},
        {{Had, HeldByAnotherProgram, HeldByAnotherProgram},
         "Alt+Print Screen、Ctrl+Print Screen は他のプログラムが使用中のため使えません。"},
        {{TakenByWindows, Had, Had},
         std::string("Print Screen は Windows が画面キャプチャに使っています。") + kWindowsPlace},
        {{TakenByWindows, HeldByAnotherProgram, Had},
         std::string(
             "Alt+Print Screen は他のプログラムが使用中のため使えません。Print Screen は Windows が画面キャプチャに"
             "使っています。") +
             kWindowsPlace},
    };
    for (const Row& row : rows)
        EXPECT_EQ(core::HotKeyNotice(row.states), row.notice);
}

TEST(HotKeys, AreTheFourKeysEachOnceInTheirOrder)
{
    EXPECT_EQ(core::kHotKeys, (std::array<HotKey, 4>{HotKey::PrintScreen, HotKey::AltPrintScreen,
                                                      HotKey::CtrlPrintScreen, HotKey::ShiftPrintScreen}));
}

TEST(HotKeyNotice, NamesShiftPrintScreenLast)
{
    using enum KeyState;
    EXPECT_EQ(core::HotKeyNotice({Had, Had, HeldByAnotherProgram, HeldByAnotherProgram}),
              "Ctrl+Print Screen、Shift+Print Screen は他のプログラムが使用中のため使えません。");
    EXPECT_EQ(core::HotKeyName(HotKey::ShiftPrintScreen), "Shift+Print Screen");
}

TEST(HotKeyNotice, OnlyADwordOfOneMeansWindowsKeepsPrintScreen)
{
    EXPECT_TRUE(core::WindowsTakesPrintScreen(1u));
    EXPECT_FALSE(core::WindowsTakesPrintScreen(0u));
    EXPECT_FALSE(core::WindowsTakesPrintScreen(2u));
    EXPECT_FALSE(core::WindowsTakesPrintScreen(std::nullopt));
}

TEST(HotKeyNotice, PlainPrintScreenIsNotAskedForWhileWindowsKeepsIt)
{
    EXPECT_FALSE(core::ShouldRegister(HotKey::PrintScreen, true, true));
    EXPECT_TRUE(core::ShouldRegister(HotKey::AltPrintScreen, true, true));
    EXPECT_TRUE(core::ShouldRegister(HotKey::CtrlPrintScreen, true, true));
    EXPECT_TRUE(core::ShouldRegister(HotKey::PrintScreen, true, false));
    for (HotKey key : core::kHotKeys)
        EXPECT_FALSE(core::ShouldRegister(key, false, false)) << core::HotKeyName(key);
}

}  // namespace
