#include "core/IntText.h"

#include <algorithm>

namespace core {
namespace {

constexpr std::uint64_t kMaxHex = 0xFFFFFFFF;
constexpr std::uint64_t kMaxPositive = 2147483647;
constexpr std::uint64_t kMaxNegative = 2147483648;

int DigitValue(char ch)
{
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return 99;
}

// The digits after a hex prefix, or nullopt when the text has no hex prefix.
std::optional<std::string_view> HexDigits(std::string_view text)
{
    if (text.starts_with("0x") || text.starts_with("0X")) return text.substr(2);
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) return text.substr(1);
    return std::nullopt;
}

// All of digits in the given base, at most limit; checked digit by digit so
// that no length of text can overflow the accumulator.
std::optional<std::uint64_t> Magnitude(std::string_view digits, int base, std::uint64_t limit)
{
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char ch : digits) {
        const int digit = DigitValue(ch);
        if (digit >= base) return std::nullopt;
        value = value * base + digit;
        if (value > limit) return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    bool negative = false;
    if (text.starts_with('+') || text.starts_with('-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (const auto hex = HexDigits(text)) {
        const auto value = Magnitude(*hex, 16, kMaxHex);
        if (!value) return std::nullopt;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
    }
    const auto value = Magnitude(text, 10, negative ? kMaxNegative : kMaxPositive);
    if (!value) return std::nullopt;
    const auto magnitude = static_cast<std::int64_t>(*value);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace core
