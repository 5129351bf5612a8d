#pragma once
// The marks a user draws over a shot: arrows, boxes, texts, numbered steps and highlighter
// strokes. They lie over the picture's pixels, never in them, in picture coordinates, and stay
// editable until they are drawn into a copy, a file or an edit. A mark may reach past the
// picture's edges: it is kept whole and only its drawing is clipped.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Geometry.h"

namespace core {

enum class MarkKind { Arrow, Box, Text, Number, Highlighter };

// The widths offered: 細い, 普通, 太い.
inline constexpr std::int32_t kThinWidth = 2;
inline constexpr std::int32_t kNormalWidth = 4;
inline constexpr std::int32_t kThickWidth = 8;

inline constexpr std::uint32_t kMarkRed = 0xFF0000;
inline constexpr std::uint32_t kHighlighterYellow = 0xFFFF00;

struct MarkStyle {
    std::uint32_t colour = kMarkRed;  // 0x00RRGGBB, as the picture's pixels
    std::int32_t width = kNormalWidth;
    bool operator==(const MarkStyle&) const = default;
};

// The style a new mark of `kind` starts with: red and 普通, the highlighter yellow.
MarkStyle DefaultStyle(MarkKind kind);

// Points are picture pixels; a mark's geometry runs through their centres, except for the
// rectangles of boxes and highlighter strokes, which cover the pixels of NormalisedRect(a, b)
// as a selection does.
struct Mark {
    MarkKind kind = MarkKind::Box;
    Point a{0, 0};  // arrow: tail; box, highlighter: a corner; text: top-left; number: centre
    Point b{0, 0};  // arrow: head; box, highlighter: the opposite corner; text: a + its extent
    MarkStyle style;
    std::u16string text;     // a text's lines, apart by '\n'
    std::int32_t value = 0;  // a number's value
    bool operator==(const Mark&) const = default;
};

Mark ArrowMark(Point tail, Point head, MarkStyle style);
Mark BoxMark(Point corner, Point opposite, MarkStyle style);
Mark HighlighterMark(Point corner, Point opposite, MarkStyle style);
Mark NumberMark(Point centre, std::int32_t value, MarkStyle style);
// A text's extent (in picture pixels, at TextPixelHeight of its width) comes from the face
// that sets it; see FitText in MarkDrawing.h.
Mark TextMark(Point topLeft, std::u16string text, Point extent, MarkStyle style);

// Whether the mark places anything: an arrow or box of no length, and an empty text, do not.
bool Places(const Mark& mark);

// Sizes that follow the width.
std::int32_t TextPixelHeight(std::int32_t width);  // the text's face
std::int32_t NumberDiameter(std::int32_t width);   // the numbered step's circle
double ArrowHeadLength(std::int32_t width);
double ArrowHeadHalfWidth(std::int32_t width);
inline constexpr std::int32_t kTextEdge = 1;  // the white edge around a text, in picture pixels

// The picture pixels the mark's drawing may touch at 100 %, whole, wherever it reaches.
Rect MarkBounds(const Mark& mark);

// Whether a press at picture pixel `p` falls on the mark, `tolerance` picture pixels around
// what is drawn counting too (the caller passes its screen tolerance divided by the zoom).
bool HitsMark(const Mark& mark, Point p, double tolerance);

// Whether the mark's drawing reaches into `area` (a box whose hollow holds the area does not).
bool Touches(const Mark& mark, Rect area);

Mark Moved(const Mark& mark, std::int32_t dx, std::int32_t dy);

// The marks of one shot in drawing order: the last lies on top.
class MarkList {
public:
    MarkList() = default;
    explicit MarkList(std::vector<Mark> marks) : marks_(std::move(marks)) {}

    std::size_t Count() const { return marks_.size(); }
    const Mark& operator[](std::size_t i) const { return marks_[i]; }
    const std::vector<Mark>& All() const { return marks_; }

    // The topmost mark hit at `p` (see HitsMark), if any.
    std::optional<std::size_t> At(Point p, double tolerance) const;

    // One more than the highest number present; 1 when there is none.
    std::int32_t NextNumber() const;

    // Room for `count` marks, so that inserting up to that many cannot fail.
    void Reserve(std::size_t count) { marks_.reserve(count); }
    // These never allocate while the room reserved holds (the list never gives room back).
    void Insert(std::size_t at, Mark&& mark) noexcept;
    void Exchange(std::size_t at, Mark& mark) noexcept;
    void Remove(std::size_t at, Mark& into) noexcept;

private:
    std::vector<Mark> marks_;
};

// The marks that a cut-out of `selection` takes along: those that touch the part
// of the selection inside a picture of `width` × `height`, moved with it, still whole.
std::vector<Mark> MarksInCutOut(const MarkList& marks, Rect selection, std::int32_t width, std::int32_t height);

}  // namespace core
