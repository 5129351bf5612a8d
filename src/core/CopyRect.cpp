#include "core/CopyRect.h"

#include <cstdlib>

namespace core {

namespace {

// Returns the smaller and, through `high`, the larger of a and b. The halving
// is exact: the dividend is twice the smaller value.
std::int32_t Span(std::int32_t a, std::int32_t b, std::int32_t& high)
{
    const std::int64_t sum = std::int64_t{a} + b;
    const std::int64_t size = std::llabs(std::int64_t{b} - a);
    const std::int64_t low = (sum - size) / 2;
    high = static_cast<std::int32_t>(sum - low);
    return static_cast<std::int32_t>(low);
}

}  // namespace

Rect CopySourceRect(Point selStart, Point selEnd)
{
    Rect r{};
    r.left = Span(selStart.x, selEnd.x, r.right);
    r.top = Span(selStart.y, selEnd.y, r.bottom);
    return r;
}

Rect CopySourceInPicture(Rect source, std::int32_t width, std::int32_t height)
{
    return Intersect(source, Rect{0, 0, width, height});
}

Rect SaveSourceRect(bool selected, Point selStart, Point selEnd, std::int32_t width, std::int32_t height)
{
    const Rect whole{0, 0, width, height};
    const Rect shown = selected ? CopySourceInPicture(CopySourceRect(selStart, selEnd), width, height) : Rect{};
    if (!shown.Empty()) return shown;
    return whole.Empty() ? Rect{} : whole;
}

}  // namespace core
