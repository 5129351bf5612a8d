#pragma once
// The main window: an MDI frame with the tool bar, the status bar, the capture timer and
// the settings. It starts captures and makes the shot windows.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/ApplicationWindow.h"
#include "app/FrameToolBar.h"
#include "app/ShotHost.h"
#include "app/SystemShell.h"
#include "core/CaptureTarget.h"
#include "core/SettingsStore.h"
#include "win32/Handles.h"
#include "win32/HotKeys.h"
#include "win32/Registry.h"
#include "win32/SaveDialog.h"
#include "win32/Timer.h"
#include "win32/Window.h"

namespace wintest {
class FrameProbe;
}

namespace app {

class ShotKeeper;
class ShotWindow;

class MainFrame final : public win::Window, public ShotHost, private core::SettingsTarget {
public:
    // Makes the window and loads the settings; not yet shown. When it ends the application,
    // its destruction posts the quit message. With a keeper (which outlives the frame), the
    // shots it kept open again and the open shots are kept.
    MainFrame(ApplicationWindow& application, bool endsApplication, ShotKeeper* keeper = nullptr);
    ~MainFrame() override;
    void Show(int command);

    // What the other windows and the message loop use.
    ApplicationWindow& Application() const noexcept override { return application_; }
    HWND MdiClient() const noexcept override { return mdiClient_; }
    HWND FrameWindow() const noexcept override { return hwnd_; }
    HMENU FrameMenu() const noexcept { return frameMenu_.get(); }
    // Where the window list goes while no shot window's menu shows it; never shown.
    HMENU IdleWindowMenu() const noexcept { return idleWindowMenu_.get(); }
    HACCEL Accelerators() const noexcept { return accelerators_.get(); }
    SystemShell& Shell() const noexcept { return *shell_; }
    // Where the shot windows save to: the Save dialog, which keeps the last folder for the run.
    win::SaveTargetChooser& SaveTargets() const noexcept override { return *saveTargets_; }
    std::int32_t CaptureDelay() const noexcept { return captureDelay_; }
    bool FlatToolBar() const noexcept { return flatToolBar_; }
    bool HotKeysOn() const noexcept { return hotKeysOn_; }
    bool KeepShotsOn() const noexcept { return keepShots_; }
    // Which Print Screen keys could not be had and why (UTF-8); empty when all are had.
    std::string HotKeyNotice() const { return core::HotKeyNotice(hotKeys_.States()); }
    void SetCaptureDelay(std::int32_t seconds) override;
    void SetFlatToolBar(bool flat) override;
    // Takes the Print Screen keys, or lets them go, at once.
    void SetHotKeys(bool on) override;
    // Keeps the open shots from now on, or deletes every kept file at once.
    void SetKeepShots(bool on) override;
    void SaveSettings();
    void ShowReadOut(std::string_view utf8) override;
    void SetCopyHint(std::string_view utf8) override;
    void ShowFrameMenu() override;
    void ShowMenus(HMENU bar, HMENU windowMenu) override;
    void OpenShot(std::unique_ptr<win::Picture> picture) override;
    void OnExit();
    void ShotChanged(HWND shot, const win::Picture& picture) override;
    void ShotClosed(HWND shot) override;
    void ShotUnreadable(HWND shot) override;

private:
    friend class wintest::FrameProbe;

    LRESULT OnCreate() override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(UINT id);
    LRESULT OnNotify(NMHDR& header);
    void OnClose();
    void ApplyDpi(UINT dpi);
    void Layout();
    void LoadStoredSettings();

    void SetCaptureMode(core::CaptureMode mode) override;
    void OnSettings();
    void OnAbout();
    void OnHelpContents();
    void OnStartCapture();
    void OnCopyButton();
    void OnCaptureTick();
    void OnHotKey(WPARAM id);
    void ShowHotKeyNotice();
    void OpenKeptShots();
    // The shot windows, from the bottom of the stack up.
    std::vector<ShotWindow*> Shots() const;
    void SetStatusParts(UINT dpi);
    // The capture of a tick or a key: the target of `mode` now, its shot, the program back.
    void CaptureNow(core::CaptureMode mode);
    void CaptureScreenRect(const core::ScreenRect& rect);
    // Lets the shot windows' area be drawn again, and draws it all.
    void RedrawShots();
    HWND ActiveShot() const noexcept;

    ApplicationWindow& application_;
    bool endsApplication_;
    SystemShell* shell_ = &SystemShell::Real();
    win::SaveDialog saveDialog_;
    win::SaveTargetChooser* saveTargets_ = &saveDialog_;
    HWND mdiClient_ = nullptr;
    HWND statusBar_ = nullptr;
    win::OwnedMenu frameMenu_;  // detached from the window before it goes
    win::OwnedMenu idleWindowMenu_;
    FrameToolBar toolBar_;
    win::OwnedFont font_;
    win::OwnedAccel accelerators_;
    win::Timer captureTimer_{3000};
    win::HotKeys hotKeys_;
    win::RegistryStore store_;
    core::WritableSettings writable_;  // what a save may write over
    std::wstring helpFile_;
    std::wstring copyHint_ = L"クリップボードへコピー";

    core::CaptureMode captureMode_ = core::CaptureMode::Desktop;
    std::int32_t captureDelay_ = 0;
    bool flatToolBar_ = false;
    bool hotKeysOn_ = false;  // until the load sets it: no key is taken before
    ShotKeeper* keeper_;
    bool keepShots_ = core::kDefaultKeepShots;
    std::string keptNotice_;  // what of the kept shots could not be read, in the status bar
    std::int32_t shotCount_ = 0;
    unsigned frameDrawings_ = 0;  // the frame's non-client paints so far
};

}  // namespace app
