#include "core/Geometry.h"

#include <algorithm>

namespace core {

Rect NormalisedRect(Point a, Point b)
{
    return Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Rect Intersect(Rect a, Rect b)
{
    const Rect common{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                      std::min(a.bottom, b.bottom)};
    return common.Empty() ? Rect{} : common;
}

FrameStrips FrameRing(Point a, Point b)
{
    const Rect r = NormalisedRect(a, b);
    FrameStrips ring{};
    if (r.Empty()) {
        return ring;
    }
    // A one-pixel-thin rectangle has no inside: its opposite sides would coincide.
    if (r.Width() == 1 || r.Height() == 1) {
        ring.strips[ring.count++] = r;
        return ring;
    }
    ring.strips[ring.count++] = Rect{r.left, r.top, r.right, r.top + 1};
    ring.strips[ring.count++] = Rect{r.left, r.bottom - 1, r.right, r.bottom};
    if (r.Height() > 2) {
        ring.strips[ring.count++] = Rect{r.left, r.top + 1, r.left + 1, r.bottom - 1};
        ring.strips[ring.count++] = Rect{r.right - 1, r.top + 1, r.right, r.bottom - 1};
    }
    return ring;
}

}  // namespace core
