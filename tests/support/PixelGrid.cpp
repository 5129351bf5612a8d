#include "PixelGrid.h"

#include <algorithm>

namespace testsupport {

using core::FrameRing;
using core::FrameStrips;
using core::Intersect;
using core::Point;
using core::Rect;

PixelGrid::PixelGrid(std::int32_t width, std::int32_t height, std::uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill)
{
}

void PixelGrid::InvertFrame(Point a, Point b)
{
    const Rect picture{0, 0, width_, height_};
    const FrameStrips ring = FrameRing(a, b);
    for (int i = 0; i < ring.count; ++i) {
        const Rect strip = Intersect(ring.strips[i], picture);
        for (std::int32_t y = strip.top; y < strip.bottom; ++y) {
            for (std::int32_t x = strip.left; x < strip.right; ++x) {
                std::uint32_t& pixel = At(x, y);
                pixel = ~pixel;
            }
        }
    }
}

}  // namespace testsupport
