// A chosen key: the values of the hot-key control that are keys, how they are stored, handed to
// the control and to RegisterHotKey, and named.
#include "core/ChosenKey.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

using core::ChosenKey;

namespace {

TEST(ChosenKey, AValueIsAKeyInTheLowByteWithModifiersInTheHighByte)
{
    struct Row {
        std::int32_t value;
        std::optional<ChosenKey> chord;
    };
    const Row rows[] = {
        {0, ChosenKey{}},              // no key
        {44, ChosenKey{0x2C, 0}},      // Print Screen
        {300, ChosenKey{0x2C, 1}},     // Shift+
        {556, ChosenKey{0x2C, 2}},     // Ctrl+
        {1068, ChosenKey{0x2C, 4}},    // Alt+
        {0x72C, ChosenKey{0x2C, 7}},   // all three
        {0x82C, ChosenKey{0x2C, 0}},   // HOTKEYF_EXT is dropped
        {0xF2C, ChosenKey{0x2C, 7}},   // with all four bits
        {0x378, ChosenKey{0x78, 3}},   // Ctrl+Shift+F9
        {'A', ChosenKey{'A', 0}},      // a letter alone
        {0x03, ChosenKey{0x03, 0}},    // Break is a key, though its code lies among the buttons'
        {0xFE, ChosenKey{0xFE, 0}},    // the last code that is a key
        {0x1000 | 44, std::nullopt},   // a bit above the four
        {0x8000 | 44, std::nullopt},   //
        {0x10000 | 44, std::nullopt},  // beyond the two bytes
        {-1, std::nullopt},            //
        {std::numeric_limits<std::int32_t>::min(), std::nullopt},
        {0x100, std::nullopt},  // a modifier without a key
        {0x800, std::nullopt},  // HOTKEYF_EXT alone
        {0x01, std::nullopt},   // the mouse buttons
        {0x02, std::nullopt},   //
        {0x04, std::nullopt},   //
        {0x05, std::nullopt},   //
        {0x206, std::nullopt},  //
        {0x10, std::nullopt},   // the modifier keys themselves
        {0x11, std::nullopt},   //
        {0x412, std::nullopt},  //
        {0xA0, std::nullopt},   // and their left and right keys
        {0xA5, std::nullopt},   //
        {0xFF, std::nullopt},   // no key
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(core::ChosenKeyFromValue(row.value), row.chord);
    }
}

TEST(ChosenKey, TheStoredValueHasNoExtendedBitAndTheControlsHasItForTheKeysOfTheE0Prefix)
{
    struct Row {
        ChosenKey chord;
        std::int32_t stored;
        std::uint16_t control;
    };
    const Row rows[] = {
        {{}, 0, 0},
        {{0x2C, 0}, 44, 0x82C},
        {{0x2C, 1}, 300, 0x92C},
        {{0x2C, 2}, 556, 0xA2C},
        {{0x2C, 4}, 1068, 0xC2C},
        {{0x78, 3}, 0x378, 0x378},  // F9: not extended
        {{'A', 4}, 0x441, 0x441},   //
        {{0x21, 0}, 0x21, 0x821},   // Page Up .. Down arrow
        {{0x28, 0}, 0x28, 0x828},   //
        {{0x29, 0}, 0x29, 0x29},    // Select: not
        {{0x2D, 2}, 0x22D, 0xA2D},  // Insert, Delete
        {{0x2E, 0}, 0x2E, 0x82E},   //
        {{0x5B, 0}, 0x5B, 0x85B},   // the Windows keys and Menu
        {{0x5D, 0}, 0x5D, 0x85D},   //
        {{0x5E, 0}, 0x5E, 0x5E},    //
        {{0x6F, 0}, 0x6F, 0x86F},   // Num /, but not Num *
        {{0x6A, 0}, 0x6A, 0x6A},    //
        {{0x90, 0}, 0x90, 0x890},   // Num Lock
        {{0x2B, 0}, 0x2B, 0x2B},    //
        {{0x20, 0}, 0x20, 0x20},    // Space
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored);
        EXPECT_EQ(core::StoredValue(row.chord), row.stored);
        EXPECT_EQ(core::ControlValue(row.chord), row.control);
        EXPECT_EQ(core::ChosenKeyFromValue(row.control), row.chord) << "the control's value reads back";
    }
}

TEST(ChosenKey, NamesPutTheModifiersInTheOrderCtrlShiftAltBeforeTheKey)
{
    struct Row {
        ChosenKey chord;
        std::string name;
    };
    const Row rows[] = {
        {{}, ""},
        {{0x2C, 0}, "Print Screen"},
        {{0x2C, 1}, "Shift+Print Screen"},
        {{0x2C, 2}, "Ctrl+Print Screen"},
        {{0x2C, 4}, "Alt+Print Screen"},
        {{0x2C, 7}, "Ctrl+Shift+Alt+Print Screen"},
        {{0x2C, 6}, "Ctrl+Alt+Print Screen"},
        {{0x2C, 5}, "Shift+Alt+Print Screen"},
        {{'A', 2}, "Ctrl+A"},
        {{'Z', 0}, "Z"},
        {{'0', 0}, "0"},
        {{'9', 4}, "Alt+9"},
        {{0x70, 0}, "F1"},
        {{0x78, 3}, "Ctrl+Shift+F9"},
        {{0x87, 0}, "F24"},
        {{0x60, 0}, "Num 0"},
        {{0x69, 0}, "Num 9"},
        {{0x6A, 0}, "Num *"},
        {{0x6F, 0}, "Num /"},
        {{0x13, 0}, "Pause"},
        {{0x03, 2}, "Ctrl+Break"},
        {{0x08, 0}, "Backspace"},
        {{0x0D, 0}, "Enter"},
        {{0x1B, 0}, "Esc"},
        {{0x20, 0}, "Space"},
        {{0x21, 0}, "Page Up"},
        {{0x22, 0}, "Page Down"},
        {{0x23, 0}, "End"},
        {{0x24, 0}, "Home"},
        {{0x25, 0}, "Left"},
        {{0x26, 0}, "Up"},
        {{0x27, 0}, "Right"},
        {{0x28, 0}, "Down"},
        {{0x2D, 0}, "Insert"},
        {{0x2E, 0}, "Delete"},
        {{0x5B, 0}, "Win"},
        {{0x5D, 0}, "Menu"},
        {{0x90, 0}, "Num Lock"},
        {{0x91, 0}, "Scroll Lock"},
        {{0x14, 0}, "Caps Lock"},
        {{0x09, 1}, "Shift+Tab"},
        {{0x0C, 0}, "Clear"},
        {{0x6B, 0}, "Num +"},
        {{0x6C, 0}, "Num ,"},
        {{0x6D, 0}, "Num -"},
        {{0x6E, 0}, "Num ."},
        {{0x5C, 0}, "Win"},
        {{0xBA, 0}, "キー 0xBA"},      // a key whose letter depends on the layout: its code
        {{0x1C, 4}, "Alt+キー 0x1C"},  // an IME key
        {{0x88, 0}, "キー 0x88"},
        {{0x3A, 0}, "キー 0x3A"},
        {{0x40, 0}, "キー 0x40"},
        {{0x5F, 0}, "キー 0x5F"},
        {{0x2F, 0}, "キー 0x2F"},
        {{0x61, 0}, "Num 1"},
        {{0x71, 0}, "F2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(core::KeyName(row.chord), row.name);
    }
}

TEST(ChosenKey, AFieldShowsItsKeyOrTheModifiersHeldSoFarOrNone)
{
    struct Row {
        ChosenKey key;
        std::uint8_t held;
        std::string text;
    };
    const Row rows[] = {
        {{}, 0, "なし"},
        {{}, 1, "Shift+"},
        {{}, 2, "Ctrl+"},
        {{}, 4, "Alt+"},
        {{}, 7, "Ctrl+Shift+Alt+"},
        {{}, 8, "なし"},  // HOTKEYF_EXT is no modifier the user holds
        {{0x2C, 1}, 0, "Shift+Print Screen"},
        {{0x2C, 0}, 2, "Print Screen"},  // a key chosen: what is held now does not matter
        {{0x78, 3}, 4, "Ctrl+Shift+F9"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(core::KeyFieldText(row.key, row.held), row.text);
    }
}

TEST(ChosenKey, OnlyPrintScreenWithoutModifiersIsPlainPrintScreen)
{
    EXPECT_TRUE(core::IsPlainPrintScreen({0x2C, 0}));
    for (std::uint8_t modifiers : {1, 2, 4, 7})
        EXPECT_FALSE(core::IsPlainPrintScreen({0x2C, modifiers})) << int{modifiers};
    EXPECT_FALSE(core::IsPlainPrintScreen({0x2D, 0}));
    EXPECT_FALSE(core::IsPlainPrintScreen({}));
}

TEST(ChosenKey, ModifiersGoToRegisterHotKeyAndComeBackFromWmHotKey)
{
    struct Row {
        std::uint8_t modifiers;    // HOTKEYF_SHIFT 1, _CONTROL 2, _ALT 4
        std::uint32_t registered;  // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4
    };
    const Row rows[] = {{0, 0}, {1, 4}, {2, 2}, {4, 1}, {3, 6}, {5, 5}, {6, 3}, {7, 7}};
    for (const Row& row : rows) {
        SCOPED_TRACE(int{row.modifiers});
        EXPECT_EQ(core::RegisterModifiers({0x2C, row.modifiers}), row.registered);
        EXPECT_EQ(core::ChordFromRegistered(row.registered, 0x2C), (ChosenKey{0x2C, row.modifiers}));
    }
    // MOD_WIN 8 and MOD_NOREPEAT 0x4000 are no modifiers of a chord.
    EXPECT_EQ(core::ChordFromRegistered(8 | 0x4000 | 2, 'K'), (ChosenKey{'K', 2}));
}

}  // namespace
