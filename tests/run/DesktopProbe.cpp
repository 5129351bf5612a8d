// Drives a running Pixtrove! from another process of its Wine prefix, for the start script's
// test. Usage: desktop_probe.exe capture FILE.ppm | count | close
//   capture  takes a whole-screen shot through the tool bar's commands and writes the
//            picture, as the copy command puts it on the clipboard, into a PPM file;
//   count    prints how many pixtrove.exe processes are running;
//   close    ends the program through its exit command.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "resource.h"
#include "win32/DelayedClipboard.h"
#include "win32/Handles.h"

namespace {

HWND Frame() { return ::FindWindowW(L"TRorUruvodi", nullptr); }

HWND WaitForShot(HWND frame)
{
    const ULONGLONG end = ::GetTickCount64() + 30000;
    for (; ::GetTickCount64() < end; ::Sleep(100)) {
        const HWND client = ::FindWindowExW(frame, nullptr, L"MDICLIENT", nullptr);
        const HWND shot = client ? ::FindWindowExW(client, nullptr, L"TfrmCap", nullptr) : nullptr;
        if (shot && !::IsIconic(frame)) return shot;
    }
    return nullptr;
}

// Top row first, three bytes a pixel: the pixels of a binary PPM as they are.
bool WritePpm(HBITMAP bitmap, const wchar_t* path)
{
    BITMAP bm{};
    if (!::GetObjectW(bitmap, sizeof(bm), &bm)) return false;
    const int stride = (bm.bmWidth * 3 + 3) / 4 * 4;
    std::vector<unsigned char> bits(static_cast<size_t>(stride) * static_cast<size_t>(bm.bmHeight));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 24, BI_RGB};
    win::WindowDC screen(nullptr);
    if (!::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), bits.data(), &info, DIB_RGB_COLORS))
        return false;
    FILE* file = _wfopen(path, L"wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%ld %ld\n255\n", bm.bmWidth, bm.bmHeight);
    for (int y = 0; y < bm.bmHeight; ++y) {
        const unsigned char* row = &bits[static_cast<size_t>(y) * static_cast<size_t>(stride)];
        for (int x = 0; x < bm.bmWidth; ++x) {
            const unsigned char rgb[] = {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]};
            std::fwrite(rgb, 1, 3, file);
        }
    }
    return std::fclose(file) == 0;
}

int Capture(const wchar_t* path)
{
    const HWND frame = Frame();
    if (!frame) return std::fprintf(stderr, "no Pixtrove! window\n"), 1;
    ::PostMessageW(frame, WM_COMMAND, IDB_FULL_SCREEN, 0);
    ::PostMessageW(frame, WM_COMMAND, IDB_START_CAPTURE, 0);
    if (!WaitForShot(frame)) return std::fprintf(stderr, "no shot window came\n"), 1;
    ::SendMessageW(frame, WM_COMMAND, IDM_COPY, 0);
    win::ClipboardSession clipboard(nullptr);
    const auto bitmap = clipboard ? static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)) : nullptr;
    if (!bitmap || !WritePpm(bitmap, path)) return std::fprintf(stderr, "no picture on the clipboard\n"), 1;
    return 0;
}

int Count()
{
    win::OwnedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{sizeof(entry)};
    int count = 0;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szExeFile, L"pixtrove.exe") == 0) ++count;
    std::printf("%d\n", count);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"capture" && argc == 3) return Capture(argv[2]);
    if (verb == L"count" && argc == 2) return Count();
    if (verb == L"close" && argc == 2) return Frame() && ::PostMessageW(Frame(), WM_COMMAND, IDM_EXIT, 0) ? 0 : 1;
    std::fprintf(stderr, "usage: desktop_probe capture FILE.ppm | count | close\n");
    return 2;
}
