#include "core/IntText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>

namespace {

using core::ParseInt32;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct Parsed {
    std::string_view text;
    std::int32_t value;
};

TEST(IntText, AcceptedTextsGiveTheirNumber)
{
    const Parsed rows[] = {
        {"0", 0},
        {"7", 7},
        {"12", 12},
        {"258", 258},
        {"07", 7},
        {"00", 0},
        {"-0", 0},
        {"+5", 5},
        {"-5", -5},
        {"-3", -3},
        {" 7", 7},
        {"   42", 42},
        {" -1", -1},
        {"0000000000012", 12},
        {"2147483647", kMax},
        {"+2147483647", kMax},
        {"-2147483648", kMin},
        {"$C", 12},
        {"$c", 12},
        {"0xa", 10},
        {"$0", 0},
        {"0x9", 9},
        {"0X1f", 31},
        {"0x0", 0},
        {"x10", 16},
        {"X10", 16},
        {"xAbCdEf", 0xABCDEF},
        {" $A", 10},
        {"$7FFFFFFF", kMax},
        {"$80000000", kMin},
        {"$FFFFFFFF", -1},
        {"0xffffffff", -1},
        {"$000000000FF", 255},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ParseInt32(row.text), row.value);
    }
}

TEST(IntText, SignBeforeHexChangesNothing)
{
    const Parsed rows[] = {
        {"-$1", 1}, {"-0x10", 16}, {"+$10", 16}, {"-x9", 9}, {" -$FFFFFFFF", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ParseInt32(row.text), row.value);
    }
}

TEST(IntText, MalformedTextsDoNotParse)
{
    const std::string_view rows[] = {
        "",
        " ",
        "   ",
        "+",
        "-",
        "$",
        "x",
        "X",
        "0x",
        "0X",
        "-$",
        "+0x",  // sign or prefix without digits
        "7 ",
        " 7 ",
        "\t7",
        "7\t",  // only leading spaces are allowed
        "abc",
        "yes",
        "1.5",
        "1,5",
        "1e3",
        "0b1",
        "1-",
        "--1",
        "+-1",
        "- 1",
        "-+1",
        "$-1",
        "0x-1",
        "0x 1",
        "$+1",
        "00x1",
        "0$1",
        "$$1",
        "0xx1",
        "0x1G",
        "$G",
        "12a",
        "\xEF\xBC\x91",              // full-width digit one
        std::string_view("7\0", 2),  // a NUL is just another character here
    };
    for (const auto text : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        EXPECT_EQ(ParseInt32(text), std::nullopt);
    }
}

TEST(IntText, NumbersBeyond32BitsDoNotParse)
{
    const std::string_view rows[] = {
        "2147483648",  "+2147483648",
        "-2147483649", "4294967295",
        "4294967296",  "99999999999999999999999999",
        "$100000000",  "0x100000000",
        "-$100000000", "$FFFFFFFFFFFFFFFFFFFF",
    };
    for (const auto text : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseInt32(text), std::nullopt);
    }
}

}  // namespace
