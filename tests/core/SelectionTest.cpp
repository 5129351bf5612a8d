#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/Selection.h"

#include "PixelGrid.h"

using testsupport::PixelGrid;
using core::Point;
using core::Selection;

namespace {

// A picture in which every pixel differs from its neighbours, so a frame in
// the wrong place cannot look right by accident.
PixelGrid Pattern(std::int32_t width, std::int32_t height)
{
    PixelGrid picture(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            picture.At(x, y) = (0x9E3779B9u * static_cast<std::uint32_t>(y * 1000 + x + 1)) ^ 0x00FF00FFu;
        }
    }
    return picture;
}

// The picture as it must look: the original, with the ring of the rectangle
// spanned by the two corners inverted where it lies in the picture. Worked
// out pixel by pixel from what a ring is.
PixelGrid WithFrame(const PixelGrid& original, Point a, Point b)
{
    PixelGrid expected = original;
    const std::int32_t left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const std::int32_t top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    for (std::int32_t y = 0; y < original.Height(); ++y) {
        for (std::int32_t x = 0; x < original.Width(); ++x) {
            const bool inside = x >= left && x < right && y >= top && y < bottom;
            const bool onEdge = x == left || x == right - 1 || y == top || y == bottom - 1;
            if (inside && onEdge) {
                expected.At(x, y) = ~expected.At(x, y);
            }
        }
    }
    return expected;
}

// Equal pictures, or where the first difference is.
::testing::AssertionResult Same(const PixelGrid& picture, const PixelGrid& expected)
{
    if (picture.Width() != expected.Width() || picture.Height() != expected.Height()) {
        return ::testing::AssertionFailure() << "pictures of different sizes";
    }
    for (std::int32_t y = 0; y < picture.Height(); ++y) {
        for (std::int32_t x = 0; x < picture.Width(); ++x) {
            if (picture.At(x, y) != expected.At(x, y)) {
                return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

std::string Describe(const Selection& s)
{
    return "start (" + std::to_string(s.Start().x) + ", " + std::to_string(s.Start().y) + "), end (" +
           std::to_string(s.End().x) + ", " + std::to_string(s.End().y) + "), dragging " +
           std::to_string(s.Dragging()) + ", selected " + std::to_string(s.Selected());
}

// The picture holds exactly the frame the selection's state accounts for.
::testing::AssertionResult PictureMatchesState(const PixelGrid& original, const PixelGrid& picture, const Selection& s)
{
    if (s.Dragging() && s.Selected()) {
        return ::testing::AssertionFailure() << "dragging and selected at once: " << Describe(s);
    }
    if (!s.Dragging() && !s.Selected()) {
        if (s.Start() != Point{0, 0} || s.End() != Point{0, 0}) {
            return ::testing::AssertionFailure() << "no selection but corners not 0: " << Describe(s);
        }
        if (picture != original) {
            return ::testing::AssertionFailure() << "no selection but the picture is changed: " << Describe(s);
        }
        return ::testing::AssertionSuccess();
    }
    if (picture != WithFrame(original, s.Start(), s.End())) {
        return ::testing::AssertionFailure() << "picture does not hold exactly the frame of " << Describe(s);
    }
    return ::testing::AssertionSuccess();
}

// Counts and records the frames handed to the picture.
class RecordingSurface : public core::FrameSurface {
public:
    void InvertFrame(Point a, Point b) override { calls.emplace_back(a, b); }
    std::vector<std::pair<Point, Point>> calls;
};

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

TEST(SelectionCalls, MoveSwapsTheOldFrameForTheNewOne)
{
    RecordingSurface surface;
    Selection s(surface, 100, 80);
    s.Press({10, 20});
    EXPECT_TRUE(surface.calls.empty());
    s.Move({30, 40});
    s.Move({35, 45});
    using Call = std::pair<Point, Point>;
    const std::vector<Call> expected{
        {{10, 20}, {10, 20}}, {{10, 20}, {30, 40}}, {{10, 20}, {30, 40}}, {{10, 20}, {35, 45}}};
    EXPECT_EQ(surface.calls, expected);
}

TEST(SelectionCalls, MoveToTheSamePointDrawsNothing)
{
    RecordingSurface surface;
    Selection s(surface, 100, 80);
    s.Press({10, 20});
    s.Move({30, 40});
    surface.calls.clear();
    s.Move({30, 40});
    EXPECT_TRUE(surface.calls.empty());
}

TEST(SelectionCalls, ReleaseInsideThePictureDrawsNothing)
{
    RecordingSurface surface;
    Selection s(surface, 100, 80);
    s.Press({50, 60});
    s.Move({20, 25});
    surface.calls.clear();
    s.Release();
    EXPECT_TRUE(surface.calls.empty());
}

TEST(SelectionCalls, ReleaseThatClampsRemovesThenRedraws)
{
    RecordingSurface surface;
    Selection s(surface, 100, 80);
    s.Press({30, 40});
    s.Move({120, 10});
    surface.calls.clear();
    s.Release();
    using Call = std::pair<Point, Point>;
    const std::vector<Call> expected{{{30, 10}, {120, 40}}, {{30, 10}, {100, 40}}};
    EXPECT_EQ(surface.calls, expected);
}

TEST(SelectionCalls, CancelWithNothingSelectedDrawsNothing)
{
    RecordingSurface surface;
    Selection s(surface, 100, 80);
    s.Cancel();
    EXPECT_TRUE(surface.calls.empty());
}

TEST(SelectionCalls, SelectAllOverTheSameFrameDrawsNothing)
{
    RecordingSurface surface;
    Selection s(surface, 100, 80);
    s.SelectAll();
    EXPECT_EQ(surface.calls.size(), 1u);
    s.SelectAll();
    EXPECT_EQ(surface.calls.size(), 1u);
}

// Pictures of several shapes, including the thin and the empty ones.
class SelectionSequences : public ::testing::TestWithParam<std::pair<std::int32_t, std::int32_t>> {};

TEST_P(SelectionSequences, PictureAlwaysHoldsExactlyTheFrameOfTheState)
{
    const auto [width, height] = GetParam();
    const PixelGrid original = Pattern(width, height);
    PixelGrid picture = original;
    Selection s(picture, width, height);

    std::uint32_t seed = 12345u + static_cast<std::uint32_t>(width * 31 + height);
    const auto next = [&seed](std::uint32_t bound) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % bound;
    };
    // From 3 before the picture to 3 past it, so points on and beyond every edge occur.
    const auto coordinate = [&next](std::int32_t size) {
        return static_cast<std::int32_t>(next(static_cast<std::uint32_t>(size) + 7u)) - 3;
    };

    for (int step = 0; step < 4000; ++step) {
        const Point p{coordinate(width), coordinate(height)};
        const std::uint32_t roll = next(20);
        const char* event = "";
        if (roll < 3) {
            event = "press";
            s.Press(p);
        } else if (roll < 14) {
            event = "move";
            s.Move(p);
        } else if (roll < 17) {
            event = "release";
            s.Release();
        } else if (roll < 19) {
            event = "select all";
            s.SelectAll();
        } else {
            event = "cancel";
            s.Cancel();
        }
        ASSERT_TRUE(PictureMatchesState(original, picture, s))
            << "after step " << step << " (" << event << " at " << p.x << ", " << p.y << ")";
        if (s.Selected()) {
            ASSERT_LE(0, s.Start().x);
            ASSERT_LE(0, s.Start().y);
            ASSERT_LE(s.Start().x, s.End().x);
            ASSERT_LE(s.Start().y, s.End().y);
            ASSERT_LE(s.End().x, width);
            ASSERT_LE(s.End().y, height);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PictureShapes, SelectionSequences,
                         ::testing::Values(std::pair{13, 9}, std::pair{1, 1}, std::pair{1, 7}, std::pair{7, 1},
                                           std::pair{2, 2}, std::pair{40, 3}, std::pair{0, 0}),
                         [](const auto& info) {
                             return std::to_string(info.param.first) + "x" + std::to_string(info.param.second);
                         });

TEST(SelectionThinFrames, DrawingAThinFrameTwiceRestoresThePicture)
{
    const PixelGrid original = Pattern(6, 5);
    for (const auto& [a, b] : std::vector<std::pair<Point, Point>>{
             {{2, 1}, {3, 4}}, {{0, 2}, {6, 3}}, {{4, 4}, {5, 5}}, {{5, 0}, {6, 5}}, {{-2, 3}, {9, 4}}}) {
        PixelGrid picture = original;
        picture.InvertFrame(a, b);
        EXPECT_TRUE(Same(picture, WithFrame(original, a, b))) << a.x << "," << a.y << " " << b.x << "," << b.y;
        picture.InvertFrame(b, a);
        EXPECT_TRUE(Same(picture, original)) << a.x << "," << a.y << " " << b.x << "," << b.y;
    }
}

}  // namespace
