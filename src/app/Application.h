#pragma once
// The application: its hidden window (titled "Pixtrove!", the owner of what the program
// puts on the clipboard) and the message loop that runs until the main window is gone.
#include <windows.h>

namespace app {

class TRorUruvodi;

class ApplicationWindow {
public:
    ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;
    ~ApplicationWindow();
    HWND hwnd() const noexcept { return hwnd_; }

private:
    HWND hwnd_;
};

// Runs the loop, with the frame's accelerators and the MDI keys, until WM_QUIT.
int RunMessageLoop(const TRorUruvodi& main);

}  // namespace app
