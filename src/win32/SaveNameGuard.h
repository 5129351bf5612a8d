#pragma once
// A watch over the Save dialog's file name. Wine's dialog joins a typed name to its folder in a
// buffer of MAX_PATH characters when the user presses Save, and a longer one overruns it and
// ends the whole program with every unsaved shot. While the guard lives, such a name is refused
// with the standard report (the name, and the system's text for a name too long), and the
// dialog stays open for another.
#include <shobjidl.h>

#include <string>

namespace win {

class SaveNameGuard final : public IFileDialogEvents {
public:
    explicit SaveNameGuard(IFileDialog& dialog);
    ~SaveNameGuard();
    SaveNameGuard(const SaveNameGuard&) = delete;
    SaveNameGuard& operator=(const SaveNameGuard&) = delete;

    // The path the dialog would make of `name` typed in `folder`, before it resolves "." and
    // "..": what it copies into its buffer.
    static std::wstring JoinedPath(const std::wstring& folder, const std::wstring& name);

    // IUnknown: the guard lives on the stack of the one who shows the dialog, and outlives it.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // The window exists once the dialog shows its first folder.
    HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog* dialog) override;
    HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) override
    {
        return E_NOTIMPL;
    }

private:
    static LRESULT CALLBACK Watch(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept;
    // True when the name may go on to the dialog; otherwise it has been reported.
    bool Acceptable();

    IFileDialog& dialog_;
    DWORD cookie_ = 0;
    HWND window_ = nullptr;
};

}  // namespace win
