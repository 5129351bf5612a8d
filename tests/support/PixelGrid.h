#pragma once
#include <cstdint>
#include <vector>

#include "core/Geometry.h"
#include "core/Selection.h"

namespace testsupport {

// A picture held in memory, one 32-bit value per pixel, row by row from the
// top. It inverts frames the way the shot window's bitmap does, so the
// selection's effect on pixels can be checked without a screen.
class PixelGrid : public core::FrameSurface {
public:
    PixelGrid(std::int32_t width, std::int32_t height, std::uint32_t fill = 0);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return pixels_[Index(x, y)]; }
    std::uint32_t& At(std::int32_t x, std::int32_t y) { return pixels_[Index(x, y)]; }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

    // Flips every bit of each ring pixel of the frame that lies in the picture.
    void InvertFrame(core::Point a, core::Point b) override;

    bool operator==(const PixelGrid& other) const
    {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }

private:
    std::size_t Index(std::int32_t x, std::int32_t y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace testsupport
