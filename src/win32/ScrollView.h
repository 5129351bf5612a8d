#pragma once
// The scroll position of a window that shows content larger than its client area: the
// scroll bars, the keys and clicks on them, and the wheel. The window repaints from its
// content at the new position rather than shifting screen bits: one copy of the client
// area, and never a stale pixel from a part of the screen that was covered.
#include <windows.h>

namespace win {

class ScrollView {
public:
    POINT Position() const noexcept { return position_; }

    // After the content or the client area changed size.
    void Fit(HWND hwnd, int contentWidth, int contentHeight);
    void ScrollTo(HWND hwnd, int x, int y);
    void OnScroll(HWND hwnd, int bar, WORD request);
    void OnWheel(HWND hwnd, int delta);

private:
    POINT position_{0, 0};
    int contentWidth_ = 0;
    int contentHeight_ = 0;
};

}  // namespace win
