#include "app/ScrollCapture.h"

#include <algorithm>
#include <chrono>

#include "app/ScrollStatus.h"
#include "core/ScrollStitch.h"

namespace app {
namespace {

constexpr DWORD kPollMs = 20;         // between grabs while waiting
constexpr int kStillGrabs = 5;        // grabs alike in a row: the rectangle holds still
constexpr DWORD kFirstMoveMs = 1500;  // how long a page is given to start moving
constexpr DWORD kFrontMs = 2000;      // how long the window is given to come to the front
constexpr DWORD kStepLimitMs = 4000;  // a rectangle still changing after this is an animation
constexpr int kMostNotches = 10;

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Esc, or a mouse button pressed after the capture began.
class UserStop {
public:
    UserStop() : heldAtStart_(AnyButton()) {}
    bool Asked()
    {
        if (::GetAsyncKeyState(VK_ESCAPE) & 0x8000) return true;
        const bool button = AnyButton();
        if (!button) heldAtStart_ = false;
        return button && !heldAtStart_;
    }

private:
    static bool AnyButton()
    {
        return (::GetAsyncKeyState(VK_LBUTTON) | ::GetAsyncKeyState(VK_RBUTTON) | ::GetAsyncKeyState(VK_MBUTTON)) &
               0x8000;
    }
    bool heldAtStart_;
};

// The top-level window under the rectangle's centre, which must neither close nor move.
class Watched {
public:
    explicit Watched(POINT centre) : window_(::GetAncestor(::WindowFromPoint(centre), GA_ROOT))
    {
        ::GetWindowRect(window_, &place_);
    }
    HWND Window() const noexcept { return window_; }
    bool Unchanged() const
    {
        RECT now{};
        return window_ && ::IsWindow(window_) && ::GetWindowRect(window_, &now) && ::EqualRect(&now, &place_);
    }

private:
    HWND window_;
    RECT place_{};
};

void Wheel(POINT at, int notches)
{
    ::SetCursorPos(at.x, at.y);
    INPUT input{INPUT_MOUSE};
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA * notches);
    ::SendInput(1, &input, sizeof(input));
}

// Waits a poll's time, painting the status window meanwhile; nothing else of this thread's
// is dispatched, so that no other capture starts inside this one.
void Pause(HWND status)
{
    const auto until = Clock::now() + std::chrono::milliseconds(kPollMs);
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, status, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        if (left <= 0) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_PAINT | QS_POSTMESSAGE);
    }
}

class Driver {
public:
    Driver(const core::ScreenRect& rect, ScrollTimes& times)
        : rect_(rect),
          centre_{rect.left + rect.width / 2, rect.top + rect.height / 2},
          watched_(centre_),
          times_(times),
          status_(rect)
    {
    }

    ScrollOutcome Run()
    {
        if (!FirstScreen()) return {};
        stitch_.Begin(last_->Pixels());
        status_.ShowHeight(stitch_.Height());
        while (stitch_.Reason() == core::ScrollStop::None)
            Step();
        return Finish();
    }

private:
    // The window in front, so that the wheel reaches it and nothing covers it, and its first
    // screen once it holds still.
    bool FirstScreen()
    {
        ::SetForegroundWindow(watched_.Window());
        const auto start = Clock::now();
        while (::GetForegroundWindow() != watched_.Window() && Since(start) < kFrontMs)
            Pause(status_.hwnd());
        last_ = Grab();
        for (int alike = 0; last_ && alike < kStillGrabs - 1 && Since(start) < kFrontMs + kFirstMoveMs;) {
            Pause(status_.hwnd());
            std::unique_ptr<win::Picture> grab = Grab();
            if (!grab) break;
            alike = core::GrabsAlike(grab->Pixels(), last_->Pixels()) ? alike + 1 : 0;
            last_ = std::move(grab);
        }
        if (!last_) return false;
        first_ = win::GrabScreen(rect_);
        if (!first_) return false;
        return ::BitBlt(first_->DC(), 0, 0, rect_.width, rect_.height, last_->DC(), 0, 0, SRCCOPY) != FALSE;
    }

    std::unique_ptr<win::Picture> Grab()
    {
        const auto start = Clock::now();
        std::unique_ptr<win::Picture> grab = win::GrabScreen(rect_);
        times_.grabbing += Since(start);
        return grab;
    }

    // One wheel step: the wheel, the wait for stillness, the match.
    void Step()
    {
        const int notches = Notches();
        if (status_.Overlaps()) status_.SetVisible(false);
        Wheel(centre_, notches);
        ++times_.steps;
        bool still = WaitForStillness();
        // A window just brought to the front may lose the first notch before it has the
        // focus: one more try before it counts as not scrolling.
        if (still && stitch_.Screens() == 1 && core::GrabsAlike(last_->Pixels(), first_->Pixels())) {
            Wheel(centre_, notches);
            still = WaitForStillness();
        }
        if (status_.Overlaps()) status_.SetVisible(true);
        if (!still) return;
        const auto start = Clock::now();
        stitch_.Add(last_->Pixels(), notches * perNotch_);
        times_.ours += Since(start);
        // A glide caught before it ended shows less than a notch moves, never more but for the
        // rest of the step before: the largest measure is the safest.
        if (stitch_.LastDistance() > 0) perNotch_ = std::max({perNotch_, stitch_.LastDistance() / notches, 1});
        lastNotches_ = notches;
        status_.ShowHeight(stitch_.Height());
    }

    // A quarter of the content between the bands per step, and at most twice the notches of
    // the step before: a glide caught before its end measures a notch short, and the rest
    // of it comes with the next step, which must still leave a quarter in common.
    int Notches() const
    {
        if (perNotch_ == 0) return 1;
        const core::Bands bands = stitch_.KnownBands();
        const int content = rect_.height - bands.top - bands.bottom;
        return std::clamp(content / 4 / perNotch_, 1, std::min(2 * lastNotches_, kMostNotches));
    }

    // Grabs until the rectangle has held still since it changed, or for kFirstMoveMs when it
    // does not change at all, and keeps that grab as the last one; false when the capture
    // ends meanwhile.
    bool WaitForStillness()
    {
        const auto start = Clock::now();
        std::unique_ptr<win::Picture> previous;
        int alike = 0;
        bool changed = false;
        for (;;) {
            const auto pause = Clock::now();
            Pause(status_.hwnd());
            times_.waiting += Since(pause);
            if (user_.Asked()) return End(core::ScrollStop::UserEnded);
            std::unique_ptr<win::Picture> grab = Grab();
            if (!watched_.Unchanged()) return End(core::ScrollStop::WindowGone);
            if (!grab) return End(core::ScrollStop::WindowGone);
            const auto compare = Clock::now();
            const core::PixelView now = grab->Pixels();
            changed = changed || !core::GrabsAlike(now, last_->Pixels());
            alike = previous && core::GrabsAlike(now, previous->Pixels()) ? alike + 1 : 0;
            times_.ours += Since(compare);
            const double elapsed = Since(start);
            previous = std::move(grab);
            if ((changed && alike >= kStillGrabs - 1) || (!changed && elapsed >= kFirstMoveMs)) {
                last_ = std::move(previous);
                return true;
            }
            if (elapsed >= kStepLimitMs) return End(core::ScrollStop::Unsteady);
        }
    }

    bool End(core::ScrollStop why)
    {
        stitch_.End(why);
        return false;
    }

    ScrollOutcome Finish()
    {
        const auto start = Clock::now();
        win::WindowDC screen(nullptr);
        std::unique_ptr<win::Picture> picture = win::Picture::Create(screen.get(), stitch_.Width(), stitch_.Height());
        stitch_.CopyTo(picture->Pixels());
        times_.ours += Since(start);
        return {std::move(picture), core::ScrollStopText(stitch_.Reason(), stitch_.Screens(), stitch_.Height())};
    }

    core::ScreenRect rect_;
    POINT centre_;
    Watched watched_;
    ScrollTimes& times_;
    ScrollStatus status_;
    UserStop user_;
    core::ScrollStitch stitch_;
    std::unique_ptr<win::Picture> last_;   // the screen the stitch holds last
    std::unique_ptr<win::Picture> first_;  // the first screen
    int perNotch_ = 0;                     // rows a wheel notch moved; 0 before the first move
    int lastNotches_ = 1;
};

}  // namespace

ScrollOutcome RunScrollCapture(const core::ScreenRect& rect, ScrollTimes* times)
{
    ScrollTimes ignored;
    Driver driver(rect, times ? *times : ignored);
    return driver.Run();
}

}  // namespace app
