#include "app/Help.h"

#include "win32/ErrorReport.h"

namespace app {
namespace {

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

std::wstring WithExtension(std::wstring path, std::wstring_view extension)
{
    const size_t slash = path.find_last_of(L"\\/:");
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.resize(dot);
    return path.append(extension);
}

void OpenHelpContents(SystemShell& shell, HWND owner, const std::wstring& helpFile)
{
    if (Exists(helpFile)) {
        shell.Help(owner, helpFile.c_str(), HELP_FINDER, 0);
        return;
    }
    const std::wstring page = WithExtension(helpFile, L".html");
    if (!Exists(page)) throw win::SystemError(ERROR_FILE_NOT_FOUND);
    ::SetLastError(ERROR_SUCCESS);
    // Results up to 32 are failures; the last error says which.
    if (reinterpret_cast<INT_PTR>(shell.Execute(owner, L"open", page.c_str())) <= 32) {
        const DWORD code = ::GetLastError();
        throw win::SystemError(code == ERROR_SUCCESS ? ERROR_NO_ASSOCIATION : code);
    }
}

}  // namespace app
