#include "win32/PngFile.h"

#include <string_view>

#include "win32/ErrorReport.h"
#include "win32/FolderFiles.h"
#include "win32/ImageDecoder.h"
#include "win32/PngBlock.h"

namespace win {

void WritePngFile(const Snapshot& pixels, const std::wstring& path)
{
    const OwnedGlobal block = pixels.RenderPng();
    if (!block) throw SaveError(path, ERROR_NOT_ENOUGH_MEMORY);
    const void* bytes = ::GlobalLock(block.get());
    if (!bytes) throw SaveError(path, ::GetLastError());
    const std::string_view file(static_cast<const char*>(bytes), ::GlobalSize(block.get()));
    try {
        WriteWholeFile(path, file);
    } catch (...) {
        ::GlobalUnlock(block.get());
        throw;
    }
    ::GlobalUnlock(block.get());
}

std::unique_ptr<Picture> ReadPngFile(const std::wstring& path, int width, int height) noexcept
{
    try {
        std::unique_ptr<Picture> picture = ReadPictureFile(path);
        if (picture->Width() != width || picture->Height() != height) return nullptr;
        return picture;
    } catch (...) {
        return nullptr;  // unreadable, no such picture, or no memory for it: it stays unread
    }
}

}  // namespace win
