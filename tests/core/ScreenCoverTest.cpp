// The parts of a grab that no monitor shows: what the capture paints black.
#include "core/ScreenCover.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using core::Rect;
using core::UncoveredParts;

namespace {

// Every pixel of the area, marked 1 where one of the parts covers it; a pixel covered twice
// or outside the area shows as a fault.
std::vector<int> Painted(Rect area, const std::vector<Rect>& parts)
{
    std::vector<int> cells(static_cast<std::size_t>(area.Width() * area.Height()), 0);
    for (const Rect& p : parts) {
        EXPECT_FALSE(p.Empty());
        for (std::int32_t y = p.top; y < p.bottom; ++y)
            for (std::int32_t x = p.left; x < p.right; ++x) {
                EXPECT_TRUE(x >= 0 && y >= 0 && x < area.Width() && y < area.Height()) << x << ", " << y;
                if (x >= 0 && y >= 0 && x < area.Width() && y < area.Height())
                    ++cells[static_cast<std::size_t>(y * area.Width() + x)];
            }
    }
    return cells;
}

// The same, worked out pixel by pixel: 1 where no monitor shows the pixel.
std::vector<int> Expected(Rect area, const std::vector<Rect>& monitors)
{
    std::vector<int> cells;
    for (std::int32_t y = area.top; y < area.bottom; ++y)
        for (std::int32_t x = area.left; x < area.right; ++x) {
            bool shown = false;
            for (const Rect& m : monitors)
                shown = shown || (x >= m.left && x < m.right && y >= m.top && y < m.bottom);
            cells.push_back(shown ? 0 : 1);
        }
    return cells;
}

TEST(UncoveredParts, CoverExactlyThePixelsNoMonitorShows)
{
    struct Row {
        const char* layout;
        Rect area;
        std::vector<Rect> monitors;
    };
    // Small screens, so that every pixel can be checked.
    const std::vector<Row> rows = {
        {"one screen, the whole of it", {0, 0, 8, 6}, {{0, 0, 8, 6}}},
        {"second screen left and lower", {-5, 0, 8, 7}, {{0, 0, 8, 6}, {-5, 3, 0, 7}}},
        {"second screen above, narrower", {0, -4, 9, 5}, {{0, 0, 9, 5}, {2, -4, 5, 0}}},
        {"three screens with a gap between", {-3, -2, 11, 5}, {{0, 0, 4, 5}, {-3, -2, -1, 1}, {7, 1, 11, 3}}},
        {"mirrored screens overlapping", {0, 0, 7, 5}, {{0, 0, 5, 4}, {2, 1, 7, 5}}},
        {"a window beyond the screen's top left", {-3, -2, 4, 3}, {{0, 0, 8, 6}}},
        {"no monitor at all", {1, 1, 4, 3}, {}},
        {"a monitor of no size", {0, 0, 3, 3}, {{1, 1, 1, 3}}},
        {"one pixel", {5, 5, 6, 6}, {{0, 0, 5, 5}}},
        {"screens above and below a gap the area ends in", {1, 2, 7, 8}, {{0, 0, 8, 4}, {0, 10, 8, 13}}},
        {"screens above and below the area", {1, 2, 7, 8}, {{0, 0, 8, 8}, {0, 10, 8, 13}}},
    };
    for (const Row& row : rows) {
        const std::vector<Rect> parts = UncoveredParts(row.area, row.monitors);
        EXPECT_EQ(Painted(row.area, parts), Expected(row.area, row.monitors)) << row.layout;
    }
}

TEST(UncoveredParts, AnAreaTheScreensFillOrAnEmptyAreaNeedsNothing)
{
    EXPECT_TRUE(UncoveredParts({-1920, 0, 1280, 1024}, {{0, 0, 1280, 1024}, {-1920, 0, 0, 1024}}).empty());
    EXPECT_TRUE(UncoveredParts({100, 0, 600, 1024}, {{0, 0, 1280, 1024}, {0, 1100, 1280, 2124}}).empty());
    EXPECT_TRUE(UncoveredParts({0, 0, 0, 0}, {}).empty());
    EXPECT_TRUE(UncoveredParts({4, 4, 2, 9}, {}).empty());
}

TEST(UncoveredParts, AGapBetweenTwoScreensIsOneStrip)
{
    // 1280 x 1024 on the right, 1920 x 1080 on its left sitting 56 rows higher.
    const std::vector<Rect> parts =
        UncoveredParts({-1920, -56, 1280, 1024}, {{0, 0, 1280, 1024}, {-1920, -56, 0, 1024}});
    EXPECT_EQ(parts, (std::vector<Rect>{{1920, 0, 3200, 56}}));
}

TEST(UncoveredParts, AWindowReachingIntoTheGapBetweenAScreenAndOneBelowNeedsExactlyThatStrip)
{
    // Two 1280 x 1024 screens, one above the other with 76 rows between; the window runs 56
    // rows past the upper one's bottom.
    const std::vector<Rect> parts =
        UncoveredParts({100, 900, 600, 1080}, {{0, 0, 1280, 1024}, {0, 1100, 1280, 2124}});
    EXPECT_EQ(parts, (std::vector<Rect>{{0, 124, 500, 180}}));
}

}  // namespace
