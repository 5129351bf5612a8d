#pragma once
// The marks of a kept shot as text, one line a mark, so that they open again still editable:
//   "<kind> <ax> <ay> <bx> <by> <colour> <width>" and then, for a number, " <value>", and for a
//   text, " <its UTF-16 code units, four hex digits each>"
// Kinds: arrow, box, text, number, highlighter. The colour is six hex digits, RRGGBB.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Marks.h"

namespace core {

// A mark may reach this far past the picture's edges, and no further.
inline constexpr std::int32_t kMarkReach = 65536;
inline constexpr std::int32_t kMostMarkWidth = 64;
inline constexpr std::int32_t kMostMarkNumber = 99999;

std::string FormatMarks(const std::vector<Mark>& marks);

// The marks the text holds; nothing when any line is not a whole mark of this form and range.
std::optional<std::vector<Mark>> ParseMarks(std::string_view text);

}  // namespace core
