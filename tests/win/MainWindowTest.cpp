// The main window as a user meets it at 96 dpi: its frame, tool bar, tool tips, status bar,
// menus and keys, and the program file's version, icon and manifest.
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
#include "RecordingShell.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/Text.h"

using namespace wintest;

namespace {

constexpr wchar_t kCopyHint[] = L"クリップボードへコピー";

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[256]{};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

RECT RectIn(HWND parent, HWND child)
{
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TBBUTTON ButtonAt(HWND toolBar, int index)
{
    TBBUTTON b{};
    ::SendMessageW(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b));
    return b;
}

RECT ItemRect(HWND toolBar, int index)
{
    RECT r{};
    ::SendMessageW(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

POINT ButtonCentreOnScreen(HWND toolBar, int id)
{
    RECT r{};
    ::SendMessageW(toolBar, TB_GETRECT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::ClientToScreen(toolBar, &p);
    return p;
}

LOGFONTW FontOf(HWND hwnd)
{
    LOGFONTW lf{};
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0));
    ::GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

std::vector<int> StatusParts(HWND statusBar)
{
    int edges[8]{};
    const auto count = static_cast<int>(::SendMessageW(statusBar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)));
    return {edges, edges + count};
}

// What the tool tip of a button reads: the text the frame gives when the tip asks for it.
std::wstring TipText(const app::MainFrame& main, int id)
{
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(::SendMessageW(FrameProbe::ToolBar(main), TB_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = static_cast<UINT_PTR>(id);
    info.hdr.code = TTN_GETDISPINFOW;
    ::SendMessageW(main.hwnd(), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
    if (!info.lpszText) return L"<none>";
    if (IS_INTRESOURCE(info.lpszText)) return L"<resource>";
    return info.lpszText;
}

int CheckedModeButtons(HWND toolBar)
{
    int n = 0;
    for (int id : {IDB_FULL_SCREEN, IDB_ACTIVE_WINDOW, IDB_CURSOR_WINDOW})
        n += ButtonChecked(toolBar, id);
    return n;
}

std::wstring ModuleWithExtension(const wchar_t* extension)
{
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L'.')) + extension;
}

class MainWindow : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::MainFrame& main = program.main;
};

TEST_F(MainWindow, IsAnMdiFrameCaptionedPixtroveWithItsClientArea)
{
    EXPECT_EQ(WindowText(main.hwnd()), L"Pixtrove!");
    EXPECT_EQ(ClassOf(main.hwnd()), L"TRorUruvodi");
    EXPECT_TRUE(::IsWindowVisible(main.hwnd()));
    const HWND client = ::FindWindowExW(main.hwnd(), nullptr, L"MDICLIENT", nullptr);
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client, main.MdiClient());
    EXPECT_EQ(::GetClassLongPtrW(main.hwnd(), GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_NE(::GetClassLongPtrW(main.hwnd(), GCLP_HICON), 0);
    EXPECT_TRUE(reports.texts().empty());
}

// Tool bar across the top, status bar along the bottom, the shot windows' area between.
TEST_F(MainWindow, StacksTheToolBarTheClientAreaAndTheStatusBarWithoutGapsAt96Dpi)
{
    ASSERT_EQ(win::DpiOf(main.hwnd()), 96u);
    RECT frame{};
    ::GetClientRect(main.hwnd(), &frame);
    const RECT tools = RectIn(main.hwnd(), FrameProbe::ToolBar(main));
    const RECT client = RectIn(main.hwnd(), main.MdiClient());
    const RECT status = RectIn(main.hwnd(), FrameProbe::StatusBar(main));
    EXPECT_EQ(tools.top, 0);
    EXPECT_EQ(tools.bottom - tools.top, 29);
    EXPECT_EQ(tools.right - tools.left, frame.right);
    EXPECT_EQ(client.top, tools.bottom);
    EXPECT_EQ(client.bottom, status.top);
    EXPECT_EQ(status.bottom, frame.bottom);
    EXPECT_EQ(client.right - client.left, frame.right);
}

struct ExpectedButton {
    int id;
    BYTE style;
    int glyphOrWidth;  // a separator's width in pixels
};

TEST_F(MainWindow, ToolBarHasThreeModeButtonsStartAndCopyWithTwoNarrowSeparatorsAt96Dpi)
{
    const ExpectedButton expected[] = {
        {IDB_FULL_SCREEN, BTNS_CHECKGROUP, 0},   {IDB_ACTIVE_WINDOW, BTNS_CHECKGROUP, 1},
        {IDB_CURSOR_WINDOW, BTNS_CHECKGROUP, 2}, {0, BTNS_SEP, 8},
        {IDB_START_CAPTURE, BTNS_BUTTON, 3},     {0, BTNS_SEP, 8},
        {IDB_COPY_CLIPBOARD, BTNS_BUTTON, 4},
    };
    const HWND bar = FrameProbe::ToolBar(main);
    ASSERT_EQ(::SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 7);
    int left = 3;  // the indent
    for (int i = 0; i < 7; ++i) {
        const ExpectedButton& e = expected[i];
        const TBBUTTON b = ButtonAt(bar, i);
        const RECT r = ItemRect(bar, i);
        SCOPED_TRACE(i);
        EXPECT_EQ(b.fsStyle & (BTNS_SEP | BTNS_CHECK | BTNS_GROUP), e.style);
        EXPECT_EQ(r.left, left);
        if (e.style == BTNS_SEP) {
            EXPECT_EQ(r.right - r.left, e.glyphOrWidth);
        } else {
            EXPECT_EQ(b.idCommand, e.id);
            EXPECT_EQ(b.iBitmap, e.glyphOrWidth);
            EXPECT_TRUE(b.fsState & TBSTATE_ENABLED);
        }
        left = r.right;
    }
}

TEST_F(MainWindow, ToolBarImagesAreSixGlyphsOf16PixelsAt96Dpi)
{
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(FrameProbe::ToolBar(main), TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(images), 6);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
}

struct Tip {
    int id;
    const wchar_t* text;
};

TEST_F(MainWindow, EveryToolTipIsTheHintUpToItsBar)
{
    const Tip tips[] = {
        {IDB_FULL_SCREEN, L"デスクトップ"},
        {IDB_ACTIVE_WINDOW, L"アクティブウィンドウ"},
        {IDB_CURSOR_WINDOW, L"カーソル位置のウィンドウ"},
        {IDB_START_CAPTURE, L"キャプチャー開始"},
        {IDB_COPY_CLIPBOARD, kCopyHint},
    };
    for (const Tip& t : tips)
        EXPECT_EQ(TipText(main, t.id), t.text) << t.id;
}

TEST_F(MainWindow, TheCopyButtonsTipFollowsTheCopyCaptionOfTheShotWindows)
{
    main.SetCopyHint("選択範囲をコピー|選択範囲をクリップボードへ");
    EXPECT_EQ(TipText(main, IDB_COPY_CLIPBOARD), L"選択範囲をコピー");
}

// The tip a user sees when resting the pointer on the start button.
TEST_F(MainWindow, RestingThePointerOnTheStartButtonShowsItsToolTip)
{
    const auto tip = reinterpret_cast<HWND>(::SendMessageW(FrameProbe::ToolBar(main), TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tip, nullptr);
    ::SetForegroundWindow(main.hwnd());
    RealMouse mouse;
    const POINT on = ButtonCentreOnScreen(FrameProbe::ToolBar(main), IDB_START_CAPTURE);
    mouse.MoveTo({on.x - 2, on.y});
    mouse.MoveTo(on);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(tip) != FALSE; }, 4000));
    EXPECT_EQ(WindowText(tip), L"キャプチャー開始");
    mouse.MoveTo({0, 0});
}

struct ModeClick {
    int button;
    core::CaptureMode mode;
};

TEST_F(MainWindow, ClickingModeButtonsKeepsExactlyOneDownEvenWhenTheDownOneIsClickedAgain)
{
    ::SetForegroundWindow(main.hwnd());
    ASSERT_TRUE(ButtonChecked(FrameProbe::ToolBar(main), IDB_FULL_SCREEN));
    const ModeClick clicks[] = {
        {IDB_FULL_SCREEN, core::CaptureMode::Desktop},
        {IDB_ACTIVE_WINDOW, core::CaptureMode::ActiveWindow},
        {IDB_ACTIVE_WINDOW, core::CaptureMode::ActiveWindow},
        {IDB_CURSOR_WINDOW, core::CaptureMode::CursorWindow},
        {IDB_CURSOR_WINDOW, core::CaptureMode::CursorWindow},
        {IDB_FULL_SCREEN, core::CaptureMode::Desktop},
    };
    RealMouse mouse;
    int side = -5;  // a second click on the same button lands apart from the first: no double click
    for (const ModeClick& c : clicks) {
        SCOPED_TRACE(c.button);
        const POINT centre = ButtonCentreOnScreen(FrameProbe::ToolBar(main), c.button);
        mouse.Click({centre.x + (side = -side), centre.y});
        PumpUntil([&] { return FrameProbe::CaptureMode(main) == c.mode; }, 1000);
        EXPECT_EQ(FrameProbe::CaptureMode(main), c.mode);
        EXPECT_TRUE(ButtonChecked(FrameProbe::ToolBar(main), c.button));
        EXPECT_EQ(CheckedModeButtons(FrameProbe::ToolBar(main)), 1);
    }
    mouse.MoveTo({0, 0});
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(MainWindow, TheFlatSettingSwitchesTheToolBarBetweenFlatAndRaisedButtons)
{
    const HWND bar = FrameProbe::ToolBar(main);
    ASSERT_FALSE(::SendMessageW(bar, TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
    main.SetFlatToolBar(true);
    EXPECT_TRUE(::SendMessageW(bar, TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
    main.SetFlatToolBar(true);
    EXPECT_TRUE(::SendMessageW(bar, TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
    main.SetFlatToolBar(false);
    EXPECT_FALSE(::SendMessageW(bar, TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
}

// Under a visual style a tool bar draws every button flat; raised buttons must still look raised.
TEST_F(MainWindow, RaisedAndFlatButtonsLookDifferentOnScreen)
{
    const HWND bar = FrameProbe::ToolBar(main);
    ::SetForegroundWindow(main.hwnd());
    RECT button{};
    ::SendMessageW(bar, TB_GETRECT, IDB_START_CAPTURE, reinterpret_cast<LPARAM>(&button));
    ::MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    const auto shown = [&](bool flat) {
        main.SetFlatToolBar(flat);
        ::UpdateWindow(bar);
        Pump(200);
        return ScreenPixels(button);
    };
    const std::vector<std::uint32_t> raised = shown(false);
    EXPECT_EQ(::GetWindowTheme(bar), nullptr) << "raised buttons are drawn without the theme";
    const std::vector<std::uint32_t> flat = shown(true);
    EXPECT_NE(raised, flat) << "the two styles look the same";
    EXPECT_EQ(shown(false), raised) << "switching back does not bring the raised look back";
}

TEST_F(MainWindow, StatusBarHasPanelsOf200And50PixelsInTheUserInterfaceFontAt96Dpi)
{
    EXPECT_EQ(StatusParts(FrameProbe::StatusBar(main)), (std::vector<int>{200, 250}));
    const LOGFONTW font = FontOf(FrameProbe::StatusBar(main));
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 0), L"");
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 1), L"");
}

TEST_F(MainWindow, MenuBarReadsFileOptionHelp)
{
    EXPECT_EQ(::GetMenu(main.hwnd()), main.FrameMenu());
    EXPECT_EQ(MenuBarTitles(::GetMenu(main.hwnd())),
              (std::vector<std::wstring>{L"ファイル(&F)", L"オプション(&O)", L"ヘルプ(&H)"}));
}

struct Item {
    int menu;
    UINT id;
    const wchar_t* text;
};

TEST_F(MainWindow, MenuItemsCarryTheirTextsAndShortcuts)
{
    const Item items[] = {
        {0, IDM_EXIT, L"終了(&X)\tAlt+F4"},
        {1, IDM_ENVIRONMENT, L"環境設定(&D)..."},
        {2, IDM_CONTENTS, L"目次(&C)\tF1"},
        {2, IDM_ABOUT, L"バージョン情報(&A)..."},
    };
    const HMENU bar = ::GetMenu(main.hwnd());
    for (const Item& item : items)
        EXPECT_EQ(MenuItemText(::GetSubMenu(bar, item.menu), item.id), item.text);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 0)), 1);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 1)), 1);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 2)), 2);
}

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
    EXPECT_EQ(reports.texts()[0], win::Widen(core::ReportText(win::SystemError(ERROR_FILE_NOT_FOUND).what())));
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
    app::MainFrame main(application.hwnd(), true);
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

// --- the program file ---------------------------------------------------------------------

std::vector<BYTE> VersionBlock(const std::wstring& file)
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !::GetFileVersionInfoW(file.c_str(), 0, size, block.data())) block.clear();
    return block;
}

TEST(ProgramFile, SaysFileVersion2005InItsJapaneseStringTable)
{
    std::vector<BYTE> block = VersionBlock(ProgramExe());
    ASSERT_FALSE(block.empty());
    wchar_t* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\StringFileInfo\\041103A4\\FileVersion",
                                 reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(std::wstring(text), L"2.0.0.5");
    WORD* translation = nullptr;
    ASSERT_TRUE(
        ::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000005u);
}

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ =
            ::LoadLibraryExW(ProgramExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override
    {
        if (module_) ::FreeLibrary(module_);
    }
    std::string Resource(LPCWSTR name, LPCWSTR type) const
    {
        const HRSRC found = ::FindResourceW(module_, name, type);
        if (!found) return {};
        const auto* data = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
        return {data, data + ::SizeofResource(module_, found)};
    }
    HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct IconDirEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ProgramResources, TheProgramIconHasA16AndA32PixelImageThatLoad)
{
    const std::string group = Resource(MAKEINTRESOURCEW(IDI_PIXTROVE), RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(group.size(), 6u + count * sizeof(IconDirEntry));
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i)
        sizes.insert(reinterpret_cast<const IconDirEntry*>(group.data() + 6 + i * sizeof(IconDirEntry))->width);
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
    for (int size : {16, 32}) {
        const auto icon =
            static_cast<HICON>(::LoadImageW(module_, MAKEINTRESOURCEW(IDI_PIXTROVE), IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size;
        if (icon) ::DestroyIcon(icon);
    }
}

TEST_F(ProgramResources, TheManifestAsksForPerMonitorV2AwarenessAndCommonControls6)
{
    const std::string manifest = Resource(MAKEINTRESOURCEW(1), RT_MANIFEST);
    EXPECT_NE(manifest.find(">PerMonitorV2<"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);
    EXPECT_NE(manifest.find("\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    // This test program carries the same manifest, and the system honoured it.
    EXPECT_EQ(::GetAwarenessFromDpiAwarenessContext(::GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
}

}  // namespace
