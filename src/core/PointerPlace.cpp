#include "core/PointerPlace.h"

#include <algorithm>
#include <limits>

namespace core {
namespace {

// Far-off positions stay within the coordinates a rectangle can hold.
std::int32_t Clamped(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

PointerPlace PlacePointer(ScreenRect grabbed, Point position, Point hotSpot, std::int32_t width, std::int32_t height)
{
    const std::int64_t left = std::int64_t{position.x} - hotSpot.x - grabbed.left;
    const std::int64_t top = std::int64_t{position.y} - hotSpot.y - grabbed.top;
    const Rect image{Clamped(left), Clamped(top), Clamped(left + std::max(width, 0)),
                     Clamped(top + std::max(height, 0))};
    const Rect picture{0, 0, std::max(grabbed.width, 0), std::max(grabbed.height, 0)};
    return {image, Intersect(image, picture)};
}

}  // namespace core
