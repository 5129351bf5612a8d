#pragma once
// What the user's keys do from anywhere, the key chosen for each, and the rule that one key
// serves one action.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/ChosenKey.h"

namespace core {

enum class KeyAction : std::uint8_t {
    Region,   // open the region overlay
    Target,   // capture the current target at once
    Window,   // capture the active window at once
    Delayed,  // what the start button does
    Scroll,   // a scrolling capture at once
};
inline constexpr std::array<KeyAction, 5> kKeyActions{KeyAction::Region, KeyAction::Target, KeyAction::Window,
                                                      KeyAction::Delayed, KeyAction::Scroll};
inline constexpr std::size_t Index(KeyAction action) noexcept { return static_cast<std::size_t>(action); }

// The key of each action, in the order of kKeyActions; a chord with no key leaves its action
// without one.
using KeyChoices = std::array<ChosenKey, kKeyActions.size()>;
inline constexpr KeyChoices kDefaultKeys{{
    {kPrintScreenKey, kShiftBit},    // Shift+Print Screen
    {kPrintScreenKey, 0},            // Print Screen
    {kPrintScreenKey, kAltBit},      // Alt+Print Screen
    {kPrintScreenKey, kControlBit},  // Ctrl+Print Screen
    {kPrintScreenKey, kControlBit | kShiftBit},  // Ctrl+Shift+Print Screen
}};

// The action as the settings dialog labels its key field: "範囲を指定", "選んだ対象",
// "アクティブウィンドウ", "キャプチャー開始", "スクロールして取り込む".
std::string_view ActionName(KeyAction action);

// Two actions given the same key.
struct SharedKey {
    KeyAction first, second;
    bool operator==(const SharedKey&) const = default;
};

// The first action (in the order of kKeyActions) whose key a later action has too, with the
// first such later action; nothing when every key is one action's. No key is nobody's.
std::optional<SharedKey> FindSharedKey(const KeyChoices& keys);

// The dialog's refusal of a key chosen twice (UTF-8, without the full stop the report adds).
std::string SharedKeyMessage(const KeyChoices& keys, SharedKey shared);

}  // namespace core
