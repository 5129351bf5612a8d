#pragma once
// A shot window: one captured picture in an MDI child, with the rubber-band selection
// drawn over the picture, the copy to the clipboard and the edits of the selection.
#include <windows.h>

#include <cstddef>
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

class ShotWindow final : public win::Window, private core::FrameSurface {
public:
    // Shows a new shot window as the active child of the frame. The window owns itself
    // from then on and goes when it is closed.
    // `origin`: the file the picture was opened from, where a save proposes to go; empty for a
    // capture. `marks`: marks it starts with (a cut-out's), still editable.
    static ShotWindow& Create(ShotHost& host, std::unique_ptr<win::Picture> picture, const std::string& caption,
                              std::wstring origin = {}, std::vector<core::Mark> marks = {});
    static ShotWindow* FromHandle(HWND hwnd) noexcept;

private:
    friend class wintest::ShotProbe;

    ShotWindow(ShotHost& host, std::unique_ptr<win::Picture> picture, std::vector<core::Mark> marks);

    LRESULT OnCreate() override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
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
    core::Point ToPicture(LPARAM lp) const noexcept;
    bool OverPicture(core::Point p) const noexcept;
    void OnButtonDown(bool primaryButton, LPARAM lp);
    void OnButtonUp(bool primaryButton, LPARAM lp);

    ShotHost& host_;
    std::unique_ptr<win::Picture> picture_;
    core::Selection selection_;
    ShotEdits edits_;
    win::OwnedMenu menu_;
    HMENU windowMenu_ = nullptr;  // inside menu_
    win::ScrollView view_;
    win::PaintBuffer buffer_;
    std::int32_t zoom_ = 100;  // percent
    int zoomWheel_ = 0;        // wheel turns with Ctrl towards the next step
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
