#include "win32/Clipboard.h"

#include <memory>

#include "win32/ErrorReport.h"

namespace win {
namespace {

// The source's pixels as the picture has them, without the selection frame.
std::unique_ptr<Snapshot> TakeSnapshot(const Picture& picture, core::Rect source)
{
    auto snapshot = std::make_unique<Snapshot>(source.Width(), source.Height());
    OwnedDC dc(ThrowLastErrorIfNull(::CreateCompatibleDC(picture.DC())));
    SelectedObject into(dc.get(), snapshot->Bitmap());
    picture.DrawOwnPixels(dc.get(), source, source);
    return snapshot;
}

}  // namespace

void CopyPictureToClipboard(const Picture& picture, core::Rect source, HWND owner)
{
    OfferOnClipboard(owner, TakeSnapshot(picture, source));
}

}  // namespace win
