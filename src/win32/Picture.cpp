#include "win32/Picture.h"

#include <algorithm>

#include "core/Geometry.h"
#include "win32/ErrorReport.h"

namespace win {

namespace {

// A top-down 32-bit DIB section of width x height; a 0 x 0 picture gets a 1 x 1 one, so that
// its DC always has a bitmap. Throws the system's error when it cannot be made.
std::unique_ptr<Picture> MakePicture(OwnedDC dc, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), std::max(width, 1), -std::max(height, 1), 1, 32, BI_RGB};
    void* bits = nullptr;
    OwnedBitmap bitmap(ThrowLastErrorIfNull(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
    return std::make_unique<Picture>(std::move(dc), std::move(bitmap), bits, width, height);
}

}  // namespace

std::unique_ptr<Picture> Picture::Create(HDC compatibleWith, int width, int height)
{
    return MakePicture(OwnedDC(ThrowLastErrorIfNull(::CreateCompatibleDC(compatibleWith))), width, height);
}

Picture::Picture(OwnedDC dc, OwnedBitmap bitmap, void* bits, int width, int height) noexcept
    : dc_(std::move(dc)),
      bitmap_(std::move(bitmap)),
      selected_(dc_.get(), bitmap_.get()),
      bits_(static_cast<std::uint32_t*>(bits)),
      width_(width),
      height_(height)
{
}

core::PixelView Picture::Pixels() noexcept
{
    ::GdiFlush();
    return {bits_, width_, height_, std::max(width_, 1)};
}

void Picture::PaintAt(HDC target, const RECT& area, POINT at) const
{
    const int right = width_ - at.x, bottom = height_ - at.y;
    const int x = area.left, y = area.top;
    const int w = std::min<int>(area.right, right) - x, h = std::min<int>(area.bottom, bottom) - y;
    if (w > 0 && h > 0) ::BitBlt(target, x, y, w, h, dc_.get(), x + at.x, y + at.y, SRCCOPY);
    const HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
    const RECT beside{std::max<int>(area.left, right), area.top, area.right, area.bottom};
    const RECT below{area.left, std::max<int>(area.top, bottom), std::min<int>(area.right, right), area.bottom};
    if (beside.left < beside.right) ::FillRect(target, &beside, face);
    if (below.top < below.bottom && below.left < below.right) ::FillRect(target, &below, face);
}

void Picture::DrawPart(HDC target, core::Rect part) const
{
    const core::Rect inside = core::Intersect(part, {0, 0, width_, height_});
    if (inside != part) ::PatBlt(target, 0, 0, part.Width(), part.Height(), WHITENESS);
    if (inside.Empty()) return;
    ::BitBlt(target, inside.left - part.left, inside.top - part.top, inside.Width(), inside.Height(), dc_.get(),
             inside.left, inside.top, SRCCOPY);
}

std::unique_ptr<Picture> GrabScreen(core::ScreenRect rect)
{
    // The display cannot be read into anything longer a side (under X11 the read of a longer
    // one ends the program).
    constexpr int kLongestSide = 32767;
    if (rect.width > kLongestSide || rect.height > kLongestSide) throw SystemError(ERROR_INVALID_PARAMETER);
    // The screen's DC spans every monitor. (Wine's DC made by CreateDC("DISPLAY") reads the
    // wrong place once a monitor lies left of or above the primary one.)
    WindowDC display(nullptr);
    if (!display) return nullptr;
    OwnedDC memory(::CreateCompatibleDC(display.get()));
    if (!memory) return nullptr;
    std::unique_ptr<Picture> picture = MakePicture(std::move(memory), rect.width, rect.height);
    ::BitBlt(picture->DC(), 0, 0, rect.width, rect.height, display.get(), rect.left, rect.top, SRCCOPY);
    return picture;
}

}  // namespace win
