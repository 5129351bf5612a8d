#pragma once
// How a key with its modifiers is written after a menu item's text: "Ctrl+S", "Alt+F4",
// "Ctrl+Shift+V", "F1".
#include <cstdint>
#include <string>

namespace core {

struct KeyChord {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    std::uint16_t virtualKey = 0;  // Windows' virtual-key code; 0: no key

    bool operator==(const KeyChord&) const = default;
};

// The modifiers in the order Ctrl, Shift, Alt, then the key's name: a letter or digit as
// itself, F1 to F24, and the named keys menus use. Empty for no key, and for a key that has
// no name here (such a key is not written after a menu item).
std::string KeyText(const KeyChord& chord);

}  // namespace core
