// The mosaic: what it writes never depends on what it hides, and it looks like a mosaic.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "PixelSupport.h"
#include "core/Edits.h"

using namespace edittest;
using core::Point;
using core::Rect;

namespace {

Rect RandomSelection(std::mt19937& random, std::int32_t width, std::int32_t height)
{
    std::uniform_int_distribution<std::int32_t> x(-8, width + 8), y(-8, height + 8);
    const std::int32_t a = x(random), b = x(random), c = y(random), d = y(random);
    return {std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
}

TEST(Mosaic, TwoPicturesThatDifferOnlyInsideTheSelectionGiveTheSameBytes)
{
    std::mt19937 random(14);
    std::uniform_int_distribution<std::int32_t> side(0, 90);
    for (int round = 0; round < 400; ++round) {
        const std::int32_t width = side(random), height = side(random);
        const Rect selection = RandomSelection(random, width, height);
        TestPicture first = RandomPicture(random, width, height), second = RandomPicture(random, width, height);
        for (std::int32_t y = 0; y < height; ++y)
            for (std::int32_t x = 0; x < width; ++x)
                if (!Inside(selection, x, y)) second.At(x, y) = first.At(x, y);
        const TestPicture outside = first;
        core::Mosaic(first.View(), selection);
        core::Mosaic(second.View(), selection);
        ASSERT_EQ(first.pixels, second.pixels) << "round " << round << ": " << width << "x" << height;
        ASSERT_TRUE(first.SparesUntouched());
        for (std::int32_t y = 0; y < height; ++y)
            for (std::int32_t x = 0; x < width; ++x) {
                if (Inside(selection, x, y)) continue;
                ASSERT_EQ(first.At(x, y), outside.At(x, y)) << "outside the selection at " << x << ", " << y;
            }
    }
}

TEST(Mosaic, BlocksAreFlatSquaresOfAtLeastEightPixelsNarrowerOnlyAtTheSelectionsFarEdges)
{
    std::mt19937 random(8);
    TestPicture picture = RandomPicture(random, 120, 90);
    const Rect s{5, 7, 5 + 61, 7 + 45};  // blocks of 8: seven whole columns and a fifth, five rows and five pixels
    core::Mosaic(picture.View(), s);
    for (std::int32_t y = s.top; y < s.bottom; ++y)
        for (std::int32_t x = s.left; x < s.right; ++x) {
            const std::int32_t blockLeft = s.left + (x - s.left) / 8 * 8, blockTop = s.top + (y - s.top) / 8 * 8;
            ASSERT_EQ(picture.At(x, y), picture.At(blockLeft, blockTop)) << x << ", " << y;
        }
    // Neighbouring blocks differ in a random picture: the mosaic is not one flat patch.
    EXPECT_NE(picture.At(s.left, s.top), picture.At(s.right - 1, s.bottom - 1));
}

// The block's side is a sixth of the selection's shorter side, never under 8 nor over 64.
TEST(Mosaic, TheBlocksSideIsASixthOfTheShorterSideFromEightToSixtyFour)
{
    struct Row {
        Rect selection;
        std::int32_t block;
    };
    const Row rows[] = {
        {{3, 2, 3 + 47, 2 + 50}, 8},      // a sixth is 7
        {{1, 4, 1 + 200, 4 + 93}, 15},    // 15.5
        {{2, 1, 2 + 383, 1 + 386}, 63},   // 63.8
        {{4, 3, 4 + 396, 3 + 390}, 64},   // 65
        {{5, 5, 5 + 405, 5 + 400}, 64},   // 66.7
    };
    std::mt19937 random(9);
    TestPicture original = RandomPicture(random, 420, 420);
    for (const Row& row : rows) {
        TestPicture picture = original;
        const Rect s = row.selection;
        core::Mosaic(picture.View(), s);
        const auto block = [&](std::int32_t x, std::int32_t y) {
            return picture.At(s.left + (x - s.left) / row.block * row.block, s.top + (y - s.top) / row.block * row.block);
        };
        for (std::int32_t y = s.top; y < s.bottom; ++y)
            for (std::int32_t x = s.left; x < s.right; ++x)
                ASSERT_EQ(picture.At(x, y), block(x, y)) << "blocks of " << row.block << " at " << x << ", " << y;
        // Each block's colour differs from the next one's, so a larger block shows too.
        for (std::int32_t x = s.left + row.block; x < s.right; x += row.block)
            ASSERT_NE(picture.At(x, s.top), picture.At(x - 1, s.top)) << "blocks of " << row.block << " at " << x;
        for (std::int32_t y = s.top + row.block; y < s.bottom; y += row.block)
            ASSERT_NE(picture.At(s.left, y), picture.At(s.left, y - 1)) << "blocks of " << row.block << " at " << y;
    }
}

// Each block takes most of its colour from the side it is nearest: black above the selection
// and white below give dark blocks along its top and light ones along its bottom.
TEST(Mosaic, BlocksTakeTheColourOfTheNearestSide)
{
    struct Row {
        const char* what;
        Rect black, white, selection;  // the picture is 40 x 50
        Point darkBlock, lightBlock;
    };
    const Row rows[] = {
        {"black above, white below", {0, 0, 40, 10}, {0, 40, 40, 50}, {0, 10, 40, 40}, {20, 10}, {20, 39}},
        {"white above, black below", {0, 40, 40, 50}, {0, 0, 40, 10}, {0, 10, 40, 40}, {20, 39}, {20, 10}},
        {"black left, white right", {0, 0, 5, 50}, {35, 0, 40, 50}, {5, -1, 35, 51}, {5, 25}, {34, 25}},
        {"white left, black right", {35, 0, 40, 50}, {0, 0, 5, 50}, {5, -1, 35, 51}, {34, 25}, {5, 25}},
        {"one black row above", {0, 0, 40, 1}, {0, 40, 40, 50}, {0, 1, 40, 40}, {20, 1}, {20, 39}},
        {"one black column on the left", {0, 0, 1, 50}, {35, 0, 40, 50}, {1, -1, 35, 51}, {1, 25}, {34, 25}},
        {"black above, white on the left", {0, 0, 40, 10}, {0, 10, 5, 50}, {5, 10, 40, 50}, {35, 10}, {5, 45}},
    };
    const auto channels = [](std::uint32_t pixel) {
        return std::array<std::uint32_t, 3>{pixel & 0xFF, (pixel >> 8) & 0xFF, (pixel >> 16) & 0xFF};
    };
    for (const Row& row : rows) {
        TestPicture picture(40, 50);
        for (std::int32_t y = 0; y < 50; ++y)
            for (std::int32_t x = 0; x < 40; ++x)
                picture.At(x, y) = Inside(row.black, x, y) ? 0x000000 : Inside(row.white, x, y) ? 0xFFFFFF : 0x00FF00;
        core::Mosaic(picture.View(), row.selection);
        for (const std::uint32_t c : channels(picture.At(row.darkBlock.x, row.darkBlock.y)))
            EXPECT_LT(c, 0x40u) << row.what << ": the block by the black side";
        for (const std::uint32_t c : channels(picture.At(row.lightBlock.x, row.lightBlock.y)))
            EXPECT_GT(c, 0xC0u) << row.what << ": the block by the white side";
    }
}

// With one side of the ring in the picture, each block has the mean colour of the ring's
// pixels alongside it: here, stripes of two alternating greys, a different pair for each block.
TEST(Mosaic, WithOneSideInThePictureEachBlockTakesTheMeanOfThePixelsAlongsideIt)
{
    struct Row {
        const char* what;
        bool horizontal;  // a row of the ring, else a column
        std::int32_t width, height;
        Rect selection;  // 28 pixels along the side, 16 across: blocks of 8
    };
    const Row rows[] = {
        {"the row above", true, 28, 20, {0, 4, 28, 20}},
        {"the row below", true, 28, 20, {0, 0, 28, 16}},
        {"the column on the left", false, 20, 28, {4, 0, 20, 28}},
        {"the column on the right", false, 20, 28, {0, 0, 16, 28}},
    };
    for (const Row& row : rows) {
        // Outside the selection, two alternating greys along the side, a different pair for each block.
        TestPicture picture(row.width, row.height);
        for (std::int32_t y = 0; y < row.height; ++y)
            for (std::int32_t x = 0; x < row.width; ++x) {
                const std::int32_t along = row.horizontal ? x : y;
                const std::uint32_t grey = 0x20 * static_cast<std::uint32_t>(along / 8) + (along % 2 ? 0x10 : 0);
                picture.At(x, y) = Inside(row.selection, x, y) ? 0xFFFFFF : grey * 0x010101;
            }
        core::Mosaic(picture.View(), row.selection);
        // Blocks 0 to 2 take 0x08, 0x28, 0x48; the last, four pixels long, 0x68.
        const std::uint32_t means[] = {0x080808, 0x282828, 0x484848, 0x686868};
        for (std::int32_t y = row.selection.top; y < row.selection.bottom; ++y)
            for (std::int32_t x = row.selection.left; x < row.selection.right; ++x)
                ASSERT_EQ(picture.At(x, y), means[(row.horizontal ? x : y) / 8]) << row.what << " at " << x << ", " << y;
    }
}

TEST(Mosaic, ASelectionOfTheWholePictureIsNeutralGrey)
{
    for (const Rect selection : {Rect{0, 0, 20, 13}, Rect{-4, -4, 30, 30}}) {
        std::mt19937 random(5);
        TestPicture picture = RandomPicture(random, 20, 13);
        core::Mosaic(picture.View(), selection);
        for (std::int32_t y = 0; y < 13; ++y)
            for (std::int32_t x = 0; x < 20; ++x)
                ASSERT_EQ(picture.At(x, y), core::kNeutralGrey);
    }
}

TEST(Mosaic, APictureOneColourOutsideTheSelectionGivesThatColour)
{
    struct Row {
        const char* what;
        Rect selection;
    };
    const Row rows[] = {
        {"the top side beyond the picture", {4, -2, 30, 15}},
        {"one row", {4, 7, 30, 8}},
        {"one column", {9, 2, 10, 19}},
        {"one pixel", {9, 7, 10, 8}},
        {"two rows and two columns", {9, 7, 11, 9}},
        {"the bottom right corner", {20, 10, 40, 40}},
    };
    for (const Row& row : rows) {
        TestPicture picture(33, 21);
        for (std::int32_t y = 0; y < 21; ++y)
            for (std::int32_t x = 0; x < 33; ++x)
                picture.At(x, y) = Inside(row.selection, x, y) ? 0x123456 : 0x3366CC;
        core::Mosaic(picture.View(), row.selection);
        for (std::int32_t y = 0; y < 21; ++y)
            for (std::int32_t x = 0; x < 33; ++x)
                ASSERT_EQ(picture.At(x, y), 0x3366CCu) << row.what << " at " << x << ", " << y;
    }
}

}  // namespace
