// The capture timer's rules, watched on a real window: when the ticks come after enabling,
// re-arming, or setting a value the timer already has. The intervals are a few hundred
// milliseconds and the bounds lie halfway between the right and the wrong moment, so that
// a busy machine does not make them fail.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "WinTest.h"
#include "win32/Timer.h"
#include "win32/Window.h"

using namespace wintest;

namespace {

constexpr UINT_PTR kId = 7;

// A window that notes the moment of each tick of timer kId.
class TickWindow final : public win::Window {
public:
    TickWindow()
    {
        Create({.name = L"PixtroveTickWindow", .background = nullptr}, 0, L"Ticks", WS_OVERLAPPED, {0, 0, 100, 100},
               nullptr);
    }
    ~TickWindow() override
    {
        if (hwnd_) ::DestroyWindow(hwnd_);
    }
    std::vector<ULONGLONG> ticks;

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_TIMER && wp == kId) {
            ticks.push_back(::GetTickCount64());
            return 0;
        }
        return DefaultProc(msg, wp, lp);
    }
};

ULONGLONG Now() { return ::GetTickCount64(); }

// Pumps until the given moment.
void PumpTill(ULONGLONG moment)
{
    PumpUntil([&] { return Now() >= moment; }, 10000);
}

class TimerOnAWindow : public ::testing::Test {
protected:
    bool WaitForTicks(size_t n, DWORD timeoutMs = 3000)
    {
        return PumpUntil([&] { return window.ticks.size() >= n; }, timeoutMs);
    }

    TickWindow window;
};

TEST_F(TimerOnAWindow, AnEnabledTimerTicksAgainAndAgainAtItsInterval)
{
    win::Timer timer(200);
    timer.Attach(window.hwnd(), kId);
    const ULONGLONG start = Now();
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    ASSERT_TRUE(WaitForTicks(3));
    EXPECT_GE(window.ticks[0] - start, 180u);
    EXPECT_LT(window.ticks[0] - start, 600u);
    EXPECT_GE(window.ticks[2] - start, 3 * 180u);
}

TEST_F(TimerOnAWindow, ATimerThatWasNeverEnabledNeverTicks)
{
    win::Timer timer(200);
    timer.Attach(window.hwnd(), kId);
    Pump(700);
    EXPECT_TRUE(window.ticks.empty());
    EXPECT_FALSE(timer.Enabled());
}

TEST_F(TimerOnAWindow, DisablingStopsTheTicks)
{
    win::Timer timer(200);
    timer.Attach(window.hwnd(), kId);
    timer.SetEnabled(true);
    ASSERT_TRUE(WaitForTicks(1));
    timer.SetEnabled(false);
    const size_t seen = window.ticks.size();
    Pump(700);
    EXPECT_EQ(window.ticks.size(), seen);
}

TEST_F(TimerOnAWindow, AnIntervalOf0NeverTicksAndANewIntervalStartsItAgain)
{
    win::Timer timer(200);
    timer.Attach(window.hwnd(), kId);
    timer.SetEnabled(true);
    ASSERT_TRUE(WaitForTicks(1));
    timer.SetInterval(0);
    const size_t seen = window.ticks.size();
    Pump(700);
    EXPECT_EQ(window.ticks.size(), seen);
    EXPECT_TRUE(timer.Enabled());
    timer.SetInterval(200);
    EXPECT_TRUE(WaitForTicks(seen + 1, 1000));
}

TEST_F(TimerOnAWindow, EnablingATimerWithInterval0GivesNoTicks)
{
    win::Timer timer(0);
    timer.Attach(window.hwnd(), kId);
    timer.SetEnabled(true);
    Pump(700);
    EXPECT_TRUE(window.ticks.empty());
}

// Countdown of 600 ms; at 300 ms the interval becomes 700: the next tick comes 700 ms after
// the change (1000 ms from the start), not at the old deadline of 600.
TEST_F(TimerOnAWindow, ANewIntervalWhileEnabledStartsTheCountdownAfresh)
{
    win::Timer timer(600);
    timer.Attach(window.hwnd(), kId);
    const ULONGLONG start = Now();
    timer.SetEnabled(true);
    PumpTill(start + 300);
    ASSERT_TRUE(window.ticks.empty());
    const ULONGLONG change = Now();
    timer.SetInterval(700);
    EXPECT_EQ(timer.Interval(), 700u);
    ASSERT_TRUE(WaitForTicks(1));
    EXPECT_GE(window.ticks[0] - change, 650u) << "the old countdown went on";
    EXPECT_LT(window.ticks[0] - change, 1300u);
}

// Countdown of 600 ms; at 300 ms the same interval is set again: the tick still comes at
// 600 ms, where a restart would put it at 900.
TEST_F(TimerOnAWindow, SettingTheSameIntervalKeepsTheDeadline)
{
    win::Timer timer(600);
    timer.Attach(window.hwnd(), kId);
    const ULONGLONG start = Now();
    timer.SetEnabled(true);
    PumpTill(start + 300);
    ASSERT_TRUE(window.ticks.empty());
    timer.SetInterval(600);
    ASSERT_TRUE(WaitForTicks(1));
    EXPECT_GE(window.ticks[0] - start, 550u);
    EXPECT_LT(window.ticks[0] - start, 750u) << "the countdown started again";
}

TEST_F(TimerOnAWindow, EnablingAnEnabledTimerKeepsTheDeadline)
{
    win::Timer timer(600);
    timer.Attach(window.hwnd(), kId);
    const ULONGLONG start = Now();
    timer.SetEnabled(true);
    PumpTill(start + 300);
    ASSERT_TRUE(window.ticks.empty());
    timer.SetEnabled(true);
    ASSERT_TRUE(WaitForTicks(1));
    EXPECT_GE(window.ticks[0] - start, 550u);
    EXPECT_LT(window.ticks[0] - start, 750u) << "the countdown started again";
}

TEST_F(TimerOnAWindow, ANewIntervalWhileDisabledDoesNotStartTheTimer)
{
    win::Timer timer(600);
    timer.Attach(window.hwnd(), kId);
    timer.SetInterval(200);
    EXPECT_FALSE(timer.Enabled());
    Pump(700);
    EXPECT_TRUE(window.ticks.empty());
    const ULONGLONG start = Now();
    timer.SetEnabled(true);
    ASSERT_TRUE(WaitForTicks(1));
    EXPECT_LT(window.ticks[0] - start, 450u) << "the new interval was not taken";
}

TEST_F(TimerOnAWindow, ATimerThatGoesAwayStopsItsTicks)
{
    {
        win::Timer timer(200);
        timer.Attach(window.hwnd(), kId);
        timer.SetEnabled(true);
        ASSERT_TRUE(WaitForTicks(1));
    }
    const size_t seen = window.ticks.size();
    Pump(700);
    EXPECT_EQ(window.ticks.size(), seen);
}

// The main window's capture timer takes the delay in seconds, 5 for anything out of range.
struct DelayCase {
    std::int32_t seconds;
    UINT interval;
};

void PrintTo(const DelayCase& c, std::ostream* os) { *os << c.seconds << " s"; }

class CaptureDelay : public ::testing::TestWithParam<DelayCase> {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
};

TEST_P(CaptureDelay, SetsTheStartTimersIntervalWithoutStartingIt)
{
    Program program;
    program.main.SetCaptureDelay(GetParam().seconds);
    EXPECT_EQ(FrameProbe::CaptureTimer(program.main).Interval(), GetParam().interval);
    EXPECT_EQ(static_cast<UINT>(program.main.CaptureDelay()) * 1000u, GetParam().interval);
    EXPECT_FALSE(FrameProbe::CaptureTimer(program.main).Enabled());
}

INSTANTIATE_TEST_SUITE_P(Seconds, CaptureDelay,
                         ::testing::Values(DelayCase{3, 3000}, DelayCase{1, 1000}, DelayCase{99, 99000},
                                           DelayCase{0, 5000}, DelayCase{100, 5000}, DelayCase{-1, 5000}),
                         [](const ::testing::TestParamInfo<DelayCase>& info) {
                             const std::int32_t s = info.param.seconds;
                             return (s < 0 ? "Minus" + std::to_string(-s) : std::to_string(s)) + "Seconds";
                         });

}  // namespace
