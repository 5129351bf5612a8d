#pragma once
// The tall picture of a scrolling capture, put together screen by screen from grabs of one
// rectangle: each new grab is matched with the last, and only rows whose place is sure are kept.
#include <cstdint>
#include <memory_resource>
#include <string>
#include <vector>

#include "core/PixelView.h"
#include "core/ScrollMatch.h"

namespace core {

// The tallest picture a capture makes: the longest side a picture may have.
inline constexpr std::int32_t kTallestStitch = 32767;

// Why a capture ended.
enum class ScrollStop : std::uint8_t {
    None,        // it goes on
    End,         // the content stopped moving after it had moved
    NoScroll,    // it never moved: one screen
    Repeated,    // identical rows: the move could not be told
    Changed,     // content changed beside the move
    Unsteady,    // the rectangle never held still (an animation)
    Limit,       // the picture reached kTallestStitch rows and was cut there
    UserEnded,   // Esc or a click
    WindowGone,  // the window closed or moved
};

class ScrollStitch {
public:
    // Everything the stitch keeps comes from `memory`; when it has nothing to give, the call
    // throws std::bad_alloc and the stitch is as before the call.
    explicit ScrollStitch(std::pmr::memory_resource* memory = std::pmr::get_default_resource());

    // Starts afresh with the first screen.
    void Begin(const PixelView& first);
    // Matches the next screen with the last one and keeps what it makes sure; false when the
    // capture ends here (Reason says why). `expected`: the distance the wheel should have moved.
    bool Add(const PixelView& next, std::int32_t expected);
    // Ends the capture for a reason the grabs cannot show (Esc, the window gone, no stillness).
    void End(ScrollStop why);

    ScrollStop Reason() const noexcept { return reason_; }
    // Screens kept so far, the first one included.
    std::int32_t Screens() const noexcept { return screens_; }
    // What the last move was, for the next wheel step; 0 before the first.
    std::int32_t LastDistance() const noexcept { return lastDistance_; }
    // The narrowest bands seen in a move; none before the first.
    Bands KnownBands() const noexcept { return known_; }
    // The picture as it stands: every row kept, then the rest of the last screen, at most
    // kTallestStitch rows.
    std::int32_t Width() const noexcept { return width_; }
    std::int32_t Height() const noexcept;
    // Writes the picture into `target` (Width() x Height() pixels at least).
    void CopyTo(const PixelView& target) const;

private:
    const std::uint32_t* LastRow(std::int32_t y) const { return last_.data() + static_cast<size_t>(y) * Pitch(); }
    size_t Pitch() const noexcept { return static_cast<size_t>(width_); }

    std::pmr::memory_resource* memory_;
    std::pmr::vector<std::uint32_t> kept_;        // rows whose place is sure, top first
    std::pmr::vector<std::uint32_t> last_;        // the last screen
    std::pmr::vector<std::uint64_t> lastHashes_;  // its rows' hashes
    std::int32_t width_ = 0, height_ = 0;
    std::int32_t keptRows_ = 0;
    std::int32_t taken_ = 0;  // rows of the last screen from the top that are kept
    std::int32_t screens_ = 0;
    std::int32_t lastDistance_ = 0;
    Bands known_;
    bool moved_ = false;
    ScrollStop reason_ = ScrollStop::None;
};

// The status bar's text for how a capture ended, from the screens kept and the picture's
// height. It names the screen it stopped at: the one that could not be placed, or the last
// one when the limit cut it.
std::string ScrollStopText(ScrollStop why, std::int32_t screensKept, std::int32_t height);

}  // namespace core
