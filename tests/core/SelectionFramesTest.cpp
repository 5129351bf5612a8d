// The frames the selection hands its picture, call by call, over random sequences of events,
// and for frames one pixel thin.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "SelectionSupport.h"

using namespace selectiontest;

namespace {

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

TEST(SelectionCalls, SelectAllOverABackwardDragAlreadyCoveringThePictureDrawsNothing)
{
    RecordingSurface surface;
    Selection s(surface, 100, 80);
    s.Press({100, 80});
    s.Move({0, 0});
    surface.calls.clear();
    s.SelectAll();
    EXPECT_TRUE(surface.calls.empty()) << "the same frame was taken out and put back";
    EXPECT_EQ(s.End(), (Point{100, 80}));
}

// A picture given a negative size is an empty one: nothing to frame, every corner at 0.
TEST(SelectionCalls, MadeWithANegativeSizeSelectsNothingBeyondTheOrigin)
{
    RecordingSurface surface;
    Selection s(surface, -5, -3);
    s.Press({4, 2});
    s.Move({-2, 7});
    s.Release();
    EXPECT_EQ(s.Start(), (Point{0, 0}));
    EXPECT_EQ(s.End(), (Point{0, 0}));
    s.SelectAll();
    EXPECT_EQ(s.End(), (Point{0, 0}));
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
