#pragma once
// What the program asks of the system beyond its own windows: the help engine, opening a
// document with the program the user has for it, and the beep of a refused key. Each
// call is the system's own; the tests put a recorder in its place, so that nothing opens
// or sounds while they run.
#include <windows.h>

namespace app {

class SystemShell {
public:
    virtual ~SystemShell() = default;
    virtual BOOL Help(HWND owner, const wchar_t* helpFile, UINT command, ULONG_PTR data);
    virtual HINSTANCE Execute(HWND owner, const wchar_t* verb, const wchar_t* file);
    virtual BOOL Beep(UINT type);

    static SystemShell& Real();
};

}  // namespace app
