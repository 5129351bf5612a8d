#pragma once
// A picture offered on the clipboard without its data. The clipboard's owner window keeps
// the snapshot here and writes it out as CF_DIB only when a program asks for it (the system
// makes CF_BITMAP and CF_DIBV5 from that), or when the owner goes while the picture is
// still unwritten, so that it outlives the program.
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
    DelayedClipboard() = default;
    DelayedClipboard(const DelayedClipboard&) = delete;
    DelayedClipboard& operator=(const DelayedClipboard&) = delete;
    ~DelayedClipboard() = default;

    // Empties the clipboard (which lets go of an earlier snapshot) and announces this one
    // there as CF_DIB, owned by `owner`. Errors: the clipboard held by another program.
    void Offer(HWND owner, std::unique_ptr<Snapshot> snapshot);

    // The result for the messages it answers: writing the picture out (WM_RENDERFORMAT,
    // WM_RENDERALLFORMATS) and letting it go (WM_DESTROYCLIPBOARD).
    std::optional<LRESULT> HandleMessage(HWND owner, UINT msg, WPARAM wp);

private:
    void RenderRequested();
    void RenderBeforeLeaving(HWND owner);

    std::unique_ptr<Snapshot> snapshot_;
};

}  // namespace win
