#include "core/AppError.h"

namespace core {

std::string ReportText(std::string_view message)
{
    std::string text(message);
    if (text.empty()) return text;
    // Every byte of a multi-byte UTF-8 sequence is 0x80 or more, so a last byte
    // at or above 0x80 means a last code point far above U+002E.
    const auto last = static_cast<unsigned char>(text.back());
    if (last > '.') text += '.';
    return text;
}

}  // namespace core
