#pragma once
// A key the user chooses for an action: a key with its modifiers, as the system's hot-key
// control holds it, stored, named and handed to RegisterHotKey.
#include <cstdint>
#include <optional>
#include <string>

namespace core {

// The high byte of a hot-key control's value: HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT and
// HOTKEYF_EXT (an extended key of the keyboard, which only changes how the control names it).
inline constexpr std::uint8_t kShiftBit = 1, kControlBit = 2, kAltBit = 4, kExtendedBit = 8;
inline constexpr std::uint8_t kPrintScreenKey = 0x2C;  // VK_SNAPSHOT

struct ChosenKey {
    std::uint8_t key = 0;        // the virtual-key code; 0 is no key
    std::uint8_t modifiers = 0;  // kShiftBit | kControlBit | kAltBit
    bool None() const noexcept { return key == 0; }
    bool operator==(const ChosenKey&) const = default;
};

// The chord of a hot-key control's value, as stored or as the control gives it: the key in the
// low byte, the modifiers in the high byte, HOTKEYF_EXT accepted and dropped. 0 is no key.
// Nothing when the value holds any other bit, has modifiers but no key, or its key is a mouse
// button or a modifier key itself.
std::optional<ChosenKey> ChosenKeyFromValue(std::int32_t value);

// The value that is stored: the key in the low byte, the modifiers in the high byte, no
// HOTKEYF_EXT ("300" for Shift+Print Screen, "0" for no key).
std::int32_t StoredValue(ChosenKey chord);

// The value handed to the hot-key control: the stored one, with HOTKEYF_EXT for the keys that
// have it on the keyboard, so that the control names them as when they are pressed.
std::uint16_t ControlValue(ChosenKey chord);

// The name the program gives a chord in its texts: the modifiers in the order Ctrl, Shift, Alt,
// each followed by "+", then the key ("Alt+Print Screen", "Ctrl+Shift+F9"). Empty for no key.
std::string KeyName(ChosenKey chord);

// What a key field shows: the key's name; while the field holds no key, the modifiers held down
// so far, each with its "+" ("Ctrl+Shift+"), or "なし" when none is.
std::string KeyFieldText(ChosenKey key, std::uint8_t heldModifiers);

// Print Screen without a modifier: the key Windows can keep for its own screen capture.
bool IsPlainPrintScreen(ChosenKey chord) noexcept;

// RegisterHotKey's modifiers for a chord (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4), and the chord of
// a WM_HOTKEY's modifiers and key (MOD_WIN and bits beyond are dropped).
std::uint32_t RegisterModifiers(ChosenKey chord) noexcept;
ChosenKey ChordFromRegistered(std::uint32_t modifiers, std::uint32_t key) noexcept;

}  // namespace core
