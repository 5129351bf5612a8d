// The cost of one pointer move during a drag, repaint included, on square pictures of
// 512, 4096 and 16384 pixels. A move inverts two one-pixel outlines and repaints only the
// strips they cover: a frame of fixed size costs about the same at every picture size, a
// frame across the whole picture a little more as its outlines grow with the side.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "app/ApplicationWindow.h"
#include "app/ShotWindow.h"
#include "app/MainFrame.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"
#include "win32/Picture.h"

using wintest::ShotProbe;

namespace {

constexpr int kMoves = 400;

void Measure(app::MainFrame& main, int size)
{
    std::unique_ptr<win::Picture> picture;
    try {
        win::WindowDC screen(nullptr);
        picture = win::Picture::Create(screen.get(), size, size);
    } catch (const std::exception& e) {
        std::printf("%5d x %-5d  picture not made here: %s\n", size, size, e.what());
        return;
    }
    app::ShotWindow& shot = app::ShotWindow::Create(main, std::move(picture), "Shot");
    ::ShowWindow(shot.hwnd(), SW_MAXIMIZE);
    bench::Pump();
    ::UpdateWindow(shot.hwnd());

    // The same path of the pointer on every picture: a frame of about 300 x 200 that wobbles,
    // inside the visible part of the picture; then a frame across the whole picture, whose
    // outlines grow with its side (most of them lie outside the window and are not repainted).
    const auto drag = [&](const char* what, core::Point anchor, core::Point around) {
        ShotProbe::PressPicture(shot, true, anchor);
        std::vector<double> times;
        for (int i = 0; i < kMoves; ++i) {
            const core::Point p{around.x + (i * 7) % 40, around.y + (i * 3) % 30};
            times.push_back(bench::Milliseconds([&] {
                ShotProbe::MoveOverPicture(shot, p);
                ::UpdateWindow(shot.hwnd());
            }));
        }
        ShotProbe::ReleasePicture(shot, true);
        char label[64];
        std::snprintf(label, sizeof label, "%s, %d x %d picture", what, size, size);
        bench::Report(label, times);
    };
    drag("300 x 200 frame", {20, 20}, {300, 200});
    drag("whole frame", {5, 5}, {size - 45, size - 35});
    ::SendMessageW(shot.hwnd(), WM_CLOSE, 0, 0);
    bench::Pump();
}

}  // namespace

int main()
{
    try {
        bench::Program program;
        app::MainFrame& main = program.main;
        std::printf("Rubber band: one pointer move during a drag (two outlines inverted, their strips repainted)\n");
        for (int size : {512, 4096, 16384})
            Measure(main, size);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
