#include "ClipboardDib.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace wintest {
namespace {

std::optional<Dib> ParseDib(const std::vector<BYTE>& block)
{
    BITMAPINFOHEADER header{};
    if (block.size() < sizeof(header)) return std::nullopt;
    std::memcpy(&header, block.data(), sizeof(header));
    Dib dib{header.biWidth, header.biHeight < 0 ? -header.biHeight : header.biHeight, header.biBitCount, {}};
    if (header.biBitCount != 32 || header.biCompression != BI_RGB) return dib;
    const size_t count = static_cast<size_t>(dib.width) * static_cast<size_t>(dib.height);
    if (block.size() < header.biSize + count * 4) return dib;
    dib.values.resize(count);
    const BYTE* rows = block.data() + header.biSize;
    for (int y = 0; y < dib.height; ++y) {
        const int stored = header.biHeight < 0 ? y : dib.height - 1 - y;  // positive heights go bottom-up
        std::memcpy(&dib.values[static_cast<size_t>(y) * dib.width], rows + static_cast<size_t>(stored) * dib.width * 4,
                    static_cast<size_t>(dib.width) * 4);
    }
    return dib;
}

}  // namespace

std::optional<std::vector<BYTE>> ClipboardBlock(UINT format)
{
    const HANDLE data = ::GetClipboardData(format);
    if (!data) return std::nullopt;
    const auto* bytes = static_cast<const BYTE*>(::GlobalLock(data));
    if (!bytes) return std::nullopt;
    std::vector<BYTE> block(bytes, bytes + ::GlobalSize(data));
    ::GlobalUnlock(data);
    return block;
}

int DumpClipboardBlock(UINT format, const char* file)
{
    if (!OpenClipboardSoon(nullptr)) return 3;
    const std::optional<std::vector<BYTE>> block = ClipboardBlock(format);
    ::CloseClipboard();
    if (!block) return 2;
    std::FILE* out = std::fopen(file, "wb");
    if (!out) return 4;
    const bool written = std::fwrite(block->data(), 1, block->size(), out) == block->size();
    return std::fclose(out) == 0 && written ? 0 : 4;
}

Pixels Dib::Colours() const
{
    Pixels p{width, height, values};
    for (auto& v : p.values)
        v &= 0x00FFFFFF;
    return p;
}

int Dib::PixelsWithFourthByte() const
{
    int count = 0;
    for (const std::uint32_t v : values)
        count += (v >> 24) != 0;
    return count;
}

std::optional<Dib> ClipboardDib()
{
    if (!OpenClipboardSoon(nullptr)) throw std::runtime_error("the clipboard cannot be opened to read it");
    const std::optional<std::vector<BYTE>> block = ClipboardBlock(CF_DIB);
    ::CloseClipboard();
    if (!block) return std::nullopt;
    return ParseDib(*block);
}

std::optional<Dib> ClipboardDibFromAnotherProcess()
{
    const std::optional<std::vector<BYTE>> block = SecondProcessOutput(kDumpDibArgument, L"pixtrove-dib");
    if (!block) return std::nullopt;  // no DIB there
    return ParseDib(*block);
}

int DumpClipboardDib(const char* file) { return DumpClipboardBlock(CF_DIB, file); }

}  // namespace wintest
