#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "core/Geometry.h"

using core::Intersect;
using core::NormalisedRect;
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

TEST(CopySource, FollowsTheWorkedExamples)
{
    for (const CopyCase& c : kCopies) {
        EXPECT_EQ(NormalisedRect(c.selStart, c.selEnd), c.source)
            << "(" << c.selStart.x << ", " << c.selStart.y << "), (" << c.selEnd.x << ", " << c.selEnd.y << ")";
    }
}

TEST(CopySource, IsTheRectangleSpannedByTheCornersWhateverTheirOrderAndSign)
{
    for (std::int32_t x1 = -5; x1 <= 5; ++x1) {
        for (std::int32_t x2 = -5; x2 <= 5; ++x2) {
            for (std::int32_t y1 = -4; y1 <= 4; y1 += 2) {
                for (std::int32_t y2 = -3; y2 <= 5; y2 += 3) {
                    const Point a{x1, y1}, b{x2, y2};
                    const Rect r = NormalisedRect(a, b);
                    ASSERT_EQ(r.Width(), std::abs(x2 - x1));
                    ASSERT_EQ(r.Height(), std::abs(y2 - y1));
                    ASSERT_EQ(r.left + r.right, x1 + x2);
                    ASSERT_EQ(r.top + r.bottom, y1 + y2)
                        << "(" << x1 << ", " << y1 << "), (" << x2 << ", " << y2 << ")";
                }
            }
        }
    }
}

TEST(CopySourceInsideThePicture, KeepsASourceInsideThePicture)
{
    EXPECT_EQ(Intersect({30, 10, 99, 40}, {0, 0, 100, 80}), (Rect{30, 10, 99, 40}));
    EXPECT_EQ(Intersect({0, 0, 100, 80}, {0, 0, 100, 80}), (Rect{0, 0, 100, 80}));
}

TEST(CopySourceInsideThePicture, ReadsNothingBeyondAnyEdge)
{
    EXPECT_EQ(Intersect({-5, -2, 10, 10}, {0, 0, 100, 80}), (Rect{0, 0, 10, 10}));
    EXPECT_EQ(Intersect({90, 70, 130, 95}, {0, 0, 100, 80}), (Rect{90, 70, 100, 80}));
}

TEST(CopySourceInsideThePicture, OfASourceWhollyOutsideIsEmpty)
{
    EXPECT_TRUE(Intersect({-9, 0, -1, 10}, {0, 0, 100, 80}).Empty());
    EXPECT_TRUE(Intersect({100, 0, 120, 10}, {0, 0, 100, 80}).Empty());
    EXPECT_TRUE(Intersect({0, 0, 4, 3}, {0, 0, 0, 0}).Empty());
}

}  // namespace
