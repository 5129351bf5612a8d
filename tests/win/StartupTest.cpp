// Starting the real program, as separate processes, the way a user starts it twice.
//
// These tests use HKEY_CURRENT_USER\Software\Kvn itself: a started program cannot be pointed
// at a scratch key (RegOverridePredefKey stays inside this process, and the program reads no
// arguments or environment). That is safe here: the tests run in the Wine prefix inside the
// build tree, never in a real user's registry, and every test backs the key up first and puts
// it back exactly afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DebugHold.h"
#include "Process.h"
#include "WinTest.h"

using namespace wintest;

namespace {

constexpr wchar_t kMainClass[] = L"TRorUruvodi";
constexpr char kMarker[] = "RorUruvodi";
// A second start that ends at its first turn of the loop is gone long before this.
constexpr ULONGLONG kQuickExitMs = 2000;

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(MutexExists(kMarker)) << "a copy of the program is already running";
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kvn");
    }

    RegistryBackup backup{L"Software\\Kvn"};
};

// Values a save would have written differently: any save shows in the stored bytes.
void StoreUnnormalisedSettings()
{
    WriteValue(kSection, "CapMode", Sz("258"));
    WriteValue(kSection, "CapTime", Sz("$4D"));
    WriteValue(kSection, "ToolBarFlat", RawValue{REG_EXPAND_SZ, {'-', '1', 0}});
}

void ExpectUnnormalisedSettings()
{
    EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("258"));
    EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz("$4D"));
    EXPECT_EQ(ReadValue(kSection, "ToolBarFlat"), (RawValue{REG_EXPAND_SZ, {'-', '1', 0}}));
}

bool Responds(HWND hwnd)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

TEST_F(Startup, TheFirstStartShowsTheMainWindowAndMarksItselfWithTheMutexUntilItCloses)
{
    ChildProcess first(ProgramExe());
    const HWND main = WaitForVisibleWindow(first, kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), L"Pixtrove!");
    EXPECT_TRUE(Responds(main));
    EXPECT_TRUE(MutexExists(kMarker));
    // The program's manifest makes it per-monitor DPI aware.
    EXPECT_EQ(::GetAwarenessFromDpiAwarenessContext(::GetWindowDpiAwarenessContext(main)),
              DPI_AWARENESS_PER_MONITOR_AWARE);

    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.WaitForExit(5000));
    EXPECT_EQ(first.ExitCode(), 0u);
    EXPECT_FALSE(MutexExists(kMarker));
}

TEST_F(Startup, ASecondStartEndsByItselfAtOnceWithoutShowingAWindowAndLeavesTheFirstRunning)
{
    ChildProcess first(ProgramExe());
    const HWND main = WaitForVisibleWindow(first, kMainClass);
    ASSERT_NE(main, nullptr);
    RECT placed{};
    ::GetWindowRect(main, &placed);

    // Watched without pause, so that even a window shown for a moment is seen. The watch is a
    // poll, and on a loaded machine it can be put aside for the whole few milliseconds the
    // second start's window lives; so up to five second starts are watched, and one of them
    // must be seen. Every one of them must end at once and never show its window.
    bool sawItsMainWindow = false;
    for (int start = 0; start < 5 && !sawItsMainWindow; ++start) {
        ChildProcess second(ProgramExe());
        bool sawItVisible = false;
        while (second.Running() && second.Age() < 10000) {
            for (HWND w : TopLevelWindowsOf(second.id(), kMainClass)) {
                sawItsMainWindow = true;
                if (::IsWindowVisible(w)) sawItVisible = true;
            }
        }
        ASSERT_FALSE(second.Running());
        EXPECT_LT(second.Age(), kQuickExitMs);
        EXPECT_EQ(second.ExitCode(), 0u);
        EXPECT_FALSE(sawItVisible);
    }
    // It made its main window, like any start, and the watch saw it: hidden all its life.
    EXPECT_TRUE(sawItsMainWindow);

    // The first copy was not told anything: same window, same place, still the marker's holder.
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_FALSE(::IsIconic(main));
    EXPECT_TRUE(Responds(main));
    RECT now{};
    ::GetWindowRect(main, &now);
    EXPECT_TRUE(::EqualRect(&placed, &now));
    EXPECT_EQ(TopLevelWindowsOf(first.id(), kMainClass), std::vector<HWND>{main});
    EXPECT_TRUE(MutexExists(kMarker));
}

TEST_F(Startup, ASecondStartNeverSavesButTheFirstSavesItsOwnSettingsWhenItCloses)
{
    WriteValue(kSection, "CapMode", Sz("1"));
    WriteValue(kSection, "CapTime", Sz("9"));
    WriteValue(kSection, "ToolBarFlat", Sz("1"));
    ChildProcess first(ProgramExe());
    const HWND main = WaitForVisibleWindow(first, kMainClass);
    ASSERT_NE(main, nullptr);

    // The second copy loads these and would write them back normalised if it saved.
    StoreUnnormalisedSettings();
    {
        ChildProcess second(ProgramExe());
        ASSERT_TRUE(second.WaitForExit(10000));
    }
    ExpectUnnormalisedSettings();

    // The first copy still holds what it loaded at its start, and writes that at its close.
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.WaitForExit(5000));
    EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("1"));
    EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz("9"));
    EXPECT_EQ(ReadValue(kSection, "ToolBarFlat"), Sz("1"));
}

TEST_F(Startup, AStartAfterTheFirstCopyHasEndedRunsAgain)
{
    {
        ChildProcess first(ProgramExe());
        const HWND main = WaitForVisibleWindow(first, kMainClass);
        ASSERT_NE(main, nullptr);
        ::PostMessageW(main, WM_CLOSE, 0, 0);
        ASSERT_TRUE(first.WaitForExit(5000));
    }
    ChildProcess again(ProgramExe());
    const HWND main = WaitForVisibleWindow(again, kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(again.Running());
    EXPECT_TRUE(MutexExists(kMarker));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(again.WaitForExit(5000));
    EXPECT_EQ(again.ExitCode(), 0u);
}

// A start that finds no settings at all shows the defaults and leaves the store key behind
// without the section; nothing is written until the window closes.
TEST_F(Startup, AStartWithNoStoredSettingsWritesNothingUntilItsWindowCloses)
{
    ChildProcess first(ProgramExe());
    const HWND main = WaitForVisibleWindow(first, kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(KeyExists("Software\\Kvn"));
    EXPECT_FALSE(KeyExists(kSection));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.WaitForExit(5000));
    EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("0"));
    EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz("5"));
    EXPECT_EQ(ReadValue(kSection, "ToolBarFlat"), Sz("0"));
}

// The moment two starts race for, made to happen: this start has found no mutex, and another
// start makes it just before this one's create.
TEST_F(Startup, AStartWhoseCreateFindsTheMutexJustMadeEndsAsASecondStartDoes)
{
    StoreUnnormalisedSettings();
    ChildProcess late(ProgramExe(), ChildProcess::Start::Debugged);
    win::OwnedHandle other;
    ASSERT_TRUE(HoldAtCall(late, "CreateMutexA", kMarker, [&] {
        ASSERT_FALSE(MutexExists(kMarker));
        other.reset(::CreateMutexA(nullptr, FALSE, kMarker));
    }));
    ASSERT_TRUE(other);

    bool sawItVisible = false;
    while (late.Running() && late.Age() < 10000) {
        for (HWND w : TopLevelWindowsOf(late.id(), kMainClass))
            if (::IsWindowVisible(w)) sawItVisible = true;
    }
    ASSERT_FALSE(late.Running());
    EXPECT_EQ(late.ExitCode(), 0u);
    EXPECT_FALSE(sawItVisible);
    ExpectUnnormalisedSettings();
}

// Eight starts let go together. The moment between a start's open and its create is too
// short for these to hit it more than rarely (the test above makes it happen); this is
// the whole picture under load: one runs, and the others leave the settings alone.
TEST_F(Startup, OfEightStartsAtOneMomentExactlyOneRunsAndNoneOfTheOthersSaves)
{
    StoreUnnormalisedSettings();
    std::vector<std::unique_ptr<ChildProcess>> starts;
    for (int i = 0; i < 8; ++i)
        starts.push_back(std::make_unique<ChildProcess>(ProgramExe(), ChildProcess::Start::Suspended));
    for (auto& start : starts)
        start->Resume();

    const auto showsItsWindow = [](const ChildProcess& p) {
        return std::ranges::any_of(TopLevelWindowsOf(p.id(), kMainClass), &::IsWindowVisible);
    };
    // Each start has either ended or shown its main window.
    ASSERT_TRUE(PumpUntil(
        [&] { return std::ranges::all_of(starts, [&](auto& p) { return !p->Running() || showsItsWindow(*p); }); },
        60000));
    const auto running = std::ranges::count_if(starts, [](auto& p) { return p->Running(); });
    EXPECT_EQ(running, 1);
    for (auto& start : starts) {
        if (!start->Running()) {
            EXPECT_EQ(start->ExitCode(), 0u);
        }
    }
    EXPECT_TRUE(MutexExists(kMarker));
    ExpectUnnormalisedSettings();
}

}  // namespace
