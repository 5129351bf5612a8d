#include "core/MarkTool.h"

#include <utility>

namespace core {

std::optional<MarkKind> KindOf(Tool tool)
{
    switch (tool) {
        case Tool::Select: return std::nullopt;
        case Tool::Arrow: return MarkKind::Arrow;
        case Tool::Box: return MarkKind::Box;
        case Tool::Text: return MarkKind::Text;
        case Tool::Number: return MarkKind::Number;
        case Tool::Highlighter: return MarkKind::Highlighter;
    }
    return std::nullopt;
}

MarkDrag::MarkDrag(bool moves, std::size_t index, Mark mark, Point from)
    : moves_(moves), index_(index), start_(std::move(mark)), shown_(start_), from_(from), now_(from)
{
}

MarkDrag MarkDrag::Drawing(MarkKind kind, Point from, MarkStyle style)
{
    Mark mark;
    mark.kind = kind;
    mark.a = mark.b = from;
    mark.style = style;
    return MarkDrag(false, 0, std::move(mark), from);
}

MarkDrag MarkDrag::Moving(std::size_t index, const Mark& mark, Point from) { return MarkDrag(true, index, mark, from); }

void MarkDrag::To(Point p)
{
    now_ = p;
    if (moves_)
        shown_ = Moved(start_, p.x - from_.x, p.y - from_.y);
    else
        shown_.b = p;
}

std::vector<Point> HandlePoints(const Mark& mark)
{
    if (mark.kind == MarkKind::Arrow) return {mark.a, mark.b};
    const Rect r = mark.kind == MarkKind::Number ? MarkBounds(mark) : NormalisedRect(mark.a, mark.b);
    return {{r.left, r.top}, {r.right, r.top}, {r.left, r.bottom}, {r.right, r.bottom}};
}

}  // namespace core
