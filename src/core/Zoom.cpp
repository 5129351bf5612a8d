#include "core/Zoom.h"

#include <algorithm>
#include <cmath>

namespace core {
namespace {

// Division rounding towards minus infinity, so that window pixels left of the picture map to
// negative picture pixels rather than to pixel 0.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int32_t Narrow(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

std::int32_t Keeping(std::int32_t pointer, std::int32_t scroll, std::int32_t from, std::int32_t to)
{
    // The pointer's pixel centre names the picture point.
    const double centre = pointer + 0.5;
    return Narrow(std::llround((centre + scroll) * to / from - centre));
}

}  // namespace

std::optional<std::int32_t> ZoomIn(std::int32_t percent)
{
    for (const std::int32_t step : kZoomSteps)
        if (step > percent) return step;
    return std::nullopt;
}

std::optional<std::int32_t> ZoomOut(std::int32_t percent)
{
    for (auto step = kZoomSteps.rbegin(); step != kZoomSteps.rend(); ++step)
        if (*step < percent) return *step;
    return std::nullopt;
}

std::int32_t FitZoom(std::int32_t pictureWidth, std::int32_t pictureHeight, std::int32_t windowWidth,
                     std::int32_t windowHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return kFullSize;
    const std::int64_t across = std::int64_t{windowWidth} * 100 / pictureWidth;
    const std::int64_t down = std::int64_t{windowHeight} * 100 / pictureHeight;
    return Narrow(std::clamp<std::int64_t>(std::min(across, down), kZoomSteps.front(), kZoomSteps.back()));
}

std::int32_t ZoomedLength(std::int32_t length, std::int32_t percent)
{
    if (length <= 0 || percent <= 0) return 0;
    return Narrow(-FloorDiv(-std::int64_t{length} * percent, 100));
}

Point WindowToPicture(Point window, Point scroll, std::int32_t percent)
{
    return {Narrow(FloorDiv((std::int64_t{window.x} + scroll.x) * 100, percent)),
            Narrow(FloorDiv((std::int64_t{window.y} + scroll.y) * 100, percent))};
}

Point PictureToWindow(Point picture, Point scroll, std::int32_t percent)
{
    return {Narrow(FloorDiv(std::int64_t{picture.x} * percent, 100) - scroll.x),
            Narrow(FloorDiv(std::int64_t{picture.y} * percent, 100) - scroll.y)};
}

Point ScrollKeeping(Point pointer, Point scroll, std::int32_t from, std::int32_t to)
{
    return {Keeping(pointer.x, scroll.x, from, to), Keeping(pointer.y, scroll.y, from, to)};
}

std::int32_t ClampScroll(std::int32_t scroll, std::int32_t content, std::int32_t window)
{
    return std::clamp(scroll, 0, std::max(0, content - window));
}

std::string ZoomText(std::int32_t percent) { return std::to_string(percent) + "%"; }

int WheelTurns::Add(int delta)
{
    if ((delta > 0) != (left_ > 0) && left_ != 0) left_ = 0;  // a turn back starts afresh
    left_ += delta;
    const int notches = left_ / kWheelNotch;
    left_ -= notches * kWheelNotch;
    return notches;
}

}  // namespace core
