#include "core/MenuMerge.h"

#include <algorithm>

namespace core {

std::vector<MenuSlot> MergeMenus(std::span<const int> frameGroups, std::span<const int> childGroups)
{
    std::vector<MenuSlot> bar;
    bar.reserve(frameGroups.size() + childGroups.size());
    for (std::size_t i = 0; i < frameGroups.size(); ++i) {
        const bool replaced = std::find(childGroups.begin(), childGroups.end(), frameGroups[i]) != childGroups.end();
        if (!replaced) {
            bar.push_back(MenuSlot{frameGroups[i], false, static_cast<int>(i)});
        }
    }
    for (std::size_t i = 0; i < childGroups.size(); ++i) {
        bar.push_back(MenuSlot{childGroups[i], true, static_cast<int>(i)});
    }
    std::stable_sort(bar.begin(), bar.end(), [](const MenuSlot& a, const MenuSlot& b) { return a.group < b.group; });
    return bar;
}

}  // namespace core
