#pragma once
// A device-independent bitmap as the clipboard holds it (CF_DIB, CF_DIBV5: a header, perhaps
// colour masks and a colour table, then the rows) made a BMP file, which the system's
// decoders read, by the 14-byte file header put before it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace core {

// The file header for a DIB of `dibSize` bytes that begins with `dib`; nothing when the bytes
// hold no header the decoders know (BITMAPINFOHEADER, V4 or V5), or end before its colour
// table or masks.
std::optional<std::array<std::uint8_t, 14>> BmpFileHeader(std::span<const std::uint8_t> dib);

}  // namespace core
