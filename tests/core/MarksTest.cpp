// The marks as data: what places something, where each lies, what a press hits at each zoom,
// the next number, and what a cut-out takes along.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

#include "GlyphFake.h"
#include "PixelSupport.h"
#include "core/MarkDrawing.h"
#include "core/Marks.h"

using core::Mark;
using core::MarkStyle;
using core::Point;
using core::Rect;

namespace {

const MarkStyle kRed{0xFF0000, 4};

TEST(Marks, NewMarksAreRedAndNormalButTheHighlighterIsYellow)
{
    EXPECT_EQ(core::DefaultStyle(core::MarkKind::Arrow), (MarkStyle{0xFF0000, 4}));
    EXPECT_EQ(core::DefaultStyle(core::MarkKind::Box), (MarkStyle{0xFF0000, 4}));
    EXPECT_EQ(core::DefaultStyle(core::MarkKind::Text), (MarkStyle{0xFF0000, 4}));
    EXPECT_EQ(core::DefaultStyle(core::MarkKind::Number), (MarkStyle{0xFF0000, 4}));
    EXPECT_EQ(core::DefaultStyle(core::MarkKind::Highlighter), (MarkStyle{0xFFFF00, 4}));
    EXPECT_EQ(core::kThinWidth, 2);
    EXPECT_EQ(core::kThickWidth, 8);
}

TEST(Marks, AnArrowOrBoxOfNoLengthAndAnEmptyTextPlaceNothing)
{
    EXPECT_FALSE(core::Places(core::ArrowMark({5, 5}, {5, 5}, kRed)));
    EXPECT_TRUE(core::Places(core::ArrowMark({5, 5}, {6, 5}, kRed)));
    EXPECT_FALSE(core::Places(core::BoxMark({5, 5}, {5, 40}, kRed)));
    EXPECT_FALSE(core::Places(core::BoxMark({5, 5}, {40, 5}, kRed)));
    EXPECT_TRUE(core::Places(core::BoxMark({5, 5}, {6, 6}, kRed)));
    EXPECT_TRUE(core::Places(core::BoxMark({40, 40}, {-6, 6}, kRed)));
    EXPECT_FALSE(core::Places(core::HighlighterMark({5, 5}, {5, 5}, kRed)));
    EXPECT_FALSE(core::Places(core::TextMark({5, 5}, u"", {0, 0}, kRed)));
    EXPECT_TRUE(core::Places(core::TextMark({5, 5}, u"\u3042", {9, 18}, kRed)));
    EXPECT_TRUE(core::Places(core::NumberMark({5, 5}, 1, kRed)));
}

TEST(Marks, TheNextNumberIsOneMoreThanTheHighestPresent)
{
    core::MarkList marks;
    EXPECT_EQ(marks.NextNumber(), 1);
    marks.Reserve(8);
    marks.Insert(0, core::NumberMark({1, 1}, 3, kRed));
    marks.Insert(1, core::BoxMark({0, 0}, {9, 9}, kRed));
    marks.Insert(2, core::NumberMark({1, 1}, 1, kRed));
    EXPECT_EQ(marks.NextNumber(), 4);
    Mark gone;
    marks.Remove(0, gone);
    EXPECT_EQ(gone.value, 3);
    EXPECT_EQ(marks.NextNumber(), 2);
}

TEST(Marks, AThousandNumbersCountOn)
{
    core::MarkList marks;
    marks.Reserve(1000);
    for (std::int32_t i = 0; i < 1000; ++i)
        marks.Insert(marks.Count(), core::NumberMark({i % 100, i / 100}, marks.NextNumber(), kRed));
    EXPECT_EQ(marks.Count(), 1000u);
    EXPECT_EQ(marks[999].value, 1000);
    EXPECT_EQ(marks.NextNumber(), 1001);
}

struct HitCase {
    Mark mark;
    Point at;
    double tolerance;
    bool hits;
};

TEST(Marks, APressHitsWhatIsDrawnWithinTheTolerance)
{
    const Mark arrow = core::ArrowMark({10, 10}, {110, 10}, kRed);    // shaft 4 wide, head 22 long, 10 each side
    const Mark slanted = core::ArrowMark({10, 10}, {60, 60}, kRed);   // down to the right at 45°
    const Mark onePixel = core::ArrowMark({50, 50}, {51, 50}, kRed);  // one pixel long: all head
    const Mark wideArrow = core::ArrowMark({10, 10}, {110, 10}, {0xFF0000, 5});  // head 26 long, 11.5 each side
    const Mark box = core::BoxMark({10, 10}, {60, 40}, kRed);         // pixels 10..59 by 10..39, 4 wide
    const Mark thin = core::BoxMark({10, 10}, {19, 40}, kRed);        // 9 wide: no hollow within ½
    const Mark low = core::BoxMark({10, 10}, {40, 19}, kRed);         // 9 high
    const Mark narrow = core::BoxMark({10, 10}, {20, 40}, kRed);      // 10 wide: a hollow 2 across
    const Mark flat = core::BoxMark({10, 10}, {40, 20}, kRed);        // 10 high
    const Mark highlighter = core::HighlighterMark({10, 10}, {60, 40}, kRed);
    const Mark number = core::NumberMark({50, 50}, 1, kRed);  // 26 across
    const Mark text = core::TextMark({20, 20}, u"ab", {24, 24}, kRed);
    const HitCase cases[] = {
        {arrow, {50, 10}, 0, true},       {arrow, {50, 12}, 0, true},        {arrow, {50, 13}, 0, false},
        {arrow, {50, 14}, 2, true},       {arrow, {50, 16}, 2, false},       {arrow, {100, 18}, 0, true},
        {arrow, {100, 22}, 0, false},     {arrow, {5, 10}, 0, false},        {arrow, {5, 10}, 5, true},
        {slanted, {25, 25}, 0, true},     {slanted, {26, 24}, 0, true},      {slanted, {27, 23}, 0, false},
        {slanted, {35, 10}, 0, false},    {onePixel, {61, 50}, 0, true},     {onePixel, {62, 50}, 0, false},
        {arrow, {100, 21}, 2, true},      {arrow, {100, 22}, 2, true},       {arrow, {100, 23}, 2, false},
        {wideArrow, {86, 20}, 0, true},   {wideArrow, {85, 20}, 0, false},  // 26 from the head: its length
        {box, {10, 25}, 0, true},         {box, {13, 25}, 0, true},          {box, {15, 25}, 0, false},
        {box, {35, 25}, 3, false},        {box, {59, 39}, 0, true},          {box, {61, 39}, 0, false},
        {box, {61, 39}, 2, true},         {box, {35, 8}, 2, true},           {box, {35, 41}, 2, true},
        {box, {8, 25}, 2, true},          {box, {15, 25}, 2, true},          {box, {58, 25}, 0, true},
        {box, {35, 38}, 0, true},         {thin, {14, 25}, 0.5, true},       {low, {25, 14}, 0.5, true},
        {narrow, {14, 25}, 0, false},     {flat, {25, 14}, 0, false},
        {highlighter, {35, 25}, 0, true}, {highlighter, {61, 25}, 0, false}, {highlighter, {61, 25}, 2, true},
        {highlighter, {9, 25}, 0.5, true}, {highlighter, {9, 25}, 0.4, false}, {highlighter, {35, 9}, 0.5, true},
        {highlighter, {35, 40}, 0.5, true}, {highlighter, {35, 40}, 0.4, false},
        {number, {50, 50}, 0, true},      {number, {62, 50}, 0, true},       {number, {64, 50}, 0, false},
        {number, {64, 50}, 2, true},      {number, {60, 60}, 0, false},      {number, {63, 50}, 0, true},
        {text, {20, 20}, 0, true},        {text, {43, 43}, 0, true},         {text, {45, 30}, 0, false},
        {text, {45, 30}, 1.5, true},
    };
    for (const HitCase& c : cases)
        EXPECT_EQ(core::HitsMark(c.mark, c.at, c.tolerance), c.hits)
            << static_cast<int>(c.mark.kind) << " at (" << c.at.x << ", " << c.at.y << ") within " << c.tolerance;
}

TEST(Marks, TheSameScreenToleranceReachesFewerPicturePixelsZoomedIn)
{
    // Four screen pixels around a box's outer edge are four picture pixels at 100 %, one at 400 %.
    const Mark box = core::BoxMark({10, 10}, {60, 40}, kRed);
    const double screenTolerance = 4;
    for (const auto& [percent, at, hits] : {std::tuple{100, Point{63, 25}, true}, std::tuple{400, Point{63, 25}, false},
                                            std::tuple{400, Point{60, 25}, true}, std::tuple{25, Point{75, 25}, true},
                                            std::tuple{25, Point{76, 25}, false}, std::tuple{100, Point{60, 25}, true}})
        EXPECT_EQ(core::HitsMark(box, at, screenTolerance * 100 / percent), hits) << percent << "% at " << at.x;
}

TEST(Marks, ThePressHitsTheTopmostMark)
{
    core::MarkList marks;
    marks.Reserve(3);
    marks.Insert(0, core::HighlighterMark({0, 0}, {100, 100}, kRed));
    marks.Insert(1, core::NumberMark({50, 50}, 1, kRed));
    marks.Insert(2, core::BoxMark({200, 200}, {300, 300}, kRed));
    EXPECT_EQ(marks.At({50, 50}, 0), 1u);
    EXPECT_EQ(marks.At({10, 90}, 0), 0u);
    EXPECT_EQ(marks.At({250, 250}, 0), std::nullopt);
    EXPECT_EQ(marks.At({150, 150}, 0), std::nullopt);
}

TEST(Marks, MovingAMarkMovesAllOfIt)
{
    Mark text = core::TextMark({20, 20}, u"ab\ncd", {24, 48}, kRed);
    const Mark moved = core::Moved(text, -30, 7);
    EXPECT_EQ(moved.a, (Point{-10, 27}));
    EXPECT_EQ(moved.b, (Point{14, 75}));
    EXPECT_EQ(moved.text, u"ab\ncd");
    EXPECT_EQ(moved.style, kRed);
}

// A picture large enough that every mark lies well inside it, so that the drawing is whole.
TEST(Marks, TheBoundsHoldEveryPixelTheDrawingChanges)
{
    const Mark marks[] = {
        core::ArrowMark({40, 40}, {90, 70}, {0xFF0000, 2}), core::ArrowMark({90, 20}, {20, 90}, {0xFF0000, 8}),
        core::ArrowMark({50, 50}, {52, 50}, {0xFF0000, 8}), core::ArrowMark({60, 60}, {60, 20}, {0xFF0000, 4}),
        core::BoxMark({30, 30}, {71, 52}, {0xFF0000, 8}),  core::HighlighterMark({30, 30}, {71, 52}, {0xFF0000, 4}),
        core::NumberMark({60, 60}, 7, {0xFF0000, 8}),      core::NumberMark({60, 60}, 1000, {0xFF0000, 2}),
        core::TextMark({40, 40}, u"abc\nd", {27, 36}, {0xFF0000, 2}),
    };
    const marktest::BlockGlyphs glyphs;
    for (const Mark& mark : marks) {
        edittest::TestPicture picture(128, 128);
        for (std::uint32_t& p : picture.pixels)
            p = 0x204060;
        core::DrawMarks(picture.View(), {1, {0, 0}, 128, 128}, picture.View().Bounds(), {mark}, glyphs);
        const Rect bounds = core::MarkBounds(mark);
        bool changedAny = false;
        for (std::int32_t y = 0; y < 128; ++y)
            for (std::int32_t x = 0; x < 128; ++x) {
                if (picture.At(x, y) == 0x204060) continue;
                changedAny = true;
                EXPECT_TRUE(edittest::Inside(bounds, x, y)) << static_cast<int>(mark.kind) << " at (" << x << ", " << y << ")";
            }
        EXPECT_TRUE(changedAny) << static_cast<int>(mark.kind);
    }
}

struct TouchCase {
    Mark mark;
    Rect area;
    bool touches;
};

TEST(Marks, AMarkTouchesAnAreaOnlyWhereItsDrawingReaches)
{
    const Mark arrow = core::ArrowMark({2, 2}, {40, 30}, kRed);
    const Mark level = core::ArrowMark({10, 50}, {110, 50}, kRed);  // its head from x 88.5 to 110.5
    const Mark box = core::BoxMark({10, 10}, {50, 30}, {0xFF0000, 2});
    const Mark number = core::NumberMark({10, 35}, 1, kRed);
    const Mark highlighter = core::HighlighterMark({0, 0}, {10, 10}, kRed);
    const TouchCase cases[] = {
        {arrow, {0, 30, 20, 43}, false},  // inside its bounding box, but off the slanted shaft
        {arrow, {25, 10, 45, 25}, true},  {arrow, {45, 0, 61, 10}, false},   {arrow, {42, 28, 50, 35}, true},
        {arrow, {20, 0, 25, 5}, false},  // near the thin shaft, far from the wide head
        {arrow, {-20, -20, 1, 1}, true},
        {level, {90, 56, 94, 59}, true},  // beside the head's base, far from its tip
        {box, {20, 15, 30, 25}, false},   // in its hollow
        {box, {5, 5, 11, 11}, true},      {box, {45, 20, 60, 25}, true},     {box, {60, 60, 70, 70}, false},
        {box, {11, 11, 49, 29}, true},    {box, {12, 12, 48, 28}, false},
        {box, {11, 15, 14, 20}, true},    {box, {45, 15, 49, 20}, true},     {box, {20, 11, 30, 14}, true},
        {box, {20, 27, 30, 29}, true},    // each over one side's inner edge
        {number, {25, 10, 45, 25}, false}, {number, {20, 35, 30, 40}, true}, {number, {10, 49, 11, 60}, true},
        {highlighter, {9, 9, 20, 20}, true}, {highlighter, {10, 0, 20, 20}, false},
        {core::TextMark({0, 0}, u"a", {12, 24}, kRed), {13, 0, 20, 20}, true},  // its white edge
        {highlighter, {5, 5, 5, 9}, false},
    };
    for (const TouchCase& c : cases)
        EXPECT_EQ(core::Touches(c.mark, c.area), c.touches)
            << static_cast<int>(c.mark.kind) << " and {" << c.area.left << ", " << c.area.top << ", " << c.area.right
            << ", " << c.area.bottom << "}";
}

// The model: the distance from an area to a segment, found by walking the segment in steps of
// a twentieth of a pixel. An arrow of 普通 reaches 3 pixels about its shaft (half its width and a
// pixel of smoothed edge) and 11 about its last 22 pixels (the head's half width and a pixel).
double WalkedDistance(double x0, double y0, double x1, double y1, Rect r)
{
    const int steps = static_cast<int>(std::hypot(x1 - x0, y1 - y0) * 20) + 1;
    double nearest = 1e9;
    for (int i = 0; i <= steps; ++i) {
        const double x = x0 + (x1 - x0) * i / steps, y = y0 + (y1 - y0) * i / steps;
        const double dx = std::max({r.left - x, 0.0, x - r.right}), dy = std::max({r.top - y, 0.0, y - r.bottom});
        nearest = std::min(nearest, std::hypot(dx, dy));
    }
    return nearest;
}

TEST(Marks, AnArrowInAnyDirectionTouchesTheAreasWithinItsShaftsOrItsHeadsReach)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<std::int32_t> place(-10, 120), side(1, 40);
    const std::pair<Point, Point> arrows[] = {
        {{50, 50}, {90, 50}}, {{50, 50}, {10, 50}}, {{50, 50}, {50, 90}},  {{50, 50}, {50, 10}},  {{50, 50}, {80, 67}},
        {{50, 50}, {20, 33}}, {{50, 50}, {67, 20}}, {{50, 50}, {33, 80}},  {{50, 50}, {51, 50}},  {{0, 60}, {115, 60}},
        {{60, 0}, {60, 115}}, {{5, 5}, {115, 100}}, {{115, 20}, {10, 110}}, {{40, 115}, {41, 0}},
    };
    int touching = 0, apart = 0;
    for (const auto& [tail, head] : arrows) {
        const Mark arrow = core::ArrowMark(tail, head, kRed);
        const double tx = tail.x + 0.5, ty = tail.y + 0.5, hx = head.x + 0.5, hy = head.y + 0.5;
        const double part = std::min(1.0, 22 / std::hypot(hx - tx, hy - ty));
        const double bx = hx - (hx - tx) * part, by = hy - (hy - ty) * part;
        for (int i = 0; i < 250; ++i) {
            const std::int32_t left = place(random), top = place(random);
            const Rect area{left, top, left + side(random), top + side(random)};
            const double shaft = WalkedDistance(tx, ty, hx, hy, area) - 3;
            const double tip = WalkedDistance(bx, by, hx, hy, area) - 11;
            if (std::abs(shaft) < 0.05 || std::abs(tip) < 0.05) continue;  // too near the rim to tell by walking
            const bool touches = shaft < 0 || tip < 0;
            (touches ? touching : apart)++;
            ASSERT_EQ(core::Touches(arrow, area), touches) << "arrow to (" << head.x << ", " << head.y << ") and {"
                                                           << area.left << ", " << area.top << ", " << area.right
                                                           << ", " << area.bottom << "}";
        }
    }
    EXPECT_GT(touching, 500);
    EXPECT_GT(apart, 500);
}

TEST(Marks, ACutOutTakesTheMarksReachingIntoItMovedWithItAndWhole)
{
    core::MarkList marks;
    marks.Reserve(4);
    marks.Insert(0, core::BoxMark({10, 10}, {30, 30}, kRed));        // inside
    marks.Insert(1, core::ArrowMark({-50, 45}, {25, 45}, kRed));     // reaches in from beyond the picture
    marks.Insert(2, core::NumberMark({90, 90}, 2, kRed));            // outside
    marks.Insert(3, core::HighlighterMark({38, 38}, {70, 70}, kRed)); // a corner inside
    const std::vector<Mark> taken = core::MarksInCutOut(marks, {5, 5, 40, 50}, 100, 100);
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0], core::BoxMark({5, 5}, {25, 25}, kRed));
    EXPECT_EQ(taken[1], core::ArrowMark({-55, 40}, {20, 40}, kRed));
    EXPECT_EQ(taken[2], core::HighlighterMark({33, 33}, {65, 65}, kRed));
}

TEST(Marks, ACutOutReachingPastThePictureTakesMarksFromItsPartInside)
{
    core::MarkList marks;
    marks.Reserve(2);
    marks.Insert(0, core::BoxMark({0, 0}, {10, 10}, kRed));
    marks.Insert(1, core::BoxMark({-30, -30}, {-20, -20}, kRed));  // under the selection, but beyond the picture
    const std::vector<Mark> taken = core::MarksInCutOut(marks, {-40, -40, 5, 5}, 100, 100);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0], core::BoxMark({0, 0}, {10, 10}, kRed));
    EXPECT_TRUE(core::MarksInCutOut(marks, {200, 200, 300, 300}, 100, 100).empty());
    EXPECT_TRUE(core::MarksInCutOut(marks, {0, 0, 50, 50}, 0, 0).empty());
}

}  // namespace
