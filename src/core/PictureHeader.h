#pragma once
// The size of a picture that comes in from outside (a file, the clipboard), judged before any
// of its pixels are read: what a file's header claims, and how large a shot may be.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace core {

struct ClaimedSize {
    std::uint32_t width;
    std::uint32_t height;
    bool operator==(const ClaimedSize&) const = default;
};

// The size the first bytes of a PNG, BMP, GIF (its logical screen), JPEG (its first frame
// header), TIFF (its first page, when that page's entry lies in the bytes) or ICO (its largest
// entry) file claim; nothing when the bytes are no such header or end before the size.
std::optional<ClaimedSize> ClaimedPictureSize(std::span<const std::uint8_t> head);

// How many of a file's first bytes ClaimedPictureSize looks at, at most.
inline constexpr std::size_t kHeaderBytes = 64 * 1024;

enum class SizeVerdict { Fits, Empty, SideTooLong, TooManyPixels };

// A shot holds at most 32767 pixels a side (what GDI draws) and 1 GiB of pixels at 4 bytes
// each; a picture of no pixel is no shot.
inline constexpr std::uint32_t kLongestSide = 32767;
inline constexpr std::uint64_t kMostPixelBytes = std::uint64_t{1} << 30;
SizeVerdict JudgePictureSize(std::uint64_t width, std::uint64_t height);

}  // namespace core
