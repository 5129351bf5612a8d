#pragma once
// Drives a modal window from inside its own message loop with real keyboard and mouse input.
// A script runs on a fiber that a thread timer resumes: the test starts the command that
// shows the window (which only returns when the window has closed), and each wait of the
// script hands control back to the running loop, which then handles the input it was sent.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace wintest {

class Script {
public:
    using Body = std::function<void(Script&)>;

    // The body starts at the first timer tick of whichever loop runs next. If the window
    // it found is still open once the body's last input has been handled, it is sent WM_CLOSE.
    explicit Script(Body body);
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    bool Finished() const noexcept { return finished_; }
    // The body ended with its window still open, and the script closed it.
    bool ClosedLeftover() const noexcept { return closedLeftover_; }

    // From inside the body. Each lets the running loop go on; false on timeout.
    bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
    void Wait(DWORD milliseconds);
    // Until the input sent so far, and what it posted, has been handled.
    void Settle();
    // The window of this thread with the class, once it is shown and in the foreground.
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs = 3000);

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept;
    static void CALLBACK Run(void* self) noexcept;
    void HandBack();

    Body body_;
    void* mainFiber_ = nullptr;
    void* fiber_ = nullptr;
    bool convertedThread_ = false;
    UINT_PTR timer_ = 0;
    bool running_ = false;
    bool finished_ = false;
    bool parked_ = false;
    bool closedLeftover_ = false;
    HWND window_ = nullptr;
};

// Real input, as the system delivers it to the foreground window.
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void PressKey(WORD vk);
void PressChord(std::initializer_list<WORD> keys);  // held in order, released in reverse
void TypeText(std::wstring_view text);              // one Unicode key stroke per character
void MoveMouseTo(POINT screen);
void MouseButton(bool down);  // the primary button, where the pointer is
void ClickAt(POINT screen);
POINT CentreOf(HWND window);  // in screen coordinates

// What a user sees.
HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text = nullptr);
RECT RectInParent(HWND control);  // in the client coordinates of its parent
RECT ClientSize(HWND window);     // 0, 0, width, height
DWORD EditSelection(HWND edit);   // EM_GETSEL: LOWORD start, HIWORD end

// Opens a modal box through a command of `frame` and runs `body` inside the box's loop with
// its controls (found by `Controls(box)`); returns when the box has closed. The test fails when
// the box does not come up, is left open by the body, or leaves the frame disabled.
template <class Controls>
void RunInBox(HWND frame, UINT command, const wchar_t* className,
              const std::function<void(Script&, const Controls&)>& body)
{
    bool ran = false;
    Script script([&](Script& s) {
        const HWND box = s.WaitForWindow(className);
        ASSERT_NE(box, nullptr) << "the box did not come up";
        const Controls controls(box);
        ASSERT_TRUE(controls.Complete());
        ran = true;
        body(s, controls);
    });
    ::SendMessageW(frame, WM_COMMAND, command, 0);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(script.ClosedLeftover()) << "the box was still open at the end of the script";
    EXPECT_TRUE(::IsWindowEnabled(frame)) << "the frame stays disabled";
}

}  // namespace wintest
