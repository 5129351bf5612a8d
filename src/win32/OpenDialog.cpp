#include "win32/OpenDialog.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "win32/Com.h"

namespace win {
namespace {

// CLSID_FileOpenDialog and FOLDERID_Pictures, as the SDK gives them.
constexpr GUID kFileOpenDialog{0xdc1c5a9c, 0xe88a, 0x4dde, {0xa5, 0xa1, 0x60, 0xf8, 0x2a, 0x20, 0xae, 0xf7}};
constexpr GUID kPicturesFolder{0x33e28130, 0x4e1e, 0x4676, {0x83, 0x5a, 0x98, 0x39, 0x5c, 0x3b, 0xc3, 0xbb}};

std::wstring PicturesFolder()
{
    OwnedTaskString path;
    if (FAILED(::SHGetKnownFolderPath(kPicturesFolder, KF_FLAG_DEFAULT, nullptr, path.put()))) return {};
    return path.get();
}

void Configure(IFileOpenDialog& dialog, const std::wstring& folder)
{
    const COMDLG_FILTERSPEC types[] = {{kPictureFilesLabel, kPictureFilesPatterns}, {kAllFilesLabel, L"*.*"}};
    ThrowIfFailed(dialog.SetFileTypes(2, types));
    ThrowIfFailed(dialog.SetFileTypeIndex(1));
    FILEOPENDIALOGOPTIONS options = 0;
    ThrowIfFailed(dialog.GetOptions(&options));
    ThrowIfFailed(dialog.SetOptions(options | FOS_ALLOWMULTISELECT | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST |
                                    FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR));
    ComPtr<IShellItem> item;
    if (!folder.empty() && SUCCEEDED(::SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(item.put()))))
        dialog.SetFolder(item.get());
}

std::vector<std::wstring> ChosenPaths(IFileOpenDialog& dialog)
{
    ComPtr<IShellItemArray> items;
    ThrowIfFailed(dialog.GetResults(items.put()));
    DWORD count = 0;
    ThrowIfFailed(items.get()->GetCount(&count));
    std::vector<std::wstring> paths;
    for (DWORD i = 0; i < count; ++i) {
        ComPtr<IShellItem> item;
        OwnedTaskString path;
        ThrowIfFailed(items.get()->GetItemAt(i, item.put()));
        ThrowIfFailed(item.get()->GetDisplayName(SIGDN_FILESYSPATH, path.put()));
        paths.emplace_back(path.get());
    }
    return paths;
}

}  // namespace

std::vector<std::wstring> OpenDialog::Choose(HWND owner)
{
    ComScope com;  // the dialog is made of shell objects
    ComPtr<IFileOpenDialog> dialog;
    ThrowIfFailed(::CoCreateInstance(kFileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.put())));
    if (folder_.empty()) folder_ = PicturesFolder();
    Configure(*dialog.get(), folder_);
    const HRESULT shown = dialog.get()->Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return {};
    ThrowIfFailed(shown);
    std::vector<std::wstring> paths = ChosenPaths(*dialog.get());
    if (!paths.empty()) {
        const size_t separator = paths.front().find_last_of(L"\\/");
        if (separator != std::wstring::npos) folder_ = paths.front().substr(0, separator == 2 ? 3 : separator);
    }
    return paths;
}

}  // namespace win
