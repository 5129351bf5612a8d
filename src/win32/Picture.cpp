#include "win32/Picture.h"

#include "core/Geometry.h"
#include "win32/ErrorReport.h"

namespace win {

std::unique_ptr<Picture> Picture::Create(HDC compatibleWith, int width, int height)
{
    OwnedDC dc(ThrowLastErrorIfNull(::CreateCompatibleDC(compatibleWith)));
    // A 0 x 0 picture still gets the system's 1 x 1 bitmap, so that its DC is always valid.
    OwnedBitmap bitmap(ThrowLastErrorIfNull(::CreateCompatibleBitmap(compatibleWith, width, height)));
    return std::make_unique<Picture>(std::move(dc), std::move(bitmap), width, height);
}

Picture::Picture(OwnedDC dc, OwnedBitmap bitmap, int width, int height) noexcept
    : dc_(std::move(dc)),
      bitmap_(std::move(bitmap)),
      selected_(dc_.get(), bitmap_.get()),
      width_(width),
      height_(height)
{
}

void Picture::InvertFrame(core::Point a, core::Point b)
{
    const core::FrameStrips ring = core::FrameRing(a, b);
    for (int i = 0; i < ring.count; ++i) {
        const core::Rect& s = ring.strips[static_cast<size_t>(i)];
        ::PatBlt(dc_.get(), s.left, s.top, s.Width(), s.Height(), DSTINVERT);
    }
}

void Picture::DrawOwnPixels(HDC target, core::Rect part, core::Rect frame) const
{
    const core::Rect inside = core::Intersect(part, {0, 0, width_, height_});
    if (inside != part) ::PatBlt(target, 0, 0, part.Width(), part.Height(), WHITENESS);
    if (inside.Empty()) return;
    ::BitBlt(target, inside.left - part.left, inside.top - part.top, inside.Width(), inside.Height(), dc_.get(),
             inside.left, inside.top, SRCCOPY);
    const core::FrameStrips ring = core::FrameRing({frame.left, frame.top}, {frame.right, frame.bottom});
    for (int i = 0; i < ring.count; ++i) {
        const core::Rect strip = core::Intersect(ring.strips[static_cast<size_t>(i)], inside);
        if (!strip.Empty())
            ::PatBlt(target, strip.left - part.left, strip.top - part.top, strip.Width(), strip.Height(), DSTINVERT);
    }
}

std::unique_ptr<Picture> GrabScreen(core::ScreenRect rect)
{
    // The screen's DC spans every monitor. (Wine's DC made by CreateDC("DISPLAY") reads the
    // wrong place once a monitor lies left of or above the primary one.)
    WindowDC display(nullptr);
    if (!display) return nullptr;
    OwnedDC memory(::CreateCompatibleDC(display.get()));
    if (!memory) return nullptr;
    OwnedBitmap bitmap(ThrowLastErrorIfNull(::CreateCompatibleBitmap(display.get(), rect.width, rect.height)));
    auto picture = std::make_unique<Picture>(std::move(memory), std::move(bitmap), rect.width, rect.height);
    ::BitBlt(picture->DC(), 0, 0, rect.width, rect.height, display.get(), rect.left, rect.top, SRCCOPY);
    return picture;
}

}  // namespace win
