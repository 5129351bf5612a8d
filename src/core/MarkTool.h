#pragma once
// The drawing tools of a shot window and what a drag with one of them does, in picture pixels.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Marks.h"

namespace core {

// 選択 (the rubber band, and pressing on a mark), 矢印, 四角, テキスト, 番号, 蛍光ペン.
enum class Tool { Select, Arrow, Box, Text, Number, Highlighter };

// The kind of mark a tool makes; none for 選択.
std::optional<MarkKind> KindOf(Tool tool);

// The colour and width the tools draw with. The highlighter keeps its own (yellow at first),
// the others share theirs (red, 普通).
class ToolStyles {
public:
    MarkStyle For(Tool tool) const { return tool == Tool::Highlighter ? highlighter_ : pens_; }
    void SetColour(Tool tool, std::uint32_t colour) { Of(tool).colour = colour; }
    void SetWidth(Tool tool, std::int32_t width) { Of(tool).width = width; }

private:
    MarkStyle& Of(Tool tool) { return tool == Tool::Highlighter ? highlighter_ : pens_; }

    MarkStyle pens_ = DefaultStyle(MarkKind::Arrow);
    MarkStyle highlighter_ = DefaultStyle(MarkKind::Highlighter);
};

// A drag that draws a new arrow, box or highlighter stroke from where it was pressed, or moves
// the mark at `index` along with the pointer. Shown() is the mark as the release would leave it.
class MarkDrag {
public:
    static MarkDrag Drawing(MarkKind kind, Point from, MarkStyle style);
    static MarkDrag Moving(std::size_t index, const Mark& mark, Point from);

    void To(Point p);

    bool Moves() const { return moves_; }
    std::size_t Index() const { return index_; }  // the mark moved
    const Mark& Shown() const { return shown_; }
    Point Offset() const { return {now_.x - from_.x, now_.y - from_.y}; }

private:
    MarkDrag(bool moves, std::size_t index, Mark mark, Point from);

    bool moves_;
    std::size_t index_;
    Mark start_;
    Mark shown_;
    Point from_, now_;
};

// Where the handles of a selected mark stand: the ends of an arrow, the corners of the rest.
std::vector<Point> HandlePoints(const Mark& mark);

}  // namespace core
