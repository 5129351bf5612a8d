// The ways to the save: the first item of the shot's "ファイル(&F)" menu, Ctrl+S through the
// frame's accelerators, and the system's Save dialog itself (the Common Item Dialog), driven
// from inside its loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "CaptureSupport.h"
#include "DialogDriver.h"
#include "SaveSupport.h"
#include "win32/Com.h"
#include "win32/SaveNameGuard.h"

using namespace wintest;

namespace {

using SaveCommand = ShotSaveTest;

TEST_F(SaveCommand, FollowsTheOpenCommandsInTheFileMenuBetweenSeparators)
{
    const HMENU file = ::GetSubMenu(ShotProbe::Menu(shot), 0);
    EXPECT_EQ(::GetMenuItemID(file, 0), static_cast<UINT>(IDM_OPEN));
    EXPECT_EQ(::GetMenuItemID(file, 1), static_cast<UINT>(IDM_PASTE_NEW));
    EXPECT_EQ(::GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(::GetMenuItemID(file, 3), static_cast<UINT>(IDM_SAVE));
    EXPECT_EQ(MenuItemText(file, IDM_SAVE), L"名前を付けて保存(&S)...\tCtrl+S");
    EXPECT_EQ(::GetMenuState(file, 4, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(::GetMenuItemID(file, 5), static_cast<UINT>(IDM_CLOSE));
    EXPECT_EQ(MenuItemText(file, IDM_OPEN), L"開く(&O)...\tCtrl+O");
    EXPECT_EQ(MenuItemText(file, IDM_PASTE_NEW), L"クリップボードから新規(&V)\tCtrl+Shift+V");
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

// The dialog's own fields: the name being typed and the file-type list.
HWND NameField(HWND dialog) { return FindChild(dialog, L"Edit"); }
HWND TypeList(HWND dialog) { return FindChild(dialog, L"ComboBox"); }

// FOLDERID_Pictures, as the SDK gives it.
constexpr GUID kPicturesFolder{0x33e28130, 0x4e1e, 0x4676, {0x83, 0x5a, 0x98, 0x39, 0x5c, 0x3b, 0xc3, 0xbb}};

// The user's Pictures folder, moved for this test to a scratch folder: the setting lives in the
// scratch registry, and nothing is written where the prefix keeps the user's pictures.
class PicturesInScratch {
public:
    explicit PicturesInScratch(const std::wstring& folder)
    {
        const auto bytes = static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                    L"My Pictures", REG_EXPAND_SZ, folder.c_str(), bytes),
                  ERROR_SUCCESS);
        win::OwnedTaskString now;
        EXPECT_TRUE(SUCCEEDED(::SHGetKnownFolderPath(kPicturesFolder, 0, nullptr, now.put())) &&
                    std::wstring(now.get()) == folder)
            << "Pictures not moved";
    }
};

class RealSaveDialog : public ShotSaveTest {
protected:
    RealSaveDialog() { FrameProbe::UseSaveTargets(program.main, nullptr); }

    // The save command, with the dialog driven by `body`.
    void SaveThroughDialog(const std::function<void(Script&, HWND)>& body)
    {
        Script script([&](Script& s) {
            const HWND dialog = s.WaitForWindow(L"#32770", 10000);
            ASSERT_NE(dialog, nullptr) << "the Save dialog did not come up";
            ASSERT_NE(NameField(dialog), nullptr);
            body(s, dialog);
        });
        ::SendMessageW(program.main.hwnd(), WM_COMMAND, MAKEWPARAM(IDM_SAVE, 0), 0);
        EXPECT_FALSE(script.ClosedLeftover()) << "the dialog was still open at the end";
    }

    // Types `name` into the name field and presses Enter: the script's last step when the
    // dialog closes on it.
    static void Answer(Script& s, HWND dialog, const std::wstring& name)
    {
        ::SetFocus(NameField(dialog));
        ::SetWindowTextW(NameField(dialog), name.c_str());
        s.Settle();
        PressKey(VK_RETURN);
    }
};

// A name typed without a folder goes into the folder the dialog opened in: Pictures.
TEST_F(RealSaveDialog, ProposesTheShotsNameAsPngInThePicturesFolderOwnedByTheMainWindow)
{
    const std::wstring pictures = NewFolder();
    PicturesInScratch moved(pictures);
    SaveThroughDialog([&](Script& s, HWND dialog) {
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), program.main.hwnd());
        EXPECT_EQ(WindowText(NameField(dialog)), L"Shot1.png");
        const HWND types = TypeList(dialog);
        std::wstring entries;
        for (WPARAM i = 0; i < static_cast<WPARAM>(::SendMessageW(types, CB_GETCOUNT, 0, 0)); ++i) {
            wchar_t entry[64]{};
            ::SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
            entries += entry + std::wstring(L"|");
        }
        EXPECT_EQ(entries, L"PNG (*.png)|JPEG (*.jpg;*.jpeg)|BMP (*.bmp)|");
        EXPECT_EQ(::SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
        Answer(s, dialog, L"proposed");
    });
    EXPECT_TRUE(reports.texts().empty());
    EXPECT_EQ(FilesIn(pictures), std::vector<std::wstring>{L"proposed.png"}) << "not saved in Pictures";
    ::DeleteFileW((pictures + L"\\proposed.png").c_str());
    ::RemoveDirectoryW(pictures.c_str());
}

// The name typed without an extension, which the chosen entry gives.
TEST_F(RealSaveDialog, SavesWhereTheUserSaysWithTheChosenEntrysExtensionAndOpensThereNextTime)
{
    SaveThroughDialog([&](Script& s, HWND dialog) { Answer(s, dialog, InFolder(L"typed")); });
    SaveThroughDialog([&](Script& s, HWND dialog) {
        const HWND types = TypeList(dialog);
        ::SendMessageW(types, CB_SETCURSEL, kJpegEntry, 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(types), CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(types));
        Answer(s, dialog, L"second");
    });
    EXPECT_TRUE(reports.texts().empty());
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"second.jpg", L"typed.png"}));
}

// The system's question, owned by the dialog, once it is up.
HWND ReplaceQuestion(Script& s, HWND dialog)
{
    HWND box = nullptr;
    s.WaitUntil([&] {
        box = ::GetForegroundWindow();
        return box != dialog && ::GetWindow(box, GW_OWNER) == dialog;
    });
    return box != dialog && ::GetWindow(box, GW_OWNER) == dialog ? box : nullptr;
}

void Click(HWND box, int button)
{
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
}

TEST_F(RealSaveDialog, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo)
{
    const std::vector<char> earlier(100, 'e');
    WriteBytes(InFolder(L"Shot1.png"), earlier);
    SaveThroughDialog([&](Script& s, HWND dialog) {
        Answer(s, dialog, InFolder(L"Shot1.png"));
        const HWND no = ReplaceQuestion(s, dialog);
        ASSERT_NE(no, nullptr) << "nobody asked";
        Click(no, IDNO);
        ASSERT_TRUE(s.WaitUntil([&] { return ::GetForegroundWindow() == dialog; })) << "the dialog did not stay";
        EXPECT_EQ(FileBytes(InFolder(L"Shot1.png")), earlier);
        PressKey(VK_RETURN);
        const HWND yes = ReplaceQuestion(s, dialog);
        ASSERT_NE(yes, nullptr) << "nobody asked the second time";
        Click(yes, IDYES);
    });
    EXPECT_TRUE(reports.texts().empty());
    EXPECT_NE(FileBytes(InFolder(L"Shot1.png")), earlier);
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"Shot1.png"});
}

// The type chosen in the dialog's list.
void ChooseType(HWND dialog, size_t entry)
{
    const HWND types = TypeList(dialog);
    ::SendMessageW(types, CB_SETCURSEL, entry, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(types), CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
}

struct TypedName {
    const wchar_t* typed;
    size_t entry;  // shown in the dialog
    const wchar_t* file;
    GUID container;
};

// Wine's dialog made "sel.jpg" typed with PNG shown into a PNG named "sel.jpg.png".
TEST_F(RealSaveDialog, TheFileHasTheTypeOfItsNamesExtensionWhateverTheDialogShowsAndOtherNamesGetTheShownOne)
{
    const TypedName cases[] = {
        {L"sel.jpg", kPngEntry, L"sel.jpg", GUID_ContainerFormatJpeg},
        {L"sel2.bmp", kPngEntry, L"sel2.bmp", GUID_ContainerFormatBmp},
        {L"sel3.JPEG", kBmpEntry, L"sel3.JPEG", GUID_ContainerFormatJpeg},
        {L"sel4.Png", kJpegEntry, L"sel4.Png", GUID_ContainerFormatPng},
        {L"sel5.jpeg", kJpegEntry, L"sel5.jpeg", GUID_ContainerFormatJpeg},
        {L"sel6.BMP", kBmpEntry, L"sel6.BMP", GUID_ContainerFormatBmp},
        {L"sel7.txt", kPngEntry, L"sel7.txt.png", GUID_ContainerFormatPng},
        {L"sel8", kBmpEntry, L"sel8.bmp", GUID_ContainerFormatBmp},
    };
    std::vector<std::wstring> expected;
    for (const TypedName& c : cases) {
        SaveThroughDialog([&](Script& s, HWND dialog) {
            ChooseType(dialog, c.entry);
            Answer(s, dialog, InFolder(c.typed));
        });
        const std::optional<DecodedImage> image = DecodeImageFile(InFolder(c.file));
        ASSERT_TRUE(image.has_value()) << "no " << testing::PrintToString(std::wstring(c.file));
        EXPECT_EQ(image->container, c.container) << testing::PrintToString(std::wstring(c.file));
        expected.push_back(c.file);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(), expected);
    EXPECT_TRUE(reports.texts().empty());
}

// The question is about the file the save writes, not about the one the dialog's name makes.
TEST_F(RealSaveDialog, AskingAboutReplacingIsAboutTheFileOfTheTypedName)
{
    const std::vector<char> earlier(100, 'e');
    WriteBytes(InFolder(L"sel.jpg"), earlier);
    WriteBytes(InFolder(L"other.jpg.png"), earlier);
    SaveThroughDialog([&](Script& s, HWND dialog) {
        Answer(s, dialog, InFolder(L"sel.jpg"));
        const HWND box = ReplaceQuestion(s, dialog);
        ASSERT_NE(box, nullptr) << "nobody asked";
        const std::wstring question = L"「" + InFolder(L"sel.jpg") + L"」は既に存在します。\n上書きしますか?";
        EXPECT_NE(FindChild(box, L"Static", question.c_str()), nullptr) << "another question";
        Click(box, IDNO);
        ASSERT_TRUE(s.WaitUntil([&] { return ::GetForegroundWindow() == dialog; })) << "the dialog did not stay";
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(FileBytes(InFolder(L"sel.jpg")), earlier);
    SaveThroughDialog([&](Script& s, HWND dialog) { Answer(s, dialog, InFolder(L"other.jpg")); });
    EXPECT_EQ(FileBytes(InFolder(L"other.jpg.png")), earlier);
    const std::optional<DecodedImage> image = DecodeImageFile(InFolder(L"other.jpg"));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->container, GUID_ContainerFormatJpeg);
    EXPECT_TRUE(reports.texts().empty());
}

// Wine's dialog would overrun its buffer with such a name and end the program.
TEST_F(RealSaveDialog, ANameTooLongForTheDialogIsRefusedNamingItAndTheDialogStaysOpen)
{
    const std::wstring path = InFolder(std::wstring(300, L'x'));
    SaveThroughDialog([&](Script& s, HWND dialog) {
        Answer(s, dialog, path);
        EXPECT_TRUE(s.WaitUntil([&] { return !reports.texts().empty(); }));
        EXPECT_TRUE(::IsWindowVisible(dialog)) << "the dialog closed";
        PressKey(VK_ESCAPE);
    });
    ASSERT_EQ(reports.texts().size(), 1u);
    EXPECT_EQ(reports.texts()[0], ReportOf(path, kNameTooLong));
    EXPECT_TRUE(Names().empty());
}

// What the dialog copies into its buffer for a name typed in a folder.
TEST(SaveNameGuard, JoinsANameToTheFolderAsTheDialogDoes)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"Shot1.png", L"C:\\P\\Shot1.png"},
        {L"..\\x\\Shot1", L"C:\\P\\..\\x\\Shot1"},
        {L"D:\\Q\\Shot1", L"D:\\Q\\Shot1"},
        {L"\\Q\\Shot1", L"C:\\Q\\Shot1"},
        {L"\\\\server\\share\\Shot1", L"\\\\server\\share\\Shot1"},
    };
    for (const auto& [typed, joined] : cases) EXPECT_EQ(win::SaveNameGuard::JoinedPath(L"C:\\P", typed), joined) << typed;
    EXPECT_EQ(win::SaveNameGuard::JoinedPath(L"C:\\", L"Shot1"), L"C:\\Shot1");
}

}  // namespace
