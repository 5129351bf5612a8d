#pragma once
// Putting a part of a picture on the clipboard as one device-dependent bitmap.
#include <windows.h>

#include "core/Geometry.h"
#include "win32/Picture.h"

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

// Copies `source` (picture coordinates, not empty) to the clipboard as CF_BITMAP. The
// selection frame that stands on the source's outer ring is inverted back, so the copy
// carries the picture's own pixels; parts of the source outside the picture are white.
// Errors: the clipboard held by another program, or no bitmap to be had.
void CopyPictureToClipboard(const Picture& picture, core::Rect source, HWND owner);

}  // namespace win
