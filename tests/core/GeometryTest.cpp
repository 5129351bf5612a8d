#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/Geometry.h"

using core::FrameRing;
using core::Intersect;
using core::NormalisedRect;
using core::Point;
using core::Rect;

namespace {

TEST(Rect, MeasuresWithExclusiveRightAndBottom)
{
    const Rect r{3, 4, 10, 6};
    EXPECT_EQ(r.Width(), 7);
    EXPECT_EQ(r.Height(), 2);
    EXPECT_FALSE(r.Empty());
}

TEST(Rect, WithoutWidthOrHeightIsEmpty)
{
    EXPECT_TRUE((Rect{3, 4, 3, 9}).Empty());
    EXPECT_TRUE((Rect{3, 4, 9, 4}).Empty());
    EXPECT_TRUE((Rect{5, 4, 3, 9}).Empty());
    EXPECT_FALSE((Rect{3, 4, 4, 5}).Empty());
}

TEST(NormalisedRect, TakesCornersInAnyOrder)
{
    const Rect expected{4, 5, 10, 20};
    EXPECT_EQ(NormalisedRect({4, 5}, {10, 20}), expected);
    EXPECT_EQ(NormalisedRect({10, 20}, {4, 5}), expected);
    EXPECT_EQ(NormalisedRect({10, 5}, {4, 20}), expected);
    EXPECT_EQ(NormalisedRect({4, 20}, {10, 5}), expected);
    EXPECT_EQ(NormalisedRect({-3, 7}, {2, -1}), (Rect{-3, -1, 2, 7}));
}

TEST(Intersect, KeepsTheCommonPart)
{
    EXPECT_EQ(Intersect({0, 0, 10, 8}, {-5, 3, 4, 20}), (Rect{0, 3, 4, 8}));
    EXPECT_EQ(Intersect({2, 2, 5, 5}, {0, 0, 10, 10}), (Rect{2, 2, 5, 5}));
}

TEST(Intersect, OfDisjointOrTouchingRectanglesIsAllZero)
{
    EXPECT_EQ(Intersect({0, 0, 10, 8}, {10, 0, 12, 8}), (Rect{}));
    EXPECT_EQ(Intersect({0, 0, 10, 8}, {-4, -4, -1, -1}), (Rect{}));
    EXPECT_EQ(Intersect({0, 0, 10, 8}, {3, 3, 3, 3}), (Rect{}));
}

// How many strips of the ring cover each pixel of a window around the frame.
std::vector<int> CoverCounts(const core::FrameStrips& ring, Rect window)
{
    std::vector<int> counts(static_cast<std::size_t>(window.Width() * window.Height()), 0);
    for (int i = 0; i < ring.count; ++i) {
        const Rect& s = ring.strips[static_cast<std::size_t>(i)];
        for (std::int32_t y = s.top; y < s.bottom; ++y) {
            for (std::int32_t x = s.left; x < s.right; ++x) {
                if (x >= window.left && x < window.right && y >= window.top && y < window.bottom) {
                    ++counts[static_cast<std::size_t>((y - window.top) * window.Width() + (x - window.left))];
                }
            }
        }
    }
    return counts;
}

TEST(FrameRing, CoversEachRingPixelExactlyOnceAndNothingElse)
{
    for (std::int32_t width = 0; width <= 9; ++width) {
        for (std::int32_t height = 0; height <= 9; ++height) {
            const Point a{-2, 3};
            const Point b{a.x + width, a.y + height};
            const Rect window{a.x - 2, a.y - 2, b.x + 2, b.y + 2};
            for (const auto& [p, q] : {std::pair{a, b}, std::pair{b, a}, std::pair{Point{a.x, b.y}, Point{b.x, a.y}}}) {
                const core::FrameStrips ring = FrameRing(p, q);
                const std::string where = std::to_string(width) + " x " + std::to_string(height);
                ASSERT_LE(ring.count, 4) << where;
                for (int i = 0; i < ring.count; ++i) {
                    EXPECT_FALSE(ring.strips[static_cast<std::size_t>(i)].Empty()) << where << " strip " << i;
                }
                const std::vector<int> counts = CoverCounts(ring, window);
                for (std::int32_t y = window.top; y < window.bottom; ++y) {
                    for (std::int32_t x = window.left; x < window.right; ++x) {
                        const bool inside = x >= a.x && x < b.x && y >= a.y && y < b.y;
                        const bool onEdge = x == a.x || x == b.x - 1 || y == a.y || y == b.y - 1;
                        const int wanted = inside && onEdge ? 1 : 0;
                        const int got =
                            counts[static_cast<std::size_t>((y - window.top) * window.Width() + (x - window.left))];
                        ASSERT_EQ(got, wanted) << where << " at (" << x << ", " << y << ")";
                    }
                }
            }
        }
    }
}

TEST(FrameRing, OfAnEmptyRectangleHasNoStrips)
{
    EXPECT_EQ(FrameRing({5, 5}, {5, 5}).count, 0);
    EXPECT_EQ(FrameRing({5, 5}, {9, 5}).count, 0);
    EXPECT_EQ(FrameRing({5, 5}, {5, 9}).count, 0);
}

TEST(FrameRing, OfAThinRectangleIsTheRectangleItself)
{
    const core::FrameStrips column = FrameRing({4, 9}, {5, 2});
    ASSERT_EQ(column.count, 1);
    EXPECT_EQ(column.strips[0], (Rect{4, 2, 5, 9}));
    const core::FrameStrips row = FrameRing({4, 2}, {9, 3});
    ASSERT_EQ(row.count, 1);
    EXPECT_EQ(row.strips[0], (Rect{4, 2, 9, 3}));
}

}  // namespace
