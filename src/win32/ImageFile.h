#pragma once
// A part of a picture written to an image file by the system's encoders (Windows Imaging
// Component): PNG, JPEG at quality 90, or 24-bit BMP.
#include <string>

#include "core/Geometry.h"
#include "core/SaveName.h"
#include "win32/Picture.h"

namespace win {

// Writes `area` (inside the picture, not empty) of the picture to `path`, fully opaque. The file is complete or not there: an
// existing one is replaced only once the new one is written, and stays as it was on any
// failure. The picture is read a band of rows at a time. Errors carry the system's text.
void SavePicture(const Picture& picture, core::Rect area, const std::wstring& path, core::ImageFormat format);

}  // namespace win
