#pragma once
// A new shot from what another program put on the clipboard: a picture ("PNG" first, then
// CF_DIBV5, CF_DIB, CF_BITMAP), or files copied in Explorer (CF_HDROP), which open as files.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "win32/Picture.h"

namespace win {

struct ClipboardContent {
    std::unique_ptr<Picture> picture;
    std::vector<std::wstring> files;  // when there is no picture
};

// Whether the clipboard holds a picture or files, without opening it.
bool ClipboardHasPicture() noexcept;

// Reads the clipboard (opened for `owner`); empty when it holds neither. A picture that cannot
// be decoded throws its reason (see ImageDecoder.h); a clipboard that cannot be opened the
// text kClipboardBusy.
ClipboardContent ReadClipboardPicture(HWND owner);

// The files of a list dropped or copied in Explorer.
std::vector<std::wstring> DroppedFiles(HDROP drop);

}  // namespace win
