#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Geometry.h"

namespace core {

// The status-bar read-out: the pointer's position and the size of the
// selection (or of the frame being dragged), e.g. "X : 4 Y : 30 W : 6 H : 10".
std::string ReadOutText(Point pointer, Point selStart, Point selEnd);

// The caption of the copy command and the hint of the copy tool button.
std::string_view CopyCaption(bool selected);

// The title of a shot window, e.g. "Shot:1".
std::string ShotCaption(std::int32_t number);

}  // namespace core
