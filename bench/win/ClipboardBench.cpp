// The copy of a whole shot to the clipboard (the menu command with nothing selected: Select
// all, the snapshot, the announcement on the real clipboard) beside a bare bitmap copy of the
// same size, and the first paste in another process (its OpenClipboard and
// GetClipboardData(CF_DIB) until the data is there, the picture written out on request)
// beside the same paste of a CF_DIB of that size handed to the clipboard ready-made. Then the
// first paste of the PNG (written out on request by the system's encoder) beside a bare
// encoder call on the same pixels, laid out as it wants them, into memory.
#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "BareEncode.h"
#include "BenchSupport.h"
#include "app/ShotWindow.h"
#include "app/MainFrame.h"
#include "win32/Com.h"
#include "win32/ErrorReport.h"
#include "win32/Handles.h"
#include "win32/Picture.h"

using wintest::ShotProbe;

namespace {

constexpr int kCopyRuns = 15;
constexpr int kPasteRuns = 7;
constexpr char kPasteArgument[] = "--paste";
constexpr char kPastePngArgument[] = "--paste-png";

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

// The same pixels as the PNG is made of, as 24-bit top-down rows.
std::vector<BYTE> EncoderRows(const win::Picture& picture, UINT& stride)
{
    stride = static_cast<UINT>((picture.Width() * 3 + 3) & ~3);
    std::vector<BYTE> rows(static_cast<size_t>(stride) * picture.Height());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.Width(), -picture.Height(), 1, 24, BI_RGB};
    ::GetDIBits(picture.DC(), picture.Bitmap(), 0, static_cast<UINT>(picture.Height()), rows.data(), &info,
                DIB_RGB_COLORS);
    return rows;
}

// The encoder on its own: COM, the factory, and the PNG written into memory made beforehand.
void BareEncode(const std::vector<BYTE>& rows, UINT stride, int width, int height, std::vector<BYTE>& file)
{
    bench::BareEncodePng(
        [&](IWICStream& stream) {
            win::ThrowIfFailed(stream.InitializeFromMemory(file.data(), static_cast<DWORD>(file.size())));
        },
        rows, stride, width, height);
}

// The other process's side: microseconds from its OpenClipboard to the format's data, as
// its exit code (0 when there was none).
int PasteOnce(UINT format)
{
    // A program that pastes has its window library bound and its display driver running; this
    // one starts both at its first call (the DLL is delay-loaded), which is not the paste's to pay.
    ::ReleaseDC(nullptr, ::GetDC(nullptr));
    const auto start = std::chrono::steady_clock::now();
    if (!::OpenClipboard(nullptr)) return 0;
    const HANDLE data = ::GetClipboardData(format);
    const bool there = data && ::GlobalLock(data);
    const auto end = std::chrono::steady_clock::now();
    if (there) ::GlobalUnlock(data);
    ::CloseClipboard();
    return there ? static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(end - start).count()) : 0;
}

// Starts this program again to paste, answering the clipboard's requests meanwhile.
double PasteInAnotherProcess(const wchar_t* argument = L"--paste")
{
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    std::wstring commandLine = L"\"" + self + L"\" " + argument;
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
    if (microseconds == 0 || microseconds == STILL_ACTIVE) throw core::AppError("the paste found no data");
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
    std::vector<double> pngPastes, bareEncodes;
    UINT stride = 0;
    const std::vector<BYTE> rows = EncoderRows(ShotProbe::Picture(shot), stride);
    std::vector<BYTE> file(rows.size() + rows.size() / 64 + 65536);
    for (int run = 0; run < kPasteRuns; ++run) {
        ShotProbe::Copy(shot);
        pngPastes.push_back(PasteInAnotherProcess(L"--paste-png"));
        bareEncodes.push_back(Milliseconds([&] { BareEncode(rows, stride, width, height, file); }));
    }
    ::SendMessageW(shot.hwnd(), WM_CLOSE, 0, 0);
    Pump();

    std::printf("Copy to the clipboard, %d x %d, from a 32-bit screen-compatible picture\n", width, height);
    Report("copy command (select all + snapshot + offer)", copies);
    Report("bare bitmap copy (create + BitBlt)", bare);
    std::printf("%-46s %.2f x\n", "copy command / bare copy (medians)", bench::Median(copies) / bench::Median(bare));
    Report("first paste of the copy, other process", pastes);
    Report("paste of a ready-made CF_DIB, other process", plainPastes);
    Report("first paste of the copy as PNG, other process", pngPastes);
    Report("bare PNG encode of the same pixels into memory", bareEncodes);
    std::printf("%-46s %.2f x\n", "PNG paste / bare encode (medians)",
                bench::Median(pngPastes) / bench::Median(bareEncodes));
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], kPasteArgument) == 0) return PasteOnce(CF_DIB);
    if (argc == 2 && std::strcmp(argv[1], kPastePngArgument) == 0) return PasteOnce(::RegisterClipboardFormatW(L"PNG"));
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
