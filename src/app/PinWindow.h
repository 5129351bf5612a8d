#pragma once
// A part of a shot pinned on top of every other window: borderless, where that part lies on the
// screen, with its own copy of the pixels. A drag moves it, the wheel zooms it (25 to 400 %),
// Ctrl+C copies it as the shot's copy does, Esc or a double-click closes it.
#include <windows.h>

#include <memory>

#include "core/Geometry.h"
#include "core/PinZoom.h"
#include "win32/Picture.h"
#include "win32/Window.h"

namespace wintest {
class PinProbe;
}

namespace app {

class ApplicationWindow;

class PinWindow final : public win::Window {
public:
    // Shows `part` (inside the picture, not empty) of `picture` with its top-left at `screen`.
    // The window owns itself; it goes when closed, or with the application window, which owns it.
    static PinWindow& Open(ApplicationWindow& application, const win::Picture& picture, core::Rect part, POINT screen);
    static PinWindow* FromHandle(HWND hwnd) noexcept;

private:
    friend class wintest::PinProbe;

    PinWindow(ApplicationWindow& application, std::unique_ptr<win::Picture> picture);

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnFinalDestroy() noexcept override
    {
        if (ownsSelf_) delete this;
    }
    void Paint();
    void OnButtonDown(LPARAM lp);
    void OnMouseMove(LPARAM lp);
    void OnButtonUp();
    void OnWheel(WPARAM wp, LPARAM lp);
    bool OnKeyDown(WPARAM key);
    void OnCopy();
    POINT OnScreen(LPARAM lp) const noexcept;

    ApplicationWindow& application_;
    std::unique_ptr<win::Picture> picture_;
    int zoom_ = 100;  // percent
    core::WheelTurns wheel_;
    bool dragging_ = false;
    POINT grip_{};  // where the window was taken, from its top-left
    bool ownsSelf_ = false;
};

}  // namespace app
