#pragma once
// Pixels kept for the clipboard: a bitmap in the display's format, as the copy drew it,
// written out as a CF_DIB block or a PNG file when a program asks for it.
#include <windows.h>

#include "win32/Handles.h"

namespace win {

class Snapshot {
public:
    // A width x height bitmap compatible with the screen; throws the system's error when it
    // cannot be made. Draw into it through a DC of its own before anything renders it.
    Snapshot(int width, int height);
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    ~Snapshot() = default;

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    HBITMAP Bitmap() const noexcept { return bitmap_.get(); }

    // A CF_DIB block of the pixels: a BITMAPINFOHEADER, then 32-bit rows from the bottom up.
    // Every pixel is opaque (its fourth byte 0), whatever the display left there. Nothing
    // when memory runs out or the bitmap cannot be read.
    OwnedGlobal Render() const noexcept;

    // A PNG file of the same pixels, opaque, made by the system's encoder. Nothing when
    // memory runs out or the encoder fails.
    OwnedGlobal RenderPng() const noexcept;

private:
    int width_;
    int height_;
    OwnedBitmap bitmap_;
};

}  // namespace win
