#include "core/KeyText.h"

namespace core {
namespace {

std::string KeyName(std::uint16_t key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    constexpr std::uint16_t kF1 = 0x70, kF24 = 0x87;
    if (key >= kF1 && key <= kF24) {
        std::string name = "F";
        name += std::to_string(key - kF1 + 1);
        return name;
    }
    switch (key) {
        case 0x08: return "Backspace";
        case 0x0D: return "Enter";
        case 0x1B: return "Esc";
        case 0x20: return "Space";
        case 0x2C: return "Print Screen";
        case 0x2D: return "Insert";
        case 0x2E: return "Delete";
        case 0xBB: return "+";  // the main keyboard's plus key
        case 0xBD: return "-";  // and its minus key
        default: return {};
    }
}

}  // namespace

std::string KeyText(const KeyChord& chord)
{
    std::string name = KeyName(chord.virtualKey);
    if (name.empty()) return {};
    std::string text;
    if (chord.ctrl) text += "Ctrl+";
    if (chord.shift) text += "Shift+";
    if (chord.alt) text += "Alt+";
    return text + name;
}

}  // namespace core
