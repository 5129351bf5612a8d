// The frame's menu bar as shot windows come and go: the active shot window's menus merged
// in by group index, its window list, cascade and tile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaptureSupport.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

const std::vector<std::wstring> kFrameBar = {L"ファイル(&F)", L"オプション(&O)", L"ヘルプ(&H)"};
const std::vector<std::wstring> kShotBar = {L"ファイル(&F)", L"編集(&E)", L"オプション(&O)", L"ウィンドウ(&W)",
                                            L"ヘルプ(&H)"};

class MenuBar : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::TRorUruvodi& main = program.main;

    app::TfrmCap& NewShot()
    {
        main.CaptureScreenRect(0, 0, 120, 90);
        Pump(0);
        app::TfrmCap* shot = ActiveShotWindow(main);
        if (!shot) throw std::runtime_error("no shot window");
        return *shot;
    }
    std::vector<std::wstring> Bar() const { return MenuBarTitles(::GetMenu(main.hwnd())); }
    // The entries the MDI client lists under the active shot window's "ウィンドウ(&W)".
    std::vector<std::wstring> WindowList() const
    {
        std::vector<std::wstring> entries;
        HMENU window = ::GetSubMenu(::GetMenu(main.hwnd()), 3);
        for (int i = 0; i < ::GetMenuItemCount(window); ++i) {
            const UINT id = ::GetMenuItemID(window, i);
            if (id < IDM_FIRST_CHILD || id == static_cast<UINT>(-1)) continue;
            wchar_t text[128]{};
            ::GetMenuStringW(window, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            entries.emplace_back(text);
        }
        return entries;
    }
    static bool Lists(const std::vector<std::wstring>& entries, const std::wstring& caption)
    {
        for (const std::wstring& e : entries)
            if (e.find(caption) != std::wstring::npos) return true;
        return false;
    }
};

TEST_F(MenuBar, ReadsTheFramesOwnMenusWithNoShotWindow) { EXPECT_EQ(Bar(), kFrameBar); }

TEST_F(MenuBar, MergesTheActiveShotWindowsMenusByGroup)
{
    app::TfrmCap& shot = NewShot();
    EXPECT_EQ(Bar(), kShotBar);
    EXPECT_EQ(::GetMenu(main.hwnd()), shot.CapMenu());
    EXPECT_EQ(MenuItemText(shot.CapMenu(), IDM_CLOSE), L"閉じる(&C)");
    EXPECT_EQ(MenuItemText(shot.CapMenu(), IDM_SELECT_ALL), L"全て選択(&A)\tCtrl+A");
    EXPECT_EQ(MenuItemText(shot.CapMenu(), IDM_SELECT_CANCEL), L"選択範囲取り消し(&R)");
    EXPECT_EQ(MenuItemText(shot.CapMenu(), IDM_CASCADE), L"重ねて表示(&C)");
    EXPECT_EQ(MenuItemText(shot.CapMenu(), IDM_TILE), L"並べて表示(&T)");
    EXPECT_EQ(MenuItemText(shot.CapMenu(), IDM_ENVIRONMENT), L"環境設定(&D)...");
}

TEST_F(MenuBar, GoesBackToTheFramesMenusWhenTheLastShotCloses)
{
    app::TfrmCap& first = NewShot();
    NewShot();
    CloseShot(main, *ActiveShotWindow(main));
    EXPECT_EQ(Bar(), kShotBar);
    CloseShot(main, first);
    EXPECT_EQ(Bar(), kFrameBar);
    EXPECT_EQ(::GetMenu(main.hwnd()), main.FrameMenu());
}

TEST_F(MenuBar, ListsTheShotWindowsAlsoAfterTheFirstOneIsClosed)
{
    app::TfrmCap& first = NewShot();
    NewShot();
    NewShot();
    EXPECT_TRUE(Lists(WindowList(), L"Shot:1"));
    CloseShot(main, first);
    ASSERT_EQ(Bar(), kShotBar);
    const std::vector<std::wstring> entries = WindowList();
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_TRUE(Lists(entries, L"Shot:2"));
    EXPECT_TRUE(Lists(entries, L"Shot:3"));
    EXPECT_FALSE(Lists(entries, L"Shot:1"));
}

TEST_F(MenuBar, AnEntryOfTheWindowListActivatesItsShot)
{
    app::TfrmCap& first = NewShot();
    NewShot();
    HMENU window = ::GetSubMenu(::GetMenu(main.hwnd()), 3);
    UINT firstId = 0;
    for (int i = 0; i < ::GetMenuItemCount(window); ++i) {
        wchar_t text[128]{};
        ::GetMenuStringW(window, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        if (std::wstring(text).find(L"Shot:1") != std::wstring::npos) firstId = ::GetMenuItemID(window, i);
    }
    ASSERT_NE(firstId, 0u);
    ::SendMessageW(main.hwnd(), WM_COMMAND, firstId, 0);
    EXPECT_EQ(main.ActiveShot(), first.hwnd());
}

TEST_F(MenuBar, CascadeAndTileArrangeTheShotWindows)
{
    app::TfrmCap& a = NewShot();
    app::TfrmCap& b = NewShot();
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_TILE, 0);
    RECT ra{}, rb{}, client{};
    ::GetWindowRect(a.hwnd(), &ra);
    ::GetWindowRect(b.hwnd(), &rb);
    ::GetClientRect(main.MdiClient(), &client);
    RECT overlap{};
    EXPECT_FALSE(::IntersectRect(&overlap, &ra, &rb)) << "tiled windows do not overlap";
    EXPECT_EQ(ra.right - ra.left, client.right) << "horizontal tiling: full width";

    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_CASCADE, 0);
    ::GetWindowRect(a.hwnd(), &ra);
    ::GetWindowRect(b.hwnd(), &rb);
    EXPECT_TRUE(::IntersectRect(&overlap, &ra, &rb)) << "cascaded windows overlap";
    EXPECT_NE(ra.left, rb.left);
    EXPECT_NE(ra.top, rb.top);
}

TEST_F(MenuBar, CloseFromTheMenuClosesOnlyTheActiveShot)
{
    app::TfrmCap& first = NewShot();
    NewShot();
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_CLOSE, 0);
    Pump(0);
    const std::vector<app::TfrmCap*> left = Shots(main);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0], &first);
}

}  // namespace
