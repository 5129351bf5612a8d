#include "win32/Clipboard.h"

#include "win32/ErrorReport.h"

namespace win {

void CopyPictureToClipboard(const Picture& picture, core::Rect source, HWND owner)
{
    const int width = source.Width(), height = source.Height();
    WindowDC screen(nullptr);
    OwnedDC memory(ThrowLastErrorIfNull(::CreateCompatibleDC(screen.get())));
    OwnedBitmap copy(ThrowLastErrorIfNull(::CreateCompatibleBitmap(screen.get(), width, height)));
    {
        SelectedObject into(memory.get(), copy.get());
        picture.DrawOwnPixels(memory.get(), source, source);
    }
    ClipboardSession clipboard(owner);
    if (!clipboard) throw core::AppError(kClipboardBusy);
    ::EmptyClipboard();
    ThrowLastErrorIfNull(::SetClipboardData(CF_BITMAP, copy.get()));
    copy.release();  // the clipboard owns it now
}

}  // namespace win
