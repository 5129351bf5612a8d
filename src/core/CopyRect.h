#pragma once
#include <cstdint>

#include "core/Geometry.h"

namespace core {

// The part of the picture that the copy takes: from the sum of the two
// corners and the selection's size, so the corners may come in any order.
Rect CopySourceRect(Point selStart, Point selEnd);

// The part of the source that lies inside a picture of width x height; the
// copy reads only this, and the rest of the copied bitmap stays white.
// (0, 0, 0, 0) when nothing of the source is inside.
Rect CopySourceInPicture(Rect source, std::int32_t width, std::int32_t height);

// The part of a width x height picture that a save writes: the shown selection when it has
// an area inside the picture, otherwise the whole picture. Unlike the copy, it selects nothing.
Rect SaveSourceRect(bool selected, Point selStart, Point selEnd, std::int32_t width, std::int32_t height);

}  // namespace core
