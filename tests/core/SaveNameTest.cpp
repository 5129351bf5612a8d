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

TEST(PlanSave, KeepsAnExtensionOfOursWithItsFormatAndGivesAnyOtherNameTheEntrysExtension)
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
        {"C:\\P\\notes.txt", 2, {"C:\\P\\notes.txt.bmp", ImageFormat::Bmp}},  // someone else's extension
        {"C:\\P\\sel.jpg", 0, {"C:\\P\\sel.jpg", ImageFormat::Jpeg}},
        {"C:\\P\\sel.bmp", 0, {"C:\\P\\sel.bmp", ImageFormat::Bmp}},
        {"C:\\P\\sel.JpG", 2, {"C:\\P\\sel.JpG", ImageFormat::Jpeg}},
        {"C:\\P\\sel.jpeg", 1, {"C:\\P\\sel.jpeg", ImageFormat::Jpeg}},
        {"C:\\P\\sel.Png", 1, {"C:\\P\\sel.Png", ImageFormat::Png}},
        {"C:\\P\\sel.BMP", 1, {"C:\\P\\sel.BMP", ImageFormat::Bmp}},
        {"C:\\P\\sel.gif", 1, {"C:\\P\\sel.gif.jpg", ImageFormat::Jpeg}},  // no format of ours
        {"C:\\P\\sel.pngx", 0, {"C:\\P\\sel.pngx.png", ImageFormat::Png}},
        {"C:\\P\\sel.", 1, {"C:\\P\\sel.jpg", ImageFormat::Jpeg}},
        {"C:\\P\\Shot1. .", 2, {"C:\\P\\Shot1.bmp", ImageFormat::Bmp}},   // the file system drops these
        {"C:/v1.2/Shot1", 0, {"C:/v1.2/Shot1.png", ImageFormat::Png}},    // a dot in a folder's name
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::PlanSave(c.chosen, c.entry), c.plan) << c.chosen << " / entry " << c.entry;
}

TEST(TypedSavePath, IsTheTypedNameInTheDialogsFolderWhenTheDialogOnlyAddedToIt)
{
    const struct {
        const char* dialog;
        const char* typed;
        const char* path;
    } cases[] = {
        {"C:\\P\\sel.jpg.png", "sel.jpg", "C:\\P\\sel.jpg"},  // Wine's dialog with PNG chosen
        {"C:\\P\\sel.BMP.png", "sel.BMP", "C:\\P\\sel.BMP"},
        {"C:\\P\\sel.jpeg.jpg", "sel.jpeg", "C:\\P\\sel.jpeg"},
        {"C:\\P\\sel.png", "sel", "C:\\P\\sel"},
        {"C:\\P\\sel.jpg", "sel.jpg", "C:\\P\\sel.jpg"},  // Windows' dialog leaves it alone
        {"D:\\Q\\sel.jpg.png", "D:\\Q\\sel.jpg", "D:\\Q\\sel.jpg"},
        {"C:\\x\\sel.jpg.png", "..\\x\\sel.jpg", "C:\\x\\sel.jpg"},  // the dialog resolved the folder
        {"C:\\P\\sel.jpg.png", "\"sel.jpg\"", "C:\\P\\sel.jpg"},
        {"C:\\P\\sel.jpg.png", "sel.jpg. ", "C:\\P\\sel.jpg"},
        {"C:\\P\\SEL.JPG.png", "sel.jpg", "C:\\P\\sel.jpg"},
        {"C:\\P\\other.png", "sel.jpg", "C:\\P\\other.png"},  // the dialog chose something else
        {"C:\\P\\sel.png", "", "C:\\P\\sel.png"},
        {"C:\\P\\sel.png", "C:\\P\\", "C:\\P\\sel.png"},
        {"C:\\P\\se.png", "sel", "C:\\P\\se.png"},  // shorter than the typed name
        {"sel.jpg.png", "sel.jpg", "sel.jpg"},  // no folder at all
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::TypedSavePath(c.dialog, c.typed), c.path) << c.dialog << " / " << c.typed;
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
