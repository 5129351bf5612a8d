// The stack protector's guard value and failure handlers, in place of those of GCC's support
// library (libssp). Its set-up asks the crypto providers for the guard before the program's
// entry runs, which loads rsaenh and crypt32 and, under Wine, user32 with every DLL that one
// imports, looked for beside the program: before the entry has narrowed the DLL search to
// System32. Here the guard is mixed from the clock, the counters, the process and the
// randomised addresses, as the system compilers' own cookie is, with kernel32 alone.
#include <windows.h>

#include <cstdint>

extern "C" {

std::uintptr_t __stack_chk_guard = 0x595e9fbd94fda700;

// A smashed stack or an overrun that a checked copy caught: the process ends at once, with the
// code the system gives for it, running nothing more of its own.
[[noreturn]] void __stack_chk_fail()
{
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(STATUS_STACK_BUFFER_OVERRUN));
    __builtin_unreachable();
}
[[noreturn]] void __stack_chk_fail_local() { __stack_chk_fail(); }
// GNU spelling here: the checked copies' header declares __chk_fail first, without it.
__attribute__((noreturn)) void __chk_fail() { __stack_chk_fail(); }

}  // extern "C"

namespace {

// Runs before every other constructor, and is itself unguarded: the guard changes under it.
__attribute__((constructor(101), no_stack_protector)) void SetStackGuard()
{
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    std::uintptr_t guard = static_cast<std::uintptr_t>(counter.QuadPart) * 0x9E3779B97F4A7C15u;
    guard ^= (static_cast<std::uintptr_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    guard ^= static_cast<std::uintptr_t>(::GetCurrentProcessId()) << 40;
    guard ^= static_cast<std::uintptr_t>(::GetCurrentThreadId()) << 20;
    guard ^= ::GetTickCount64() << 8;
    guard ^= reinterpret_cast<std::uintptr_t>(&guard) ^ reinterpret_cast<std::uintptr_t>(&SetStackGuard);
    // A zero low byte stops a runaway string copy at the guard.
    guard &= ~std::uintptr_t{0xFF};
    if (guard != 0) __stack_chk_guard = guard;
}

}  // namespace
