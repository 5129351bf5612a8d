#include "core/ChosenKey.h"

#include <string_view>

namespace core {
namespace {

constexpr std::uint8_t kChosenModifiers = kShiftBit | kControlBit | kAltBit;

// Mouse buttons and the modifier keys, plain and left / right: never the key of a chord.
bool IsKey(std::uint8_t key) noexcept
{
    switch (key) {
        case 0x01:
        case 0x02:
        case 0x04:
        case 0x05:
        case 0x06:  // VK_LBUTTON .. VK_XBUTTON2, not VK_CANCEL
        case 0x10:
        case 0x11:
        case 0x12:  // VK_SHIFT, VK_CONTROL, VK_MENU
        case 0xA0:
        case 0xA1:
        case 0xA2:
        case 0xA3:
        case 0xA4:
        case 0xA5:  // VK_LSHIFT .. VK_RMENU
        case 0xFF: return false;
        default: return key != 0;
    }
}

// The keys whose scan code comes with the E0 prefix on a standard keyboard.
bool IsExtendedKey(std::uint8_t key) noexcept
{
    return (key >= 0x21 && key <= 0x28) || key == kPrintScreenKey || key == 0x2D || key == 0x2E ||
           (key >= 0x5B && key <= 0x5D) || key == 0x6F || key == 0x90;
}

struct NamedKey {
    std::uint8_t key;
    std::string_view name;
};

constexpr NamedKey kNamedKeys[] = {
    {0x03, "Break"},       {0x08, "Backspace"}, {0x09, "Tab"},          {0x0C, "Clear"},  {0x0D, "Enter"},
    {0x13, "Pause"},       {0x14, "Caps Lock"}, {0x1B, "Esc"},          {0x20, "Space"},  {0x21, "Page Up"},
    {0x22, "Page Down"},   {0x23, "End"},       {0x24, "Home"},         {0x25, "Left"},   {0x26, "Up"},
    {0x27, "Right"},       {0x28, "Down"},      {0x2C, "Print Screen"}, {0x2D, "Insert"}, {0x2E, "Delete"},
    {0x5B, "Win"},         {0x5C, "Win"},       {0x5D, "Menu"},         {0x6A, "Num *"},  {0x6B, "Num +"},
    {0x6C, "Num ,"},       {0x6D, "Num -"},     {0x6E, "Num ."},        {0x6F, "Num /"},  {0x90, "Num Lock"},
    {0x91, "Scroll Lock"},
};

void AppendKeyOnlyName(std::string& name, std::uint8_t key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        name += static_cast<char>(key);
        return;
    }
    if (key >= 0x60 && key <= 0x69) {
        name += "Num ";
        name += static_cast<char>('0' + key - 0x60);
        return;
    }
    if (key >= 0x70 && key <= 0x87) {
        name += 'F';
        name += std::to_string(key - 0x6F);
        return;
    }
    for (const NamedKey& named : kNamedKeys) {
        if (named.key != key) continue;
        name += named.name;
        return;
    }
    // Keys whose letter depends on the keyboard layout, and the IME keys: their code.
    constexpr char kHex[] = "0123456789ABCDEF";
    name += "キー 0x";
    name += kHex[key >> 4];
    name += kHex[key & 0xF];
}

void AppendModifiers(std::string& name, std::uint8_t modifiers)
{
    if (modifiers & kControlBit) name += "Ctrl+";
    if (modifiers & kShiftBit) name += "Shift+";
    if (modifiers & kAltBit) name += "Alt+";
}

}  // namespace

std::optional<ChosenKey> ChosenKeyFromValue(std::int32_t value)
{
    // Bits beyond the key's byte and the four modifier bits, a negative value's sign among them.
    if ((value & ~0xFFF) != 0) return std::nullopt;
    if (value == 0) return ChosenKey{};
    const auto key = static_cast<std::uint8_t>(value & 0xFF);
    if (!IsKey(key)) return std::nullopt;
    return ChosenKey{key, static_cast<std::uint8_t>((value >> 8) & kChosenModifiers)};
}

std::int32_t StoredValue(ChosenKey chord) { return chord.key | (chord.modifiers << 8); }

std::uint16_t ControlValue(ChosenKey chord)
{
    const std::uint8_t extended = IsExtendedKey(chord.key) ? kExtendedBit : 0;
    return static_cast<std::uint16_t>(chord.key | ((chord.modifiers | extended) << 8));
}

std::string KeyName(ChosenKey chord)
{
    if (chord.None()) return {};
    std::string name;
    AppendModifiers(name, chord.modifiers);
    AppendKeyOnlyName(name, chord.key);
    return name;
}

std::string KeyFieldText(ChosenKey key, std::uint8_t heldModifiers)
{
    if (!key.None()) return KeyName(key);
    std::string text;
    AppendModifiers(text, heldModifiers);
    return text.empty() ? "なし" : text;
}

bool IsPlainPrintScreen(ChosenKey chord) noexcept { return chord == ChosenKey{kPrintScreenKey, 0}; }

std::uint32_t RegisterModifiers(ChosenKey chord) noexcept
{
    std::uint32_t modifiers = 0;
    if (chord.modifiers & kAltBit) modifiers |= 1;
    if (chord.modifiers & kControlBit) modifiers |= 2;
    if (chord.modifiers & kShiftBit) modifiers |= 4;
    return modifiers;
}

ChosenKey ChordFromRegistered(std::uint32_t modifiers, std::uint32_t key) noexcept
{
    std::uint8_t bits = 0;
    if (modifiers & 1) bits |= kAltBit;
    if (modifiers & 2) bits |= kControlBit;
    if (modifiers & 4) bits |= kShiftBit;
    return {static_cast<std::uint8_t>(key), bits};
}

}  // namespace core
