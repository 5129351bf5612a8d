#include "core/DibFile.h"

namespace core {
namespace {

constexpr std::uint32_t kBitFields = 3, kAlphaBitFields = 6;

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

void PutLe32(std::array<std::uint8_t, 14>& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::optional<std::array<std::uint8_t, 14>> BmpFileHeader(std::span<const std::uint8_t> dib)
{
    if (dib.size() < 40) return std::nullopt;
    const std::uint32_t header = Le32(dib, 0);
    if (header != 40 && header != 108 && header != 124) return std::nullopt;
    const std::uint32_t bits = dib[14] | (dib[15] << 8);
    const std::uint32_t compression = Le32(dib, 16);
    const std::uint32_t used = Le32(dib, 32);
    // The masks follow a plain header only; V4 and V5 hold them inside.
    std::uint64_t masks = 0;
    if (header == 40 && compression == kBitFields) masks = 12;
    if (header == 40 && compression == kAlphaBitFields) masks = 16;
    const std::uint64_t colours = used != 0 ? used : bits >= 1 && bits <= 8 ? std::uint64_t{1} << bits : 0;
    const std::uint64_t offset = 14 + std::uint64_t{header} + masks + colours * 4;
    const std::uint64_t fileSize = 14 + std::uint64_t{dib.size()};
    if (offset > fileSize || fileSize > 0xFFFFFFFFu) return std::nullopt;
    std::array<std::uint8_t, 14> out{'B', 'M'};
    PutLe32(out, 2, static_cast<std::uint32_t>(fileSize));
    PutLe32(out, 10, static_cast<std::uint32_t>(offset));
    return out;
}

}  // namespace core
