// The choice of a region on the frozen screen: window picks, drags under the selection's pixel
// rule, the keyboard path and cancelling.
#include <gtest/gtest.h>

#include <vector>

#include "core/RegionChoice.h"

using core::Point;
using core::Rect;
using core::RegionChoice;
using core::RegionKey;
using core::RegionOutcome;
using Phase = core::RegionChoice::Phase;

namespace {

// Two monitors, the second left of the primary, and windows front first.
const Rect kScreen{-1024, 0, 1280, 1024};
const std::vector<Rect> kMonitors{{0, 0, 1280, 1024}, {-1024, 0, 0, 768}};
const std::vector<Rect> kWindows{{100, 100, 300, 200}, {50, 50, 400, 400}, {-50, 900, 200, 1200}};

RegionChoice ChoiceAt(Point p) { return RegionChoice(kScreen, core::WholeWindows(kWindows), kMonitors, p); }

struct PickCase {
    const char* where;
    Point at;
    Rect picked;
};

class PickAtPoint : public ::testing::TestWithParam<PickCase> {};

TEST_P(PickAtPoint, TakesTheFrontWindowThereClippedOrTheMonitor)
{
    EXPECT_EQ(core::PickAt(GetParam().at, core::WholeWindows(kWindows), kMonitors, kScreen), GetParam().picked)
        << GetParam().where;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, PickAtPoint,
    ::testing::Values(PickCase{"the front window over another", {150, 150}, {100, 100, 300, 200}},
                      PickCase{"the window behind, beside the front one", {60, 60}, {50, 50, 400, 400}},
                      PickCase{"the front window's first pixel", {100, 100}, {100, 100, 300, 200}},
                      PickCase{"the front window's last pixel", {299, 199}, {100, 100, 300, 200}},
                      PickCase{"just past the front window", {300, 150}, {50, 50, 400, 400}},
                      PickCase{"just below the front window", {150, 200}, {50, 50, 400, 400}},
                      PickCase{"a window past the bottom, clipped", {0, 1000}, {-50, 900, 200, 1024}},
                      PickCase{"no window: the primary monitor", {800, 600}, {0, 0, 1280, 1024}},
                      PickCase{"no window: the left monitor", {-500, 100}, {-1024, 0, 0, 768}},
                      PickCase{"on no monitor: the whole screen", {-500, 900}, {-1024, 0, 1280, 1024}}));

TEST(PickAt, WithNoWindowsAndNoMonitorsGivesTheBounds)
{
    EXPECT_EQ(core::PickAt({5, 5}, {}, {}, {0, 0, 10, 10}), (Rect{0, 0, 10, 10}));
}

// A window whose client area lies off the screen, picked on its title bar.
TEST(PickAt, WhatLiesOffTheScreenTakesTheAreaItselfNeverAnEmptyRectangle)
{
    const std::vector<core::PickArea> areas{{{0, 900, 100, 1100}, {0, 1030, 100, 1100}}};
    EXPECT_EQ(core::PickAt({5, 1000}, areas, {}, {0, 0, 1280, 1024}), (Rect{0, 900, 100, 1024}));
}

TEST(DraggedRect, TakesTheCornersInAnyOrderWithTheFarOneExclusive)
{
    const Rect expected{10, 20, 30, 50};
    EXPECT_EQ(core::DraggedRect({10, 20}, {30, 50}, kScreen), expected);
    EXPECT_EQ(core::DraggedRect({30, 50}, {10, 20}, kScreen), expected);
    EXPECT_EQ(core::DraggedRect({30, 20}, {10, 50}, kScreen), expected);
}

TEST(DraggedRect, IsClampedToTheBoundsOnEverySide)
{
    EXPECT_EQ(core::DraggedRect({-2000, -5}, {2000, 3000}, kScreen), kScreen);
    EXPECT_EQ(core::DraggedRect({1300, 10}, {1400, 20}, kScreen), (Rect{1280, 10, 1280, 20}));
}

TEST(RegionChoice, StartsPickingTheWindowUnderThePointer)
{
    const RegionChoice choice = ChoiceAt({150, 150});
    EXPECT_EQ(choice.CurrentPhase(), Phase::Picking);
    EXPECT_EQ(choice.Chosen(), (Rect{100, 100, 300, 200}));
    EXPECT_EQ(choice.Band(), Rect{});
}

TEST(RegionChoice, APointerOffTheScreenIsBroughtOntoItsLastPixel)
{
    EXPECT_EQ(ChoiceAt({5000, -7}).Pointer(), (Point{1279, 0}));
    EXPECT_EQ(ChoiceAt({-5000, 5000}).Pointer(), (Point{-1024, 1023}));
}

TEST(RegionChoice, FollowsThePointerFromWindowToWindow)
{
    RegionChoice choice = ChoiceAt({150, 150});
    EXPECT_EQ(choice.MoveTo({60, 60}), RegionOutcome::Continue);
    EXPECT_EQ(choice.Chosen(), (Rect{50, 50, 400, 400}));
    choice.MoveTo({700, 700});
    EXPECT_EQ(choice.Chosen(), (Rect{0, 0, 1280, 1024}));
}

TEST(RegionChoice, AClickTakesTheWindowUnderThePointer)
{
    RegionChoice choice = ChoiceAt({150, 150});
    EXPECT_EQ(choice.LeftDown({150, 150}), RegionOutcome::Continue);
    EXPECT_EQ(choice.CurrentPhase(), Phase::Pressed);
    EXPECT_EQ(choice.LeftUp({150, 150}), RegionOutcome::Take);
    EXPECT_EQ(choice.Chosen(), (Rect{100, 100, 300, 200}));
}

TEST(RegionChoice, AClickOnNoWindowTakesTheMonitorNeverAnEmptyRectangle)
{
    RegionChoice choice = ChoiceAt({-500, 100});
    choice.LeftDown({-500, 100});
    EXPECT_EQ(choice.LeftUp({-500, 100}), RegionOutcome::Take);
    EXPECT_EQ(choice.Chosen(), (Rect{-1024, 0, 0, 768}));
}

TEST(RegionChoice, ADragTakesItsRectangleOnRelease)
{
    RegionChoice choice = ChoiceAt({150, 150});
    choice.LeftDown({-20, 30});
    choice.MoveTo({10, 40});
    EXPECT_EQ(choice.CurrentPhase(), Phase::Dragging);
    EXPECT_EQ(choice.Chosen(), (Rect{-20, 30, 10, 40}));
    EXPECT_EQ(choice.Band(), (Rect{-20, 30, 10, 40}));
    EXPECT_EQ(choice.LeftUp({25, 70}), RegionOutcome::Take);
    EXPECT_EQ(choice.Chosen(), (Rect{-20, 30, 25, 70}));
}

TEST(RegionChoice, ADragOfOnePixelEachWayIsAOneByOneRectangle)
{
    RegionChoice choice = ChoiceAt({0, 0});
    choice.LeftDown({500, 500});
    choice.MoveTo({501, 501});
    EXPECT_EQ(choice.LeftUp({501, 501}), RegionOutcome::Take);
    EXPECT_EQ(choice.Chosen(), (Rect{500, 500, 501, 501}));
}

TEST(RegionChoice, ADragUpAndLeftTakesTheSameRuleReversed)
{
    RegionChoice choice = ChoiceAt({0, 0});
    choice.LeftDown({500, 500});
    choice.MoveTo({490, 480});
    EXPECT_EQ(choice.LeftUp({490, 480}), RegionOutcome::Take);
    EXPECT_EQ(choice.Chosen(), (Rect{490, 480, 500, 500}));
}

TEST(RegionChoice, ADragBackToNoAreaTakesNothingAndPicksOn)
{
    RegionChoice choice = ChoiceAt({0, 0});
    choice.LeftDown({150, 150});
    choice.MoveTo({170, 150});
    EXPECT_EQ(choice.LeftUp({170, 150}), RegionOutcome::Continue);
    EXPECT_EQ(choice.CurrentPhase(), Phase::Picking);
    EXPECT_EQ(choice.Chosen(), (Rect{100, 100, 300, 200}));
}

TEST(RegionChoice, AReleaseWithoutAPressTakesNothing)
{
    RegionChoice choice = ChoiceAt({150, 150});
    EXPECT_EQ(choice.LeftUp({150, 150}), RegionOutcome::Continue);
    EXPECT_EQ(choice.CurrentPhase(), Phase::Picking);
}

TEST(RegionChoice, AReleaseElsewhereThanThePressIsADrag)
{
    RegionChoice choice = ChoiceAt({0, 0});
    choice.LeftDown({10, 10});
    EXPECT_EQ(choice.LeftUp({12, 13}), RegionOutcome::Take);
    EXPECT_EQ(choice.Chosen(), (Rect{10, 10, 12, 13}));
}

TEST(RegionChoice, ADragPastTheScreenStopsAtItsLastPixel)
{
    RegionChoice choice = ChoiceAt({0, 0});
    choice.LeftDown({1200, 1000});
    EXPECT_EQ(choice.LeftUp({1500, 1500}), RegionOutcome::Take);
    EXPECT_EQ(choice.Chosen(), (Rect{1200, 1000, 1279, 1023}));
}

struct ArrowCase {
    RegionKey key;
    bool shift;
    Point to;
};

class ArrowKey : public ::testing::TestWithParam<ArrowCase> {};

TEST_P(ArrowKey, MovesThePointerByOnePixelOrTenWithShift)
{
    RegionChoice choice = ChoiceAt({500, 600});
    EXPECT_EQ(choice.Key(GetParam().key, GetParam().shift), RegionOutcome::Continue);
    EXPECT_EQ(choice.Pointer(), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Keys, ArrowKey,
                         ::testing::Values(ArrowCase{RegionKey::Left, false, {499, 600}},
                                           ArrowCase{RegionKey::Right, false, {501, 600}},
                                           ArrowCase{RegionKey::Up, false, {500, 599}},
                                           ArrowCase{RegionKey::Down, false, {500, 601}},
                                           ArrowCase{RegionKey::Left, true, {490, 600}},
                                           ArrowCase{RegionKey::Right, true, {510, 600}},
                                           ArrowCase{RegionKey::Up, true, {500, 590}},
                                           ArrowCase{RegionKey::Down, true, {500, 610}}));

TEST(RegionChoice, ArrowsStopAtTheScreensEdge)
{
    RegionChoice choice = ChoiceAt({1275, 3});
    choice.Key(RegionKey::Right, true);
    choice.Key(RegionKey::Up, true);
    EXPECT_EQ(choice.Pointer(), (Point{1279, 0}));
}

TEST(RegionChoice, EnterStartsARectangleThatTheArrowsGrowAndEnterTakes)
{
    RegionChoice choice = ChoiceAt({500, 600});
    EXPECT_EQ(choice.Key(RegionKey::Enter, false), RegionOutcome::Continue);
    EXPECT_EQ(choice.CurrentPhase(), Phase::Keyed);
    EXPECT_EQ(choice.Chosen(), (Rect{500, 600, 500, 600}));
    choice.Key(RegionKey::Right, true);
    choice.Key(RegionKey::Right, false);
    choice.Key(RegionKey::Down, false);
    choice.Key(RegionKey::Down, false);
    EXPECT_EQ(choice.Chosen(), (Rect{500, 600, 511, 602}));
    EXPECT_EQ(choice.Key(RegionKey::Enter, false), RegionOutcome::Take);
    EXPECT_EQ(choice.Chosen(), (Rect{500, 600, 511, 602}));
}

TEST(RegionChoice, EnterOnAKeyedRectangleOfNoAreaTakesNothing)
{
    RegionChoice choice = ChoiceAt({500, 600});
    choice.Key(RegionKey::Enter, false);
    choice.Key(RegionKey::Right, false);
    EXPECT_EQ(choice.Key(RegionKey::Enter, false), RegionOutcome::Continue);
    EXPECT_EQ(choice.CurrentPhase(), Phase::Keyed);
}

TEST(RegionChoice, EnterDuringADragDoesNothing)
{
    RegionChoice choice = ChoiceAt({0, 0});
    choice.LeftDown({10, 10});
    choice.MoveTo({20, 20});
    EXPECT_EQ(choice.Key(RegionKey::Enter, false), RegionOutcome::Continue);
    EXPECT_EQ(choice.CurrentPhase(), Phase::Dragging);
}

TEST(RegionChoice, ThePointerMovesTheKeyedRectanglesFarCornerToo)
{
    RegionChoice choice = ChoiceAt({500, 600});
    choice.Key(RegionKey::Enter, false);
    choice.MoveTo({450, 700});
    EXPECT_EQ(choice.Chosen(), (Rect{450, 600, 500, 700}));
}

TEST(RegionChoice, EscapeAndTheRightButtonCancelAtAnyMoment)
{
    RegionChoice picking = ChoiceAt({500, 600});
    EXPECT_EQ(picking.Key(RegionKey::Escape, false), RegionOutcome::Cancel);
    RegionChoice dragging = ChoiceAt({500, 600});
    dragging.LeftDown({500, 600});
    dragging.MoveTo({520, 620});
    EXPECT_EQ(dragging.RightDown(), RegionOutcome::Cancel);
    RegionChoice keyed = ChoiceAt({500, 600});
    keyed.Key(RegionKey::Enter, false);
    EXPECT_EQ(keyed.Key(RegionKey::Escape, true), RegionOutcome::Cancel);
}

}  // namespace
