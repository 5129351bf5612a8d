#pragma once
// Which parts of a captured rectangle no monitor shows.
#include <vector>

#include "core/Geometry.h"

namespace core {

// The parts of `area` that none of `monitors` covers, as disjoint rectangles relative to
// the area's top-left corner (picture coordinates of a grab of `area`). Monitors may overlap
// (mirrored screens), touch or leave gaps; an empty area gives nothing.
std::vector<Rect> UncoveredParts(Rect area, const std::vector<Rect>& monitors);

}  // namespace core
