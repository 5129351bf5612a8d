#pragma once
// A picture offered on the clipboard without its data, as a PNG file (registered format
// "PNG", which browsers and chat programs take first, and which Wine offers X programs as
// image/png) and as CF_DIB. The clipboard's owner window keeps the snapshot here and writes
// each format out only when a program asks for it (the system makes CF_BITMAP and CF_DIBV5
// from CF_DIB), or when the owner goes while one is still unwritten, so that the picture
// outlives the program.
#include <windows.h>

#include <memory>
#include <optional>

#include "win32/Snapshot.h"

namespace win {

inline constexpr char kClipboardBusy[] = "クリップボードを開くことができません";

// The clipboard, open for one operation.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) noexcept : open_(::OpenClipboard(owner) != FALSE) {}
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    ~ClipboardSession()
    {
        if (open_) ::CloseClipboard();
    }
    explicit operator bool() const noexcept { return open_; }

private:
    bool open_;
};

// Kept by the owner window, which passes each of its messages to HandleMessage first.
class DelayedClipboard {
public:
    DelayedClipboard() noexcept;
    DelayedClipboard(const DelayedClipboard&) = delete;
    DelayedClipboard& operator=(const DelayedClipboard&) = delete;
    ~DelayedClipboard() = default;

    // Empties the clipboard (which lets go of an earlier snapshot) and announces this one
    // there as PNG and CF_DIB, owned by `owner`. Errors: the clipboard held by another
    // program.
    void Offer(HWND owner, std::unique_ptr<Snapshot> snapshot);

    // The result for the messages it answers: writing the picture out (WM_RENDERFORMAT,
    // WM_RENDERALLFORMATS) and letting it go (WM_DESTROYCLIPBOARD).
    std::optional<LRESULT> HandleMessage(HWND owner, UINT msg, WPARAM wp);

private:
    void RenderRequested(UINT format);
    void RenderBeforeLeaving(HWND owner);
    bool Put(UINT format) const noexcept;

    UINT pngFormat_;  // 0 when the name could not be registered: then there is CF_DIB alone
    std::unique_ptr<Snapshot> snapshot_;
    // The formats announced and not yet written; the snapshot goes with the last of them.
    bool dibPending_ = false;
    bool pngPending_ = false;
};

}  // namespace win
