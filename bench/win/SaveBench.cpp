// How long the save of a whole picture as PNG takes (the menu command, with the place chosen
// by a stand-in for the dialog), beside the bare encoder call on the same pixels already laid
// out as it wants them: for the full screen and for 3840 x 2160. Then how much memory the
// save of a 16384 x 16384 picture needs beyond the picture itself.
#include <windows.h>
#include <psapi.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resource.h"
#include "BareEncode.h"
#include "BenchSupport.h"
#include "app/ShotWindow.h"
#include "win32/Com.h"
#include "win32/Picture.h"
#include "win32/SaveDialog.h"

using wintest::FrameProbe;
using wintest::ShotProbe;

namespace {

constexpr int kRuns = 7;

// Answers every save with the same file, so each run replaces the one before.
class FixedTarget final : public win::SaveTargetChooser {
public:
    explicit FixedTarget(std::wstring path) : path_(std::move(path)) {}
    std::optional<win::SaveTarget> Choose(HWND, const std::wstring&, const std::wstring&) override { return win::SaveTarget{path_, 0}; }

private:
    std::wstring path_;
};

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

// A picture with a pattern in every pixel; tiled from a strip when it is large, so that
// making it needs no second picture's worth of memory.
std::unique_ptr<win::Picture> PatternPicture(int width, int height)
{
    win::WindowDC screen(nullptr);
    std::unique_ptr<win::Picture> picture = win::Picture::Create(screen.get(), width, height);
    const int tileWidth = std::min(width, 4096), tileHeight = std::min(height, 256);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), tileWidth, -tileHeight, 1, 32, BI_RGB};
    void* bits = nullptr;
    win::OwnedBitmap tile(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    win::OwnedDC dc(::CreateCompatibleDC(nullptr));
    if (!tile || !dc) win::ThrowLastError();
    win::SelectedObject selected(dc.get(), tile.get());
    for (int top = 0; top < height; top += tileHeight) {
        auto* p = static_cast<std::uint32_t*>(bits);
        for (int y = top; y < top + tileHeight; ++y)
            for (int x = 0; x < tileWidth; ++x)
                *p++ = static_cast<std::uint32_t>(((x * 37 + y * 11) & 0xFF) << 16 | ((x * 5 + y * 29) & 0xFF) << 8 |
                                                  ((x ^ y) & 0xFF));
        for (int left = 0; left < width; left += tileWidth)
            ::BitBlt(picture->DC(), left, top, tileWidth, tileHeight, dc.get(), 0, 0, SRCCOPY);
    }
    return picture;
}

// The picture's pixels as the encoder takes them: 24-bit rows, top first.
std::vector<BYTE> EncoderPixels(const win::Picture& picture, UINT& stride)
{
    stride = static_cast<UINT>((picture.Width() * 3 + 3) & ~3);
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * picture.Height());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.Width(), -picture.Height(), 1, 24, BI_RGB};
    win::WindowDC screen(nullptr);
    ::GetDIBits(screen.get(), picture.Bitmap(), 0, static_cast<UINT>(picture.Height()), pixels.data(), &info,
                DIB_RGB_COLORS);
    return pixels;
}

// The encoder alone: one call with every row, into a file.
void BareEncode(const std::vector<BYTE>& pixels, UINT stride, int width, int height, const std::wstring& path)
{
    bench::BareEncodePng(
        [&](IWICStream& stream) { win::ThrowIfFailed(stream.InitializeFromFilename(path.c_str(), GENERIC_WRITE)); },
        pixels, stride, width, height);
}

void CompareWithEncoder(const char* what, app::ShotWindow& shot)
{
    const std::wstring bareFile = TempPath(L"pixtrove-bench-bare.png");
    UINT stride = 0;
    const std::vector<BYTE> pixels = EncoderPixels(ShotProbe::Picture(shot), stride);
    std::vector<double> saves, bare;
    for (int run = 0; run < kRuns; ++run) {
        saves.push_back(bench::Milliseconds([&] { ::SendMessageW(shot.hwnd(), WM_COMMAND, IDM_SAVE, 0); }));
        bare.push_back(bench::Milliseconds(
            [&] { BareEncode(pixels, stride, ShotProbe::Picture(shot).Width(), ShotProbe::Picture(shot).Height(), bareFile); }));
    }
    ::DeleteFileW(bareFile.c_str());
    std::printf("PNG save, %s, %d x %d\n", what, ShotProbe::Picture(shot).Width(), ShotProbe::Picture(shot).Height());
    bench::Report("save command (bands + temporary file + move)", saves);
    bench::Report("bare encoder call on the same pixels", bare);
}

PROCESS_MEMORY_COUNTERS Memory()
{
    PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

void LargePicture(bench::Program& program)
{
    constexpr int kSide = 16384;
    app::ShotWindow& shot = app::ShotWindow::Create(program.main, PatternPicture(kSide, kSide), "Shot:3");
    bench::Pump();
    // The peak after the save, above what the process held just before it: an upper bound of
    // what the save needed, as the peak may stem from making the picture.
    const SIZE_T before = Memory().WorkingSetSize;
    const double ms = bench::Milliseconds([&] { ::SendMessageW(shot.hwnd(), WM_COMMAND, IDM_SAVE, 0); });
    const double growth = static_cast<double>(Memory().PeakWorkingSetSize - before) / (1 << 20);
    std::printf("PNG save, %d x %d (the picture itself: %d MB)\n", kSide, kSide,
                static_cast<int>(static_cast<long long>(kSide) * kSide * 4 >> 20));
    std::printf("%-46s %9.0f ms, peak working set at most %.1f MB above the start\n", "save command", ms, growth);
    std::printf("%-46s %9.1f MB\n", "working set before the save", static_cast<double>(before) / (1 << 20));
    ::SendMessageW(shot.hwnd(), WM_CLOSE, 0, 0);
    bench::Pump();
}

int Run(bool large)
{
    bench::Program program;
    const std::wstring target = TempPath(L"pixtrove-bench-save.png");
    FixedTarget chooser(target);
    FrameProbe::UseSaveTargets(program.main, &chooser);

    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    FrameProbe::CaptureScreenRect(program.main, 0, 0, width, height);
    bench::Pump();
    CompareWithEncoder("the full screen", *app::ShotWindow::FromHandle(FrameProbe::ActiveShot(program.main)));
    app::ShotWindow& big = app::ShotWindow::Create(program.main, PatternPicture(3840, 2160), "Shot:2");
    bench::Pump();
    CompareWithEncoder("a busy pattern", big);
    if (large) LargePicture(program);

    FrameProbe::UseSaveTargets(program.main, nullptr);
    ::DeleteFileW(target.c_str());
    return program.errors ? 1 : 0;
}

}  // namespace

// With --large, also the 16384 x 16384 picture (a gigabyte, and most of a minute).
int main(int argc, char** argv)
{
    try {
        return Run(argc > 1 && std::string(argv[1]) == "--large");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
