#include "core/ScreenCover.h"

#include <algorithm>
#include <utility>

namespace core {
namespace {

// The rows of [top, bottom) that no interval of `covered` takes, pushed as strips of the
// columns [left, right).
void PushGaps(std::vector<std::pair<std::int32_t, std::int32_t>> covered, std::int32_t left, std::int32_t right,
              std::int32_t top, std::int32_t bottom, std::vector<Rect>& out)
{
    std::sort(covered.begin(), covered.end());
    std::int32_t y = top;
    for (const auto& [from, to] : covered) {
        if (from > y) out.push_back({left, y, right, std::min(from, bottom)});
        y = std::max(y, to);
        if (y >= bottom) return;
    }
    if (y < bottom) out.push_back({left, y, right, bottom});
}

}  // namespace

std::vector<Rect> UncoveredParts(Rect area, const std::vector<Rect>& monitors)
{
    std::vector<Rect> parts;
    if (area.Empty()) return parts;
    // Cut the area into columns at every monitor edge; within a column each monitor covers
    // all or nothing of its width, so the gaps are runs of rows.
    std::vector<std::int32_t> cuts{area.left, area.right};
    for (const Rect& m : monitors)
        for (std::int32_t x : {m.left, m.right})
            if (x > area.left && x < area.right) cuts.push_back(x);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const std::int32_t left = cuts[i], right = cuts[i + 1];
        std::vector<std::pair<std::int32_t, std::int32_t>> covered;
        for (const Rect& m : monitors)
            if (!m.Empty() && m.left <= left && m.right >= right) covered.emplace_back(m.top, m.bottom);
        PushGaps(std::move(covered), left, right, area.top, area.bottom, parts);
    }
    for (Rect& r : parts)
        r = {r.left - area.left, r.top - area.top, r.right - area.left, r.bottom - area.top};
    return parts;
}

}  // namespace core
