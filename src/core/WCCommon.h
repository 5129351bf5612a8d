#pragma once
#include <cstdint>

// The capture target. Stored as one byte; values 3..255 can come from the
// registry and are kept as they are (they capture nothing).
enum CaptureMode : std::uint8_t {
    cmDesktop = 0,
    cmActiveWindow = 1,
    cmCursorWindow = 2,
};
