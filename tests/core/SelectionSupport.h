#pragma once
// What the selection's tests share: pictures in memory with a pattern no frame can fake, the
// picture a frame should leave, and a surface that records the frames it is handed.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "PixelGrid.h"
#include "core/Selection.h"

namespace selectiontest {

using core::Point;
using core::Selection;
using testsupport::PixelGrid;

// A picture in which every pixel differs from its neighbours, so a frame in
// the wrong place cannot look right by accident.
inline PixelGrid Pattern(std::int32_t width, std::int32_t height)
{
    PixelGrid picture(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            picture.At(x, y) = (0x9E3779B9u * static_cast<std::uint32_t>(y * 1000 + x + 1)) ^ 0x00FF00FFu;
        }
    }
    return picture;
}

// The picture as it must look: the original, with the ring of the rectangle
// spanned by the two corners inverted where it lies in the picture. Worked
// out pixel by pixel from what a ring is.
inline PixelGrid WithFrame(const PixelGrid& original, Point a, Point b)
{
    PixelGrid expected = original;
    const std::int32_t left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const std::int32_t top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    for (std::int32_t y = 0; y < original.Height(); ++y) {
        for (std::int32_t x = 0; x < original.Width(); ++x) {
            const bool inside = x >= left && x < right && y >= top && y < bottom;
            const bool onEdge = x == left || x == right - 1 || y == top || y == bottom - 1;
            if (inside && onEdge) {
                expected.At(x, y) = ~expected.At(x, y);
            }
        }
    }
    return expected;
}

// Equal pictures, or where the first difference is.
inline ::testing::AssertionResult Same(const PixelGrid& picture, const PixelGrid& expected)
{
    if (picture.Width() != expected.Width() || picture.Height() != expected.Height()) {
        return ::testing::AssertionFailure() << "pictures of different sizes";
    }
    for (std::int32_t y = 0; y < picture.Height(); ++y) {
        for (std::int32_t x = 0; x < picture.Width(); ++x) {
            if (picture.At(x, y) != expected.At(x, y)) {
                return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

inline std::string Describe(const Selection& s)
{
    return "start (" + std::to_string(s.Start().x) + ", " + std::to_string(s.Start().y) + "), end (" +
           std::to_string(s.End().x) + ", " + std::to_string(s.End().y) + "), dragging " +
           std::to_string(s.Dragging()) + ", selected " + std::to_string(s.Selected());
}

// The picture holds exactly the frame the selection's state accounts for.
inline ::testing::AssertionResult PictureMatchesState(const PixelGrid& original, const PixelGrid& picture,
                                                      const Selection& s)
{
    if (s.Dragging() && s.Selected()) {
        return ::testing::AssertionFailure() << "dragging and selected at once: " << Describe(s);
    }
    if (!s.Dragging() && !s.Selected()) {
        if (s.Start() != Point{0, 0} || s.End() != Point{0, 0}) {
            return ::testing::AssertionFailure() << "no selection but corners not 0: " << Describe(s);
        }
        if (picture != original) {
            return ::testing::AssertionFailure() << "no selection but the picture is changed: " << Describe(s);
        }
        return ::testing::AssertionSuccess();
    }
    if (picture != WithFrame(original, s.Start(), s.End())) {
        return ::testing::AssertionFailure() << "picture does not hold exactly the frame of " << Describe(s);
    }
    return ::testing::AssertionSuccess();
}

// Counts and records the frames handed to the picture.
class RecordingSurface : public core::FrameSurface {
public:
    void InvertFrame(Point a, Point b) override { calls.emplace_back(a, b); }
    std::vector<std::pair<Point, Point>> calls;
};

}  // namespace selectiontest
