#include "core/ScrollMatch.h"

#include <algorithm>
#include <cstring>

namespace core {

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;

std::uint64_t Mix(std::uint64_t h, std::uint64_t word)
{
    h ^= word;
    h *= kMultiplier;
    return h ^ (h >> 29);
}

std::uint64_t Load64(const std::uint32_t* p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Four independent lanes keep the multiplier busy; the row's width goes in last.
std::uint64_t HashRow(const std::uint32_t* row, std::int32_t width)
{
    std::uint64_t a = 0x243F6A8885A308D3ull, b = 0x13198A2E03707344ull, c = 0xA4093822299F31D0ull,
                  d = 0x082EFA98EC4E6C89ull;
    const std::int32_t blocks = width / 8 * 8;
    std::int32_t x = 0;
    for (; x < blocks; x += 8) {
        a = Mix(a, Load64(row + x));
        b = Mix(b, Load64(row + x + 2));
        c = Mix(c, Load64(row + x + 4));
        d = Mix(d, Load64(row + x + 6));
    }
    for (; x < width; ++x)
        a = Mix(a, row[x]);
    return Mix(Mix(Mix(Mix(a, b), c), d), static_cast<std::uint64_t>(width));
}

bool RowsEqual(const PixelView& a, std::int32_t ya, const PixelView& b, std::int32_t yb)
{
    return a.width <= 0 || std::memcmp(a.Row(ya), b.Row(yb), static_cast<size_t>(a.width) * sizeof(std::uint32_t)) == 0;
}

struct Comparison {
    bool alike = false;
    std::int32_t same = 0;  // rows exactly the same
    // The first and the last row that differ; -1 when none does.
    std::int32_t firstChanged = -1, lastChanged = -1;
};

// Whether next's rows [from, to) are alike previous's rows `shift` further down: every row the
// same, or the rows that differ within kCaretHeight of each other and their changed pixels
// within kCaretWidth columns of a grab at least kCaretRoom wide (in a narrower one a caret
// could be anything). First by the hashes (no hashes: by the pixels alone), then pixel by pixel.
Comparison CompareShifted(const HashedGrab& previous, const HashedGrab& next, std::int32_t shift, std::int32_t from,
                          std::int32_t to)
{
    const bool hashed = !previous.hashes.empty() && !next.hashes.empty();
    const bool caretRoom = next.view.width >= kCaretRoom;
    if (hashed) {
        std::int32_t firstChanged = -1;
        for (std::int32_t y = from; y < to; ++y) {
            if (next.hashes[static_cast<size_t>(y)] == previous.hashes[static_cast<size_t>(y + shift)]) continue;
            if (!caretRoom) return {};
            if (firstChanged < 0) {
                firstChanged = y;
            } else if (y - firstChanged >= kCaretHeight) {
                return {};
            }
        }
    }
    const PixelView& p = previous.view;
    const PixelView& n = next.view;
    Comparison c;
    std::int32_t left = n.width, right = -1;
    for (std::int32_t y = from; y < to; ++y) {
        const bool sameHash =
            !hashed || next.hashes[static_cast<size_t>(y)] == previous.hashes[static_cast<size_t>(y + shift)];
        if (sameHash && RowsEqual(n, y, p, y + shift)) {
            ++c.same;
            continue;
        }
        if (!caretRoom) return {};
        if (c.firstChanged < 0) {
            c.firstChanged = y;
        } else if (y - c.firstChanged >= kCaretHeight) {
            return {};
        }
        c.lastChanged = y;
        const std::uint32_t* a = n.Row(y);
        const std::uint32_t* b = p.Row(y + shift);
        std::int32_t x0 = 0, x1 = n.width - 1;
        while (a[x0] == b[x0])
            ++x0;
        while (a[x1] == b[x1])
            --x1;
        left = std::min(left, x0);
        right = std::max(right, x1);
        if (right - left >= kCaretWidth) return {};
    }
    c.alike = true;
    return c;
}

// Whether next's row y is exactly previous's row `shift` further down.
bool SameShifted(const HashedGrab& previous, const HashedGrab& next, std::int32_t shift, std::int32_t y)
{
    return next.hashes[static_cast<size_t>(y)] == previous.hashes[static_cast<size_t>(y + shift)] &&
           RowsEqual(next.view, y, previous.view, y + shift);
}

// Whether rows [from, to) of a grab, leaving out [skipFrom, skipTo], are not all one row.
bool Varied(const HashedGrab& grab, std::int32_t from, std::int32_t to, std::int32_t skipFrom, std::int32_t skipTo)
{
    bool haveSample = false;
    std::uint64_t sample = 0;
    for (std::int32_t y = from; y < to; ++y) {
        if (y >= skipFrom && y <= skipTo) continue;
        const std::uint64_t h = grab.hashes[static_cast<size_t>(y)];
        if (haveSample && h != sample) return true;
        haveSample = true;
        sample = h;
    }
    return false;
}

// The rows alike in the same place at the top and at the bottom; only called when some row
// differs, so the two never meet.
Bands BandsInPlace(const HashedGrab& previous, const HashedGrab& next)
{
    const std::int32_t height = next.view.height;
    auto same = [&](std::int32_t y) {
        return next.hashes[static_cast<size_t>(y)] == previous.hashes[static_cast<size_t>(y)] &&
               RowsEqual(next.view, y, previous.view, y);
    };
    Bands bands;
    while (bands.top < height && same(bands.top))
        ++bands.top;
    while (bands.bottom < height - bands.top && same(height - 1 - bands.bottom))
        ++bands.bottom;
    return bands;
}

// The fewest rows two grabs of `height` rows must have in common for a move to be told.
std::int32_t LeastOverlap(std::int32_t height) { return std::max(kMinOverlap, height / 4); }

// The distances 1..longest, nearest the expected one first.
template <class Try>
void ForEachDistance(std::int32_t expected, std::int32_t longest, Try&& attempt)
{
    const std::int32_t centre = std::clamp(expected, 1, std::max(longest, 1));
    for (std::int32_t k = 0; centre - k >= 1 || centre + k <= longest; ++k) {
        if (centre + k <= longest && !attempt(centre + k)) return;
        if (k > 0 && centre - k >= 1 && !attempt(centre - k)) return;
    }
}

// Whether a move would not show in two grabs alike: some distance at which the grab matches
// itself within the bands.
bool MoveCouldHide(const HashedGrab& grab, std::int32_t expected, Bands known)
{
    const std::int32_t height = grab.view.height;
    const std::int32_t least = LeastOverlap(height);
    const std::int32_t longest = height - known.top - known.bottom - least;
    bool hidden = false;
    ForEachDistance(expected, longest, [&](std::int32_t d) {
        const Comparison c = CompareShifted(grab, grab, d, known.top, height - known.bottom - d);
        hidden = c.alike && c.same >= least;
        return !hidden;
    });
    return hidden;
}

}  // namespace

void HashRows(const PixelView& grab, std::span<std::uint64_t> hashes)
{
    const std::int32_t rows = std::min<std::int32_t>(grab.height, static_cast<std::int32_t>(hashes.size()));
    for (std::int32_t y = 0; y < rows; ++y)
        hashes[static_cast<size_t>(y)] = HashRow(grab.Row(y), grab.width);
}

bool GrabsAlike(const PixelView& a, const PixelView& b)
{
    if (a.width != b.width || a.height != b.height) return false;
    return CompareShifted({a, {}}, {b, {}}, 0, 0, a.height).alike;
}

StepMatch MatchStep(const HashedGrab& previous, const HashedGrab& next, std::int32_t expected, Bands known)
{
    const PixelView& p = previous.view;
    const PixelView& n = next.view;
    if (p.width != n.width || p.height != n.height || previous.hashes.size() < static_cast<size_t>(p.height) ||
        next.hashes.size() < static_cast<size_t>(n.height)) {
        return {Move::Changed, 0, {}};
    }
    const std::int32_t height = n.height;
    if (CompareShifted(previous, next, 0, 0, height).alike) {
        return {MoveCouldHide(previous, expected, known) ? Move::Repeated : Move::Still, 0, {}};
    }
    // Rows alike in place may be content that looks the same there as well: each distance
    // takes as content every row next to the changed ones that the move explains too.
    const Bands inPlace = BandsInPlace(previous, next);
    const std::int32_t least = LeastOverlap(height);
    const std::int32_t longest = std::min(height - inPlace.top - inPlace.bottom - 1, height - least);
    std::int32_t found = 0;
    StepMatch moved{Move::Moved, 0, {}};
    bool vague = false;
    ForEachDistance(expected, longest, [&](std::int32_t d) {
        const std::int32_t from = inPlace.top, to = height - inPlace.bottom - d;
        const Comparison c = CompareShifted(previous, next, d, from, to);
        if (!c.alike) return true;
        std::int32_t top = from, end = to;
        while (top > 0 && SameShifted(previous, next, d, top - 1))
            --top;
        while (end < height - d && SameShifted(previous, next, d, end))
            ++end;
        if (c.same + (from - top) + (end - to) < least) return true;
        vague = vague || !Varied(next, top, end, c.firstChanged, c.lastChanged);
        moved.distance = d;
        moved.bands = {top, height - end - d};
        return ++found < 2 && !vague;
    });
    if (found == 1 && !vague) return moved;
    // Which refusal it is only tells the user why.
    if (found > 0 || MoveCouldHide(next, expected, {})) return {Move::Repeated, 0, {}};
    return {Move::Changed, 0, {}};
}

}  // namespace core
