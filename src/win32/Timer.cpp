#include "win32/Timer.h"

#include "win32/ErrorReport.h"

namespace win {

void Timer::Attach(HWND owner, UINT_PTR id)
{
    Disarm();
    owner_ = owner;
    id_ = id;
    Arm();
}

void Timer::SetEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Disarm();
    Arm();
}

void Timer::SetInterval(UINT intervalMs)
{
    if (intervalMs == interval_) return;
    interval_ = intervalMs;
    Disarm();
    Arm();
}

void Timer::Arm()
{
    if (!owner_ || !enabled_ || interval_ == 0) return;
    ThrowLastErrorIfNull(::SetTimer(owner_, id_, interval_, nullptr));
}

void Timer::Disarm() noexcept
{
    if (owner_) ::KillTimer(owner_, id_);
}

}  // namespace win
