#include "win32/Snapshot.h"

#include <cstdint>

#include "win32/ErrorReport.h"
#include "win32/PngBlock.h"

namespace win {

// Not a DIB section: under Wine each one takes fresh pages from the system, and faulting them
// in costs more than the copy itself, while a compatible bitmap's memory is reused.
Snapshot::Snapshot(int width, int height) : width_(width), height_(height)
{
    WindowDC screen(nullptr);
    bitmap_.reset(ThrowLastErrorIfNull(::CreateCompatibleBitmap(screen.get(), width, height)));
}

OwnedGlobal Snapshot::Render() const noexcept
{
    // A block's size is a DWORD: a larger picture has no CF_DIB form.
    const std::uint64_t bytes =
        std::uint64_t{static_cast<std::uint32_t>(width_)} * static_cast<std::uint32_t>(height_) * 4;
    if (bytes > MAXDWORD - sizeof(BITMAPINFOHEADER)) return OwnedGlobal();
    const auto imageSize = static_cast<DWORD>(bytes);
    BITMAPINFO info{};
    // A positive height: rows from the bottom, as readers of CF_DIB expect them.
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, height_, 1, 32, BI_RGB, imageSize};
    OwnedGlobal block(::GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + imageSize));
    if (!block) return block;
    auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block.get()));
    if (!header) return OwnedGlobal();
    *header = info.bmiHeader;
    auto* pixels = reinterpret_cast<std::uint32_t*>(header + 1);
    WindowDC screen(nullptr);
    const bool read = ::GetDIBits(screen.get(), bitmap_.get(), 0, static_cast<UINT>(height_), pixels, &info,
                                  DIB_RGB_COLORS) == height_;
    // The display's fourth byte is no alpha, but some readers take it for one.
    const size_t count = read ? static_cast<size_t>(width_) * static_cast<size_t>(height_) : 0;
    for (size_t i = 0; i < count; ++i)
        pixels[i] &= 0x00FFFFFFu;
    ::GlobalUnlock(block.get());
    if (!read) block.reset();
    return block;
}

OwnedGlobal Snapshot::RenderPng() const noexcept { return EncodePngBlock(bitmap_.get(), width_, height_); }

}  // namespace win
