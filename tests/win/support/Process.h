#pragma once
// Helpers for the tests that start the program as a process of its own: the child
// process, the windows it owns, and a backup of the registry key it reads and writes.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wintest {

// While one lives, the programs started by this test keep their per-user data (the kept shots)
// in a fresh folder of their own: the prefix's per-user folder setting ("Local AppData" of the
// user's shell folders) points there, and is put back, and the folder deleted, when the last one
// goes. Those made while one lives share its folder, so a test that holds one sees what one start
// of the program kept at the next.
class PrivateLocalAppData {
public:
    PrivateLocalAppData();
    ~PrivateLocalAppData();
    PrivateLocalAppData(const PrivateLocalAppData&) = delete;
    PrivateLocalAppData& operator=(const PrivateLocalAppData&) = delete;

    static const std::wstring& Folder();  // %LOCALAPPDATA% of the programs
    static std::wstring KeptShots() { return Folder() + L"\\Pixtrove\\Shots"; }
    static std::wstring Unreadable() { return Folder() + L"\\Pixtrove\\Unreadable"; }
};

// Deletes a folder with everything in it.
void DeleteFolderTree(const std::wstring& folder);

// A started program. A child still running when the test ends is asked to close its
// windows, and ended if it does not go within a few seconds.
class ChildProcess {
public:
    // A process started suspended runs nothing until Resume(), so that many can be let go at
    // once; a debugged one has this thread as its debugger (see DebugHold.h).
    enum class Start { Running, Suspended, Debugged };
    explicit ChildProcess(const std::wstring& exe, Start start = Start::Running, const std::wstring& arguments = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void Resume();
    // Ends the process at once, as a crash or the task manager does, and waits until it is gone.
    void Kill();
    DWORD id() const noexcept { return info_.dwProcessId; }
    bool Running() const noexcept;
    // Waits (pumping this thread's messages) for the process to end.
    bool WaitForExit(DWORD timeoutMs) const;
    std::optional<DWORD> ExitCode() const noexcept;
    // Milliseconds from CreateProcessW to now.
    ULONGLONG Age() const noexcept;

private:
    PrivateLocalAppData localAppData_;  // first: there before the program starts, gone after it ends
    PROCESS_INFORMATION info_{};
    ULONGLONG started_ = 0;
};

// Top-level windows of one process with the given class (all classes for nullptr).
std::vector<HWND> TopLevelWindowsOf(DWORD processId, const wchar_t* className = nullptr);
// The first visible top-level window of the class, once it appears.
HWND WaitForVisibleWindow(const ChildProcess& process, const wchar_t* className, DWORD timeoutMs = 10000);

// Whether the named kernel mutex exists right now (the handle is closed again at once).
bool MutexExists(const char* name);

// Copies the key tree below HKEY_CURRENT_USER at construction and puts back exactly that
// tree (or no key at all, if there was none) at destruction.
class RegistryBackup {
public:
    explicit RegistryBackup(std::wstring keyPath);
    ~RegistryBackup();
    RegistryBackup(const RegistryBackup&) = delete;
    RegistryBackup& operator=(const RegistryBackup&) = delete;

    struct Value {
        DWORD type;
        std::vector<BYTE> data;
    };
    struct Tree {
        struct Subkey;  // a vector may hold an incomplete type, but a std::pair of one may not be named
        std::vector<std::pair<std::wstring, Value>> values;
        std::vector<Subkey> keys;
    };

private:
    std::wstring path_;
    std::optional<Tree> saved_;
};

struct RegistryBackup::Tree::Subkey {
    std::wstring name;
    Tree tree;
};

}  // namespace wintest
