#pragma once
// The main window: an MDI frame with the tool bar, the status bar, the capture timer and
// the settings. It starts captures and makes the shot windows.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ApplicationWindow.h"
#include "app/CountdownWindow.h"
#include "app/FrameToolBar.h"
#include "app/RegionOverlay.h"
#include "app/ShotHost.h"
#include "app/SystemShell.h"
#include "core/CaptureTarget.h"
#include "core/Countdown.h"
#include "core/Settings.h"
#include "win32/Handles.h"
#include "win32/OpenDialog.h"
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

class MainFrame final : public win::Window, public ShotHost, private core::SettingsTarget, private RegionHost {
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
    // The settings in force; the settings dialog edits a copy and hands it to ApplySettings.
    const core::Settings& Settings() const noexcept { return settings_; }
    // Puts every setting of `edited` in force at once: the delay, the tool bar, the keys.
    void ApplySettings(const core::Settings& edited);
    std::int32_t CaptureDelay() const noexcept { return settings_.Values().delay; }
    bool FlatToolBar() const noexcept { return settings_.Values().flatToolBar; }
    bool HotKeysOn() const noexcept { return settings_.Values().hotKeys; }
    bool KeepShotsOn() const noexcept { return settings_.Values().keepShots; }
    // Which keys could not be had and why (UTF-8); empty when all are had.
    std::string HotKeyNotice() const { return core::HotKeyNotice(hotKeys_.States(), hotKeys_.Keys()); }
    void SetCaptureDelay(std::int32_t seconds) override;
    void SetFlatToolBar(bool flat) override;
    // Takes the keys, or lets them go, at once.
    void SetHotKeys(bool on) override;
    // Keeps the open shots from now on, or deletes every kept file at once.
    void SetKeepShots(bool on) override;
    void SaveSettings();
    void ShowReadOut(std::string_view utf8) override;
    void SetCopyHint(std::string_view utf8) override;
    void ShowFrameMenu() override;
    void ShowMenus(HMENU bar, HMENU windowMenu) override;
    void ShowZoom(std::string_view utf8) override;
    core::Tool CurrentTool() const noexcept override { return tool_; }
    core::ToolStyles& Styles() noexcept override { return styles_; }
    void OpenShot(std::unique_ptr<win::Picture> picture, std::vector<core::Mark> marks = {}) override;
    void OnExit();
    // Opens each file as a shot captioned with its name; one report lists those that could not
    // be opened, and why.
    void OnOpenFiles(const std::vector<std::wstring>& paths);
    // A new shot of the picture on the clipboard, or its files opened.
    void OnPasteNew();
    // Whether the clipboard holds something a new shot can be made of.
    static bool CanPasteNew() noexcept;
    // Whether a region taken on the overlay goes to the clipboard too ("RegionCopy").
    bool CopyRegionToClipboard() const noexcept { return settings_.Values().regionCopy; }
    // Scrolls the window under the rectangle's centre and stitches what it shows into the
    // next shot; the status bar says where and why it stopped. The program comes back after.
    void StartScrollCapture(core::ScreenRect rect);
    void ShotChanged(HWND shot, const win::Picture& picture, const std::vector<core::Mark>& marks,
                     bool pixelsChanged) override;
    void ShotClosed(HWND shot) override;
    void ShotUnreadable(HWND shot) override;

private:
    friend class wintest::FrameProbe;

    LRESULT OnCreate() override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(UINT id);
    // The drawing tools, colours and widths (MainFrameMarks.cpp).
    bool OnMarkCommand(UINT id);
    void ShowMarkPopup(const NMTOOLBARW& button);
    std::optional<std::uint32_t> ChooseOtherColour();
    void TellActiveShot(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnNotify(NMHDR& header);
    void OnClose();
    void ApplyDpi(UINT dpi);
    void Layout();
    void LoadStoredSettings();

    void SetCaptureMode(core::CaptureMode mode) override;
    void SetKey(core::KeyAction action, core::ChosenKey key) override;
    void SetRegionCopy(bool copy) override;
    void SetCaptureCursor(bool drawn) override;
    void OnSettings();
    void OnAbout();
    void OnHelpContents();
    void OnStartCapture();
    void OnCopyButton();
    void OnCaptureTick();
    void OnSettleTick();
    void OnCountdownCancelled();
    void OnHotKey(WPARAM id);
    void OnTargetKey();
    void OnWindowKey();
    void OnRegionKey();
    void OnScrollKey();
    // Asks the system for the keys as the settings have them (unless a load is under way).
    void TakeKeys();
    void ShowHotKeyNotice();
    void OpenKeptShots();
    void PutKeepingInForce();
    // The shot windows, from the bottom of the stack up.
    std::vector<ShotWindow*> Shots() const;
    void SetStatusParts(UINT dpi);
    // The capture of a tick or a key: the target of `mode` now, its shot, the program back.
    void CaptureNow(core::CaptureMode mode);
    void CaptureScreenRect(const core::ScreenRect& rect);
    // Grabs `bounds` (the virtual screen) and opens the region overlay over it, for the region
    // or the scrolling capture; one at a time.
    void OpenRegionOverlay(const core::Rect& bounds, core::CaptureMode mode = core::CaptureMode::Region);
    void RegionTaken(std::unique_ptr<win::Picture> part) override;
    void RegionChosen(core::Rect chosen) override;
    void RegionCancelled() override;
    void ScrollCaptureRect(const core::ScreenRect& rect);
    // Lets the shot windows' area be drawn again, and draws it all.
    void RedrawShots();
    HWND ActiveShot() const noexcept;
    void MakeShot(std::unique_ptr<win::Picture> picture, const std::string& caption, std::wstring origin,
                  std::vector<core::Mark> marks = {});
    void OnOpen();
    void OnDropFiles(HDROP drop);

    // What an action's key does from anywhere. An action with no handler has its key never
    // asked for, whatever the settings hold.
    struct KeyHandler {
        core::KeyAction action;
        void (MainFrame::*run)();
    };
    static std::span<const KeyHandler> KeyHandlers() noexcept;

    ApplicationWindow& application_;
    bool endsApplication_;
    SystemShell* shell_ = &SystemShell::Real();
    win::SaveDialog saveDialog_;
    win::SaveTargetChooser* saveTargets_ = &saveDialog_;
    win::OpenDialog openDialog_;
    HWND mdiClient_ = nullptr;
    HWND statusBar_ = nullptr;
    win::OwnedMenu frameMenu_;  // detached from the window before it goes
    win::OwnedMenu idleWindowMenu_;
    FrameToolBar toolBar_;
    win::OwnedFont font_;
    win::OwnedAccel accelerators_;
    win::Timer captureTimer_{3000};
    // After a countdown that was still showing at the tick: the wait for the screen beneath it.
    win::Timer settleTimer_{static_cast<UINT>(core::kCountdownHideAheadMs)};
    std::unique_ptr<CountdownWindow> countdown_;
    win::Timer secondLookTimer_{400};  // after a capture: is the frame still in front?
    win::HotKeys hotKeys_;
    win::RegistryStore store_;
    core::Settings settings_;  // with what a save may write over; no key is taken before the load
    bool keysOnHold_ = false;  // a load is under way: the keys are taken once, at its end
    std::wstring helpFile_;
    std::wstring copyHint_ = L"クリップボードへコピー";

    bool scrolling_ = false;  // a scrolling capture runs: no other capture starts
    ShotKeeper* keeper_;
    std::string keptNotice_;  // what of the kept shots could not be read, in the status bar
    std::int32_t shotCount_ = 0;
    core::Tool tool_ = core::Tool::Select;
    core::ToolStyles styles_;
    COLORREF customColours_[16]{};  // the colour dialog's own, for the run
    RegionOverlay* overlay_ = nullptr;   // while it is up; it owns itself
    HWND foregroundAtOverlay_ = nullptr;  // given the keyboard back on a cancel
    unsigned frameDrawings_ = 0;  // the frame's non-client paints so far
};

}  // namespace app
