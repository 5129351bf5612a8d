// The copy of a whole shot to the clipboard (the menu command with nothing selected: Select
// all, the snapshot, the announcement on the real clipboard) beside a bare bitmap copy of the
// same size, and the first paste in another process (its OpenClipboard and
// GetClipboardData(CF_DIB) until the data is there, the picture written out on request)
// beside the same paste of a CF_DIB of that size handed to the clipboard ready-made.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/ShotWindow.h"
#include "app/MainFrame.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"
#include "win32/Picture.h"

using wintest::ShotProbe;

namespace {

constexpr int kCopyRuns = 15;
constexpr int kPasteRuns = 7;
constexpr char kPasteArgument[] = "--paste";

using bench::Milliseconds;
using bench::Pump;
using bench::Report;

// A picture with a pattern in every pixel, so nothing can be copied as one plain colour.
std::unique_ptr<win::Picture> PatternPicture(int width, int height)
{
    win::WindowDC screen(nullptr);
    std::unique_ptr<win::Picture> picture = win::Picture::Create(screen.get(), width, height);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
    auto* p = pixels.data();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *p++ = static_cast<std::uint32_t>(((x * 37 + y * 11) & 0xFF) << 16 | ((x * 5 + y * 29) & 0xFF) << 8 |
                                              ((x ^ y) & 0xFF));
    ::SetDIBitsToDevice(picture->DC(), 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                        static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return picture;
}

// The same pixels as the copy moves, without the clipboard: a screen-compatible bitmap and one BitBlt.
void BareCopy(const win::Picture& picture)
{
    win::WindowDC screen(nullptr);
    win::OwnedDC memory(::CreateCompatibleDC(screen.get()));
    win::OwnedBitmap copy(::CreateCompatibleBitmap(screen.get(), picture.Width(), picture.Height()));
    if (!memory || !copy) win::ThrowLastError();
    win::SelectedObject into(memory.get(), copy.get());
    ::BitBlt(memory.get(), 0, 0, picture.Width(), picture.Height(), picture.DC(), 0, 0, SRCCOPY);
}

// A CF_DIB of width x height, ready-made, handed to the clipboard as it is.
void HandOverDib(HWND owner, int width, int height)
{
    const BITMAPINFOHEADER header{sizeof(header), width, height, 1, 32, BI_RGB, static_cast<DWORD>(width * height * 4)};
    win::OwnedGlobal block(::GlobalAlloc(GMEM_MOVEABLE, sizeof(header) + header.biSizeImage));
    if (!block) win::ThrowLastError();
    auto* bytes = static_cast<BYTE*>(::GlobalLock(block.get()));
    std::memcpy(bytes, &header, sizeof(header));
    std::memset(bytes + sizeof(header), 0x5A, header.biSizeImage);
    ::GlobalUnlock(block.get());
    if (!::OpenClipboard(owner)) throw core::AppError("clipboard busy");
    ::EmptyClipboard();
    if (::SetClipboardData(CF_DIB, block.get())) block.release();
    ::CloseClipboard();
    if (block) throw core::AppError("SetClipboardData failed");
}

// The other process's side: microseconds from its OpenClipboard to the CF_DIB's data, as
// its exit code (0 when there was none).
int PasteOnce()
{
    const auto start = std::chrono::steady_clock::now();
    if (!::OpenClipboard(nullptr)) return 0;
    const HANDLE data = ::GetClipboardData(CF_DIB);
    const bool there = data && ::GlobalLock(data);
    const auto end = std::chrono::steady_clock::now();
    if (there) ::GlobalUnlock(data);
    ::CloseClipboard();
    return there ? static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(end - start).count()) : 0;
}

// Starts this program again to paste, answering the clipboard's requests meanwhile.
double PasteInAnotherProcess()
{
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    std::wstring commandLine = L"\"" + self + L"\" --paste";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        win::ThrowLastError();
    win::OwnedHandle processHandle(process.hProcess), threadHandle(process.hThread);
    while (::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        Pump();
    DWORD microseconds = 0;
    ::GetExitCodeProcess(process.hProcess, &microseconds);
    if (microseconds == 0 || microseconds == STILL_ACTIVE) throw core::AppError("the paste found no CF_DIB");
    return microseconds / 1000.0;
}

void RunSize(bench::Program& program, int width, int height)
{
    app::ShotWindow& shot = app::ShotWindow::Create(program.main, PatternPicture(width, height), "Shot");
    Pump();
    std::vector<double> copies, bare, pastes, plainPastes;
    for (int run = 0; run < kCopyRuns; ++run) {
        ShotProbe::SelectCancel(shot);
        copies.push_back(Milliseconds([&] { ShotProbe::Copy(shot); }));
        Pump();
        bare.push_back(Milliseconds([&] { BareCopy(ShotProbe::Picture(shot)); }));
    }
    for (int run = 0; run < kPasteRuns; ++run) {
        ShotProbe::Copy(shot);
        pastes.push_back(PasteInAnotherProcess());
        HandOverDib(program.application.hwnd(), width, height);
        plainPastes.push_back(PasteInAnotherProcess());
    }
    ::SendMessageW(shot.hwnd(), WM_CLOSE, 0, 0);
    Pump();

    std::printf("Copy to the clipboard, %d x %d, from a 32-bit screen-compatible picture\n", width, height);
    Report("copy command (select all + snapshot + offer)", copies);
    Report("bare bitmap copy (create + BitBlt)", bare);
    std::printf("%-46s %.2f x\n", "copy command / bare copy (medians)", bench::Median(copies) / bench::Median(bare));
    Report("first paste of the copy, other process", pastes);
    Report("paste of a ready-made CF_DIB, other process", plainPastes);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], kPasteArgument) == 0) return PasteOnce();
    try {
        bench::Program program;
        RunSize(program, 1280, 1024);
        RunSize(program, 3840, 2160);
        return program.errors ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
}
