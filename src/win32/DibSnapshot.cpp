#include "win32/DibSnapshot.h"

#include "win32/ErrorReport.h"

namespace win {
namespace {

BITMAPINFOHEADER HeaderOf(int width, int height)
{
    const auto imageSize = static_cast<DWORD>(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    // A positive height: rows from the bottom, as readers of CF_DIB expect them.
    return BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, imageSize};
}

HBITMAP MakeSection(int width, int height, std::uint32_t*& bits)
{
    BITMAPINFO info{};
    info.bmiHeader = HeaderOf(width, height);
    void* memory = nullptr;
    const HBITMAP section = ThrowLastErrorIfNull(
        ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    bits = static_cast<std::uint32_t*>(memory);
    return section;
}

}  // namespace

DibSnapshot::DibSnapshot(int width, int height)
    : width_(width),
      height_(height),
      dc_(ThrowLastErrorIfNull(::CreateCompatibleDC(nullptr))),
      bitmap_(MakeSection(width, height, bits_)),
      selected_(dc_.get(), bitmap_.get())
{
}

OwnedGlobal DibSnapshot::Render() const noexcept
{
    const BITMAPINFOHEADER header = HeaderOf(width_, height_);
    OwnedGlobal block(::GlobalAlloc(GMEM_MOVEABLE, sizeof(header) + header.biSizeImage));
    if (!block) return block;
    auto* out = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block.get()));
    if (!out) return OwnedGlobal();
    *out = header;
    ::GdiFlush();  // whatever GDI still has to draw into the section lands first
    // The display's fourth byte is no alpha, but some readers take it for one.
    auto* pixels = reinterpret_cast<std::uint32_t*>(out + 1);
    const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    for (size_t i = 0; i < count; ++i)
        pixels[i] = bits_[i] & 0x00FFFFFFu;
    ::GlobalUnlock(block.get());
    return block;
}

}  // namespace win
