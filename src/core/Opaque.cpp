#include "core/Opaque.h"

namespace core {

std::uint32_t OverWhite(std::uint32_t pixel)
{
    const std::uint32_t alpha = pixel >> 24;
    if (alpha == 0xFF) return pixel;
    std::uint32_t out = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t c = (pixel >> shift) & 0xFFu;
        out |= ((c * alpha + 255u * (255u - alpha) + 127u) / 255u) << shift;
    }
    return out;
}

void ComposeOverWhite(const PixelView& picture)
{
    for (std::int32_t y = 0; y < picture.height; ++y) {
        std::uint32_t* row = picture.Row(y);
        for (std::int32_t x = 0; x < picture.width; ++x)
            if (row[x] < 0xFF000000u) row[x] = OverWhite(row[x]);
    }
}

}  // namespace core
