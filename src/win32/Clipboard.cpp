#include "win32/Clipboard.h"

#include <memory>

#include "core/CopyRect.h"
#include "win32/ErrorReport.h"

namespace win {
namespace {

// The source's pixels as the picture has them, without the selection frame.
std::unique_ptr<Snapshot> TakeSnapshot(const Picture& picture, core::Rect source)
{
    auto snapshot = std::make_unique<Snapshot>(source.Width(), source.Height());
    OwnedDC dc(ThrowLastErrorIfNull(::CreateCompatibleDC(picture.DC())));
    SelectedObject into(dc.get(), snapshot->Bitmap());
    const core::Rect inside = core::CopySourceInPicture(source, picture.Width(), picture.Height());
    if (inside != source) ::PatBlt(dc.get(), 0, 0, source.Width(), source.Height(), WHITENESS);
    if (!inside.Empty())
        ::BitBlt(dc.get(), inside.left - source.left, inside.top - source.top, inside.Width(), inside.Height(),
                 picture.DC(), inside.left, inside.top, SRCCOPY);
    // Undo the frame where it stands in the picture: the ring of the source, inside the picture.
    const core::FrameStrips ring = core::FrameRing({source.left, source.top}, {source.right, source.bottom});
    const core::Rect pictureArea{0, 0, picture.Width(), picture.Height()};
    for (int i = 0; i < ring.count; ++i) {
        const core::Rect strip = core::Intersect(ring.strips[static_cast<size_t>(i)], pictureArea);
        if (strip.Empty()) continue;
        ::PatBlt(dc.get(), strip.left - source.left, strip.top - source.top, strip.Width(), strip.Height(), DSTINVERT);
    }
    return snapshot;
}

}  // namespace

void CopyPictureToClipboard(const Picture& picture, core::Rect source, HWND owner)
{
    OfferOnClipboard(owner, TakeSnapshot(picture, source));
}

}  // namespace win
