#pragma once
// Helpers of the capture and shot-window tests: windows that paint a known pattern, real
// pointer and keyboard input, the program's message loop with its accelerators, the shot
// windows of a frame, pixel read-back and resource counts.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Probes.h"
#include "app/MainFrame.h"
#include "app/ShotWindow.h"

namespace wintest {

// The colour (0x00RRGGBB) the pattern windows paint at client pixel (x, y): no two
// neighbours alike, and no pixel equal to its own inverse.
std::uint32_t PatternColour(int x, int y);

// WM_PAINT of a window that shows PatternColour in its client area.
void PaintPattern(HWND hwnd);

// A window whose client area shows PatternColour. A popup is topmost and never takes
// the activation; a framed window has a caption and can be brought to the foreground.
class PatternWindow {
public:
    enum class Kind { TopmostPopup, Framed };
    PatternWindow(Kind kind, RECT screenRect);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    HWND hwnd() const noexcept { return hwnd_; }
    RECT WindowRect() const;
    RECT ClientRectOnScreen() const;
    // A push button child at (x, y) of the client area.
    HWND AddButton(int x, int y, int width, int height);

private:
    HWND hwnd_ = nullptr;
};

// Real input through SendInput. Under Wine's X11 desktop every injected pointer move is
// echoed back a step late; each move therefore waits until the echo of its own position
// has come in, so that the last move a window sees is the one asked for.
class RealMouse {
public:
    RealMouse();
    ~RealMouse();  // lets go of a button still held
    RealMouse(const RealMouse&) = delete;
    RealMouse& operator=(const RealMouse&) = delete;

    // Each returns once this thread has received and dispatched the input.
    void MoveTo(POINT screen);
    void LeftDown();
    void LeftUp();
    void Click(POINT screen);

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) noexcept;
    void Settle(POINT screen);
    void Button(DWORD flag, UINT message, UINT ncMessage);
    bool WaitFor(const std::function<bool()>& seen, DWORD timeoutMs = 300);

    HHOOK hook_ = nullptr;
    POINT where_{};  // where the pointer was sent last
    bool leftHeld_ = false;
};

// Presses and releases a key chord (e.g. {VK_CONTROL, 'A'}) through SendInput.
void PressKeys(std::initializer_list<WORD> keys);

// The program's own loop for a while: the frame's MDI keys and accelerators are
// translated as the program does it. Returns whether `done` came true in time.
bool PumpProgramUntil(const app::MainFrame& main, const std::function<bool()>& done, DWORD timeoutMs = 5000);

// The shot windows of a frame, front to back.
std::vector<app::ShotWindow*> Shots(const app::MainFrame& main);
app::ShotWindow* ActiveShotWindow(const app::MainFrame& main);
// Closes a shot window as its menu item does, and waits until it is gone.
void CloseShot(const app::MainFrame& main, app::ShotWindow& shot);

// The pixels of a shot's picture (0x00RRGGBB, rows from the top), of a screen rectangle,
// of the pattern of a client area of the given size, and of a part of a picture.
std::vector<std::uint32_t> PicturePixels(const app::ShotWindow& shot);
std::vector<std::uint32_t> ScreenPixels(RECT screenRect);
std::vector<std::uint32_t> PatternPixels(int width, int height);
std::vector<std::uint32_t> Crop(const std::vector<std::uint32_t>& pixels, int width, RECT part);

// The first pixel (row-major) where two pictures of `width` differ, as "(x, y): a != b";
// empty when they are equal.
std::string FirstDifference(const std::vector<std::uint32_t>& actual, const std::vector<std::uint32_t>& expected,
                            int width);

// Waits (up to a second, dispatching messages) until a screen rectangle shows `expected`:
// under Wine what a window paints reaches the display a moment later. Returns the first
// difference left, empty when the screen shows it.
std::string ScreenShows(RECT screenRect, const std::vector<std::uint32_t>& expected);

// Whether a shot's picture still holds `picture` and its window shows `shown` at the top left
// of its client area (both the size of the picture): the picture keeps its own pixels, and
// what lies over them is drawn by the window. Returns the first difference, empty when both hold.
std::string ShotShows(const app::ShotWindow& shot, const std::vector<std::uint32_t>& picture,
                      const std::vector<std::uint32_t>& shown);

// `picture` with the one-pixel ring of the rectangle [left, right) x [top, bottom) inverted.
std::vector<std::uint32_t> WithRingInverted(std::vector<std::uint32_t> picture, int width, RECT ring);

// Live GDI objects of this process: GetGuiResources where the system implements it;
// under Wine, whose GetGuiResources is a stub that answers 0, a count of the occupied
// entries of the process's GDI handle table (GetObjectType accepts a bare table index
// there). nullopt when neither works.
std::optional<int> GdiObjectCount();
// Live menus of this process, counted the same way (user handles by index); nullopt
// where that is not possible.
std::optional<int> MenuCount();
// Private (anonymous, committed) memory of the process in bytes.
std::size_t PrivateBytes();

// Client rectangle of a window in screen coordinates.
RECT ClientOnScreen(HWND hwnd);
// Whether the frame is back: not minimised, in the foreground, the active window.
bool FrameIsBack(const app::MainFrame& main);

}  // namespace wintest
