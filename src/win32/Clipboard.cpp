#include "win32/Clipboard.h"

#include "win32/ErrorReport.h"

namespace win {

std::unique_ptr<Snapshot> SnapshotOf(const Picture& picture, core::Rect source)
{
    auto snapshot = std::make_unique<Snapshot>(source.Width(), source.Height());
    OwnedDC dc(ThrowLastErrorIfNull(::CreateCompatibleDC(picture.DC())));
    SelectedObject into(dc.get(), snapshot->Bitmap());
    picture.DrawPart(dc.get(), source);
    return snapshot;
}

}  // namespace win
