// The whole scrolling capture of a document 20 screens tall (the test document,
// tests/win/helper/ScrollDocument.cpp), plain and gliding: where the time goes, between the
// waits for the page to answer the wheel and hold still, the screen reads, and the program's
// own work (comparing grabs, matching, stitching, the picture at the end).
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/ScrollCapture.h"
#include "win32/Handles.h"

namespace {

constexpr int kLeft = 560, kTop = 120, kWidth = 420, kHeight = 300, kRuns = 3;
constexpr int kLines = 20 * kHeight / 24;  // 20 screens of 24-row lines

std::wstring DocumentExe()
{
    std::wstring path = L"Z:";
    for (const char* p = SCROLL_DOCUMENT_EXE; *p; ++p)
        path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
    return path;
}

// The document, started afresh at its top; closed when it goes.
class Document {
public:
    explicit Document(const std::wstring& options)
    {
        std::wstring command = L"\"" + DocumentExe() + L"\" " + std::to_wstring(kLeft) + L" " + std::to_wstring(kTop) +
                               L" " + std::to_wstring(kWidth) + L" " + std::to_wstring(kHeight) + L" --lines " +
                               std::to_wstring(kLines) + L" " + options;
        STARTUPINFOW startup{sizeof(startup)};
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
            win::ThrowLastError();
        for (int i = 0; i < 500 && !window_; ++i) {
            ::Sleep(20);
            window_ = ::FindWindowW(L"PixtroveTestScrollDocument", nullptr);
        }
        ::Sleep(500);  // its first paint reaches the display
    }
    ~Document()
    {
        if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
        ::WaitForSingleObject(info_.hProcess, 5000);
        ::CloseHandle(info_.hThread);
        ::CloseHandle(info_.hProcess);
    }
    core::ScreenRect Client() const
    {
        RECT r{};
        ::GetClientRect(window_, &r);
        POINT corner{0, 0};
        ::ClientToScreen(window_, &corner);
        return {corner.x, corner.y, r.right, r.bottom};
    }

private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

void Measure(const char* what, const wchar_t* options)
{
    std::vector<double> totals, waits, grabs, ours, steps;
    int height = 0;
    std::string text;
    for (int run = 0; run < kRuns; ++run) {
        Document document(options);
        app::ScrollTimes times;
        const double total = bench::Milliseconds([&] {
            app::ScrollOutcome outcome = app::RunScrollCapture(document.Client(), &times);
            height = outcome.picture ? outcome.picture->Height() : 0;
            text = outcome.text;
        });
        totals.push_back(total);
        waits.push_back(times.waiting);
        grabs.push_back(times.grabbing);
        ours.push_back(times.ours);
        steps.push_back(times.steps);
    }
    const double total = bench::Median(totals);
    std::printf("%s: %d rows (%d screens of %d x %d), %.0f wheel steps\n", what, height, height / kHeight, kWidth,
                kHeight, bench::Median(steps));
    std::printf("  whole capture                 %9.0f ms (median of %d)\n", total, kRuns);
    std::printf("  waiting for the page          %9.0f ms  %5.1f %%\n", bench::Median(waits),
                100 * bench::Median(waits) / total);
    std::printf("  reading the screen            %9.0f ms  %5.1f %%\n", bench::Median(grabs),
                100 * bench::Median(grabs) / total);
    std::printf("  ours: compare, match, stitch  %9.1f ms  %5.1f %%\n", bench::Median(ours),
                100 * bench::Median(ours) / total);
    std::printf("  the rest (wheel input, status window)  %.0f ms\n",
                total - bench::Median(waits) - bench::Median(grabs) - bench::Median(ours));
    std::printf("  status: %s\n", text.c_str());
}

}  // namespace

int main()
{
    try {
        bench::Program program;
        ::ShowWindow(program.main.hwnd(), SW_MINIMIZE);
        Measure("plain document", L"");
        Measure("gliding document", L"--smooth");
        return program.errors ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
