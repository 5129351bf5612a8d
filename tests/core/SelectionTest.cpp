// The selection on a picture in memory: drags, Select all, Cancel, and what each leaves in the pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "SelectionSupport.h"

using namespace selectiontest;

namespace {

class SelectionOnPicture : public ::testing::Test {
protected:
    static constexpr std::int32_t kWidth = 100;
    static constexpr std::int32_t kHeight = 80;
    const PixelGrid original = Pattern(kWidth, kHeight);
    PixelGrid picture = original;
    Selection selection{picture, kWidth, kHeight};

    void Drag(Point from, Point to)
    {
        selection.Press(from);
        selection.Move(to);
        selection.Release();
    }
};

TEST_F(SelectionOnPicture, StartsWithNoSelectionAndAnUntouchedPicture)
{
    EXPECT_FALSE(selection.Dragging());
    EXPECT_FALSE(selection.Selected());
    EXPECT_TRUE(PictureMatchesState(original, picture, selection));
}

TEST_F(SelectionOnPicture, DragPastTheRightEdgeEndsAtTheWidthAndFramesTheLastColumn)
{
    // Press at (30, 40), move to (120, 10), release.
    selection.Press({30, 40});
    selection.Move({120, 10});
    EXPECT_TRUE(Same(picture, WithFrame(original, {30, 40}, {120, 10})));

    selection.Release();

    EXPECT_EQ(selection.Start(), (Point{30, 10}));
    EXPECT_EQ(selection.End(), (Point{100, 40}));
    EXPECT_TRUE(selection.Selected());
    EXPECT_FALSE(selection.Dragging());
    EXPECT_TRUE(Same(picture, WithFrame(original, {30, 10}, {100, 40})));
    EXPECT_NE(picture.At(99, 20), original.At(99, 20));
}

// The edits act on a shown selection with pixels in it, never on a drag under way.
TEST_F(SelectionOnPicture, OnlyAReleasedSelectionWithPixelsHasAnAreaToEdit)
{
    selection.Press({10, 10});
    selection.Move({30, 20});
    EXPECT_FALSE(selection.HasArea());
    selection.Release();
    EXPECT_TRUE(selection.HasArea());
    Drag({40, 10}, {40, 30});
    EXPECT_FALSE(selection.HasArea());
}

TEST_F(SelectionOnPicture, DragPastTheBottomEdgeEndsAtTheHeight)
{
    Drag({5, 70}, {20, 500});
    EXPECT_EQ(selection.Start(), (Point{5, 70}));
    EXPECT_EQ(selection.End(), (Point{20, 80}));
    EXPECT_TRUE(Same(picture, WithFrame(original, {5, 70}, {20, 80})));
}

TEST_F(SelectionOnPicture, DragPastTheLeftAndTopEdgesStartsAtZero)
{
    Drag({10, 12}, {-7, -3});
    EXPECT_EQ(selection.Start(), (Point{0, 0}));
    EXPECT_EQ(selection.End(), (Point{10, 12}));
    EXPECT_TRUE(Same(picture, WithFrame(original, {0, 0}, {10, 12})));
    EXPECT_NE(picture.At(0, 5), original.At(0, 5));
}

TEST_F(SelectionOnPicture, ClickWithoutMovingSelectsAnEmptyAreaAndDrawsNothing)
{
    selection.Press({30, 40});
    selection.Release();
    EXPECT_TRUE(selection.Selected());
    EXPECT_EQ(selection.Start(), (Point{30, 40}));
    EXPECT_EQ(selection.End(), (Point{30, 40}));
    EXPECT_TRUE(Same(picture, original));
}

TEST_F(SelectionOnPicture, DragEndingOnTheLastColumnIsKeptAsItIs)
{
    Drag({10, 10}, {kWidth - 1, 30});
    EXPECT_EQ(selection.End(), (Point{kWidth - 1, 30}));
    EXPECT_TRUE(Same(picture, WithFrame(original, {10, 10}, {kWidth - 1, 30})));
    EXPECT_EQ(picture.At(kWidth - 1, 10), original.At(kWidth - 1, 10));
}

TEST_F(SelectionOnPicture, DragTowardsTheTopLeftExchangesTheCornersAtTheRelease)
{
    selection.Press({50, 60});
    selection.Move({20, 25});
    EXPECT_EQ(selection.Start(), (Point{50, 60}));
    EXPECT_EQ(selection.End(), (Point{20, 25}));
    selection.Release();
    EXPECT_EQ(selection.Start(), (Point{20, 25}));
    EXPECT_EQ(selection.End(), (Point{50, 60}));
    EXPECT_TRUE(Same(picture, WithFrame(original, {20, 25}, {50, 60})));
}

TEST_F(SelectionOnPicture, FrameFollowsThePointerLeavingNoTrail)
{
    selection.Press({10, 10});
    for (std::int32_t i = 0; i < 40; ++i) {
        selection.Move({10 + i * 3 - 30, 10 + i * 2 - 15});
        ASSERT_TRUE(PictureMatchesState(original, picture, selection)) << "move " << i;
    }
}

TEST_F(SelectionOnPicture, SelectAllFramesTheWholePicture)
{
    selection.SelectAll();
    EXPECT_EQ(selection.Start(), (Point{0, 0}));
    EXPECT_EQ(selection.End(), (Point{kWidth, kHeight}));
    EXPECT_TRUE(selection.Selected());
    EXPECT_TRUE(Same(picture, WithFrame(original, {0, 0}, {kWidth, kHeight})));
}

TEST_F(SelectionOnPicture, SelectAllTwiceLeavesOneFrame)
{
    selection.SelectAll();
    selection.SelectAll();
    EXPECT_TRUE(Same(picture, WithFrame(original, {0, 0}, {kWidth, kHeight})));
}

TEST_F(SelectionOnPicture, SelectAllReplacesAShownSelection)
{
    Drag({10, 10}, {40, 30});
    selection.SelectAll();
    EXPECT_TRUE(Same(picture, WithFrame(original, {0, 0}, {kWidth, kHeight})));
}

TEST_F(SelectionOnPicture, SelectAllAfterABackwardDragOverTheWholePictureNormalisesTheCorners)
{
    selection.Press({kWidth, kHeight});
    selection.Move({0, 0});
    selection.SelectAll();
    EXPECT_EQ(selection.Start(), (Point{0, 0}));
    EXPECT_EQ(selection.End(), (Point{kWidth, kHeight}));
    EXPECT_TRUE(Same(picture, WithFrame(original, {0, 0}, {kWidth, kHeight})));
}

TEST_F(SelectionOnPicture, PressWhileASelectionIsShownRestoresThePicture)
{
    Drag({10, 10}, {40, 30});
    selection.Press({60, 70});
    EXPECT_TRUE(selection.Dragging());
    EXPECT_FALSE(selection.Selected());
    EXPECT_EQ(selection.Start(), (Point{60, 70}));
    EXPECT_TRUE(Same(picture, original));
}

TEST_F(SelectionOnPicture, CancelRemovesTheFrameAndZeroesTheCorners)
{
    Drag({10, 10}, {40, 30});
    selection.Cancel();
    EXPECT_FALSE(selection.Selected());
    EXPECT_EQ(selection.Start(), (Point{0, 0}));
    EXPECT_EQ(selection.End(), (Point{0, 0}));
    EXPECT_TRUE(Same(picture, original));
}

TEST_F(SelectionOnPicture, CancelWithNothingSelectedLeavesThePicture)
{
    selection.Cancel();
    EXPECT_TRUE(Same(picture, original));
    EXPECT_FALSE(selection.Selected());
}

TEST_F(SelectionOnPicture, SecondPressDuringADragRemovesTheDraggedFrame)
{
    selection.Press({10, 10});
    selection.Move({40, 30});
    selection.Press({70, 60});
    EXPECT_TRUE(selection.Dragging());
    EXPECT_EQ(selection.Start(), (Point{70, 60}));
    EXPECT_EQ(selection.End(), (Point{70, 60}));
    EXPECT_TRUE(Same(picture, original));
}

TEST_F(SelectionOnPicture, SelectAllDuringADragEndsTheDragAndFramesOnlyThePicture)
{
    selection.Press({10, 10});
    selection.Move({40, 30});
    selection.SelectAll();
    EXPECT_FALSE(selection.Dragging());
    EXPECT_TRUE(selection.Selected());
    EXPECT_TRUE(Same(picture, WithFrame(original, {0, 0}, {kWidth, kHeight})));
    selection.Move({50, 50});
    selection.Release();
    EXPECT_EQ(selection.End(), (Point{kWidth, kHeight}));
    EXPECT_TRUE(Same(picture, WithFrame(original, {0, 0}, {kWidth, kHeight})));
}

TEST_F(SelectionOnPicture, CancelDuringADragEndsTheDragAndRestoresThePicture)
{
    selection.Press({10, 10});
    selection.Move({40, 30});
    selection.Cancel();
    EXPECT_FALSE(selection.Dragging());
    EXPECT_FALSE(selection.Selected());
    EXPECT_TRUE(Same(picture, original));
    selection.Move({50, 50});
    selection.Release();
    EXPECT_FALSE(selection.Selected());
    EXPECT_TRUE(Same(picture, original));
}

TEST_F(SelectionOnPicture, MoveAndReleaseWithoutADragChangeNothing)
{
    Drag({10, 10}, {40, 30});
    const PixelGrid shown = picture;
    selection.Move({70, 70});
    selection.Release();
    EXPECT_EQ(selection.Start(), (Point{10, 10}));
    EXPECT_EQ(selection.End(), (Point{40, 30}));
    EXPECT_TRUE(Same(picture, shown));
}

TEST_F(SelectionOnPicture, OnePixelWideDragIsRemovedCompletely)
{
    selection.Press({20, 5});
    selection.Move({21, 50});
    EXPECT_TRUE(Same(picture, WithFrame(original, {20, 5}, {21, 50})));
    selection.Move({60, 6});
    EXPECT_TRUE(Same(picture, WithFrame(original, {20, 5}, {60, 6})));
    selection.Cancel();
    EXPECT_TRUE(Same(picture, original));
}

}  // namespace
