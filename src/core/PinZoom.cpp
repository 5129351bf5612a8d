#include "core/PinZoom.h"

#include <algorithm>
#include <span>

namespace core {

int PinZoomAfter(int percent, int notches)
{
    const std::span<const int> steps(kPinZoomSteps);
    for (; notches > 0; --notches) {
        const auto above = std::upper_bound(steps.begin(), steps.end(), percent);
        percent = above == steps.end() ? steps.back() : *above;
    }
    for (; notches < 0; ++notches) {
        const auto below = std::lower_bound(steps.begin(), steps.end(), percent);
        percent = below == steps.begin() ? steps.front() : *(below - 1);
    }
    return std::clamp(percent, steps.front(), steps.back());
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
