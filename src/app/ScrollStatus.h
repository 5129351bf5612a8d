#pragma once
// The small window a scrolling capture shows beside its rectangle while it runs: the height
// taken so far and how to end it. It never takes the activation, and it is never in a grab:
// it stands outside the rectangle, or, where the screen leaves no room, hides while grabbing.
#include <windows.h>

#include <string>

#include "core/CaptureTarget.h"
#include "win32/Handles.h"
#include "win32/Window.h"

namespace app {

class ScrollStatus final : public win::Window {
public:
    explicit ScrollStatus(const core::ScreenRect& rect);
    ~ScrollStatus() override;

    void ShowHeight(int pixels);
    // Whether it stands over the rectangle, and must be hidden for every grab.
    bool Overlaps() const noexcept { return overlaps_; }
    void SetVisible(bool visible);

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void Place();
    void OnPaint();

    core::ScreenRect rect_;
    win::OwnedFont font_;
    std::wstring text_;
    bool overlaps_ = false;
};

}  // namespace app
