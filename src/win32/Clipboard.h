#pragma once
// What a copy puts on the clipboard: a snapshot of part of a picture.
#include <windows.h>

#include "core/Geometry.h"
#include <memory>

#include "win32/Picture.h"
#include "win32/Snapshot.h"

namespace win {

// The pixels of `source` (picture coordinates, not empty) for the clipboard, taken now: what
// the picture shows later does not change them; parts of the source outside the picture are
// white. Errors: no memory for the snapshot.
std::unique_ptr<Snapshot> SnapshotOf(const Picture& picture, core::Rect source);

}  // namespace win
