#pragma once
// A watch over the Save dialog's file name. Wine's dialog joins a typed name to its folder in a
// buffer of MAX_PATH characters when the user presses Save, and a longer one overruns it and
// ends the whole program with every unsaved shot. While the guard lives, such a name is refused
// with the standard report (the name, and the system's text for a name too long), and the
// dialog stays open for another.
#include <shobjidl.h>

#include <string>

#include "win32/FileDialogEvents.h"

namespace win {

class SaveNameGuard final : public FileDialogEvents {
public:
    explicit SaveNameGuard(IFileDialog& dialog);
    ~SaveNameGuard();
    SaveNameGuard(const SaveNameGuard&) = delete;
    SaveNameGuard& operator=(const SaveNameGuard&) = delete;

    // The path the dialog would make of `name` typed in `folder`, before it resolves "." and
    // "..": what it copies into its buffer.
    static std::wstring JoinedPath(const std::wstring& folder, const std::wstring& name);

    // The window exists once the dialog shows its first folder.
    HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog* dialog) override;

private:
    static LRESULT CALLBACK Watch(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept;
    // True when the name may go on to the dialog; otherwise it has been reported.
    bool Acceptable();

    IFileDialog& dialog_;
    HWND window_ = nullptr;
    Advised advised_;  // goes first
};

}  // namespace win
