#include "core/Countdown.h"

#include <algorithm>

namespace core {

std::int32_t SecondsLeft(std::int64_t remainingMs)
{
    return remainingMs <= 0 ? 0 : static_cast<std::int32_t>((remainingMs + 999) / 1000);
}

bool CountdownShows(std::int64_t remainingMs) { return remainingMs > kCountdownHideAheadMs; }

std::int64_t NextCountdownChange(std::int64_t remainingMs)
{
    if (!CountdownShows(remainingMs)) return 0;
    const std::int64_t toNextFigure = remainingMs - (SecondsLeft(remainingMs) - 1) * std::int64_t{1000};
    return std::min(toNextFigure, remainingMs - kCountdownHideAheadMs);
}

}  // namespace core
