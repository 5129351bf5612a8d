#pragma once
// The edits a user makes on a selection. Each changes only pixels of the selection that lie
// in the picture, whatever part of it reaches past the edges.
#include <array>
#include <vector>

#include "core/Geometry.h"
#include "core/PixelView.h"

namespace core {

enum class Edit { BlackOut, Mosaic, RedFrame };

// The rectangle of pixels an edit of `selection` may change: the part inside the picture.
Rect EditedArea(const PixelView& picture, Rect selection);

// Every pixel becomes black.
void BlackOut(const PixelView& picture, Rect selection);

// A pure red frame, kRedFrameWidth pixels wide, along the inside of the selection's edges;
// a selection no wider or higher than two such sides is all red.
inline constexpr std::int32_t kRedFrameWidth = 3;
void RedFrame(const PixelView& picture, Rect selection);

// Flat square blocks whose colours come only from the pixels around the selection, so that
// nothing of what it hides can be read back from it (see Mosaic.cpp).
void Mosaic(const PixelView& picture, Rect selection);

// The memory a mosaic of `selection` takes, had before any pixel changes, so that a step can
// record the pixels first and then make its edit, which can no longer fail.
struct MosaicRoom {
    std::vector<std::array<double, 3>> means;  // the ring's colours, a block of a side each
};
MosaicRoom MosaicRoomFor(const PixelView& picture, Rect selection);
// With a room made for the same picture and selection (any other leaves the pixels alone).
void Mosaic(const PixelView& picture, Rect selection, MosaicRoom& room) noexcept;

void ApplyEdit(Edit edit, const PixelView& picture, Rect selection);
void ApplyEdit(Edit edit, const PixelView& picture, Rect selection, MosaicRoom& room) noexcept;

}  // namespace core
