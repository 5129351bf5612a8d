#include "win32/Clipboard.h"

#include "win32/ErrorReport.h"

namespace win {

void CopyPictureToClipboard(const Picture& picture, core::Rect source, HWND owner)
{
    const int width = source.Width(), height = source.Height();
    WindowDC screen(nullptr);
    OwnedDC memory(::CreateCompatibleDC(screen.get()));
    if (!memory) ThrowLastError();
    OwnedBitmap copy(::CreateCompatibleBitmap(screen.get(), width, height));
    if (!copy) ThrowLastError();
    {
        SelectedObject into(memory.get(), copy.get());
        picture.DrawOwnPixels(memory.get(), source, source);
    }
    ClipboardSession clipboard(owner);
    if (!clipboard) throw core::AppError(kClipboardBusy);
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_BITMAP, copy.get())) ThrowLastError();
    copy.release();  // the clipboard owns it now
}

}  // namespace win
