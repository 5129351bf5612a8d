// The built program run as a user runs it, driven from outside its process: it starts,
// captures the screen, copies the shot, saves it through the system's Save dialog and ends.
// The build by the second compiler runs this test on its own program.
//
// Like the start-up tests, it uses HKEY_CURRENT_USER\Software\Kvn of the test prefix itself
// (a started program cannot be pointed elsewhere), backed up and put back afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <string_view>

#include "ClipboardDib.h"
#include "Process.h"
#include "SaveSupport.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

constexpr wchar_t kMainClass[] = L"TRorUruvodi";

HWND ShotWindowOf(HWND main)
{
    const HWND client = ::FindWindowExW(main, nullptr, L"MDICLIENT", nullptr);
    return client ? ::FindWindowExW(client, nullptr, L"TfrmCap", nullptr) : nullptr;
}

HWND VisibleDialogOf(const ChildProcess& process)
{
    for (HWND w : TopLevelWindowsOf(process.id(), L"#32770"))
        if (::IsWindowVisible(w)) return w;
    return nullptr;
}

BOOL CALLBACK FindEdit(HWND child, LPARAM found)
{
    wchar_t name[16]{};
    ::GetClassNameW(child, name, 16);
    if (std::wstring_view(name) != L"Edit" || !::IsWindowVisible(child)) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The file name box of another process's Save dialog: the edit box that has the keyboard focus
// as the dialog opens, or else its first visible one.
HWND FileNameBox(HWND dialog)
{
    GUITHREADINFO info{sizeof(info)};
    const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
    HWND edit = nullptr;
    if (::GetGUIThreadInfo(thread, &info) && info.hwndFocus) FindEdit(info.hwndFocus, reinterpret_cast<LPARAM>(&edit));
    if (!edit) ::EnumChildWindows(dialog, &FindEdit, reinterpret_cast<LPARAM>(&edit));
    return edit;
}

std::wstring ScratchPng()
{
    wchar_t dir[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"pixtrove-run-" + std::to_wstring(::GetCurrentProcessId()) + L".png";
}

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kvn");
        WriteValue(kSection, "CapMode", Sz("0"));  // the whole screen
        WriteValue(kSection, "CapTime", Sz("1"));  // after one second
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        ::CloseClipboard();
        ::DeleteFileW(file.c_str());
    }
    void TearDown() override { ::DeleteFileW(file.c_str()); }

    RegistryBackup backup{L"Software\\Kvn"};
    const std::wstring file = ScratchPng();
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
};

TEST_F(ProgramRun, StartsCapturesTheScreenCopiesSavesAPngAndEndsCleanly)
{
    ChildProcess program(ProgramExe());
    const HWND main = WaitForVisibleWindow(program, kMainClass);
    ASSERT_NE(main, nullptr) << "the main window did not come up";

    ::PostMessageW(main, WM_COMMAND, IDB_START_CAPTURE, 0);
    ASSERT_TRUE(PumpUntil([&] { return ShotWindowOf(main) != nullptr; }, 15000)) << "no shot window";

    ::PostMessageW(main, WM_COMMAND, IDM_COPY, 0);
    ASSERT_TRUE(PumpUntil([] { return ::IsClipboardFormatAvailable(CF_DIB) != FALSE; }, 5000)) << "nothing copied";
    const std::optional<Dib> copied = ClipboardDib();
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->width, screenWidth);
    EXPECT_EQ(copied->height, screenHeight);

    ::PostMessageW(main, WM_COMMAND, IDM_SAVE, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (dialog = VisibleDialogOf(program)) != nullptr; }, 10000)) << "no Save dialog";
    HWND name = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (name = FileNameBox(dialog)) != nullptr; }, 5000));
    ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(dialog) && FileBytes(file).has_value(); }, 10000))
        << "the dialog stayed open or no file was written";
    const std::optional<DecodedImage> saved = DecodeImageFile(file);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->container, GUID_ContainerFormatPng);
    EXPECT_EQ(saved->pixels.width, screenWidth);
    EXPECT_EQ(saved->pixels.height, screenHeight);

    ::PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(program.WaitForExit(10000)) << "the program did not end";
    EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
