#include "core/ScrollStitch.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace core {

ScrollStitch::ScrollStitch(std::pmr::memory_resource* memory)
    : memory_(memory), kept_(memory), last_(memory), lastHashes_(memory)
{
}

void ScrollStitch::Begin(const PixelView& first)
{
    const size_t pitch = static_cast<size_t>(std::max(first.width, 0));
    const size_t rows = static_cast<size_t>(std::max(first.height, 0));
    std::pmr::vector<std::uint32_t> screen(pitch * rows, memory_);
    std::pmr::vector<std::uint64_t> hashes(rows, memory_);
    for (size_t y = 0; y < rows; ++y)
        std::copy_n(first.Row(static_cast<std::int32_t>(y)), pitch, screen.data() + y * pitch);
    HashRows(first, hashes);
    kept_ = std::pmr::vector<std::uint32_t>(memory_);
    last_.swap(screen);
    lastHashes_.swap(hashes);
    width_ = static_cast<std::int32_t>(pitch);
    height_ = static_cast<std::int32_t>(rows);
    keptRows_ = 0;
    taken_ = 0;
    screens_ = 1;
    lastDistance_ = 0;
    known_ = {};
    moved_ = false;
    reason_ = ScrollStop::None;
}

void ScrollStitch::End(ScrollStop why)
{
    if (reason_ == ScrollStop::None) reason_ = why;
}

bool ScrollStitch::Add(const PixelView& next, std::int32_t expected)
{
    if (reason_ != ScrollStop::None) return false;
    if (next.width != width_ || next.height != height_) {
        End(ScrollStop::Changed);
        return false;
    }
    std::pmr::vector<std::uint64_t> hashes(static_cast<size_t>(height_), memory_);
    HashRows(next, hashes);
    const PixelView last{const_cast<std::uint32_t*>(last_.data()), width_, height_, width_};
    const StepMatch match = MatchStep({last, lastHashes_}, {next, hashes}, expected, known_);
    switch (match.move) {
        case Move::Still: End(moved_ ? ScrollStop::End : ScrollStop::NoScroll); return false;
        case Move::Repeated: End(ScrollStop::Repeated); return false;
        case Move::Changed: End(ScrollStop::Changed); return false;
        case Move::Moved: break;
    }
    // The last screen's rows down to the bottom band are content now sure of its place.
    const std::int32_t contentEnd = height_ - match.bands.bottom;
    const std::int32_t fresh = std::clamp(contentEnd - taken_, 0, kTallestStitch - keptRows_);
    const size_t needed = (static_cast<size_t>(keptRows_) + static_cast<size_t>(fresh)) * Pitch();
    if (needed > kept_.capacity()) {
        const size_t most = static_cast<size_t>(kTallestStitch) * Pitch();
        kept_.reserve(std::max(needed, std::min(kept_.capacity() * 2, most)));
    }
    for (std::int32_t y = taken_; y < taken_ + fresh; ++y)
        kept_.insert(kept_.end(), LastRow(y), LastRow(y) + Pitch());
    keptRows_ += fresh;
    taken_ = std::max(taken_, contentEnd) - match.distance;
    for (std::int32_t y = 0; y < height_; ++y)
        std::copy_n(next.Row(y), Pitch(), last_.data() + static_cast<size_t>(y) * Pitch());
    lastHashes_.swap(hashes);
    ++screens_;
    lastDistance_ = match.distance;
    known_ = moved_ ? Bands{std::min(known_.top, match.bands.top), std::min(known_.bottom, match.bands.bottom)}
                    : match.bands;
    moved_ = true;
    if (keptRows_ + (height_ - taken_) > kTallestStitch) {
        End(ScrollStop::Limit);
        return false;
    }
    return true;
}

std::int32_t ScrollStitch::Height() const noexcept { return std::min(keptRows_ + (height_ - taken_), kTallestStitch); }

void ScrollStitch::CopyTo(const PixelView& target) const
{
    const std::int32_t height = Height();
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint32_t* row =
            y < keptRows_ ? kept_.data() + static_cast<size_t>(y) * Pitch() : LastRow(taken_ + (y - keptRows_));
        std::copy_n(row, Pitch(), target.Row(y));
    }
}

std::string ScrollStopText(ScrollStop why, std::int32_t screensKept, std::int32_t height)
{
    const std::int32_t screen = why == ScrollStop::Limit ? screensKept : screensKept + 1;
    const std::string at = std::to_string(screen) + " 画面目で止めました：";
    switch (why) {
        case ScrollStop::None: return {};
        case ScrollStop::End:
            return "最後まで取り込みました：" + std::to_string(screensKept) + " 画面、高さ " + std::to_string(height) +
                   " ピクセル";
        case ScrollStop::NoScroll: return "スクロールしないため 1 画面だけ取り込みました";
        case ScrollStop::Repeated: return at + "同じ行が続くため位置を決められません";
        case ScrollStop::Changed: return at + "内容が変わったため位置を決められません";
        case ScrollStop::Unsteady: return at + "画面が動き続けるため位置を決められません";
        case ScrollStop::Limit: return at + "高さが上限の 32767 ピクセルに達したため、そこで切りました";
        case ScrollStop::UserEnded: return at + "Esc キーかクリックで終えたため";
        case ScrollStop::WindowGone: return at + "ウィンドウが閉じたか動いたため";
    }
    return {};
}

}  // namespace core
