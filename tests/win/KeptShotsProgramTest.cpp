// The kept shots of the real program, started as a process of its own: across a real exit,
// across a killed process, and a second start that touches nothing of them. The programs keep
// their shots in a private per-user folder (PrivateLocalAppData), as a user's program keeps them
// in %LOCALAPPDATA%\Pixtrove\Shots.
//
// These tests use HKEY_CURRENT_USER\Software\Kvn itself, as StartupTest does, backed up and put
// back: a started program cannot be pointed at a scratch key.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Process.h"
#include "SaveSupport.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

using Names = std::vector<std::wstring>;
constexpr wchar_t kMainClass[] = L"TRorUruvodi";
constexpr WPARAM kPrintScreenId = 2;  // the WM_HOTKEY id of the plain Print Screen key (the chosen target)

void PrintScreen(HWND main) { ::PostMessageW(main, WM_HOTKEY, kPrintScreenId, 0); }
void Command(HWND main, UINT id) { ::PostMessageW(main, WM_COMMAND, id, 0); }

class KeptShotsProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(MutexExists("RorUruvodi")) << "a copy of the program is already running";
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kvn");
    }

    RegistryBackup backup{L"Software\\Kvn"};
    PrivateLocalAppData local;
    const std::wstring folder = PrivateLocalAppData::KeptShots();

    std::wstring In(const std::wstring& name) const { return folder + L"\\" + name; }
    bool WaitForFiles(const Names& names, DWORD timeoutMs = 10000) const
    {
        return PumpUntil([&] { return FilesIn(folder) == names; }, timeoutMs);
    }
    // The started program's frame in `main`, once it is up and has kept the shot of a Print Screen.
    void KeepAShot(ChildProcess& program, HWND& main) const
    {
        main = WaitForVisibleWindow(program, kMainClass);
        ASSERT_NE(main, nullptr);
        PrintScreen(main);
        ASSERT_TRUE(WaitForFiles({L"1-1.png", L"1.shot"})) << "the shot was not kept";
    }
    // Black over the whole of that first shot, kept as its second picture.
    void BlackOutAndKeep(HWND main) const
    {
        Command(main, IDM_SELECT_ALL);
        Command(main, IDM_BLACK_OUT);
        ASSERT_TRUE(WaitForFiles({L"1-2.png", L"1.shot"})) << "the edit was not kept";
    }
};

HWND MdiClientOf(HWND main) { return ::FindWindowExW(main, nullptr, L"MDIClient", nullptr); }

// The shot windows' captions, front to back.
std::vector<std::wstring> Captions(HWND main)
{
    std::vector<std::wstring> captions;
    for (HWND h = ::GetWindow(MdiClientOf(main), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        wchar_t name[16]{};
        ::GetClassNameW(h, name, 16);
        if (std::wstring_view(name) == L"TfrmCap") captions.push_back(WindowText(h));
    }
    return captions;
}

bool AllOneColour(const Pixels& pixels, std::uint32_t colour)
{
    for (std::uint32_t value : pixels.values)
        if (value != colour) return false;
    return !pixels.values.empty();
}

TEST_F(KeptShotsProgram, ShotsOutliveARealExitInTheUsersFolderAndOpenAgainWithTheirEdits)
{
    {
        ChildProcess program(ProgramExe());
        HWND main = nullptr;
        ASSERT_NO_FATAL_FAILURE(KeepAShot(program, main));
        ASSERT_NO_FATAL_FAILURE(BlackOutAndKeep(main));
        PrintScreen(main);
        ASSERT_TRUE(WaitForFiles({L"1-2.png", L"1.shot", L"2-1.png", L"2.shot"}));
        ::PostMessageW(main, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.WaitForExit(10000));
        EXPECT_EQ(program.ExitCode(), 0u);
    }
    EXPECT_EQ(FilesIn(folder), (Names{L"1-2.png", L"1.shot", L"2-1.png", L"2.shot"}));
    const auto edited = DecodeImageFile(In(L"1-2.png"));
    ASSERT_TRUE(edited);
    EXPECT_TRUE(AllOneColour(edited->pixels, 0));

    ChildProcess again(ProgramExe());
    const HWND main = WaitForVisibleWindow(again, kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Captions(main), (std::vector<std::wstring>{L"Shot:2", L"Shot:1"}));
    PrintScreen(main);
    EXPECT_TRUE(PumpUntil([&] { return Captions(main).size() == 3; }));
    std::vector<std::wstring> all = Captions(main);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::wstring>{L"Shot:1", L"Shot:2", L"Shot:3"}));  // the count goes on
}

// Killed while idle, the shot is there as it stood; killed at any moment of a write, it is
// there before or after the change, never half.
TEST_F(KeptShotsProgram, AKilledProgramLosesAtMostTheChangeBeingWritten)
{
    {
        ChildProcess program(ProgramExe());
        HWND main = nullptr;
        ASSERT_NO_FATAL_FAILURE(KeepAShot(program, main));
        ASSERT_NO_FATAL_FAILURE(BlackOutAndKeep(main));
        program.Kill();
    }
    EXPECT_EQ(FilesIn(folder), (Names{L"1-2.png", L"1.shot"}));

    for (const DWORD wait : {0u, 20u, 60u, 150u}) {
        SCOPED_TRACE(wait);
        ChildProcess program(ProgramExe());
        const HWND main = WaitForVisibleWindow(program, kMainClass);
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(Captions(main), std::vector<std::wstring>{L"Shot:1"});
        Command(main, IDM_UNDO);  // nothing to undo after a start: the history is not kept
        Command(main, IDM_SELECT_ALL);
        Command(main, IDM_RED_FRAME);
        Pump(wait);
        program.Kill();
        EXPECT_EQ(FilesIn(PrivateLocalAppData::Unreadable()), Names{});
    }
    ChildProcess last(ProgramExe());
    const HWND main = WaitForVisibleWindow(last, kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Captions(main), std::vector<std::wstring>{L"Shot:1"});
    const Names files = FilesIn(folder);
    ASSERT_EQ(files.size(), 2u) << "leftovers stayed";
    EXPECT_EQ(files[1], L"1.shot");
    EXPECT_TRUE(DecodeImageFile(In(files[0]))) << "the kept picture cannot be read";
    EXPECT_EQ(FilesIn(PrivateLocalAppData::Unreadable()), Names{});
}

TEST_F(KeptShotsProgram, ASecondStartTouchesNothingOfTheKeptShots)
{
    ChildProcess first(ProgramExe());
    HWND main = nullptr;
    ASSERT_NO_FATAL_FAILURE(KeepAShot(first, main));
    // What a start would sort out: a leftover, a manifest that cannot be read.
    WriteBytes(In(L"~pt00000001.tmp"), {'t'});
    WriteBytes(In(L"9.shot"), {'x'});
    const Names before = FilesIn(folder);
    const auto manifest = FileBytes(In(L"1.shot"));

    ChildProcess second(ProgramExe());
    ASSERT_TRUE(second.WaitForExit(10000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(FilesIn(folder), before);
    EXPECT_EQ(FileBytes(In(L"1.shot")), manifest);
    EXPECT_EQ(::GetFileAttributesW(PrivateLocalAppData::Unreadable().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Captions(main), std::vector<std::wstring>{L"Shot:1"});
}

}  // namespace
