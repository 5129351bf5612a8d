#include "core/PinZoom.h"

#include <algorithm>
#include <iterator>

namespace core {

int PinZoomAfter(int percent, int notches)
{
    const int* const first = std::begin(kPinZoomSteps);
    const int* const last = std::end(kPinZoomSteps) - 1;
    for (; notches > 0; --notches)
        percent = *std::min(std::upper_bound(first, last + 1, percent), last);
    for (; notches < 0; ++notches) {
        const int* below = std::lower_bound(first, last + 1, percent);
        percent = below == first ? *first : *(below - 1);
    }
    return std::clamp(percent, *first, *last);
}

std::int32_t PinSide(std::int32_t length, int percent)
{
    if (length <= 0) return 0;
    const std::int64_t zoomed = (std::int64_t{length} * percent + 50) / 100;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(zoomed, 1, INT32_MAX));
}

namespace {

// The start of one side: the pointer's share of the way along the old side, kept along the new.
std::int32_t Keep(std::int32_t start, std::int32_t length, std::int32_t pointer, std::int32_t newLength)
{
    if (length <= 0) return start;
    const std::int64_t into = std::clamp<std::int64_t>(std::int64_t{pointer} - start, 0, length);
    const std::int64_t anchor = start + into;
    return static_cast<std::int32_t>(anchor - (into * newLength + length / 2) / length);
}

}  // namespace

Rect ZoomAbout(Rect before, Point pointer, std::int32_t width, std::int32_t height)
{
    const std::int32_t left = Keep(before.left, before.Width(), pointer.x, width);
    const std::int32_t top = Keep(before.top, before.Height(), pointer.y, height);
    return {left, top, left + width, top + height};
}

}  // namespace core
