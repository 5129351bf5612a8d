#pragma once
// The region overlay: the frozen virtual screen in one topmost window over every monitor, each
// pixel where it was, dimmed outside the rectangle being chosen, with the crosshair, the size
// label and the magnifier. What is chosen goes to the host as a picture of its own, or for a
// scrolling capture as a place on the screen.
#include <windows.h>

#include <memory>
#include <vector>

#include "core/OverlayLayout.h"
#include "core/RegionChoice.h"
#include "win32/Handles.h"
#include "win32/Picture.h"
#include "win32/Window.h"

namespace wintest {
class OverlayProbe;
}

namespace app {

// Who hears how the overlay ended; it has left the screen by then.
class RegionHost {
public:
    // The chosen part: exactly the frozen pixels of the rectangle, never grabbed again.
    virtual void RegionTaken(std::unique_ptr<win::Picture> part) = 0;
    // Where the choice lies on the screen, its pixels left to be read live.
    virtual void RegionChosen(core::Rect chosen) = 0;
    virtual void RegionCancelled() = 0;

protected:
    ~RegionHost() = default;
};

class RegionOverlay final : public win::Window {
public:
    // What the host is handed for a choice: its frozen pixels (RegionTaken), or its place
    // (RegionChosen).
    enum class Handing { Pixels, Place };

    // Shows `frozen` (a grab of `bounds`, the virtual screen) over every monitor and takes the
    // keyboard. `areas` say what a click takes where, as the windows lay at the grab, front
    // first. The overlay owns itself from then on and goes when the choice is made or cancelled.
    static RegionOverlay& Open(RegionHost& host, std::unique_ptr<win::Picture> frozen, core::Rect bounds,
                               std::vector<core::PickArea> areas, std::vector<core::Rect> monitors,
                               Handing handing = Handing::Pixels);
    // Ends it as a cancel does, telling the host.
    void Cancel();
    // Ends it without a word to the host (the host is going).
    void Dismiss() noexcept;

private:
    friend class wintest::OverlayProbe;

    RegionOverlay(RegionHost& host, std::unique_ptr<win::Picture> frozen, core::Rect bounds,
                  std::vector<core::PickArea> areas, std::vector<core::Rect> monitors, core::Point pointer,
                  Handing handing);

    LRESULT OnCreate() override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnFinalDestroy() noexcept override { delete this; }

    void Handle(core::RegionOutcome outcome);
    void Finish(bool take);
    void OnKey(UINT key, bool shift);
    void TakeKeys() noexcept;
    void ReleaseKeys() noexcept;
    core::Point ScreenPoint(LPARAM lp) const noexcept;
    core::OverlayView ViewNow() const;
    void ShowView();
    void OnPaint();
    void PaintFrozen(HDC dc, const core::Rect& area) const;
    void PaintMarks(HDC dc) const;
    void PaintLabel(HDC dc) const;
    void PaintMagnifier(HDC dc) const;
    void FillScreenRect(HDC dc, const core::Rect& r, HBRUSH brush) const;
    core::Size LabelSize() const;

    RegionHost& host_;
    std::unique_ptr<win::Picture> frozen_;
    core::Rect bounds_;
    core::RegionChoice choice_;
    Handing handing_;
    core::OverlayView view_{};
    core::Size magnifierSize_{};
    int lineHeight_ = 0;
    win::OwnedFont font_;
    win::OwnedBrush accent_;
    win::OwnedBrush panel_;
    win::OwnedDC black_;  // one black pixel, blended over what is dimmed
    win::OwnedBitmap blackPixel_;
    std::unique_ptr<win::SelectedObject> blackSelected_;
    win::OwnedDC measure_;  // for the label's text extent
    std::unique_ptr<win::SelectedObject> measureFont_;
    bool ending_ = false;
    bool keysTaken_ = false;
};

}  // namespace app
