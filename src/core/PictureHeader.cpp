#include "core/PictureHeader.h"

#include <algorithm>
#include <array>

namespace core {
namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t Le16(Bytes b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t Le32(Bytes b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint32_t Be16(Bytes b, std::size_t at) { return (b[at] << 8) | b[at + 1]; }
std::uint32_t Be32(Bytes b, std::size_t at)
{
    return (static_cast<std::uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

bool StartsWith(Bytes b, std::initializer_list<std::uint8_t> prefix)
{
    return b.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), b.begin());
}

std::optional<ClaimedSize> Png(Bytes b)
{
    if (b.size() < 24 || !StartsWith(b.subspan(12), {'I', 'H', 'D', 'R'})) return std::nullopt;
    return ClaimedSize{Be32(b, 16), Be32(b, 20)};
}

// A height below zero means rows from the top.
std::optional<ClaimedSize> Bmp(Bytes b)
{
    if (b.size() < 18) return std::nullopt;
    const std::uint32_t header = Le32(b, 14);
    if (header == 12 && b.size() >= 22) return ClaimedSize{Le16(b, 18), Le16(b, 20)};
    if (header < 40 || b.size() < 26) return std::nullopt;
    const auto width = static_cast<std::int32_t>(Le32(b, 18)), height = static_cast<std::int32_t>(Le32(b, 22));
    const auto magnitude = [](std::int32_t v) { return v < 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v); };
    return ClaimedSize{magnitude(width), magnitude(height)};
}

std::optional<ClaimedSize> Gif(Bytes b)
{
    if (b.size() < 10) return std::nullopt;
    return ClaimedSize{Le16(b, 6), Le16(b, 8)};
}

// Segments are walked by their lengths up to the first frame header (SOF0 to SOF15 but for
// DHT, JPG and DAC); the scan's data begins after SOS, and nothing claims a size there.
std::optional<ClaimedSize> Jpeg(Bytes b)
{
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (b[at] != 0xFF) return std::nullopt;
        const std::uint8_t marker = b[at + 1];
        if (marker == 0xFF) {  // fill bytes
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
            at += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return std::nullopt;
        const std::uint32_t length = Be16(b, at + 2);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > b.size()) return std::nullopt;
            return ClaimedSize{Be16(b, at + 7), Be16(b, at + 5)};
        }
        if (length < 2) return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

// The first image file directory's ImageWidth (256) and ImageLength (257), SHORT or LONG.
std::optional<ClaimedSize> Tiff(Bytes b)
{
    if (b.size() < 8) return std::nullopt;
    const bool little = b[0] == 'I';
    const auto u16 = [&](std::size_t at) { return little ? Le16(b, at) : Be16(b, at); };
    const auto u32 = [&](std::size_t at) { return little ? Le32(b, at) : Be32(b, at); };
    const std::uint64_t directory = u32(4);
    if (directory + 2 > b.size()) return std::nullopt;
    const std::uint32_t entries = u16(static_cast<std::size_t>(directory));
    std::optional<std::uint32_t> width, height;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint64_t entry = directory + 2 + std::uint64_t{i} * 12;
        if (entry + 12 > b.size()) return std::nullopt;
        const auto at = static_cast<std::size_t>(entry);
        const std::uint32_t tag = u16(at), type = u16(at + 2);
        if (tag != 256 && tag != 257) continue;
        const std::uint32_t value = type == 3 ? u16(at + 8) : type == 4 ? u32(at + 8) : 0;
        (tag == 256 ? width : height) = value;
        if (width && height) return ClaimedSize{*width, *height};
    }
    return std::nullopt;
}

// An entry's 0 stands for 256.
std::optional<ClaimedSize> Ico(Bytes b)
{
    const std::uint32_t count = Le16(b, 4);
    std::optional<ClaimedSize> largest;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 6 + std::size_t{i} * 16;
        if (at + 16 > b.size()) break;
        const ClaimedSize size{b[at] ? b[at] : 256u, b[at + 1] ? b[at + 1] : 256u};
        if (!largest || std::uint64_t{size.width} * size.height > std::uint64_t{largest->width} * largest->height)
            largest = size;
    }
    return largest;
}

}  // namespace

std::optional<ClaimedSize> ClaimedPictureSize(std::span<const std::uint8_t> head)
{
    head = head.first(std::min(head.size(), kHeaderBytes));
    if (StartsWith(head, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return Png(head);
    if (StartsWith(head, {'B', 'M'})) return Bmp(head);
    if (StartsWith(head, {'G', 'I', 'F', '8'})) return Gif(head);
    if (StartsWith(head, {0xFF, 0xD8})) return Jpeg(head);
    if (StartsWith(head, {'I', 'I', 42, 0}) || StartsWith(head, {'M', 'M', 0, 42})) return Tiff(head);
    if (StartsWith(head, {0, 0, 1, 0}) && head.size() >= 6) return Ico(head);
    return std::nullopt;
}

SizeVerdict JudgePictureSize(std::uint64_t width, std::uint64_t height)
{
    if (width == 0 || height == 0) return SizeVerdict::Empty;
    if (width > kLongestSide || height > kLongestSide) return SizeVerdict::SideTooLong;
    if (width * height * 4 > kMostPixelBytes) return SizeVerdict::TooManyPixels;
    return SizeVerdict::Fits;
}

}  // namespace core
