// The frame's menu bar with and without shot windows, the list of shot windows under the
// active shot's "ウィンドウ(&W)", and the cascade and tile commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CaptureSupport.h"
#include "WinTest.h"
#include "resource.h"

using namespace wintest;

namespace {

const std::vector<std::wstring> kFrameBar{L"ファイル(&F)", L"オプション(&O)", L"ヘルプ(&H)"};
const std::vector<std::wstring> kShotBar{L"ファイル(&F)", L"編集(&E)", L"オプション(&O)", L"ウィンドウ(&W)",
                                         L"ヘルプ(&H)"};

struct ListEntry {
    std::wstring caption;  // without the "&1 " the list puts in front
    bool checked;
    bool operator==(const ListEntry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ListEntry& e)
{
    std::string narrow;
    for (wchar_t c : e.caption)
        narrow.push_back(c < 128 ? static_cast<char>(c) : '?');
    return out << narrow << (e.checked ? " (checked)" : "");
}

HMENU WindowMenuOf(HMENU bar)
{
    const std::vector<std::wstring> titles = MenuBarTitles(bar);
    const auto at = std::find(titles.begin(), titles.end(), L"ウィンドウ(&W)");
    return at == titles.end() ? nullptr : ::GetSubMenu(bar, static_cast<int>(at - titles.begin()));
}

// The window list: the entries of a "ウィンドウ(&W)" menu that name child windows.
std::vector<ListEntry> WindowList(HMENU bar)
{
    std::vector<ListEntry> list;
    const HMENU menu = WindowMenuOf(bar);
    for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
        const UINT id = ::GetMenuItemID(menu, i);
        if (id == static_cast<UINT>(-1) || id < IDM_FIRST_CHILD) continue;
        wchar_t text[256]{};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        std::wstring caption = text;
        if (const size_t blank = caption.find(L' '); caption.starts_with(L"&") && blank != std::wstring::npos)
            caption.erase(0, blank + 1);
        list.push_back({caption, (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0});
    }
    return list;
}

// Items of a shot's own "ウィンドウ(&W)" menu beyond cascade and tile.
int ExtraWindowMenuItems(HMENU bar)
{
    const HMENU menu = WindowMenuOf(bar);
    return menu ? ::GetMenuItemCount(menu) - 2 : -1;
}

class ShotMenus : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::MainFrame& main = program.main;

    app::ShotWindow& NewShot()
    {
        FrameProbe::CaptureScreenRect(main, 0, 0, 64, 48);
        app::ShotWindow* shot = ActiveShotWindow(main);
        if (!shot) throw std::runtime_error("no shot window");
        return *shot;
    }
    void Activate(const app::ShotWindow& shot)
    {
        ::SendMessageW(main.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(shot.hwnd()), 0);
    }
    std::vector<std::wstring> Bar() const { return MenuBarTitles(::GetMenu(main.hwnd())); }
};

TEST_F(ShotMenus, TheBarShowsTheShotsMenusOnlyWhileAShotIsOpen)
{
    EXPECT_EQ(Bar(), kFrameBar);
    EXPECT_EQ(::GetMenu(main.hwnd()), main.FrameMenu());

    app::ShotWindow& shot = NewShot();
    EXPECT_EQ(Bar(), kShotBar);
    EXPECT_EQ(::GetMenu(main.hwnd()), ShotProbe::Menu(shot));
    EXPECT_EQ(MenuItemText(::GetMenu(main.hwnd()), IDM_CLOSE), L"閉じる(&C)");
    EXPECT_EQ(MenuItemText(::GetMenu(main.hwnd()), IDM_SELECT_ALL), L"全て選択(&A)\tCtrl+A");
    EXPECT_EQ(MenuItemText(::GetMenu(main.hwnd()), IDM_ENVIRONMENT), L"環境設定(&D)...");
    EXPECT_EQ(MenuItemText(::GetMenu(main.hwnd()), IDM_CASCADE), L"重ねて表示(&C)");

    CloseShot(main, shot);
    EXPECT_EQ(Bar(), kFrameBar);
    EXPECT_EQ(::GetMenu(main.hwnd()), main.FrameMenu());
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(ShotMenus, TheCloseItemOfTheBarClosesTheActiveShot)
{
    app::ShotWindow& first = NewShot();
    app::ShotWindow& second = NewShot();
    const HWND secondWindow = second.hwnd();
    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(secondWindow); }));
    EXPECT_EQ(ActiveShotWindow(main), &first);
    EXPECT_EQ(::GetMenu(main.hwnd()), ShotProbe::Menu(first));
}

TEST_F(ShotMenus, TheWindowListFollowsTheActiveShotAlsoAfterTheFirstShotIsClosed)
{
    app::ShotWindow& first = NewShot();
    app::ShotWindow& second = NewShot();
    app::ShotWindow& third = NewShot();
    EXPECT_EQ(WindowList(::GetMenu(main.hwnd())),
              (std::vector<ListEntry>{{L"Shot:1", false}, {L"Shot:2", false}, {L"Shot:3", true}}));

    CloseShot(main, first);
    ASSERT_EQ(ActiveShotWindow(main), &third);
    EXPECT_EQ(Bar(), kShotBar);
    EXPECT_EQ(WindowList(::GetMenu(main.hwnd())), (std::vector<ListEntry>{{L"Shot:2", false}, {L"Shot:3", true}}));

    Activate(second);
    EXPECT_EQ(::GetMenu(main.hwnd()), ShotProbe::Menu(second));
    EXPECT_EQ(WindowList(::GetMenu(main.hwnd())), (std::vector<ListEntry>{{L"Shot:2", true}, {L"Shot:3", false}}));
    // The list moved: the shot behind keeps only its own two items.
    EXPECT_EQ(ExtraWindowMenuItems(ShotProbe::Menu(third)), 0);

    // Picking an entry activates that shot.
    const HMENU windowMenu = WindowMenuOf(::GetMenu(main.hwnd()));
    UINT thirdEntry = 0;
    for (int i = 0; i < ::GetMenuItemCount(windowMenu); ++i) {
        wchar_t text[256]{};
        ::GetMenuStringW(windowMenu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        if (std::wstring(text).ends_with(L"Shot:3")) thirdEntry = ::GetMenuItemID(windowMenu, i);
    }
    ASSERT_NE(thirdEntry, 0u);
    ::SendMessageW(main.hwnd(), WM_COMMAND, thirdEntry, 0);
    EXPECT_EQ(ActiveShotWindow(main), &third);
    EXPECT_EQ(WindowList(::GetMenu(main.hwnd())), (std::vector<ListEntry>{{L"Shot:2", false}, {L"Shot:3", true}}));

    CloseShot(main, third);
    CloseShot(main, second);
    EXPECT_EQ(Bar(), kFrameBar);
    EXPECT_EQ(::GetMenu(main.hwnd()), main.FrameMenu());
    EXPECT_TRUE(reports.texts().empty());
}

TEST_F(ShotMenus, AShotOpenedAfterAllWereClosedGetsTheWindowListAgain)
{
    CloseShot(main, NewShot());
    CloseShot(main, NewShot());
    NewShot();
    NewShot();
    EXPECT_EQ(WindowList(::GetMenu(main.hwnd())), (std::vector<ListEntry>{{L"Shot:3", false}, {L"Shot:4", true}}));
}

std::vector<RECT> ChildRects(const app::MainFrame& main)
{
    std::vector<RECT> rects;
    for (app::ShotWindow* shot : Shots(main)) {
        RECT r{};
        ::GetWindowRect(shot->hwnd(), &r);
        ::MapWindowPoints(nullptr, main.MdiClient(), reinterpret_cast<POINT*>(&r), 2);
        rects.push_back(r);
    }
    return rects;
}

// The window menus the MDI client is told to use, as they are sent to it.
std::vector<HMENU> gWindowMenusSet;
LRESULT CALLBACK RecordSetMenu(int code, WPARAM wp, LPARAM lp)
{
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call.message == WM_MDISETMENU) gWindowMenusSet.push_back(reinterpret_cast<HMENU>(call.lParam));
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(ShotMenus, ClosingTheLastShotLeavesTheWindowListNoMenuOfAClosedShot)
{
    app::ShotWindow& first = NewShot();
    app::ShotWindow& second = NewShot();
    const HMENU firstWindowMenu = WindowMenuOf(ShotProbe::Menu(first));
    const HMENU secondWindowMenu = WindowMenuOf(ShotProbe::Menu(second));
    gWindowMenusSet.clear();
    const HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &RecordSetMenu, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    CloseShot(main, second);
    CloseShot(main, first);
    ::UnhookWindowsHookEx(hook);

    ASSERT_FALSE(gWindowMenusSet.empty());
    const HMENU last = gWindowMenusSet.back();
    EXPECT_NE(last, nullptr) << "a null window menu leaves the closed shot's menu in place";
    EXPECT_NE(last, firstWindowMenu);
    EXPECT_NE(last, secondWindowMenu);
    EXPECT_TRUE(::IsMenu(last)) << "the window list was left on a destroyed menu";
    EXPECT_EQ(Bar(), kFrameBar);
}

TEST_F(ShotMenus, TileLaysTheShotsSideBySideOverTheWholeClientAndCascadeStaggersThem)
{
    NewShot();
    NewShot();
    NewShot();
    RECT client{};
    ::GetClientRect(main.MdiClient(), &client);

    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_TILE, 0);
    const std::vector<RECT> tiled = ChildRects(main);
    ASSERT_EQ(tiled.size(), 3u);
    long long area = 0;
    for (size_t i = 0; i < tiled.size(); ++i) {
        const RECT& r = tiled[i];
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom) << i;
        area += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
        for (size_t j = i + 1; j < tiled.size(); ++j) {
            RECT common{};
            EXPECT_FALSE(::IntersectRect(&common, &r, &tiled[j])) << i << " overlaps " << j;
        }
    }
    EXPECT_EQ(area, static_cast<long long>(client.right) * client.bottom);

    ::SendMessageW(main.hwnd(), WM_COMMAND, IDM_CASCADE, 0);
    std::vector<RECT> cascaded = ChildRects(main);  // front to back
    ASSERT_EQ(cascaded.size(), 3u);
    std::reverse(cascaded.begin(), cascaded.end());
    const int stepX = cascaded[1].left - cascaded[0].left, stepY = cascaded[1].top - cascaded[0].top;
    EXPECT_GT(stepX, 0);
    EXPECT_GT(stepY, 0);
    for (size_t i = 1; i < cascaded.size(); ++i) {
        EXPECT_EQ(cascaded[i].left - cascaded[i - 1].left, stepX) << i;
        EXPECT_EQ(cascaded[i].top - cascaded[i - 1].top, stepY) << i;
        EXPECT_EQ(cascaded[i].right - cascaded[i].left, cascaded[0].right - cascaded[0].left) << i;
        EXPECT_EQ(cascaded[i].bottom - cascaded[i].top, cascaded[0].bottom - cascaded[0].top) << i;
    }
    EXPECT_EQ(Shots(main).front(), ActiveShotWindow(main));
}

}  // namespace

namespace {

TEST_F(ShotMenus, TheShotsItemsReadAsTheirCommandsWithTheirShortcuts)
{
    const app::ShotWindow& shot = NewShot();
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_CLOSE), L"閉じる(&C)");
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_EXIT), L"終了(&X)\tAlt+F4");
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_COPY), L"全体をクリップボードへコピー(&C)\tCtrl+C");
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_PIN), L"最前面に表示(&P)\tF3");
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_SELECT_ALL), L"全て選択(&A)\tCtrl+A");
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_SELECT_CANCEL), L"選択範囲取り消し(&R)");
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_CASCADE), L"重ねて表示(&C)");
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_TILE), L"並べて表示(&T)");
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_ENVIRONMENT), L"環境設定(&D)...");
    EXPECT_EQ(MenuItemText(ShotProbe::Menu(shot), IDM_ABOUT), L"バージョン情報(&A)...");
}

// Every key a menu item names works that item's command, and no key works anything else.
TEST_F(ShotMenus, TheKeysTheMenusNameAreExactlyTheKeysOfTheAcceleratorTable)
{
    NewShot();
    struct Key {
        BYTE flags;
        WORD key;
        WORD id;
        bool operator<(const Key& o) const { return std::tie(id, flags, key) < std::tie(o.id, o.flags, o.key); }
        bool operator==(const Key&) const = default;
    };
    const std::vector<Key> expected{
        {FVIRTKEY | FALT, VK_F4, IDM_EXIT},          {FVIRTKEY, VK_F1, IDM_CONTENTS},
        {FVIRTKEY | FCONTROL, 'S', IDM_SAVE},        {FVIRTKEY | FCONTROL, 'C', IDM_COPY},
        {FVIRTKEY | FCONTROL, 'A', IDM_SELECT_ALL},  {FVIRTKEY | FCONTROL, 'Z', IDM_UNDO},
        {FVIRTKEY | FCONTROL, 'Y', IDM_REDO},        {FVIRTKEY | FCONTROL, 'B', IDM_BLACK_OUT},
        {FVIRTKEY | FCONTROL, 'M', IDM_MOSAIC},      {FVIRTKEY | FCONTROL, 'H', IDM_RED_FRAME},
        {FVIRTKEY | FCONTROL, 'T', IDM_CUT_OUT},     {FVIRTKEY | FCONTROL, VK_OEM_PLUS, IDM_ZOOM_IN},
        {FVIRTKEY | FCONTROL, VK_OEM_MINUS, IDM_ZOOM_OUT}, {FVIRTKEY | FCONTROL, '0', IDM_ZOOM_FULL},
        {FVIRTKEY | FCONTROL, 'O', IDM_OPEN},        {FVIRTKEY | FCONTROL | FSHIFT, 'V', IDM_PASTE_NEW},
        {FVIRTKEY, VK_F3, IDM_PIN},
    };
    std::vector<ACCEL> table(static_cast<size_t>(::CopyAcceleratorTableW(main.Accelerators(), nullptr, 0)));
    ::CopyAcceleratorTableW(main.Accelerators(), table.data(), static_cast<int>(table.size()));
    std::vector<Key> actual;
    for (const ACCEL& a : table)
        actual.push_back({static_cast<BYTE>(a.fVirt & ~FNOINVERT), a.key, a.cmd});
    std::vector<Key> sortedExpected = expected;
    std::sort(actual.begin(), actual.end());
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_TRUE(actual == sortedExpected) << actual.size() << " keys in the table";
    // The items with a key name it after a tab; the others name none.
    const std::vector<std::pair<UINT, std::wstring>> named{
        {IDM_SAVE, L"Ctrl+S"},  {IDM_UNDO, L"Ctrl+Z"},      {IDM_REDO, L"Ctrl+Y"},
        {IDM_BLACK_OUT, L"Ctrl+B"}, {IDM_MOSAIC, L"Ctrl+M"}, {IDM_RED_FRAME, L"Ctrl+H"},
        {IDM_CUT_OUT, L"Ctrl+T"}, {IDM_CONTENTS, L"F1"}, {IDM_ZOOM_IN, L"Ctrl++"},
        {IDM_ZOOM_OUT, L"Ctrl+-"}, {IDM_ZOOM_FULL, L"Ctrl+0"},
        {IDM_OPEN, L"Ctrl+O"}, {IDM_PASTE_NEW, L"Ctrl+Shift+V"}, {IDM_PIN, L"F3"}};
    for (const auto& [id, key] : named) {
        const std::wstring text = MenuItemText(::GetMenu(main.hwnd()), id);
        EXPECT_TRUE(text.ends_with(L"\t" + key)) << id;
    }
}

}  // namespace
