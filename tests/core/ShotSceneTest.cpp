// What a shot window paints: the picture at each zoom, the face beyond it, the selection's
// frame inverted, the marks and the handles, for any part of the window.
#include <gtest/gtest.h>

#include <random>

#include "GlyphFake.h"
#include "PixelSupport.h"
#include "core/ShotScene.h"

using namespace edittest;
using core::Point;
using core::Rect;

namespace {

constexpr std::uint32_t kFace = 0xF0F0F0, kUnset = 0x010203;

TestPicture Target(std::int32_t width, std::int32_t height)
{
    TestPicture target(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            target.At(x, y) = kUnset;
    return target;
}

TEST(ShotScene, AtFullSizeAndZoomedInEachPictureShowsPixelForPixelOrAsSquares)
{
    std::mt19937 random(1);
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{7, 5}, std::pair{31, 17}, std::pair{211, 103}})
        for (const std::int32_t percent : {100, 200, 400, 1600})
            for (const Point origin : {Point{3, 2}, Point{380, 190}}) {
                TestPicture picture = RandomPicture(random, width, height);
                const std::int32_t scale = percent / 100;
                TestPicture target = Target(23, 19);
                core::DrawZoomed(picture.View(), target.View(), origin, percent);
                EXPECT_TRUE(target.SparesUntouched());
                for (std::int32_t y = 0; y < 19; ++y)
                    for (std::int32_t x = 0; x < 23; ++x) {
                        const std::int32_t px = (x + origin.x) / scale, py = (y + origin.y) / scale;
                        const bool shown = px < width && py < height;
                        ASSERT_EQ(target.At(x, y), shown ? picture.At(px, py) : kUnset)
                            << width << "x" << height << " at " << percent << "% from " << origin.x << ", (" << x
                            << ", " << y << ")";
                    }
            }
}

TEST(ShotScene, ZoomedOutEachWindowPixelIsTheMeanOfThePixelsItCovers)
{
    TestPicture picture(4, 4);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            picture.At(x, y) = (y < 2 && x < 2) ? 0xFF0000 : 0x000000;
    picture.At(3, 3) = 0x0000FF;
    TestPicture target = Target(3, 3);
    core::DrawZoomed(picture.View(), target.View(), {0, 0}, 25);
    EXPECT_EQ(target.At(0, 0), 0x400010u);  // four red and one blue of sixteen, rounded
    EXPECT_EQ(target.At(1, 0), kUnset);
    TestPicture half = Target(3, 3);
    core::DrawZoomed(picture.View(), half.View(), {0, 0}, 50);
    EXPECT_EQ(half.At(0, 0), 0xFF0000u);
    EXPECT_EQ(half.At(1, 0), 0x000000u);
    EXPECT_EQ(half.At(1, 1), 0x000040u);
    EXPECT_EQ(half.At(2, 0), kUnset);
    EXPECT_TRUE(half.SparesUntouched());
}

// The model: at 50 % and 25 % a window pixel covers a block of 2 or 4 picture pixels a side
// (less at the picture's far edges), and shows their mean, rounded half up, channel by channel.
TEST(ShotScene, ZoomedOutAWidePictureShowsEachBlocksMeanFarFromItsCorner)
{
    std::mt19937 random(7);
    constexpr std::int32_t kWidth = 411, kHeight = 9;
    TestPicture picture = RandomPicture(random, kWidth, kHeight);
    for (const std::int32_t percent : {50, 25}) {
        const std::int32_t side = 100 / percent;
        const Point origin{60, 1};
        const std::int32_t shownWidth = (kWidth + side - 1) / side - origin.x;
        const std::int32_t shownHeight = (kHeight + side - 1) / side - origin.y;
        TestPicture target = Target(shownWidth + 2, shownHeight + 1);
        core::DrawZoomed(picture.View(), target.View(), origin, percent);
        EXPECT_TRUE(target.SparesUntouched());
        for (std::int32_t y = 0; y < shownHeight; ++y)
            for (std::int32_t x = 0; x < shownWidth; ++x) {
                const std::int32_t left = (x + origin.x) * side, top = (y + origin.y) * side;
                std::uint32_t sums[3]{}, count = 0;
                for (std::int32_t py = top; py < std::min(top + side, kHeight); ++py)
                    for (std::int32_t px = left; px < std::min(left + side, kWidth); ++px, ++count)
                        for (int k = 0; k < 3; ++k)
                            sums[k] += (picture.At(px, py) >> (8 * k)) & 0xFF;
                std::uint32_t mean = 0;
                for (int k = 0; k < 3; ++k)
                    mean |= ((sums[k] + count / 2) / count) << (8 * k);
                ASSERT_EQ(target.At(x, y), mean) << percent << "%, (" << x << ", " << y << ")";
            }
        EXPECT_EQ(target.At(shownWidth, 0), kUnset);
        EXPECT_EQ(target.At(0, shownHeight), kUnset);
    }
}

TEST(ShotScene, ZoomedOutAPictureOfOddSizeShowsItsLastPartlyCoveredPixels)
{
    TestPicture picture(5, 1);
    for (std::int32_t x = 0; x < 5; ++x)
        picture.At(x, 0) = 0x000000;
    picture.At(4, 0) = 0x0000FF;
    TestPicture target = Target(3, 1);
    core::DrawZoomed(picture.View(), target.View(), {0, 0}, 25);
    EXPECT_EQ(target.At(0, 0), 0x000000u);
    EXPECT_EQ(target.At(1, 0), 0x0000FFu);  // only the fifth pixel lies under it
    EXPECT_EQ(target.At(2, 0), kUnset);
    TestPicture none(0, 0);
    core::DrawZoomed(none.View(), target.View(), {0, 0}, 25);
    EXPECT_EQ(target.At(0, 0), 0x000000u);
}

core::Scene SceneOf(TestPicture& picture, std::int32_t percent)
{
    core::Scene scene;
    scene.picture = picture.View();
    scene.percent = percent;
    scene.face = kFace;
    return scene;
}

TEST(ShotScene, TheFaceColourFillsWhatThePictureDoesNotCover)
{
    TestPicture picture(6, 4);
    for (std::uint32_t& p : picture.pixels)
        p = 0x123456;
    TestPicture target = Target(20, 10);
    core::PaintScene(target.View(), {0, 0}, SceneOf(picture, 200), marktest::BlockGlyphs{});
    for (std::int32_t y = 0; y < 10; ++y)
        for (std::int32_t x = 0; x < 20; ++x)
            ASSERT_EQ(target.At(x, y), x < 12 && y < 8 ? 0x123456u : kFace) << x << ", " << y;
}

std::uint32_t Inverted(std::uint32_t p) { return p ^ 0xFFFFFF; }

TEST(ShotScene, TheSelectionsFrameIsItsRingOfPicturePixelsInvertedAtEveryZoom)
{
    TestPicture picture(40, 30);
    for (std::uint32_t& p : picture.pixels)
        p = 0x204080;
    const auto onRing = [](Rect r, std::int32_t x, std::int32_t y) {
        return Inside(r, x, y) && (x == r.left || y == r.top || x == r.right - 1 || y == r.bottom - 1);
    };
    for (const std::int32_t percent : {100, 200, 1600}) {
        core::Scene scene = SceneOf(picture, percent);
        scene.frame = true;
        scene.frameStart = {12, 10};
        scene.frameEnd = {5, 4};
        const std::int32_t scale = percent / 100;
        TestPicture target = Target(41, 33);
        const Point origin{4 * scale, 3 * scale};
        core::PaintScene(target.View(), origin, scene, marktest::BlockGlyphs{});
        for (std::int32_t y = 0; y < 33; ++y)
            for (std::int32_t x = 0; x < 41; ++x) {
                const std::int32_t px = (x + origin.x) / scale, py = (y + origin.y) / scale;
                const std::uint32_t shown = px < 40 && py < 30 ? 0x204080u : kFace;
                ASSERT_EQ(target.At(x, y), onRing({5, 4, 12, 10}, px, py) ? Inverted(shown) : shown)
                    << percent << "% at (" << x << ", " << y << ")";
            }
    }
    // Zoomed out the ring is a window pixel wide, and its corners are inverted once.
    core::Scene scene = SceneOf(picture, 25);
    scene.frame = true;
    scene.frameStart = {0, 0};
    scene.frameEnd = {20, 12};
    TestPicture target = Target(12, 9);
    core::PaintScene(target.View(), {0, 0}, scene, marktest::BlockGlyphs{});
    for (std::int32_t y = 0; y < 9; ++y)
        for (std::int32_t x = 0; x < 12; ++x) {
            const std::uint32_t shown = x < 10 && y < 8 ? 0x204080u : kFace;
            ASSERT_EQ(target.At(x, y), onRing({0, 0, 5, 3}, x, y) ? Inverted(shown) : shown) << x << ", " << y;
        }
}

TEST(ShotScene, AFrameAlongThePicturesEdgesIsInvertedUpToThem)
{
    TestPicture picture(9, 6);
    for (std::uint32_t& p : picture.pixels)
        p = 0x204080;
    core::Scene scene = SceneOf(picture, 100);
    scene.frame = true;
    scene.frameStart = {0, 0};
    scene.frameEnd = {9, 6};
    TestPicture target = Target(9, 6);
    core::PaintScene(target.View(), {0, 0}, scene, marktest::BlockGlyphs{});
    for (std::int32_t y = 0; y < 6; ++y)
        for (std::int32_t x = 0; x < 9; ++x) {
            const bool ring = x == 0 || y == 0 || x == 8 || y == 5;
            ASSERT_EQ(target.At(x, y), ring ? Inverted(0x204080) : 0x204080u) << x << ", " << y;
        }
}

TEST(ShotScene, MarksAreDrawnOverThePictureAndTheMovedOneWhereItIsDragged)
{
    TestPicture picture(20, 10);
    for (std::uint32_t& p : picture.pixels)
        p = 0xFFFFFF;
    const std::vector<core::Mark> marks = {core::HighlighterMark({0, 0}, {2, 2}, {0x00FF00, 4}),
                                           core::HighlighterMark({4, 0}, {6, 2}, {0x0000FF, 4})};
    const core::Mark moved = core::Moved(marks[1], 10, 5);
    core::Scene scene = SceneOf(picture, 100);
    scene.marks = &marks;
    scene.moving = 1;
    scene.drawn = &moved;
    TestPicture target = Target(20, 10);
    core::PaintScene(target.View(), {0, 0}, scene, marktest::BlockGlyphs{});
    EXPECT_EQ(target.At(1, 1), 0x00FF00u);
    EXPECT_EQ(target.At(5, 1), 0xFFFFFFu);
    EXPECT_EQ(target.At(15, 6), 0x0000FFu);
    // A drag that places nothing yet shows nothing.
    const core::Mark press = core::BoxMark({8, 8}, {8, 8}, {0xFF0000, 8});
    scene.drawn = &press;
    core::PaintScene(target.View(), {0, 0}, scene, marktest::BlockGlyphs{});
    EXPECT_EQ(target.At(8, 8), 0xFFFFFFu);
}

TEST(ShotScene, ASelectedMarkShowsHandlesOfTheSameSizeAtEveryZoom)
{
    TestPicture picture(40, 40);
    for (std::uint32_t& p : picture.pixels)
        p = 0x808080;
    const core::Mark box = core::BoxMark({10, 10}, {20, 20}, {0xFF0000, 2});
    for (const std::int32_t percent : {100, 400}) {
        core::Scene scene = SceneOf(picture, percent);
        scene.selected = &box;
        TestPicture target = Target(100, 100);
        core::PaintScene(target.View(), {0, 0}, scene, marktest::BlockGlyphs{});
        const std::int32_t corner = 10 * percent / 100;
        EXPECT_EQ(target.At(corner - 3, corner - 3), 0x000000u) << percent;
        EXPECT_EQ(target.At(corner + 3, corner + 3), 0x000000u) << percent;
        EXPECT_EQ(target.At(corner, corner), 0xFFFFFFu) << percent;
        EXPECT_EQ(target.At(corner - 4, corner), 0x808080u) << percent;
        EXPECT_EQ(target.At(corner + 4, corner), 0x808080u) << percent;
    }
}

TEST(ShotScene, AnArrowsHandlesStandOnItsEndPixelsCentres)
{
    TestPicture picture(40, 40);
    for (std::uint32_t& p : picture.pixels)
        p = 0x808080;
    const core::Mark arrow = core::ArrowMark({5, 5}, {9, 20}, {0xFF0000, 2});
    core::Scene scene = SceneOf(picture, 400);
    scene.selected = &arrow;
    TestPicture target = Target(60, 100);
    core::PaintScene(target.View(), {0, 0}, scene, marktest::BlockGlyphs{});
    // The tail's centre is at 22 each way, the head's at (38, 82): 7 × 7 squares about them;
    // scrolled by (10, 15), the window shows them as far up and to the left.
    TestPicture scrolled = Target(60, 100);
    core::PaintScene(scrolled.View(), {10, 15}, scene, marktest::BlockGlyphs{});
    for (const auto& [cx, cy] : {std::pair{22, 22}, std::pair{38, 82}}) {
        EXPECT_EQ(scrolled.At(cx - 10 - 3, cy - 15), 0x000000u) << cx;
        EXPECT_EQ(scrolled.At(cx - 10, cy - 15 + 3), 0x000000u) << cx;
        EXPECT_EQ(scrolled.At(cx - 10, cy - 15), 0xFFFFFFu) << cx;
        EXPECT_EQ(target.At(cx - 3, cy), 0x000000u) << cx;
        EXPECT_EQ(target.At(cx + 3, cy), 0x000000u) << cx;
        EXPECT_EQ(target.At(cx, cy - 3), 0x000000u) << cx;
        EXPECT_EQ(target.At(cx, cy + 3), 0x000000u) << cx;
        EXPECT_EQ(target.At(cx, cy), 0xFFFFFFu) << cx;
        EXPECT_EQ(target.At(cx - 4, cy), 0x808080u) << cx;
        EXPECT_EQ(target.At(cx + 4, cy), 0x808080u) << cx;
    }
}

}  // namespace
