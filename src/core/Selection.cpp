#include "core/Selection.h"

#include <algorithm>

namespace core {

Selection::Selection(FrameSurface& picture, std::int32_t width, std::int32_t height)
    : FPicture(picture), FWidth(std::max(width, 0)), FHeight(std::max(height, 0))
{
}

// Makes (start, end) the corners, swapping the standing frame (if any) for
// theirs. The frame depends only on the rectangle the corners span, so when
// that is unchanged the picture is left alone.
void Selection::ReplaceFrame(Point start, Point end)
{
    if (FrameStands()) {
        if (NormalisedRect(FSelStart, FSelEnd) == NormalisedRect(start, end)) {
            FSelStart = start;
            FSelEnd = end;
            return;
        }
        FPicture.InvertFrame(FSelStart, FSelEnd);
    }
    FSelStart = start;
    FSelEnd = end;
    FPicture.InvertFrame(FSelStart, FSelEnd);
}

void Selection::RemoveFrame()
{
    if (FrameStands()) {
        FPicture.InvertFrame(FSelStart, FSelEnd);
    }
    FDragging = false;
    FSelected = false;
}

void Selection::Press(Point p)
{
    // Also removes the frame of a drag already under way (a second button),
    // which would otherwise stay in the picture with nothing to account for it.
    RemoveFrame();
    FDragging = true;
    FSelStart = p;
    FSelEnd = p;
}

void Selection::Move(Point p)
{
    if (!FDragging) {
        return;
    }
    ReplaceFrame(FSelStart, p);
}

void Selection::Release()
{
    if (!FDragging) {
        return;
    }
    // Normalising does not change the frame: the order of the corners does not matter to it.
    const Rect r = NormalisedRect(FSelStart, FSelEnd);
    FSelStart = Point{r.left, r.top};
    FSelEnd = Point{r.right, r.bottom};

    // The end is exclusive, so clamping it to the width and height keeps the
    // edge pixels of a drag that went past the right or bottom edge.
    const auto clampX = [this](std::int32_t x) { return std::clamp(x, 0, FWidth); };
    const auto clampY = [this](std::int32_t y) { return std::clamp(y, 0, FHeight); };
    ReplaceFrame(Point{clampX(FSelStart.x), clampY(FSelStart.y)}, Point{clampX(FSelEnd.x), clampY(FSelEnd.y)});

    FDragging = false;
    FSelected = true;
}

void Selection::SelectAll()
{
    ReplaceFrame(Point{0, 0}, Point{FWidth, FHeight});
    FDragging = false;
    FSelected = true;
}

void Selection::Cancel()
{
    RemoveFrame();
    FSelStart = Point{0, 0};
    FSelEnd = Point{0, 0};
}

}  // namespace core
