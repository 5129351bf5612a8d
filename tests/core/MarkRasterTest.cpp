// The smooth-edged shapes against a model worked out here: a pixel whose centre lies half a
// pixel or more inside every side is covered, one half a pixel or more outside a side is not, and
// one near a single side is covered by how far its centre lies inside it. Pictures of sizes 0, 1
// and odd, shapes past the edges and clipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "PixelSupport.h"
#include "core/MarkRaster.h"

using namespace edittest;
using core::Rect;
using core::raster::Convex;
using core::raster::Spot;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// The distances of (x, y) inside each side of a convex polygon, in either corner order.
std::vector<double> InsideDistances(const Convex& shape, double x, double y)
{
    double turn = 0;
    for (int i = 0; i < shape.count; ++i) {
        const Spot p = shape.corners[i], q = shape.corners[(i + 1) % shape.count];
        turn += (q.x - p.x) * (q.y + p.y);
    }
    std::vector<double> out;
    for (int i = 0; i < shape.count; ++i) {
        const Spot p = shape.corners[i], q = shape.corners[(i + 1) % shape.count];
        const double length = std::hypot(q.x - p.x, q.y - p.y);
        const double cross = ((q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x)) / length;
        out.push_back(turn > 0 ? -cross : cross);
    }
    return out;
}

struct ConvexCase {
    const char* name;
    std::int32_t width, height;
    Rect clip;  // inside the picture
    std::vector<Convex> shapes;
};

TEST(FillConvex, CoversWhatLiesHalfAPixelInsideAndNothingHalfAPixelOutside)
{
    const Convex shallow{{{0.5, 1}, {12, 4}, {12, 6.5}, {0.5, 3.5}}, 4};
    const Convex shallowBack{{{0.5, 3.5}, {12, 6.5}, {12, 4}, {0.5, 1}}, 4};
    const Convex risingLeft{{{12.5, 0.5}, {0.5, 4}, {0.5, 6.5}, {12.5, 3}}, 4};
    const Convex pastLeftAndBottom{{{-4, 2}, {8, 12}, {6, -3}}, 3};
    const Convex pastRight{{{10, -2}, {20, 3}, {15, 12}, {9, 8}}, 4};
    const Convex steep{{{3.2, -1}, {5.7, 10}, {7.9, 10}, {5.4, -1}}, 4};
    // Shallow sides coming from above the picture, far from its left edge: each row's extent
    // must come from where the sides cross the rows around it.
    const Convex fromAbove{{{10, -3}, {28, 3}, {28, 6}, {10, 0}}, 4};
    const Convex fromAboveBack{{{10, 0}, {28, 6}, {28, 3}, {10, -3}}, 4};
    const Convex fromAboveRight{{{33, -4}, {12, 2}, {12, 5}, {33, -1}}, 4};
    const Convex fromAboveRightBack{{{33, -1}, {12, 5}, {12, 2}, {33, -4}}, 4};
    const Convex wedge{{{2, -2}, {29, 7}, {20, -1}}, 3};
    const Convex fromHighAbove{{{2, -10}, {30, 8}, {0, 8}}, 3};
    const ConvexCase cases[] = {
        {"shallow from above", 31, 9, {0, 0, 31, 9}, {fromAbove}},
        {"shallow from above, the other way", 31, 9, {0, 0, 31, 9}, {fromAboveBack}},
        {"shallow from above the right", 31, 9, {0, 0, 31, 9}, {fromAboveRight}},
        {"shallow from above the right, the other way", 31, 9, {0, 0, 31, 9}, {fromAboveRightBack}},
        {"a wedge", 31, 9, {0, 0, 31, 9}, {wedge}},
        {"a corner high above", 31, 9, {0, 0, 31, 9}, {fromHighAbove}},
        {"shallow", 13, 9, {0, 0, 13, 9}, {shallow}},
        {"shallow, corners the other way", 13, 9, {0, 0, 13, 9}, {shallowBack}},
        {"rising", 13, 9, {0, 0, 13, 9}, {risingLeft}},
        {"past the left and bottom edges", 13, 9, {0, 0, 13, 9}, {pastLeftAndBottom}},
        {"past the right edge", 13, 9, {0, 0, 13, 9}, {pastRight}},
        {"steep, past the top and bottom", 13, 9, {0, 0, 13, 9}, {steep}},
        {"two shapes", 13, 9, {0, 0, 13, 9}, {steep, shallow}},
        {"two shapes, the second past the edges", 13, 9, {0, 0, 13, 9}, {risingLeft, pastLeftAndBottom}},
        {"clipped", 13, 9, {2, 1, 9, 6}, {pastLeftAndBottom}},
        {"a flat shape beside another", 13, 9, {0, 0, 13, 9}, {{{{0.5, 1.5}, {12.5, 1.5}, {6, 1.5}}, 3}, steep}},
        {"one pixel", 1, 1, {0, 0, 1, 1}, {pastLeftAndBottom}},
        {"one pixel, shape beside it", 1, 1, {0, 0, 1, 1}, {pastRight}},
        {"no pixels", 0, 0, {0, 0, 0, 0}, {shallow}},
    };
    for (const ConvexCase& c : cases) {
        TestPicture picture(c.width, c.height);
        for (std::int32_t y = 0; y < c.height; ++y)
            for (std::int32_t x = 0; x < c.width; ++x) picture.At(x, y) = 0;
        core::raster::FillConvex(picture.View(), c.clip, c.shapes.data(), static_cast<int>(c.shapes.size()), {kWhite});
        EXPECT_TRUE(picture.SparesUntouched()) << c.name;
        for (std::int32_t y = 0; y < c.height; ++y)
            for (std::int32_t x = 0; x < c.width; ++x) {
                const std::uint32_t got = picture.At(x, y);
                if (!Inside(c.clip, x, y)) {
                    EXPECT_EQ(got, 0u) << c.name << " at " << x << "," << y;
                    continue;
                }
                bool full = false, none = true;
                int expected = -1;  // a level when one side alone decides
                for (const Convex& shape : c.shapes) {
                    std::vector<double> d = InsideDistances(shape, x + 0.5, y + 0.5);
                    std::sort(d.begin(), d.end());
                    full = full || d[0] >= 0.5;
                    none = none && d[0] <= -0.5;
                    if (c.shapes.size() == 1 && d[0] > -0.5 && d[0] < 0.5 && d[1] >= 0.5)
                        expected = static_cast<int>(std::lround((0.5 + d[0]) * 255));
                }
                if (full) {
                    EXPECT_EQ(got, kWhite) << c.name << " at " << x << "," << y;
                }
                if (none) {
                    EXPECT_EQ(got, 0u) << c.name << " at " << x << "," << y;
                }
                if (expected >= 0) {
                    EXPECT_NEAR(static_cast<int>(got & 0xFF), expected, 1) << c.name << " at " << x << "," << y;
                    EXPECT_EQ(got, (got & 0xFF) * 0x010101u) << c.name << " at " << x << "," << y;
                }
            }
    }
}

TEST(FillConvex, ASmallSquareInEitherOrderCoversItsPixelByTheSameAmountAndAFlatShapeNothing)
{
    const struct {
        const char* name;
        Convex shape;
        std::uint32_t atOneOne;
    } cases[] = {
        // Each side a quarter pixel from the centre: 0.75 to the fourth power of 255.
        {"square", {{{1.25, 1.25}, {1.75, 1.25}, {1.75, 1.75}, {1.25, 1.75}}, 4}, 0x515151},
        {"square the other way", {{{1.25, 1.75}, {1.75, 1.75}, {1.75, 1.25}, {1.25, 1.25}}, 4}, 0x515151},
        {"flat", {{{0.5, 1.5}, {3.5, 1.5}, {2, 1.5}}, 3}, 0},
    };
    for (const auto& c : cases) {
        TestPicture picture(3, 3);
        for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < 3; ++x) picture.At(x, y) = 0;
        core::raster::FillConvex(picture.View(), {0, 0, 3, 3}, &c.shape, 1, {kWhite});
        for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < 3; ++x)
                EXPECT_EQ(picture.At(x, y), x == 1 && y == 1 ? c.atOneOne : 0u) << c.name << " at " << x << "," << y;
    }
}

TEST(FillDisc, CoversWhatLiesHalfAPixelInsideItsRimAndByHowFarInsideNearIt)
{
    const struct {
        std::int32_t width, height;
        Spot centre;
        double radius;
    } cases[] = {
        {13, 9, {6.5, 4.5}, 0},   {13, 9, {6.3, 4.6}, 0.6}, {13, 9, {6.5, 4.5}, 1},    {13, 9, {5.2, 3.9}, 3.3},
        {13, 9, {0.4, 8.7}, 4.2}, {13, 9, {12, 1}, 2.5},    {1, 1, {0.5, 0.5}, 1.5},   {1, 1, {-1, 0.5}, 1.2},
        {0, 0, {0, 0}, 3},        {13, 9, {20, 4}, 7.1},   {13, 9, {-3.5, -2}, 6.3},
    };
    for (const auto& c : cases) {
        TestPicture picture(c.width, c.height);
        for (std::int32_t y = 0; y < c.height; ++y)
            for (std::int32_t x = 0; x < c.width; ++x) picture.At(x, y) = 0;
        core::raster::FillDisc(picture.View(), {0, 0, c.width, c.height}, c.centre, c.radius, {kWhite});
        EXPECT_TRUE(picture.SparesUntouched());
        for (std::int32_t y = 0; y < c.height; ++y)
            for (std::int32_t x = 0; x < c.width; ++x) {
                const double inside = c.radius - std::hypot(x + 0.5 - c.centre.x, y + 0.5 - c.centre.y);
                const int level = c.radius > 0 ? static_cast<int>(std::lround(std::clamp(inside + 0.5, 0.0, 1.0) * 255)) : 0;
                EXPECT_NEAR(static_cast<int>(picture.At(x, y) & 0xFF), level, 1) << c.radius << " at " << x << "," << y;
            }
    }
}

double Overlap(double a0, double a1, double b0, double b1) { return std::max(0.0, std::min(a1, b1) - std::max(a0, b0)); }

TEST(FillRing, CoversExactlyTheAreaOfEachPixelBetweenItsBoxes)
{
    using core::raster::Box;
    const struct {
        std::int32_t width, height;
        Box outer, inner;
    } cases[] = {
        {13, 9, {1.25, 0.5, 10.75, 7.5}, {3.5, 2.25, 8.5, 5.75}},
        {13, 9, {1.25, 0.5, 10.75, 7.5}, {3.3, 4, 8.6, 4}},  // an inside of no height: all of it
        {13, 9, {-2.5, -1.5, 15.3, 3.6}, {0.5, 0.5, 12.2, 2.1}},
        {13, 9, {2, 1, 9, 8}, {4, 3, 7, 6}},
        {1, 1, {-1, -1, 2, 2}, {0.25, 0.25, 0.75, 0.75}},
        {0, 0, {0, 0, 5, 5}, {1, 1, 2, 2}},
    };
    for (const auto& c : cases) {
        TestPicture picture(c.width, c.height);
        for (std::int32_t y = 0; y < c.height; ++y)
            for (std::int32_t x = 0; x < c.width; ++x) picture.At(x, y) = 0;
        core::raster::FillRing(picture.View(), {0, 0, c.width, c.height}, c.outer, c.inner, {kWhite});
        EXPECT_TRUE(picture.SparesUntouched());
        for (std::int32_t y = 0; y < c.height; ++y)
            for (std::int32_t x = 0; x < c.width; ++x) {
                const double area = Overlap(x, x + 1, c.outer.left, c.outer.right) * Overlap(y, y + 1, c.outer.top, c.outer.bottom) -
                                    Overlap(x, x + 1, c.inner.left, c.inner.right) * Overlap(y, y + 1, c.inner.top, c.inner.bottom);
                EXPECT_NEAR(static_cast<int>(picture.At(x, y) & 0xFF), std::lround(area * 255), 1) << c.outer.left << " at " << x << "," << y;
            }
    }
}

TEST(FillRing, ASliverOfAPixelStillTintsIt)
{
    TestPicture picture(1, 1);
    picture.At(0, 0) = 0;
    // 1.2 / 255 of the pixel: an alpha of 1, one level of 255.
    core::raster::FillRing(picture.View(), {0, 0, 1, 1}, {0, 0, 1, 1.2 / 255}, {0, 0, 0, 0}, {kWhite});
    EXPECT_EQ(picture.At(0, 0), 0x010101u);
}

TEST(Painted, BlendsEachColourRoundedAndKeepsTheFourthByte)
{
    const struct {
        std::uint32_t pixel;
        core::raster::Paint paint;
        std::uint32_t alpha, expected;
    } cases[] = {
        {0x80102030, {0x00FFFFFF}, 255, 0x80FFFFFF},
        {0x00102030, {0xFF000000}, 255, 0x00000000},
        {0x00102030, {0xFFFFFFFF}, 0, 0x00102030},
        {0x00000000, {0x00FF8000}, 128, 0x00804000},       // 255 * 128 / 255, 128 * 128 / 255 = 64.25
        {0x00000000, {0x00000001}, 127, 0x00000000},       // 127 / 255 rounds down
        {0x00017F02, {0x007F0180, true}, 255, 0x00000001},  // 127 / 255 rounds down, 256 / 255 to 1
        {0x00FF80C0, {0x0080FF40, true}, 255, 0x00808030},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::raster::Painted(c.pixel, c.paint, c.alpha), c.expected) << std::hex << c.pixel << " " << c.paint.colour;
}

}  // namespace
