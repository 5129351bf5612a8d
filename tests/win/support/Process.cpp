#include "Process.h"

#include <stdexcept>

#include "WinTest.h"

namespace wintest {

ChildProcess::ChildProcess(const std::wstring& exe, Start start, const std::wstring& arguments)
{
    STARTUPINFOW startup{sizeof(startup)};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    started_ = ::GetTickCount64();
    const DWORD flags = start == Start::Suspended  ? CREATE_SUSPENDED
                        : start == Start::Debugged ? DEBUG_ONLY_THIS_PROCESS
                                                   : 0;
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                          &info_))
        throw std::runtime_error("the program did not start");
    if (start != Start::Suspended) Resume();
}

// Lets a suspended process run (a running one has no suspension to lift) and lets go of its thread.
void ChildProcess::Resume()
{
    if (!info_.hThread) return;
    ::ResumeThread(info_.hThread);
    ::CloseHandle(info_.hThread);
    info_.hThread = nullptr;
}

void ChildProcess::Kill()
{
    ::TerminateProcess(info_.hProcess, 98);
    ::WaitForSingleObject(info_.hProcess, 10000);
}

ChildProcess::~ChildProcess()
{
    if (Running()) {
        for (HWND w : TopLevelWindowsOf(id()))
            ::PostMessageW(w, WM_CLOSE, 0, 0);
        if (!WaitForExit(5000)) {
            ::TerminateProcess(info_.hProcess, 99);
            ::WaitForSingleObject(info_.hProcess, 5000);
        }
    }
    if (info_.hThread) ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
}

bool ChildProcess::Running() const noexcept { return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool ChildProcess::WaitForExit(DWORD timeoutMs) const
{
    return PumpUntil([this] { return !Running(); }, timeoutMs);
}

std::optional<DWORD> ChildProcess::ExitCode() const noexcept
{
    DWORD code = 0;
    if (Running() || !::GetExitCodeProcess(info_.hProcess, &code)) return std::nullopt;
    return code;
}

ULONGLONG ChildProcess::Age() const noexcept { return ::GetTickCount64() - started_; }

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param)
{
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search.processId) return TRUE;
    if (search.className) {
        wchar_t name[256]{};
        ::GetClassNameW(hwnd, name, 256);
        if (std::wstring_view(name) != search.className) return TRUE;
    }
    search.found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId, const wchar_t* className)
{
    WindowSearch search{processId, className, {}};
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForVisibleWindow(const ChildProcess& process, const wchar_t* className, DWORD timeoutMs)
{
    HWND visible = nullptr;
    PumpUntil(
        [&] {
            for (HWND w : TopLevelWindowsOf(process.id(), className))
                if (::IsWindowVisible(w)) visible = w;
            return visible != nullptr || !process.Running();
        },
        timeoutMs);
    return visible;
}

bool MutexExists(const char* name)
{
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (!mutex) return false;
    ::CloseHandle(mutex);
    return true;
}

namespace {

RegistryBackup::Tree ReadTree(HKEY key)
{
    RegistryBackup::Tree tree;
    DWORD maxName = 0, maxData = 0, maxKey = 0;
    ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &maxKey, nullptr, nullptr, &maxName, &maxData, nullptr,
                       nullptr);
    for (DWORD i = 0;; ++i) {
        std::wstring name(maxName + 1, L'\0');
        DWORD nameSize = maxName + 1, type = 0, size = maxData;
        std::vector<BYTE> data(maxData);
        if (::RegEnumValueW(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
        name.resize(nameSize);
        data.resize(size);
        tree.values.emplace_back(name, RegistryBackup::Value{type, data});
    }
    for (DWORD i = 0;; ++i) {
        std::wstring name(maxKey + 1, L'\0');
        DWORD nameSize = maxKey + 1;
        if (::RegEnumKeyExW(key, i, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        name.resize(nameSize);
        HKEY sub = nullptr;
        if (::RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS)
            throw std::runtime_error("registry key not readable for the backup");
        tree.keys.push_back({name, ReadTree(sub)});
        ::RegCloseKey(sub);
    }
    return tree;
}

void WriteTree(HKEY key, const RegistryBackup::Tree& tree)
{
    for (const auto& [name, value] : tree.values)
        ::RegSetValueExW(key, name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    for (const auto& [name, subtree] : tree.keys) {
        HKEY sub = nullptr;
        if (::RegCreateKeyExW(key, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr) !=
            ERROR_SUCCESS)
            continue;
        WriteTree(sub, subtree);
        ::RegCloseKey(sub);
    }
}

}  // namespace

RegistryBackup::RegistryBackup(std::wstring keyPath) : path_(std::move(keyPath))
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    saved_ = ReadTree(key);
    ::RegCloseKey(key);
}

RegistryBackup::~RegistryBackup()
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    if (!saved_) return;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    WriteTree(key, *saved_);
    ::RegCloseKey(key);
}

}  // namespace wintest

namespace wintest {
namespace {

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr wchar_t kLocalAppData[] = L"Local AppData";

struct LocalAppDataState {
    int users = 0;
    std::wstring folder;
    std::optional<RegistryBackup::Value> before;
};
LocalAppDataState& State()
{
    static LocalAppDataState state;
    return state;
}

}  // namespace

void DeleteFolderTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found)) {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            DeleteFolderTree(path);
        else
            ::DeleteFileW(path.c_str());
    }
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
    ::RemoveDirectoryW(folder.c_str());
}

PrivateLocalAppData::PrivateLocalAppData()
{
    LocalAppDataState& state = State();
    if (state.users++ > 0) return;
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    static int made = 0;
    state.folder = std::wstring(temp) + L"pixtrove-local-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++made);
    DeleteFolderTree(state.folder);
    ::CreateDirectoryW(state.folder.c_str(), nullptr);
    DWORD type = 0, size = 0;
    state.before.reset();
    if (::RegGetValueW(HKEY_CURRENT_USER, kShellFolders, kLocalAppData, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                       &size) == ERROR_SUCCESS) {
        RegistryBackup::Value value{type, std::vector<BYTE>(size)};
        if (::RegGetValueW(HKEY_CURRENT_USER, kShellFolders, kLocalAppData, RRF_RT_ANY | RRF_NOEXPAND, &type,
                           value.data.data(), &size) == ERROR_SUCCESS) {
            value.data.resize(size);
            state.before = std::move(value);
        }
    }
    const auto bytes = static_cast<DWORD>((state.folder.size() + 1) * sizeof(wchar_t));
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, kLocalAppData, REG_EXPAND_SZ, state.folder.c_str(), bytes);
}

PrivateLocalAppData::~PrivateLocalAppData()
{
    LocalAppDataState& state = State();
    if (--state.users > 0) return;
    if (state.before)
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, kLocalAppData, state.before->type,
                          state.before->data.data(), static_cast<DWORD>(state.before->data.size()));
    else
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolders, kLocalAppData);
    DeleteFolderTree(state.folder);
}

const std::wstring& PrivateLocalAppData::Folder() { return State().folder; }

}  // namespace wintest
