#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/Opaque.h"

namespace {

TEST(OverWhite, LaysEachChannelOverWhiteByItsAlpha)
{
    const struct {
        std::uint32_t in, out;
    } cases[] = {
        {0xFF123456, 0xFF123456},  // opaque: as it is
        {0x00123456, 0xFFFFFFFF},  // transparent: white
        {0x80000000, 0xFF7F7F7F},  // (0 * 128 + 255 * 127) / 255 = 127
        {0x80FF0000, 0xFFFF7F7F},
        {0x01000000, 0xFFFEFEFE},
        {0xFE000000, 0xFF010101},
        {0x40204080, 0xFFC7CFDF},  // 32 * 64 / 255 + 191 = 199.0; 64: 207.1; 128: 223.1
        {0x00000000, 0xFFFFFFFF},
        {0x7F00FF00, 0xFF80FF80},  // (0 * 127 + 255 * 128) / 255 = 128
    };
    for (const auto& c : cases) EXPECT_EQ(core::OverWhite(c.in), c.out) << std::hex << c.in;
}

TEST(ComposeOverWhite, ReachesEveryPixelOfTheViewAndNoneBesideIt)
{
    for (const auto& [width, height] : {std::pair{0, 0}, {1, 1}, {3, 5}, {4, 0}}) {
        const std::int32_t stride = width + 2;  // a gap after each row that must stay
        std::vector<std::uint32_t> pixels(static_cast<size_t>(stride) * static_cast<size_t>(std::max(height, 1)), 0x00000000);
        core::ComposeOverWhite({pixels.data(), width, height, stride});
        for (std::int32_t y = 0; y < std::max(height, 1); ++y)
            for (std::int32_t x = 0; x < stride; ++x) {
                const bool inside = x < width && y < height;
                EXPECT_EQ(pixels[static_cast<size_t>(y * stride + x)], inside ? 0xFFFFFFFFu : 0u)
                    << width << "x" << height << " at " << x << "," << y;
            }
    }
}

TEST(ComposeOverWhite, LeavesOpaquePixelsAsTheyAre)
{
    std::vector<std::uint32_t> pixels{0xFF000000, 0x00000000, 0xFFABCDEF, 0x80FFFFFF, 0xFEFFFFFF};
    core::ComposeOverWhite({pixels.data(), 5, 1, 5});
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0xFF000000, 0xFFFFFFFF, 0xFFABCDEF, 0xFFFFFFFF, 0xFFFFFFFF}));
}

}  // namespace
