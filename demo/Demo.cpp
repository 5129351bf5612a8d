// A short scripted tour of Pixtrove! for machines without a display: it starts the program,
// captures the screen, drags a selection, copies it, opens both dialogs, and writes a
// screenshot of each step (and the clipboard's picture) as BMP files into a folder.
// Usage: pixtrove_demo.exe PROGRAM.exe OUTPUT-FOLDER
#include <windows.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "resource.h"

namespace {

std::wstring gOut;

bool WaitFor(const auto& done, DWORD timeoutMs = 15000)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() > end) return false;
        ::Sleep(50);
    }
    return true;
}

bool SaveBitmap(HBITMAP bitmap, const std::wstring& name)
{
    BITMAP bm{};
    if (!::GetObjectW(bitmap, sizeof(bm), &bm)) return false;
    const int stride = ((bm.bmWidth * 3 + 3) / 4) * 4;
    std::vector<unsigned char> bits(static_cast<size_t>(stride) * static_cast<size_t>(bm.bmHeight));
    BITMAPINFOHEADER header{sizeof(header), bm.bmWidth, bm.bmHeight, 1, 24, BI_RGB};
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), bits.data(), reinterpret_cast<BITMAPINFO*>(&header),
                DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(header) + bits.size()), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof(header)};
    const std::wstring path = gOut + L"\\" + name + L".bmp";
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    fwrite(&file, sizeof(file), 1, f);
    fwrite(&header, sizeof(header), 1, f);
    fwrite(bits.data(), 1, bits.size(), f);
    fclose(f);
    std::printf("wrote %ls\n", path.c_str());
    return true;
}

void Screenshot(const wchar_t* name)
{
    ::Sleep(400);  // let the program finish painting
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    SaveBitmap(bitmap, name);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

// Pointer input with its position in every event, so a press lands where the pointer is.
void Mouse(POINT p, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx =
        static_cast<LONG>((p.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy =
        static_cast<LONG>((p.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(60);
}

void Key(WORD vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(40);
}

HWND FindShot(HWND frame)
{
    HWND client = ::FindWindowExW(frame, nullptr, L"MDICLIENT", nullptr);
    return client ? ::FindWindowExW(client, nullptr, L"TfrmCap", nullptr) : nullptr;
}

// A box once it is on the screen: it is made hidden and shown when complete.
HWND FindDialog(const wchar_t* caption)
{
    const HWND box = ::FindWindowW(nullptr, caption);
    return box && ::IsWindowVisible(box) ? box : nullptr;
}

// Something worth capturing: a window of colour bars with a line of text, on its own thread.
LRESULT CALLBACK SampleProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_PAINT) return ::DefWindowProcW(hwnd, msg, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT client;
    ::GetClientRect(hwnd, &client);
    const COLORREF bars[] = {RGB(230, 230, 230), RGB(230, 220, 40), RGB(40, 200, 220), RGB(40, 190, 60),
                             RGB(200, 40, 200),  RGB(220, 40, 40),  RGB(40, 40, 210),  RGB(20, 20, 20)};
    const int n = static_cast<int>(std::size(bars));
    for (int i = 0; i < n; ++i) {
        HBRUSH brush = ::CreateSolidBrush(bars[i]);
        RECT bar{client.right * i / n, 0, client.right * (i + 1) / n, client.bottom * 2 / 3};
        ::FillRect(dc, &bar, brush);
        ::DeleteObject(brush);
    }
    RECT text{0, client.bottom * 2 / 3, client.right, client.bottom};
    ::FillRect(dc, &text, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    HFONT font = ::CreateFontW(-28, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, L"ＭＳ Ｐゴシック");
    HGDIOBJ old = ::SelectObject(dc, font);
    ::DrawTextW(dc, L"Pixtrove! で取り込むサンプル", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::EndPaint(hwnd, &ps);
    return 0;
}

DWORD WINAPI SampleThread(void*)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = &SampleProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PixtroveDemoSample";
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    ::RegisterClassW(&wc);
    ::CreateWindowExW(0, wc.lpszClassName, L"サンプル", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 520, 330, nullptr,
                      nullptr, wc.hInstance, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: pixtrove_demo PROGRAM.exe OUTPUT-FOLDER\n");
        return 2;
    }
    gOut = argv[2];
    ::CreateDirectoryW(gOut.c_str(), nullptr);

    // A short delay for the tour: one second.
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Kvn\\Pixtrove", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExA(key, "CapTime", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
        ::RegCloseKey(key);
    }

    ::CreateThread(nullptr, 0, &SampleThread, nullptr, 0, nullptr);
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start the program\n");
        return 1;
    }
    ::CloseHandle(pi.hThread);

    HWND frame = nullptr;
    bool ok = WaitFor([&] { return (frame = ::FindWindowW(L"TRorUruvodi", nullptr)) && ::IsWindowVisible(frame); });
    if (ok) {
        ::SetWindowPos(frame, nullptr, 380, 200, 760, 560, SWP_NOZORDER);
        Screenshot(L"1-main-window");

        ::PostMessageW(frame, WM_COMMAND, IDB_START_CAPTURE, 0);
        HWND shot = nullptr;
        ok = WaitFor([&] { return (shot = FindShot(frame)) && !::IsIconic(frame); });
        if (ok) {
            Screenshot(L"2-shot-window");

            RECT client{};
            ::GetClientRect(shot, &client);
            POINT from{60, 50}, to{360, 250};
            ::ClientToScreen(shot, &from);
            ::ClientToScreen(shot, &to);
            Mouse(from, 0);
            Mouse(from, MOUSEEVENTF_LEFTDOWN);
            for (int i = 1; i <= 10; ++i)
                Mouse({from.x + (to.x - from.x) * i / 10, from.y + (to.y - from.y) * i / 10}, 0);
            Mouse(to, MOUSEEVENTF_LEFTUP);
            Screenshot(L"3-selection");

            Key(VK_CONTROL, false);
            Key('C', false);
            Key('C', true);
            Key(VK_CONTROL, true);
            ::Sleep(300);
            if (::OpenClipboard(nullptr)) {
                if (HBITMAP copied = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)))
                    SaveBitmap(copied, L"4-clipboard");
                ::CloseClipboard();
            }
            // The selection hidden under the mosaic, then framed in red.
            for (const WORD letter : {WORD{'M'}, WORD{'H'}}) {
                Key(VK_CONTROL, false);
                Key(letter, false);
                Key(letter, true);
                Key(VK_CONTROL, true);
            }
            ::Sleep(300);
            Screenshot(L"4-mosaic");
        }

        ::PostMessageW(frame, WM_COMMAND, IDM_ENVIRONMENT, 0);
        HWND dialog = nullptr;
        if (WaitFor([&] { return (dialog = FindDialog(L"環境設定")) != nullptr; }, 5000)) {
            ::Sleep(300);  // painted
            Screenshot(L"5-settings");
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            WaitFor([&] { return !::IsWindow(dialog); }, 5000);
        }
        ::PostMessageW(frame, WM_COMMAND, IDM_ABOUT, 0);
        if (WaitFor([&] { return (dialog = FindDialog(L"ﾊﾞｰｼﾞｮﾝ情報")) != nullptr; }, 5000)) {
            Screenshot(L"6-version");
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            WaitFor([&] { return !::IsWindow(dialog); }, 5000);
        }
        ::PostMessageW(frame, WM_COMMAND, IDM_EXIT, 0);
    }
    ::WaitForSingleObject(pi.hProcess, 10000);
    ::CloseHandle(pi.hProcess);
    if (!ok) std::fprintf(stderr, "the tour did not get through; see the screenshots written so far\n");
    return ok ? 0 : 1;
}
