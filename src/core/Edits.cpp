#include "core/Edits.h"

#include <algorithm>

namespace core {

void FillRect(const PixelView& picture, Rect area, std::uint32_t colour)
{
    const Rect inside = Intersect(area, picture.Bounds());
    if (inside.Empty()) return;
    for (std::int32_t y = inside.top; y < inside.bottom; ++y) {
        std::uint32_t* row = picture.Row(y);
        std::fill(row + inside.left, row + inside.right, colour);
    }
}

Rect EditedArea(const PixelView& picture, Rect selection) { return Intersect(selection, picture.Bounds()); }

void BlackOut(const PixelView& picture, Rect selection) { FillRect(picture, selection, kBlack); }

// The sides follow the selection's own edges; those beyond the picture are simply not drawn.
void RedFrame(const PixelView& picture, Rect selection)
{
    if (selection.Empty()) return;
    const Rect s = selection;
    const std::int32_t w = kRedFrameWidth;
    const std::int32_t top = std::min(s.bottom, s.top + w), bottom = std::max(top, s.bottom - w);
    FillRect(picture, {s.left, s.top, s.right, top}, kRed);
    FillRect(picture, {s.left, bottom, s.right, s.bottom}, kRed);
    FillRect(picture, {s.left, top, std::min(s.right, s.left + w), bottom}, kRed);
    FillRect(picture, {std::max(s.left, s.right - w), top, s.right, bottom}, kRed);
}

void ApplyEdit(Edit edit, const PixelView& picture, Rect selection)
{
    MosaicRoom room = edit == Edit::Mosaic ? MosaicRoomFor(picture, selection) : MosaicRoom{};
    ApplyEdit(edit, picture, selection, room);
}

void ApplyEdit(Edit edit, const PixelView& picture, Rect selection, MosaicRoom& room) noexcept
{
    switch (edit) {
        case Edit::BlackOut: BlackOut(picture, selection); return;
        case Edit::Mosaic: Mosaic(picture, selection, room); return;
        case Edit::RedFrame: RedFrame(picture, selection); return;
    }
}

}  // namespace core
