// A copy of the real program in a folder where someone has left DLLs named like system ones it
// uses (version.dll, dwmapi.dll, uxtheme.dll), with Wine told to prefer such files to its own as
// Windows' search order would. The program is driven through everything that needs those DLLs;
// none of the planted files may run.
//
// Like the start-up tests, this one uses HKEY_CURRENT_USER\Software\Kvn of the test prefix
// itself, backed up first and put back exactly afterwards.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Process.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

constexpr const wchar_t* kPlanted[] = {L"version.dll", L"dwmapi.dll", L"uxtheme.dll"};

std::wstring WindowsPath(const char* unixPath)
{
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p)
        path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
    return path;
}

// A folder like Downloads: the program, and the planted DLLs beside it.
class PlantedFolder {
public:
    PlantedFolder()
    {
        wchar_t temp[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"planted-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(path_.c_str(), nullptr);
        Copy(ProgramExe(), L"pixtrove.exe");
        for (const wchar_t* dll : kPlanted) Copy(WindowsPath(PLANTED_DLL_DIR) + L"\\" + dll, dll);
    }
    ~PlantedFolder()
    {
        for (const std::wstring& name : files_) ::DeleteFileW(File(name).c_str());
        for (const wchar_t* dll : kPlanted) ::DeleteFileW(File(dll + std::wstring(L".loaded")).c_str());
        ::RemoveDirectoryW(path_.c_str());
    }
    PlantedFolder(const PlantedFolder&) = delete;
    PlantedFolder& operator=(const PlantedFolder&) = delete;

    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    std::vector<std::wstring> Loaded() const
    {
        std::vector<std::wstring> loaded;
        for (const wchar_t* dll : kPlanted)
            if (::GetFileAttributesW(File(dll + std::wstring(L".loaded")).c_str()) != INVALID_FILE_ATTRIBUTES)
                loaded.push_back(dll);
        return loaded;
    }

private:
    void Copy(const std::wstring& from, const std::wstring& name)
    {
        ASSERT_TRUE(::CopyFileW(from.c_str(), File(name).c_str(), FALSE)) << "cannot copy " << from;
        files_.push_back(name);
    }

    std::wstring path_;
    std::vector<std::wstring> files_;
};

// A plain window to capture, under the pointer.
HWND WindowUnderThePointer()
{
    const HWND target = ::CreateWindowExW(WS_EX_TOPMOST, L"Static", L"target", WS_POPUP | WS_VISIBLE | WS_BORDER, 100,
                                          100, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ::SetCursorPos(250, 200);
    Pump(200);
    return target;
}

bool HasShotWindow(HWND main)
{
    return ::FindWindowExW(::FindWindowExW(main, nullptr, L"MDIClient", nullptr), nullptr, L"TfrmCap", nullptr);
}

// Start (the raised tool bar), the version box, and a capture of a window under the pointer.
void UseEverythingThatNeedsThem(const ChildProcess& program)
{
    const HWND main = WaitForVisibleWindow(program, L"TRorUruvodi");
    ASSERT_NE(main, nullptr) << "the program did not come up";

    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
    const HWND about = WaitForVisibleWindow(program, L"TfrmAbout");
    ASSERT_NE(about, nullptr) << "the version box did not come up";
    ::PostMessageW(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(about); }));

    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDB_START_CAPTURE, 0), 0);
    EXPECT_TRUE(PumpUntil([&] { return HasShotWindow(main); }, 15000)) << "no shot was taken";
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(10000));
}

TEST(PlantedDlls, BesideTheProgramNeverRunWhileItStartsShowsItsVersionAndCapturesAWindow)
{
    RegistryBackup backup{L"Software\\Kvn"};
    WriteValue(kSection, "CapMode", Sz("2"));  // the window under the pointer
    WriteValue(kSection, "CapTime", Sz("1"));
    WriteValue(kSection, "ToolBarFlat", Sz("0"));  // raised buttons: the theme is taken off
    const HWND target = WindowUnderThePointer();
    PlantedFolder folder;
    // CTest has Wine prefer DLLs found on the search path to its own, as Windows does.
    std::optional<ChildProcess> program;
    program.emplace(folder.File(L"pixtrove.exe"));
    UseEverythingThatNeedsThem(*program);
    program.reset();
    ::DestroyWindow(target);
    EXPECT_EQ(folder.Loaded(), std::vector<std::wstring>{}) << "planted DLLs that ran";
}

}  // namespace
