#include "win32/DelayedClipboard.h"

#include "win32/ErrorReport.h"

namespace win {
namespace {

// Writes the snapshot to the open clipboard as CF_DIB. A block that cannot be made or
// handed over leaves the format without data, never half-filled.
bool PutDib(const Snapshot& snapshot) noexcept
{
    OwnedGlobal block = snapshot.Render();
    if (!block || !::SetClipboardData(CF_DIB, block.get())) return false;
    block.release();  // the clipboard owns it now
    return true;
}

}  // namespace

void DelayedClipboard::Offer(HWND owner, std::unique_ptr<Snapshot> snapshot)
{
    ClipboardSession clipboard(owner);
    if (!clipboard) throw core::AppError(kClipboardBusy);
    ::EmptyClipboard();  // WM_DESTROYCLIPBOARD: the earlier snapshot goes
    // An announcement has no handle to give back, so its success shows on the clipboard.
    ::SetClipboardData(CF_DIB, nullptr);
    if (!::IsClipboardFormatAvailable(CF_DIB)) ThrowLastError();
    snapshot_ = std::move(snapshot);
}

std::optional<LRESULT> DelayedClipboard::HandleMessage(HWND owner, UINT msg, WPARAM wp)
{
    switch (msg) {
        case WM_RENDERFORMAT:
            if (wp == CF_DIB) RenderRequested();
            return 0;
        case WM_RENDERALLFORMATS: RenderBeforeLeaving(owner); return 0;
        case WM_DESTROYCLIPBOARD: snapshot_.reset(); return 0;
        default: return std::nullopt;
    }
}

// A program has the clipboard open and waits for the data. Once written, the snapshot
// is not needed again: the clipboard holds the picture from then on.
void DelayedClipboard::RenderRequested()
{
    if (snapshot_ && PutDib(*snapshot_)) snapshot_.reset();
}

// The owner goes (the program ends): the picture is written while the clipboard is still
// the owner's, so that it can be pasted afterwards.
void DelayedClipboard::RenderBeforeLeaving(HWND owner)
{
    if (!snapshot_) return;
    ClipboardSession clipboard(owner);
    if (!clipboard || ::GetClipboardOwner() != owner) return;
    if (PutDib(*snapshot_)) snapshot_.reset();
}

}  // namespace win
