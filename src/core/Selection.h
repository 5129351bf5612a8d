#pragma once
#include <cstdint>

#include "core/Geometry.h"

namespace core {

// What shows a selection's frame over the picture (as its ring of pixels inverted). Each call
// puts the frame of a and b into view or takes it out again; the surface clips to the picture.
class FrameSurface {
public:
    virtual void InvertFrame(Point a, Point b) = 0;

protected:
    ~FrameSurface() = default;
};

enum class Arrow { Left, Right, Up, Down };

// Rubber-band state of one shot window.
//
// At every moment the surface shows exactly one frame, that of Start() and
// End(), while a drag is under way or a selection is shown, and no frame
// otherwise (then all four coordinates are 0).
//
// InvertFrame is called once for each frame put into or taken out of
// view; a frame that would be taken out and put back unchanged is left
// alone, and nothing is drawn for a press (its frame is empty).
class Selection {
public:
    Selection(FrameSurface& picture, std::int32_t width, std::int32_t height);

    void Press(Point p);  // OnPictureButtonDown
    void Move(Point p);   // OnPictureMouseMove (drag part only)
    void Release();       // OnPictureButtonUp (coordinates not used)
    void SelectAll();     // OnSelectAll
    void Cancel();        // OnSelectCancel

    // Keyboard adjustments of a shown selection (nothing otherwise), kept inside the
    // picture: MoveBy moves the whole selection by (dx, dy), ResizeBy its bottom-right corner,
    // which stops at the top-left one. Each says whether the selection changed.
    bool MoveBy(std::int32_t dx, std::int32_t dy);
    bool ResizeBy(std::int32_t dx, std::int32_t dy);
    // An arrow key: a move by one pixel, ten with Ctrl; with Shift, a resize.
    bool ArrowKey(Arrow arrow, bool ctrl, bool shift);

    Point Start() const { return start_; }
    Point End() const { return end_; }
    bool Dragging() const { return dragging_; }
    bool Selected() const { return selected_; }
    // A frame stands in the picture (a drag under way or a selection shown), that of Start() and End().
    bool FrameStands() const { return dragging_ || selected_; }
    // A shown selection with pixels in it: what the edits act on.
    bool HasArea() const { return selected_ && !NormalisedRect(start_, end_).Empty(); }

private:
    void ReplaceFrame(Point start, Point end);
    void RemoveFrame();

    FrameSurface& surface_;
    std::int32_t width_;
    std::int32_t height_;
    Point start_{0, 0};
    Point end_{0, 0};
    bool dragging_ = false;
    bool selected_ = false;
};

}  // namespace core
