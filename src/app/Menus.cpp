#include "app/Menus.h"

#include <span>
#include <stdexcept>
#include <vector>

#include "app/Commands.h"
#include "core/MenuMerge.h"
#include "resource.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"

namespace app {
namespace {

// A menu's items by command id, their texts and keys from the command table; 0 is a separator.
struct MenuDef {
    int group;
    const wchar_t* title;
    std::span<const UINT> items;
};

constexpr UINT kSeparator = 0;
constexpr UINT kDrawMenu = 1;  // the submenu "描く(&D)" of the drawing tools

constexpr UINT kFrameFile[] = {IDM_OPEN, IDM_PASTE_NEW, kSeparator, IDM_EXIT};
constexpr UINT kFrameOption[] = {IDM_ENVIRONMENT};
constexpr UINT kFrameHelp[] = {IDM_CONTENTS, IDM_ABOUT};
constexpr MenuDef kFrameMenus[] = {
    {0, L"ファイル(&F)", kFrameFile},
    {2, L"オプション(&O)", kFrameOption},
    {9, L"ヘルプ(&H)", kFrameHelp},
};

constexpr UINT kShotFile[] = {IDM_OPEN, IDM_PASTE_NEW, kSeparator, IDM_SAVE, kSeparator, IDM_CLOSE, IDM_EXIT};
constexpr UINT kShotEdit[] = {
    IDM_COPY,    IDM_PIN,      kSeparator,    IDM_SELECT_ALL, IDM_SELECT_CANCEL, kSeparator,
    IDM_UNDO,    IDM_REDO,     kSeparator,    IDM_BLACK_OUT,  IDM_MOSAIC,        IDM_RED_FRAME,
    IDM_CUT_OUT, kSeparator,   IDM_ZOOM_IN,   IDM_ZOOM_OUT,   IDM_ZOOM_FULL,     IDM_ZOOM_FIT,
    kSeparator,  kDrawMenu,
};
constexpr UINT kDrawItems[] = {IDM_TOOL_SELECT, IDM_TOOL_ARROW,  IDM_TOOL_BOX,
                               IDM_TOOL_TEXT,   IDM_TOOL_NUMBER, IDM_TOOL_HIGHLIGHTER};
constexpr MenuDef kDraw{-1, L"描く(&D)", kDrawItems};
constexpr UINT kShotWindow[] = {IDM_CASCADE, IDM_TILE};
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
    for (const UINT id : def.items) {
        if (id == kSeparator) {
            win::ThrowLastErrorIfNull(::AppendMenuW(popup.get(), MF_SEPARATOR, 0, nullptr));
            continue;
        }
        if (id == kDrawMenu) {
            win::OwnedMenu draw = BuildPopup(kDraw);
            win::ThrowLastErrorIfNull(
                ::AppendMenuW(popup.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(draw.get()), kDraw.title));
            draw.release();  // the popup owns it now
            continue;
        }
        const Command* command = FindCommand(id);
        if (!command) throw std::logic_error("a menu item without a command");
        win::ThrowLastErrorIfNull(::AppendMenuW(popup.get(), MF_STRING, id, MenuText(*command).c_str()));
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
