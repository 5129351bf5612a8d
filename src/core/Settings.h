#pragma once
// The program's settings as one object: the main window holds it, the settings dialog edits a
// copy and hands it back. Each setter keeps its value by the setting's rule and lets the next
// save write it (see WritableSettings).
#include "core/SettingsStore.h"

namespace core {

class Settings final : public SettingsTarget {
public:
    // What the program holds before a load has set anything: the first mode, no delay yet
    // (the load's first setter gives one), and no keys taken.
    Settings() = default;

    const SettingsValues& Values() const noexcept { return values_; }
    const WritableSettings& Writable() const noexcept { return writable_; }
    // For LoadSettings, which allows each value as it reaches it.
    WritableSettings& Reached() noexcept { return writable_; }

    void SetCaptureMode(CaptureMode mode) override;
    void SetCaptureDelay(std::int32_t seconds) override;  // keeps CaptureDelayOrDefault(seconds)
    void SetFlatToolBar(bool flat) override;
    void SetHotKeys(bool on) override;
    void SetKey(KeyAction action, ChosenKey key) override;
    void SetRegionCopy(bool copy) override;
    void SetCaptureCursor(bool drawn) override;
    void SetKeepShots(bool on) override;

private:
    SettingsValues values_{.mode = CaptureMode::Desktop, .delay = 0, .flatToolBar = false, .hotKeys = false};
    WritableSettings writable_;
};

}  // namespace core
