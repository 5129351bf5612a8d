#pragma once
// The capture tests' fixture: a scratch registry, the reports collected, the start button
// pressed with the real mouse, and the wait for a pending capture's shot.
#include <gtest/gtest.h>

#include <windows.h>

#include "CaptureSupport.h"
#include "WinTest.h"
#include "resource.h"

namespace wintest {

inline constexpr DWORD kTickWait = 4000;  // a countdown of one second, with room to spare

class Capture : public ::testing::Test {
protected:
    ScratchRegistry registry;
    ErrorReports reports;

    // Presses the start button on the tool bar with the mouse.
    static void ClickStart(app::MainFrame& main, RealMouse& mouse)
    {
        RECT button{};
        ::SendMessageW(FrameProbe::ToolBar(main), TB_GETRECT, IDB_START_CAPTURE, reinterpret_cast<LPARAM>(&button));
        POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        ::ClientToScreen(FrameProbe::ToolBar(main), &centre);
        mouse.Click(centre);
    }

    // Waits for the shot of a pending capture and for the program to be back.
    static bool WaitForShot(app::MainFrame& main, int number)
    {
        return PumpUntil([&] { return FrameProbe::ShotCount(main) == number && FrameIsBack(main); }, kTickWait);
    }
};

}  // namespace wintest
