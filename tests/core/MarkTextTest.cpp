// The marks of a kept shot as text: written, read back, and lines that are no mark refused.
#include "core/MarkText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using core::Mark;
using core::MarkKind;

Mark Make(MarkKind kind, core::Point a, core::Point b, std::uint32_t colour, std::int32_t width,
          std::u16string text = {}, std::int32_t value = 0)
{
    Mark mark;
    mark.kind = kind;
    mark.a = a;
    mark.b = b;
    mark.style = {colour, width};
    mark.text = std::move(text);
    mark.value = value;
    return mark;
}

TEST(MarkText, EachKindIsOneLineAndReadsBackAsItWas)
{
    const std::vector<Mark> marks = {
        Make(MarkKind::Arrow, {10, 20}, {-30, 40}, 0xFF0000, 4),
        Make(MarkKind::Box, {0, 0}, {65536, -65536}, 0x00FF7F, 8),
        Make(MarkKind::Text, {5, 6}, {55, 26}, 0xFFFFFF, 2, u"図A\n1"),
        Make(MarkKind::Number, {100, 200}, {100, 200}, 0x0000FF, 4, {}, 12),
        Make(MarkKind::Highlighter, {1, 2}, {3, 4}, 0x99FF09, 4),
    };
    const std::string text = core::FormatMarks(marks);
    EXPECT_EQ(text,
              "arrow 10 20 -30 40 ff0000 4\n"
              "box 0 0 65536 -65536 00ff7f 8\n"
              "text 5 6 55 26 ffffff 2 56f30041000a0031\n"
              "number 100 200 100 200 0000ff 4 12\n"
              "highlighter 1 2 3 4 99ff09 4\n");
    EXPECT_EQ(core::ParseMarks(text), marks);
}

TEST(MarkText, NoMarksIsNoTextAndAMarkThatPlacesNothingIsLeftOut)
{
    EXPECT_EQ(core::FormatMarks({}), "");
    EXPECT_EQ(core::ParseMarks(""), std::vector<Mark>{});
    EXPECT_EQ(core::FormatMarks({Make(MarkKind::Text, {1, 1}, {2, 2}, 0xFF0000, 4)}), "");
}

TEST(MarkText, ALineThatIsNoWholeMarkOfItsRangeRefusesTheWholeText)
{
    const char* bad[] = {
        "arrow 10 20 30 40 ff0000 4",       // no newline at the end
        "arrows 10 20 30 40 ff0000 4\n",    // no such kind
        "Arrow 10 20 30 40 ff0000 4\n",     // kinds are lower case
        "arrow 10 20 30 ff0000 4\n",        // a number short
        "arrow 10 20 30 40 ff0000 4 1\n",   // a word too many
        "arrow 10 20 30 40 ff0000 4 \n",    // a trailing blank
        "arrow 10  20 30 40 ff0000 4\n",    // two blanks
        "arrow 010 20 30 40 ff0000 4\n",    // a leading zero
        "arrow -0 20 30 40 ff0000 4\n",     // minus zero
        "arrow -05 20 30 40 ff0000 4\n",    // a leading zero after the sign
        "arrow +1 20 30 40 ff0000 4\n",     // a plus sign
        "arrow 65537 20 30 40 ff0000 4\n",  // further than a mark may reach
        "arrow 10 -65537 30 40 ff0000 4\n",
        "arrow 10 20 30 40 FF0000 4\n",  // colours are lower case
        "arrow 10 20 30 40 ff000 4\n",   // five digits
        "arrow 10 20 30 40 ff0000g 4\n",
        "arrow 10 20 30 40 ff0000 0\n",   // no width
        "arrow 10 20 30 40 ff0000 65\n",  // wider than any
        "number 1 1 1 1 ff0000 4\n",      // a number without its value
        "number 1 1 1 1 ff0000 4 0\n",      "number 1 1 1 1 ff0000 4 100000\n",
        "text 1 1 9 9 ff0000 4\n",      // a text without its letters
        "text 1 1 9 9 ff0000 4 004\n",  // a code unit cut short
        "text 1 1 9 9 ff0000 4 00G1\n",     "text 1 1 9 9 ff0000 4 00g1\n",
        "box 1 1 9 9 ff0000 4\n\n",  // an empty line
        "box 1 1 9 9 ff0000 4\r\n",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_EQ(core::ParseMarks(text), std::nullopt);
        EXPECT_EQ(core::ParseMarks(std::string("box 1 1 2 2 ff0000 4\n") + text), std::nullopt);
    }
}

TEST(MarkText, TheEdgesOfEachRangeAreTaken)
{
    const auto marks = core::ParseMarks(
        "arrow -65536 65536 0 0 000000 1\n"
        "number 0 0 0 0 ffffff 64 99999\n"
        "number 0 0 0 0 ffffff 64 1\n");
    ASSERT_TRUE(marks);
    ASSERT_EQ(marks->size(), 3u);
    EXPECT_EQ((*marks)[0].a, (core::Point{-65536, 65536}));
    EXPECT_EQ((*marks)[0].style, (core::MarkStyle{0x000000, 1}));
    EXPECT_EQ((*marks)[1].style, (core::MarkStyle{0xFFFFFF, 64}));
    EXPECT_EQ((*marks)[1].value, 99999);
    EXPECT_EQ((*marks)[2].value, 1);
}

}  // namespace
