#pragma once
#include <cstdint>
#include <vector>

#include "core/Geometry.h"
#include "core/Selection.h"

namespace core {

// A picture held in memory, one 32-bit value per pixel, row by row from the
// top. It inverts frames the way the shot window's bitmap does, so the
// selection's effect on pixels can be checked without a screen.
class PixelGrid : public FrameSurface {
public:
    PixelGrid(std::int32_t width, std::int32_t height, std::uint32_t fill = 0);

    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return FPixels[Index(x, y)]; }
    std::uint32_t& At(std::int32_t x, std::int32_t y) { return FPixels[Index(x, y)]; }
    const std::vector<std::uint32_t>& Pixels() const { return FPixels; }

    // Flips every bit of each ring pixel of the frame that lies in the picture.
    void InvertFrame(Point a, Point b) override;

    bool operator==(const PixelGrid& other) const
    {
        return FWidth == other.FWidth && FHeight == other.FHeight && FPixels == other.FPixels;
    }

private:
    std::size_t Index(std::int32_t x, std::int32_t y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth) + static_cast<std::size_t>(x);
    }

    std::int32_t FWidth;
    std::int32_t FHeight;
    std::vector<std::uint32_t> FPixels;
};

}  // namespace core
