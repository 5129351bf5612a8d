#include <gtest/gtest.h>

#include <vector>

#include "core/OpenReport.h"
#include "core/SaveName.h"

namespace {

TEST(OpenReportText, NamesOneFileAndWhyOnTheNextLine)
{
    const std::vector<core::OpenFailure> one{{"C:\\P\\a.png", core::kEmptyFile}};
    EXPECT_EQ(core::OpenReportText(one), "「C:\\P\\a.png」を開けません。\n空のファイルです。");
}

TEST(OpenReportText, ListsSeveralFilesEachWithItsReason)
{
    const std::vector<core::OpenFailure> several{{"C:\\P\\a.png", core::kNotAPicture},
                                                 {"C:\\P\\big.bmp", core::kPictureTooLarge},
                                                 {"C:\\P\\sub", core::kFolderNotFile}};
    EXPECT_EQ(core::OpenReportText(several),
              "次のファイルを開けません。\n"
              "「C:\\P\\a.png」: 画像のファイルではないか、壊れています。\n"
              "「C:\\P\\big.bmp」: 画像が大きすぎます (一辺 32767 ピクセル、全体で 1 GiB まで)。\n"
              "「C:\\P\\sub」: フォルダーです。");
}

TEST(OpenReportText, IsEmptyWhenNothingFailed) { EXPECT_EQ(core::OpenReportText({}), ""); }

TEST(PasteReportText, SaysTheClipboardsPictureCouldNotBeRead)
{
    EXPECT_EQ(core::PasteReportText(core::kNotAPicture),
              "クリップボードの画像を読めません。\n画像のファイルではないか、壊れています。");
}

TEST(DefaultSaveNameForFile, KeepsANameOfOurFormatsAndGivesAnyOtherAPngName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"photo.jpg", "photo.jpg"},   {"photo.JPEG", "photo.JPEG"}, {"a.b.bmp", "a.b.bmp"},
        {"scan.png", "scan.png"},     {"anim.gif", "anim.png"},     {"page.tiff", "page.png"},
        {"v1.2.ico", "v1.2.png"},     {"noextension", "noextension.png"},
        {"C:\\P\\x.gif", "x.png"},    {".gif", "Shot.png"},
    };
    for (const auto& [file, name] : cases) EXPECT_EQ(core::DefaultSaveNameForFile(file), name) << file;
}

}  // namespace
