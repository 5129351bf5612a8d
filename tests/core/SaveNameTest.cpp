#include <gtest/gtest.h>

#include "core/SaveName.h"

using core::ImageFormat;
using core::SavePlan;

namespace {

TEST(SaveFormats, ArePngThenJpegThenBmp)
{
    std::string list;
    for (const core::SaveFormat& f : core::SaveFormats())
        list += std::string(f.label) + "|" + std::string(f.patterns) + "|";
    EXPECT_EQ(list, "PNG (*.png)|*.png|JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|BMP (*.bmp)|*.bmp|");
}

TEST(DefaultSaveName, IsTheCaptionWithoutWhatAFileNameCannotHoldAsPng)
{
    EXPECT_EQ(core::DefaultSaveName("Shot:12"), "Shot12.png");
    EXPECT_EQ(core::DefaultSaveName("a\\b/c:d*e?f\"g<h>i|j\tk"), "abcdefghijk.png");
    EXPECT_EQ(core::DefaultSaveName("::"), "Shot.png");
}

TEST(DefaultSaveName, KeepsTheCaptionsSpaces)
{
    EXPECT_EQ(core::DefaultSaveName("Shot 3 of: today"), "Shot 3 of today.png");
}

TEST(PlanSave, AddsTheEntrysExtensionOnlyToANameWithoutOneAndTakesTheFormatFromTheName)
{
    const struct {
        const char* chosen;
        size_t entry;
        SavePlan plan;
    } cases[] = {
        {"C:\\P\\Shot1", 1, {"C:\\P\\Shot1.jpg", ImageFormat::Jpeg}},
        {"C:\\P\\Shot1", 2, {"C:\\P\\Shot1.bmp", ImageFormat::Bmp}},
        {"C:\\P\\Shot1", 3, {"C:\\P\\Shot1.png", ImageFormat::Png}},  // the first past the list
        {"C:\\P\\Shot1", 7, {"C:\\P\\Shot1.png", ImageFormat::Png}},  // no such entry: the first
        {"C:\\P\\Shot1.png", 2, {"C:\\P\\Shot1.png", ImageFormat::Png}},
        {"C:\\P\\Shot1.JPEG", 0, {"C:\\P\\Shot1.JPEG", ImageFormat::Jpeg}},
        {"C:\\P\\notes.txt", 2, {"C:\\P\\notes.txt", ImageFormat::Bmp}},  // someone else's extension
        {"C:\\P\\Shot1. .", 2, {"C:\\P\\Shot1.bmp", ImageFormat::Bmp}},   // the file system drops these
        {"C:/v1.2/Shot1", 0, {"C:/v1.2/Shot1.png", ImageFormat::Png}},    // a dot in a folder's name
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::PlanSave(c.chosen, c.entry), c.plan) << c.chosen << " / entry " << c.entry;
}

TEST(TemporarySibling, LiesInTheTargetsFolderNamedBySalt)
{
    EXPECT_EQ(core::TemporarySibling("C:\\P\\Shot1.png", 0x2a), "C:\\P\\~pt0000002a.tmp");
    EXPECT_EQ(core::TemporarySibling("C:/v1.2/x.bmp", 0xdeadbeef), "C:/v1.2/~ptdeadbeef.tmp");
}

TEST(SaveSourceRect, IsTheShownSelectionWithAnAreaOrElseTheWholePicture)
{
    const core::Rect whole{0, 0, 64, 48};
    EXPECT_EQ(core::SaveSourceRect(true, {30, 25}, {10, 5}, 64, 48), (core::Rect{10, 5, 30, 25}));
    EXPECT_EQ(core::SaveSourceRect(true, {40, 20}, {80, 70}, 64, 48), (core::Rect{40, 20, 64, 48}));
    EXPECT_EQ(core::SaveSourceRect(false, {3, 3}, {9, 9}, 64, 48), whole);  // a frame still being dragged
    EXPECT_EQ(core::SaveSourceRect(true, {7, 7}, {7, 7}, 64, 48), whole);   // a click without a drag
    EXPECT_TRUE(core::SaveSourceRect(false, {0, 0}, {0, 0}, 0, 0).Empty());
}

}  // namespace
