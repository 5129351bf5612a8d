// The frame's menu bar as it is drawn when a shot window comes: drawn once, and drawn with
// the menus it ends up holding, the maximised shot's buttons included.
#include <gtest/gtest.h>

#include <vector>

#include "CaptureSupport.h"
#include "WinTest.h"

using namespace wintest;

namespace {

// The menu bar's item count at each of the frame's non-client paints on this thread.
class BarDrawings {
public:
    explicit BarDrawings(HWND frame)
    {
        frame_ = frame;
        seen_.clear();
        hook_ = ::SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~BarDrawings() { ::UnhookWindowsHookEx(hook_); }
    BarDrawings(const BarDrawings&) = delete;
    BarDrawings& operator=(const BarDrawings&) = delete;
    const std::vector<int>& Seen() const { return seen_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code >= 0 && call->hwnd == frame_ && call->message == WM_NCPAINT)
            seen_.push_back(::GetMenuItemCount(::GetMenu(frame_)));
        return ::CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline HWND frame_ = nullptr;
    static inline std::vector<int> seen_;
    HHOOK hook_ = nullptr;
};

class ShotMenuBar : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;
    Program program;
    app::MainFrame& main = program.main;

    void NewShot() { FrameProbe::CaptureScreenRect(main, 0, 0, 64, 48); }
};

TEST_F(ShotMenuBar, AShotsMenusComeOntoTheBarWithOneDrawingOfIt)
{
    BarDrawings drawings(main.hwnd());
    NewShot();
    Pump(50);
    ASSERT_NE(FrameProbe::ActiveShot(main), nullptr);
    ASSERT_EQ(drawings.Seen().size(), 1u);
    EXPECT_EQ(drawings.Seen().back(), ::GetMenuItemCount(::GetMenu(main.hwnd())));
}

// Going from one maximised shot to another, the new shot's buttons come into the bar after
// its menus do: the bar must be drawn after them.
TEST_F(ShotMenuBar, BetweenMaximisedShotsTheLastDrawingHoldsTheButtons)
{
    NewShot();
    const HWND first = FrameProbe::ActiveShot(main);
    NewShot();
    ::SendMessageW(main.MdiClient(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(FrameProbe::ActiveShot(main)), 0);
    Pump(50);
    BarDrawings drawings(main.hwnd());
    ::SendMessageW(main.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    Pump(50);
    BOOL maximised = FALSE;
    ASSERT_EQ(::SendMessageW(main.MdiClient(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)),
              reinterpret_cast<LRESULT>(first));
    ASSERT_TRUE(maximised);
    ASSERT_FALSE(drawings.Seen().empty());
    EXPECT_EQ(drawings.Seen().back(), ::GetMenuItemCount(::GetMenu(main.hwnd())));
}

}  // namespace
