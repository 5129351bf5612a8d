#pragma once
// Where the mouse pointer goes in a picture grabbed from the screen.
#include <cstdint>

#include "core/CaptureTarget.h"
#include "core/Geometry.h"

namespace core {

struct PointerPlace {
    Rect image;  // the pointer's whole image, in picture coordinates
    Rect shown;  // the part of it inside the picture; empty when no part is
    bool operator==(const PointerPlace&) const = default;
};

// The pointer at screen point `position`, whose image of `width` x `height` pixels has its hot
// spot at `hotSpot`, drawn into a grab of `grabbed`: the hot spot lands on the pointer's
// position, and only what lies inside the grab is shown. An empty grab or image shows nothing.
PointerPlace PlacePointer(ScreenRect grabbed, Point position, Point hotSpot, std::int32_t width, std::int32_t height);

}  // namespace core
