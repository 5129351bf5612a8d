#include "core/SpinEditRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/SettingsStore.h"

namespace {

TEST(SpinEditTyping, OnlyDigitsSignsTheDecimalSeparatorAndControlKeysReachTheField)
{
    struct Row {
        char32_t ch;
        char32_t separator;
        bool passes;
    };
    const Row rows[] = {
        {U'0', U'.', true},       {U'5', U'.', true},  {U'9', U'.', true},  {U'+', U'.', true},  {U'-', U'.', true},
        {U'.', U'.', true},       {U',', U',', true},  {U'.', U',', false}, {U',', U'.', false}, {U'\b', U'.', true},
        {0x01, U'.', true},       {0x1F, U'.', true},  {U' ', U'.', false}, {U'a', U'.', false}, {U'x', U'.', false},
        {U'$', U'.', false},      {U'e', U'.', false}, {U'/', U'.', false}, {U':', U'.', false}, {0x7F, U'.', false},
        {U'\uFF10', U'.', false},  // full-width zero
        {U'秒', U'.', false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "char " << static_cast<std::uint32_t>(row.ch) << " separator "
                                        << static_cast<std::uint32_t>(row.separator));
        EXPECT_EQ(core::IsSpinEditChar(row.ch, row.separator), row.passes);
    }
}

TEST(SpinEditValue, ParsableTextIsTakenUnclampedAndAnythingElseIsTheMinimum)
{
    struct Row {
        std::string_view text;
        std::int32_t value;
    };
    const Row rows[] = {
        {"12", 12},   {"+7", 7}, {"07", 7}, {"0", 0}, {"00", 0}, {"-0", 0}, {"-5", -5}, {"x9", 9}, {"$F", 15},
        {"100", 100}, {"", 1},   {"-", 1},  {"+", 1}, {".", 1},  {",", 1},  {"1.", 1},  {"5 ", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(core::SpinEditValue(row.text), row.value);
    }
}

TEST(SpinEditStep, ArrowsAndUpDownKeysStepTheValueWithinOneTo99)
{
    struct Row {
        std::string_view text;
        int delta;
        std::string_view result;
    };
    const Row rows[] = {
        {"5", +1, "6"},           {"5", -1, "4"},  {"98", +1, "99"},  {"2", -1, "1"},
        {"99", +1, "99"},         {"1", -1, "1"},  {"", +1, "2"},     {"", -1, "1"},
        {"-", +1, "2"},           {"0", +1, "1"},  {"0", -1, "1"},    {"-5", +1, "1"},
        {"+7", +1, "8"},          {"07", -1, "6"}, {"100", -1, "99"}, {"2147483647", +1, "99"},
        {"-2147483648", -1, "1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << '"' << row.text << "\" " << row.delta);
        EXPECT_EQ(core::SpinEditStep(row.text, row.delta), row.result);
    }
}

TEST(SpinEditLeave, OnlyNumbersOutOfRangeAreReplacedWhenTheFieldLosesFocus)
{
    struct Row {
        std::string_view text;
        std::optional<std::string> replacement;
    };
    const Row rows[] = {
        {"0", "1"},           {"00", "1"},          {"-0", "1"},          {"-5", "1"},
        {"100", "99"},        {"$FF", "99"},        {"1", std::nullopt},  {"12", std::nullopt},
        {"99", std::nullopt}, {"+7", std::nullopt}, {"07", std::nullopt}, {"x9", std::nullopt},
        {"", std::nullopt},   {"-", std::nullopt},  {"+", std::nullopt},  {".", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(core::SpinEditTextOnLeave(row.text), row.replacement);
    }
}

TEST(SpinEditSetByProgram, TheValueIsClampedAndShownAsPlainDecimal)
{
    struct Row {
        std::int32_t value;
        std::string_view text;
    };
    const Row rows[] = {
        {5, "5"},           {1, "1"}, {99, "99"}, {42, "42"}, {0, "1"}, {-7, "1"}, {100, "99"}, {-2147483647 - 1, "1"},
        {2147483647, "99"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(core::SpinEditTextFor(row.value), row.text);
    }
}

// The delay an apply produces. Enter and Alt+A leave the focus in the field, so
// its text is read as it stands; a click moves the focus first, so the field's
// leave rule has run on the text before it is read.
std::int32_t DelayByKey(std::string_view text) { return core::CaptureDelayOrDefault(core::SpinEditValue(text)); }

std::string TextAfterClick(std::string_view text)
{
    return core::SpinEditTextOnLeave(text).value_or(std::string(text));
}

TEST(SpinEditApply, TheDelayDependsOnTheTextAndOnHowTheApplyIsGiven)
{
    struct Row {
        std::string_view text;
        std::int32_t byKey;
        std::int32_t byClick;
        std::string_view shownAfterClick;
    };
    const Row rows[] = {
        {"12", 12, 12, "12"}, {"+7", 7, 7, "+7"}, {"07", 7, 7, "07"}, {"0", 5, 1, "1"}, {"00", 5, 1, "1"},
        {"-0", 5, 1, "1"},    {"-5", 5, 1, "1"},  {"", 1, 1, ""},     {"-", 1, 1, "-"}, {"+", 1, 1, "+"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(DelayByKey(row.text), row.byKey);
        const std::string shown = TextAfterClick(row.text);
        EXPECT_EQ(shown, row.shownAfterClick);
        EXPECT_EQ(DelayByKey(shown), row.byClick);
    }
}

}  // namespace
