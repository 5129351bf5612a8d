#include "win32/FolderFiles.h"

#include <shlobj.h>

#include <algorithm>

#include "core/KeptShots.h"
#include "win32/Com.h"
#include "win32/Handles.h"
#include "win32/ReplacingFile.h"
#include "win32/Text.h"

namespace win {
namespace {

// FOLDERID_LocalAppData, as the SDK gives it: from the import library it would bring every
// other folder id along.
constexpr GUID kLocalAppData{0xf1b32785, 0x6fba, 0x4fcf, {0x9d, 0x55, 0x7b, 0x8e, 0x7f, 0x15, 0x70, 0x91}};

class FindHandle {
public:
    explicit FindHandle(HANDLE h) noexcept : h_(h) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle()
    {
        if (h_ != INVALID_HANDLE_VALUE) ::FindClose(h_);
    }
    HANDLE get() const noexcept { return h_; }

private:
    HANDLE h_;
};

std::wstring Parent(const std::wstring& path)
{
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring LocalAppDataFolder()
{
    OwnedTaskString path;
    if (FAILED(::SHGetKnownFolderPath(kLocalAppData, 0, nullptr, path.put())) || !path) return {};
    return path.get();
}

bool MakeFolder(const std::wstring& folder)
{
    if (IsFolder(folder)) return true;
    const std::wstring parent = Parent(folder);
    if (!parent.empty() && !IsFolder(parent)) ::CreateDirectoryW(parent.c_str(), nullptr);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return IsFolder(folder);
}

std::vector<std::wstring> FileNamesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const FindHandle find(
        ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
    if (find.get() == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (::FindNextFileW(find.get(), &found));
    return names;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path, std::uint64_t most, bool whole)
{
    const HANDLE opened = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
    const OwnedHandle file(opened);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return std::nullopt;
    const auto length = static_cast<std::uint64_t>(size.QuadPart);
    if (whole && length > most) return std::nullopt;
    std::string bytes(static_cast<size_t>(std::min(length, most)), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return std::nullopt;
    return bytes;
}

void WriteWholeFile(const std::wstring& path, std::string_view bytes)
{
    ReplacingFile file(path);
    ULONG written = 0;
    const HRESULT hr = file.Stream()->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    if (FAILED(hr)) throw SaveError(path, file.StreamFailure() != ERROR_SUCCESS ? file.StreamFailure() : ErrorCode(hr));
    file.Commit();
}

bool MoveAside(const std::wstring& folder, const std::wstring& name, const std::wstring& aside)
{
    if (!MakeFolder(aside)) return false;
    const std::wstring from = folder + L"\\" + name;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring to = aside + L"\\" + Widen(core::AsideName(Narrow(name), attempt));
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = ::GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

}  // namespace win
