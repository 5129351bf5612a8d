#pragma once
// Holds a started program at one call into the system, as its debugger, so that a test can
// act at exactly that moment: what two programs racing each other might do in between.
#include <functional>

#include "Process.h"

namespace wintest {

// Waits, as the debugger of `child` (started with ChildProcess::Start::Debugged, on this
// thread), for its first call of the kernel32 function `function` with `name` as its third
// argument (a text), runs `meanwhile` there before the call, then lets the program run on,
// no longer debugged. False when no such call came before the program ended.
bool HoldAtCall(const ChildProcess& child, const char* function, const char* name,
                const std::function<void()>& meanwhile);

}  // namespace wintest
