#include "app/Menus.h"

#include <span>
#include <vector>

#include "core/MenuMerge.h"
#include "resource.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"

namespace app {
namespace {

struct MenuItem {
    UINT id;  // 0: a separator
    const wchar_t* text;
};

struct MenuDef {
    int group;
    const wchar_t* title;
    std::span<const MenuItem> items;
};

constexpr MenuItem kFrameFile[] = {{IDM_EXIT, L"終了(&X)\tAlt+F4"}};
constexpr MenuItem kFrameOption[] = {{IDM_ENVIRONMENT, L"環境設定(&D)..."}};
constexpr MenuItem kFrameHelp[] = {{IDM_CONTENTS, L"目次(&C)\tF1"}, {IDM_ABOUT, L"バージョン情報(&A)..."}};
constexpr MenuDef kFrameMenus[] = {
    {0, L"ファイル(&F)", kFrameFile},
    {2, L"オプション(&O)", kFrameOption},
    {9, L"ヘルプ(&H)", kFrameHelp},
};

constexpr MenuItem kShotFile[] = {{IDM_SAVE, L"名前を付けて保存(&S)...\tCtrl+S"},
                                  {0, nullptr},
                                  {IDM_CLOSE, L"閉じる(&C)"},
                                  {IDM_EXIT, L"終了(&X)\tAlt+F4"}};
constexpr MenuItem kShotEdit[] = {
    {IDM_COPY, L"全体をクリップボードへコピー(&C)\tCtrl+C"},
    {0, nullptr},
    {IDM_SELECT_ALL, L"全て選択(&A)\tCtrl+A"},
    {IDM_SELECT_CANCEL, L"選択範囲取り消し(&R)"},
    {0, nullptr},
    {IDM_UNDO, L"元に戻す(&U)\tCtrl+Z"},
    {IDM_REDO, L"やり直し(&Y)\tCtrl+Y"},
    {0, nullptr},
    {IDM_BLACK_OUT, L"黒で塗りつぶす(&B)\tCtrl+B"},
    {IDM_MOSAIC, L"モザイクで隠す(&M)\tCtrl+M"},
    {IDM_RED_FRAME, L"赤枠で囲む(&H)\tCtrl+H"},
    {IDM_CUT_OUT, L"切り出す(&T)\tCtrl+T"},
};
constexpr MenuItem kShotWindow[] = {{IDM_CASCADE, L"重ねて表示(&C)"}, {IDM_TILE, L"並べて表示(&T)"}};
constexpr int kShotWindowMenu = 2;
constexpr MenuDef kShotMenus[] = {
    {0, L"ファイル(&F)", kShotFile},
    {1, L"編集(&E)", kShotEdit},
    {8, L"ウィンドウ(&W)", kShotWindow},
};

template <size_t N>
std::vector<int> Groups(const MenuDef (&menus)[N])
{
    std::vector<int> groups;
    for (const MenuDef& m : menus)
        groups.push_back(m.group);
    return groups;
}

win::OwnedMenu BuildPopup(const MenuDef& def)
{
    win::OwnedMenu popup(win::ThrowLastErrorIfNull(::CreatePopupMenu()));
    for (const MenuItem& item : def.items) {
        win::ThrowLastErrorIfNull(item.id ? ::AppendMenuW(popup.get(), MF_STRING, item.id, item.text)
                                          : ::AppendMenuW(popup.get(), MF_SEPARATOR, 0, nullptr));
    }
    return popup;
}

// Builds a menu bar from the merged list; `found` receives the popup of the child's menu
// at childMenuOfInterest.
win::OwnedMenu BuildBar(std::span<const core::MenuSlot> slots, std::span<const MenuDef> frame,
                        std::span<const MenuDef> child, int childMenuOfInterest, HMENU* found)
{
    win::OwnedMenu bar(win::ThrowLastErrorIfNull(::CreateMenu()));
    for (const core::MenuSlot& slot : slots) {
        const MenuDef& def =
            slot.fromChild ? child[static_cast<size_t>(slot.index)] : frame[static_cast<size_t>(slot.index)];
        win::OwnedMenu popup = BuildPopup(def);
        win::ThrowLastErrorIfNull(
            ::AppendMenuW(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup.get()), def.title));
        // The bar owns it now.
        const HMENU added = popup.release();
        if (found && slot.fromChild && slot.index == childMenuOfInterest) *found = added;
    }
    return bar;
}

}  // namespace

void ShowShotCommandStates(HMENU menu, const ShotCommandStates& states)
{
    const auto enable = [menu](UINT id, bool on) {
        ::EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    for (const UINT id : {IDM_BLACK_OUT, IDM_MOSAIC, IDM_RED_FRAME, IDM_CUT_OUT})
        enable(id, states.selectionHasArea);
    enable(IDM_UNDO, states.canUndo);
    enable(IDM_REDO, states.canRedo);
}

win::OwnedMenu BuildFrameMenu()
{
    const std::vector<int> groups = Groups(kFrameMenus);
    const std::vector<core::MenuSlot> slots = core::MergeMenus(groups, {});
    return BuildBar(slots, kFrameMenus, {}, -1, nullptr);
}

win::OwnedMenu BuildShotMenu(HMENU& windowMenu)
{
    const std::vector<int> frame = Groups(kFrameMenus), child = Groups(kShotMenus);
    const std::vector<core::MenuSlot> slots = core::MergeMenus(frame, child);
    windowMenu = nullptr;
    return BuildBar(slots, kFrameMenus, kShotMenus, kShotWindowMenu, &windowMenu);
}

}  // namespace app
