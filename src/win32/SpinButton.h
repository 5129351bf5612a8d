#pragma once
// The up/down arrow pair inside the right edge of a numeric text field. A press steps at
// once; holding the button repeats the step, first after 400 ms and then every 100 ms,
// while the pointer stays on the pressed arrow.
#include <windows.h>

#include <functional>

#include "win32/Window.h"

namespace win {

class SpinButton final : public Window {
public:
    using StepHandler = std::function<void(int delta)>;  // +1 for the upper arrow, -1 for the lower

    SpinButton(HWND field, StepHandler onStep);
    ~SpinButton() override;

    // Along the right edge of the field's client area, its full height.
    void Place(int width);

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    int ArrowAt(LPARAM lp) const noexcept;
    void Press(int arrow);
    void Track(bool over);
    void Repeat();
    void Stop() noexcept;
    void Paint();

    HWND field_;
    StepHandler onStep_;
    int pressed_ = 0;    // the arrow held down, 0 for none
    bool over_ = false;  // the pointer is on the arrow held down
};

}  // namespace win
