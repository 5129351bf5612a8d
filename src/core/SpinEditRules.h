#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Rules of the settings dialog's delay field: a numeric text field of at most
// 2 characters whose value runs from 1 to 99.
inline constexpr std::int32_t kSpinEditMin = 1;
inline constexpr std::int32_t kSpinEditMax = 99;
inline constexpr int kSpinEditMaxLength = 2;

// Whether a typed character reaches the field (the field beeps at the rest):
// digits, "+", "-", the user's decimal separator and control keys such as Backspace.
bool IsSpinEditChar(char32_t ch, char32_t decimalSeparator);

// The field's value: its text as an integer, unclamped; the minimum when it does not parse.
std::int32_t SpinEditValue(std::string_view text);

// The text after an arrow click or Up/Down key: the value plus delta, clamped.
std::string SpinEditStep(std::string_view text, int delta);

// The text to put in the field when it loses the focus: the clamped number when
// the text is a number out of range; nullopt (leave the text) otherwise.
std::optional<std::string> SpinEditTextOnLeave(std::string_view text);

// The text for a value set by the program, clamped.
std::string SpinEditTextFor(std::int32_t value);

}  // namespace core
