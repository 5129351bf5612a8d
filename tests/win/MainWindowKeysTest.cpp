// The main window's keys through the program's own loop: F1 and the help, Alt+F4.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "CaptureSupport.h"
#include "MainWindowFixture.h"
#include "RecordingShell.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/Text.h"

using namespace wintest;

namespace {

// --- keys through the program's own loop ------------------------------------------------

// Ends app::RunMessageLoop if what a test waits for never comes.
class LoopWatchdog {
public:
    explicit LoopWatchdog(UINT ms) : id_(::SetTimer(nullptr, 0, ms, &LoopWatchdog::Expired)) {}
    ~LoopWatchdog() { ::KillTimer(nullptr, id_); }
    LoopWatchdog(const LoopWatchdog&) = delete;
    LoopWatchdog& operator=(const LoopWatchdog&) = delete;

private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }
    UINT_PTR id_;
};

void TakeKeyboard(HWND hwnd)
{
    ::SetForegroundWindow(hwnd);
    ::SetFocus(hwnd);
    PumpUntil([&] { return ::GetForegroundWindow() == hwnd; }, 1000);
}

// A file beside the program (this test) for as long as it lives.
class FileBesideProgram {
public:
    explicit FileBesideProgram(const wchar_t* extension) : path_(ModuleWithExtension(extension))
    {
        std::ofstream(path_.c_str()) << "help\n";
    }
    ~FileBesideProgram() { ::DeleteFileW(path_.c_str()); }
    FileBesideProgram(const FileBesideProgram&) = delete;
    FileBesideProgram& operator=(const FileBesideProgram&) = delete;

private:
    std::wstring path_;
};

TEST_F(MainWindow, F1AsksTheHelpEngineForTheContentsOfTheProgramsHelpFile)
{
    const FileBesideProgram oldHelp(L".hlp");
    RecordingShell shell;
    shell.onCall = [] { ::PostQuitMessage(0); };
    FrameProbe::UseShell(main, shell);
    TakeKeyboard(main.hwnd());
    ASSERT_EQ(::GetForegroundWindow(), main.hwnd());
    PressKeys({VK_F1});
    int ended = 0;
    {
        LoopWatchdog watchdog(5000);
        ended = app::RunMessageLoop(main);
    }
    EXPECT_EQ(ended, 0) << "the help engine was not called";
    ASSERT_EQ(shell.helpCalls.size(), 1u);
    EXPECT_EQ(shell.helpCalls[0].owner, main.hwnd());
    EXPECT_EQ(shell.helpCalls[0].file, ModuleWithExtension(L".hlp"));
    EXPECT_EQ(shell.helpCalls[0].command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(shell.helpCalls[0].data, 0u);
    EXPECT_TRUE(shell.executeCalls.empty());
}

TEST_F(MainWindow, WithoutAnOldHelpFileTheHelpPageOpensInTheUsersBrowser)
{
    const FileBesideProgram page(L".html");
    RecordingShell shell;
    FrameProbe::UseShell(main, shell);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_CONTENTS, 0);
    EXPECT_TRUE(shell.helpCalls.empty());
    ASSERT_EQ(shell.executeCalls.size(), 1u);
    EXPECT_EQ(shell.executeCalls[0].owner, main.hwnd());
    EXPECT_EQ(shell.executeCalls[0].verb, L"open");
    EXPECT_EQ(shell.executeCalls[0].file, ModuleWithExtension(L".html"));
    EXPECT_TRUE(reports.texts().empty());

    shell.executeResult = reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC);
    ::SetLastError(ERROR_SUCCESS);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_CONTENTS, 0);
    ASSERT_EQ(reports.texts().size(), 1u) << "a failed open is reported";
}

TEST_F(MainWindow, WithNeitherHelpFileTheHelpCommandReportsTheMissingFile)
{
    RecordingShell shell;
    FrameProbe::UseShell(main, shell);
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_CONTENTS, 0);
    EXPECT_TRUE(shell.helpCalls.empty());
    EXPECT_TRUE(shell.executeCalls.empty());
    ASSERT_EQ(reports.texts().size(), 1u);
    EXPECT_EQ(reports.texts()[0], L"ファイルが見つかりません。.");
}

// Commands sent to the frame, seen as they arrive.
std::vector<WPARAM> gCommands;
LRESULT CALLBACK RecordCommand(int code, WPARAM wp, LPARAM lp)
{
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call.message == WM_COMMAND) gCommands.push_back(call.wParam);
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

class ProgramWindow : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
};

// The program's own main window, which ends the loop when it goes.
TEST_F(ProgramWindow, AltF4IsTheExitCommandWhichSavesAndEndsTheLoop)
{
    app::ApplicationWindow application;
    app::MainFrame main(application, true);
    main.Show(SW_SHOWNORMAL);
    main.SetCaptureDelay(42);
    TakeKeyboard(main.hwnd());
    ASSERT_EQ(::GetForegroundWindow(), main.hwnd());

    gCommands.clear();
    const HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &RecordCommand, nullptr, ::GetCurrentThreadId());
    PressKeys({VK_MENU, VK_F4});
    int ended = 0;
    {
        LoopWatchdog watchdog(5000);
        ended = app::RunMessageLoop(main);
    }
    ::UnhookWindowsHookEx(hook);

    EXPECT_EQ(ended, 0);
    EXPECT_EQ(main.hwnd(), nullptr);
    // From the accelerator table (high word 1), not the system's own close.
    EXPECT_NE(std::find(gCommands.begin(), gCommands.end(), MAKEWPARAM(IDM_EXIT, 1)), gCommands.end());
    EXPECT_EQ(ReadValue(kSection, "CapTime"), Sz("42"));
    EXPECT_EQ(ReadValue(kSection, "CapMode"), Sz("0"));
    EXPECT_EQ(ReadValue(kSection, "ToolBarFlat"), Sz("0"));
    EXPECT_TRUE(reports.texts().empty());
}

}  // namespace
