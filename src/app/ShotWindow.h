#pragma once
// A shot window: one captured picture in an MDI child, with the rubber-band selection
// drawn over the picture, the copy to the clipboard and the edits of the selection.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/ShotEdits.h"
#include "app/ShotHost.h"
#include "core/Edits.h"
#include "core/Selection.h"
#include "win32/Handles.h"
#include "win32/Picture.h"
#include "win32/ScrollView.h"
#include "win32/Window.h"

namespace wintest {
class ShotProbe;
}

namespace app {

// A picture read on another thread has arrived (posted to the shot window).
inline constexpr UINT kPictureArrived = WM_APP + 1;

class ShotWindow final : public win::Window, private core::FrameSurface {
public:
    // Shows a new shot window as the active child of the frame. The window owns itself
    // from then on and goes when it is closed.
    static ShotWindow& Create(ShotHost& host, std::unique_ptr<win::Picture> picture, const std::string& caption);
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
    static ShotWindow& Create(ShotHost& host, PendingPicture picture, const std::string& caption);
    static ShotWindow* FromHandle(HWND hwnd) noexcept;

    // Reads a pending picture now; false when it cannot be read (the window then closes).
    bool EnsurePicture();
    // Hands the picture as it stands to the host's keeping.
    void OfferToKeep();

private:
    friend class wintest::ShotProbe;

    ShotWindow(ShotHost& host, std::unique_ptr<win::Picture> picture, PendingPicture pending);
    void CreateWindowAs(const std::string& caption);
    bool TakePicture(std::unique_ptr<win::Picture> read);
    void ReadElsewhere();
    void OnPictureArrived();

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
    void OnPin();
    bool OnKeyDown(UINT key);
    void OnActivate();
    void OnDeactivate();
    void UpdateCommands();
    void RepaintPicture(core::Rect part);

    void Paint();
    core::Point ToPicture(LPARAM lp) const noexcept;
    bool OverPicture(core::Point p) const noexcept;
    void OnButtonDown(bool primaryButton, LPARAM lp);
    void OnButtonUp(bool primaryButton, LPARAM lp);

    ShotHost& host_;
    std::unique_ptr<win::Picture> picture_;  // null while pending
    PendingPicture pending_;
    bool unreadable_ = false;  // the pending picture could not be read
    struct Arrival;            // a picture read on another thread, handed over here
    std::shared_ptr<Arrival> arrival_;
    core::Selection selection_;
    std::optional<ShotEdits> edits_;  // once there is a picture
    win::OwnedMenu menu_;
    HMENU windowMenu_ = nullptr;  // inside menu_
    win::ScrollView view_;
    bool primaryDrag_ = false;  // the pointer is captured for a primary-button drag
    bool ownsSelf_ = false;     // from the moment the window exists
};

}  // namespace app
