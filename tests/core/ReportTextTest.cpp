#include "core/AppError.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using core::ReportText;

struct Report {
    std::string_view message;
    std::string_view text;
};

TEST(ReportText, AddsAFullStopOnlyAfterCharactersThatSortAfterIt)
{
    const Report rows[] = {
        {"システム リソースが足りません", "システム リソースが足りません."},
        {"'CapTime' のデータ型が不正です", "'CapTime' のデータ型が不正です."},
        {"お知らせ。", "お知らせ。."},  // a Japanese full stop is still after "."
        {"abc", "abc."},
        {"a/", "a/."},  // "/" is the character right after "."
        {"1", "1."},
        {"abc.", "abc."},
        {"a!", "a!"},
        {"a-", "a-"},  // "-" is the character right before "."
        {"a ", "a "},
        {"", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        EXPECT_EQ(ReportText(row.message), row.text);
    }
}

}  // namespace
