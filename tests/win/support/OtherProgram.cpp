#include "OtherProgram.h"

#include <stdexcept>

#include "WinTest.h"

namespace wintest {
namespace {

std::wstring Place(RECT r)
{
    return std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L" " +
           std::to_wstring(r.bottom - r.top);
}

std::wstring Arguments(RECT r, OtherProgram::Keys keys)
{
    return keys == OtherProgram::Keys::HoldPrintScreen ? Place(r) + L" --hold" : Place(r);
}

}  // namespace

OtherProgram::OtherProgram(RECT r, Keys keys) : OtherProgram(Arguments(r, keys)) {}

OtherProgram::OtherProgram(RECT r, UINT modifiers, UINT key)
    : OtherProgram(Place(r) + L" --hold-key " + std::to_wstring(modifiers) + L" " + std::to_wstring(key))
{
}

OtherProgram::OtherProgram(const std::wstring& arguments)
    : process_(OtherProgramExe(), ChildProcess::Start::Running, arguments)
{
    window_ = WaitForVisibleWindow(process_, L"PixtroveTestOtherProgram");
    if (!window_) throw std::runtime_error("the other program showed no window");
    if (!Activate()) throw std::runtime_error("the other program's window did not come to the front");
}

RECT OtherProgram::WindowRect() const
{
    RECT r{};
    ::GetWindowRect(window_, &r);
    return r;
}

// Also waits until its colour has reached the screen: under Wine that comes a moment later.
bool OtherProgram::Activate() const
{
    ::SetForegroundWindow(window_);
    RECT client{};
    ::GetClientRect(window_, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ::ClientToScreen(window_, &centre);
    return PumpUntil(
        [&] {
            HDC screen = ::GetDC(nullptr);
            const COLORREF shown = ::GetPixel(screen, centre.x, centre.y);
            ::ReleaseDC(nullptr, screen);
            return ::GetForegroundWindow() == window_ && shown == kOtherProgramColour;
        },
        3000);
}

bool PrintScreenIsFree(UINT modifiers) { return KeyIsFree(modifiers, VK_SNAPSHOT); }

bool KeyIsFree(UINT modifiers, UINT key)
{
    constexpr int kProbeId = 0x7A00;
    if (!::RegisterHotKey(nullptr, kProbeId, modifiers, key)) return false;
    ::UnregisterHotKey(nullptr, kProbeId);
    return true;
}

}  // namespace wintest
