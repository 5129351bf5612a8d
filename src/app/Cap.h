#pragma once
// TfrmCap: a shot window, one captured picture in an MDI child, with the rubber-band
// selection drawn into the picture and the copy to the clipboard.
#include <windows.h>

#include <memory>
#include <string>

#include "core/Selection.h"
#include "win32/Handles.h"
#include "win32/Picture.h"
#include "win32/Window.h"

namespace app {

class TRorUruvodi;

class TfrmCap final : public win::Window, private core::FrameSurface {
public:
    // Shows a new shot window as the active child of the frame. The window owns itself
    // from then on and goes when it is closed.
    static TfrmCap& Create(TRorUruvodi& main, std::unique_ptr<win::Picture> picture, const std::string& caption);
    static TfrmCap* FromHandle(HWND hwnd) noexcept;

    const core::Selection& Selection() const noexcept { return FSelection; }
    const win::Picture& Picture() const noexcept { return *FPicture; }
    HMENU CapMenu() const noexcept { return FCapMenu.get(); }
    POINT ScrollPosition() const noexcept { return FScroll; }

    void ImageMouseDown(bool primaryButton, core::Point p);
    void ImageMouseMove(core::Point p);
    void ImageMouseUp(bool primaryButton);
    void mnCopyClick();
    void mnSaveClick();
    void mnSelectAllClick();
    void mnSelectCancelClick();
    void mnCloseClick();
    void mnExitClick();
    void mnCascadeClick();
    void mnTileClick();

private:
    TfrmCap(TRorUruvodi& main, std::unique_ptr<win::Picture> picture);

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnFinalDestroy() noexcept override
    {
        if (FOwnsSelf) delete this;
    }
    void InvertFrame(core::Point a, core::Point b) override;

    void FormActivate();
    void FormDeactivate();
    void UpdateCopyCaptions();
    void Paint();
    void UpdateScrollBars();
    void ScrollTo(int x, int y);
    void OnScroll(int bar, WORD request);
    core::Point ToPicture(LPARAM lp) const noexcept;
    bool OverImage(core::Point p) const noexcept;
    void OnButtonDown(bool primaryButton, LPARAM lp);
    void OnButtonUp(bool primaryButton, LPARAM lp);

    TRorUruvodi& FMain;
    std::unique_ptr<win::Picture> FPicture;
    core::Selection FSelection;
    win::OwnedMenu FCapMenu;
    HMENU FWindowMenu = nullptr;  // inside FCapMenu
    POINT FScroll{0, 0};
    bool FPrimaryDrag = false;  // the pointer is captured for a primary-button drag
    bool FOwnsSelf = false;     // from the moment the window exists
};

}  // namespace app
