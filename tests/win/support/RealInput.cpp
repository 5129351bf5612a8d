// Real pointer and keyboard input through SendInput, and the program's own message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "CaptureSupport.h"
#include "app/ApplicationWindow.h"
#include "WinTest.h"

namespace wintest {
namespace {

constexpr ULONG_PTR kInjected = 0x50495854;  // marks the moves this helper sends

// What the mouse hook saw: the messages this thread took from its queue.
struct SeenMouse {
    UINT msg;
    POINT pt;
    ULONG_PTR extra;
};
std::vector<SeenMouse>& Seen()
{
    static std::vector<SeenMouse> seen;
    return seen;
}

void Inject(DWORD flags, POINT screen)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Over the whole virtual screen, so that monitors left of or above the primary are reached.
    const int x0 = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y0 = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int w = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), h = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    // Rounded up, so that the system's scaling back lands on the very pixel.
    in.mi.dx = static_cast<LONG>((static_cast<long long>(screen.x - x0) * 65536 + w - 1) / w);
    in.mi.dy = static_cast<LONG>((static_cast<long long>(screen.y - y0) * 65536 + h - 1) / h);
    in.mi.dwFlags = flags | MOUSEEVENTF_VIRTUALDESK;
    in.mi.dwExtraInfo = kInjected;
    ::SendInput(1, &in, sizeof(in));
}

bool IsMove(UINT msg) { return msg == WM_MOUSEMOVE || msg == WM_NCMOUSEMOVE; }

}  // namespace

// --- real input -------------------------------------------------------------------------

RealMouse::RealMouse()
{
    Seen().clear();
    ::GetCursorPos(&where_);
    hook_ = ::SetWindowsHookExW(WH_MOUSE, &RealMouse::Hook, nullptr, ::GetCurrentThreadId());
}

RealMouse::~RealMouse()
{
    if (leftHeld_) {
        Inject(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, where_);
        Pump(50);
    }
    if (hook_) ::UnhookWindowsHookEx(hook_);
}

LRESULT CALLBACK RealMouse::Hook(int code, WPARAM wp, LPARAM lp) noexcept
{
    if (code == HC_ACTION) {
        const auto& info = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(lp);
        Seen().push_back({static_cast<UINT>(wp), info.pt, info.dwExtraInfo});
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

bool RealMouse::WaitFor(const std::function<bool()>& seen, DWORD timeoutMs) { return PumpUntil(seen, timeoutMs); }

void RealMouse::MoveTo(POINT p)
{
    // A move to where the pointer already is may bring no message at all.
    POINT now{};
    ::GetCursorPos(&now);
    if (now.x == p.x && now.y == p.y) Settle({p.x + 1, p.y});
    Settle(p);
    where_ = p;
}

void RealMouse::Settle(POINT p)
{
    const auto movedSince = [](size_t from, const std::function<bool(const SeenMouse&)>& which) {
        for (size_t i = from; i < Seen().size(); ++i)
            if (IsMove(Seen()[i].msg) && which(Seen()[i])) return true;
        return false;
    };
    const auto here = [&](const SeenMouse& m) { return m.pt.x == p.x && m.pt.y == p.y; };
    // Under Wine the echo of a move arrives after the next input, and an echo of an earlier
    // position (even one of a window that has gone) can come later still: moving to the same
    // spot again brings the echoes in, and the pointer counts as settled once its own echo
    // has come and nothing else has moved it for a moment. Where there is no echo at all the
    // move itself is enough.
    bool received = false;
    for (int round = 0; round < 12; ++round) {
        const size_t from = Seen().size();
        Inject(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p);
        received = WaitFor([&] {
                       return movedSince(from, [&](const SeenMouse& m) { return here(m) && m.extra == kInjected; });
                   }) ||
                   received;
        if (!movedSince(from, [&](const SeenMouse& m) { return here(m) && m.extra != kInjected; })) continue;
        const size_t settled = Seen().size();
        if (!WaitFor([&] { return movedSince(settled, [&](const SeenMouse& m) { return !here(m); }); }, 60)) return;
    }
    POINT now{};
    ::GetCursorPos(&now);
    if (!received || now.x != p.x || now.y != p.y)
        ADD_FAILURE() << "the pointer did not settle at (" << p.x << ", " << p.y << ")";
}

// The button goes down or up together with a move to where the pointer was sent last, as a
// real mouse reports it, so that a late echo cannot shift the press.
void RealMouse::Button(DWORD flag, UINT message, UINT ncMessage)
{
    const size_t from = Seen().size();
    Inject(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flag, where_);
    const bool ok = WaitFor([&] {
        for (size_t i = from; i < Seen().size(); ++i)
            if (Seen()[i].msg == message || Seen()[i].msg == ncMessage) return true;
        return false;
    });
    if (!ok) ADD_FAILURE() << "the button message did not arrive";
}

void RealMouse::LeftDown()
{
    leftHeld_ = true;
    Button(MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN, WM_NCLBUTTONDOWN);
}

void RealMouse::LeftUp()
{
    leftHeld_ = false;
    Button(MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, WM_NCLBUTTONUP);
}

void RealMouse::Click(POINT p)
{
    MoveTo(p);
    LeftDown();
    LeftUp();
}

void PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD k : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        inputs.push_back(in);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *--it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool PumpProgramUntil(const app::MainFrame& main, const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (app::TranslateFrameKeys(main, msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (::GetTickCount64() >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace wintest
