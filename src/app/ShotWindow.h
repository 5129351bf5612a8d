#pragma once
// A shot window: one captured picture in an MDI child, with the rubber-band selection
// drawn over the picture, the copy to the clipboard and the edits of the selection.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ShotEdits.h"
#include "app/ShotHost.h"
#include "app/TextEntry.h"
#include "core/Edits.h"
#include "core/MarkTool.h"
#include "core/Marks.h"
#include "core/Selection.h"
#include "core/Zoom.h"
#include "win32/Handles.h"
#include "win32/PaintBuffer.h"
#include "win32/Picture.h"
#include "win32/ScrollView.h"
#include "win32/Window.h"

namespace wintest {
class ShotProbe;
}

namespace app {

// From the frame to the active shot: a colour (wParam 0) or width (wParam 1) was chosen, its
// value in lParam; a mark chosen with 選択 takes it.
inline constexpr UINT kMarkStyleChosen = WM_APP + 20;
// A picture read on another thread has arrived (posted to the shot window).
inline constexpr UINT kPictureArrived = WM_APP + 21;

class ShotWindow final : public win::Window, private core::FrameSurface {
public:
    // Shows a new shot window as the active child of the frame. The window owns itself
    // from then on and goes when it is closed.
    // `origin`: the file the picture was opened from, where a save proposes to go; empty for a
    // capture. `marks`: marks it starts with (a cut-out's), still editable.
    static ShotWindow& Create(ShotHost& host, std::unique_ptr<win::Picture> picture, const std::string& caption,
                              std::wstring origin = {}, std::vector<core::Mark> marks = {});
    // A picture of known size read when the window first needs it (a kept shot's): `read` reads
    // it now, `readElsewhere` on another thread, which hands it to `done` there unless `wanted`
    // has gone by then; either gives nothing when it cannot be read. Without `readElsewhere` a
    // paint reads it now.
    using PictureDone = std::function<void(std::unique_ptr<win::Picture>)>;
    struct PendingPicture {
        int width;
        int height;
        std::function<std::unique_ptr<win::Picture>()> read;
        std::function<void(std::weak_ptr<void> wanted, PictureDone done)> readElsewhere;
    };
    static ShotWindow& Create(ShotHost& host, PendingPicture picture, const std::string& caption,
                              std::vector<core::Mark> marks);
    static ShotWindow* FromHandle(HWND hwnd) noexcept;

    // Reads a pending picture now; false when it cannot be read (the window then closes).
    bool EnsurePicture();
    // Hands the picture and marks as they stand to the host's keeping.
    void OfferToKeep() { Offer(true); }

private:
    friend class wintest::ShotProbe;

    ShotWindow(ShotHost& host, std::unique_ptr<win::Picture> picture, PendingPicture pending,
               std::vector<core::Mark> marks);
    void CreateWindowAs(const std::string& caption);
    bool TakePicture(std::unique_ptr<win::Picture> read);
    void ReadElsewhere();
    void OnPictureArrived();
    // Messages that act on the picture or its marks read a pending picture first.
    static bool NeedsPicture(UINT msg, WPARAM wp) noexcept;
    void KeepIfChanged();
    void Offer(bool withPixels);

    LRESULT OnCreate() override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnFinalDestroy() noexcept override
    {
        if (ownsSelf_) delete this;
    }
    void InvertFrame(core::Point a, core::Point b) override;

    bool OnCommand(UINT id);
    void OnPictureButtonDown(bool primaryButton, core::Point p);
    void OnPictureMouseMove(core::Point p);
    void OnPictureButtonUp(bool primaryButton);
    void OnCaptureLost(HWND newCapture);
    void OnCopy();
    void OnSelectAll();
    void OnSelectCancel();
    void OnEdit(core::Edit edit);
    void OnUndoOrRedo(bool undo);
    void OnCutOut();
    void OnPin();
    bool OnKeyDown(UINT key);
    void OnActivate();
    void OnDeactivate();
    void UpdateCommands();
    void RepaintPicture(core::Rect part);

    // Marks (ShotMarking.cpp): a press, drag and release with the tool chosen on the frame.
    enum class Press { RubberBand, Done, Drag };
    Press PressWithTool(core::Point p);
    bool DragWithTool(core::Point p);
    bool ReleaseWithTool();
    void OnDoubleClick(core::Point p);
    void ChooseMark(std::optional<std::size_t> index);
    void DeleteChosenMark();
    void RestyleChosenMark(bool width, std::uint32_t value);
    void OnToolChosen();
    void BeginTyping(core::Point at, std::optional<std::size_t> retyped);
    void EndTyping();
    void FollowScroll();
    void RepaintMark(const core::Mark& mark);
    double PressTolerance() const noexcept;
    // The zoom (ShotMarking.cpp): `percent`, keeping the picture point under `pointer` (the
    // client area's) where it is.
    void SetZoom(std::int32_t percent, POINT pointer);
    void ZoomStep(bool in, POINT pointer);
    void ZoomToFit();
    void OnZoomWheel(int delta, POINT screenPointer);
    POINT ClientCentre() const noexcept;
    void FitScrollView();

    void Paint();
    void PaintPending(HDC dc, const RECT& area);
    core::Point ToPicture(LPARAM lp) const noexcept;
    bool OverPicture(core::Point p) const noexcept;
    void OnButtonDown(bool primaryButton, LPARAM lp);
    void OnButtonUp(bool primaryButton, LPARAM lp);

    ShotHost& host_;
    std::unique_ptr<win::Picture> picture_;  // null while pending
    PendingPicture pending_;                 // its size stands for the picture's while it is null
    std::vector<core::Mark> pendingMarks_;   // until the picture is there
    bool unreadable_ = false;                // the pending picture could not be read
    struct Arrival;                          // a picture read on another thread, handed over here
    std::shared_ptr<Arrival> arrival_;
    core::Selection selection_;
    std::optional<ShotEdits> edits_;  // once there is a picture
    std::uint64_t keptRevision_ = 0;       // of the document as last handed to the keeping
    std::uint64_t keptPixelRevision_ = 0;  // of its pixels
    win::OwnedMenu menu_;
    HMENU windowMenu_ = nullptr;  // inside menu_
    win::ScrollView view_;
    win::PaintBuffer buffer_;
    std::int32_t zoom_ = 100;  // percent
    core::WheelTurns zoomWheel_;  // wheel turns with Ctrl towards the next step
    std::optional<core::MarkDrag> drag_;      // a mark being drawn or moved
    std::optional<std::size_t> chosen_;       // the mark chosen with 選択, its handles shown
    TextEntry typing_;                        // a text being typed
    core::Point typedAt_{0, 0};
    std::optional<std::size_t> retyped_;      // the text mark being typed again
    bool primaryDrag_ = false;  // the pointer is captured for a primary-button drag
    bool ownsSelf_ = false;     // from the moment the window exists
    std::wstring origin_;
};

}  // namespace app
