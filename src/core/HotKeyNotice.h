#pragma once
// The Print Screen keys the program takes from anywhere, and the notice that names those it
// could not have and why.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

enum class HotKey : std::uint8_t {
    PrintScreen,      // capture the current target at once
    AltPrintScreen,   // capture the active window at once
    CtrlPrintScreen,  // what the start button does
    ShiftPrintScreen,  // the region overlay at once, whatever the mode
};
inline constexpr std::array<HotKey, 4> kHotKeys{HotKey::PrintScreen, HotKey::AltPrintScreen, HotKey::CtrlPrintScreen,
                                                HotKey::ShiftPrintScreen};

enum class KeyState : std::uint8_t {
    Off,                   // the setting is off: the key is not asked for
    Had,                   // registered: it reaches the program
    HeldByAnotherProgram,  // the system refused it: another program registered it first
    TakenByWindows,        // Windows opens its own screen capture with it
};
using KeyStates = std::array<KeyState, kHotKeys.size()>;

// "Print Screen", "Alt+Print Screen", "Ctrl+Print Screen", "Shift+Print Screen".
std::string_view HotKeyName(HotKey key);

// Whether Windows keeps the plain Print Screen key for its own screen capture, from the
// DWORD "PrintScreenKeyForSnippingEnabled" of HKCU\Control Panel\Keyboard (nothing when
// the value is missing or not a DWORD): only 1 turns it on.
bool WindowsTakesPrintScreen(std::optional<std::uint32_t> storedValue);

// Whether the program asks the system for the key: not while the setting is off, and not
// plain Print Screen while Windows keeps it.
bool ShouldRegister(HotKey key, bool setting, bool windowsTakesPrintScreen);

// The notice for the status bar and the settings dialog (UTF-8): the keys the program could
// not have, grouped by why, and for the Windows setting where to turn it off. Empty when
// every key asked for was had, or the setting is off.
std::string HotKeyNotice(const KeyStates& states);

}  // namespace core
