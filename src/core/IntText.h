#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

// The one syntax for integers typed by the user or kept in the registry:
// leading spaces, an optional "+" or "-", then decimal digits, or hex digits
// (either case) after "$", "x", "X", "0x" or "0X". Nothing may follow the digits.
// Decimal must fit -2147483648..2147483647; hex may go up to FFFFFFFF and is
// taken as the 32-bit pattern, so a sign before hex changes nothing.
// nullopt when the text is not such a number.
std::optional<std::int32_t> ParseInt32(std::string_view text);

}  // namespace core
