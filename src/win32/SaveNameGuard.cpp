#include "win32/SaveNameGuard.h"

#include <commctrl.h>

#include "win32/Com.h"
#include "win32/ErrorReport.h"

namespace win {
namespace {

// Room kept for the extension the dialog may add (".jpeg" at most) and the closing NUL.
constexpr size_t kExtensionRoom = 6;

bool HasDrive(const std::wstring& name) { return name.size() >= 2 && name[1] == L':'; }
bool FromRoot(const std::wstring& name) { return !name.empty() && (name[0] == L'\\' || name[0] == L'/'); }

std::wstring FolderOf(IFileDialog& dialog)
{
    ComPtr<IShellItem> folder;
    OwnedTaskString path;
    if (FAILED(dialog.GetFolder(folder.put())) || FAILED(folder.get()->GetDisplayName(SIGDN_FILESYSPATH, path.put())))
        return {};
    return path.get();
}

}  // namespace

SaveNameGuard::SaveNameGuard(IFileDialog& dialog) : dialog_(dialog), advised_(dialog, *this) {}

SaveNameGuard::~SaveNameGuard()
{
    if (window_) ::RemoveWindowSubclass(window_, &Watch, 0);
}

std::wstring SaveNameGuard::JoinedPath(const std::wstring& folder, const std::wstring& name)
{
    if (HasDrive(name) || (FromRoot(name) && name.size() > 1 && FromRoot(name.substr(1)))) return name;
    if (FromRoot(name)) return folder.substr(0, 2) + name;  // the folder's drive
    if (!folder.empty() && folder.back() != L'\\') return folder + L"\\" + name;
    return folder + name;
}

HRESULT STDMETHODCALLTYPE SaveNameGuard::OnFolderChange(IFileDialog* dialog)
{
    if (window_ || !dialog) return S_OK;
    ComPtr<IOleWindow> ole;
    HWND window = nullptr;
    if (FAILED(dialog->QueryInterface(IID_PPV_ARGS(ole.put()))) || FAILED(ole.get()->GetWindow(&window)) || !window)
        return S_OK;
    if (::SetWindowSubclass(window, &Watch, 0, reinterpret_cast<DWORD_PTR>(this))) window_ = window;
    return S_OK;
}

bool SaveNameGuard::Acceptable()
{
    OwnedTaskString typed;
    if (FAILED(dialog_.GetFileName(typed.put())) || !typed) return true;
    const std::wstring path = JoinedPath(FolderOf(dialog_), typed.get());
    if (path.size() + kExtensionRoom <= MAX_PATH) return true;
    ShowErrorReport(SaveError(path, ERROR_FILENAME_EXCED_RANGE).what());
    return false;
}

LRESULT CALLBACK SaveNameGuard::Watch(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) noexcept
{
    auto& guard = *reinterpret_cast<SaveNameGuard*>(self);
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK && HIWORD(wp) == BN_CLICKED &&
        !Guarded([&] { return guard.Acceptable(); }, false))
        return 0;
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &Watch, 0);
        guard.window_ = nullptr;
    }
    return ::DefSubclassProc(window, msg, wp, lp);
}

}  // namespace win
