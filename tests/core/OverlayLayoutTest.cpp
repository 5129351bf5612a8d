// Where the region overlay puts the magnifier and the size label, what it dims, and what a
// move repaints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/OverlayLayout.h"

using core::OverlayView;
using core::Point;
using core::Rect;
using core::Size;

namespace {

const Rect kMonitor{0, 0, 1280, 1024};
const Size kMagnifier{122, 160};

std::int64_t AreaOf(const std::vector<Rect>& parts)
{
    std::int64_t area = 0;
    for (const Rect& r : parts)
        area += std::int64_t{r.Width()} * r.Height();
    return area;
}

bool Covers(const Rect& r, Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// How many of `parts` hold the pixel.
int CountAt(const std::vector<Rect>& parts, Point p)
{
    return static_cast<int>(std::count_if(parts.begin(), parts.end(), [&](const Rect& r) { return Covers(r, p); }));
}

TEST(Subtract, LeavesTheRingAroundARectangleInside)
{
    const std::vector<Rect> parts = core::Subtract({0, 0, 10, 10}, {2, 3, 5, 7});
    EXPECT_EQ(parts, (std::vector<Rect>{{0, 0, 10, 3}, {0, 7, 10, 10}, {0, 3, 2, 7}, {5, 3, 10, 7}}));
}

TEST(Subtract, OfADisjointRectangleLeavesAllAndOfACoveringOneNothing)
{
    EXPECT_EQ(core::Subtract({0, 0, 10, 10}, {20, 20, 30, 30}), (std::vector<Rect>{{0, 0, 10, 10}}));
    EXPECT_EQ(core::Subtract({0, 0, 10, 10}, {-1, -1, 11, 11}), std::vector<Rect>{});
    EXPECT_EQ(core::Subtract({3, 3, 3, 9}, {0, 0, 1, 1}), std::vector<Rect>{});
}

TEST(Subtract, OfARectanglePastOneEdgeLeavesOnePart)
{
    EXPECT_EQ(core::Subtract({0, 0, 10, 10}, {5, -5, 20, 20}), (std::vector<Rect>{{0, 0, 5, 10}}));
    EXPECT_EQ(core::Subtract({0, 0, 10, 10}, {-5, 6, 20, 20}), (std::vector<Rect>{{0, 0, 10, 6}}));
}

TEST(Subtract, DimsEveryPixelOutsideOnceAndNoneInside)
{
    const Rect screen{-7, 0, 13, 11}, chosen{-3, 2, 4, 9};
    const std::vector<Rect> parts = core::Subtract(screen, chosen);
    for (int y = screen.top; y < screen.bottom; ++y)
        for (int x = screen.left; x < screen.right; ++x)
            ASSERT_EQ(CountAt(parts, {x, y}), Covers(chosen, {x, y}) ? 0 : 1) << x << ", " << y;
}

TEST(MonitorAt, IsTheMonitorHoldingThePointOrTheNearest)
{
    const std::vector<Rect> monitors{{0, 0, 1280, 1024}, {-1024, 0, 0, 768}};
    EXPECT_EQ(core::MonitorAt({-1, 0}, monitors, {}), (Rect{-1024, 0, 0, 768}));
    EXPECT_EQ(core::MonitorAt({0, 1023}, monitors, {}), (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(core::MonitorAt({-10, 900}, monitors, {}), (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(core::MonitorAt({-300, 800}, monitors, {}), (Rect{-1024, 0, 0, 768}));
    EXPECT_EQ(core::MonitorAt({5, 5}, {}, {1, 2, 3, 4}), (Rect{1, 2, 3, 4}));
}

struct PlaceCase {
    const char* where;
    Point pointer;
    Rect band;
    Rect monitor;
    Rect expected;
};

class MagnifierPlacement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(MagnifierPlacement, KeepsClearOfPointerAndBandOnTheMonitor)
{
    const PlaceCase& c = GetParam();
    const Rect placed = core::MagnifierPlace(c.pointer, kMagnifier, c.band, c.monitor);
    EXPECT_EQ(placed, c.expected) << c.where;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, MagnifierPlacement,
    ::testing::Values(
        PlaceCase{"mid-screen: right and below", {500, 500}, {}, kMonitor, {520, 520, 642, 680}},
        PlaceCase{"at the right edge: left and below", {1270, 500}, {}, kMonitor, {1128, 520, 1250, 680}},
        PlaceCase{"at the bottom: right and above", {500, 1020}, {}, kMonitor, {520, 840, 642, 1000}},
        PlaceCase{"at the bottom-right corner: left and above", {1279, 1023}, {}, kMonitor, {1137, 843, 1259, 1003}},
        PlaceCase{"at the top-left corner", {0, 0}, {}, kMonitor, {20, 20, 142, 180}},
        PlaceCase{"on a monitor at negative x, its right edge", {-5, 100}, {}, {-1024, 0, 0, 768},
                  {-147, 120, -25, 280}},
        PlaceCase{"dragging down-right: the band above-left stays clear", {600, 600}, {400, 400, 600, 600}, kMonitor,
                  {620, 620, 742, 780}},
        PlaceCase{"dragging up-left: below-right would cover the band, left and below is taken",
                  {400, 400}, {400, 400, 600, 600}, kMonitor, {258, 420, 380, 580}},
        PlaceCase{"a band to the corner: beside the band's far side", {1279, 1023}, {1200, 950, 1279, 1023},
                  kMonitor, {1058, 843, 1180, 1003}},
        PlaceCase{"dragging up-left near the left edge: above the pointer, not past the band", {100, 500},
                  {100, 500, 300, 600}, kMonitor, {120, 320, 242, 480}}));

TEST(MagnifierPlacement, WithNoRoomClearOfTheBandStillLeavesThePointerFree)
{
    const Point pointer{1279, 1023};
    const Rect placed = core::MagnifierPlace(pointer, kMagnifier, {0, 0, 1279, 1023}, kMonitor);
    EXPECT_EQ(placed, (Rect{1137, 864, 1259, 1024}));
}

TEST(MagnifierPlacement, OnAMonitorTooSmallGoesToTheFarCorner)
{
    const Rect tiny{0, 0, 150, 150};
    EXPECT_EQ(core::MagnifierPlace({10, 10}, kMagnifier, {}, tiny), (Rect{28, 0, 150, 160}));
}

TEST(MagnifiedSource, IsFifteenPixelsRoundThePointer)
{
    const core::MagnifiedPart part = core::MagnifiedSource({100, 200}, kMonitor);
    EXPECT_EQ(part.source, (Rect{93, 193, 108, 208}));
    EXPECT_EQ(part.offset, (Point{0, 0}));
}

TEST(MagnifiedSource, AtTheScreensCornersIsCutWhereTheScreenEnds)
{
    const core::MagnifiedPart topLeft = core::MagnifiedSource({-1024, 2}, {-1024, 0, 1280, 1024});
    EXPECT_EQ(topLeft.source, (Rect{-1024, 0, -1016, 10}));
    EXPECT_EQ(topLeft.offset, (Point{7, 5}));
    const core::MagnifiedPart bottomRight = core::MagnifiedSource({1279, 1023}, kMonitor);
    EXPECT_EQ(bottomRight.source, (Rect{1272, 1016, 1280, 1024}));
    EXPECT_EQ(bottomRight.offset, (Point{0, 0}));
}

TEST(MagnifiedSource, OfAScreenOfOnePixelIsThatPixel)
{
    const core::MagnifiedPart part = core::MagnifiedSource({0, 0}, {0, 0, 1, 1});
    EXPECT_EQ(part.source, (Rect{0, 0, 1, 1}));
    EXPECT_EQ(part.offset, (Point{7, 7}));
    EXPECT_TRUE(core::MagnifiedSource({0, 0}, {}).source.Empty());
}

TEST(LabelPlace, GoesBelowTheRectangleAtItsLeft)
{
    EXPECT_EQ(core::LabelPlace({100, 100, 300, 200}, {80, 20}, kMonitor), (Rect{100, 204, 180, 224}));
}

TEST(LabelPlace, AtTheBottomGoesAboveAndAtTheTopTooInside)
{
    EXPECT_EQ(core::LabelPlace({100, 900, 300, 1010}, {80, 20}, kMonitor), (Rect{100, 876, 180, 896}));
    EXPECT_EQ(core::LabelPlace({0, 0, 1280, 1024}, {80, 20}, kMonitor), (Rect{4, 4, 84, 24}));
}

TEST(LabelPlace, StaysOnTheMonitorAcross)
{
    EXPECT_EQ(core::LabelPlace({1250, 100, 1280, 200}, {80, 20}, kMonitor), (Rect{1200, 204, 1280, 224}));
    EXPECT_EQ(core::LabelPlace({-30, 100, 10, 200}, {80, 20}, kMonitor), (Rect{0, 204, 80, 224}));
}

TEST(ChosenFrame, IsTheRingJustOutsideTheRectangle)
{
    const std::vector<Rect> frame = core::ChosenFrame({10, 10, 13, 12});
    EXPECT_EQ(AreaOf(frame), 5 * 4 - 3 * 2);
    for (int y = 9; y < 13; ++y)
        for (int x = 9; x < 14; ++x)
            EXPECT_EQ(CountAt(frame, {x, y}), (x >= 10 && x < 13 && y >= 10 && y < 12) ? 0 : 1) << x << ", " << y;
    EXPECT_TRUE(core::ChosenFrame({}).empty());
}

TEST(Crosshair, IsARowAndAColumnSixtyFourPixelsEitherSideOfThePointer)
{
    EXPECT_EQ(core::Crosshair({500, 600}, {0, 0, 3840, 2160}),
              (std::vector<Rect>{{436, 600, 565, 601}, {500, 536, 501, 665}}));
}

TEST(Crosshair, StopsAtTheScreensEdges)
{
    EXPECT_EQ(core::Crosshair({-5, 7}, {-10, 0, 20, 30}),
              (std::vector<Rect>{{-10, 7, 20, 8}, {-5, 0, -4, 30}}));
    EXPECT_EQ(core::Crosshair({0, 0}, {0, 0, 1, 1}), (std::vector<Rect>{{0, 0, 1, 1}, {0, 0, 1, 1}}));
}

const Rect kScreen{0, 0, 3840, 2160};

OverlayView ViewAt(Point p, Rect chosen)
{
    return {p, chosen, core::MagnifierPlace(p, kMagnifier, {}, kScreen), {chosen.left, chosen.bottom + 4, chosen.left + 80, chosen.bottom + 24}};
}

TEST(ChangedAreas, OfAnUnchangedViewIsNothing)
{
    const OverlayView view = ViewAt({500, 500}, {100, 100, 300, 300});
    EXPECT_TRUE(core::ChangedAreas(view, view, kScreen).empty());
}

TEST(ChangedAreas, OfAPointerMoveOverTheSameWindowAreTheCrosshairsAndMagnifiersOnly)
{
    const Rect window{100, 100, 900, 900};
    const OverlayView before = ViewAt({500, 500}, window), after = ViewAt({501, 500}, window);
    const std::vector<Rect> areas = core::ChangedAreas(before, after, kScreen);
    // Two crosshairs of 129 pixels a line and two magnifiers, whatever the screen's size.
    EXPECT_EQ(AreaOf(areas), 4 * 129 + 2 * 122 * 160);
    EXPECT_EQ(CountAt(areas, {550, 500}), 2);
    EXPECT_EQ(CountAt(areas, {501, 560}), 1);
    EXPECT_EQ(CountAt(areas, {3000, 500}), 0);
    EXPECT_EQ(CountAt(areas, {300, 300}), 0);
}

// A magnifier held in place (pushed against a corner) shows what is round the new pointer.
TEST(ChangedAreas, OfAPointerMoveUnderAMagnifierThatStaysHoldTheMagnifier)
{
    const Rect magnifier{3718, 2000, 3840, 2160}, label{100, 304, 180, 324};
    const OverlayView before{{3830, 1990}, {100, 100, 300, 300}, magnifier, label};
    const OverlayView after{{3831, 1990}, {100, 100, 300, 300}, magnifier, label};
    const std::vector<Rect> areas = core::ChangedAreas(before, after, kScreen);
    EXPECT_GE(CountAt(areas, {3720, 2150}), 1);
    EXPECT_EQ(CountAt(areas, {140, 310}), 0) << "the label did not change";
}

TEST(ChangedAreas, OfAGrowingDragAreTheNewStripsNotTheWholeRectangle)
{
    const OverlayView before = ViewAt({600, 600}, {100, 100, 600, 600});
    const OverlayView after = ViewAt({601, 600}, {100, 100, 601, 600});
    const std::vector<Rect> areas = core::ChangedAreas(before, after, kScreen);
    EXPECT_EQ(CountAt(areas, {350, 350}), 0) << "the inside did not change";
    EXPECT_GE(CountAt(areas, {600, 350}), 1) << "the newly chosen column";
    EXPECT_GE(CountAt(areas, {350, 99}), 1) << "the frame's top row";
    EXPECT_GE(CountAt(areas, {140, 620}), 1) << "the old label";
    EXPECT_LT(AreaOf(areas), std::int64_t{3840} * 2160 / 20);
}

TEST(ChangedAreas, AreClippedToTheScreen)
{
    const OverlayView before = ViewAt({0, 0}, {0, 0, 3840, 2160});
    const OverlayView after = ViewAt({3839, 2159}, {0, 0, 3840, 2160});
    for (const Rect& r : core::ChangedAreas(before, after, kScreen)) {
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, 3840);
        EXPECT_LE(r.bottom, 2160);
        EXPECT_FALSE(r.Empty());
    }
}

TEST(OverlayTexts, SayTheSizeThePointAndTheColour)
{
    EXPECT_EQ(core::SizeText({1920, 1}), "1920 × 1");
    EXPECT_EQ(core::SizeText({0, 0}), "0 × 0");
    EXPECT_EQ(core::PointText({-1024, 7}), "-1024, 7");
    EXPECT_EQ(core::ColourText(0x00A1B2C3), "#A1B2C3");
    EXPECT_EQ(core::ColourText(0x00000F00), "#000F00");
    EXPECT_EQ(core::ColourText(0xFF123456), "#123456");
}

}  // namespace

namespace {

TEST(MonitorAt, CountsAPointOnAMonitorsFarEdgeAsOutsideIt)
{
    EXPECT_EQ(core::MonitorAt({100, 50}, {{0, 0, 100, 100}, {100, 0, 200, 100}}, {}), (Rect{100, 0, 200, 100}));
    EXPECT_EQ(core::MonitorAt({50, 100}, {{0, 0, 100, 100}, {0, 100, 100, 200}}, {}), (Rect{0, 100, 100, 200}));
}

TEST(MonitorAt, OffEveryMonitorTakesTheNearestByItsPixels)
{
    const std::vector<Rect> across{{0, 0, 100, 100}, {200, 0, 300, 100}};
    EXPECT_EQ(core::MonitorAt({149, 50}, across, {}), (Rect{0, 0, 100, 100}));
    EXPECT_EQ(core::MonitorAt({150, 50}, across, {}), (Rect{200, 0, 300, 100}));
    const std::vector<Rect> down{{0, 0, 100, 100}, {0, 200, 100, 300}};
    EXPECT_EQ(core::MonitorAt({50, 149}, down, {}), (Rect{0, 0, 100, 100}));
    EXPECT_EQ(core::MonitorAt({50, 150}, down, {}), (Rect{0, 200, 100, 300}));
    // A pixel past a monitor's right or bottom edge is a pixel away from it, not on it.
    EXPECT_EQ(core::MonitorAt({100, 50}, {{101, 0, 200, 100}, {0, 0, 100, 100}}, {}), (Rect{101, 0, 200, 100}));
    EXPECT_EQ(core::MonitorAt({50, 100}, {{0, 101, 100, 200}, {0, 0, 100, 100}}, {}), (Rect{0, 101, 100, 200}));
    // Of two as near, the first listed.
    EXPECT_EQ(core::MonitorAt({150, 50}, {{0, 0, 100, 100}, {201, 0, 300, 100}}, {}), (Rect{0, 0, 100, 100}));
}

// Straight below (or right of) one monitor six pixels away, and diagonally one across and six
// down from another's corner: the straight one is the nearer.
TEST(MonitorAt, OffEveryMonitorMeasuresToAnEdgeAndToACornerAlike)
{
    EXPECT_EQ(core::MonitorAt({50, 105}, {{51, 111, 200, 200}, {0, 0, 100, 100}}, {}), (Rect{0, 0, 100, 100}));
    EXPECT_EQ(core::MonitorAt({105, 50}, {{111, 51, 200, 200}, {0, 0, 100, 100}}, {}), (Rect{0, 0, 100, 100}));
}

TEST(MagnifierPlacement, TakesAPlaceThatJustFitsOnTheMonitor)
{
    EXPECT_EQ(core::MagnifierPlace({1138, 500}, kMagnifier, {}, kMonitor), (Rect{1158, 520, 1280, 680}));
    EXPECT_EQ(core::MagnifierPlace({500, 844}, kMagnifier, {}, kMonitor), (Rect{520, 864, 642, 1024}));
    EXPECT_EQ(core::MagnifierPlace({142, 500}, kMagnifier, {}, {0, 0, 283, 1024}), (Rect{0, 520, 122, 680}));
    EXPECT_EQ(core::MagnifierPlace({142, 180}, kMagnifier, {}, {0, 0, 1280, 359}), (Rect{162, 0, 284, 160}));
}

// On monitors too narrow (or too low) for either side, a place pushed onto the monitor that
// ends just the gap short of the pointer is clear of it.
TEST(MagnifierPlacement, TakesAPlaceJustTheGapAwayFromThePointer)
{
    EXPECT_EQ(core::MagnifierPlace({75, 179}, kMagnifier, {}, {0, 0, 150, 300}), (Rect{28, 0, 150, 160}));
    EXPECT_EQ(core::MagnifierPlace({141, 85}, kMagnifier, {}, {0, 0, 282, 170}), (Rect{0, 10, 122, 170}));
}

TEST(MagnifiedSource, OffTheScreenIsNothingAtTheCorner)
{
    const core::MagnifiedPart part = core::MagnifiedSource({50, 50}, {0, 0, 10, 10});
    EXPECT_TRUE(part.source.Empty());
    EXPECT_EQ(part.offset, (Point{0, 0}));
}

TEST(LabelPlace, TakesThePlaceBelowOrAboveThatJustFits)
{
    EXPECT_EQ(core::LabelPlace({100, 900, 300, 1000}, {80, 20}, kMonitor), (Rect{100, 1004, 180, 1024}));
    EXPECT_EQ(core::LabelPlace({100, 24, 300, 1010}, {80, 20}, kMonitor), (Rect{100, 0, 180, 20}));
}

// Dragged across from a taller monitor: from above this one's top down to its last rows.
TEST(LabelPlace, OfARectanglePastTheMonitorAboveAndBelowGoesInsideItOnTheMonitor)
{
    EXPECT_EQ(core::LabelPlace({-500, 0, 500, 1020}, {80, 20}, {-1024, 256, 0, 1024}), (Rect{-496, 256, -416, 276}));
}

}  // namespace

namespace {

struct BandCase {
    const char* where;
    Point pointer;
    Rect band;
    Rect expected;
};

class MagnifierBesideTheBand : public ::testing::TestWithParam<BandCase> {};

TEST_P(MagnifierBesideTheBand, GoesPastTheBandWhenNoPlaceBesideThePointerIsClear)
{
    EXPECT_EQ(core::MagnifierPlace(GetParam().pointer, kMagnifier, GetParam().band, kMonitor), GetParam().expected)
        << GetParam().where;
}

INSTANTIATE_TEST_SUITE_P(
    Corners, MagnifierBesideTheBand,
    ::testing::Values(BandCase{"right of the band", {10, 10}, {10, 10, 300, 300}, {320, 30, 442, 190}},
                      BandCase{"below the band", {10, 10}, {10, 10, 1270, 300}, {30, 320, 152, 480}},
                      BandCase{"above the band", {10, 1013}, {10, 700, 1270, 1013}, {30, 520, 152, 680}}));

}  // namespace

namespace {

// A monitor hardly larger than the magnifier: every place meets the pointer.
TEST(MagnifierPlacement, WhereEveryPlaceMeetsThePointerTakesTheCornerFarthestFromIt)
{
    const Rect small{0, 0, 130, 170};
    EXPECT_EQ(core::MagnifierPlace({10, 10}, kMagnifier, {}, small), (Rect{8, 10, 130, 170}));
    EXPECT_EQ(core::MagnifierPlace({120, 160}, kMagnifier, {}, small), (Rect{0, 0, 122, 160}));
    EXPECT_EQ(core::MagnifierPlace({120, 10}, kMagnifier, {}, small), (Rect{0, 10, 122, 170}));
    // Just right of and below the middle (64.5, 84.5): the left and top edges are the farther.
    EXPECT_EQ(core::MagnifierPlace({65, 85}, kMagnifier, {}, small), (Rect{0, 0, 122, 160}));
    // A monitor left of and above the primary one.
    EXPECT_EQ(core::MagnifierPlace({-10, -10}, kMagnifier, {}, {-130, -170, 0, 0}), (Rect{-130, -170, -8, -10}));
}

}  // namespace
