#include "WinTest.h"

#include <gtest/gtest.h>

#include "win32/ErrorReport.h"

namespace wintest {

ScratchRegistry::ScratchRegistry()
{
    static int serial = 0;
    path_ = L"Software\\PixtroveTests\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("scratch key not created");
    if (::RegOverridePredefKey(HKEY_CURRENT_USER, root_) != ERROR_SUCCESS)
        throw std::runtime_error("HKEY_CURRENT_USER not redirected");
}

ScratchRegistry::~ScratchRegistry()
{
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegCloseKey(root_);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

UnwritableRegistry::UnwritableRegistry(const ScratchRegistry& registry) : registry_(registry)
{
    ::RegCreateKeyExW(registry.root(), L"volatile", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &volatile_, nullptr);
    ::RegOverridePredefKey(HKEY_CURRENT_USER, volatile_);
}

UnwritableRegistry::~UnwritableRegistry()
{
    ::RegOverridePredefKey(HKEY_CURRENT_USER, registry_.root());
    ::RegCloseKey(volatile_);
}

RawValue Sz(const char* text)
{
    RawValue v{REG_SZ, {}};
    for (const char* p = text;; ++p) {
        v.data.push_back(static_cast<unsigned char>(*p));
        if (!*p) break;
    }
    return v;
}

void PrintTo(const RawValue& value, std::ostream* out)
{
    *out << "type " << value.type << " bytes {";
    for (unsigned char b : value.data)
        *out << ' ' << static_cast<int>(b);
    *out << " }";
}

std::optional<RawValue> ReadValue(const char* keyPath, const char* name)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<RawValue> result;
    if (::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        RawValue v{type, std::vector<unsigned char>(size)};
        if (::RegQueryValueExA(key, name, nullptr, &type, v.data.data(), &size) == ERROR_SUCCESS) result = v;
    }
    ::RegCloseKey(key);
    return result;
}

void WriteValue(const char* keyPath, const char* name, const RawValue& value)
{
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExA(key, name, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size())),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
}

bool KeyExists(const char* keyPath)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

std::vector<std::string> SubkeyNames(const char* keyPath)
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof(name);
        if (::RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    ::RegCloseKey(key);
    return names;
}

ErrorReports::ErrorReports() : texts_(std::make_shared<std::vector<std::wstring>>())
{
    win::SetErrorReportSink([texts = texts_](const std::wstring& text) { texts->push_back(text); });
}

ErrorReports::~ErrorReports() { win::SetErrorReportSink(nullptr); }

void Pump(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (::GetTickCount64() >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

Program::Program()
{
    main.Show(SW_SHOWNORMAL);
    Pump(50);
}

std::wstring WindowText(HWND hwnd)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring StatusText(HWND statusBar, int part)
{
    const LRESULT info = ::SendMessageW(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    std::wstring text(LOWORD(info) + 1u, L'\0');
    ::SendMessageW(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    return text;
}

std::vector<std::wstring> MenuBarTitles(HMENU bar)
{
    std::vector<std::wstring> titles;
    const int count = ::GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256]{};
        ::GetMenuStringW(bar, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        titles.emplace_back(text);
    }
    return titles;
}

std::wstring MenuItemText(HMENU menu, UINT id)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            std::wstring found = MenuItemText(sub, id);
            if (!found.empty()) return found;
        } else if (::GetMenuItemID(menu, i) == id) {
            wchar_t text[256]{};
            ::GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            return text;
        }
    }
    return {};
}

bool ButtonChecked(HWND toolBar, int id) { return ::SendMessageW(toolBar, TB_ISBUTTONCHECKED, id, 0) != 0; }

std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int& width, int& height)
{
    BITMAP bm{};
    ::GetObjectW(bitmap, sizeof(bm), &bm);
    width = bm.bmWidth;
    height = bm.bmHeight;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    for (auto& p : pixels)
        p &= 0x00FFFFFF;
    return pixels;
}

namespace {

std::wstring WindowsPath(const char* unixPath)
{
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p)
        path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
    return path;
}

}  // namespace

std::wstring ProgramExe() { return WindowsPath(PIXTROVE_EXE); }

std::wstring OtherProgramExe() { return WindowsPath(OTHER_PROGRAM_EXE); }

}  // namespace wintest
