#pragma once
// The countdown of a delayed capture: a small topmost window with the seconds left in large
// digits, on the monitor of the pointer. It leaves the screen just before the grab; a click on
// it, or Esc while it has the keyboard, asks the frame to call the capture off.
#include <windows.h>

#include <cstdint>

#include "win32/Handles.h"
#include "win32/Window.h"

namespace app {

// Posted to the frame when the user calls the capture off on the countdown.
inline constexpr UINT kCountdownCancelled = WM_APP + 20;

class CountdownWindow final : public win::Window {
public:
    // Shows the countdown to `deadline` (GetTickCount64 time) without taking the keyboard.
    CountdownWindow(HWND frame, std::uint64_t deadline);
    ~CountdownWindow() override;
    // Whether it is still on the screen.
    bool Showing() const noexcept { return hwnd_ && ::IsWindowVisible(hwnd_); }

private:
    LRESULT OnCreate() override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void Update();
    void OnPaint();

    HWND frame_;
    std::uint64_t deadline_;
    win::OwnedFont font_;
    std::int32_t shown_ = -1;  // the seconds on the screen
};

}  // namespace app
