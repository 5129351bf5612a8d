#pragma once
// The picture of a shot window: one 32-bit DIB section, kept selected into its own memory DC,
// so that both GDI and the core's edits reach its pixels. It holds the picture's pixels and
// nothing else: what is shown over them (the selection's frame) is drawn as the window paints.
#include <memory>

#include "core/CaptureTarget.h"
#include "core/PixelView.h"
#include "core/Geometry.h"
#include "win32/Handles.h"

namespace win {

class Picture final {
public:
    // A picture of width x height (0 x 0 gives an empty picture); throws the
    // out-of-resources error when the bitmap cannot be made.
    static std::unique_ptr<Picture> Create(HDC compatibleWith, int width, int height);

    Picture(OwnedDC dc, OwnedBitmap bitmap, void* bits, int width, int height) noexcept;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture() = default;

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    HDC DC() const noexcept { return dc_.get(); }
    HBITMAP Bitmap() const noexcept { return bitmap_.get(); }
    // The pixels themselves, once GDI has finished drawing into them.
    core::PixelView Pixels() noexcept;

    // Paints the part `area` of a window's client area whose top-left shows picture point
    // `scrolled`: the picture where it reaches, the face colour beyond it.
    void PaintAt(HDC target, const RECT& area, POINT scrolled) const;

    // Draws `part` (picture coordinates) into `target` at (0, 0). Whatever of `part` lies
    // outside the picture is white.
    void DrawPart(HDC target, core::Rect part) const;

private:
    OwnedDC dc_;
    OwnedBitmap bitmap_;
    SelectedObject selected_;  // released first: the bitmap leaves the DC before either goes
    std::uint32_t* bits_;      // the DIB section's, top row first
    int width_;
    int height_;
};

// Reads a rectangle of the screen straight into a new picture. Returns nothing, quietly,
// when the display or a memory DC cannot be had; throws when the picture's bitmap cannot
// be made or a side is longer than 32767 pixels. Nothing is clipped: parts off the display are whatever the display DC yields.
std::unique_ptr<Picture> GrabScreen(core::ScreenRect rect);

}  // namespace win
