#include "win32/ErrorReport.h"

#include <new>

#include "win32/Text.h"

namespace win {
namespace {

ErrorReportSink& Sink()
{
    static ErrorReportSink sink;
    return sink;
}

std::string TrimTrailingBreaks(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

}  // namespace

core::AppError SystemError(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD n =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (n != 0 && buffer) text = TrimTrailingBreaks(Narrow(std::wstring_view(buffer, n)));
    if (buffer) ::LocalFree(buffer);
    return core::AppError(text.empty() ? core::kOutOfResources : text, code);
}

core::AppError SaveError(const std::wstring& file, DWORD code)
{
    return core::AppError("「" + Narrow(file) + "」を保存できません。\n" + SystemError(code).what(), code);
}

void ThrowLastError()
{
    const DWORD code = ::GetLastError();
    throw SystemError(code == ERROR_SUCCESS ? ERROR_NOT_ENOUGH_MEMORY : code);
}

void SetErrorReportSink(ErrorReportSink sink) { Sink() = std::move(sink); }

void ShowErrorReport(const std::string& utf8Message)
{
    const std::wstring text = Widen(core::ReportText(utf8Message));
    if (Sink()) {
        Sink()(text);
        return;
    }
    ::MessageBoxW(::GetActiveWindow(), text.c_str(), kAppTitle, MB_OK | MB_ICONERROR);
}

void ReportCurrentException() noexcept
{
    try {
        try {
            throw;
        } catch (const std::bad_alloc&) {
            ShowErrorReport(core::kOutOfResources);
        } catch (const std::exception& e) {
            ShowErrorReport(e.what());
        } catch (...) {
            ShowErrorReport(core::kOutOfResources);
        }
    } catch (...) {
        // Showing the report itself failed (no memory left for the box): nothing more can be done.
    }
}

}  // namespace win
