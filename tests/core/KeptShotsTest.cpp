// The kept shots' files: names, the manifest written and read back, corrupt and truncated
// manifests, the sorting out of a folder found at a start, and the captions shots open with.
#include "core/KeptShots.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using core::KeptFile;
using core::KeptFileKind;
using core::KeptShot;

using Names = std::vector<std::string>;

const std::string kManifest =
    "Pixtrove kept shot 1\n"
    "order 12\n"
    "name Shot:3\n"
    "size 640 480\n"
    "picture 5\n"
    "end\n";

KeptShot Shot(std::uint32_t id, std::uint64_t order, std::uint32_t generation, std::string name = "Shot:1")
{
    KeptShot shot;
    shot.id = id;
    shot.order = order;
    shot.name = std::move(name);
    shot.width = 640;
    shot.height = 480;
    shot.generation = generation;
    return shot;
}

TEST(KeptShotNames, AManifestIsTheIdWithShotAndAPictureTheIdAndGenerationWithPng)
{
    EXPECT_EQ(core::ManifestName(17), "17.shot");
    EXPECT_EQ(core::PictureName(17, 3), "17-3.png");
    EXPECT_EQ(core::PictureName(1, 0), "1-0.png");
    EXPECT_EQ(core::PictureName(4294967295u, 4294967295u), "4294967295-4294967295.png");
}

TEST(KeptShotNames, EachNameInTheFolderIsKnownForWhatItIs)
{
    struct Row {
        const char* name;
        KeptFile file;
    };
    const Row rows[] = {
        {"17.shot", {KeptFileKind::Manifest, 17}},
        {"17.SHOT", {KeptFileKind::Manifest, 17}},
        {"4294967295.shot", {KeptFileKind::Manifest, 4294967295u}},
        {"4294967296.shot", {}},
        {"0.shot", {}},
        {"017.shot", {}},
        {"-1.shot", {}},
        {"+1.shot", {}},
        {".shot", {}},
        {"1 .shot", {}},
        {"17-3.png", {KeptFileKind::Picture, 17, 3}},
        {"17-0.png", {KeptFileKind::Picture, 17, 0}},
        {"17-3.PNG", {KeptFileKind::Picture, 17, 3}},
        {"17-03.png", {}},
        {"0-3.png", {}},
        {"17.png", {}},
        {"17-.png", {}},
        {"-3.png", {}},
        {"17-3-4.png", {}},
        {"17-4294967296.png", {}},
        {"~pt0000002a.tmp", {KeptFileKind::Temporary}},
        {"~PT0000002A.TMP", {KeptFileKind::Temporary}},
        {"~pt0000002g.tmp", {}},
        {"~ptx000002a.tmp", {}},
        {"~pt000002a.tmp", {}},
        {"~pt0000002a.tmpx", {}},
        {"notes.txt", {}},
        {"7", {}},
        {"1-2", {}},
        {"", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(core::ClassifyKeptFile(row.name), row.file);
    }
}

TEST(KeptShotManifest, IsWrittenLineByLineAndEndsWithEnd)
{
    EXPECT_EQ(core::FormatManifest(Shot(4, 12, 5, "Shot:3")), kManifest);
}

TEST(KeptShotManifest, ReadsBackWhatWasWrittenWithTheIdOfItsFileName)
{
    KeptShot shot = Shot(0, 18446744073709551615u, 4294967295u, "写真 (1).png");
    shot.width = 32767;
    shot.height = 8192;
    shot.id = 9;
    EXPECT_EQ(core::ParseManifest(core::FormatManifest(shot), 9), shot);
    EXPECT_EQ(core::ParseManifest(kManifest, 4), Shot(4, 12, 5, "Shot:3"));
}

TEST(KeptShotManifest, CarriesMarksOfAnyBytesAfterTheirLength)
{
    KeptShot shot = Shot(2, 1, 1);
    shot.marks = std::string("a\nend\n\0\xff", 8);
    const std::string text = core::FormatManifest(shot);
    EXPECT_EQ(text, "Pixtrove kept shot 1\norder 1\nname Shot:1\nsize 640 480\npicture 1\nmarks 8\n" +
                        std::string("a\nend\n\0\xff", 8) + "\nend\n");
    EXPECT_EQ(core::ParseManifest(text, 2), shot);
    shot.marks = std::string();
    EXPECT_EQ(core::ParseManifest(core::FormatManifest(shot), 2), shot);
}

TEST(KeptShotManifest, ControlCharactersOfTheNameBecomeBlanks)
{
    const KeptShot shot = Shot(1, 1, 1, "a\nb\rc\td\x7f");
    EXPECT_EQ(core::ParseManifest(core::FormatManifest(shot), 1)->name, "a b c d ");
}

// A file cut short anywhere is never taken for a shot.
TEST(KeptShotManifest, EveryTruncationIsRejected)
{
    KeptShot shot = Shot(3, 7, 2);
    for (const bool marks : {false, true}) {
        if (marks) shot.marks = "xy\nz";
        const std::string text = core::FormatManifest(shot);
        for (size_t length = 0; length < text.size(); ++length) {
            SCOPED_TRACE(std::to_string(length) + (marks ? " with marks" : ""));
            EXPECT_EQ(core::ParseManifest(text.substr(0, length), 3), std::nullopt);
        }
    }
}

TEST(KeptShotManifest, AlteredTextIsRejected)
{
    struct Row {
        const char* from;
        const char* to;
    };
    const Row rows[] = {
        {"shot 1\n", "shot 2\n"},
        {"shot 1\n", "shot 01\n"},
        {"Pixtrove", "pixtrove"},
        {"order 12", "order -12"},
        {"order 12", "order 012"},
        {"order 12", "order"},
        {"order 12", "order 1 2"},
        {"order 12", "order x"},
        {"order 12", "order 18446744073709551616"},
        {"size 640 480", "size 0 480"},
        {"size 640 480", "size 640 0"},
        {"size 640 480", "size 32768 480"},
        {"size 640 480", "size 640"},
        {"size 640 480", "size 640 480 1"},
        {"size 640 480", "size 640  480"},
        {"size 640 480", "size 32767 32767"},
        {"picture 5", "picture"},
        {"picture 5", "picture 4294967296"},
        {"name Shot:3", "name Shot\r:3"},
        {"name Shot:3", "title Shot:3"},
        {"end\n", "End\n"},
        {"end\n", "end\nx"},
        {"end\n", "end\n\n"},
        {"end\n", "marks 3\nab\nend\n"},
        {"end\n", "marks 1\nab\nend\n"},
        {"end\n", "marks 67108865\nend\n"},
        {"\n", "\r\n"},
        {"order 12\nname Shot:3\n", "name Shot:3\norder 12\n"},
        {"end\n", "zoom\nend\n"},
        {"end\n", " zoom 1\nend\n"},
    };
    for (const Row& row : rows) {
        std::string text = kManifest;
        const size_t at = text.find(row.from);
        ASSERT_NE(at, std::string::npos) << row.from;
        text.replace(at, std::string(row.from).size(), row.to);
        SCOPED_TRACE(text);
        EXPECT_EQ(core::ParseManifest(text, 4), std::nullopt);
    }
}

// A later version of the program may add lines; this one reads past them.
TEST(KeptShotManifest, LinesOfOtherKeysBeforeTheMarksAreSkipped)
{
    std::string text = kManifest;
    text.insert(text.find("end\n"), "zoom 200\nalpha red\n");
    EXPECT_EQ(core::ParseManifest(text, 4), Shot(4, 12, 5, "Shot:3"));
    text.insert(text.find("end\n"), "Zoom 1\n");
    EXPECT_EQ(core::ParseManifest(text, 4), std::nullopt);
}

TEST(KeptShotManifest, TheLargestPictureIsAQuarterGibiPixels)
{
    std::string text = kManifest;
    text.replace(text.find("640 480"), 7, "16384 16384");
    EXPECT_EQ(core::ParseManifest(text, 4)->width, 16384);
    text.replace(text.find("16384 16384"), 11, "16385 16384");
    EXPECT_EQ(core::ParseManifest(text, 4), std::nullopt);
}

std::string PngStart(std::uint32_t width, std::uint32_t height)
{
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (std::uint32_t value : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<char>(value >> shift & 0xFF));
    return bytes + std::string("\x08\x02\0\0\0", 5);
}

TEST(KeptShotPicture, ThePngHeaderGivesTheSize)
{
    EXPECT_EQ(core::PngSize(PngStart(3840, 2160)), (std::pair{3840, 2160}));
    EXPECT_EQ(core::PngSize(PngStart(1, 1).substr(0, 24)), (std::pair{1, 1}));
    EXPECT_EQ(core::PngSize(PngStart(0, 5)), std::nullopt);
    EXPECT_EQ(core::PngSize(PngStart(5, 0)), std::nullopt);
    EXPECT_EQ(core::PngSize(PngStart(0x80000000u, 5)), std::nullopt);
    EXPECT_EQ(core::PngSize(PngStart(5, 5).substr(0, 23)), std::nullopt);
    std::string notPng = PngStart(5, 5);
    notPng[1] = 'J';
    EXPECT_EQ(core::PngSize(notPng), std::nullopt);
    std::string otherChunk = PngStart(5, 5);
    otherChunk[12] = 'i';
    EXPECT_EQ(core::PngSize(otherChunk), std::nullopt);
    EXPECT_EQ(core::PngSize(""), std::nullopt);
}

// The folder's sorting, with manifests given as a table of what reading each gives.
core::KeptFolderPlan Plan(const Names& names, const std::map<std::uint32_t, std::optional<KeptShot>>& manifests)
{
    return core::PlanKeptFolder(names, [&](std::uint32_t id) {
        const auto found = manifests.find(id);
        EXPECT_NE(found, manifests.end()) << "read " << id;
        return found == manifests.end() ? std::nullopt : found->second;
    });
}

TEST(KeptFolder, ShotsOpenByTheirOrderThenByIdAndKeepOnlyTheirNamedPicture)
{
    const auto plan = Plan({"3.shot", "3-1.png", "3-2.png", "8.shot", "8-4.png", "5.shot", "5-9.png"},
                           {{3, Shot(3, 20, 2)}, {8, Shot(8, 10, 4)}, {5, Shot(5, 20, 9)}});
    ASSERT_EQ(plan.restore.size(), 3u);
    EXPECT_EQ(plan.restore[0].id, 8u);
    EXPECT_EQ(plan.restore[1].id, 3u);
    EXPECT_EQ(plan.restore[2].id, 5u);
    EXPECT_EQ(plan.remove, Names{"3-1.png"});
    EXPECT_EQ(plan.aside, Names{});
}

// A kill during a write leaves its temporary, or a picture whose manifest never came.
TEST(KeptFolder, LeftoversOfUnfinishedWritesAreRemovedAndOtherFilesLeftAlone)
{
    const auto plan = Plan({"~pt00000001.tmp", "4-1.png", "4-2.png", "2.shot", "2-1.png", "notes.txt", "9.png"},
                           {{2, Shot(2, 1, 1)}});
    EXPECT_EQ(plan.restore, std::vector<KeptShot>{Shot(2, 1, 1)});
    EXPECT_EQ(plan.remove, (Names{"~pt00000001.tmp", "4-1.png", "4-2.png"}));
    EXPECT_EQ(plan.aside, Names{});
}

TEST(KeptFolder, AnUnreadableManifestGoesAsideWithEveryPictureOfItsId)
{
    const auto plan =
        Plan({"6.shot", "6-1.png", "6-2.png", "7.shot", "7-1.png"}, {{6, std::nullopt}, {7, Shot(7, 1, 1)}});
    EXPECT_EQ(plan.restore, std::vector<KeptShot>{Shot(7, 1, 1)});
    EXPECT_EQ(plan.aside, (Names{"6.shot", "6-1.png", "6-2.png"}));
    EXPECT_EQ(plan.remove, Names{});
}

TEST(KeptFolder, AManifestWhosePictureIsMissingGoesAside)
{
    const auto plan = Plan({"6.shot", "6-1.png"}, {{6, Shot(6, 1, 2)}});
    EXPECT_EQ(plan.restore, std::vector<KeptShot>{});
    EXPECT_EQ(plan.aside, (Names{"6.shot", "6-1.png"}));
    EXPECT_EQ(plan.remove, Names{});
    EXPECT_EQ(Plan({"6.shot"}, {{6, Shot(6, 1, 2)}}).aside, Names{"6.shot"});
}

TEST(KeptFolder, AnEmptyFolderHasNothingToDo) { EXPECT_EQ(Plan({}, {}), core::KeptFolderPlan{}); }

TEST(KeptFolder, TheFilesOfAShotAreItsManifestAndItsPicture)
{
    EXPECT_EQ(core::KeptFilesOf(Shot(12, 1, 7)), (Names{"12.shot", "12-7.png"}));
}

TEST(KeptFolder, AFileMovedAsideTakesANumberBeforeItsExtensionWhenItsNameIsTaken)
{
    EXPECT_EQ(core::AsideName("12.shot", 0), "12.shot");
    EXPECT_EQ(core::AsideName("12.shot", 1), "12 (2).shot");
    EXPECT_EQ(core::AsideName("12-7.png", 9), "12-7 (10).png");
    EXPECT_EQ(core::AsideName("plain", 2), "plain (3)");
    EXPECT_EQ(core::AsideName(".hidden", 1), ".hidden (2)");
}

TEST(KeptCaptions, ShotNumbersStartAgainFromOneInOrderAndOtherNamesStay)
{
    EXPECT_EQ(core::RenumberCaptions({"Shot:4", "photo.png", "Shot:9", "Shot:2"}),
              (core::RestoredCaptions{{"Shot:1", "photo.png", "Shot:2", "Shot:3"}, 3}));
    EXPECT_EQ(core::RenumberCaptions({}), core::RestoredCaptions{});
    EXPECT_EQ(core::RenumberCaptions({"a.png"}), (core::RestoredCaptions{{"a.png"}, 0}));
}

TEST(KeptCaptions, OnlyShotAndAColonAndANumberIsAShotsCaption)
{
    struct Row {
        const char* caption;
        bool shot;
    };
    const Row rows[] = {
        {"Shot:1", true},   {"Shot:2147483647", true}, {"Shot:2147483648", false},
        {"Shot:", false},   {"Shot:01", false},        {"shot:1", false},
        {"Shot: 1", false}, {"Shot:1a", false},        {"Shot1.png", false},
        {"", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        EXPECT_EQ(core::IsShotCaption(row.caption), row.shot);
    }
}

TEST(KeptNotice, NamesEachFileMovedAside)
{
    EXPECT_EQ(core::UnreadableKeptNotice({}), "");
    EXPECT_EQ(core::UnreadableKeptNotice({"6.shot", "6-1.png"}),
              "読めない保存ショットを Unreadable へ移しました：6.shot 6-1.png");
}

}  // namespace
