#pragma once
#include <cstdint>

#include "core/Geometry.h"

namespace core {

// The picture a selection frame is drawn into. Inverting the same frame
// twice must leave the picture as it was; the surface clips to the picture.
class FrameSurface {
public:
    virtual void InvertFrame(Point a, Point b) = 0;

protected:
    ~FrameSurface() = default;
};

// Rubber-band state of one shot window.
//
// At every moment the picture holds exactly one frame, that of FSelStart and
// FSelEnd, while a drag is under way or a selection is shown, and no frame
// otherwise (then all four coordinates are 0). The pixels under a frame are
// not kept: a frame is removed by inverting it a second time.
//
// InvertFrame is called once for each frame put into or taken out of the
// picture; a frame that would be taken out and put back unchanged is left
// alone, and nothing is drawn for a press (its frame is empty).
class Selection {
public:
    Selection(FrameSurface& picture, std::int32_t width, std::int32_t height);

    void Press(Point p);  // ImageMouseDown
    void Move(Point p);   // ImageMouseMove (drag part only)
    void Release();       // ImageMouseUp (coordinates not used)
    void SelectAll();     // mnSelectAllClick
    void Cancel();        // mnSelectCancelClick

    Point SelStart() const { return FSelStart; }
    Point SelEnd() const { return FSelEnd; }
    bool Dragging() const { return FDragging; }
    bool Selected() const { return FSelected; }

private:
    bool FrameStands() const { return FDragging || FSelected; }
    void ReplaceFrame(Point start, Point end);
    void RemoveFrame();

    FrameSurface& FPicture;
    std::int32_t FWidth;
    std::int32_t FHeight;
    Point FSelStart{0, 0};
    Point FSelEnd{0, 0};
    bool FDragging = false;
    bool FSelected = false;
};

}  // namespace core
