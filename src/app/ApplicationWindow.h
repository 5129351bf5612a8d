#pragma once
// The application: its hidden window (titled "Pixtrove!", the owner of what the program
// puts on the clipboard) and the message loop that runs until the main window is gone.
#include <windows.h>

#include <memory>

#include "win32/DelayedClipboard.h"
#include "win32/Window.h"

namespace app {

class MainFrame;

class ApplicationWindow final : public win::Window {
public:
    ApplicationWindow();
    ~ApplicationWindow() override;

    // Puts a picture on the clipboard; this window keeps it until a program asks for it.
    void OfferOnClipboard(std::unique_ptr<win::Snapshot> snapshot) { clipboard_.Offer(hwnd_, std::move(snapshot)); }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    win::DelayedClipboard clipboard_;  // goes after the window, which writes it out as it goes
};

// Whether `msg` was one of the frame's keys (its accelerators, the MDI keys), now done.
bool TranslateFrameKeys(const MainFrame& main, MSG& msg);

// Runs the loop, with the frame's accelerators and the MDI keys, until WM_QUIT.
int RunMessageLoop(const MainFrame& main);

}  // namespace app
