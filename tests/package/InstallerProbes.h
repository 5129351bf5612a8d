#pragma once
// What the installer tests run and read back under Wine: msiexec, the products Windows
// Installer knows by the release's upgrade code, the entries of Apps & features, the install
// folder, the Start-menu shortcut, and the version line a started program shows.
#include <windows.h>
#include <msi.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace wintest {

std::wstring Wide(const char* text);  // ASCII
std::string Narrow(const std::wstring& text);
std::wstring WindowsPath(const char* unixPath);  // as Wine sees it, on drive Z:

// msiexec VERB PACKAGE /qn (VERB /i or /x); its exit code, or ~0 when it did not end in time.
DWORD Msiexec(const wchar_t* verb, const std::wstring& packageOrProductCode);
// The release's lower-version packages (version, path), from the test's set-up.
std::vector<std::pair<std::wstring, std::wstring>> OlderPackages();
// Removes every product of the release's upgrade code.
void UninstallEverything();

struct InstalledProduct {
    std::wstring version;
    MSIINSTALLCONTEXT context;
    bool operator==(const InstalledProduct&) const = default;
};
void PrintTo(const InstalledProduct& product, std::ostream* out);
std::vector<InstalledProduct> InstalledProducts();

struct UninstallEntry {
    std::wstring name, version, publisher;
    bool operator==(const UninstallEntry&) const = default;
};
void PrintTo(const UninstallEntry& entry, std::ostream* out);
// The entries named "Pixtrove!" in the uninstall keys of HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
std::vector<UninstallEntry> UninstallEntries();

std::wstring InstallFolder();   // %LOCALAPPDATA%\Programs\Pixtrove
std::wstring ShortcutTarget();  // of "Pixtrove!" in the Start menu; empty when there is none
FILETIME LastWritten(const std::wstring& path);
// Starts the program, opens its version box, and returns the box's version line; the program
// is closed again.
std::wstring VersionLineOf(const std::wstring& program);

}  // namespace wintest
