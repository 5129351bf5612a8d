// The open shots kept in a folder, in this process: the files each shot and each change writes,
// closing a shot, one start finding what another kept (order, captions, edits, the count), the
// picture read only when it shows, files that cannot be read, leftovers, and the setting.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CaptureSupport.h"
#include "Process.h"
#include "ClipboardProbe.h"
#include "SaveSupport.h"
#include "WinTest.h"
#include "app/ShotKeeper.h"
#include "resource.h"

using namespace wintest;

namespace {

using Names = std::vector<std::wstring>;

// One start of the program, keeping its shots in `folder`; it ends as the program does when
// it goes (the windows first, then the keeper, which writes what still waits).
struct Start {
    app::ShotKeeper keeper;
    app::ApplicationWindow application;
    app::MainFrame main{application, false, &keeper};
    explicit Start(const std::wstring& folder) : keeper(folder)
    {
        main.Show(SW_SHOWNORMAL);
        Pump(50);
    }
};

std::string Text(const std::optional<std::vector<char>>& bytes)
{
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(no file)");
}

// A scratch folder of its own, empty (the temporary folder may hold one of that name from an
// earlier run), deleted at the end.
struct EmptyFolder {
    const std::wstring path = NewFolder();
    EmptyFolder()
    {
        DeleteFolderTree(path);
        ::CreateDirectoryW(path.c_str(), nullptr);
    }
    ~EmptyFolder() { DeleteFolderTree(path); }
};

class KeptShots : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
    EmptyFolder scratch;
    const std::wstring root = scratch.path;
    const std::wstring folder = root + L"\\Shots";
    const std::wstring aside = root + L"\\Unreadable";
    std::unique_ptr<Start> run;

    app::MainFrame& Main() { return run->main; }
    void Begin() { run = std::make_unique<Start>(folder); }
    void End() { run.reset(); }
    void Written() { run->keeper.WaitUntilWritten(); }
    std::wstring In(const std::wstring& name) const { return folder + L"\\" + name; }

    app::ShotWindow& Open(int width, int height)
    {
        Main().OpenShot(PatternPicture(width, height));
        Pump(20);
        return *ActiveShotWindow(Main());
    }
    void Command(UINT id) { ::SendMessageW(Main().hwnd(), WM_COMMAND, id, 0); }
    std::vector<std::wstring> Captions()
    {
        std::vector<std::wstring> captions;
        for (app::ShotWindow* shot : Shots(Main()))
            captions.push_back(WindowText(shot->hwnd()));
        return captions;
    }
    std::wstring Notice() { return StatusText(FrameProbe::StatusBar(Main()), 1); }
};

Pixels Black(int width, int height)
{
    return Pixels{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height, 0)};
}

TEST_F(KeptShots, AShotIsWrittenWhenItIsMadeAsAPngAndAManifest)
{
    Begin();
    const app::ShotWindow& shot = Open(64, 48);
    Written();
    EXPECT_EQ(FilesIn(folder), (Names{L"1-1.png", L"1.shot"}));
    EXPECT_EQ(Text(FileBytes(In(L"1.shot"))),
              "Pixtrove kept shot 1\norder 1\nname Shot:1\nsize 64 48\npicture 1\nend\n");
    const auto png = DecodeImageFile(In(L"1-1.png"));
    ASSERT_TRUE(png);
    EXPECT_EQ(png->pixels, PicturePixels(ShotProbe::Picture(shot)))
        << Differences(png->pixels, PicturePixels(ShotProbe::Picture(shot)));
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(KeptShots, EachEditIsWrittenAsTheNextPictureAndTheEarlierOneGoes)
{
    Begin();
    app::ShotWindow& shot = Open(40, 30);
    const Pixels before = PicturePixels(ShotProbe::Picture(shot));
    Command(IDM_SELECT_ALL);
    Command(IDM_BLACK_OUT);
    Written();
    EXPECT_EQ(FilesIn(folder), (Names{L"1-2.png", L"1.shot"}));
    EXPECT_EQ(DecodeImageFile(In(L"1-2.png"))->pixels, Black(40, 30));
    EXPECT_NE(Text(FileBytes(In(L"1.shot"))).find("picture 2\n"), std::string::npos);
    Command(IDM_UNDO);
    Written();
    EXPECT_EQ(FilesIn(folder), (Names{L"1-3.png", L"1.shot"}));
    EXPECT_EQ(DecodeImageFile(In(L"1-3.png"))->pixels, before);
}

TEST_F(KeptShots, ClosingAShotDeletesItsFilesAndLeavesTheOthers)
{
    Begin();
    app::ShotWindow& first = Open(20, 10);
    Open(30, 10);
    Written();
    CloseShot(Main(), first);
    Written();
    EXPECT_EQ(FilesIn(folder), (Names{L"2-1.png", L"2.shot"}));
}

TEST_F(KeptShots, TheNextStartOpensTheShotsInTheirOrderNumberedAfreshWithTheirEdits)
{
    Begin();
    app::ShotWindow& closed = Open(20, 10);
    const Pixels second = PicturePixels(ShotProbe::Picture(Open(30, 20)));
    Open(50, 40);
    Command(IDM_SELECT_ALL);
    Command(IDM_BLACK_OUT);
    CloseShot(Main(), closed);
    End();
    EXPECT_EQ(FilesIn(folder), (Names{L"2-1.png", L"2.shot", L"3-2.png", L"3.shot"}));

    Begin();
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"Shot:2", L"Shot:1"}));  // front to back
    std::vector<app::ShotWindow*> shots = Shots(Main());
    ASSERT_EQ(shots.size(), 2u);
    for (app::ShotWindow* shot : shots)
        ASSERT_TRUE(shot->EnsurePicture());
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(*shots[0])), Black(50, 40));
    EXPECT_EQ(PicturePixels(ShotProbe::Picture(*shots[1])), second);
    EXPECT_EQ(FrameProbe::ShotCount(Main()), 2);
    Open(8, 8);
    EXPECT_EQ(Captions().front(), L"Shot:3");
    // What the user closed stays closed; the rest is kept again, under its own files.
    Written();
    EXPECT_EQ(FilesIn(folder), (Names{L"2-1.png", L"2.shot", L"3-2.png", L"3.shot", L"4-1.png", L"4.shot"}));
    EXPECT_EQ(Notice(), L"");
    EXPECT_TRUE(reports.texts().empty());
}

// Through the window's own messages, as the pointer and the keys give them (at 100 %, with the
// picture at the client area's top-left).
void DragIn(HWND shot, POINT from, POINT to)
{
    ::SendMessageW(shot, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    ::SendMessageW(shot, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    ::SendMessageW(shot, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

TEST_F(KeptShots, MarksAreKeptBesideThePixelsAndOpenAgainStillEditable)
{
    Begin();
    app::ShotWindow& shot = Open(60, 40);
    const Pixels pixels = PicturePixels(ShotProbe::Picture(shot));
    Command(IDM_TOOL_BOX);
    DragIn(shot.hwnd(), {10, 5}, {40, 30});
    Written();
    const std::string manifest = Text(FileBytes(In(L"1.shot")));
    EXPECT_NE(manifest.find("\nmarks 24\nbox 10 5 40 30 ff0000 4\n\nend\n"), std::string::npos) << manifest;
    EXPECT_EQ(FilesIn(folder), (Names{L"1-1.png", L"1.shot"})) << "a change of the marks alone writes no picture";
    EXPECT_EQ(DecodeImageFile(In(L"1-1.png"))->pixels, pixels) << "the pixels are kept without the marks";
    End();

    Begin();
    std::vector<app::ShotWindow*> shots = Shots(Main());
    ASSERT_EQ(shots.size(), 1u);
    ASSERT_TRUE(shots[0]->EnsurePicture());
    ASSERT_EQ(ShotProbe::Marks(*shots[0]).Count(), 1u);
    EXPECT_EQ(ShotProbe::Marks(*shots[0])[0], core::BoxMark({10, 5}, {40, 30}, {0xFF0000, 4}));
    // Still a mark: chosen with 選択 and deleted, and the kept shot has none.
    Command(IDM_TOOL_SELECT);
    DragIn(shots[0]->hwnd(), {10, 15}, {10, 15});
    ::SendMessageW(shots[0]->hwnd(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(ShotProbe::Marks(*shots[0]).Count(), 0u);
    Written();
    EXPECT_EQ(Text(FileBytes(In(L"1.shot"))).find("marks"), std::string::npos);
    EXPECT_TRUE(reports.texts().empty());
}

// The window in front shows its picture; the one beneath shows a strip of itself and has not
// read its picture until it comes to the front.
TEST_F(KeptShots, AKeptPictureIsReadOnlyWhenItsWindowShowsIt)
{
    Begin();
    Open(300, 200);
    Open(300, 200);
    End();
    Begin();
    std::vector<app::ShotWindow*> shots = Shots(Main());
    ASSERT_EQ(shots.size(), 2u);
    EXPECT_TRUE(PumpUntil([&] { return ShotProbe::HasPicture(*shots[0]); }, 3000));
    Pump(100);
    EXPECT_FALSE(ShotProbe::HasPicture(*shots[1]));
    ::SendMessageW(Main().MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(shots[1]->hwnd()), 0);
    EXPECT_TRUE(PumpUntil([&] { return ShotProbe::HasPicture(*shots[1]); }, 2000));
}

TEST_F(KeptShots, AManifestThatCannotBeReadGoesAsideAndIsNamedInTheStatusBarWithoutABox)
{
    Begin();
    Open(20, 10);
    Open(30, 10);
    End();
    std::vector<char> cut = *FileBytes(In(L"2.shot"));
    cut.resize(cut.size() - 2);
    WriteBytes(In(L"2.shot"), cut);

    Begin();
    EXPECT_EQ(Captions(), std::vector<std::wstring>{L"Shot:1"});
    EXPECT_EQ(FilesIn(folder), (Names{L"1-1.png", L"1.shot"}));
    EXPECT_EQ(FilesIn(aside), (Names{L"2-1.png", L"2.shot"}));
    EXPECT_EQ(Notice(), L"読めない保存ショットを Unreadable へ移しました：2.shot 2-1.png");
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(KeptShots, APictureThatIsNoPngOfItsSizeGoesAsideAtTheStart)
{
    Begin();
    Open(20, 10);
    Open(30, 10);
    End();
    const std::vector<char> first = *FileBytes(In(L"1-1.png"));
    WriteBytes(In(L"2-1.png"), first);  // a PNG, but 20 x 10
    Begin();
    EXPECT_EQ(Captions(), std::vector<std::wstring>{L"Shot:1"});
    EXPECT_EQ(FilesIn(aside), (Names{L"2-1.png", L"2.shot"}));
}

// The header is right, so the start takes it; the window finds the rest missing when it shows.
TEST_F(KeptShots, APictureCutShortGoesAsideWhenItShowsAndItsWindowCloses)
{
    Begin();
    Open(200, 100);
    End();
    std::vector<char> cut = *FileBytes(In(L"1-1.png"));
    cut.resize(60);
    WriteBytes(In(L"1-1.png"), cut);
    Begin();
    EXPECT_TRUE(PumpUntil([&] { return Shots(Main()).empty(); }, 3000)) << "the window stayed";
    EXPECT_EQ(FilesIn(folder), Names{});
    EXPECT_EQ(FilesIn(aside), (Names{L"1-1.png", L"1.shot"}));
    EXPECT_EQ(Notice(), L"読めない保存ショットを Unreadable へ移しました：1.shot 1-1.png");
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(KeptShots, AFileMovedAsideTakesANumberWhenItsNameIsTakenThere)
{
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW(aside.c_str(), nullptr);
    WriteBytes(In(L"5.shot"), {'x'});
    WriteBytes(aside + L"\\5.shot", {'y'});
    Begin();
    EXPECT_EQ(FilesIn(aside), (Names{L"5 (2).shot", L"5.shot"}));
    EXPECT_EQ(Notice(), L"読めない保存ショットを Unreadable へ移しました：5.shot");
}

// What a killed write leaves: its temporary, a picture whose manifest never came, a picture a
// later one replaced.
TEST_F(KeptShots, LeftoversOfUnfinishedWritesAreDeletedAtTheStartAndOtherFilesLeftAlone)
{
    Begin();
    Open(20, 10);
    End();
    const std::vector<char> png = *FileBytes(In(L"1-1.png"));
    for (const wchar_t* name : {L"~pt0000abcd.tmp", L"7-1.png", L"1-0.png", L"notes.txt"})
        WriteBytes(In(name), png);
    Begin();
    EXPECT_EQ(FilesIn(folder), (Names{L"1-1.png", L"1.shot", L"notes.txt"}));
    EXPECT_EQ(Captions(), std::vector<std::wstring>{L"Shot:1"});
    EXPECT_EQ(Notice(), L"");
}

TEST_F(KeptShots, TurningTheSettingOffDeletesTheKeptFilesAtOnceAndOnWritesTheOpenShotsAgain)
{
    Begin();
    Open(20, 10);
    Open(30, 10);
    Written();
    Main().SetKeepShots(false);
    Written();
    EXPECT_EQ(FilesIn(folder), Names{});
    Open(40, 10);
    Command(IDM_SELECT_ALL);
    Command(IDM_BLACK_OUT);
    Written();
    EXPECT_EQ(FilesIn(folder), Names{});
    Main().SaveSettings();
    EXPECT_EQ(ReadValue(kSection, "KeepShots"), Sz("0"));

    Main().SetKeepShots(true);
    Written();
    EXPECT_EQ(FilesIn(folder), (Names{L"1-2.png", L"1.shot", L"2-2.png", L"2.shot", L"3-1.png", L"3.shot"}));
    EXPECT_EQ(DecodeImageFile(In(L"3-1.png"))->pixels, Black(40, 10));
}

// Off, nothing opens and nothing is kept; shots opened before it went off keep their pictures.
TEST_F(KeptShots, AStartWithTheSettingOffOpensNothingAndDeletesWhatIsThere)
{
    Begin();
    Open(20, 10);
    End();
    WriteValue(kSection, "KeepShots", Sz("0"));
    Begin();
    Written();
    EXPECT_EQ(Captions(), std::vector<std::wstring>{});
    EXPECT_EQ(FilesIn(folder), Names{});
    EXPECT_FALSE(Main().KeepShotsOn());
}

TEST_F(KeptShots, TurningTheSettingOffFirstReadsThePicturesNotYetShown)
{
    Begin();
    Open(300, 200);
    Open(300, 200);
    End();
    Begin();
    app::ShotWindow& beneath = *Shots(Main())[1];
    ASSERT_FALSE(ShotProbe::HasPicture(beneath));
    Main().SetKeepShots(false);
    Written();
    EXPECT_TRUE(ShotProbe::HasPicture(beneath));
    EXPECT_EQ(FilesIn(folder), Names{});
}

}  // namespace
