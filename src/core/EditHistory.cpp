#include "core/EditHistory.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace core {

EditStep::EditStep(Rect area, std::size_t count, bool allocate)
    : area_(area), count_(count), pixels_(allocate ? new std::uint32_t[count] : nullptr)
{
}

void EditStep::Keep(const PixelView& picture) noexcept
{
    const auto width = static_cast<std::size_t>(area_.Width());
    std::uint32_t* kept = pixels_.get();
    for (std::int32_t y = area_.top; y < area_.bottom; ++y, kept += width)
        std::copy_n(picture.Row(y) + area_.left, width, kept);
}

void EditStep::Exchange(const PixelView& picture) noexcept
{
    const auto width = static_cast<std::size_t>(area_.Width());
    std::uint32_t* kept = pixels_.get();
    for (std::int32_t y = area_.top; y < area_.bottom; ++y, kept += width)
        std::swap_ranges(kept, kept + width, picture.Row(y) + area_.left);
}

// The steps Record will drop: those that could have been redone, then the oldest while the
// history with the new step holds more than its limit.
std::size_t EditHistory::GoingStepOfSize(std::size_t count) const
{
    for (std::size_t i = done_; i < steps_.size(); ++i)
        if (steps_[i].count_ == count) return i;
    std::size_t bytes = count * sizeof(std::uint32_t);
    for (std::size_t i = 0; i < done_; ++i)
        bytes += steps_[i].Bytes();
    for (std::size_t i = 0; i < done_ && bytes > limitBytes_; bytes -= steps_[i++].Bytes())
        if (steps_[i].count_ == count) return i;
    return SIZE_MAX;
}

EditStep EditHistory::Prepare(Rect area)
{
    if (area.Empty()) area = {0, 0, 0, 0};
    const std::size_t count = static_cast<std::size_t>(area.Width()) * static_cast<std::size_t>(area.Height());
    const std::size_t going = GoingStepOfSize(count);
    EditStep step(area, count, going == SIZE_MAX);
    step.reuse_ = going;
    // Room for one more step, so that Record cannot fail.
    steps_.reserve(done_ + 1);
    return step;
}

void EditHistory::Record(EditStep step, const PixelView& picture) noexcept
{
    if (step.reuse_ != SIZE_MAX) step.pixels_ = std::move(steps_[step.reuse_].pixels_);
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    step.Keep(picture);
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    std::size_t oldest = 0;
    for (std::size_t bytes = Bytes(); bytes > limitBytes_ && oldest < steps_.size(); ++oldest)
        bytes -= steps_[oldest].Bytes();
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(oldest));
    done_ -= oldest;
}

Rect EditHistory::Undo(const PixelView& picture) noexcept
{
    if (!CanUndo()) return {};
    EditStep& step = steps_[--done_];
    step.Exchange(picture);
    return step.Area();
}

Rect EditHistory::Redo(const PixelView& picture) noexcept
{
    if (!CanRedo()) return {};
    EditStep& step = steps_[done_++];
    step.Exchange(picture);
    return step.Area();
}

void EditHistory::ForgetRedo() noexcept
{
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
}

void EditHistory::DropOldest() noexcept
{
    if (steps_.empty()) return;
    steps_.erase(steps_.begin());
    if (done_ > 0) --done_;
}

std::size_t EditHistory::Bytes() const
{
    std::size_t bytes = 0;
    for (const EditStep& step : steps_)
        bytes += step.Bytes();
    return bytes;
}

}  // namespace core
