#pragma once
// The undo and redo of a picture's edits. Each step keeps only the pixels of the rectangle
// its edit changed; undoing or redoing a step exchanges them with the picture's, so both
// directions give back the pixels byte for byte and need no memory of their own.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Geometry.h"
#include "core/PixelView.h"

namespace core {

class EditStep {
public:
    Rect Area() const { return area_; }
    std::size_t Bytes() const { return count_ * sizeof(std::uint32_t); }

private:
    friend class EditHistory;
    EditStep(Rect area, std::size_t count, bool allocate);
    void Keep(const PixelView& picture) noexcept;
    void Exchange(const PixelView& picture) noexcept;

    Rect area_;
    std::size_t count_;
    std::unique_ptr<std::uint32_t[]> pixels_;  // left unset until Keep: the picture's pixels go there
    std::size_t reuse_ = SIZE_MAX;             // or the step, about to go, whose memory it takes
};

class EditHistory {
public:
    // The steps kept never hold more than `limitBytes` of pixels; past that the oldest go.
    explicit EditHistory(std::size_t limitBytes) : limitBytes_(limitBytes) {}

    // An edit in two halves, so that nothing changes unless all its memory is there:
    // Prepare takes the memory for a step over `area` (part of the picture), throwing
    // std::bad_alloc with the history unchanged; Record, just before the edit, keeps the
    // pixels the edit is about to change, drops the steps that could have been redone and
    // the oldest steps beyond the limit. Nothing may happen to the history in between.
    // A step of the same size as one that Record will drop takes that step's memory, which
    // spares a large edit a fresh allocation and keeps the history within its bound throughout.
    EditStep Prepare(Rect area);
    void Record(EditStep step, const PixelView& picture) noexcept;

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // Each gives back the rectangle it changed; nothing (an empty one) when there is no step.
    Rect Undo(const PixelView& picture) noexcept;
    Rect Redo(const PixelView& picture) noexcept;

    std::size_t Bytes() const;

    // For a history that keeps steps of other kinds between these (ShotDocument): how many
    // steps can be undone, letting go of those that could have been redone (as a new step of
    // another kind does), and letting go of the oldest.
    std::size_t UndoCount() const { return done_; }
    void ForgetRedo() noexcept;
    void DropOldest() noexcept;

private:
    std::size_t GoingStepOfSize(std::size_t count) const;

    std::size_t limitBytes_;
    std::vector<EditStep> steps_;  // oldest first
    std::size_t done_ = 0;         // steps_[0 .. done_) are applied to the picture
};

}  // namespace core
