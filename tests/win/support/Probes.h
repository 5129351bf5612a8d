#pragma once
// The tests' one way into the windows beyond what a user can reach: reading the frame's
// controls and state, and driving a shot window's handlers directly.
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/MainFrame.h"
#include "app/PinWindow.h"
#include "app/ShotWindow.h"

namespace wintest {

class FrameProbe {
public:
    static HWND ToolBar(const app::MainFrame& m) noexcept { return m.toolBar_.hwnd(); }
    static HWND StatusBar(const app::MainFrame& m) noexcept { return m.statusBar_; }
    static const win::Timer& CaptureTimer(const app::MainFrame& m) noexcept { return m.captureTimer_; }
    // The countdown of a delayed capture while it exists, else nullptr.
    static HWND Countdown(const app::MainFrame& m) noexcept { return m.countdown_ ? m.countdown_->hwnd() : nullptr; }
    static core::CaptureMode CaptureMode(const app::MainFrame& m) noexcept { return m.settings_.Values().mode; }
    static std::int32_t ShotCount(const app::MainFrame& m) noexcept { return m.shotCount_; }
    static const std::wstring& HelpFile(const app::MainFrame& m) noexcept { return m.helpFile_; }
    static const std::wstring& CopyHint(const app::MainFrame& m) noexcept { return m.copyHint_; }
    static HWND ActiveShot(const app::MainFrame& m) noexcept { return m.ActiveShot(); }
    // The region overlay's window while it is up, else nullptr.
    static HWND Overlay(const app::MainFrame& m) noexcept { return m.overlay_ ? m.overlay_->hwnd() : nullptr; }
    static const app::RegionOverlay* RegionOverlay(const app::MainFrame& m) noexcept { return m.overlay_; }
    static void OpenRegionOverlay(app::MainFrame& m, core::Rect bounds) { m.OpenRegionOverlay(bounds); }
    static void SetRegionCopy(app::MainFrame& m, bool on) { m.SetRegionCopy(on); }

    static void SetCaptureMode(app::MainFrame& m, std::uint8_t mode) { m.SetCaptureMode(core::CaptureMode{mode}); }
    static void CaptureScreenRect(app::MainFrame& m, std::int32_t left, std::int32_t top, std::int32_t width,
                                  std::int32_t height)
    {
        m.CaptureScreenRect({left, top, width, height});
    }
    // The help engine, the shell and the beep go to `shell` from now on.
    static void UseShell(app::MainFrame& m, app::SystemShell& shell) noexcept { m.shell_ = &shell; }
    // Saves go to `chooser` instead of the Save dialog; nullptr gives the dialog back.
    static void UseSaveTargets(app::MainFrame& m, win::SaveTargetChooser* chooser) noexcept
    {
        m.saveTargets_ = chooser ? chooser : &m.saveDialog_;
    }
};

class OverlayProbe {
public:
    // What a take would give now: shown undimmed and framed.
    static core::Rect Chosen(const app::RegionOverlay& o) noexcept { return o.choice_.Chosen(); }
    // Whether a choice is handed over as a place, for the scrolling capture.
    static bool HandsAPlace(const app::RegionOverlay& o) noexcept
    {
        return o.handing_ == app::RegionOverlay::Handing::Place;
    }
};

class ShotProbe {
public:
    static const core::Selection& Selection(const app::ShotWindow& s) noexcept { return s.selection_; }
    static const win::Picture& Picture(const app::ShotWindow& s) noexcept { return *s.picture_; }
    // Whether the picture has been read (a kept shot's is read when it first shows).
    static bool HasPicture(const app::ShotWindow& s) noexcept { return s.picture_ != nullptr; }
    static HMENU Menu(const app::ShotWindow& s) noexcept { return s.menu_.get(); }
    static POINT ScrollPosition(const app::ShotWindow& s) noexcept { return s.view_.Position(); }
    static const core::MarkList& Marks(const app::ShotWindow& s) noexcept { return s.edits_->Marks().Marks(); }
    static std::int32_t Zoom(const app::ShotWindow& s) noexcept { return s.zoom_; }
    static HWND TextField(const app::ShotWindow& s) noexcept { return s.typing_.Field(); }
    // A mark placed as a tool places it (a text's extent from its glyphs), repainted.
    static void PlaceMark(app::ShotWindow& s, core::Mark mark)
    {
        if (mark.kind == core::MarkKind::Text) core::FitText(mark, s.edits_->Glyphs());
        s.RepaintPicture(s.edits_->Marks().Place(std::move(mark)));
    }

    static void PressPicture(app::ShotWindow& s, bool primaryButton, core::Point p)
    {
        s.OnPictureButtonDown(primaryButton, p);
    }
    static void MoveOverPicture(app::ShotWindow& s, core::Point p) { s.OnPictureMouseMove(p); }
    static void ReleasePicture(app::ShotWindow& s, bool primaryButton) { s.OnPictureButtonUp(primaryButton); }
    static void Copy(app::ShotWindow& s) { s.OnCopy(); }
    static void SelectAll(app::ShotWindow& s) { s.OnSelectAll(); }
    static void SelectCancel(app::ShotWindow& s) { s.OnSelectCancel(); }
    static void Pin(app::ShotWindow& s) { s.OnPin(); }
};

class PinProbe {
public:
    static int Zoom(const app::PinWindow& p) noexcept { return p.zoom_; }
    static const win::Picture& Picture(const app::PinWindow& p) noexcept { return *p.picture_; }
};

}  // namespace wintest
