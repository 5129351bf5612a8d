#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/DibFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A DIB of the header size, bits, compression and colours used, padded to `total` bytes.
Bytes Dib(std::uint32_t header, std::uint16_t bits, std::uint32_t compression, std::uint32_t used, size_t total)
{
    Bytes b(total, 0);
    const auto put = [&](size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) b[at + static_cast<size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(0, header, 4);
    put(4, 2, 4);
    put(8, 2, 4);
    put(12, 1, 2);
    put(14, bits, 2);
    put(16, compression, 4);
    put(32, used, 4);
    return b;
}

// The file's size (at 2) and where the rows start (at 10), as the BMP format puts them.
std::array<std::uint8_t, 14> Header(std::uint32_t size, std::uint32_t offset)
{
    std::array<std::uint8_t, 14> h{'B', 'M'};
    for (int i = 0; i < 4; ++i) {
        h[2 + static_cast<size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
        h[10 + static_cast<size_t>(i)] = static_cast<std::uint8_t>(offset >> (8 * i));
    }
    return h;
}

TEST(BmpFileHeader, PutsTheRowsAfterTheHeaderItsMasksAndItsColourTable)
{
    const struct {
        const char* name;
        Bytes dib;
        std::uint32_t offset;
    } cases[] = {
        {"32-bit plain", Dib(40, 32, 0, 0, 40 + 16), 14 + 40},
        {"32-bit with three masks", Dib(40, 32, 3, 0, 40 + 12 + 16), 14 + 40 + 12},
        {"32-bit with four masks", Dib(40, 32, 6, 0, 40 + 16 + 16), 14 + 40 + 16},
        {"V5 with its masks inside", Dib(124, 32, 3, 0, 124 + 16), 14 + 124},
        {"V4", Dib(108, 24, 0, 0, 108 + 16), 14 + 108},
        {"8-bit, a full table", Dib(40, 8, 0, 0, 40 + 1024 + 8), 14 + 40 + 1024},
        {"8-bit, 3 colours used", Dib(40, 8, 0, 3, 40 + 12 + 8), 14 + 40 + 12},
        {"1-bit", Dib(40, 1, 0, 0, 40 + 8 + 8), 14 + 40 + 8},
        {"24-bit with a table anyway", Dib(40, 24, 0, 2, 40 + 8 + 24), 14 + 40 + 8},
        {"8-bit, 256 colours used", Dib(40, 8, 0, 256, 40 + 1024 + 8), 14 + 40 + 1024},
        {"8-bit run-length", Dib(40, 8, 1, 0, 40 + 1024 + 8), 14 + 40 + 1024},
        {"24-bit, 65536 colours used", Dib(40, 24, 0, 0x10000, 40 + 0x40000 + 24), 14 + 40 + 0x40000},
        {"a header and nothing else", Dib(40, 32, 0, 0, 40), 14 + 40},
    };
    for (const auto& c : cases) {
        const auto header = core::BmpFileHeader(c.dib);
        ASSERT_TRUE(header.has_value()) << c.name;
        EXPECT_EQ(*header, Header(static_cast<std::uint32_t>(14 + c.dib.size()), c.offset)) << c.name;
    }
}

TEST(BmpFileHeader, RefusesAnUnknownHeaderOrATableThatRunsPastTheBlock)
{
    EXPECT_FALSE(core::BmpFileHeader(Bytes(39, 0)).has_value());
    EXPECT_FALSE(core::BmpFileHeader(Dib(12, 24, 0, 0, 64)).has_value());
    EXPECT_FALSE(core::BmpFileHeader(Dib(56, 24, 0, 0, 64)).has_value());
    EXPECT_FALSE(core::BmpFileHeader(Dib(0x80000028, 24, 0, 0, 64)).has_value());  // 40 in its low bytes
    EXPECT_FALSE(core::BmpFileHeader(Dib(40, 24, 0, 0x10000, 64)).has_value());
    EXPECT_FALSE(core::BmpFileHeader(Dib(40, 8, 0, 0, 40 + 1023)).has_value());
    EXPECT_FALSE(core::BmpFileHeader(Dib(40, 32, 0, 0xFFFFFFFF, 64)).has_value());
    EXPECT_TRUE(core::BmpFileHeader(Dib(40, 8, 0, 0, 40 + 1024)).has_value());  // the table, no rows
}

}  // namespace
