// How long the copy of a whole 3840 x 2160 shot to the clipboard takes (the menu command with
// nothing selected: Select all, then the copy through the real clipboard), beside a bare copy
// of a bitmap of the same size (also with the white fill the copy starts with), and beside
// putting an already made bitmap on the clipboard.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
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

constexpr int kWidth = 3840, kHeight = 2160;
constexpr int kRuns = 15;

using bench::Milliseconds;
using bench::Pump;
using bench::Report;

// A picture with a pattern in every pixel, so nothing can be copied as one plain colour.
std::unique_ptr<win::Picture> PatternPicture()
{
    win::WindowDC screen(nullptr);
    std::unique_ptr<win::Picture> picture = win::Picture::Create(screen.get(), kWidth, kHeight);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB};
    void* bits = nullptr;
    win::OwnedBitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    win::OwnedDC dc(::CreateCompatibleDC(nullptr));
    if (!dib || !dc) win::ThrowLastError();
    auto* p = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            *p++ = static_cast<std::uint32_t>(((x * 37 + y * 11) & 0xFF) << 16 | ((x * 5 + y * 29) & 0xFF) << 8 |
                                              ((x ^ y) & 0xFF));
    win::SelectedObject selected(dc.get(), dib.get());
    ::BitBlt(picture->DC(), 0, 0, kWidth, kHeight, dc.get(), 0, 0, SRCCOPY);
    return picture;
}

// The same pixels as the copy moves, without the clipboard: a screen-compatible bitmap and one BitBlt.
void BareCopy(const win::Picture& picture, bool whiteFirst)
{
    win::WindowDC screen(nullptr);
    win::OwnedDC memory(::CreateCompatibleDC(screen.get()));
    win::OwnedBitmap copy(::CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    if (!memory || !copy) win::ThrowLastError();
    win::SelectedObject into(memory.get(), copy.get());
    if (whiteFirst) ::PatBlt(memory.get(), 0, 0, kWidth, kHeight, WHITENESS);
    ::BitBlt(memory.get(), 0, 0, kWidth, kHeight, picture.DC(), 0, 0, SRCCOPY);
    ::GdiFlush();
}

// The clipboard's own share: a bitmap already made, handed over.
void HandOver(HWND owner, HBITMAP made)
{
    if (!::OpenClipboard(owner)) throw core::AppError("clipboard busy");
    ::EmptyClipboard();
    const bool put = ::SetClipboardData(CF_BITMAP, made) != nullptr;
    ::CloseClipboard();
    if (!put) throw core::AppError("SetClipboardData failed");
}

bool ClipboardHoldsWholePicture()
{
    if (!::OpenClipboard(nullptr)) return false;
    BITMAP bm{};
    const HANDLE data = ::GetClipboardData(CF_BITMAP);
    const bool whole = data && ::GetObjectW(data, sizeof(bm), &bm) && bm.bmWidth == kWidth && bm.bmHeight == kHeight;
    ::CloseClipboard();
    return whole;
}

int Run()
{
    bench::Program program;
    app::MainFrame& main = program.main;
    app::ShotWindow& shot = app::ShotWindow::Create(main, PatternPicture(), "Shot:1");
    Pump();

    std::vector<double> copies, bare, whiteThenBare, handOvers;
    for (int run = 0; run < kRuns; ++run) {
        ShotProbe::SelectCancel(shot);
        copies.push_back(Milliseconds([&] { ShotProbe::Copy(shot); }));
        if (run == 0 && !ClipboardHoldsWholePicture()) {
            std::fprintf(stderr, "the clipboard does not hold the whole picture\n");
            return 1;
        }
        Pump();
        bare.push_back(Milliseconds([&] { BareCopy(ShotProbe::Picture(shot), false); }));
        whiteThenBare.push_back(Milliseconds([&] { BareCopy(ShotProbe::Picture(shot), true); }));
        win::WindowDC screen(nullptr);
        HBITMAP made = ::CreateCompatibleBitmap(screen.get(), kWidth, kHeight);
        handOvers.push_back(Milliseconds([&] { HandOver(program.application.hwnd(), made); }));
        Pump();
    }
    ShotProbe::SelectCancel(shot);

    std::printf("Copy to the clipboard, %d x %d, 32-bit screen-compatible bitmaps\n", kWidth, kHeight);
    Report("copy command (select all + copy + clipboard)", copies);
    Report("bare bitmap copy (create + BitBlt)", bare);
    Report("the same, filled white first", whiteThenBare);
    Report("clipboard hand-over of a made bitmap", handOvers);

    return program.errors ? 1 : 0;
}

}  // namespace

int main()
{
    try {
        return Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
