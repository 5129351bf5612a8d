#pragma once
// Stands in for the system's help engine, shell and beep, noting each call.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/SystemShell.h"

namespace wintest {

class RecordingShell final : public app::SystemShell {
public:
    struct HelpCall {
        HWND owner;
        std::wstring file;
        UINT command;
        ULONG_PTR data;
    };
    struct ExecuteCall {
        HWND owner;
        std::wstring verb;
        std::wstring file;
    };
    std::vector<HelpCall> helpCalls;
    std::vector<ExecuteCall> executeCalls;
    std::vector<UINT> beeps;
    std::function<void()> onCall;                               // runs after each call is noted
    HINSTANCE executeResult = reinterpret_cast<HINSTANCE>(33);  // above 32: success

    BOOL Help(HWND owner, const wchar_t* file, UINT command, ULONG_PTR data) override
    {
        helpCalls.push_back({owner, file ? file : L"", command, data});
        Called();
        return TRUE;
    }
    HINSTANCE Execute(HWND owner, const wchar_t* verb, const wchar_t* file) override
    {
        executeCalls.push_back({owner, verb ? verb : L"", file ? file : L""});
        Called();
        return executeResult;
    }
    BOOL Beep(UINT type) override
    {
        beeps.push_back(type);
        Called();
        return TRUE;
    }

private:
    void Called()
    {
        if (onCall) onCall();
    }
};

}  // namespace wintest
