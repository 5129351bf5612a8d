#pragma once
// A bitmap encoded as a PNG file in a global memory block, for the clipboard's "PNG" format.
#include <windows.h>

#include "win32/Handles.h"

namespace win {

// The width x height pixels of `bitmap` (not selected into any DC) as a PNG made by the
// system's encoder: 24-bit colour without alpha, so every pixel is opaque, the same colours
// a 32-bit GetDIBits gives. The block holds the file and nothing after it. Nothing when
// memory runs out or the encoder fails. Sets COM up on this thread while it works.
OwnedGlobal EncodePngBlock(HBITMAP bitmap, int width, int height) noexcept;

}  // namespace win
