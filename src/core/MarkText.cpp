#include "core/MarkText.h"

#include <charconv>
#include <iterator>

namespace core {
namespace {

constexpr std::string_view kKindNames[] = {"arrow", "box", "text", "number", "highlighter"};  // by MarkKind
constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHex(std::string& out, std::uint32_t value, int digits)
{
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += kHexDigits[(value >> shift) & 0xF];
}

// Takes the words of one line, blank apart, off its front.
class Words {
public:
    explicit Words(std::string_view line) : rest_(line) {}
    bool AtEnd() const { return rest_.empty(); }

    std::optional<std::string_view> Next()
    {
        if (rest_.empty()) return std::nullopt;
        const size_t blank = rest_.find(' ');
        const std::string_view word = rest_.substr(0, blank);
        rest_ = blank == std::string_view::npos ? std::string_view{} : rest_.substr(blank + 1);
        if (word.empty() || (blank != std::string_view::npos && rest_.empty())) return std::nullopt;
        return word;
    }

    // A decimal number in [low, high], with a minus sign when negative, no plus, no leading zeros.
    std::optional<std::int32_t> Number(std::int32_t low, std::int32_t high)
    {
        const auto word = Next();
        if (!word) return std::nullopt;
        const std::string_view digits = (*word)[0] == '-' ? word->substr(1) : *word;
        if (digits.empty() || (digits.size() > 1 && digits[0] == '0') || *word == "-0") return std::nullopt;
        std::int32_t value = 0;
        const auto [end, error] = std::from_chars(word->data(), word->data() + word->size(), value);
        if (error != std::errc{} || end != word->data() + word->size() || value < low || value > high)
            return std::nullopt;
        return value;
    }

    std::optional<Point> Place()
    {
        const auto x = Number(-kMarkReach, kMarkReach);
        const auto y = x ? Number(-kMarkReach, kMarkReach) : std::nullopt;
        if (!y) return std::nullopt;
        return Point{*x, *y};
    }

private:
    std::string_view rest_;
};

// Lower-case hex digits only, as FormatMarks writes them.
std::optional<std::uint32_t> Hex(std::string_view digits)
{
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::optional<Mark> ParseMark(std::string_view line)
{
    Words words(line);
    const auto kindName = words.Next();
    if (!kindName) return std::nullopt;
    Mark mark;
    size_t kind = 0;
    while (kind < std::size(kKindNames) && kKindNames[kind] != *kindName)
        ++kind;
    if (kind == std::size(kKindNames)) return std::nullopt;
    mark.kind = static_cast<MarkKind>(kind);
    const auto a = words.Place();
    const auto b = a ? words.Place() : std::nullopt;
    const auto colourText = b ? words.Next() : std::nullopt;
    const auto colour = colourText && colourText->size() == 6 ? Hex(*colourText) : std::nullopt;
    const auto width = colour ? words.Number(1, kMostMarkWidth) : std::nullopt;
    if (!width) return std::nullopt;
    mark.a = *a;
    mark.b = *b;
    mark.style = {*colour, *width};
    if (mark.kind == MarkKind::Number) {
        const auto value = words.Number(1, kMostMarkNumber);
        if (!value) return std::nullopt;
        mark.value = *value;
    } else if (mark.kind == MarkKind::Text) {
        const auto units = words.Next();
        if (!units || units->size() % 4 != 0) return std::nullopt;
        for (size_t i = 0; i < units->size(); i += 4) {
            const auto unit = Hex(units->substr(i, 4));
            if (!unit) return std::nullopt;
            mark.text += static_cast<char16_t>(*unit);
        }
    }
    if (!words.AtEnd()) return std::nullopt;
    return mark;
}

}  // namespace

std::string FormatMarks(const std::vector<Mark>& marks)
{
    std::string text;
    const auto number = [&text](std::int32_t n) {
        text += ' ';
        text += std::to_string(n);
    };
    for (const Mark& mark : marks) {
        if (!Places(mark)) continue;  // never in a shot's list
        text += kKindNames[static_cast<size_t>(mark.kind)];
        for (const std::int32_t n : {mark.a.x, mark.a.y, mark.b.x, mark.b.y})
            number(n);
        text += ' ';
        AppendHex(text, mark.style.colour & 0xFFFFFF, 6);
        number(mark.style.width);
        if (mark.kind == MarkKind::Number) number(mark.value);
        if (mark.kind == MarkKind::Text) {
            text += ' ';
            for (const char16_t unit : mark.text)
                AppendHex(text, unit, 4);
        }
        text += '\n';
    }
    return text;
}

std::optional<std::vector<Mark>> ParseMarks(std::string_view text)
{
    std::vector<Mark> marks;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        std::optional<Mark> mark = ParseMark(text.substr(0, end));
        if (!mark) return std::nullopt;
        marks.push_back(std::move(*mark));
        text.remove_prefix(end + 1);
    }
    return marks;
}

}  // namespace core
