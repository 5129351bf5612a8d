#include <gtest/gtest.h>

#include <cstdint>

#include "core/CopyRect.h"

using core::CopySourceInPicture;
using core::CopySourceRect;
using core::Point;
using core::Rect;

namespace {

struct CopyCase {
    Point selStart, selEnd;
    Rect source;
};

const CopyCase kCopies[] = {
    {{30, 10}, {99, 40}, {30, 10, 99, 40}},  // a dragged selection
    {{0, 0}, {4, 3}, {0, 0, 4, 3}},          // Select all on a 4 x 3 picture
    {{10, 20}, {4, 5}, {4, 5, 10, 20}},      // corners in reverse order
    {{7, 7}, {7, 7}, {7, 7, 7, 7}},          // a click without a drag
};

TEST(CopySourceRect, FollowsTheWorkedExamples)
{
    for (const CopyCase& c : kCopies) {
        EXPECT_EQ(CopySourceRect(c.selStart, c.selEnd), c.source)
            << "(" << c.selStart.x << ", " << c.selStart.y << "), (" << c.selEnd.x << ", " << c.selEnd.y << ")";
    }
}

TEST(CopySourceRect, IsTheRectangleSpannedByTheCornersWhateverTheirOrderAndSign)
{
    for (std::int32_t x1 = -5; x1 <= 5; ++x1) {
        for (std::int32_t x2 = -5; x2 <= 5; ++x2) {
            for (std::int32_t y1 = -4; y1 <= 4; y1 += 2) {
                for (std::int32_t y2 = -3; y2 <= 5; y2 += 3) {
                    const Point a{x1, y1}, b{x2, y2};
                    ASSERT_EQ(CopySourceRect(a, b), core::NormalisedRect(a, b))
                        << "(" << x1 << ", " << y1 << "), (" << x2 << ", " << y2 << ")";
                }
            }
        }
    }
}

TEST(CopySourceInPicture, KeepsASourceInsideThePicture)
{
    EXPECT_EQ(CopySourceInPicture({30, 10, 99, 40}, 100, 80), (Rect{30, 10, 99, 40}));
    EXPECT_EQ(CopySourceInPicture({0, 0, 100, 80}, 100, 80), (Rect{0, 0, 100, 80}));
}

TEST(CopySourceInPicture, ReadsNothingBeyondAnyEdge)
{
    EXPECT_EQ(CopySourceInPicture({-5, -2, 10, 10}, 100, 80), (Rect{0, 0, 10, 10}));
    EXPECT_EQ(CopySourceInPicture({90, 70, 130, 95}, 100, 80), (Rect{90, 70, 100, 80}));
}

TEST(CopySourceInPicture, OfASourceWhollyOutsideIsEmpty)
{
    EXPECT_TRUE(CopySourceInPicture({-9, 0, -1, 10}, 100, 80).Empty());
    EXPECT_TRUE(CopySourceInPicture({100, 0, 120, 10}, 100, 80).Empty());
    EXPECT_TRUE(CopySourceInPicture({0, 0, 4, 3}, 0, 0).Empty());
}

}  // namespace
