// The zoom's steps, fitting, and the mapping between window and picture pixels.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/Zoom.h"

using core::Point;

namespace {

struct StepCase {
    std::int32_t from;
    std::optional<std::int32_t> in, out;
};

TEST(Zoom, StepsGoThroughTheTableAndStopAtItsEnds)
{
    const StepCase cases[] = {
        {25, 50, std::nullopt}, {50, 100, 25},          {100, 200, 50},
        {200, 400, 100},        {800, 1600, 400},       {1600, std::nullopt, 800},
        {37, 50, 25},           {10, 25, std::nullopt}, {1700, std::nullopt, 1600},
        {101, 200, 100},
    };
    for (const StepCase& c : cases) {
        EXPECT_EQ(core::ZoomIn(c.from), c.in) << c.from;
        EXPECT_EQ(core::ZoomOut(c.from), c.out) << c.from;
    }
}

struct FitCase {
    std::int32_t pictureWidth, pictureHeight, windowWidth, windowHeight, percent;
};

TEST(Zoom, FittingTakesTheLargestWholePercentageAtWhichAllShows)
{
    const FitCase cases[] = {
        {3840, 2160, 960, 540, 25},   {3840, 2160, 1000, 1000, 26}, {1000, 500, 1000, 500, 100},
        {1000, 500, 500, 500, 50},    {1000, 500, 1000, 200, 40},   {3840, 2160, 100, 100, 25},
        {100, 100, 1000, 1000, 1000}, {10, 10, 1000, 1000, 1600},   {0, 0, 800, 600, 100},
        {800, 600, 0, 600, 100},      {3, 7, 10, 10, 142},          {0, 100, 800, 600, 100},
        {100, 0, 800, 600, 100},      {800, 600, 800, 0, 100},      {7, 3, 10, 10, 142},
        {1, 1, 500, 400, 1600},       {100, 50, 1, 1, 25},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(core::FitZoom(c.pictureWidth, c.pictureHeight, c.windowWidth, c.windowHeight), c.percent)
            << c.pictureWidth << "x" << c.pictureHeight << " in " << c.windowWidth << "x" << c.windowHeight;
}

TEST(Zoom, ZoomedLengthsCountAPartlyShownLastPixel)
{
    EXPECT_EQ(core::ZoomedLength(3840, 25), 960);
    EXPECT_EQ(core::ZoomedLength(3841, 25), 961);
    EXPECT_EQ(core::ZoomedLength(1, 25), 1);
    EXPECT_EQ(core::ZoomedLength(3, 1600), 48);
    EXPECT_EQ(core::ZoomedLength(0, 200), 0);
    EXPECT_EQ(core::ZoomedLength(3840, 1600), 61440);
    EXPECT_EQ(core::ZoomedLength(100, 1), 1);
    EXPECT_EQ(core::ZoomedLength(100, 0), 0);
    EXPECT_EQ(core::ZoomedLength(-5, 100), 0);
}

TEST(Zoom, AHundredWindowPixelsAt200PercentAreFiftyPicturePixels)
{
    EXPECT_EQ(core::WindowToPicture({0, 0}, {0, 0}, 200), (Point{0, 0}));
    EXPECT_EQ(core::WindowToPicture({100, 100}, {0, 0}, 200), (Point{50, 50}));
    EXPECT_EQ(core::WindowToPicture({101, 99}, {0, 0}, 200), (Point{50, 49}));
}

struct MapCase {
    Point window, scroll;
    std::int32_t percent;
    Point picture;
};

TEST(Zoom, WindowPixelsMapToThePicturePixelUnderThem)
{
    const MapCase cases[] = {
        {{10, 20}, {0, 0}, 100, {10, 20}}, {{10, 20}, {5, 7}, 100, {15, 27}},   {{10, 20}, {0, 0}, 25, {40, 80}},
        {{3, 3}, {0, 0}, 25, {12, 12}},    {{15, 31}, {0, 0}, 1600, {0, 1}},    {{16, 32}, {160, 0}, 1600, {11, 2}},
        {{-1, -1}, {0, 0}, 200, {-1, -1}}, {{-1, -30}, {0, 0}, 1600, {-1, -2}}, {{-3, 0}, {2, 0}, 100, {-1, 0}},
        {{99, 0}, {1, 0}, 50, {200, 0}},
    };
    for (const MapCase& c : cases)
        EXPECT_EQ(core::WindowToPicture(c.window, c.scroll, c.percent), c.picture)
            << c.window.x << "," << c.window.y << " at " << c.percent;
}

TEST(Zoom, PicturePixelsMapToTheWindowPixelAtTheirTopLeft)
{
    EXPECT_EQ(core::PictureToWindow({50, 7}, {0, 0}, 200), (Point{100, 14}));
    EXPECT_EQ(core::PictureToWindow({50, 7}, {30, 4}, 200), (Point{70, 10}));
    EXPECT_EQ(core::PictureToWindow({3, 5}, {0, 0}, 25), (Point{0, 1}));
    EXPECT_EQ(core::PictureToWindow({-1, 2}, {0, 0}, 1600), (Point{-16, 32}));
    EXPECT_EQ(core::PictureToWindow({-3, 0}, {0, 0}, 50), (Point{-2, 0}));
}

TEST(Zoom, AWheelZoomKeepsThePointUnderThePointer)
{
    // At 100 % window pixel 100 shows picture pixel 100; at 200 % it still must.
    EXPECT_EQ(core::ScrollKeeping({100, 50}, {0, 0}, 100, 200), (Point{101, 51}));
    EXPECT_EQ(core::WindowToPicture({100, 50}, {101, 51}, 200), (Point{100, 50}));
    // Scrolled, and back down again.
    EXPECT_EQ(core::ScrollKeeping({40, 10}, {300, 60}, 200, 100), (Point{130, 25}));
    EXPECT_EQ(core::WindowToPicture({40, 10}, {130, 25}, 100), (Point{170, 35}));
    EXPECT_EQ(core::WindowToPicture({40, 10}, {300, 60}, 200), (Point{170, 35}));
    // Up to the top step and down to the bottom one.
    EXPECT_EQ(core::ScrollKeeping({0, 0}, {0, 0}, 800, 1600), (Point{1, 1}));
    EXPECT_EQ(core::ScrollKeeping({500, 500}, {1000, 1000}, 50, 25), (Point{250, 250}));
}

TEST(Zoom, ScrollStaysWithinThePicture)
{
    EXPECT_EQ(core::ClampScroll(-5, 1000, 300), 0);
    EXPECT_EQ(core::ClampScroll(500, 1000, 300), 500);
    EXPECT_EQ(core::ClampScroll(800, 1000, 300), 700);
    EXPECT_EQ(core::ClampScroll(50, 200, 300), 0);
    EXPECT_EQ(core::ClampScroll(700, 1000, 300), 700);
}

TEST(Zoom, TheStatusPanelShowsThePercentage)
{
    EXPECT_EQ(core::ZoomText(200), "200%");
    EXPECT_EQ(core::ZoomText(25), "25%");
    EXPECT_EQ(core::ZoomText(1600), "1600%");
    EXPECT_EQ(core::ZoomText(37), "37%");
}

// Each run starts from a fresh counter: {turn, notches it completes}.
TEST(Zoom, WheelTurnsAddUpToWholeNotchesAndATurnBackStartsAfresh)
{
    using Turns = std::vector<std::pair<int, int>>;
    const Turns runs[] = {
        {{120, 1},
         {60, 0},
         {60, 1},
         {360, 3},
         {100, 0},
         {-40, 0} /* the 100 forward dropped */,
         {-80, -1},
         {-240, -2},
         {0, 0},
         {-60, 0},
         {0, 0} /* no turn is no turn back */,
         {-60, -1}},
        // A fine wheel, from nothing; a turn back drops what was left over.
        {{119, 0}, {1, 1}, {60, 0}, {1, 0}, {59, 1}, {121, 1}, {-1, 0}, {-119, -1}},
    };
    for (const Turns& run : runs) {
        core::WheelTurns turns;
        for (std::size_t i = 0; i < run.size(); ++i)
            EXPECT_EQ(turns.Add(run[i].first), run[i].second) << "turn " << i << " of run " << &run - runs;
    }
}

}  // namespace
