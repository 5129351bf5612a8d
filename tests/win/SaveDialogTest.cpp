// The ways to the save: the first item of the shot's "ファイル(&F)" menu, Ctrl+S through the
// frame's accelerators, and the system's Save dialog itself, driven from inside its loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include "CaptureSupport.h"
#include "DialogDriver.h"
#include "SaveSupport.h"

using namespace wintest;

namespace {

using SaveCommand = ShotSaveTest;

TEST_F(SaveCommand, IsTheFirstItemOfTheFileMenuFollowedByASeparator)
{
    const HMENU file = ::GetSubMenu(ShotProbe::Menu(shot), 0);
    EXPECT_EQ(::GetMenuItemID(file, 0), static_cast<UINT>(IDM_SAVE));
    EXPECT_EQ(MenuItemText(file, IDM_SAVE), L"名前を付けて保存(&S)...\tCtrl+S");
    EXPECT_EQ(::GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(::GetMenuItemID(file, 2), static_cast<UINT>(IDM_CLOSE));
}

TEST_F(SaveCommand, CtrlSSavesTheActiveShot)
{
    ::SetForegroundWindow(program.main.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == program.main.hwnd(); }));
    answer_ = win::SaveTarget{InFolder(L"keys.png"), kPngEntry};
    PressCtrlKey('S');
    ASSERT_TRUE(PumpProgramUntil(program.main, [&] { return !Names().empty(); }));
    ASSERT_TRUE(PumpProgramUntil(program.main, [] { return ::GetKeyState(VK_CONTROL) >= 0; }));
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"keys.png"});
}

std::wstring DialogText(HWND dialog, UINT message)
{
    wchar_t text[MAX_PATH]{};
    ::SendMessageW(dialog, message, MAX_PATH, reinterpret_cast<LPARAM>(text));
    return text;
}

bool SameFolder(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

class RealSaveDialog : public ShotSaveTest {
protected:
    RealSaveDialog() { FrameProbe::UseSaveTargets(program.main, nullptr); }

    // The save command, with the dialog driven by `body`.
    void SaveThroughDialog(const std::function<void(Script&, HWND)>& body)
    {
        Script script([&](Script& s) {
            const HWND dialog = s.WaitForWindow(L"#32770", 10000);
            ASSERT_NE(dialog, nullptr) << "the Save dialog did not come up";
            body(s, dialog);
        });
        ::SendMessageW(program.main.hwnd(), WM_COMMAND, MAKEWPARAM(IDM_SAVE, 0), 0);
        EXPECT_FALSE(script.ClosedLeftover()) << "the dialog was still open at the end";
        EXPECT_TRUE(reports.texts().empty());
    }
};

TEST_F(RealSaveDialog, ProposesTheShotsNameAsPngInThePicturesFolderOwnedByTheMainWindow)
{
    wchar_t pictures[MAX_PATH]{};
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 0, pictures)));
    SaveThroughDialog([&](Script&, HWND dialog) {
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), program.main.hwnd());
        EXPECT_EQ(DialogText(dialog, CDM_GETSPEC), L"Shot1.png");
        EXPECT_TRUE(SameFolder(DialogText(dialog, CDM_GETFOLDERPATH), pictures));
        const HWND types = ::GetDlgItem(dialog, cmb1);
        std::wstring entries;
        for (WPARAM i = 0; i < static_cast<WPARAM>(::SendMessageW(types, CB_GETCOUNT, 0, 0)); ++i) {
            wchar_t entry[64]{};
            ::SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
            entries += entry + std::wstring(L"|");
        }
        EXPECT_EQ(entries, L"PNG (*.png)|JPEG (*.jpg;*.jpeg)|BMP (*.bmp)|");
        EXPECT_EQ(::SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
        PressKey(VK_ESCAPE);
    });
}

// The name typed without an extension, which the dialog adds.
TEST_F(RealSaveDialog, SavesWhereTheUserSaysAndOpensThereNextTime)
{
    SaveThroughDialog([&](Script& s, HWND dialog) {
        const HWND field = ::GetDlgItem(dialog, cmb13) ? ::GetDlgItem(dialog, cmb13) : ::GetDlgItem(dialog, edt1);
        ::SetWindowTextW(field, InFolder(L"typed").c_str());
        s.Settle();
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"typed.png"});
    SaveThroughDialog([&](Script&, HWND dialog) {
        EXPECT_TRUE(SameFolder(DialogText(dialog, CDM_GETFOLDERPATH), folder_));
        PressKey(VK_ESCAPE);
    });
}

}  // namespace
