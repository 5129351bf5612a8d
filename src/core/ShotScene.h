#pragma once
// What a shot window shows, painted a part at a time into a buffer of the window's own pixels:
// the picture at its zoom (each pixel a crisp square above 100 %, averaged below), the marks
// over it, the one being drawn or moved, the selected mark's handles, the selection's frame
// (its ring of picture pixels inverted) and the face colour beyond the picture. The picture
// itself is only read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Geometry.h"
#include "core/MarkDrawing.h"
#include "core/Marks.h"
#include "core/PixelView.h"

namespace core {

struct Scene {
    PixelView picture;
    std::int32_t percent = 100;
    const std::vector<Mark>* marks = nullptr;
    std::size_t moving = SIZE_MAX;   // a mark left out where it lies: `drawn` shows it
    const Mark* drawn = nullptr;     // a mark being drawn or moved, on top
    const Mark* selected = nullptr;  // its handles are shown
    bool frame = false;              // the selection's frame stands, from frameStart to frameEnd
    Point frameStart{0, 0}, frameEnd{0, 0};
    std::uint32_t face = 0xF0F0F0;
};

// The side of a handle in window pixels.
inline constexpr std::int32_t kHandleSide = 7;

// The picture at `percent` into `target`, whose (0, 0) shows zoomed pixel `origin` (the part's
// window position plus the scroll position); target pixels beyond the picture are left alone.
void DrawZoomed(const PixelView& picture, const PixelView& target, Point origin, std::int32_t percent);

// The whole scene into `target` as above.
void PaintScene(const PixelView& target, Point origin, const Scene& scene, const GlyphSource& glyphs);

// Where the scene's picture lies in a target whose (0, 0) shows zoomed pixel `origin`.
ViewTransform SceneView(const Scene& scene, Point origin);

}  // namespace core
