#include "win32/SaveDialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include "core/SaveName.h"
#include "win32/Com.h"
#include "win32/Text.h"

namespace win {
namespace {

// FOLDERID_Pictures, as the SDK gives it: from the import library it would bring every other
// known folder's id along.
constexpr GUID kPicturesFolder{0x33e28130, 0x4e1e, 0x4676, {0x83, 0x5a, 0x98, 0x39, 0x5c, 0x3b, 0xc3, 0xbb}};

// Room for the longest path the system takes.
constexpr size_t kPathCapacity = 32768;

// Label and patterns of each entry, each ended by a NUL, the whole list by one more.
std::wstring FilterList()
{
    std::wstring list;
    for (const core::SaveFormat& format : core::SaveFormats()) {
        list += Widen(format.label);
        list.push_back(L'\0');
        list += Widen(format.patterns);
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    return list;
}

std::wstring PicturesFolder()
{
    OwnedTaskString path;
    if (FAILED(::SHGetKnownFolderPath(kPicturesFolder, KF_FLAG_DEFAULT, nullptr, path.put()))) return {};
    return path.get();
}

}  // namespace

std::optional<SaveTarget> SaveDialog::Choose(HWND owner, const std::wstring& defaultName)
{
    ComScope com;  // the dialog's folder view is made of shell objects
    if (folder_.empty()) folder_ = PicturesFolder();
    const std::wstring filters = FilterList();
    std::wstring file = defaultName;
    file.resize(kPathCapacity, L'\0');

    OPENFILENAMEW request{sizeof(request)};
    request.hwndOwner = owner;
    request.lpstrFilter = filters.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrInitialDir = folder_.empty() ? nullptr : folder_.c_str();
    // With a default extension the dialog adds the chosen entry's to a name typed without one,
    // before it asks about replacing a file of that name.
    request.lpstrDefExt = L"png";
    request.Flags =
        OFN_EXPLORER | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!::GetSaveFileNameW(&request)) {
        if (::CommDlgExtendedError() != 0) throw core::AppError(core::kOutOfResources);
        return std::nullopt;
    }
    file.resize(::wcslen(file.c_str()));
    folder_ = file.substr(0, request.nFileOffset);
    return SaveTarget{file, request.nFilterIndex > 0 ? request.nFilterIndex - 1 : 0};
}

}  // namespace win
