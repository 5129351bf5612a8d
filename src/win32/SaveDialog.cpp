#include "win32/SaveDialog.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "core/SaveName.h"
#include "win32/Com.h"
#include "win32/SaveChoice.h"
#include "win32/SaveNameGuard.h"
#include "win32/Text.h"

namespace win {
namespace {

// The ids as the SDK gives them (CLSID_FileSaveDialog, FOLDERID_Pictures): from the import
// library they would bring every other id along.
constexpr GUID kFileSaveDialog{0xc0b4e2f3, 0xba21, 0x4773, {0x8d, 0xba, 0x33, 0x5e, 0xc9, 0x46, 0xeb, 0x8b}};
constexpr GUID kPicturesFolder{0x33e28130, 0x4e1e, 0x4676, {0x83, 0x5a, 0x98, 0x39, 0x5c, 0x3b, 0xc3, 0xbb}};

// The dialog's file-type list: label and patterns of each entry, kept alive while it is up.
class FileTypes {
public:
    FileTypes()
    {
        for (const core::SaveFormat& format : core::SaveFormats()) {
            labels_.push_back(Widen(format.label));
            patterns_.push_back(Widen(format.patterns));
        }
        for (size_t i = 0; i < labels_.size(); ++i) specs_.push_back({labels_[i].c_str(), patterns_[i].c_str()});
    }
    UINT Count() const noexcept { return static_cast<UINT>(specs_.size()); }
    const COMDLG_FILTERSPEC* Specs() const noexcept { return specs_.data(); }

private:
    std::vector<std::wstring> labels_, patterns_;
    std::vector<COMDLG_FILTERSPEC> specs_;
};

std::wstring PicturesFolder()
{
    OwnedTaskString path;
    if (FAILED(::SHGetKnownFolderPath(kPicturesFolder, KF_FLAG_DEFAULT, nullptr, path.put()))) return {};
    return path.get();
}

// Where the dialog opens; a folder that has gone since is left to the dialog's own choice.
void OpenIn(IFileDialog& dialog, const std::wstring& folder)
{
    ComPtr<IShellItem> item;
    if (folder.empty() || FAILED(::SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(item.put()))))
        return;
    dialog.SetFolder(item.get());
}

void Configure(IFileSaveDialog& dialog, const FileTypes& types, const std::wstring& defaultName)
{
    ThrowIfFailed(dialog.SetFileTypes(types.Count(), types.Specs()));
    ThrowIfFailed(dialog.SetFileTypeIndex(1));
    // The dialog adds an extension as it sees fit; SaveChoice takes the name as typed.
    ThrowIfFailed(dialog.SetDefaultExtension(L"png"));
    ThrowIfFailed(dialog.SetFileName(defaultName.c_str()));
    FILEOPENDIALOGOPTIONS options = 0;
    ThrowIfFailed(dialog.GetOptions(&options));
    // No question of the dialog's about replacing: it would ask about the file of its own name,
    // not of the one the save writes. SaveChoice asks.
    options &= ~static_cast<FILEOPENDIALOGOPTIONS>(FOS_OVERWRITEPROMPT);
    ThrowIfFailed(dialog.SetOptions(options | FOS_PATHMUSTEXIST | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR));
}

std::wstring ChosenPath(IFileDialog& dialog)
{
    ComPtr<IShellItem> item;
    ThrowIfFailed(dialog.GetResult(item.put()));
    OwnedTaskString path;
    ThrowIfFailed(item.get()->GetDisplayName(SIGDN_FILESYSPATH, path.put()));
    return path.get();
}

}  // namespace

std::optional<SaveTarget> SaveDialog::Choose(HWND owner, const std::wstring& defaultName,
                                             const std::wstring& folder)
{
    ComScope com;  // the dialog is made of shell objects
    ComPtr<IFileSaveDialog> dialog;
    ThrowIfFailed(::CoCreateInstance(kFileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.put())));
    const FileTypes types;
    Configure(*dialog.get(), types, defaultName);
    if (folder_.empty()) folder_ = PicturesFolder();
    OpenIn(*dialog.get(), folder.empty() ? folder_ : folder);

    const SaveNameGuard guard(*dialog.get());
    const SaveChoice choice(*dialog.get());
    const HRESULT shown = dialog.get()->Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return std::nullopt;
    ThrowIfFailed(shown);  // what the dialog itself met, with the system's text

    const std::wstring path = choice.Path() ? *choice.Path() : ChosenPath(*dialog.get());
    UINT entry = static_cast<UINT>(choice.Entry()) + 1;
    if (!choice.Path() && (FAILED(dialog.get()->GetFileTypeIndex(&entry)) || entry == 0)) entry = 1;
    // The folder without its last separator, but a drive's root with it ("C:\\").
    const size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos) folder_ = path.substr(0, separator == 2 ? 3 : separator);
    return SaveTarget{path, entry - 1};
}

}  // namespace win
