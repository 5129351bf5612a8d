#pragma once
// The fixture of the tests that work on one shot window: a scratch registry, the reports
// collected, a program with a 64 x 48 pattern open as its shot, and the ways a user reaches it
// (a drag over the picture, the frame's commands and their greying, the keyboard).
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "CaptureSupport.h"
#include "ClipboardProbe.h"
#include "WinTest.h"

namespace wintest {

class ShotFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 64, kHeight = 48;

    ScratchRegistry registry;
    ErrorReports reports;
    std::unique_ptr<Program> program = std::make_unique<Program>();  // a test may end it early
    app::MainFrame& main = program->main;
    app::ShotWindow& shot = Open();
    const Pixels captured = PicturePixels(ShotProbe::Picture(shot));

    app::ShotWindow& Open()
    {
        main.OpenShot(PatternPicture(kWidth, kHeight));
        Pump(20);
        return *ActiveShotWindow(main);
    }
    // The left button pressed at `from` in the picture, moved to `to` and let go there.
    void Drag(core::Point from, core::Point to)
    {
        ShotProbe::PressPicture(shot, true, from);
        ShotProbe::MoveOverPicture(shot, to);
        ShotProbe::ReleasePicture(shot, true);
    }
    void Select(core::Rect r) { Drag({r.left, r.top}, {r.right, r.bottom}); }
    void Command(UINT id) { ::SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    bool Greyed(UINT id) const { return (::GetMenuState(::GetMenu(main.hwnd()), id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    void TakeKeyboard()
    {
        ::SetForegroundWindow(main.hwnd());
        ::SetFocus(shot.hwnd());
        ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == shot.hwnd(); }, 2000));
    }
};

}  // namespace wintest
