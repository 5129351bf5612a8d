#include "core/ReadOut.h"

#include <cstdlib>

namespace core {

namespace {

std::int64_t Distance(std::int32_t a, std::int32_t b)
{
    return std::llabs(static_cast<std::int64_t>(a) - static_cast<std::int64_t>(b));
}

}  // namespace

std::string ReadOutText(Point pointer, Point selStart, Point selEnd)
{
    return "X : " + std::to_string(pointer.x) + " Y : " + std::to_string(pointer.y) +
           " W : " + std::to_string(Distance(selEnd.x, selStart.x)) +
           " H : " + std::to_string(Distance(selEnd.y, selStart.y));
}

std::string_view CopyCaption(bool selected)
{
    return selected ? "選択範囲をクリップボードへコピー(&C)" : "全体をクリップボードへコピー(&C)";
}

std::string ShotCaption(std::int32_t number) { return "Shot:" + std::to_string(number); }

}  // namespace core
