#include "PixelGrid.h"

#include <algorithm>

namespace core {

PixelGrid::PixelGrid(std::int32_t width, std::int32_t height, std::uint32_t fill)
    : FWidth(std::max(width, 0)),
      FHeight(std::max(height, 0)),
      FPixels(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight), fill)
{
}

void PixelGrid::InvertFrame(Point a, Point b)
{
    const Rect picture{0, 0, FWidth, FHeight};
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

}  // namespace core
