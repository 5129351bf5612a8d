// The scrolling capture's test document: a long document of known content in a window that
// scrolls by the mouse wheel as a real program does, and its own whole rendering (header, all
// the content, footer, as one picture) for comparison.
// Usage: scroll_document.exe LEFT TOP CLIENT_WIDTH CLIENT_HEIGHT [options]
//   --lines N          lines of content, 24 rows each (default 200)
//   --sticky           a header of 40 rows and a footer of 28 that stay put
//   --smooth           each wheel step glides for a while, a few rows every 10 ms
//   --repeat           two screens of identical rows from line 20 on
//   --caret            a caret 2 x 18 at line 12 that blinks every 200 ms
//   --noise            the rows of an empty table, with a line of 1 px noise every 16 rows
//   --animate          a square near the top left that changes colour every 30 ms
//   --change-after N   at the Nth wheel step, changes the line third from the window's top
//   --close-after N    closes itself at the Nth wheel step
//   --move-after N     moves its window 40 px right at the Nth wheel step
//   --escape-after N   holds Esc down for 400 ms at the Nth wheel step
//   --render FILE      first writes the whole rendering to FILE (32-bit BMP, top row first)
//   --status FILE      at the 3rd wheel step writes what it sees of the capture's status
//                      window: "visible LEFT TOP RIGHT BOTTOM" and its text (UTF-8), or "none"
//   --child            the page is a child window (given the focus) inside a frame window of
//                      class PixtroveTestScrollFrame, below a tool strip of 36 rows, 16 from
//                      the frame's other edges; LEFT TOP place the frame
// A wheel notch of 120 moves the content 48 rows (3 lines of 16), as 3 lines per notch do.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kLineRows = 24, kHeaderRows = 40, kFooterRows = 28, kRowsPerNotch = 48;
constexpr int kStripRows = 36, kMargin = 16;  // round the page in a frame
constexpr std::uint32_t kWhite = 0xFFFFFF;

struct Options {
    int left = 0, top = 0, width = 400, height = 300;
    int lines = 200;
    bool sticky = false, smooth = false, repeat = false, caret = false, noise = false, animate = false, child = false;
    int changeAfter = 0, closeAfter = 0, moveAfter = 0, escapeAfter = 0;
    const char* render = nullptr;
    const char* status = nullptr;
};

Options options;
std::vector<std::uint32_t> content;  // the whole content, `options.width` pixels a row
std::vector<std::uint32_t> header, footer;
std::vector<std::uint32_t> view;  // what the client area shows, composed before one blit
int contentRows = 0, scroll = 0, target = 0, wheelSteps = 0;
bool caretOn = false;
std::uint32_t animation = 0;  // the animated square's colour

std::uint32_t Hash(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

int ContentArea() { return options.height - (options.sticky ? kHeaderRows + kFooterRows : 0); }
int MaxScroll() { return std::max(contentRows - ContentArea(), 0); }

// A line of "text": dark specks in cells of 3 x 2 pixels, a margin mark of the line's own
// colour, and white rows under it.
std::uint32_t TextPixel(int x, int y)
{
    const int line = y / kLineRows, row = y % kLineRows;
    if (options.repeat && line >= 20 && line < 20 + 2 * options.height / kLineRows + 2) return 0xE0E0E0;
    if (row >= 16) return kWhite;
    if (x < 6) return Hash(static_cast<std::uint32_t>(line), 1) & 0xFFFFFF;
    if (x >= options.width - 30) return kWhite;  // a ragged right margin
    return Hash(static_cast<std::uint32_t>(line * 64 + row / 2), static_cast<std::uint32_t>(x / 3)) % 5 == 0 ? 0x202020
                                                                                                             : kWhite;
}

// An empty table, cells of 60 x 12, and every 16th row 1 px of noise.
std::uint32_t TablePixel(int x, int y)
{
    if (y % 16 == 5) return Hash(static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(x)) & 0xFFFFFF;
    return y % 12 == 0 || x % 60 == 0 ? 0x808080 : kWhite;
}

void MakeDocument()
{
    const int w = options.width;
    contentRows = options.lines * kLineRows;
    content.assign(static_cast<size_t>(w) * static_cast<size_t>(contentRows), kWhite);
    for (int y = 0; y < contentRows; ++y)
        for (int x = 0; x < w; ++x)
            content[static_cast<size_t>(y) * w + x] = options.noise ? TablePixel(x, y) : TextPixel(x, y);
    header.assign(static_cast<size_t>(w) * kHeaderRows, 0);
    footer.assign(static_cast<size_t>(w) * kFooterRows, 0);
    for (int y = 0; y < kHeaderRows; ++y)
        for (int x = 0; x < w; ++x)
            header[static_cast<size_t>(y) * w + x] =
                Hash(static_cast<std::uint32_t>(y), x / 4) % 7 ? 0x000080 : 0xFFFF00;
    for (int y = 0; y < kFooterRows; ++y)
        for (int x = 0; x < w; ++x)
            footer[static_cast<size_t>(y) * w + x] =
                Hash(static_cast<std::uint32_t>(y + 99), x / 5) % 6 ? 0x404040 : 0x00FFFF;
    view.assign(static_cast<size_t>(w) * static_cast<size_t>(options.height), kWhite);
}

// Content row `y` as the window shows it, the caret included; past the end the page is white.
void CopyContentRow(int y, std::uint32_t* to, bool withCaret)
{
    const int w = options.width;
    if (y < contentRows) {
        std::memcpy(to, &content[static_cast<size_t>(y) * w], static_cast<size_t>(w) * 4);
    } else {
        std::fill(to, to + w, kWhite);
    }
    const int caretTop = 12 * kLineRows;
    if (withCaret && y >= caretTop && y < caretTop + 18 && w > 102) to[100] = to[101] = 0x000000;
}

void ComposeView()
{
    const int w = options.width, area = ContentArea();
    int y = 0;
    if (options.sticky)
        for (; y < kHeaderRows; ++y)
            std::memcpy(&view[static_cast<size_t>(y) * w], &header[static_cast<size_t>(y) * w], w * 4);
    for (int c = 0; c < area; ++c, ++y)
        CopyContentRow(scroll + c, &view[static_cast<size_t>(y) * w], options.caret && caretOn);
    if (options.sticky)
        for (int f = 0; f < kFooterRows; ++f, ++y)
            std::memcpy(&view[static_cast<size_t>(y) * w], &footer[static_cast<size_t>(f) * w], w * 4);
    if (options.animate)
        for (int r = 10; r < 30 && r < options.height; ++r)
            for (int x = 10; x < 30 && x < w; ++x)
                view[static_cast<size_t>(r) * w + x] = animation;
}

// The line third from the window's top gets other specks: content that changed.
void ChangeContent()
{
    const int line = scroll / kLineRows + 3, w = options.width;
    for (int y = line * kLineRows; y < line * kLineRows + 16 && y < contentRows; ++y)
        for (int x = 6; x < w - 30; ++x)
            content[static_cast<size_t>(y) * w + x] ^= 0x00FF00;
}

// The header, every row of the content (at least a window's worth), the footer; no caret.
bool WriteRendering(const char* path)
{
    const int w = options.width;
    const int rows = std::max(contentRows, ContentArea());
    const int height = rows + (options.sticky ? kHeaderRows + kFooterRows : 0);
    std::vector<std::uint32_t> whole(static_cast<size_t>(w) * static_cast<size_t>(height));
    int y = 0;
    if (options.sticky)
        for (; y < kHeaderRows; ++y)
            std::memcpy(&whole[static_cast<size_t>(y) * w], &header[static_cast<size_t>(y) * w], w * 4);
    for (int c = 0; c < rows; ++c, ++y)
        CopyContentRow(c, &whole[static_cast<size_t>(y) * w], false);
    if (options.sticky)
        for (int f = 0; f < kFooterRows; ++f, ++y)
            std::memcpy(&whole[static_cast<size_t>(y) * w], &footer[static_cast<size_t>(f) * w], w * 4);
    BITMAPINFOHEADER info{sizeof(info), w, -height, 1, 32, BI_RGB};
    const DWORD bits = static_cast<DWORD>(whole.size() * 4);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(file) + sizeof(info)) + bits, 0, 0,
                          static_cast<DWORD>(sizeof(file) + sizeof(info))};
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                         std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                         std::fwrite(whole.data(), 4, whole.size(), out) == whole.size();
    return std::fclose(out) == 0 && written;
}

void ShowScroll(HWND hwnd)
{
    // A document shorter than the window keeps its bar, greyed, so the client area stays.
    SCROLLINFO info{sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL};
    info.nMax = std::max(contentRows, ContentArea()) - 1;
    info.nPage = static_cast<UINT>(ContentArea());
    info.nPos = scroll;
    ::SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

void ScrollTo(HWND hwnd, int position)
{
    if (position == scroll) return;
    scroll = position;
    ShowScroll(hwnd);
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
}

void PressEscape(bool down)
{
    INPUT input{INPUT_KEYBOARD};
    input.ki.wVk = VK_ESCAPE;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof(input));
}

constexpr UINT_PTR kGlideTimer = 1, kCaretTimer = 2, kEscapeTimer = 3, kAnimationTimer = 4;

// The status window of the capture that scrolls this one, as another program sees it.
void WriteStatus(const char* path)
{
    FILE* out = std::fopen(path, "wb");
    if (!out) return;
    const HWND status = ::FindWindowW(L"PixtroveScrollStatus", nullptr);
    RECT r{};
    if (status && ::GetWindowRect(status, &r)) {
        wchar_t text[200]{};
        ::GetWindowTextW(status, text, 200);
        char utf8[600]{};
        ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
        std::fprintf(out, "%s %ld %ld %ld %ld\n%s", ::IsWindowVisible(status) ? "visible" : "hidden", r.left, r.top,
                     r.right, r.bottom, utf8);
    } else {
        std::fprintf(out, "none");
    }
    std::fclose(out);
}

void OnWheel(HWND hwnd, int delta)
{
    ++wheelSteps;
    target = std::clamp(target - delta * kRowsPerNotch / WHEEL_DELTA, 0, MaxScroll());
    if (options.smooth) {
        ::SetTimer(hwnd, kGlideTimer, 10, nullptr);
    } else {
        ScrollTo(hwnd, target);
    }
    if (wheelSteps == 3 && options.status) WriteStatus(options.status);
    if (wheelSteps == options.changeAfter) {
        ChangeContent();
        ::InvalidateRect(hwnd, nullptr, FALSE);
    }
    const HWND top = ::GetAncestor(hwnd, GA_ROOT);
    if (wheelSteps == options.closeAfter) ::PostMessageW(top, WM_CLOSE, 0, 0);
    if (wheelSteps == options.moveAfter) {
        RECT r{};
        ::GetWindowRect(top, &r);
        ::SetWindowPos(top, nullptr, r.left + 40, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (wheelSteps == options.escapeAfter) {
        PressEscape(true);
        ::SetTimer(hwnd, kEscapeTimer, 400, nullptr);
    }
}

// A glide covers a fifth of what is left each tick, at least a row.
void OnGlide(HWND hwnd)
{
    const int left = target - scroll;
    if (left == 0) {
        ::KillTimer(hwnd, kGlideTimer);
        return;
    }
    const int step = left > 0 ? std::max(left / 5, 1) : std::min(left / 5, -1);
    ScrollTo(hwnd, scroll + step);
}

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd, &ps);
            ComposeView();
            BITMAPINFO info{};
            info.bmiHeader = {sizeof(BITMAPINFOHEADER), options.width, -options.height, 1, 32, BI_RGB};
            ::SetDIBitsToDevice(dc, 0, 0, options.width, options.height, 0, 0, 0, options.height, view.data(), &info,
                                DIB_RGB_COLORS);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_MOUSEWHEEL: OnWheel(hwnd, GET_WHEEL_DELTA_WPARAM(wp)); return 0;
        case WM_TIMER:
            if (wp == kGlideTimer) OnGlide(hwnd);
            if (wp == kCaretTimer) {
                caretOn = !caretOn;
                ::InvalidateRect(hwnd, nullptr, FALSE);
            }
            if (wp == kAnimationTimer) {
                animation = (animation + 0x203040) & 0xFFFFFF;
                ::InvalidateRect(hwnd, nullptr, FALSE);
            }
            if (wp == kEscapeTimer) {
                ::KillTimer(hwnd, kEscapeTimer);
                PressEscape(false);
            }
            return 0;
        case WM_DESTROY: ::PostQuitMessage(0); return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

// The frame round a child page: a tool strip of stripes and grey margins, which do not scroll.
LRESULT CALLBACK FrameProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd, &ps);
            RECT client{};
            ::GetClientRect(hwnd, &client);
            const HBRUSH grey = ::CreateSolidBrush(RGB(160, 160, 168)), stripe = ::CreateSolidBrush(RGB(40, 90, 160));
            ::FillRect(dc, &client, grey);
            for (int x = 8; x < client.right; x += 40) {
                const RECT button{x, 8, x + 28, kStripRows - 8};
                ::FillRect(dc, &button, stripe);
            }
            ::DeleteObject(grey);
            ::DeleteObject(stripe);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_SETFOCUS:
            if (const HWND page = ::GetWindow(hwnd, GW_CHILD)) ::SetFocus(page);
            return 0;
        case WM_DESTROY: ::PostQuitMessage(0); return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

bool ParseOptions(int argc, char** argv)
{
    if (argc < 5) return false;
    options.left = std::atoi(argv[1]);
    options.top = std::atoi(argv[2]);
    options.width = std::atoi(argv[3]);
    options.height = std::atoi(argv[4]);
    for (int i = 5; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        bool* flag = a == "--sticky"    ? &options.sticky
                     : a == "--smooth"  ? &options.smooth
                     : a == "--repeat"  ? &options.repeat
                     : a == "--caret"   ? &options.caret
                     : a == "--noise"   ? &options.noise
                     : a == "--animate" ? &options.animate
                     : a == "--child"   ? &options.child
                                        : nullptr;
        int* number = a == "--lines"          ? &options.lines
                      : a == "--change-after" ? &options.changeAfter
                      : a == "--close-after"  ? &options.closeAfter
                      : a == "--move-after"   ? &options.moveAfter
                      : a == "--escape-after" ? &options.escapeAfter
                                              : nullptr;
        if (flag) {
            *flag = true;
        } else if (number && hasValue) {
            *number = std::atoi(argv[++i]);
        } else if (a == "--render" && hasValue) {
            options.render = argv[++i];
        } else if (a == "--status" && hasValue) {
            options.status = argv[++i];
        } else {
            return false;
        }
    }
    return options.width > 0 && ContentArea() > 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!ParseOptions(argc, argv)) return 1;
    MakeDocument();
    if (options.render && !WriteRendering(options.render)) return 2;

    WNDCLASSW wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"PixtroveTestScrollDocument";
    ::RegisterClassW(&wc);
    const int pageWidth = options.width + ::GetSystemMetrics(SM_CXVSCROLL);
    HWND frame = nullptr, window = nullptr;
    if (options.child) {
        WNDCLASSW fc = wc;
        fc.lpfnWndProc = &FrameProcedure;
        fc.lpszClassName = L"PixtroveTestScrollFrame";
        ::RegisterClassW(&fc);
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        RECT outer{0, 0, pageWidth + 2 * kMargin, kStripRows + options.height + kMargin};
        ::AdjustWindowRect(&outer, style, FALSE);
        frame = ::CreateWindowExW(0, fc.lpszClassName, L"Document", style, options.left, options.top,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        if (frame)
            window = ::CreateWindowExW(0, wc.lpszClassName, L"Page", WS_CHILD | WS_VISIBLE | WS_VSCROLL, kMargin,
                                       kStripRows, pageWidth, options.height, frame, nullptr, wc.hInstance, nullptr);
    } else {
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VSCROLL;
        RECT outer{0, 0, options.width, options.height};
        ::AdjustWindowRect(&outer, style, FALSE);
        frame = window = ::CreateWindowExW(0, wc.lpszClassName, L"Document", style, options.left, options.top,
                                           outer.right - outer.left + ::GetSystemMetrics(SM_CXVSCROLL),
                                           outer.bottom - outer.top, nullptr, nullptr, wc.hInstance, nullptr);
    }
    if (!window) return 3;
    ShowScroll(window);
    if (options.caret) ::SetTimer(window, kCaretTimer, 200, nullptr);
    if (options.animate) ::SetTimer(window, kAnimationTimer, 30, nullptr);
    ::ShowWindow(frame, SW_SHOW);
    ::UpdateWindow(frame);
    ::SetForegroundWindow(frame);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
