#include "core/SpinEditRules.h"

#include <algorithm>

#include "core/IntText.h"

namespace core {
namespace {

std::string ClampedText(std::int64_t value)
{
    return std::to_string(std::clamp<std::int64_t>(value, kSpinEditMin, kSpinEditMax));
}

}  // namespace

bool IsSpinEditChar(char32_t ch, char32_t decimalSeparator)
{
    return (ch >= U'0' && ch <= U'9') || ch == U'+' || ch == U'-' || ch == decimalSeparator || ch < 0x20;
}

std::int32_t SpinEditValue(std::string_view text) { return ParseInt32(text).value_or(kSpinEditMin); }

std::string SpinEditStep(std::string_view text, int delta)
{
    // Widened: the text may hold any 32-bit number, and a step must not overflow it.
    return ClampedText(std::int64_t{SpinEditValue(text)} + delta);
}

std::optional<std::string> SpinEditTextOnLeave(std::string_view text)
{
    const auto value = ParseInt32(text);
    if (!value || (*value >= kSpinEditMin && *value <= kSpinEditMax)) return std::nullopt;
    return ClampedText(*value);
}

std::string SpinEditTextFor(std::int32_t value) { return ClampedText(value); }

}  // namespace core
