// The cost of each edit of a 3840 x 2160 selection, beside one memcpy of the selection's bytes.
// An edit is timed as the menu command runs it: the undo step kept, the frame taken out and
// put back, the pixels changed, and the shot window repainted. The picture is a little larger
// than the selection, so that the mosaic has pixels around it to take its colours from.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

#include "BenchSupport.h"
#include "app/ShotWindow.h"
#include "resource.h"
#include "win32/Handles.h"
#include "win32/Picture.h"

namespace {

constexpr int kWidth = 3840, kHeight = 2160, kMargin = 16, kRuns = 15;

std::unique_ptr<win::Picture> NoisyPicture()
{
    win::WindowDC screen(nullptr);
    std::unique_ptr<win::Picture> picture =
        win::Picture::Create(screen.get(), kWidth + 2 * kMargin, kHeight + 2 * kMargin);
    const core::PixelView pixels = picture->Pixels();
    std::uint32_t seed = 14;
    for (std::int32_t y = 0; y < pixels.height; ++y)
        for (std::int32_t x = 0; x < pixels.width; ++x)
            pixels.Row(y)[x] = (seed = seed * 1664525u + 1013904223u) >> 8;
    return picture;
}

double MemcpyMedian()
{
    const size_t bytes = static_cast<size_t>(kWidth) * kHeight * 4;
    std::vector<char> from(bytes, 1), to(bytes, 2);
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(bench::Milliseconds([&] { std::memcpy(to.data(), from.data(), bytes); }));
    bench::Report("memcpy of the selection's bytes (33 MB)", times);
    return bench::Median(times);
}

double CommandMedian(app::MainFrame& main, app::ShotWindow& shot, const char* what, UINT command)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(bench::Milliseconds([&] {
            ::SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
            ::UpdateWindow(shot.hwnd());
        }));
    bench::Report(what, times);
    return bench::Median(times);
}

}  // namespace

int main()
{
    try {
        bench::Program program;
        app::MainFrame& main = program.main;
        app::ShotWindow& shot = app::ShotWindow::Create(main, NoisyPicture(), "Shot:1");
        ::ShowWindow(shot.hwnd(), SW_MAXIMIZE);
        bench::Pump();
        bench::ShotProbe::PressPicture(shot, true, {kMargin, kMargin});
        bench::ShotProbe::MoveOverPicture(shot, {kMargin + kWidth, kMargin + kHeight});
        bench::ShotProbe::ReleasePicture(shot, true);
        ::UpdateWindow(shot.hwnd());

        std::printf("Edits of a %d x %d selection: undo step, pixels, repaint\n", kWidth, kHeight);
        const double copy = MemcpyMedian();
        const struct {
            const char* what;
            UINT command;
        } edits[] = {{"black-out", IDM_BLACK_OUT}, {"mosaic", IDM_MOSAIC}, {"red frame", IDM_RED_FRAME}};
        for (const auto& e : edits) {
            const double edit = CommandMedian(main, shot, e.what, e.command);
            std::printf("%-46s %.2f x memcpy\n", "", edit / copy);
        }
        // One step is left (each step is as large as the picture allows): undo and redo it in turn.
        std::vector<double> undo, redo;
        for (int i = 0; i < kRuns; ++i) {
            for (const auto& step : {std::pair{&undo, IDM_UNDO}, std::pair{&redo, IDM_REDO}})
                step.first->push_back(bench::Milliseconds([&] {
                    ::SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(step.second, 0), 0);
                    ::UpdateWindow(shot.hwnd());
                }));
        }
        bench::Report("undo of the last edit", undo);
        bench::Report("redo of it", redo);
        return program.errors ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
