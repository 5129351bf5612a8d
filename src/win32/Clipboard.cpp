#include "win32/Clipboard.h"

#include "core/Geometry.h"
#include "win32/ErrorReport.h"

namespace win {

void CopyPictureToClipboard(const Picture& picture, core::Rect source, HWND owner)
{
    const int width = source.Width(), height = source.Height();
    WindowDC screen(nullptr);
    OwnedDC memory(ThrowLastErrorIfNull(::CreateCompatibleDC(screen.get())));
    OwnedBitmap copy(ThrowLastErrorIfNull(::CreateCompatibleBitmap(screen.get(), width, height)));
    {
        SelectedObject into(memory.get(), copy.get());
        ::PatBlt(memory.get(), 0, 0, width, height, WHITENESS);
        const core::Rect inside = core::Intersect(source, {0, 0, picture.Width(), picture.Height()});
        if (!inside.Empty())
            ::BitBlt(memory.get(), inside.left - source.left, inside.top - source.top, inside.Width(), inside.Height(),
                     picture.DC(), inside.left, inside.top, SRCCOPY);
        // Undo the frame where it stands in the picture: the ring of the source, inside the picture.
        const core::FrameStrips ring = core::FrameRing({source.left, source.top}, {source.right, source.bottom});
        const core::Rect pictureArea{0, 0, picture.Width(), picture.Height()};
        for (int i = 0; i < ring.count; ++i) {
            const core::Rect strip = core::Intersect(ring.strips[static_cast<size_t>(i)], pictureArea);
            if (strip.Empty()) continue;
            ::PatBlt(memory.get(), strip.left - source.left, strip.top - source.top, strip.Width(), strip.Height(),
                     DSTINVERT);
        }
    }
    ClipboardSession clipboard(owner);
    if (!clipboard) throw core::AppError(kClipboardBusy);
    ::EmptyClipboard();
    ThrowLastErrorIfNull(::SetClipboardData(CF_BITMAP, copy.get()));
    copy.release();  // the clipboard owns it now
}

}  // namespace win
