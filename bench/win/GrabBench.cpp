// The grab of the full screen beside a bare read of the same rectangle in the same run: the
// grab reads the screen straight into the picture's own bitmap, so it should cost little more
// than the read itself (the shot window's creation is timed separately).
#include <windows.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "app/ApplicationWindow.h"
#include "app/MainFrame.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"
#include "win32/Picture.h"

using wintest::FrameProbe;

namespace {

constexpr int kRuns = 25;

void BareScreenRead(int width, int height)
{
    win::WindowDC screen(nullptr);
    win::OwnedDC memory(::CreateCompatibleDC(screen.get()));
    win::OwnedBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    if (!memory || !bitmap) win::ThrowLastError();
    win::SelectedObject into(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
}

}  // namespace

int main()
{
    try {
        bench::Program program;
        app::MainFrame& main = program.main;

        const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
        std::vector<double> bare, grab, capture;
        for (int run = 0; run < kRuns; ++run) {
            bare.push_back(bench::Milliseconds([&] { BareScreenRead(width, height); }));
            grab.push_back(bench::Milliseconds([&] { win::GrabScreen({0, 0, width, height}); }));
            capture.push_back(bench::Milliseconds([&] { FrameProbe::CaptureScreenRect(main, 0, 0, width, height); }));
            if (HWND shot = FrameProbe::ActiveShot(main)) ::SendMessageW(shot, WM_CLOSE, 0, 0);
            bench::Pump();
        }
        std::printf("Full-screen grab, %d x %d\n", width, height);
        bench::Report("bare screen read (bitmap + BitBlt)", bare);
        bench::Report("grab into the picture (GrabScreen)", grab);
        bench::Report("grab + shot window (CaptureScreenRect)", capture);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
