// The pointer drawn into a grab: its hot spot on its screen position, what of it the picture
// shows, for grabs anywhere on the virtual screen and pointers across their edges.
#include "core/PointerPlace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

using core::PointerPlace;
using core::Rect;

namespace {

TEST(PointerPlace, TheHotSpotLandsOnThePointersPositionInPictureCoordinates)
{
    struct Row {
        const char* what;
        core::ScreenRect grabbed;
        core::Point position, hotSpot;
        std::int32_t width, height;
        PointerPlace place;
    };
    const Row rows[] = {
        {"inside, hot spot at the corner",
         {0, 0, 100, 80},
         {40, 30},
         {0, 0},
         32,
         32,
         {{40, 30, 72, 62}, {40, 30, 72, 62}}},
        {"inside, hot spot within", {0, 0, 100, 80}, {40, 30}, {5, 7}, 32, 32, {{35, 23, 67, 55}, {35, 23, 67, 55}}},
        {"a window's grab", {200, 150, 300, 200}, {210, 160}, {1, 2}, 11, 13, {{9, 8, 20, 21}, {9, 8, 20, 21}}},
        {"a monitor left of and above the primary",
         {-1280, -200, 2560, 1224},
         {-1000, -150},
         {3, 3},
         32,
         32,
         {{277, 47, 309, 79}, {277, 47, 309, 79}}},
        {"past the right and bottom edges",
         {0, 0, 100, 80},
         {90, 70},
         {0, 0},
         32,
         32,
         {{90, 70, 122, 102}, {90, 70, 100, 80}}},
        {"the hot spot on the last pixel",
         {0, 0, 100, 80},
         {99, 79},
         {0, 0},
         32,
         32,
         {{99, 79, 131, 111}, {99, 79, 100, 80}}},
        {"past the left and top edges",
         {10, 10, 100, 80},
         {12, 11},
         {8, 6},
         32,
         32,
         {{-6, -5, 26, 27}, {0, 0, 26, 27}}},
        {"a hot spot outside the grab, the image reaching in",
         {100, 100, 50, 50},
         {95, 97},
         {0, 0},
         16,
         16,
         {{-5, -3, 11, 13}, {0, 0, 11, 13}}},
        {"all left of the grab", {100, 100, 50, 50}, {60, 120}, {0, 0}, 32, 32, {{-40, 20, -8, 52}, {}}},
        {"all below the grab", {100, 100, 50, 50}, {120, 150}, {0, 0}, 32, 32, {{20, 50, 52, 82}, {}}},
        {"touching the right edge from outside", {0, 0, 100, 80}, {100, 10}, {0, 0}, 32, 32, {{100, 10, 132, 42}, {}}},
        {"an empty grab", {0, 0, 0, 0}, {0, 0}, {0, 0}, 32, 32, {{0, 0, 32, 32}, {}}},
        {"a grab one pixel wide", {50, 50, 1, 80}, {40, 60}, {0, 0}, 32, 32, {{-10, 10, 22, 42}, {0, 10, 1, 42}}},
        {"a pointer of one pixel", {0, 0, 7, 5}, {3, 2}, {0, 0}, 1, 1, {{3, 2, 4, 3}, {3, 2, 4, 3}}},
        {"a pointer of no size", {0, 0, 7, 5}, {3, 2}, {0, 0}, 0, 0, {{3, 2, 3, 2}, {}}},
        {"an odd pointer at an odd grab", {-3, 5, 9, 7}, {2, 9}, {2, 1}, 5, 3, {{3, 3, 8, 6}, {3, 3, 8, 6}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(core::PlacePointer(row.grabbed, row.position, row.hotSpot, row.width, row.height), row.place);
    }
}

TEST(PointerPlace, FarOffNumbersStayWithinTheCoordinatesAndShowNothing)
{
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const PointerPlace far = core::PlacePointer({kMin, kMin, 10, 10}, {kMax, kMax}, {0, 0}, kMax, kMax);
    EXPECT_EQ(far.image, (Rect{kMax, kMax, kMax, kMax}));
    EXPECT_TRUE(far.shown.Empty());
    const PointerPlace before = core::PlacePointer({kMax, kMax, 10, 10}, {kMin, kMin}, {kMax, kMax}, 32, 32);
    EXPECT_EQ(before.image, (Rect{kMin, kMin, kMin, kMin}));
    EXPECT_TRUE(before.shown.Empty());
    EXPECT_TRUE(core::PlacePointer({0, 0, 10, 10}, {5, 5}, {0, 0}, -4, 8).shown.Empty()) << "a negative width";
}

}  // namespace
