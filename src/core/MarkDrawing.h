#pragma once
// Drawing marks into a pixel buffer with smooth edges, at any zoom: the paint pass draws them in
// the window's own pixels over a copy of the visible part of the picture (so that at 1600 % an
// arrow is still a smooth arrow, not sixteen-fold pixels), copy, save and the edits at 100 %.
// The glyphs of texts and numbers come from the platform as coverage; the rest is drawn here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Geometry.h"
#include "core/Marks.h"
#include "core/PixelView.h"

namespace core {

// Where the picture lies in a target buffer: picture pixel (x, y) covers the target from
// (x · scale + offset.x, y · scale + offset.y), `scale` target pixels each way.
struct ViewTransform {
    double scale = 1;
    Point offset{0, 0};
    std::int32_t pictureWidth = 0;
    std::int32_t pictureHeight = 0;

    // The target pixels that a rectangle of the picture covers, partly covered ones included.
    Rect TargetRect(Rect picture) const;
    // Those of the whole picture: nothing is drawn outside them.
    Rect PictureRect() const { return TargetRect({0, 0, pictureWidth, pictureHeight}); }
};

// How much of each pixel a text's glyphs cover, 0 (none) to 255 (all), over `area`, which lies
// relative to the text's top-left; `area.Width()` values a row, rows from the top.
struct Coverage {
    Rect area{};
    std::vector<std::uint8_t> alpha;
};

// The platform's text: the program's UI face, `pixelHeight` pixels high, lines apart by '\n'.
class GlyphSource {
public:
    virtual Point Extent(std::u16string_view text, std::int32_t pixelHeight) const = 0;
    // The coverage over `wanted`, or over the part of it where the text lies.
    virtual Coverage Glyphs(std::u16string_view text, std::int32_t pixelHeight, Rect wanted) const = 0;

protected:
    ~GlyphSource() = default;
};

// Sets a text mark's extent (b) to that of its lines in the size of its width.
void FitText(Mark& text, const GlyphSource& glyphs);

// The glyphs a text or number mark shows inside `clip` of the target, and where the text's
// top-left lies there; empty for the other kinds and for marks outside the clip.
struct MarkGlyphs {
    Coverage coverage;
    Coverage edge;  // a text's white edge
    Point at{0, 0};
};
MarkGlyphs GlyphsFor(const Mark& mark, const ViewTransform& view, Rect clip, const GlyphSource& glyphs);

// Draws the mark into the target's pixels that lie in `clip` and in the picture.
void DrawMark(const PixelView& target, const ViewTransform& view, Rect clip, const Mark& mark,
              const MarkGlyphs& glyphs) noexcept;

// Draws each mark that reaches into `clip`, in order, but the one at `skip` (a mark being moved,
// drawn on top where it is dragged). Throws what the glyph source throws (the target then holds
// the marks before the one that failed).
void DrawMarks(const PixelView& target, const ViewTransform& view, Rect clip, const std::vector<Mark>& marks,
               const GlyphSource& glyphs, std::size_t skip = SIZE_MAX);

// The target pixels the mark's drawing may touch at this view (for repainting).
Rect MarkTargetBounds(const Mark& mark, const ViewTransform& view);

// The coverage of `glyphs` grown by `edge` pixels each way: the white edge that lets a text
// read on any background.
Coverage GrownCoverage(const Coverage& glyphs, std::int32_t edge);

// Lays white over the target as `edge` covers it, then `colour` as `glyphs` cover it, both
// placed with their origin (the text's top-left) at `at`; only the pixels inside `clip` change.
void CompositeCoverage(const PixelView& target, Rect clip, const Coverage& glyphs, const Coverage& edge, Point at,
                       std::uint32_t colour) noexcept;

}  // namespace core
