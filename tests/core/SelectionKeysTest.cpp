// The arrow keys on a shown selection: moves and resizes that stop at the picture's edges,
// with the frame following in the pixels.
#include <gtest/gtest.h>

#include "SelectionSupport.h"

using namespace selectiontest;

namespace {

constexpr std::int32_t kWidth = 40, kHeight = 30;

struct KeyCase {
    const char* what;
    bool resize;
    std::int32_t dx, dy;
    Point start, end;  // the selection afterwards, from (10, 8)-(20, 14)
};

const KeyCase kCases[] = {
    {"right by one", false, 1, 0, {11, 8}, {21, 14}},
    {"up by ten", false, 0, -10, {10, 0}, {20, 6}},
    {"left past the edge", false, -25, 0, {0, 8}, {10, 14}},
    {"down past the edge", false, 0, 100, {10, 24}, {20, 30}},
    {"wider by ten", true, 10, 0, {10, 8}, {30, 14}},
    {"wider past the edge", true, 100, 0, {10, 8}, {40, 14}},
    {"lower past the edge", true, 0, 30, {10, 8}, {20, 30}},
    {"narrower past nothing", true, -30, 0, {10, 8}, {10, 14}},
    {"shorter by one", true, 0, -1, {10, 8}, {20, 13}},
};

TEST(SelectionKeys, MovesAndResizesStopAtThePicturesEdgesWithTheFrameFollowing)
{
    for (const KeyCase& c : kCases) {
        const PixelGrid original = Pattern(kWidth, kHeight);
        PixelGrid picture = original;
        Selection selection(picture, kWidth, kHeight);
        selection.Press({10, 8});
        selection.Move({20, 14});
        selection.Release();
        EXPECT_TRUE(c.resize ? selection.ResizeBy(c.dx, c.dy) : selection.MoveBy(c.dx, c.dy)) << c.what;
        EXPECT_EQ(selection.Start(), c.start) << c.what;
        EXPECT_EQ(selection.End(), c.end) << c.what;
        EXPECT_TRUE(selection.Selected()) << c.what;
        EXPECT_EQ(picture, WithFrame(original, c.start, c.end)) << c.what;
    }
}

TEST(SelectionKeys, NothingMovesWithoutAShownSelectionOrAgainstAnEdge)
{
    PixelGrid picture = Pattern(kWidth, kHeight);
    const PixelGrid original = picture;
    Selection selection(picture, kWidth, kHeight);
    EXPECT_FALSE(selection.MoveBy(1, 0));
    EXPECT_FALSE(selection.ResizeBy(1, 0));
    selection.Press({3, 3});
    selection.Move({9, 9});
    EXPECT_FALSE(selection.MoveBy(1, 0));  // mid-drag the mouse has it
    EXPECT_EQ(selection.End(), (Point{9, 9}));
    selection.Release();
    selection.SelectAll();
    EXPECT_FALSE(selection.MoveBy(-1, 0));
    EXPECT_FALSE(selection.MoveBy(0, 10));
    EXPECT_FALSE(selection.ResizeBy(1, 1));
    EXPECT_EQ(picture, WithFrame(original, {0, 0}, {kWidth, kHeight}));
}

}  // namespace
