// The actions' keys: the defaults, the names of the actions, and one key for two actions found
// and told.
#include "core/KeyActions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using core::ChosenKey;
using core::KeyAction;
using core::SharedKey;

namespace {

TEST(KeyActions, AFirstStartHasShiftPlainAltCtrlAndCtrlShiftPrintScreen)
{
    const core::KeyChoices expected{{{0x2C, 1}, {0x2C, 0}, {0x2C, 4}, {0x2C, 2}, {0x2C, 3}}};
    EXPECT_EQ(core::kDefaultKeys, expected);
}

TEST(KeyActions, EachActionIsNamedAsItsFieldIsLabelled)
{
    EXPECT_EQ(core::ActionName(KeyAction::Region), "範囲を指定");
    EXPECT_EQ(core::ActionName(KeyAction::Target), "選んだ対象");
    EXPECT_EQ(core::ActionName(KeyAction::Window), "アクティブウィンドウ");
    EXPECT_EQ(core::ActionName(KeyAction::Delayed), "キャプチャー開始");
    EXPECT_EQ(core::ActionName(KeyAction::Scroll), "スクロールして取り込む");
}

TEST(KeyActions, TheFirstKeyChosenTwiceIsFoundWithTheFirstActionThatRepeatsIt)
{
    using enum KeyAction;
    const ChosenKey f9{0x78, 0}, ctrlF9{0x78, 2}, print{0x2C, 0};
    struct Row {
        core::KeyChoices keys;
        std::optional<SharedKey> shared;
    };
    const Row rows[] = {
        {core::kDefaultKeys, std::nullopt},
        {{{{}, {}, {}, {}, {}}}, std::nullopt},  // no key is nobody's
        {{{{}, print, {}, {}, {}}}, std::nullopt},
        {{{f9, ctrlF9, print, {}, {}}}, std::nullopt},  // the modifiers make another key
        {{{f9, f9, print, {}, {}}}, SharedKey{Region, Target}},
        {{{f9, print, {}, f9, {}}}, SharedKey{Region, Delayed}},
        {{{{}, print, print, print, {}}}, SharedKey{Target, Window}},
        {{{{}, f9, print, print, {}}}, SharedKey{Window, Delayed}},
        {{{print, f9, ctrlF9, f9, {}}}, SharedKey{Target, Delayed}},
        {{{ctrlF9, print, f9, print, {}}}, SharedKey{Target, Delayed}},
        {{{f9, {}, {}, {}, f9}}, SharedKey{Region, Scroll}},
        {{{{}, {}, {}, ctrlF9, ctrlF9}}, SharedKey{Delayed, Scroll}},
    };
    for (const Row& row : rows) {
        std::string trace;
        for (const ChosenKey& key : row.keys)
            trace += core::KeyName(key) + "/";
        SCOPED_TRACE(trace);
        EXPECT_EQ(core::FindSharedKey(row.keys), row.shared);
    }
}

TEST(KeyActions, TheRefusalNamesTheKeyAndBothActions)
{
    const core::KeyChoices keys{{{0x2C, 1}, {0x2C, 0}, {0x2C, 4}, {0x2C, 1}, {}}};
    EXPECT_EQ(core::SharedKeyMessage(keys, {KeyAction::Region, KeyAction::Delayed}),
              "Shift+Print Screen が「範囲を指定」と「キャプチャー開始」の両方に選ばれています。"
              "一つのキーは一つの操作にしか使えません。どちらかに別のキーを選んでください");
    const core::KeyChoices window{{{}, {0x78, 3}, {0x78, 3}, {}, {}}};
    EXPECT_EQ(core::SharedKeyMessage(window, {KeyAction::Target, KeyAction::Window}),
              "Ctrl+Shift+F9 が「選んだ対象」と「アクティブウィンドウ」の両方に選ばれています。"
              "一つのキーは一つの操作にしか使えません。どちらかに別のキーを選んでください");
}

}  // namespace
