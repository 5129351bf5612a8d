#pragma once
// Picture files made by the tests themselves: by the system's encoders, or byte by byte where
// none exists (ICO) or where the file must lie (a header that claims too much).
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace wintest {

// Pixels as 0xAARRGGBB (straight alpha), rows from the top.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> values;
};
// A frame of one colour, and one of the tests' pattern.
Frame FlatFrame(int width, int height, std::uint32_t colour);
Frame PatternFrame(int width, int height);

// The bytes of a file of the container (GUID_ContainerFormatPng, ...Jpeg, ...Bmp, ...Tiff,
// ...Gif) holding the frames, made by the system's encoder: 32-bit with alpha for PNG and
// TIFF when `alpha`, else 24-bit; GIF with each frame's colours as its palette (at most 256).
std::vector<char> EncodedFile(const GUID& container, const std::vector<Frame>& frames, bool alpha = false);

// An icon file with one 32-bit image of each frame, written by hand.
std::vector<char> IconFile(const std::vector<Frame>& frames);

// The first bytes of a PNG whose header claims width x height, and nothing after.
std::vector<char> PngHeaderOnly(std::uint32_t width, std::uint32_t height);
// The same for a BMP, with a header of 40 bytes.
std::vector<char> BmpHeaderOnly(std::int32_t width, std::int32_t height);

}  // namespace wintest
