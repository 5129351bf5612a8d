#pragma once
// Putting a part of a picture on the clipboard: a snapshot of its pixels, offered there and
// written out when a program asks for it.
#include <windows.h>

#include "core/Geometry.h"
#include "win32/DelayedClipboard.h"
#include "win32/Picture.h"

namespace win {

// Copies `source` (picture coordinates, not empty) to the clipboard, kept by `owner` until a
// program asks for it (see OfferOnClipboard). The selection frame that stands on the
// source's outer ring is inverted back, so the copy carries the picture's own pixels; parts
// of the source outside the picture are white. The pixels are taken now: what the picture
// shows later does not change the copy.
// Errors: the clipboard held by another program, or no memory for the snapshot.
void CopyPictureToClipboard(const Picture& picture, core::Rect source, HWND owner);

}  // namespace win
