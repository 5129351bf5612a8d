#include "core/KeyText.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    core::KeyChord chord;
    const char* text;
};

class KeyTextOf : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTextOf, WritesTheModifiersInOrderThenTheKey)
{
    EXPECT_EQ(core::KeyText(GetParam().chord), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTextOf,
    ::testing::Values(KeyCase{{true, false, false, 'S'}, "Ctrl+S"}, KeyCase{{false, false, true, 0x73}, "Alt+F4"},
                      KeyCase{{false, false, false, 0x70}, "F1"}, KeyCase{{false, false, false, 0x87}, "F24"},
                      KeyCase{{true, true, false, 'V'}, "Ctrl+Shift+V"}, KeyCase{{true, true, true, 'Z'}, "Ctrl+Shift+Alt+Z"},
                      KeyCase{{false, false, false, 'A'}, "A"}, KeyCase{{false, false, false, 'Z'}, "Z"},
                      KeyCase{{true, false, false, '0'}, "Ctrl+0"}, KeyCase{{true, false, false, '9'}, "Ctrl+9"},
                      KeyCase{{true, false, false, 0xBB}, "Ctrl++"}, KeyCase{{true, false, false, 0xBD}, "Ctrl+-"},
                      KeyCase{{false, false, false, 0x2E}, "Delete"}, KeyCase{{false, true, false, 0x2C}, "Shift+Print Screen"},
                      KeyCase{{false, false, false, 0x1B}, "Esc"}, KeyCase{{false, false, false, 0x0D}, "Enter"},
                      KeyCase{{false, false, false, 0x08}, "Backspace"}, KeyCase{{false, false, false, 0x20}, "Space"},
                      KeyCase{{false, false, false, 0x2D}, "Insert"}));

TEST(KeyText, IsEmptyForNoKeyAndForKeysWithoutANameEvenWithModifiers)
{
    EXPECT_EQ(core::KeyText({}), "");
    EXPECT_EQ(core::KeyText({true, true, true, 0}), "");
    for (const std::uint16_t unnamed : {0x40, 0x5B, 0x6F, 0x88, 0xBC, 0xFF})  // '@', '[', numpad /, past F24, ',', 0xFF
        EXPECT_EQ(core::KeyText({true, false, false, unnamed}), "") << unnamed;
    EXPECT_EQ(core::KeyText({false, false, false, 0x6F}), "");
}

}  // namespace
