#pragma once
// Shots are opaque: a picture that comes in with transparency is laid over white.
#include <cstdint>

#include "core/PixelView.h"

namespace core {

// One pixel of straight (not premultiplied) alpha, 0xAARRGGBB, over white: each channel
// becomes (c * a + 255 * (255 - a)) / 255 rounded to the nearest, and the alpha 255. An opaque
// pixel stays as it is. (The picture's fourth byte means nothing to the program otherwise.)
std::uint32_t OverWhite(std::uint32_t pixel);

// Every pixel of the picture, as read with straight alpha, over white. Only pixels that are
// not opaque are written: a picture without transparency is only read.
void ComposeOverWhite(const PixelView& picture);

}  // namespace core
