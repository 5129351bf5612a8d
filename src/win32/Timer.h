#pragma once
// A window timer with the Enabled / Interval behaviour the capture countdown relies on:
// setting a value it already has changes nothing, a new interval re-arms a running
// timer, and an interval of 0 never ticks.
#include <windows.h>

namespace win {

class Timer {
public:
    explicit Timer(UINT intervalMs) noexcept : interval_(intervalMs) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() { Disarm(); }

    // The window whose WM_TIMER carries the ticks (wParam = id).
    void Attach(HWND owner, UINT_PTR id);

    bool Enabled() const noexcept { return enabled_; }
    UINT Interval() const noexcept { return interval_; }
    UINT_PTR Id() const noexcept { return id_; }
    void SetEnabled(bool enabled);
    void SetInterval(UINT intervalMs);

private:
    void Arm();
    void Disarm() noexcept;

    HWND owner_ = nullptr;
    UINT_PTR id_ = 0;
    UINT interval_;
    bool enabled_ = false;
};

}  // namespace win
