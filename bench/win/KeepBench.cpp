// The kept shots. First: while a 3840 x 2160 shot is written to its folder, how late the
// window answers a message posted to it (one posted every millisecond; the worst delay and the
// median), and how long the hand-over itself takes on the window's thread. Then a start with 20
// kept 3840 x 2160 shots beside a start with 20 kept 16 x 16 ones: the frame made, the shots
// found and their windows made until the frame answers a posted message, and, apart, until the
// shot in front shows its picture (read on the writer's thread meanwhile).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "app/ShotKeeper.h"
#include "app/ShotWindow.h"
#include "resource.h"
#include "win32/Picture.h"

using bench::FrameProbe;
using bench::ShotProbe;

namespace {

constexpr int kRuns = 7;
constexpr int kShots = 20;

std::wstring NewFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"pixtrove-keep-bench-" + name;
    for (const wchar_t* part : {L"", L"\\Shots"}) {
        const std::wstring path = folder + part;
        ::CreateDirectoryW(path.c_str(), nullptr);
    }
    return folder + L"\\Shots";
}

void Empty(const std::wstring& folder)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
}

// Colours that vary from pixel to pixel, as a screen's do, so the encoder has work.
std::unique_ptr<win::Picture> Picture(int width, int height)
{
    std::unique_ptr<win::Picture> picture = win::Picture::Create(nullptr, width, height);
    const core::PixelView pixels = picture->Pixels();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.Row(y)[x] = static_cast<std::uint32_t>((x * 7 + y * 3) & 0xFF) << 16 |
                               static_cast<std::uint32_t>((x ^ y) & 0xFF) << 8 |
                               static_cast<std::uint32_t>((x / 16 + y / 16) * 40 & 0xFF);
    return picture;
}

struct Start {
    bench::ScratchSettings settings;
    app::ShotKeeper keeper;
    app::ApplicationWindow application;
    app::MainFrame main{application, false, &keeper};
    explicit Start(const std::wstring& folder) : keeper(folder) { main.Show(SW_SHOWNORMAL); }
};

constexpr UINT kProbe = WM_APP + 7;

// The window's thread turns every message over as it comes, while a second thread posts one
// every millisecond stamped with its time, until the writer has nothing left (or, with no
// writer, for `idleMs`).
void MessageDelays(Start& run, std::vector<double>& delays, DWORD idleMs = 0)
{
    std::atomic<bool> written{false};
    const HWND target = run.application.hwnd();
    std::thread waiter([&] {
        if (idleMs)
            ::Sleep(idleMs);
        else
            run.keeper.WaitUntilWritten();
        written = true;
    });
    std::thread poster([&] {
        while (!written) {
            LARGE_INTEGER now{};
            ::QueryPerformanceCounter(&now);
            ::PostMessageW(target, kProbe, 0, static_cast<LPARAM>(now.QuadPart));
            ::Sleep(1);
        }
    });
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == kProbe) {
                LARGE_INTEGER now{};
                ::QueryPerformanceCounter(&now);
                delays.push_back(static_cast<double>(now.QuadPart - msg.lParam) * 1000.0 /
                                 static_cast<double>(frequency.QuadPart));
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (written) break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    poster.join();
    waiter.join();
    bench::Pump();
}

void WhileWriting()
{
    const std::wstring folder = NewFolder(L"write");
    Empty(folder);
    Start run(folder);
    bench::Pump();
    std::vector<double> handOver, worst, median, writes;
    for (int i = 0; i < kRuns; ++i) {
        std::vector<double> delays;
        const double took = bench::Milliseconds([&] {
            if (i == 0) {
                run.main.OpenShot(Picture(3840, 2160));
            } else {
                // A small edit: the whole picture is written again.
                app::ShotWindow* shot = app::ShotWindow::FromHandle(FrameProbe::ActiveShot(run.main));
                ShotProbe::PressPicture(*shot, true, {10 * i, 10});
                ShotProbe::MoveOverPicture(*shot, {10 * i + 30, 40});
                ShotProbe::ReleasePicture(*shot, true);
                ::SendMessageW(run.main.hwnd(), WM_COMMAND, IDM_BLACK_OUT, 0);
            }
        });
        handOver.push_back(took);
        const double writing = bench::Milliseconds([&] { MessageDelays(run, delays); });
        writes.push_back(writing);
        worst.push_back(*std::max_element(delays.begin(), delays.end()));
        median.push_back(bench::Median(delays));
    }
    // The same watch with nothing written, as long as a write took: what the machine's other
    // work costs the window on its own.
    std::vector<double> idleWorst;
    for (int i = 0; i < kRuns; ++i) {
        std::vector<double> delays;
        MessageDelays(run, delays, static_cast<DWORD>(bench::Median(writes)));
        idleWorst.push_back(*std::max_element(delays.begin(), delays.end()));
    }
    std::printf("While a kept 3840 x 2160 shot is written (%s):\n",
                run.keeper.Failures() ? "WRITES FAILED" : "all written");
    bench::Report("the change on the window's thread (i=0: new shot)", handOver);
    bench::Report("the write on the writer's thread", writes);
    bench::Report("worst delay of a posted message, per write", worst);
    bench::Report("median delay of a posted message, per write", median);
    bench::Report("worst delay with nothing written, as long", idleWorst);
}

void Keep(const std::wstring& folder, int width, int height)
{
    Empty(folder);
    Start run(folder);
    for (int i = 0; i < kShots; ++i)
        run.main.OpenShot(Picture(width, height));
    run.keeper.WaitUntilWritten();
}

// Until the loop turns over a message posted after the frame is shown, and until the shot in
// front shows its picture, read on the writer's thread, with nothing left to paint.
void TimeStart(const std::wstring& folder, std::vector<double>& answered, std::vector<double>& painted)
{
    LARGE_INTEGER frequency{}, began{}, now{};
    ::QueryPerformanceFrequency(&frequency);
    const auto since = [&] {
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - began.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    };
    ::QueryPerformanceCounter(&began);
    auto run = std::make_unique<Start>(folder);
    ::PostMessageW(run->application.hwnd(), kProbe, 0, 0);
    bool answeredYet = false;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == kProbe) {
                answered.push_back(since());
                answeredYet = true;
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const app::ShotWindow* front = app::ShotWindow::FromHandle(FrameProbe::ActiveShot(run->main));
        if (answeredYet && front && ShotProbe::HasPicture(*front) && !::GetQueueStatus(QS_PAINT)) break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    painted.push_back(since());
    if (FrameProbe::ShotCount(run->main) != kShots)
        std::printf("  (only %d shots opened)\n", FrameProbe::ShotCount(run->main));
    run.reset();  // the windows go; the shots stay kept
}

void StartWithKeptShots()
{
    const std::wstring large = NewFolder(L"large"), small = NewFolder(L"small");
    Keep(large, 3840, 2160);
    Keep(small, 16, 16);
    std::vector<double> largeAnswered, largePainted, smallAnswered, smallPainted, largeFound, smallFound;
    for (int i = 0; i < kRuns; ++i) {
        TimeStart(small, smallAnswered, smallPainted);
        TimeStart(large, largeAnswered, largePainted);
        // The part of a start that reads the folder: manifests and the pictures' headers.
        for (auto [folder, times] : {std::pair{&small, &smallFound}, std::pair{&large, &largeFound}}) {
            app::ShotKeeper keeper(*folder);
            times->push_back(bench::Milliseconds([&] { keeper.Find(); }));
        }
    }
    std::printf("A start with %d kept shots:\n", kShots);
    bench::Report("3840 x 2160: until the frame answers", largeAnswered);
    bench::Report("16 x 16: until the frame answers", smallAnswered);
    std::printf("%-46s %9.2f x\n", "ratio of the medians", bench::Median(largeAnswered) / bench::Median(smallAnswered));
    bench::Report("3840 x 2160: the folder read (Find)", largeFound);
    bench::Report("16 x 16: the folder read (Find)", smallFound);
    bench::Report("3840 x 2160: until the front shot is painted", largePainted);
    bench::Report("16 x 16: until the front shot is painted", smallPainted);
    Empty(large);
    Empty(small);
}

}  // namespace

int main()
{
    WhileWriting();
    std::printf("\n");
    StartWithKeptShots();
    return 0;
}
