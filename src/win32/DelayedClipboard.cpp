#include "win32/DelayedClipboard.h"

#include "win32/ErrorReport.h"

namespace win {

DelayedClipboard::DelayedClipboard() noexcept : pngFormat_(::RegisterClipboardFormatW(L"PNG")) {}

void DelayedClipboard::Offer(HWND owner, std::unique_ptr<Snapshot> snapshot)
{
    ClipboardSession clipboard(owner);
    if (!clipboard) throw core::AppError(kClipboardBusy);
    ::EmptyClipboard();  // WM_DESTROYCLIPBOARD: the earlier snapshot goes
    // An announcement has no handle to give back, so its success shows on the clipboard.
    // PNG comes first: readers that take the first picture format they know get the file.
    if (pngFormat_) ::SetClipboardData(pngFormat_, nullptr);
    ::SetClipboardData(CF_DIB, nullptr);
    if (!::IsClipboardFormatAvailable(CF_DIB)) ThrowLastError();
    snapshot_ = std::move(snapshot);
    dibPending_ = true;
    pngPending_ = pngFormat_ && ::IsClipboardFormatAvailable(pngFormat_);
}

std::optional<LRESULT> DelayedClipboard::HandleMessage(HWND owner, UINT msg, WPARAM wp)
{
    switch (msg) {
        case WM_RENDERFORMAT: RenderRequested(static_cast<UINT>(wp)); return 0;
        case WM_RENDERALLFORMATS: RenderBeforeLeaving(owner); return 0;
        case WM_DESTROYCLIPBOARD:
            snapshot_.reset();
            dibPending_ = pngPending_ = false;
            return 0;
        default: return std::nullopt;
    }
}

// Writes one format of the snapshot to the open clipboard. A block that cannot be made or
// handed over leaves the format without data, never half-filled.
bool DelayedClipboard::Put(UINT format) const noexcept
{
    OwnedGlobal block = format == CF_DIB ? snapshot_->Render() : snapshot_->RenderPng();
    if (!block || !::SetClipboardData(format, block.get())) return false;
    block.release();  // the clipboard owns it now
    return true;
}

// A program has the clipboard open and waits for the data. Once both formats are written,
// the snapshot is not needed again: the clipboard holds the picture from then on.
void DelayedClipboard::RenderRequested(UINT format)
{
    bool& pending = format == CF_DIB ? dibPending_ : pngPending_;
    if (!snapshot_ || (format != CF_DIB && format != pngFormat_) || !pending) return;
    if (Put(format)) pending = false;
    if (!dibPending_ && !pngPending_) snapshot_.reset();
}

// The owner goes (the program ends): what is unwritten is written while the clipboard is
// still the owner's, so that it can be pasted afterwards.
void DelayedClipboard::RenderBeforeLeaving(HWND owner)
{
    if (!snapshot_) return;
    ClipboardSession clipboard(owner);
    if (!clipboard || ::GetClipboardOwner() != owner) return;
    if (pngPending_ && Put(pngFormat_)) pngPending_ = false;
    if (dibPending_ && Put(CF_DIB)) dibPending_ = false;
    if (!dibPending_ && !pngPending_) snapshot_.reset();
}

}  // namespace win
