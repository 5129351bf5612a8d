#pragma once
// How far the content of a scrolled rectangle moved between two grabs of it, told from their
// rows alone, or why it cannot be told.
#include <cstdint>
#include <span>

#include "core/PixelView.h"

namespace core {

// A small changed area that is not content: a blinking caret. Rows of two grabs that differ
// only within one box this size still count as alike.
inline constexpr std::int32_t kCaretWidth = 4;
inline constexpr std::int32_t kCaretHeight = 64;
// The narrowest grab in which a changed area may be taken for a caret.
inline constexpr std::int32_t kCaretRoom = 16;
// The fewest rows two grabs must share for a move to be told: this many, and at least a
// quarter of the rectangle's height, so a move must stay within three quarters of it.
inline constexpr std::int32_t kMinOverlap = 8;

// One 64-bit value per row, from the row's pixels alone: rows alike give the same value, and
// rows that differ almost never do (every match of values is checked pixel by pixel).
void HashRows(const PixelView& grab, std::span<std::uint64_t> hashes);

// Rows that stay put at the top and bottom of the rectangle while the rest moves.
struct Bands {
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    bool operator==(const Bands&) const = default;
};

enum class Move : std::uint8_t {
    Moved,     // by `distance` rows, up
    Still,     // nothing moved: the end of the content
    Repeated,  // identical rows: more than one move fits, or none that says anything
    Changed,   // no move explains the new grab
};

struct StepMatch {
    Move move;
    std::int32_t distance = 0;  // Moved: rows the content went up
    Bands bands;                // Moved: the rows alike in place at the top and bottom
    bool operator==(const StepMatch&) const = default;
};

// A grab with its rows' hashes (HashRows).
struct HashedGrab {
    PixelView view;
    std::span<const std::uint64_t> hashes;
};

// Whether two grabs of one size are alike but for a caret-sized area.
bool GrabsAlike(const PixelView& a, const PixelView& b);

// Matches `next` with `previous` (the same rectangle grabbed before; the same size, else
// Changed). A move is taken only when exactly one distance makes every row that both grabs
// show alike, outside the bands, with enough rows in common (kMinOverlap) that are not all
// one row; two grabs alike are Still only when no move could hide in them, judged within
// `known` (the narrowest bands of the moves before; none at the first). `expected`, the
// distance the wheel should have moved (0: not known), orders the search and nothing else.
StepMatch MatchStep(const HashedGrab& previous, const HashedGrab& next, std::int32_t expected, Bands known);

}  // namespace core
