#include "InstallerProbes.h"

#include <shlobj.h>

#include <sstream>

#include "Process.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/Com.h"
#include "win32/Handles.h"

namespace wintest {

std::wstring Wide(const char* text) { return {text, text + std::char_traits<char>::length(text)}; }

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return narrow;
}

std::wstring WindowsPath(const char* unixPath)
{
    std::wstring path = L"Z:" + Wide(unixPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

DWORD Msiexec(const wchar_t* verb, const std::wstring& packageOrProductCode)
{
    std::wstring command = L"msiexec.exe " + std::wstring(verb) + L" \"" + packageOrProductCode + L"\" /qn";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return ~DWORD{0};
    ::CloseHandle(info.hThread);
    DWORD code = ~DWORD{0};
    if (::WaitForSingleObject(info.hProcess, 180000) == WAIT_OBJECT_0) ::GetExitCodeProcess(info.hProcess, &code);
    ::CloseHandle(info.hProcess);
    return code;
}

std::vector<std::pair<std::wstring, std::wstring>> OlderPackages()
{
    std::vector<std::pair<std::wstring, std::wstring>> packages;
    std::istringstream list(PIXTROVE_OLDER_PACKAGES);
    for (std::string item; std::getline(list, item, '|');) {
        const size_t equals = item.find('=');
        packages.emplace_back(Wide(item.substr(0, equals).c_str()), WindowsPath(item.substr(equals + 1).c_str()));
    }
    return packages;
}

namespace {

std::vector<std::wstring> RelatedProductCodes()
{
    std::vector<std::wstring> codes;
    wchar_t code[39]{};
    for (DWORD i = 0; ::MsiEnumRelatedProductsW(PIXTROVE_UPGRADE_CODE, 0, i, code) == ERROR_SUCCESS; ++i)
        codes.emplace_back(code);
    return codes;
}

std::wstring ProductInfo(const std::wstring& code, MSIINSTALLCONTEXT context, const wchar_t* property)
{
    wchar_t value[256]{};
    DWORD size = 256;
    if (::MsiGetProductInfoExW(code.c_str(), nullptr, context, property, value, &size) != ERROR_SUCCESS) return {};
    return value;
}

std::wstring RegistryText(HKEY key, const wchar_t* name)
{
    wchar_t value[256]{};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (::RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return {};
    return value;
}

}  // namespace

void UninstallEverything()
{
    for (const std::wstring& code : RelatedProductCodes())
        Msiexec(L"/x", code);
}

void PrintTo(const InstalledProduct& product, std::ostream* out)
{
    *out << Narrow(product.version) << " in context " << product.context;
}

std::vector<InstalledProduct> InstalledProducts()
{
    std::vector<InstalledProduct> products;
    for (const std::wstring& code : RelatedProductCodes()) {
        for (MSIINSTALLCONTEXT context : {MSIINSTALLCONTEXT_USERUNMANAGED, MSIINSTALLCONTEXT_USERMANAGED,
                                          MSIINSTALLCONTEXT_MACHINE}) {
            const std::wstring version = ProductInfo(code, context, INSTALLPROPERTY_VERSIONSTRING);
            if (!version.empty()) {
                products.push_back({version, context});
                break;
            }
        }
    }
    return products;
}

void PrintTo(const UninstallEntry& entry, std::ostream* out)
{
    *out << Narrow(entry.name) << " " << Narrow(entry.version) << " by " << Narrow(entry.publisher);
}

std::vector<UninstallEntry> UninstallEntries()
{
    std::vector<UninstallEntry> entries;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        win::OwnedKey list;
        if (::RegOpenKeyExW(root, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0, KEY_READ,
                            list.put()) != ERROR_SUCCESS)
            continue;
        wchar_t name[256]{};
        for (DWORD i = 0, size = 256; ::RegEnumKeyExW(list.get(), i, name, &size, nullptr, nullptr, nullptr,
                                                      nullptr) == ERROR_SUCCESS;
             ++i, size = 256) {
            win::OwnedKey entry;
            if (::RegOpenKeyExW(list.get(), name, 0, KEY_READ, entry.put()) != ERROR_SUCCESS) continue;
            if (RegistryText(entry.get(), L"DisplayName") != L"Pixtrove!") continue;
            entries.push_back({L"Pixtrove!", RegistryText(entry.get(), L"DisplayVersion"),
                               RegistryText(entry.get(), L"Publisher")});
        }
    }
    return entries;
}

std::wstring InstallFolder()
{
    wchar_t local[MAX_PATH]{};
    ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local);
    return std::wstring(local) + L"\\Programs\\Pixtrove";
}

std::wstring ShortcutTarget()
{
    wchar_t programs[MAX_PATH]{};
    ::SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
    const std::wstring shortcut = std::wstring(programs) + L"\\Pixtrove!.lnk";
    if (::GetFileAttributesW(shortcut.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    win::ComScope com;
    win::ComPtr<IShellLinkW> link;
    win::ComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH]{};
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.put()))) ||
        FAILED(link.get()->QueryInterface(IID_PPV_ARGS(file.put()))) ||
        FAILED(file.get()->Load(shortcut.c_str(), STGM_READ)) ||
        FAILED(link.get()->GetPath(target, MAX_PATH, nullptr, 0)))
        return L"(unreadable shortcut)";
    return target;
}

FILETIME LastWritten(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

namespace {

HWND VersionBoxOf(const ChildProcess& program)
{
    for (HWND w : TopLevelWindowsOf(program.id()))
        if (::IsWindowVisible(w) && WindowText(w) == L"ﾊﾞｰｼﾞｮﾝ情報") return w;
    return nullptr;
}

std::wstring VersionLineIn(HWND box)
{
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (WindowText(child).starts_with(L"Version")) return WindowText(child);
    return L"(no version line)";
}

}  // namespace

std::wstring VersionLineOf(const std::wstring& program)
{
    ChildProcess started(program);
    const HWND main = WaitForVisibleWindow(started, L"TRorUruvodi");
    if (!main) return L"(the program did not start)";
    ::PostMessageW(main, WM_COMMAND, IDM_ABOUT, 0);
    HWND box = nullptr;
    if (!PumpUntil([&] { return (box = VersionBoxOf(started)) != nullptr; }, 10000)) return L"(no version box)";
    const std::wstring line = VersionLineIn(box);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    PumpUntil([&] { return !::IsWindow(box); }, 5000);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    started.WaitForExit(10000);
    return line;
}

}  // namespace wintest
