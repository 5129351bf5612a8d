#pragma once
// TRorUruvodi: the main window, an MDI frame with the tool bar, the status bar, the
// capture timer and the settings; it starts captures and makes the shot windows.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/SettingsStore.h"
#include "core/WCCommon.h"
#include "win32/Handles.h"
#include "win32/Registry.h"
#include "win32/SaveDialog.h"
#include "win32/Timer.h"
#include "win32/Window.h"

namespace app {

class TRorUruvodi final : public win::Window, private core::SettingsTarget {
public:
    // The help engine (WinHelpW); tests put a recorder in its place.
    using HelpEngine = BOOL(WINAPI*)(HWND, LPCWSTR, UINT, ULONG_PTR);
    static void SetHelpEngine(HelpEngine engine) noexcept;

    // Makes the window (which loads the settings), not yet shown. When it ends the
    // application, its destruction posts the quit message.
    TRorUruvodi(HWND applicationWindow, bool endsApplication);
    ~TRorUruvodi() override;
    void Show(int command);

    HWND ApplicationWindow() const noexcept { return FApplication; }
    HWND MdiClient() const noexcept { return FMdiClient; }
    HWND ToolBar() const noexcept { return FToolBar; }
    HWND StatusBar() const noexcept { return FStatusBar; }
    HACCEL Accelerators() const noexcept { return FAccelerators.get(); }
    HMENU FrameMenu() const noexcept { return FMainMenu; }
    const win::Timer& StartTimer() const noexcept { return FStartTimer; }
    std::uint8_t CapMode() const noexcept { return FCapMode; }
    std::int32_t CapTime() const noexcept { return FCapTime; }
    bool ToolBarFlat() const noexcept { return FToolBarFlat; }
    std::int32_t ShotCount() const noexcept { return FShotCount; }
    const std::wstring& HelpFile() const noexcept { return FHelpFile; }
    const std::wstring& CopyHint() const noexcept { return FCopyHint; }
    HWND ActiveShot() const noexcept;
    // Where the shot windows save to: the Save dialog, or what a test puts in its place (nullptr: the dialog).
    win::SaveTargetChooser& SaveTargets() const noexcept { return *FSaveTargets; }
    void SetSaveTargets(win::SaveTargetChooser* chooser) noexcept { FSaveTargets = chooser ? chooser : &FSaveDialog; }

    // Settings.
    void SetCapMode(std::uint8_t mode) override;
    void SetCapTime(std::int32_t seconds) override;
    void SetToolBarFlat(bool flat) override;
    void LoadSettings();
    void SaveSettings();

    // Commands.
    void mnExitClick();
    void mnEnvironmentClick();
    void mnAboutClick();
    void mnContentsClick();
    void btnFullScreenClick();
    void btnActiveWindowClick();
    void btnCursorWindowClick();
    void btnStartCaptureClick();
    void btnCopyClipboardClick();
    void StartTimerTimer();
    void CaptureScreenRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

    // What the shot windows write into the frame.
    void SetReadOut(std::string_view utf8);
    void SetCopyHint(std::string_view utf8);

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) override;

    void CreateControls();
    void FormCreate();
    void FormClose();
    void Layout();
    void ApplyDpi(UINT dpi);
    LRESULT OnNotify(const NMHDR& header);
    bool OnCommand(UINT id);
    void PressModeButton();
    void RestoreApplication();

    HWND FApplication;
    bool FEndsApplication;
    HWND FMdiClient = nullptr;
    HWND FToolBar = nullptr;
    HWND FStatusBar = nullptr;
    HMENU FMainMenu = nullptr;  // attached to the window, which destroys it
    win::OwnedImageList FToolbarImages;
    std::wstring FTipText;
    win::OwnedFont FFont;
    win::OwnedAccel FAccelerators;
    win::Timer FStartTimer{3000};
    win::RegistryStore FStore;
    std::wstring FHelpFile;
    std::wstring FCopyHint = L"クリップボードへコピー";

    std::uint8_t FCapMode = 0;
    std::int32_t FCapTime = 0;
    bool FToolBarFlat = false;
    std::int32_t FShotCount = 0;
    win::SaveDialog FSaveDialog;  // remembers the folder of the last save for the run
    win::SaveTargetChooser* FSaveTargets = &FSaveDialog;
};

}  // namespace app
