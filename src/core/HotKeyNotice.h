#pragma once
// The user's keys as the program asks the system for them, and the notice that names those it
// could not have and why.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/KeyActions.h"

namespace core {

enum class KeyState : std::uint8_t {
    Off,                   // not asked for: the setting is off, the action has no key, or no handler
    Had,                   // registered: it reaches the program
    HeldByAnotherProgram,  // the system refused it: another program registered it first, or it takes no such key
    TakenByWindows,        // plain Print Screen while Windows opens its own screen capture with it
};
using KeyStates = std::array<KeyState, kKeyActions.size()>;  // by action

// Whether Windows keeps the plain Print Screen key for its own screen capture, from the
// DWORD "PrintScreenKeyForSnippingEnabled" of HKCU\Control Panel\Keyboard (nothing when
// the value is missing or not a DWORD): only 1 turns it on.
bool WindowsTakesPrintScreen(std::optional<std::uint32_t> storedValue);

// Whether the program asks the system for an action's key: not while the setting is off, not
// for no key, and not plain Print Screen while Windows keeps it.
bool ShouldRegister(ChosenKey key, bool setting, bool windowsTakesPrintScreen);

// The notice for the status bar and the settings dialog (UTF-8): the keys (as `keys` names
// them) the program could not have, grouped by why, and for the Windows setting where to turn
// it off. Empty when every key asked for was had, or none was asked for.
std::string HotKeyNotice(const KeyStates& states, const KeyChoices& keys);

}  // namespace core
