#pragma once
// Shared helpers of the Windows-side tests: a scratch HKEY_CURRENT_USER, message pumping,
// the error reports a user would have seen, and read-back of what is on screen.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Probes.h"
#include "app/ApplicationWindow.h"
#include "app/MainFrame.h"

namespace wintest {

// Redirects HKEY_CURRENT_USER of this process to a fresh scratch key for the test's
// lifetime, so no test ever touches a real user's settings.
class ScratchRegistry {
public:
    ScratchRegistry();
    ~ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;
    HKEY root() const noexcept { return root_; }  // what the program sees as HKEY_CURRENT_USER

private:
    std::wstring path_;
    HKEY root_ = nullptr;
};

// While it lives, HKEY_CURRENT_USER is a volatile key of the scratch registry, under which no
// lasting key can be made: every save fails at its first value.
class UnwritableRegistry {
public:
    explicit UnwritableRegistry(const ScratchRegistry& registry);
    ~UnwritableRegistry();
    UnwritableRegistry(const UnwritableRegistry&) = delete;
    UnwritableRegistry& operator=(const UnwritableRegistry&) = delete;

private:
    const ScratchRegistry& registry_;
    HKEY volatile_ = nullptr;
};

struct RawValue {
    DWORD type;
    std::vector<unsigned char> data;
    bool operator==(const RawValue&) const = default;
};
RawValue Sz(const char* text);
void PrintTo(const RawValue& value, std::ostream* out);  // readable failures: type and bytes  // REG_SZ text with its
                                                         // NUL, as the ANSI functions store it

// Reads / writes / lists values below the (redirected) HKEY_CURRENT_USER.
std::optional<RawValue> ReadValue(const char* keyPath, const char* name);
void WriteValue(const char* keyPath, const char* name, const RawValue& value);
bool KeyExists(const char* keyPath);
std::vector<std::string> SubkeyNames(const char* keyPath);
inline constexpr char kSection[] = "Software\\Kvn\\Pixtrove";

// Collects the error reports instead of showing message boxes.
class ErrorReports {
public:
    ErrorReports();
    ~ErrorReports();
    const std::vector<std::wstring>& texts() const noexcept { return *texts_; }

private:
    std::shared_ptr<std::vector<std::wstring>> texts_;
};

// Runs the message loop of this thread for a while, or until the condition holds.
void Pump(DWORD milliseconds);
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// The main window as the program makes it (the application window, settings loaded,
// shown), driven in-process.
struct Program {
    app::ApplicationWindow application;
    app::MainFrame main{application, false};
    Program();
};

// What a user reads.
std::wstring WindowText(HWND hwnd);
std::wstring StatusText(HWND statusBar, int part);
std::vector<std::wstring> MenuBarTitles(HMENU bar);
std::wstring MenuItemText(HMENU menu, UINT id);  // by command, searching sub-menus
bool ButtonChecked(HWND toolBar, int id);

// Pixels of a bitmap as 0x00RRGGBB, row by row from the top.
std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int& width, int& height);

// The program file, as a Windows path.
std::wstring ProgramExe();
// The tests' other program (tests/win/helper/OtherProgram.cpp), as a Windows path.
std::wstring OtherProgramExe();

}  // namespace wintest
