#include "core/ScrollPick.h"

#include <cstddef>

namespace core {

std::vector<PickArea> ScrollPickAreas(const std::vector<LaidWindow>& windows)
{
    const std::size_t count = windows.size();
    std::vector<Rect> seen(count);   // the part of each window on the screen
    std::vector<Rect> taken(count);  // what a click on that part takes
    std::vector<std::vector<std::size_t>> children(count);
    std::vector<std::size_t> tops;
    for (std::size_t i = 0; i < count; ++i) {
        const LaidWindow& w = windows[i];
        const auto parent = static_cast<std::size_t>(w.parent);
        if (w.parent >= 0 && parent < i) {
            seen[i] = Intersect(w.outer, Intersect(windows[parent].client, seen[parent]));
            taken[i] = taken[parent];
            children[parent].push_back(i);
        } else {
            seen[i] = w.outer;
            taken[i] = w.client;
            tops.push_back(i);
        }
        // A window's own client area comes after its parents': the deepest scrollable one wins.
        const Rect client = Intersect(w.client, seen[i]);
        if (w.scrollable && !client.Empty()) taken[i] = client;
    }
    // A window's children lie over it, so their areas come first.
    std::vector<PickArea> areas;
    const auto add = [&](const auto& self, std::size_t i) -> void {
        for (std::size_t c : children[i])
            self(self, c);
        if (!seen[i].Empty()) areas.push_back({seen[i], taken[i]});
    };
    for (std::size_t t : tops)
        add(add, t);
    return areas;
}

}  // namespace core
