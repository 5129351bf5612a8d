#include "win32/Clipboard.h"

#include "win32/ErrorReport.h"

namespace win {

std::unique_ptr<Snapshot> SnapshotOf(const Picture& picture, core::Rect source)
{
    auto snapshot = std::make_unique<Snapshot>(source.Width(), source.Height());
    OwnedDC dc(ThrowLastErrorIfNull(::CreateCompatibleDC(picture.DC())));
    SelectedObject into(dc.get(), snapshot->Bitmap());
    picture.DrawOwnPixels(dc.get(), source, source);
    return snapshot;
}

std::unique_ptr<Snapshot> SnapshotOfWhole(const Picture& picture)
{
    auto snapshot = std::make_unique<Snapshot>(picture.Width(), picture.Height());
    OwnedDC dc(ThrowLastErrorIfNull(::CreateCompatibleDC(picture.DC())));
    SelectedObject into(dc.get(), snapshot->Bitmap());
    picture.DrawOwnPixels(dc.get(), {0, 0, picture.Width(), picture.Height()}, core::Rect{});
    return snapshot;
}

}  // namespace win
