#pragma once
// The tests' other program (tests/win/helper/OtherProgram.cpp) running beside the one under
// test: a window of its own, in front and with the keyboard, optionally holding Print Screen
// or another key.
#include <windows.h>

#include <string>

#include "Process.h"

namespace wintest {

inline constexpr COLORREF kOtherProgramColour = RGB(0x20, 0xA0, 0x60);

class OtherProgram {
public:
    enum class Keys { None, HoldPrintScreen };
    explicit OtherProgram(RECT screenRect, Keys keys = Keys::None);
    // Holding the key `key` with RegisterHotKey's `modifiers`.
    OtherProgram(RECT screenRect, UINT modifiers, UINT key);

    HWND window() const noexcept { return window_; }
    RECT WindowRect() const;
    // Brings its window to the front and waits until it has the keyboard.
    bool Activate() const;

private:
    explicit OtherProgram(const std::wstring& arguments);

    ChildProcess process_;
    HWND window_ = nullptr;
};

// Whether the key Print Screen with these modifiers is free: no program holds it.
bool PrintScreenIsFree(UINT modifiers);
// The same for any key.
bool KeyIsFree(UINT modifiers, UINT key);

}  // namespace wintest
