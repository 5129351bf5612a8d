// The zoom of a pinned picture: the wheel's steps, the zoomed sizes, and the window's place as it
// zooms about the pointer.
#include "core/PinZoom.h"

#include <gtest/gtest.h>

namespace {

TEST(PinZoom, EachNotchGoesToTheNextStepWithinAQuarterAndFourTimes)
{
    struct Row {
        int percent, notches, after;
    };
    const Row rows[] = {
        {100, 1, 125}, {100, -1, 75},  {100, 3, 200},  {100, -5, 25},  {100, 0, 100}, {400, 1, 400},
        {25, -1, 25},  {100, 99, 400}, {100, -99, 25}, {300, 1, 400},  {33, -1, 25},  {67, 1, 75},
        {110, 1, 125}, {110, -1, 100}, {10, 0, 25},    {500, 0, 400},  {10, 1, 25},   {500, -1, 400},
        {25, 1, 33},   {75, -2, 50},   {125, 1, 150},  {200, -1, 150},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.percent) + " by " + std::to_string(row.notches));
        EXPECT_EQ(core::PinZoomAfter(row.percent, row.notches), row.after);
    }
}

TEST(PinZoom, ASideIsRoundedAndKeepsAtLeastOnePixel)
{
    struct Row {
        int length, percent, zoomed;
    };
    const Row rows[] = {
        {0, 400, 0},   {1, 25, 1},     {1, 400, 4},          {3, 50, 2},   {3, 33, 1},  {101, 25, 25},
        {101, 75, 76}, {640, 67, 429}, {32767, 400, 131068}, {-5, 100, 0}, {7, 100, 7}, {53, 33, 17},  // 17.49: down
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.length) + " at " + std::to_string(row.percent));
        EXPECT_EQ(core::PinSide(row.length, row.percent), row.zoomed);
    }
}

TEST(PinZoom, ThePointUnderThePointerStaysUnderIt)
{
    struct Row {
        core::Rect before;
        core::Point pointer;
        int width, height;
        core::Rect after;
    };
    const Row rows[] = {
        {{100, 100, 200, 150}, {100, 100}, 200, 100, {100, 100, 300, 200}},  // the top-left corner stays
        {{100, 100, 200, 150}, {200, 150}, 200, 100, {0, 50, 200, 150}},     // the bottom-right one too
        {{100, 100, 200, 150}, {150, 125}, 200, 100, {50, 75, 250, 175}},    // the middle
        {{100, 100, 200, 150}, {150, 125}, 50, 25, {125, 112, 175, 137}},    // 12.5 rows above it: 13
        {{100, 100, 200, 150}, {500, -20}, 200, 100, {0, 100, 200, 200}},    // taken to the top-right corner
        {{-50, -30, 51, 1}, {0, 0}, 202, 62, {-100, -60, 102, 2}},           // odd sizes, off the screen
        {{10, 10, 10, 10}, {10, 10}, 4, 4, {10, 10, 14, 14}},                // nothing to keep
        {{10, 10, 11, 11}, {10, 10}, 4, 4, {10, 10, 14, 14}},
        {{10, 10, 11, 11}, {11, 11}, 4, 4, {7, 7, 11, 11}},  // a pixel's far corner stays too
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.pointer.x) + "," + std::to_string(row.pointer.y));
        EXPECT_EQ(core::ZoomAbout(row.before, row.pointer, row.width, row.height), row.after);
    }
}

}  // namespace
