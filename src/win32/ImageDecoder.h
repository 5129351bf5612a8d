#pragma once
// The program's one way to decode a picture (Windows Imaging Component) into a new shot's
// picture: files opened or dropped, and what the clipboard holds. PNG, JPEG, BMP, GIF (its
// first frame), TIFF (its first page) and ICO (its largest image). Pixels with transparency
// are laid over white (core::ComposeOverWhite). A picture larger than a shot may be
// (core::JudgePictureSize) is refused before its pixels are read.
//
// A refusal throws core::AppError whose text is the reason alone, for the caller to put beside
// what it read: the system's text (with its code) for a file that cannot be read,
// core::kNotAPicture for bytes no decoder takes or that end too soon, core::kEmptyFile,
// core::kFolderNotFile, core::kPictureTooLarge.
#include <wincodec.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "win32/Picture.h"

namespace win {

// The picture of a file.
std::unique_ptr<Picture> ReadPictureFile(const std::wstring& path);

// The picture of the bytes of a whole picture file held in memory.
std::unique_ptr<Picture> DecodePictureBytes(std::span<const std::uint8_t> file);

// The picture of a bitmap (not selected into any DC), as the clipboard's CF_BITMAP gives it.
std::unique_ptr<Picture> PictureOfBitmap(HBITMAP bitmap);

}  // namespace win
