#pragma once
// What the Windows benchmarks share: timing, the printed figures, the message pump, and the
// program's main window with its settings under a scratch key.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "Probes.h"
#include "app/ApplicationWindow.h"
#include "app/MainFrame.h"
#include "win32/ErrorReport.h"

namespace bench {

using wintest::FrameProbe;
using wintest::ShotProbe;

inline double Milliseconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    ::GdiFlush();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

inline void Report(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-46s median %9.3f ms   min %9.3f   max %9.3f   (%zu runs)\n", what, Median(times), times.front(),
                times.back(), times.size());
}

inline void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The main window loads and may save settings: they go to a scratch key for the run.
class ScratchSettings {
public:
    ScratchSettings()
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\PixtroveBench", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &scratch_, nullptr);
        ::RegOverridePredefKey(HKEY_CURRENT_USER, scratch_);
    }
    ~ScratchSettings()
    {
        ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        ::RegCloseKey(scratch_);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PixtroveBench");
    }
    ScratchSettings(const ScratchSettings&) = delete;
    ScratchSettings& operator=(const ScratchSettings&) = delete;

private:
    HKEY scratch_ = nullptr;
};

// The main window as the program shows it; error reports go to stderr and are counted.
struct Program {
    ScratchSettings settings;
    int errors = 0;
    app::ApplicationWindow application;
    app::MainFrame main{application, false};

    Program()
    {
        win::SetErrorReportSink([this](const std::wstring& text) {
            std::fwprintf(stderr, L"error report: %ls\n", text.c_str());
            ++errors;
        });
        main.Show(SW_SHOWNORMAL);
        Pump();
    }
    ~Program() { win::SetErrorReportSink(nullptr); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
};

}  // namespace bench
