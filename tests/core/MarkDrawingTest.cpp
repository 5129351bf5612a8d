// Each mark drawn as pixels: at 100 % and zoomed, on pictures of sizes 0, 1 and odd, reaching
// past the edges, and inside a clip rectangle only.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "GlyphFake.h"
#include "PixelSupport.h"
#include "core/MarkDrawing.h"

using namespace edittest;
using core::Mark;
using core::Point;
using core::Rect;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kRed = 0xFF0000, kYellow = 0xFFFF00;
constexpr std::uint32_t kBackground = 0x336699;

TestPicture Filled(std::int32_t width, std::int32_t height, std::uint32_t colour)
{
    TestPicture picture(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            picture.At(x, y) = colour;
    return picture;
}

core::ViewTransform AtFullSize(const TestPicture& picture) { return {1, {0, 0}, picture.width, picture.height}; }

void Draw(TestPicture& target, const core::ViewTransform& view, const Mark& mark, Rect clip = {-1000, -1000, 100000, 100000})
{
    const marktest::BlockGlyphs glyphs;
    core::DrawMarks(target.View(), view, clip, {mark}, glyphs);
}

// The pixels of a box `width` wide along the inside of `r`: all of it when it is no larger.
bool OnBox(Rect r, std::int32_t width, std::int32_t x, std::int32_t y)
{
    const Rect inner{r.left + width, r.top + width, r.right - width, r.bottom - width};
    return Inside(r, x, y) && (inner.Empty() || !Inside(inner, x, y));
}

struct BoxCase {
    std::int32_t width, height;
    Point a, b;
    std::int32_t lineWidth;
};

TEST(MarkDrawing, ABoxAtFullSizeIsItsOutlineExactly)
{
    const BoxCase cases[] = {
        {0, 0, {0, 0}, {5, 5}, 4},       {1, 1, {0, 0}, {1, 1}, 4},      {1, 1, {-3, -3}, {4, 4}, 2},
        {7, 5, {-5, -5}, {8, 6}, 2},     {31, 17, {3, 2}, {29, 15}, 4},  {31, 17, {29, 15}, {3, 2}, 8},
        {31, 17, {10, 5}, {12, 16}, 2},  {31, 17, {28, 14}, {40, 40}, 8}, {31, 17, {5, 5}, {5, 9}, 4},
        {31, 17, {40, 40}, {50, 50}, 4},
    };
    for (const BoxCase& c : cases) {
        TestPicture picture = Filled(c.width, c.height, kBackground);
        Draw(picture, AtFullSize(picture), core::BoxMark(c.a, c.b, {kRed, c.lineWidth}));
        const Rect r = core::NormalisedRect(c.a, c.b);
        EXPECT_TRUE(picture.SparesUntouched());
        for (std::int32_t y = 0; y < c.height; ++y)
            for (std::int32_t x = 0; x < c.width; ++x)
                ASSERT_EQ(picture.At(x, y), OnBox(r, c.lineWidth, x, y) ? kRed : kBackground)
                    << c.width << "x" << c.height << " at (" << x << ", " << y << ")";
    }
}

TEST(MarkDrawing, ZoomedInEachPicturePixelOfABoxIsACrispSquare)
{
    for (const std::int32_t percent : {200, 400, 1600}) {
        const std::int32_t scale = percent / 100;
        // A scrolled view of odd size onto a 40 × 30 picture.
        TestPicture target = Filled(41, 27, kBackground);
        const Point scroll{3 * scale + 1, 2 * scale + 3};
        const core::ViewTransform view{scale * 1.0, {-scroll.x, -scroll.y}, 40, 30};
        const Rect r{4, 3, 17, 12};
        Draw(target, view, core::BoxMark({r.left, r.top}, {r.right, r.bottom}, {kRed, 2}));
        EXPECT_TRUE(target.SparesUntouched());
        for (std::int32_t y = 0; y < target.height; ++y)
            for (std::int32_t x = 0; x < target.width; ++x) {
                const std::int32_t px = (x + scroll.x) / scale, py = (y + scroll.y) / scale;
                ASSERT_EQ(target.At(x, y), OnBox(r, 2, px, py) ? kRed : kBackground)
                    << percent << "% at (" << x << ", " << y << ")";
            }
    }
}

TEST(MarkDrawing, OnlyThePixelsInsideTheClipChange)
{
    const Mark box = core::BoxMark({2, 2}, {19, 14}, {kRed, 4});
    TestPicture whole = Filled(21, 15, kBackground), clipped = Filled(21, 15, kBackground);
    Draw(whole, AtFullSize(whole), box);
    const Rect clip{4, 1, 11, 9};
    Draw(clipped, AtFullSize(clipped), box, clip);
    for (std::int32_t y = 0; y < 15; ++y)
        for (std::int32_t x = 0; x < 21; ++x)
            ASSERT_EQ(clipped.At(x, y), Inside(clip, x, y) ? whole.At(x, y) : kBackground) << x << ", " << y;
}

TEST(MarkDrawing, NothingIsDrawnBesideThePictureInALargerTarget)
{
    TestPicture target = Filled(20, 20, kBackground);
    Draw(target, {1, {0, 0}, 10, 8}, core::BoxMark({5, 5}, {18, 18}, {kRed, 2}));
    for (std::int32_t y = 0; y < 20; ++y)
        for (std::int32_t x = 0; x < 20; ++x)
            ASSERT_EQ(target.At(x, y), OnBox({5, 5, 18, 18}, 2, x, y) && x < 10 && y < 8 ? kRed : kBackground)
                << x << ", " << y;
}

TEST(MarkDrawing, TheHighlighterMultipliesBlackStaysBlackWhiteBecomesTheColour)
{
    TestPicture picture(5, 3);
    const std::uint32_t row[] = {0xFFFFFF, 0x000000, 0x808080, 0x00FF80, 0x123456};
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 5; ++x)
            picture.At(x, y) = row[x];
    Draw(picture, AtFullSize(picture), core::HighlighterMark({-4, 1}, {40, 9}, {kYellow, 4}));
    const std::uint32_t highlighted[] = {0xFFFF00, 0x000000, 0x808000, 0x00FF00, 0x123400};
    for (std::int32_t x = 0; x < 5; ++x) {
        EXPECT_EQ(picture.At(x, 0), row[x]) << x;
        EXPECT_EQ(picture.At(x, 1), highlighted[x]) << x;
        EXPECT_EQ(picture.At(x, 2), highlighted[x]) << x;
    }
    EXPECT_TRUE(picture.SparesUntouched());
}

TEST(MarkDrawing, ZoomedOutAPartlyCoveredPixelIsPartlyHighlighted)
{
    // Two by two picture pixels at 25 % cover half a target pixel each way, a quarter of it in all.
    TestPicture target = Filled(3, 3, kWhite);
    Draw(target, {0.25, {0, 0}, 40, 40}, core::HighlighterMark({0, 0}, {2, 2}, {kYellow, 4}));
    EXPECT_EQ(target.At(0, 0), 0xFFFFBFu);  // blue 255 · (1 − 64/255), rounded
    EXPECT_EQ(target.At(1, 0), kWhite);
    EXPECT_EQ(target.At(0, 1), kWhite);
}

struct PixelIs {
    std::int32_t x, y;
    std::uint32_t colour;
};

struct ArrowCase {
    Point size, tail, head;  // the target's size
    std::int32_t width;
    double scale;
    std::vector<PixelIs> pixels;
};

TEST(MarkDrawing, ALevelOrUprightArrowHasAStraightShaftAndAFilledHeadWithSmoothEdges)
{
    constexpr std::uint32_t kHalf = 0xFF7F7F, kQuarter = 0xFFBFBF;  // red at 128 and 64 of 255
    const ArrowCase cases[] = {
        // The shaft 4 pixels wide about row 20's centre, its outer rows and its tail's pixel half
        // covered; the head 22 long and 10 each side at its base, its tip a quarter.
        {{120, 41}, {2, 20}, {100, 20}, 4, 1,
         {{50, 17, kWhite}, {50, 18, kHalf}, {50, 19, kRed}, {50, 20, kRed}, {50, 21, kRed}, {50, 22, kHalf},
          {50, 23, kWhite}, {1, 20, kWhite}, {2, 20, kHalf}, {3, 20, kRed}, {90, 17, kRed}, {90, 23, kRed},
          {90, 26, kWhite}, {80, 28, kRed}, {80, 12, kRed}, {80, 33, kWhite}, {76, 28, kWhite},
          {100, 20, kQuarter}, {102, 20, kWhite}}},
        // Shorter than its head: the head shrinks to 6 long and the shaft ends half way into it,
        // where the head is narrower than the shaft, so its corners show.
        {{12, 7}, {2, 3}, {8, 3}, 4, 1,
         {{1, 3, kWhite}, {2, 3, kHalf}, {3, 3, kRed}, {5, 1, kQuarter}, {6, 1, kWhite}, {5, 5, kQuarter}, {6, 5, kWhite}}},
        {{24, 14}, {2, 3}, {8, 3}, 4, 2,
         {{4, 7, kWhite}, {5, 7, kRed}, {10, 3, kRed}, {11, 3, kWhite}, {10, 2, kWhite}, {10, 10, kRed}, {10, 11, kWhite},
          {11, 10, kWhite}}},
        // A pixel long: half a pixel of shaft, the head's tip a quarter.
        {{7, 5}, {3, 2}, {4, 2}, 4, 1,
         {{2, 2, kWhite}, {3, 2, kHalf}, {4, 2, kQuarter}, {3, 0, kQuarter}, {4, 0, kWhite}}},
    };
    for (const ArrowCase& c : cases)
        for (const bool upright : {false, true}) {
            // Upright, x and y swap: the arrow points down, each pixel where its mirror was.
            const auto turned = [upright](Point p) { return upright ? Point{p.y, p.x} : p; };
            const Point size = turned(c.size);
            TestPicture target = Filled(size.x, size.y, kWhite);
            Draw(target, {c.scale, {0, 0}, size.x, size.y}, core::ArrowMark(turned(c.tail), turned(c.head), {kRed, c.width}));
            for (const PixelIs& p : c.pixels) {
                const Point at = turned({p.x, p.y});
                EXPECT_EQ(target.At(at.x, at.y), p.colour) << (&c - cases) << (upright ? " upright" : " level") << " at " << p.x << ", " << p.y;
            }
            EXPECT_TRUE(target.SparesUntouched());
        }
}

TEST(MarkDrawing, ASlantedArrowIsSmoothNotStepped)
{
    TestPicture picture = Filled(70, 50, kWhite);
    Draw(picture, AtFullSize(picture), core::ArrowMark({5, 5}, {60, 40}, {kRed, 2}));
    int partly = 0, fully = 0;
    for (const std::uint32_t p : picture.pixels) {
        if (p == kRed) ++fully;
        else if (p != kWhite && p != kSentinel) ++partly;
    }
    EXPECT_GT(fully, 60);
    EXPECT_GT(partly, 60);
}

TEST(MarkDrawing, ZoomedInAnArrowsShaftIsItsWidthTimesTheZoomAcross)
{
    // At 1600 % the part of picture row 10's shaft shown: rows 56 .. 119 of the target are red.
    TestPicture target = Filled(40, 100, kWhite);
    Draw(target, {16, {-320, -80}, 200, 40}, core::ArrowMark({0, 10}, {150, 10}, {kRed, 4}));
    for (std::int32_t y = 0; y < 100; ++y)
        ASSERT_EQ(target.At(10, y), y >= 56 ? kRed : kWhite) << y;
}

TEST(MarkDrawing, AnArrowOfNoLengthDrawsNothingAndArrowsReachingPastTheEdgesAreClipped)
{
    TestPicture picture = Filled(7, 5, kWhite);
    Draw(picture, AtFullSize(picture), core::ArrowMark({3, 3}, {3, 3}, {kRed, 8}));
    for (const std::uint32_t p : picture.pixels)
        ASSERT_TRUE(p == kWhite || p == kSentinel);
    Draw(picture, AtFullSize(picture), core::ArrowMark({-50, 2}, {60, 2}, {kRed, 4}));
    for (std::int32_t x = 0; x < 7; ++x)
        EXPECT_EQ(picture.At(x, 2), kRed) << x;
    EXPECT_TRUE(picture.SparesUntouched());
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{1, 9}}) {
        TestPicture tiny = Filled(w, h, kWhite);
        Draw(tiny, AtFullSize(tiny), core::ArrowMark({-10, -10}, {10, 10}, {kRed, 8}));
        EXPECT_TRUE(tiny.SparesUntouched());
        if (w) {
            EXPECT_EQ(tiny.At(0, 0), kRed);
        }
    }
}

struct NumberCase {
    std::int32_t value, width;
    double scale;
    Point centre;
    Rect digits;  // in the target: the fake's cells, as wide as half their height
};

TEST(MarkDrawing, ANumberIsAFilledCircleWithItsDigitsInWhite)
{
    // The circle 14 + 3 · width across; one or two digits 0.6 of it high, more 1.3 / count of it.
    const NumberCase cases[] = {
        {7, 4, 1, {30, 30}, {27, 23, 35, 39}},    // 16 high about the centre pixel's middle, 30.5
        {12, 4, 1, {30, 30}, {23, 23, 39, 39}},   // two: still 16
        {123, 4, 1, {30, 30}, {23, 25, 38, 36}},  // three: 11
        {12, 2, 2, {15, 15}, {19, 19, 43, 43}},   // 24 high about 31
        {12, 8, 0.25, {100, 100}, {22, 22, 28, 28}},  // 6 high about 25.125
    };
    for (const NumberCase& c : cases) {
        TestPicture target = Filled(61, 61, kBackground);
        Draw(target, {c.scale, {0, 0}, 400, 400}, core::NumberMark(c.centre, c.value, {kRed, c.width}));
        const double radius = (14 + 3 * c.width) * c.scale / 2, cx = (c.centre.x + 0.5) * c.scale, cy = (c.centre.y + 0.5) * c.scale;
        for (std::int32_t y = 0; y < 61; ++y)
            for (std::int32_t x = 0; x < 61; ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                const std::uint32_t p = target.At(x, y);
                if (Inside(c.digits, x, y) || d <= radius - 0.5 || d >= radius + 0.5) {
                    ASSERT_EQ(p, Inside(c.digits, x, y) ? kWhite : d < radius ? kRed : kBackground) << c.value << " at " << x << ", " << y;
                } else if (std::abs(d - radius) < 0.25) {
                    ASSERT_TRUE(p != kRed && p != kBackground) << c.value << " at " << x << ", " << y;  // its rim, smoothed
                }
            }
        EXPECT_TRUE(target.SparesUntouched());
    }
}

TEST(MarkDrawing, CirclesAndArrowsAreAsSmoothOnTheLeftAsOnTheRight)
{
    // A number without digits (its glyphs empty) and a level arrow, each mirror-symmetric.
    struct NoGlyphs : marktest::BlockGlyphs {
        core::Coverage Glyphs(std::u16string_view, std::int32_t, Rect) const override { return {}; }
    } none;
    for (const std::int32_t width : {2, 4, 8}) {
        TestPicture picture = Filled(61, 61, kWhite);
        core::DrawMarks(picture.View(), AtFullSize(picture), picture.View().Bounds(),
                        {core::NumberMark({30, 30}, 1, {kRed, width})}, none);
        for (std::int32_t y = 0; y < 61; ++y)
            for (std::int32_t k = 0; k <= 30; ++k) {
                ASSERT_EQ(picture.At(30 - k, y), picture.At(30 + k, y)) << width << ": " << k << ", " << y;
                ASSERT_EQ(picture.At(y, 30 - k), picture.At(y, 30 + k)) << width << ": " << y << ", " << k;
            }
    }
    TestPicture picture = Filled(80, 41, kWhite);
    Draw(picture, AtFullSize(picture), core::ArrowMark({5, 20}, {70, 20}, {kRed, 8}));
    for (std::int32_t x = 0; x < 80; ++x)
        for (std::int32_t k = 0; k <= 20; ++k)
            // The head's two sides are worked from different corners: a rounding step apart at most.
            ASSERT_NEAR(static_cast<int>(picture.At(x, 20 - k) & 0xFF), static_cast<int>(picture.At(x, 20 + k) & 0xFF), 1)
                << x << ", " << k;
}

TEST(MarkDrawing, ANumberAtThePicturesCornerIsClipped)
{
    TestPicture picture = Filled(5, 5, kBackground);
    Draw(picture, AtFullSize(picture), core::NumberMark({0, 0}, 12, {kRed, 8}));
    EXPECT_EQ(picture.At(4, 4), kWhite);  // the digits, over a circle much larger than the picture
    EXPECT_TRUE(picture.SparesUntouched());
}

core::Coverage Solid(Rect area, std::uint8_t alpha = 255)
{
    return {area, std::vector<std::uint8_t>(static_cast<size_t>(area.Width()) * static_cast<size_t>(area.Height()), alpha)};
}

TEST(MarkDrawing, GrowingCoverageTakesTheLargestValueWithinTheEdge)
{
    core::Coverage one{{0, 0, 3, 3}, {0, 0, 0, 0, 255, 0, 0, 100, 0}};
    const core::Coverage grown = core::GrownCoverage(one, 2);
    EXPECT_EQ(grown.area, (Rect{-2, -2, 5, 5}));
    ASSERT_EQ(grown.alpha.size(), 49u);
    for (std::int32_t y = 0; y < 7; ++y)
        for (std::int32_t x = 0; x < 7; ++x) {
            // The 255 at (1, 1) reaches -1 .. 3 each way (1 .. 5 here); the 100 at (1, 2) a row further down.
            const bool across = x >= 1 && x <= 5;
            const std::uint8_t expected = (across && y >= 1 && y <= 5) ? 255 : (across && y == 6) ? 100 : 0;
            ASSERT_EQ(grown.alpha[static_cast<size_t>(y * 7 + x)], expected) << x << ", " << y;
        }
    EXPECT_TRUE(core::GrownCoverage({}, 2).alpha.empty());
}

TEST(MarkDrawing, GlyphsAreLaidInTheirColourWithAThinWhiteEdge)
{
    TestPicture picture = Filled(13, 11, kBackground);
    const core::Coverage glyphs = Solid({0, 0, 3, 2});
    core::CompositeCoverage(picture.View(), picture.View().Bounds(), glyphs, core::GrownCoverage(glyphs, 1), {5, 5}, kRed);
    for (std::int32_t y = 0; y < 11; ++y)
        for (std::int32_t x = 0; x < 13; ++x) {
            const bool glyph = Inside({5, 5, 8, 7}, x, y), edge = Inside({4, 4, 9, 8}, x, y);
            ASSERT_EQ(picture.At(x, y), glyph ? kRed : edge ? kWhite : kBackground) << x << ", " << y;
        }
}

TEST(MarkDrawing, PartlyCoveredGlyphPixelsLieOverTheirWhiteEdge)
{
    TestPicture picture = Filled(3, 1, 0x000000);
    const core::Coverage glyphs = Solid({0, 0, 1, 1}, 128);
    core::CompositeCoverage(picture.View(), picture.View().Bounds(), glyphs, core::GrownCoverage(glyphs, 1), {1, 0}, 0x0000FF);
    // Half blue over the edge's half white over black.
    EXPECT_EQ(picture.At(1, 0), 0x4040C0u);
    EXPECT_EQ(picture.At(0, 0), 0x808080u);  // the edge itself is as covered as the glyph
}

TEST(MarkDrawing, GlyphsAreClippedToTheTargetAndTheClip)
{
    TestPicture picture = Filled(4, 4, kBackground);
    const core::Coverage glyphs = Solid({0, 0, 3, 2});
    core::CompositeCoverage(picture.View(), picture.View().Bounds(), glyphs, core::GrownCoverage(glyphs, 1), {-1, -1}, kRed);
    EXPECT_EQ(picture.At(0, 0), kRed);
    EXPECT_EQ(picture.At(1, 0), kRed);
    EXPECT_EQ(picture.At(2, 0), kWhite);
    EXPECT_EQ(picture.At(0, 1), kWhite);
    EXPECT_EQ(picture.At(3, 0), kBackground);
    EXPECT_EQ(picture.At(0, 2), kBackground);
    EXPECT_TRUE(picture.SparesUntouched());

    TestPicture clipped = Filled(4, 4, kBackground);
    core::CompositeCoverage(clipped.View(), {0, 0, 1, 4}, glyphs, core::GrownCoverage(glyphs, 1), {-1, -1}, kRed);
    EXPECT_EQ(clipped.At(0, 0), kRed);
    EXPECT_EQ(clipped.At(1, 0), kBackground);

    // A coverage with fewer values than its area (a failing platform) lays nothing.
    TestPicture untouched = Filled(4, 4, kBackground);
    core::CompositeCoverage(untouched.View(), untouched.View().Bounds(), {{0, 0, 3, 2}, std::vector<std::uint8_t>(5, 255)}, {},
                            {0, 0}, kRed);
    for (const std::uint32_t p : untouched.pixels)
        ASSERT_TRUE(p == kBackground || p == kSentinel);
}

TEST(MarkDrawing, ATextShowsItsGlyphsWithAPictureEdgeWideAtEveryZoom)
{
    // "ab" at 普通: two 12 × 24 cells.
    TestPicture picture = Filled(40, 40, kBackground);
    Mark text = core::TextMark({5, 6}, u"ab", {0, 0}, {kRed, 4});
    core::FitText(text, marktest::BlockGlyphs{});
    EXPECT_EQ(text.b, (Point{29, 30}));
    Draw(picture, AtFullSize(picture), text);
    for (std::int32_t y = 0; y < 40; ++y)
        for (std::int32_t x = 0; x < 40; ++x)
            ASSERT_EQ(picture.At(x, y), Inside({5, 6, 29, 30}, x, y) ? kRed : Inside({4, 5, 30, 31}, x, y) ? kWhite : kBackground)
                << x << ", " << y;

    TestPicture zoomed = Filled(80, 80, kBackground);
    Draw(zoomed, {2, {0, 0}, 40, 40}, text);
    for (std::int32_t y = 0; y < 80; ++y)
        for (std::int32_t x = 0; x < 80; ++x)
            ASSERT_EQ(zoomed.At(x, y), Inside({10, 12, 58, 60}, x, y) ? kRed : Inside({8, 10, 60, 62}, x, y) ? kWhite : kBackground)
                << x << ", " << y;
}

TEST(MarkDrawing, ZoomedOutATextKeepsAnEdgeOfAWindowPixel)
{
    // At 25 % "ab" at 普通 is two 3 × 6 cells (24 × 24 picture pixels): its edge cannot shrink to nothing.
    TestPicture target = Filled(20, 20, kBackground);
    Mark text = core::TextMark({20, 20}, u"ab", {0, 0}, {kRed, 4});
    core::FitText(text, marktest::BlockGlyphs{});
    Draw(target, {0.25, {0, 0}, 80, 80}, text);
    for (std::int32_t y = 0; y < 20; ++y)
        for (std::int32_t x = 0; x < 20; ++x)
            ASSERT_EQ(target.At(x, y), Inside({5, 5, 11, 11}, x, y) ? kRed : Inside({4, 4, 12, 12}, x, y) ? kWhite : kBackground)
                << x << ", " << y;
}

TEST(MarkDrawing, ALongTextIsAskedOnlyForWhatTheClipShows)
{
    struct Asking : marktest::BlockGlyphs {
        core::Coverage Glyphs(std::u16string_view text, std::int32_t height, Rect wanted) const override
        {
            asked = wanted;
            return BlockGlyphs::Glyphs(text, height, wanted);
        }
        mutable Rect asked{};
    } glyphs;
    Mark text = core::TextMark({0, 0}, std::u16string(10000, u'x'), {0, 0}, {kRed, 4});
    core::FitText(text, glyphs);
    EXPECT_EQ(text.b, (Point{120000, 24}));
    TestPicture target = Filled(50, 30, kBackground);
    core::DrawMarks(target.View(), {1, {-1000, 0}, 200000, 100}, target.View().Bounds(), {text}, glyphs);
    EXPECT_EQ(glyphs.asked, (Rect{999, -1, 1051, 30}));  // down to the text's bounds and its edge
    EXPECT_EQ(target.At(0, 0), kRed);
    EXPECT_EQ(target.At(0, 24), kWhite);
    EXPECT_EQ(target.At(0, 25), kBackground);
}

TEST(MarkDrawing, MarksOutsideTheClipAreNotDrawnNorTheirGlyphsAsked)
{
    const marktest::BlockGlyphs glyphs;
    TestPicture picture = Filled(100, 100, kBackground);
    const std::vector<Mark> marks = {core::TextMark({60, 60}, u"far", {27, 18}, {kRed, 2}),
                                     core::NumberMark({80, 80}, 3, {kRed, 2})};
    core::DrawMarks(picture.View(), AtFullSize(picture), {0, 0, 40, 40}, marks, glyphs);
    EXPECT_EQ(glyphs.calls, 0);
    for (const std::uint32_t p : picture.pixels)
        ASSERT_TRUE(p == kBackground || p == kSentinel);
    core::DrawMarks(picture.View(), AtFullSize(picture), picture.View().Bounds(), marks, glyphs);
    EXPECT_EQ(glyphs.calls, 2);
}

TEST(MarkDrawing, AGlyphSourceThatFailsStopsTheDrawing)
{
    marktest::BlockGlyphs glyphs;
    glyphs.fail = true;
    TestPicture picture = Filled(30, 30, kBackground);
    EXPECT_THROW(core::DrawMarks(picture.View(), AtFullSize(picture), picture.View().Bounds(),
                                 {core::NumberMark({10, 10}, 1, {kRed, 4})}, glyphs),
                 std::runtime_error);
}

}  // namespace
