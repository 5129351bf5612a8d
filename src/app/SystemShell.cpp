#include "app/SystemShell.h"

#include <shellapi.h>

namespace app {

BOOL SystemShell::Help(HWND owner, const wchar_t* helpFile, UINT command, ULONG_PTR data)
{
    return ::WinHelpW(owner, helpFile, command, data);
}

HINSTANCE SystemShell::Execute(HWND owner, const wchar_t* verb, const wchar_t* file)
{
    return ::ShellExecuteW(owner, verb, file, nullptr, nullptr, SW_SHOWNORMAL);
}

BOOL SystemShell::Beep(UINT type) { return ::MessageBeep(type); }

SystemShell& SystemShell::Real()
{
    static SystemShell shell;
    return shell;
}

}  // namespace app
