#include "core/Selection.h"

#include <algorithm>

namespace core {

Selection::Selection(FrameSurface& picture, std::int32_t width, std::int32_t height)
    : surface_(picture), width_(std::max(width, 0)), height_(std::max(height, 0))
{
}

// Makes (start, end) the corners, swapping the standing frame (if any) for
// theirs. The frame depends only on the rectangle the corners span, so when
// that is unchanged the picture is left alone.
void Selection::ReplaceFrame(Point start, Point end)
{
    if (FrameStands()) {
        if (NormalisedRect(start_, end_) == NormalisedRect(start, end)) {
            start_ = start;
            end_ = end;
            return;
        }
        surface_.InvertFrame(start_, end_);
    }
    start_ = start;
    end_ = end;
    surface_.InvertFrame(start_, end_);
}

void Selection::RemoveFrame()
{
    if (FrameStands()) {
        surface_.InvertFrame(start_, end_);
    }
    dragging_ = false;
    selected_ = false;
}

void Selection::Press(Point p)
{
    // Also removes the frame of a drag already under way (a second button),
    // which would otherwise stay in the picture with nothing to account for it.
    RemoveFrame();
    dragging_ = true;
    start_ = p;
    end_ = p;
}

void Selection::Move(Point p)
{
    if (!dragging_) {
        return;
    }
    ReplaceFrame(start_, p);
}

void Selection::Release()
{
    if (!dragging_) {
        return;
    }
    // Normalising does not change the frame: the order of the corners does not matter to it.
    const Rect r = NormalisedRect(start_, end_);
    start_ = Point{r.left, r.top};
    end_ = Point{r.right, r.bottom};

    // The end is exclusive, so clamping it to the width and height keeps the
    // edge pixels of a drag that went past the right or bottom edge.
    const auto clampX = [this](std::int32_t x) { return std::clamp(x, 0, width_); };
    const auto clampY = [this](std::int32_t y) { return std::clamp(y, 0, height_); };
    ReplaceFrame(Point{clampX(start_.x), clampY(start_.y)}, Point{clampX(end_.x), clampY(end_.y)});

    dragging_ = false;
    selected_ = true;
}

void Selection::SelectAll()
{
    ReplaceFrame(Point{0, 0}, Point{width_, height_});
    dragging_ = false;
    selected_ = true;
}

// A shown selection's corners are ordered and inside the picture (Release and SelectAll see
// to it), so the clamps below have their lower bound first.
bool Selection::MoveBy(std::int32_t dx, std::int32_t dy)
{
    if (!selected_) {
        return false;
    }
    const Rect r = NormalisedRect(start_, end_);
    const std::int32_t x = std::clamp(r.left + dx, 0, std::max(0, width_ - r.Width()));
    const std::int32_t y = std::clamp(r.top + dy, 0, std::max(0, height_ - r.Height()));
    const Point start{x, y}, end{x + r.Width(), y + r.Height()};
    if (start == start_ && end == end_) {
        return false;
    }
    ReplaceFrame(start, end);
    return true;
}

bool Selection::ResizeBy(std::int32_t dx, std::int32_t dy)
{
    if (!selected_) {
        return false;
    }
    const Rect r = NormalisedRect(start_, end_);
    const Point end{std::clamp(r.right + dx, r.left, std::max(r.left, width_)),
                    std::clamp(r.bottom + dy, r.top, std::max(r.top, height_))};
    if (end == end_ && Point{r.left, r.top} == start_) {
        return false;
    }
    ReplaceFrame(Point{r.left, r.top}, end);
    return true;
}

bool Selection::ArrowKey(Arrow arrow, bool ctrl, bool shift)
{
    const std::int32_t step = ctrl ? 10 : 1;
    const std::int32_t dx = arrow == Arrow::Left ? -step : arrow == Arrow::Right ? step : 0;
    const std::int32_t dy = arrow == Arrow::Up ? -step : arrow == Arrow::Down ? step : 0;
    return shift ? ResizeBy(dx, dy) : MoveBy(dx, dy);
}

void Selection::Cancel()
{
    RemoveFrame();
    start_ = Point{0, 0};
    end_ = Point{0, 0};
}

}  // namespace core
