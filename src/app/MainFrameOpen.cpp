// Pictures from outside as shots: files chosen in the Open dialog or dropped on the frame, and
// what the clipboard holds.
#include "app/MainFrame.h"

#include <new>

#include "core/AppError.h"
#include "core/OpenReport.h"
#include "win32/ClipboardPicture.h"
#include "win32/DelayedClipboard.h"
#include "win32/ImageDecoder.h"
#include "win32/Text.h"

namespace app {
namespace {

std::string FileName(const std::wstring& path)
{
    const size_t separator = path.find_last_of(L"\\/");
    return win::Narrow(separator == std::wstring::npos ? path : path.substr(separator + 1));
}

}  // namespace

void MainFrame::OnOpen() { OnOpenFiles(openDialog_.Choose(hwnd_)); }

// Each file on its own: a file that cannot be read leaves the others to open, and is named
// in the one report at the end.
void MainFrame::OnOpenFiles(const std::vector<std::wstring>& paths)
{
    std::vector<core::OpenFailure> failures;
    for (const std::wstring& path : paths) {
        try {
            std::unique_ptr<win::Picture> picture = win::ReadPictureFile(path);
            MakeShot(std::move(picture), FileName(path), path);
        } catch (const core::AppError& e) {
            failures.push_back({win::Narrow(path), e.what()});
        } catch (const std::bad_alloc&) {
            failures.push_back({win::Narrow(path), core::kOutOfResources});
        }
    }
    if (!failures.empty()) throw core::AppError(core::OpenReportText(failures));
}

void MainFrame::OnPasteNew()
{
    win::ClipboardContent content;
    try {
        content = win::ReadClipboardPicture(hwnd_);
    } catch (const core::AppError& e) {
        if (e.what() == std::string_view(win::kClipboardBusy)) throw;
        throw core::AppError(core::PasteReportText(e.what()), e.Code());
    }
    if (content.picture) return OpenShot(std::move(content.picture));
    if (content.files.empty()) throw core::AppError(core::kNoPictureOnClipboard);
    OnOpenFiles(content.files);
}

bool MainFrame::CanPasteNew() noexcept { return win::ClipboardHasPicture(); }

void MainFrame::OnDropFiles(HDROP drop)
{
    const std::vector<std::wstring> files = win::DroppedFiles(drop);
    ::DragFinish(drop);
    OnOpenFiles(files);
}

}  // namespace app
