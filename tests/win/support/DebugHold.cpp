#include "DebugHold.h"

#include <string>

namespace wintest {
namespace {

// System DLLs sit at the same address in every process, so the function's address here is
// its address in the child too.
BYTE* FunctionAddress(const char* function)
{
    return reinterpret_cast<BYTE*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), function));
}

bool WriteCode(HANDLE process, BYTE* at, BYTE byte)
{
    SIZE_T written = 0;
    return ::WriteProcessMemory(process, at, &byte, 1, &written) && ::FlushInstructionCache(process, at, 1);
}

// Whether the text at `address` in the process is `name` with its NUL.
bool TextIs(HANDLE process, DWORD64 address, const std::string& name)
{
    std::string text(name.size() + 1, '\0');
    SIZE_T read = 0;
    return ::ReadProcessMemory(process, reinterpret_cast<const void*>(address), text.data(), text.size(), &read) &&
           read == text.size() && text == std::string(name.c_str(), name.size() + 1);
}

// At the breakpoint on the call: checks the call, acts, and puts the function back as it was.
bool OnCall(HANDLE process, DWORD threadId, BYTE* at, BYTE original, const std::string& name,
            const std::function<void()>& meanwhile)
{
    HANDLE thread = ::OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, threadId);
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
    const bool ours = thread && ::GetThreadContext(thread, &context) && TextIs(process, context.R8, name);
    if (ours) meanwhile();
    context.Rip = reinterpret_cast<DWORD64>(at);  // the call starts again, unchanged
    const bool restored = WriteCode(process, at, original) && thread && ::SetThreadContext(thread, &context);
    if (thread) ::CloseHandle(thread);
    return ours && restored;
}

// The debugger's side of one hold: arms the breakpoint at the loader's own one (when the
// system DLLs are in), then acts at the call.
class CallHold {
public:
    CallHold(const char* function, const char* name, const std::function<void()>& meanwhile)
        : at_(FunctionAddress(function)), name_(name), meanwhile_(meanwhile)
    {
    }
    bool Held() const noexcept { return stage_ == Stage::Held; }
    bool Done() const noexcept { return stage_ == Stage::Held || stage_ == Stage::Over; }

    // Returns how the event is to be continued.
    DWORD On(const DEBUG_EVENT& event)
    {
        switch (event.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT:
                process_ = event.u.CreateProcessInfo.hProcess;
                if (event.u.CreateProcessInfo.hFile) ::CloseHandle(event.u.CreateProcessInfo.hFile);
                return DBG_CONTINUE;
            case LOAD_DLL_DEBUG_EVENT:
                if (event.u.LoadDll.hFile) ::CloseHandle(event.u.LoadDll.hFile);
                return DBG_CONTINUE;
            case EXIT_PROCESS_DEBUG_EVENT: stage_ = Stage::Over; return DBG_CONTINUE;
            case EXCEPTION_DEBUG_EVENT: return OnException(event);
            default: return DBG_CONTINUE;
        }
    }

private:
    DWORD OnException(const DEBUG_EVENT& event)
    {
        const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
        if (record.ExceptionCode != EXCEPTION_BREAKPOINT) return DBG_EXCEPTION_NOT_HANDLED;
        if (stage_ == Stage::Starting) {
            SIZE_T read = 0;
            const bool armed =
                at_ && ::ReadProcessMemory(process_, at_, &original_, 1, &read) && WriteCode(process_, at_, 0xCC);
            stage_ = armed ? Stage::Armed : Stage::Over;
        } else if (record.ExceptionAddress == at_) {
            stage_ = OnCall(process_, event.dwThreadId, at_, original_, name_, meanwhile_) ? Stage::Held : Stage::Over;
        }
        return DBG_CONTINUE;
    }

    enum class Stage { Starting, Armed, Held, Over };
    BYTE* const at_;
    const std::string name_;
    const std::function<void()>& meanwhile_;
    HANDLE process_ = nullptr;  // lent by the debug events
    BYTE original_ = 0;
    Stage stage_ = Stage::Starting;
};

}  // namespace

bool HoldAtCall(const ChildProcess& child, const char* function, const char* name,
                const std::function<void()>& meanwhile)
{
    CallHold hold(function, name, meanwhile);
    DEBUG_EVENT event{};
    while (!hold.Done() && ::WaitForDebugEvent(&event, 20000))
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, hold.On(event));
    ::DebugSetProcessKillOnExit(FALSE);
    ::DebugActiveProcessStop(child.id());
    return hold.Held();
}

}  // namespace wintest
