#pragma once
// The smooth-edged shapes marks are made of, in target pixel coordinates (a pixel (x, y) is
// the square from (x, y) to (x + 1, y + 1)). Each changes only the pixels inside `clip`, which
// the caller has cut to the target.
#include <cstdint>

#include "core/Geometry.h"
#include "core/PixelView.h"

namespace core::raster {

struct Spot {
    double x, y;
};

// How a covered pixel changes: laid over with the colour, or multiplied by it (a highlighter).
struct Paint {
    std::uint32_t colour;
    bool multiply = false;
};

// `pixel` with `paint` applied at `alpha` of 255.
std::uint32_t Painted(std::uint32_t pixel, Paint paint, std::uint32_t alpha);

// The union of up to two convex polygons (corners in either order), each pixel taking the
// larger of its coverages.
struct Convex {
    Spot corners[4];
    int count;
};
void FillConvex(const PixelView& target, Rect clip, const Convex* shapes, int shapeCount, Paint paint);

void FillDisc(const PixelView& target, Rect clip, Spot centre, double radius, Paint paint);

// The area of `outer` outside `inner` (which lies inside it, or has no width), exactly as
// much of each pixel as it covers.
struct Box {
    double left, top, right, bottom;
};
void FillRing(const PixelView& target, Rect clip, Box outer, Box inner, Paint paint);

}  // namespace core::raster
