#include "win32/DelayedClipboard.h"

#include "win32/ErrorReport.h"

namespace win {
namespace {

constexpr LRESULT kKept = 1;

// The message that hands a snapshot (lParam, a Snapshot*) to the owner window to keep.
UINT KeepSnapshotMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"PixtroveKeepClipboardSnapshot");
    return message;
}

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

std::optional<LRESULT> DelayedClipboard::HandleMessage(HWND owner, UINT msg, WPARAM wp, LPARAM lp)
{
    if (const UINT keep = KeepSnapshotMessage(); keep != 0 && msg == keep) {
        snapshot_.reset(reinterpret_cast<Snapshot*>(lp));
        return kKept;
    }
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

void OfferOnClipboard(HWND owner, std::unique_ptr<Snapshot> snapshot)
{
    ClipboardSession clipboard(owner);
    if (!clipboard) throw core::AppError(kClipboardBusy);
    ::EmptyClipboard();  // the owner lets go of an earlier snapshot here (WM_DESTROYCLIPBOARD)
    // An announcement has no handle to give back, so its success shows on the clipboard.
    ::SetClipboardData(CF_DIB, nullptr);
    if (!::IsClipboardFormatAvailable(CF_DIB)) ThrowLastError();
    const auto lent = reinterpret_cast<LPARAM>(snapshot.get());
    if (owner && ::SendMessageW(owner, KeepSnapshotMessage(), 0, lent) == kKept) {
        snapshot.release();  // the owner has it now
        return;
    }
    if (!PutDib(*snapshot)) ThrowLastError();
}

}  // namespace win
