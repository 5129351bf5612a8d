#pragma once
// The program's one error report, and the wrapper that every handler runs in.
#include <windows.h>

#include <functional>
#include <string>

#include "core/AppError.h"

namespace win {

inline constexpr wchar_t kAppTitle[] = L"Pixtrove!";

// A platform call failed: the system's own text for the error code, or the
// out-of-resources text when the system has none.
core::AppError SystemError(DWORD code);
[[noreturn]] void ThrowLastError();
// A save that failed: the full name of the file it could not write, then the system's text.
core::AppError SaveError(const std::wstring& file, DWORD code);

// Hands back a handle from a platform call, or throws its last error when there is none.
template <class H>
H ThrowLastErrorIfNull(H handle)
{
    if (!handle) ThrowLastError();
    return handle;
}

// Shows the standard report: the message (with its full stop by the report rule) in a
// modal box captioned "Pixtrove!" with the error icon.
void ShowErrorReport(const std::string& utf8Message);

// Tests replace the message box with a sink that records what the user would read.
using ErrorReportSink = std::function<void(const std::wstring& text)>;
void SetErrorReportSink(ErrorReportSink sink);

// Reports whatever a handler threw; never lets an exception out.
void ReportCurrentException() noexcept;

// Runs a handler; an exception stops it there, is reported, and `failed` is returned.
template <class Handler>
auto Guarded(Handler&& handler, decltype(handler()) failed) noexcept -> decltype(handler())
{
    try {
        return handler();
    } catch (...) {
        ReportCurrentException();
        return failed;
    }
}

template <class Handler>
void GuardedVoid(Handler&& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        ReportCurrentException();
    }
}

}  // namespace win
