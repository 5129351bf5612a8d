#pragma once
#include <cstddef>
#include <cstdint>

#include "core/Geometry.h"

namespace core {

// A picture's pixels as they lie in memory: 32-bit values 0x00RRGGBB (bytes B, G, R and an
// unused fourth), rows from the top, `stride` pixels from one row's start to the next.
struct PixelView {
    std::uint32_t* pixels;
    std::int32_t width;
    std::int32_t height;
    std::ptrdiff_t stride;

    std::uint32_t* Row(std::int32_t y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
    Rect Bounds() const { return {0, 0, width, height}; }
};

inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kRed = 0xFF0000;
inline constexpr std::uint32_t kNeutralGrey = 0x808080;

// Every pixel of `area` that lies in the picture becomes `colour`.
void FillRect(const PixelView& picture, Rect area, std::uint32_t colour);

}  // namespace core
