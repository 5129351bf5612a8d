#pragma once
#include <array>
#include <cstdint>

namespace core {

// A pixel position in picture (or screen) coordinates.
struct Point {
    std::int32_t x, y;
    bool operator==(const Point&) const = default;
};

// Columns left .. right - 1 and rows top .. bottom - 1: right and bottom are exclusive.
struct Rect {
    std::int32_t left, top, right, bottom;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

// The rectangle spanned by two corners in any order.
Rect NormalisedRect(Point a, Point b);

// The common part of two rectangles; (0, 0, 0, 0) when they have none.
Rect Intersect(Rect a, Rect b);

// Disjoint strips that together cover a frame's ring once each.
struct FrameStrips {
    std::array<Rect, 4> strips;
    int count;
};

// The outermost one-pixel ring of NormalisedRect(a, b), as up to four
// non-overlapping strips, so that inverting each strip once inverts every
// ring pixel exactly once (a rectangle one pixel wide or high is all ring).
// Nothing when the rectangle has no width or no height.
FrameStrips FrameRing(Point a, Point b);

}  // namespace core
