// What the save of a shot window writes, read back as other programs read it, and what a save
// that cannot be done leaves behind. The place is chosen by a stand-in for the dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "SaveSupport.h"
#include "win32/ReplacingFile.h"

using namespace wintest;

namespace {

using Save = ShotSaveTest;

struct AreaCase {
    const char* name;
    core::Point from, to;  // of the drag; none: nothing selected
    core::Rect saved;
};

void PrintTo(const AreaCase& c, std::ostream* out) { *out << c.name; }

class SavedArea : public Save, public ::testing::WithParamInterface<AreaCase> {};

TEST_P(SavedArea, HoldsThePicturesOwnPixelsOpaqueAndLeavesTheSelectionAsItWas)
{
    const AreaCase& c = GetParam();
    if (c.from != c.to) Drag(c.from, c.to);
    const Pixels before = PicturePixels(ShotProbe::Picture(shot));
    SaveByMenu(InFolder(L"Shot1.png"));
    const std::optional<DecodedImage> image = DecodeImageFile(InFolder(L"Shot1.png"));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->container, GUID_ContainerFormatPng);
    EXPECT_TRUE(image->opaque);
    EXPECT_EQ(image->pixels, Crop(captured, c.saved)) << Differences(Crop(captured, c.saved), image->pixels);
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(shot)), before);
    EXPECT_EQ(ShotProbe::Selection(shot).Selected(), c.from != c.to);
    EXPECT_EQ(questions_, (decltype(questions_){{program.main.hwnd(), L"Shot1.png"}}));
    EXPECT_TRUE(reports.texts().empty());
}

// The picture is 64 x 48.
INSTANTIATE_TEST_SUITE_P(Drags, SavedArea,
                         ::testing::Values(AreaCase{"TowardsTheTopLeft", {30, 25}, {10, 5}, {10, 5, 30, 25}},
                                           AreaCase{"PastTheRightAndBottomEdges", {40, 20}, {80, 70}, {40, 20, 64, 48}},
                                           AreaCase{"PastTheLeftAndTopEdges", {20, 15}, {-12, -7}, {0, 0, 20, 15}},
                                           AreaCase{"OneColumnWide", {7, 3}, {8, 40}, {7, 3, 8, 40}},
                                           AreaCase{"NothingSelected", {0, 0}, {0, 0}, {0, 0, 64, 48}}),
                         [](const ::testing::TestParamInfo<AreaCase>& info) { return std::string(info.param.name); });

TEST_F(Save, AFrameStillBeingDraggedIsLeftOutOfTheWholePicture)
{
    ShotProbe::PressPicture(shot, true, {5, 6});
    ShotProbe::MoveOverPicture(shot, {33, 30});
    SaveByMenu(InFolder(L"Shot1.png"));
    const std::optional<DecodedImage> image = DecodeImageFile(InFolder(L"Shot1.png"));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->pixels, captured) << Differences(captured, image->pixels);
}

TEST_F(Save, GivingUpInTheDialogWritesNothing)
{
    ::SendMessageW(program.main.hwnd(), WM_COMMAND, MAKEWPARAM(IDM_SAVE, 0), 0);
    EXPECT_EQ(questions_.size(), 1u);
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(reports.texts().empty());
}

// A name typed without an extension gets the chosen entry's, and the file its format; a file
// that was there is replaced, and no temporary file stays.
TEST_F(Save, EachEntryWritesItsOwnFormatInPlaceOfAnEarlierFile)
{
    WriteBytes(InFolder(L"a.png"), std::vector<char>(100000, 'x'));
    SaveByMenu(InFolder(L"a"), kPngEntry);
    SaveByMenu(InFolder(L"b"), kJpegEntry);
    SaveByMenu(InFolder(L"c"), kBmpEntry);
    ASSERT_EQ(Names(), (std::vector<std::wstring>{L"a.png", L"b.jpg", L"c.bmp"}));
    const GUID expected[] = {GUID_ContainerFormatPng, GUID_ContainerFormatJpeg, GUID_ContainerFormatBmp};
    for (size_t i = 0; i < 3; ++i) {
        const std::optional<DecodedImage> image = DecodeImageFile(InFolder(Names()[i]));
        ASSERT_TRUE(image.has_value()) << i;
        EXPECT_EQ(image->container, expected[i]);
        EXPECT_TRUE(image->opaque);
        EXPECT_TRUE(i == 1 ? image->pixels.width == 64 : image->pixels == captured) << i;  // JPEG loses some
    }
    EXPECT_EQ(FileBytes(InFolder(L"c.bmp"))->at(28), 24) << "bits per pixel";
}

// The report names the file beside the system's text. A missing folder, and sysfs, which takes no new file from anyone, not even from root, to
// whom a folder's permissions (Wine's read-only attribute among them) mean nothing.
TEST_F(Save, AFolderThatCannotTakeTheFileIsReportedWithTheSystemsText)
{
    const std::pair<std::wstring, std::vector<std::wstring>> cases[] = {
        {InFolder(L"missing"), {kPathNotFound}},
        {L"Z:\\sys", {kAccessDenied, kWriteProtected}},
    };
    size_t reported = 0;
    for (const auto& [folder, errors] : cases) {
        const std::wstring file = folder + L"\\Shot1.png";
        SaveByMenu(file);
        ASSERT_EQ(reports.texts().size(), ++reported);
        EXPECT_TRUE(std::ranges::any_of(errors, [&](const std::wstring& e) { return reports.texts().back() == ReportOf(file, e); }))
            << reports.texts().back();
    }
    EXPECT_TRUE(Names().empty());
}

// A target that another program holds open, and an encoder that gives up once the temporary
// file is made (JPEG takes at most 65500 pixels a side), as when a disk fills up half way.
TEST_F(Save, AFailureLeavesTheExistingFileAsItWasAndNoTemporaryFile)
{
    const std::vector<char> earlier(5000, 'e');
    WriteBytes(InFolder(L"Shot1.png"), earlier);
    const HANDLE lock = ::CreateFileW(InFolder(L"Shot1.png").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
    SaveByMenu(InFolder(L"Shot1.png"));
    ::CloseHandle(lock);
    ASSERT_EQ(reports.texts().size(), 1u);
    EXPECT_TRUE(reports.texts()[0] == ReportOf(InFolder(L"Shot1.png"), kAccessDenied) ||
                reports.texts()[0] == ReportOf(InFolder(L"Shot1.png"), kSharingViolation))
        << reports.texts()[0];
    MakeShot(70000, 2, "Shot:2");
    WriteBytes(InFolder(L"wide.jpg"), earlier);
    SaveByMenu(InFolder(L"wide.jpg"), kJpegEntry);
    EXPECT_EQ(reports.texts().size(), 2u);
    EXPECT_EQ(FileBytes(InFolder(L"Shot1.png")), earlier);
    EXPECT_EQ(FileBytes(InFolder(L"wide.jpg")), earlier);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Shot1.png", L"wide.jpg"}));
}

}  // namespace

// Three folders of 100 characters: the file's full path is well past MAX_PATH.
TEST_F(Save, APathLongerThanMaxPathIsWritten)
{
    std::wstring folder = folder_;
    std::vector<std::wstring> made;
    for (wchar_t letter : {L'a', L'b', L'c'}) {
        folder += L"\\" + std::wstring(100, letter);
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
        made.push_back(folder);
    }
    const std::wstring file = folder + L"\\Shot1.png";
    ASSERT_GT(file.size(), static_cast<size_t>(MAX_PATH));
    SaveByMenu(file);
    EXPECT_TRUE(reports.texts().empty()) << reports.texts().front();
    const std::optional<std::vector<char>> written = FileBytes(L"\\\\?\\" + file);
    EXPECT_TRUE(written && written->size() > 8 && written->at(1) == 'P') << "no PNG at the long path";
    ::DeleteFileW((L"\\\\?\\" + file).c_str());
    for (auto at = made.rbegin(); at != made.rend(); ++at) ::RemoveDirectoryW((L"\\\\?\\" + *at).c_str());
}

// Wine takes long paths as they are; Windows, unless the user has opted in, only in this form.
TEST(ReplacingFilePath, PastMaxPathTakesTheLongFormAndShorterStaysAsItIs)
{
    const std::wstring tail = L"\\" + std::wstring(280, L'd') + L"\\Shot1.png";
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\P\\Shot1.png", L"C:\\P\\Shot1.png"},
        {L"C:" + tail, L"\\\\?\\C:" + tail},
        {L"C:/x" + tail, L"\\\\?\\C:\\x" + tail},
        {L"\\\\server\\share" + tail, L"\\\\?\\UNC\\server\\share" + tail},
        {L"\\\\?\\C:" + tail, L"\\\\?\\C:" + tail},
    };
    for (const auto& [given, taken] : cases)
        EXPECT_EQ(win::ReplacingFile::LongPathForm(given), taken) << given.substr(0, 20);
}
