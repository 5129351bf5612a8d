#include <gtest/gtest.h>

#include <string>

#include "core/ReadOut.h"

using core::Point;

namespace {

struct ReadOutCase {
    const char* situation;
    Point pointer, selStart, selEnd;
    const char* text;
};

const ReadOutCase kReadOuts[] = {
    {"drag from (10, 20) to (4, 30)", {4, 30}, {10, 20}, {4, 30}, "X : 4 Y : 30 W : 6 H : 10"},
    {"no selection", {5, 7}, {0, 0}, {0, 0}, "X : 5 Y : 7 W : 0 H : 0"},
    {"selection shown", {50, 60}, {30, 10}, {99, 40}, "X : 50 Y : 60 W : 69 H : 30"},
    {"drag past the top-left", {-12, -3}, {8, 4}, {-12, -3}, "X : -12 Y : -3 W : 20 H : 7"},
    {"move of the worked example", {120, 10}, {30, 40}, {120, 10}, "X : 120 Y : 10 W : 90 H : 30"},
};

TEST(ReadOut, ShowsThePointerAndTheSizeOfTheSelection)
{
    for (const ReadOutCase& c : kReadOuts) {
        EXPECT_EQ(core::ReadOutText(c.pointer, c.selStart, c.selEnd), c.text) << c.situation;
    }
}

TEST(CopyCaption, NamesTheSelectionWhenThereIsOne)
{
    EXPECT_EQ(core::CopyCaption(true), "選択範囲をクリップボードへコピー(&C)");
}

TEST(CopyCaption, NamesTheWholePictureOtherwise)
{
    EXPECT_EQ(core::CopyCaption(false), "全体をクリップボードへコピー(&C)");
}

TEST(ShotCaption, IsShotFollowedByTheNumber)
{
    EXPECT_EQ(core::ShotCaption(1), "Shot:1");
    EXPECT_EQ(core::ShotCaption(42), "Shot:42");
}

}  // namespace
