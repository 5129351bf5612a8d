#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace wintest {
namespace {

constexpr UINT kTickMs = 10;
Script* gActive = nullptr;

void SendKey(WORD vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (vk) {
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_HOME:
        case VK_END:
        case VK_DELETE: input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY; break;
    }
    ::SendInput(1, &input, sizeof(input));
}

struct FoundWindow {
    const wchar_t* className;
    HWND hwnd;
};

BOOL CALLBACK MatchClass(HWND hwnd, LPARAM lp)
{
    auto& found = *reinterpret_cast<FoundWindow*>(lp);
    wchar_t name[64]{};
    ::GetClassNameW(hwnd, name, 64);
    if (lstrcmpW(name, found.className) != 0 || !::IsWindowVisible(hwnd)) return TRUE;
    found.hwnd = hwnd;
    return FALSE;
}

}  // namespace

Script::Script(Body body) : body_(std::move(body))
{
    if (::IsThreadAFiber()) {
        mainFiber_ = ::GetCurrentFiber();
    } else {
        mainFiber_ = ::ConvertThreadToFiber(nullptr);
        convertedThread_ = true;
    }
    fiber_ = ::CreateFiber(0, &Script::Run, this);
    gActive = this;
    timer_ = ::SetTimer(nullptr, 0, kTickMs, &Script::Tick);
}

Script::~Script()
{
    ::KillTimer(nullptr, timer_);
    gActive = nullptr;
    EXPECT_TRUE(finished_) << "the script did not run to its end";
    if (fiber_) ::DeleteFiber(fiber_);
    if (convertedThread_) ::ConvertFiberToThread();
}

void CALLBACK Script::Tick(HWND, UINT, UINT_PTR, DWORD) noexcept
{
    Script* script = gActive;
    if (!script || script->running_ || script->parked_) return;
    script->running_ = true;
    ::SwitchToFiber(script->fiber_);
    script->running_ = false;
}

void CALLBACK Script::Run(void* self) noexcept
{
    auto* script = static_cast<Script*>(self);
    try {
        script->body_(*script);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "the script threw: " << e.what();
    } catch (...) {
        ADD_FAILURE() << "the script threw";
    }
    script->finished_ = true;
    // The body's last input may close the window. Once that input has been handled, a window
    // still open (the body stopped early on a failed assertion) is closed, so the test goes on.
    if (script->window_) {
        script->Settle();
        if (::IsWindow(script->window_) && ::IsWindowVisible(script->window_)) {
            script->closedLeftover_ = true;
            ::PostMessageW(script->window_, WM_CLOSE, 0, 0);
        }
    }
    script->parked_ = true;
    for (;;)
        ::SwitchToFiber(script->mainFiber_);
}

void Script::HandBack() { ::SwitchToFiber(mainFiber_); }

bool Script::WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (done()) return true;
        if (::GetTickCount64() >= end) return false;
        HandBack();
    }
}

void Script::Wait(DWORD milliseconds)
{
    WaitUntil([] { return false; }, milliseconds);
}

void Script::Settle()
{
    // A timer tick comes only when nothing else waits in the queue; two in a row, with
    // nothing queued in between, mean that everything sent has been handled.
    for (int quiet = 0; quiet < 2;) {
        HandBack();
        const DWORD pending = HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE));
        quiet = pending ? 0 : quiet + 1;
    }
}

HWND Script::WaitForWindow(const wchar_t* className, DWORD timeoutMs)
{
    FoundWindow found{className, nullptr};
    WaitUntil(
        [&] {
            found.hwnd = nullptr;
            ::EnumThreadWindows(::GetCurrentThreadId(), &MatchClass, reinterpret_cast<LPARAM>(&found));
            return found.hwnd && ::GetForegroundWindow() == found.hwnd && ::GetFocus() != nullptr;
        },
        timeoutMs);
    window_ = found.hwnd;
    if (found.hwnd) Settle();
    return found.hwnd;
}

void KeyDown(WORD vk) { SendKey(vk, false); }
void KeyUp(WORD vk) { SendKey(vk, true); }

void PressKey(WORD vk)
{
    SendKey(vk, false);
    SendKey(vk, true);
}

void PressChord(std::initializer_list<WORD> keys)
{
    for (WORD vk : keys)
        SendKey(vk, false);
    for (auto it = keys.end(); it != keys.begin();)
        SendKey(*--it, true);
}

void TypeText(std::wstring_view text)
{
    for (wchar_t ch : text) {
        INPUT input[2]{};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wScan = ch;
            input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        ::SendInput(2, input, sizeof(INPUT));
    }
}

// Absolute positions go through the input queue with the button events, in order; the middle
// of the pixel in normalised units lands on the pixel whichever way the system rounds.
POINT gPointer{0, 0};

void SendMouse(DWORD flags)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(gPointer.x) * 65536 + 32768) / width);
    input.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(gPointer.y) * 65536 + 32768) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
}

void MoveMouseTo(POINT screen)
{
    gPointer = screen;
    SendMouse(0);
}

void MouseButton(bool down) { SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP); }

void ClickAt(POINT screen)
{
    MoveMouseTo(screen);
    MouseButton(true);
    MouseButton(false);
}

POINT CentreOf(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text)
{
    return ::FindWindowExW(parent, nullptr, className, text);
}

RECT RectInParent(HWND control)
{
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT ClientSize(HWND window)
{
    RECT r{};
    ::GetClientRect(window, &r);
    return r;
}

DWORD EditSelection(HWND edit) { return static_cast<DWORD>(::SendMessageW(edit, EM_GETSEL, 0, 0)); }

}  // namespace wintest
