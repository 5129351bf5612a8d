#pragma once
// What a shot window needs of the frame that holds it, and nothing more.
#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "core/MarkTool.h"
#include "core/Marks.h"

#include "win32/Picture.h"
#include "win32/SaveDialog.h"

namespace app {

class ApplicationWindow;

class ShotHost {
public:
    virtual HWND FrameWindow() const noexcept = 0;
    virtual HWND MdiClient() const noexcept = 0;
    // Puts the frame's own menus back on its bar, as while no shot window is active.
    virtual void ShowFrameMenu() = 0;
    // Puts `bar` on the frame's menu bar, with the window list in `windowMenu`, and sees the
    // bar drawn.
    virtual void ShowMenus(HMENU bar, HMENU windowMenu) = 0;
    // The status bar's read-out and the copy tool button's hint, shared by all shot windows.
    virtual void ShowReadOut(std::string_view utf8) = 0;
    virtual void SetCopyHint(std::string_view utf8) = 0;
    // The status bar's zoom panel, e.g. "200%".
    virtual void ShowZoom(std::string_view utf8) = 0;
    // The drawing tool chosen on the frame, and the colour and width the tools draw with.
    virtual core::Tool CurrentTool() const noexcept = 0;
    virtual core::ToolStyles& Styles() noexcept = 0;
    // The owner of what goes on the clipboard.
    virtual ApplicationWindow& Application() const noexcept = 0;
    virtual win::SaveTargetChooser& SaveTargets() const noexcept = 0;
    // A new shot window holding `picture` with `marks` over it, captioned with the next shot number.
    virtual void OpenShot(std::unique_ptr<win::Picture> picture, std::vector<core::Mark> marks) = 0;
    // For the shots kept across runs: `shot` stands as `picture` with `marks` shows it now (with
    // `pixelsChanged` false, only its marks changed since it was last told); the user closed
    // `shot`; the kept picture of `shot` could not be read.
    virtual void ShotChanged(HWND shot, const win::Picture& picture, const std::vector<core::Mark>& marks,
                             bool pixelsChanged) = 0;
    virtual void ShotClosed(HWND shot) = 0;
    virtual void ShotUnreadable(HWND shot) = 0;

protected:
    ~ShotHost() = default;
};

}  // namespace app
