#pragma once
#include <span>
#include <vector>

namespace core {

// One menu of the merged menu bar: its group index, whose list it comes
// from, and its position in that list.
struct MenuSlot {
    int group;
    bool fromChild;
    int index;
    bool operator==(const MenuSlot&) const = default;
};

// The frame's menu bar while a child window is active: each child menu
// replaces the frame's menus of the same group index, and all menus are
// ordered by ascending group index, keeping their own order within a group.
std::vector<MenuSlot> MergeMenus(std::span<const int> frameGroups, std::span<const int> childGroups);

}  // namespace core
