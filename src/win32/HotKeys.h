#pragma once
// The Print Screen keys, registered with the system on one window so that they reach the
// program whichever window has the keyboard.
#include <windows.h>

#include <optional>

#include "core/HotKeyNotice.h"

namespace win {

// The WM_HOTKEY id of a key: its place in core::kHotKeys.
inline int HotKeyId(core::HotKey key) noexcept { return static_cast<int>(key) + 1; }
std::optional<core::HotKey> HotKeyFromId(WPARAM id) noexcept;

// Whether Windows keeps the plain Print Screen key for its own screen capture, as the
// user's keyboard settings say.
bool WindowsTakesPrintScreen();

class HotKeys {
public:
    HotKeys() = default;
    HotKeys(const HotKeys&) = delete;
    HotKeys& operator=(const HotKeys&) = delete;
    ~HotKeys() { Release(); }

    // Lets go of every key held, then (when `on`) asks for each one again on `window`.
    // Returns what became of each key; a key the system refuses is no error.
    const core::KeyStates& Apply(HWND window, bool on);
    const core::KeyStates& States() const noexcept { return states_; }
    void Release() noexcept;

private:
    HWND window_ = nullptr;
    core::KeyStates states_{};  // all Off
};

}  // namespace win
