#include "win32/ClipboardPicture.h"

#include <shellapi.h>

#include <cstdint>
#include <span>
#include <vector>

#include "core/AppError.h"
#include "core/DibFile.h"
#include "core/OpenReport.h"
#include "win32/DelayedClipboard.h"
#include "win32/ImageDecoder.h"

namespace win {
namespace {

UINT PngFormat() noexcept { return ::RegisterClipboardFormatW(L"PNG"); }

// A global block's bytes while it is locked.
class LockedBlock {
public:
    explicit LockedBlock(HANDLE block) noexcept
        : block_(block), data_(block ? static_cast<const std::uint8_t*>(::GlobalLock(block)) : nullptr)
    {
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    ~LockedBlock()
    {
        if (data_) ::GlobalUnlock(block_);
    }
    std::span<const std::uint8_t> Bytes() const noexcept
    {
        return data_ ? std::span(data_, ::GlobalSize(block_)) : std::span<const std::uint8_t>();
    }

private:
    HANDLE block_;
    const std::uint8_t* data_;
};

// A DIB made a BMP file for the decoders.
std::unique_ptr<Picture> DecodeDib(std::span<const std::uint8_t> dib)
{
    const auto header = core::BmpFileHeader(dib);
    if (!header) throw core::AppError(core::kNotAPicture);
    std::vector<std::uint8_t> file(header->begin(), header->end());
    file.insert(file.end(), dib.begin(), dib.end());
    return DecodePictureBytes(file);
}

}  // namespace

bool ClipboardHasPicture() noexcept
{
    const UINT png = PngFormat();
    return (png && ::IsClipboardFormatAvailable(png)) || ::IsClipboardFormatAvailable(CF_DIBV5) ||
           ::IsClipboardFormatAvailable(CF_DIB) || ::IsClipboardFormatAvailable(CF_BITMAP) ||
           ::IsClipboardFormatAvailable(CF_HDROP);
}

ClipboardContent ReadClipboardPicture(HWND owner)
{
    ClipboardSession clipboard(owner);
    if (!clipboard) throw core::AppError(kClipboardBusy);
    ClipboardContent content;
    const UINT png = PngFormat();
    if (png && ::IsClipboardFormatAvailable(png)) {
        const LockedBlock block(::GetClipboardData(png));
        if (block.Bytes().empty()) throw core::AppError(core::kNotAPicture);
        content.picture = DecodePictureBytes(block.Bytes());
    } else if (::IsClipboardFormatAvailable(CF_DIBV5) || ::IsClipboardFormatAvailable(CF_DIB)) {
        const LockedBlock block(::GetClipboardData(::IsClipboardFormatAvailable(CF_DIBV5) ? CF_DIBV5 : CF_DIB));
        content.picture = DecodeDib(block.Bytes());
    } else if (::IsClipboardFormatAvailable(CF_BITMAP)) {
        const auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
        if (!bitmap) throw core::AppError(core::kNotAPicture);
        content.picture = PictureOfBitmap(bitmap);
    } else if (::IsClipboardFormatAvailable(CF_HDROP)) {
        content.files = DroppedFiles(static_cast<HDROP>(::GetClipboardData(CF_HDROP)));
    }
    return content;
}

std::vector<std::wstring> DroppedFiles(HDROP drop)
{
    std::vector<std::wstring> files;
    if (!drop) return files;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(::DragQueryFileW(drop, i, nullptr, 0), L'\0');
        if (name.empty()) continue;
        ::DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
        files.push_back(std::move(name));
    }
    return files;
}

}  // namespace win
