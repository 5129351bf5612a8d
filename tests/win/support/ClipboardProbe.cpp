#include "ClipboardProbe.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "WinTest.h"
#include "win32/Handles.h"

namespace wintest {
namespace {

// A 32-bit top-down DIB section and a DC holding it.
class DibCanvas {
public:
    DibCanvas(int width, int height) : width_(width), height_(height), dc_(::CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
        void* bits = nullptr;
        bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!dc_ || !bitmap_) throw std::runtime_error("no DIB section");
        bits_ = static_cast<std::uint32_t*>(bits);
        selected_.emplace(dc_.get(), bitmap_.get());
    }
    HDC dc() const noexcept { return dc_.get(); }
    std::uint32_t* bits() const noexcept { return bits_; }
    Pixels pixels() const
    {
        ::GdiFlush();
        Pixels p{width_, height_, std::vector<std::uint32_t>(bits_, bits_ + static_cast<size_t>(width_) * height_)};
        for (auto& v : p.values)
            v &= 0x00FFFFFF;
        return p;
    }

private:
    int width_, height_;
    win::OwnedDC dc_;
    win::OwnedBitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    std::optional<win::SelectedObject> selected_;
};

// The window the tests' own clipboard writes belong to.
HWND HelperWindow()
{
    static HWND window = ::CreateWindowExW(0, L"STATIC", L"clipboard test helper", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE,
                                           nullptr, ::GetModuleHandleW(nullptr), nullptr);
    return window;
}

std::wstring SelfPath()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT in{INPUT_KEYBOARD};
    in.ki.wVk = key;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT MouseInput(DWORD flags)
{
    INPUT in{INPUT_MOUSE};
    in.mi.dwFlags = flags;
    return in;
}

}  // namespace

bool OpenClipboardSoon(HWND owner)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(10);
    }
    return false;
}

std::uint32_t PatternPixel(int x, int y)
{
    const auto r = static_cast<std::uint32_t>((x * 37 + y * 11) & 0xFF);
    const auto g = static_cast<std::uint32_t>((x * 5 + y * 29 + 64) & 0xFF);
    const auto b = static_cast<std::uint32_t>(((x ^ y) * 3 + 17) & 0xFF);
    return r << 16 | g << 8 | b;
}

std::unique_ptr<win::Picture> PatternPicture(int width, int height)
{
    win::WindowDC screen(nullptr);
    std::unique_ptr<win::Picture> picture = win::Picture::Create(screen.get(), width, height);
    if (width > 0 && height > 0) {
        DibCanvas canvas(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                canvas.bits()[static_cast<size_t>(y) * width + x] = PatternPixel(x, y);
        ::BitBlt(picture->DC(), 0, 0, width, height, canvas.dc(), 0, 0, SRCCOPY);
        ::GdiFlush();
    }
    return picture;
}

Pixels PicturePixels(const win::Picture& picture)
{
    DibCanvas canvas(picture.Width(), picture.Height());
    ::BitBlt(canvas.dc(), 0, 0, picture.Width(), picture.Height(), picture.DC(), 0, 0, SRCCOPY);
    return canvas.pixels();
}

Pixels Crop(const Pixels& pixels, core::Rect area)
{
    Pixels part{area.Width(), area.Height(), {}};
    part.values.reserve(static_cast<size_t>(part.width) * part.height);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            part.values.push_back(pixels.at(x, y));
    return part;
}

Pixels WithFrame(Pixels pixels, core::Rect area)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (x == area.left || x == area.right - 1 || y == area.top || y == area.bottom - 1)
                pixels.values[static_cast<size_t>(y) * pixels.width + x] ^= 0x00FFFFFF;
    return pixels;
}

Pixels WindowPixels(HWND hwnd, int width, int height)
{
    DibCanvas canvas(width, height);
    win::WindowDC window(hwnd);
    ::BitBlt(canvas.dc(), 0, 0, width, height, window.get(), 0, 0, SRCCOPY);
    return canvas.pixels();
}

void PrintTo(const Pixels& pixels, std::ostream* out) { *out << pixels.width << " x " << pixels.height << " pixels"; }

std::string Differences(const Pixels& expected, const Pixels& actual)
{
    std::ostringstream out;
    if (expected.width != actual.width || expected.height != actual.height) {
        out << "size " << actual.width << "x" << actual.height << ", expected " << expected.width << "x"
            << expected.height;
        return out.str();
    }
    int shown = 0, count = 0;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            if (expected.at(x, y) == actual.at(x, y)) continue;
            if (++count > 5) continue;
            char line[80];
            std::snprintf(line, sizeof(line), "(%d, %d): %06X, expected %06X; ", x, y,
                          static_cast<unsigned>(actual.at(x, y)), static_cast<unsigned>(expected.at(x, y)));
            out << line;
            ++shown;
        }
    if (count > shown) out << count << " pixels differ in all";
    return out.str();
}

std::optional<Pixels> ClipboardBitmap()
{
    if (!OpenClipboardSoon(HelperWindow())) throw std::runtime_error("the clipboard cannot be opened to read it");
    std::optional<Pixels> result;
    if (const auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
        Pixels p;
        p.values = BitmapPixels(bitmap, p.width, p.height);
        result = std::move(p);
    }
    ::CloseClipboard();
    return result;
}

std::optional<std::wstring> ClipboardText()
{
    if (!OpenClipboardSoon(HelperWindow())) throw std::runtime_error("the clipboard cannot be opened to read it");
    std::optional<std::wstring> result;
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
            result = std::wstring(text);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return result;
}

void PutClipboardText(const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!data) throw std::runtime_error("no memory for the clipboard text");
    std::memcpy(::GlobalLock(data), text.c_str(), bytes);
    ::GlobalUnlock(data);
    if (!OpenClipboardSoon(HelperWindow())) throw std::runtime_error("the clipboard cannot be opened to write it");
    ::EmptyClipboard();
    const bool put = ::SetClipboardData(CF_UNICODETEXT, data) != nullptr;
    ::CloseClipboard();
    if (!put) {
        ::GlobalFree(data);
        throw std::runtime_error("the clipboard text was not put");
    }
}

namespace {

std::wstring SecondProcessFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name + L"-" + std::to_wstring(::GetCurrentProcessId()) + L".bin";
}

DWORD RunSecondProcess(const char* argument, const std::wstring& file)
{
    const std::wstring self = SelfPath();
    std::wstring commandLine = L"\"" + self + L"\" ";
    for (const char* p = argument; *p; ++p)
        commandLine.push_back(static_cast<wchar_t>(*p));
    commandLine += L" \"" + file + L"\"";

    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        throw std::runtime_error("the second process did not start");
    win::OwnedHandle processHandle(process.hProcess), threadHandle(process.hThread);
    // This process owns the clipboard's data: it keeps answering messages while the other reads.
    const bool ended = PumpUntil([&] { return ::WaitForSingleObject(processHandle.get(), 0) == WAIT_OBJECT_0; }, 30000);
    if (!ended) {
        ::TerminateProcess(processHandle.get(), 1);
        throw std::runtime_error("the second process did not end");
    }
    DWORD code = 1;
    ::GetExitCodeProcess(processHandle.get(), &code);
    return code;
}

}  // namespace

std::optional<std::vector<BYTE>> SecondProcessOutput(const char* argument, const wchar_t* name)
{
    const std::wstring file = SecondProcessFile(name);
    ::DeleteFileW(file.c_str());
    const DWORD code = RunSecondProcess(argument, file);
    if (code == 2) return std::nullopt;
    if (code != 0) throw std::runtime_error("the second process failed with code " + std::to_string(code));
    std::FILE* in = ::_wfopen(file.c_str(), L"rb");
    if (!in) throw std::runtime_error("the second process left no file");
    std::vector<BYTE> output;
    BYTE buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof(buffer), in)) > 0;)
        output.insert(output.end(), buffer, buffer + n);
    std::fclose(in);
    ::DeleteFileW(file.c_str());
    return output;
}

std::optional<Pixels> ClipboardBitmapFromAnotherProcess()
{
    const std::optional<std::vector<BYTE>> output = SecondProcessOutput(kDumpClipboardArgument, L"pixtrove-clipboard");
    if (!output) return std::nullopt;  // no bitmap there
    Pixels p;
    std::int32_t size[2]{};
    bool read = output->size() >= sizeof(size);
    if (read) {
        std::memcpy(size, output->data(), sizeof(size));
        read = size[0] >= 0 && size[1] >= 0;
    }
    if (read) {
        p.width = size[0];
        p.height = size[1];
        p.values.resize(static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
        read = output->size() == sizeof(size) + p.values.size() * sizeof(std::uint32_t);
        if (read && !p.values.empty())
            std::memcpy(p.values.data(), output->data() + sizeof(size), p.values.size() * sizeof(std::uint32_t));
    }
    if (!read) throw std::runtime_error("the second process's file is short");
    return p;
}

int DumpClipboard(const char* file)
{
    if (!OpenClipboardSoon(nullptr)) return 3;
    Pixels p;
    const auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    if (bitmap) p.values = BitmapPixels(bitmap, p.width, p.height);
    ::CloseClipboard();
    if (!bitmap) return 2;
    std::FILE* out = std::fopen(file, "wb");
    if (!out) return 4;
    const std::int32_t size[2] = {p.width, p.height};
    bool written = std::fwrite(size, sizeof(size), 1, out) == 1;
    if (!p.values.empty())
        written =
            written && std::fwrite(p.values.data(), sizeof(std::uint32_t), p.values.size(), out) == p.values.size();
    written = std::fclose(out) == 0 && written;
    return written ? 0 : 4;
}

ClipboardHolder::ClipboardHolder()
    : opened_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), release_(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    struct Start {
        HANDLE opened, release;
        bool* holding;
    };
    auto* start = new Start{opened_, release_, &holding_};
    thread_ = ::CreateThread(
        nullptr, 0,
        [](void* param) -> DWORD {
            const std::unique_ptr<Start> s(static_cast<Start*>(param));
            const HWND window = ::CreateWindowExW(0, L"STATIC", L"clipboard holder", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE,
                                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
            *s->holding = window && OpenClipboardSoon(window);
            ::SetEvent(s->opened);
            ::WaitForSingleObject(s->release, INFINITE);
            if (*s->holding) ::CloseClipboard();
            if (window) ::DestroyWindow(window);
            return 0;
        },
        start, 0, nullptr);
    if (!thread_) {
        delete start;
        throw std::runtime_error("the holder thread did not start");
    }
    ::WaitForSingleObject(opened_, INFINITE);
}

ClipboardHolder::~ClipboardHolder()
{
    ::SetEvent(release_);
    ::WaitForSingleObject(thread_, INFINITE);
    ::CloseHandle(thread_);
    ::CloseHandle(release_);
    ::CloseHandle(opened_);
}

void PressCtrlKey(WORD key)
{
    INPUT keys[] = {KeyInput(VK_CONTROL, false), KeyInput(key, false), KeyInput(key, true), KeyInput(VK_CONTROL, true)};
    ::SendInput(static_cast<UINT>(std::size(keys)), keys, sizeof(INPUT));
}

void MovePointerTo(POINT screen)
{
    // Absolute input runs from 0 to 65535 across the primary screen; round up so that
    // the system's rounding down lands on the pixel itself.
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    in.mi.dx = static_cast<LONG>((static_cast<long long>(screen.x) * 65536 + width - 1) / width);
    in.mi.dy = static_cast<LONG>((static_cast<long long>(screen.y) * 65536 + height - 1) / height);
    ::SendInput(1, &in, sizeof(INPUT));
    PumpUntil([&] {
        POINT now{};
        ::GetCursorPos(&now);
        return now.x == screen.x && now.y == screen.y;
    });
}

void PressPrimaryButton()
{
    INPUT in = MouseInput(MOUSEEVENTF_LEFTDOWN);
    ::SendInput(1, &in, sizeof(INPUT));
}

void ReleasePrimaryButton()
{
    INPUT in = MouseInput(MOUSEEVENTF_LEFTUP);
    ::SendInput(1, &in, sizeof(INPUT));
}

}  // namespace wintest
