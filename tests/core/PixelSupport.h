#pragma once
// Pictures in memory for the edit tests: rows wider than the picture whose spare pixels hold a
// sentinel, so that a write past a row's end shows, and random contents.
#include <cstdint>
#include <random>
#include <vector>

#include "core/PixelView.h"

namespace edittest {

inline constexpr std::uint32_t kSentinel = 0xA5A5A5A5;
inline constexpr std::int32_t kSpare = 3;  // pixels beyond each row's end

struct TestPicture {
    std::int32_t width, height;
    std::vector<std::uint32_t> pixels;

    TestPicture(std::int32_t w, std::int32_t h)
        : width(w), height(h), pixels(static_cast<size_t>(w + kSpare) * static_cast<size_t>(h), kSentinel)
    {
    }
    core::PixelView View() { return {pixels.data(), width, height, width + kSpare}; }
    std::uint32_t& At(std::int32_t x, std::int32_t y) { return pixels[Index(x, y)]; }
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return pixels[Index(x, y)]; }
    size_t Index(std::int32_t x, std::int32_t y) const { return static_cast<size_t>(y * (width + kSpare) + x); }
    bool SparesUntouched() const
    {
        for (std::int32_t y = 0; y < height; ++y)
            for (std::int32_t x = width; x < width + kSpare; ++x)
                if (pixels[Index(x, y)] != kSentinel) return false;
        return true;
    }
};

inline TestPicture RandomPicture(std::mt19937& random, std::int32_t width, std::int32_t height)
{
    TestPicture picture(width, height);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            picture.At(x, y) = colour(random);
    return picture;
}

inline bool Inside(core::Rect r, std::int32_t x, std::int32_t y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace edittest
