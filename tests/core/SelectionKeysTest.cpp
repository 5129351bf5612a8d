// The arrow keys on a shown selection: moves and resizes that stop at the picture's edges,
// with the frame following in the pixels.
#include <gtest/gtest.h>

#include "SelectionSupport.h"

using namespace selectiontest;

namespace {

constexpr std::int32_t kWidth = 40, kHeight = 30;

using core::Arrow;

struct KeyCase {
    const char* what;
    Arrow arrow;
    bool ctrl, shift;
    int presses;
    Point start, end;  // the selection afterwards, from (10, 8)-(20, 14)
};

const KeyCase kCases[] = {
    {"right by one", Arrow::Right, false, false, 1, {11, 8}, {21, 14}},
    {"up by ten to the edge", Arrow::Up, true, false, 2, {10, 0}, {20, 6}},
    {"left to the edge", Arrow::Left, true, false, 2, {0, 8}, {10, 14}},
    {"down to the edge", Arrow::Down, false, false, 20, {10, 24}, {20, 30}},
    {"right to the edge", Arrow::Right, false, false, 20, {30, 8}, {40, 14}},
    {"wider by ten", Arrow::Right, true, true, 1, {10, 8}, {30, 14}},
    {"wider to the edge", Arrow::Right, true, true, 3, {10, 8}, {40, 14}},
    {"lower to the edge", Arrow::Down, false, true, 17, {10, 8}, {20, 30}},
    {"narrower to nothing", Arrow::Left, true, true, 2, {10, 8}, {10, 14}},
    {"shorter by one", Arrow::Up, false, true, 1, {10, 8}, {20, 13}},
    {"shorter to nothing", Arrow::Up, true, true, 2, {10, 8}, {20, 8}},
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
        // The first press changes the selection, and says so (the status bar's read-out follows).
        for (int i = 0; i < c.presses; ++i) {
            const bool changed = selection.ArrowKey(c.arrow, c.ctrl, c.shift);
            if (i == 0) {
                EXPECT_TRUE(changed) << c.what;
            }
        }
        if (c.presses > 1) {
            EXPECT_FALSE(selection.ArrowKey(c.arrow, c.ctrl, c.shift)) << c.what << ": at the edge";
        }
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
    EXPECT_FALSE(selection.ResizeBy(1, 0));
    EXPECT_EQ(selection.End(), (Point{9, 9}));
    selection.Release();
    selection.SelectAll();
    EXPECT_FALSE(selection.MoveBy(-1, 0));
    EXPECT_FALSE(selection.MoveBy(1, 0));
    EXPECT_FALSE(selection.MoveBy(0, 10));
    EXPECT_FALSE(selection.ResizeBy(1, 1));
    EXPECT_EQ(picture, WithFrame(original, {0, 0}, {kWidth, kHeight}));
}

}  // namespace
