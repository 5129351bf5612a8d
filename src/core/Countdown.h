#pragma once
// The countdown of a delayed capture: the figure it shows, and its leaving the screen just
// before the grab so that it is never in the picture.
#include <cstdint>

namespace core {

// The countdown leaves the screen this long before the grab, so that what lay beneath it has
// been drawn again by then.
inline constexpr std::int64_t kCountdownHideAheadMs = 150;

// The seconds shown with `remainingMs` to go, rounded up: "1" stands until the end; never below 0.
std::int32_t SecondsLeft(std::int64_t remainingMs);

// Whether the countdown is still on the screen.
bool CountdownShows(std::int64_t remainingMs);

// How long until the countdown must change (its figure, or leaving the screen); 0 once it has left.
std::int64_t NextCountdownChange(std::int64_t remainingMs);

}  // namespace core
