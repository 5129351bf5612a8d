#include "win32/PaintBuffer.h"

#include <algorithm>

namespace win {

core::PixelView PaintBuffer::Ready(HDC compatibleWith, int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (!picture_ || width > picture_->Width() || height > picture_->Height()) {
        const int w = std::max(width, picture_ ? picture_->Width() : 0);
        const int h = std::max(height, picture_ ? picture_->Height() : 0);
        picture_ = Picture::Create(compatibleWith, w, h);
    }
    core::PixelView all = picture_->Pixels();
    return {all.pixels, width, height, all.stride};
}

}  // namespace win
