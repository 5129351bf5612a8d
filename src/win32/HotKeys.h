#pragma once
// The user's keys, registered with the system on one window so that they reach the program
// whichever window has the keyboard.
#include <windows.h>

#include <array>
#include <optional>

#include "core/HotKeyNotice.h"

namespace win {

// The WM_HOTKEY id of an action's key: its place in core::kKeyActions, plus one.
inline int HotKeyId(core::KeyAction action) noexcept { return static_cast<int>(action) + 1; }
std::optional<core::KeyAction> ActionFromHotKeyId(WPARAM id) noexcept;

// Whether Windows keeps the plain Print Screen key for its own screen capture, as the
// user's keyboard settings say.
bool WindowsTakesPrintScreen();

// The actions the program has something for, by place in core::kKeyActions: the key of any
// other is never asked for.
using HandledActions = std::array<bool, core::kKeyActions.size()>;

class HotKeys {
public:
    HotKeys() = default;
    HotKeys(const HotKeys&) = delete;
    HotKeys& operator=(const HotKeys&) = delete;
    ~HotKeys() { Release(); }

    // Lets go of every key held, then (when `on`) asks for the key of each handled action
    // again on `window`. Returns what became of each; a key the system refuses is no error.
    const core::KeyStates& Apply(HWND window, bool on, const core::KeyChoices& keys, const HandledActions& handled);
    const core::KeyStates& States() const noexcept { return states_; }
    // The keys of the last Apply, which the states are about.
    const core::KeyChoices& Keys() const noexcept { return keys_; }
    void Release() noexcept;

private:
    HWND window_ = nullptr;
    core::KeyStates states_{};  // all Off
    core::KeyChoices keys_ = core::kDefaultKeys;
};

}  // namespace win
