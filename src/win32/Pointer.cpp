#include "win32/Pointer.h"

#include "core/PointerPlace.h"
#include "win32/Handles.h"

namespace win {

void DrawPointer(HDC picture, core::ScreenRect grabbed)
{
    CURSORINFO pointer{sizeof(pointer)};
    if (!::GetCursorInfo(&pointer) || !(pointer.flags & CURSOR_SHOWING) || !pointer.hCursor) return;
    ICONINFO icon{};
    if (!::GetIconInfo(pointer.hCursor, &icon)) return;
    // GetIconInfo makes both bitmaps for the caller.
    const OwnedBitmap mask(icon.hbmMask), colour(icon.hbmColor);
    BITMAP bitmap{};
    if (!::GetObjectW(mask.get(), sizeof(bitmap), &bitmap)) return;
    // A pointer without colour keeps its two masks one above the other.
    const int width = bitmap.bmWidth, height = colour ? bitmap.bmHeight : bitmap.bmHeight / 2;
    const core::PointerPlace place = core::PlacePointer(
        grabbed, {pointer.ptScreenPos.x, pointer.ptScreenPos.y},
        {static_cast<std::int32_t>(icon.xHotspot), static_cast<std::int32_t>(icon.yHotspot)}, width, height);
    if (place.shown.Empty()) return;
    const SavedDCState saved(picture);
    if (!saved) return;  // the clip would stay on the picture
    ::IntersectClipRect(picture, place.shown.left, place.shown.top, place.shown.right, place.shown.bottom);
    ::DrawIconEx(picture, place.image.left, place.image.top, pointer.hCursor, width, height, 0, nullptr, DI_NORMAL);
}

}  // namespace win
