#pragma once
// The pixels a window paints into before one copy to the screen, kept from one paint to the
// next and grown when a larger part is to be painted.
#include <windows.h>

#include <memory>

#include "core/PixelView.h"
#include "win32/Picture.h"

namespace win {

class PaintBuffer {
public:
    // Pixels for a part of width x height at the buffer's top-left; throws the system's error
    // when a larger bitmap cannot be made.
    core::PixelView Ready(HDC compatibleWith, int width, int height);
    HDC DC() const noexcept { return picture_ ? picture_->DC() : nullptr; }

private:
    std::unique_ptr<Picture> picture_;
};

}  // namespace win
