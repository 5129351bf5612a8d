// The cost of marks and zoom in a maximised shot window of 3840 x 2160: a scroll step (the
// whole window repainted) with no marks and with 200 of every kind; a pointer move of the
// rubber band at 25 %, 100 % and 400 %; and one zoom step, repaint included.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "app/MainFrame.h"
#include "app/ShotWindow.h"
#include "core/Marks.h"
#include "resource.h"
#include "win32/Handles.h"
#include "win32/Picture.h"

using wintest::ShotProbe;

namespace {

constexpr int kWidth = 3840, kHeight = 2160;
constexpr int kSteps = 120;

std::unique_ptr<win::Picture> BusyPicture()
{
    win::WindowDC screen(nullptr);
    std::unique_ptr<win::Picture> picture = win::Picture::Create(screen.get(), kWidth, kHeight);
    const core::PixelView pixels = picture->Pixels();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels.Row(y)[x] = static_cast<std::uint32_t>((x * 2654435761u) ^ (y * 40503u)) & 0xFFFFFF;
    return picture;
}

// 40 of each kind, spread over the picture.
void Mark(app::ShotWindow& shot)
{
    for (int i = 0; i < 40; ++i) {
        const core::Point at{(i % 8) * 470 + 40, (i / 8) * 420 + 40};
        const core::MarkStyle style{0xFF0000, (i % 3 == 0) ? 2 : (i % 3 == 1) ? 4 : 8};
        ShotProbe::PlaceMark(shot, core::ArrowMark(at, {at.x + 300, at.y + 170}, style));
        ShotProbe::PlaceMark(shot, core::BoxMark({at.x + 20, at.y + 200}, {at.x + 260, at.y + 380}, style));
        ShotProbe::PlaceMark(shot, core::HighlighterMark({at.x, at.y + 100}, {at.x + 400, at.y + 130}, {0xFFFF00, 4}));
        ShotProbe::PlaceMark(shot, core::NumberMark({at.x + 350, at.y + 60}, i + 1, style));
        ShotProbe::PlaceMark(shot, core::TextMark({at.x + 40, at.y + 260}, u"注意 step", {0, 0}, style));
    }
}

std::vector<double> Scrolling(app::ShotWindow& shot)
{
    std::vector<double> times;
    for (int i = 0; i < kSteps; ++i) {
        const WORD request = (i / 30) % 2 ? SB_LINEUP : SB_LINEDOWN;
        times.push_back(bench::Milliseconds([&] {
            ::SendMessageW(shot.hwnd(), WM_VSCROLL, request, 0);
            ::SendMessageW(shot.hwnd(), WM_HSCROLL, request, 0);
            ::UpdateWindow(shot.hwnd());
        }));
    }
    return times;
}

std::vector<double> RubberBand(app::ShotWindow& shot)
{
    // A frame of about 100 x 80 picture pixels that wobbles, in view at every zoom.
    ShotProbe::PressPicture(shot, true, {20, 20});
    std::vector<double> times;
    for (int i = 0; i < kSteps * 2; ++i) {
        const core::Point p{100 + (i * 7) % 40, 80 + (i * 3) % 30};
        times.push_back(bench::Milliseconds([&] {
            ShotProbe::MoveOverPicture(shot, p);
            ::UpdateWindow(shot.hwnd());
        }));
    }
    ShotProbe::ReleasePicture(shot, true);
    return times;
}

void Command(app::ShotWindow& shot, UINT id) { ::SendMessageW(shot.hwnd(), WM_COMMAND, id, 0); }

}  // namespace

int main()
{
    try {
        bench::Program program;
        app::MainFrame& main = program.main;
        app::ShotWindow& shot = app::ShotWindow::Create(main, BusyPicture(), "Shot");
        ::ShowWindow(shot.hwnd(), SW_MAXIMIZE);
        bench::Pump();
        ::UpdateWindow(shot.hwnd());
        std::printf("Marks and zoom, a %d x %d shot in a maximised window\n", kWidth, kHeight);

        const std::vector<double> unmarked = Scrolling(shot);
        bench::Report("scroll step, no marks", unmarked);
        Mark(shot);
        bench::Pump();
        const std::vector<double> marked = Scrolling(shot);
        bench::Report("scroll step, 200 marks", marked);
        std::printf("  200 marks / none: %.2f x\n", bench::Median(marked) / bench::Median(unmarked));
        // Without the marks again for the rubber band and the zoom.
        for (int i = 0; i < 200; ++i)
            Command(shot, IDM_UNDO);
        bench::Pump();

        double full = 0;
        for (const int percent : {100, 25, 400}) {
            Command(shot, IDM_ZOOM_FULL);
            if (percent == 25) {
                Command(shot, IDM_ZOOM_OUT);
                Command(shot, IDM_ZOOM_OUT);
            } else if (percent == 400) {
                Command(shot, IDM_ZOOM_IN);
                Command(shot, IDM_ZOOM_IN);
            }
            bench::Pump();
            ::UpdateWindow(shot.hwnd());
            const std::vector<double> times = RubberBand(shot);
            char label[64];
            std::snprintf(label, sizeof label, "rubber-band move at %d %%", percent);
            bench::Report(label, times);
            if (percent == 100)
                full = bench::Median(times);
            else
                std::printf("  at %d %% / at 100 %%: %.2f x\n", percent, bench::Median(times) / full);
        }

        Command(shot, IDM_ZOOM_FULL);
        bench::Pump();
        ::UpdateWindow(shot.hwnd());
        std::vector<double> steps;
        for (int i = 0; i < 40; ++i)
            steps.push_back(bench::Milliseconds([&] {
                Command(shot, i % 2 ? IDM_ZOOM_OUT : IDM_ZOOM_IN);
                ::UpdateWindow(shot.hwnd());
            }));
        bench::Report("one zoom step, repainted", steps);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
