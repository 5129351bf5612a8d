#pragma once
// A watcher of the system's file dialog that lives on the stack of the one who shows the
// dialog, and outlives it: each event it does not take is left to the dialog.
#include <shobjidl.h>

namespace win {

class FileDialogEvents : public IFileDialogEvents {
public:
    FileDialogEvents(const FileDialogEvents&) = delete;
    FileDialogEvents& operator=(const FileDialogEvents&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IFileDialogEvents)) return E_NOINTERFACE;
        *out = static_cast<IFileDialogEvents*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog*) override { return E_NOTIMPL; }
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

protected:
    FileDialogEvents() = default;
    ~FileDialogEvents() = default;
};

// Watches `dialog` while it lives.
class Advised {
public:
    Advised(IFileDialog& dialog, IFileDialogEvents& events) : dialog_(dialog)
    {
        if (FAILED(dialog_.Advise(&events, &cookie_))) cookie_ = 0;
    }
    ~Advised()
    {
        if (cookie_) dialog_.Unadvise(cookie_);
    }
    Advised(const Advised&) = delete;
    Advised& operator=(const Advised&) = delete;

private:
    IFileDialog& dialog_;
    DWORD cookie_ = 0;
};

}  // namespace win
