// Black-out and the red frame: exactly the pixels they should change, at every size, with
// selections reaching past the picture's edges.
#include <gtest/gtest.h>

#include <random>

#include "PixelSupport.h"
#include "core/Edits.h"

using namespace edittest;
using core::Rect;

namespace {

struct Case {
    std::int32_t width, height;
    Rect selection;
};

const Case kCases[] = {
    {0, 0, {0, 0, 5, 5}},      {1, 1, {0, 0, 1, 1}},      {1, 1, {-3, -3, 4, 4}},     {7, 5, {2, 1, 5, 4}},
    {7, 5, {-2, -2, 3, 9}},    {7, 5, {4, 3, 40, 40}},    {31, 17, {0, 0, 31, 17}},   {31, 17, {3, 2, 29, 15}},
    {31, 17, {10, 5, 12, 16}}, {31, 17, {-5, 4, 40, 11}}, {31, 17, {20, 20, 30, 30}},  // wholly outside
    {31, 17, {5, 5, 5, 9}},                                                            // no width
    {31, 17, {4, 8, 20, 10}},  {31, 17, {4, 8, 20, 9}},   {31, 17, {8, 4, 10, 14}},    // under three rows or columns
};

// Whether (x, y) lies on the red frame of `s`: within three pixels of one of its edges.
bool OnRedFrame(Rect s, std::int32_t x, std::int32_t y)
{
    return Inside(s, x, y) && (x < s.left + 3 || x >= s.right - 3 || y < s.top + 3 || y >= s.bottom - 3);
}

void ExpectOnly(TestPicture& before, TestPicture& after, bool (*changed)(Rect, std::int32_t, std::int32_t),
                std::uint32_t colour, const Case& c)
{
    EXPECT_TRUE(after.SparesUntouched());
    for (std::int32_t y = 0; y < c.height; ++y)
        for (std::int32_t x = 0; x < c.width; ++x)
            ASSERT_EQ(after.At(x, y), changed(c.selection, x, y) ? colour : before.At(x, y))
                << c.width << "x" << c.height << " at (" << x << ", " << y << ")";
}

TEST(Edits, BlackOutBlackensTheSelectedPixelsInsideThePictureAndNothingElse)
{
    std::mt19937 random(1);
    for (const Case& c : kCases) {
        TestPicture before = RandomPicture(random, c.width, c.height), after = before;
        core::BlackOut(after.View(), c.selection);
        ExpectOnly(before, after, Inside, core::kBlack, c);
    }
}

TEST(Edits, TheRedFrameIsThreePixelsInsideTheSelectionsEdgesAndFillsAThinSelection)
{
    std::mt19937 random(2);
    for (const Case& c : kCases) {
        TestPicture before = RandomPicture(random, c.width, c.height), after = before;
        core::RedFrame(after.View(), c.selection);
        ExpectOnly(before, after, OnRedFrame, core::kRed, c);
    }
}

TEST(Edits, TheRedFrameOfASelectionSixPixelsWideIsAllRedAndOfSevenLeavesTheMiddleColumn)
{
    std::mt19937 random(3);
    TestPicture six = RandomPicture(random, 10, 10), seven = six;
    core::RedFrame(six.View(), {2, 0, 8, 10});
    core::RedFrame(seven.View(), {2, 0, 9, 10});
    EXPECT_EQ(six.At(5, 5), core::kRed);
    EXPECT_EQ(six.At(7, 5), core::kRed);
    EXPECT_NE(seven.At(5, 5), core::kRed);
    EXPECT_EQ(seven.At(4, 5), core::kRed);
    EXPECT_EQ(seven.At(6, 5), core::kRed);
}

// Each edit is the one asked for: on a picture of one colour around a selection of another,
// black-out blackens it, the frame reddens only its edges, the mosaic takes the colour around.
TEST(Edits, ApplyEditDoesTheEditAskedFor)
{
    struct Row {
        core::Edit edit;
        std::uint32_t corner, middle;  // of the selection, afterwards
    };
    const Row rows[] = {
        {core::Edit::BlackOut, core::kBlack, core::kBlack},
        {core::Edit::RedFrame, core::kRed, 0x123456},
        {core::Edit::Mosaic, 0x3366CC, 0x3366CC},
    };
    const Rect selection{4, 4, 20, 20};
    for (const Row& row : rows) {
        TestPicture picture(24, 24);
        for (std::int32_t y = 0; y < 24; ++y)
            for (std::int32_t x = 0; x < 24; ++x)
                picture.At(x, y) = Inside(selection, x, y) ? 0x123456 : 0x3366CC;
        core::ApplyEdit(row.edit, picture.View(), selection);
        EXPECT_EQ(picture.At(4, 4), row.corner) << static_cast<int>(row.edit);
        EXPECT_EQ(picture.At(12, 12), row.middle) << static_cast<int>(row.edit);
        EXPECT_EQ(picture.At(3, 12), 0x3366CCu) << static_cast<int>(row.edit);
    }
}

}  // namespace
