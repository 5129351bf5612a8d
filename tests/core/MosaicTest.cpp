// The mosaic: what it writes never depends on what it hides, and it looks like a mosaic.
#include <gtest/gtest.h>

#include <random>

#include "PixelSupport.h"
#include "core/Edits.h"

using namespace edittest;
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
    TestPicture picture(33, 21);
    for (std::int32_t y = 0; y < 21; ++y)
        for (std::int32_t x = 0; x < 33; ++x)
            picture.At(x, y) = Inside({4, 0, 30, 15}, x, y) ? 0x123456 : 0x3366CC;
    core::Mosaic(picture.View(), {4, -2, 30, 15});  // the top side lies beyond the picture
    EXPECT_EQ(picture.At(4, 0), 0x3366CCu);
    EXPECT_EQ(picture.At(29, 14), 0x3366CCu);
}

}  // namespace
