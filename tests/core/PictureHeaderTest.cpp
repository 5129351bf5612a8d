#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/PictureHeader.h"

using core::ClaimedSize;
using core::SizeVerdict;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes PngHead(std::uint32_t w, std::uint32_t h)
{
    Bytes b{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (std::uint32_t v : {w, h})
        for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<std::uint8_t>(v >> s));
    return b;
}

void Le(Bytes& b, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

Bytes BmpHead(std::uint32_t header, std::int32_t w, std::int32_t h)
{
    Bytes b{'B', 'M'};
    Le(b, 0, 4);
    Le(b, 0, 4);
    Le(b, 0, 4);
    Le(b, header, 4);
    if (header == 12) {
        Le(b, static_cast<std::uint32_t>(w), 2);
        Le(b, static_cast<std::uint32_t>(h), 2);
    } else {
        Le(b, static_cast<std::uint32_t>(w), 4);
        Le(b, static_cast<std::uint32_t>(h), 4);
    }
    return b;
}

Bytes JpegHead(std::uint16_t w, std::uint16_t h, std::uint8_t frameMarker = 0xC0)
{
    Bytes b{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
    b.insert(b.end(), {0xFF, 0xC4, 0, 4, 0, 0});  // a table before the frame header
    b.insert(b.end(), {0xFF, frameMarker, 0, 17, 8, static_cast<std::uint8_t>(h >> 8), static_cast<std::uint8_t>(h),
                       static_cast<std::uint8_t>(w >> 8), static_cast<std::uint8_t>(w), 3});
    return b;
}

Bytes TiffHead(bool little, std::uint32_t w, std::uint32_t h, std::uint16_t widthType, bool otherTagFirst = true)
{
    Bytes b;
    const auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.push_back(static_cast<std::uint8_t>(little ? v >> (8 * i) : v >> (8 * (bytes - 1 - i))));
    };
    b = little ? Bytes{'I', 'I', 42, 0} : Bytes{'M', 'M', 0, 42};
    put(8, 4);
    put(otherTagFirst ? 3 : 2, 2);
    if (otherTagFirst) put(254, 2), put(4, 2), put(1, 4), put(0, 4);
    put(256, 2), put(widthType, 2), put(1, 4);
    if (widthType == 3) put(w, 2), put(0, 2); else put(w, 4);
    put(257, 2), put(4, 2), put(1, 4), put(h, 4);
    return b;
}

Bytes IcoHead(std::initializer_list<std::pair<std::uint8_t, std::uint8_t>> entries)
{
    Bytes b{0, 0, 1, 0, static_cast<std::uint8_t>(entries.size()), 0};
    for (const auto& [w, h] : entries) {
        b.insert(b.end(), {w, h, 0, 0, 1, 0, 32, 0});
        Le(b, 0, 4);
        Le(b, 0, 4);
    }
    return b;
}

TEST(ClaimedPictureSize, ReadsTheSizeFromTheHeaderOfEachKnownFormat)
{
    const struct {
        const char* name;
        Bytes head;
        ClaimedSize size;
    } cases[] = {
        {"PNG", PngHead(3840, 2160), {3840, 2160}},
        {"PNG past the limit", PngHead(40000, 1), {40000, 1}},
        {"BMP info header", BmpHead(40, 640, 480), {640, 480}},
        {"BMP from the top", BmpHead(124, 7, -9), {7, 9}},
        {"BMP core header", BmpHead(12, 33, 44), {33, 44}},
        {"GIF", Bytes{'G', 'I', 'F', '8', '9', 'a', 0x10, 0x27, 0x01, 0x00}, {10000, 1}},
        {"JPEG baseline", JpegHead(1920, 1080), {1920, 1080}},
        {"JPEG progressive", JpegHead(65535, 3, 0xC2), {65535, 3}},
        {"TIFF little-endian", TiffHead(true, 500, 70000, 4), {500, 70000}},
        {"TIFF big-endian, width as SHORT", TiffHead(false, 321, 123, 3), {321, 123}},
        {"TIFF with its width the first entry", TiffHead(true, 77, 66, 4, false), {77, 66}},
        {"ICO, largest entry, 0 for 256", IcoHead({{16, 16}, {0, 0}, {48, 48}}), {256, 256}},
    };
    for (const auto& c : cases) {
        const std::optional<ClaimedSize> size = core::ClaimedPictureSize(c.head);
        ASSERT_TRUE(size.has_value()) << c.name;
        EXPECT_EQ(*size, c.size) << c.name;
    }
}

TEST(ClaimedPictureSize, ClaimsNothingForOtherBytesOrAHeaderCutShort)
{
    const Bytes png = PngHead(10, 10), jpeg = JpegHead(10, 10), tiff = TiffHead(true, 5, 5, 4), bmp = BmpHead(40, 1, 1);
    const struct {
        const char* name;
        Bytes head;
    } cases[] = {
        {"nothing", {}},
        {"text", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}},
        {"PNG cut", Bytes(png.begin(), png.end() - 1)},
        {"JPEG cut in its frame header", Bytes(jpeg.begin(), jpeg.end() - 2)},
        {"JPEG scan before any frame", Bytes{0xFF, 0xD8, 0xFF, 0xDA, 0, 2}},
        {"JPEG with no marker", Bytes{0xFF, 0xD8, 0x12, 0x34, 0, 0}},
        {"TIFF cut in its directory", Bytes(tiff.begin(), tiff.end() - 1)},
        {"TIFF directory past the bytes", Bytes{'I', 'I', 42, 0, 0xFF, 0xFF, 0, 0}},
        {"BMP cut", Bytes(bmp.begin(), bmp.begin() + 20)},
        {"BMP of an unknown header", BmpHead(20, 1, 1)},
        {"ICO without entries", Bytes{0, 0, 1, 0, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_FALSE(core::ClaimedPictureSize(c.head).has_value()) << c.name;
}

TEST(JudgePictureSize, TakesUpTo32767ASideAndOneGibibyteOfPixels)
{
    const struct {
        std::uint64_t width, height;
        SizeVerdict verdict;
    } cases[] = {
        {1, 1, SizeVerdict::Fits},
        {32767, 1, SizeVerdict::Fits},
        {32768, 1, SizeVerdict::SideTooLong},
        {1, 32768, SizeVerdict::SideTooLong},
        {16384, 16384, SizeVerdict::Fits},  // exactly 1 GiB
        {16384, 16385, SizeVerdict::TooManyPixels},
        {32767, 32767, SizeVerdict::TooManyPixels},
        {0, 5, SizeVerdict::Empty},
        {5, 0, SizeVerdict::Empty},
        {std::uint64_t{1} << 40, std::uint64_t{1} << 40, SizeVerdict::SideTooLong},  // no overflow
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::JudgePictureSize(c.width, c.height), c.verdict) << c.width << " x " << c.height;
}

}  // namespace
