// The main window as a user meets it at 96 dpi: its frame, tool bar, tool tips, status bar,
// and menus.
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
    for (int id : {IDB_FULL_SCREEN, IDB_ACTIVE_WINDOW, IDB_CURSOR_WINDOW, IDB_ALL_SCREENS, IDB_REGION, IDB_SCROLLING})
        n += ButtonChecked(toolBar, id);
    return n;
}

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

TEST_F(MainWindow, ToolBarHasSixModeButtonsStartCopyAndTheDrawingToolsWithNarrowSeparatorsAt96Dpi)
{
    const ExpectedButton expected[] = {
        {IDB_FULL_SCREEN, BTNS_CHECKGROUP, 0},
        {IDB_ACTIVE_WINDOW, BTNS_CHECKGROUP, 1},
        {IDB_CURSOR_WINDOW, BTNS_CHECKGROUP, 2},
        {IDB_ALL_SCREENS, BTNS_CHECKGROUP, 6},
        {IDB_REGION, BTNS_CHECKGROUP, 15},
        {IDB_SCROLLING, BTNS_CHECKGROUP, 16},
        {0, BTNS_SEP, 8},
        {IDB_START_CAPTURE, BTNS_BUTTON, 3},
        {0, BTNS_SEP, 8},
        {IDB_COPY_CLIPBOARD, BTNS_BUTTON, 4},
        {0, BTNS_SEP, 8},
        {IDM_TOOL_SELECT, BTNS_CHECKGROUP, 7},
        {IDM_TOOL_ARROW, BTNS_CHECKGROUP, 8},
        {IDM_TOOL_BOX, BTNS_CHECKGROUP, 9},
        {IDM_TOOL_TEXT, BTNS_CHECKGROUP, 10},
        {IDM_TOOL_NUMBER, BTNS_CHECKGROUP, 11},
        {IDM_TOOL_HIGHLIGHTER, BTNS_CHECKGROUP, 12},
        {0, BTNS_SEP, 8},
        {IDB_MARK_COLOUR, BTNS_BUTTON, 13},
        {IDB_MARK_WIDTH, BTNS_BUTTON, 14},
    };
    const HWND bar = FrameProbe::ToolBar(main);
    ASSERT_EQ(::SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 20);
    int left = 3;  // the indent
    for (int i = 0; i < 20; ++i) {
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
            // The drawing tools work on a shot, and there is none.
            EXPECT_EQ((b.fsState & TBSTATE_ENABLED) != 0, i < 10);
        }
        left = r.right;
    }
}

TEST_F(MainWindow, ToolBarImagesAreSeventeenGlyphsOf16PixelsAt96Dpi)
{
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(FrameProbe::ToolBar(main), TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(images), 17);
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
        {IDB_ALL_SCREENS, L"すべての画面"},
        {IDB_REGION, L"範囲を指定"},
        {IDB_SCROLLING, L"スクロールして取り込む"},
        {IDB_START_CAPTURE, L"キャプチャー開始"},
        {IDB_COPY_CLIPBOARD, kCopyHint},
        {IDM_TOOL_SELECT, L"選択"},
        {IDM_TOOL_ARROW, L"矢印"},
        {IDM_TOOL_BOX, L"四角"},
        {IDM_TOOL_TEXT, L"テキスト"},
        {IDM_TOOL_NUMBER, L"番号"},
        {IDM_TOOL_HIGHLIGHTER, L"蛍光ペン"},
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
        {IDB_FULL_SCREEN, core::CaptureMode::Desktop},        {IDB_ACTIVE_WINDOW, core::CaptureMode::ActiveWindow},
        {IDB_ACTIVE_WINDOW, core::CaptureMode::ActiveWindow}, {IDB_CURSOR_WINDOW, core::CaptureMode::CursorWindow},
        {IDB_CURSOR_WINDOW, core::CaptureMode::CursorWindow}, {IDB_ALL_SCREENS, core::CaptureMode::AllScreens},
        {IDB_ALL_SCREENS, core::CaptureMode::AllScreens},     {IDB_SCROLLING, core::CaptureMode::Scrolling},
        {IDB_SCROLLING, core::CaptureMode::Scrolling},        {IDB_FULL_SCREEN, core::CaptureMode::Desktop},
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

TEST_F(MainWindow, StatusBarHasPanelsOf200And50And60PixelsInTheUserInterfaceFontAt96Dpi)
{
    EXPECT_EQ(StatusParts(FrameProbe::StatusBar(main)), (std::vector<int>{200, 250, 310}));
    const LOGFONTW font = FontOf(FrameProbe::StatusBar(main));
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 0), L"");
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 1), L"");
    EXPECT_EQ(StatusText(FrameProbe::StatusBar(main), 2), L"");  // the zoom, while a shot is active
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
        {0, IDM_OPEN, L"開く(&O)...\tCtrl+O"},
        {0, IDM_PASTE_NEW, L"クリップボードから新規(&V)\tCtrl+Shift+V"},
        {0, IDM_EXIT, L"終了(&X)\tAlt+F4"},
        {1, IDM_ENVIRONMENT, L"環境設定(&D)..."},
        {2, IDM_CONTENTS, L"目次(&C)\tF1"},
        {2, IDM_ABOUT, L"バージョン情報(&A)..."},
    };
    const HMENU bar = ::GetMenu(main.hwnd());
    for (const Item& item : items)
        EXPECT_EQ(MenuItemText(::GetSubMenu(bar, item.menu), item.id), item.text);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 0)), 4);  // a separator before the exit
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 1)), 1);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 2)), 2);
}

}  // namespace
