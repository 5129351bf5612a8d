#pragma once
// What a user has made of one shot, beside the picture's pixels (which the window keeps): the
// marks over it, and one history of both the marks' changes and the pixel edits, undone and
// redone in the order they were made, back to the captured picture byte for byte.
//
// Every change either happens whole or throws (std::bad_alloc, or what the glyph source throws)
// with everything as it was; undo and redo cannot fail. The pixel steps keep within the bound
// given (the picture's bytes, as the edits alone always have), and so do the mark steps; past
// either the oldest steps go.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/EditHistory.h"
#include "core/Edits.h"
#include "core/MarkDrawing.h"
#include "core/Marks.h"

namespace core {

class ShotDocument {
public:
    explicit ShotDocument(std::size_t limitBytes, std::vector<Mark> marks = {});

    const MarkList& Marks() const { return marks_; }

    // Each gives back the picture rectangle whose look changed (to repaint), empty when
    // nothing changed.
    Rect Place(Mark mark);  // nothing for a mark that places nothing
    // A mark changed (moved, retyped ...); one that places nothing now (a text typed empty) goes.
    Rect Replace(std::size_t index, Mark mark);
    Rect Move(std::size_t index, std::int32_t dx, std::int32_t dy);
    // A new colour or width; a text takes the size of its new width.
    Rect Restyle(std::size_t index, MarkStyle style, const GlyphSource& glyphs);
    Rect Delete(std::size_t index);

    // An edit of the selection. A black-out or mosaic hides what the user sees there: the marks
    // reaching into the selection are drawn into the pixels first and leave the list, in the
    // same step. Changes nothing when no part of the selection lies in the picture.
    Rect ApplyEdit(Edit edit, Rect selection, const PixelView& picture, const GlyphSource& glyphs);

    // Counts the changes, undos and redos so far: the same number, the same document. The
    // pixel revision counts those that changed pixels: the same number, the same pixels.
    std::uint64_t Revision() const { return revision_; }
    std::uint64_t PixelRevision() const { return pixelRevision_; }

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    Rect Undo(const PixelView& picture) noexcept;
    Rect Redo(const PixelView& picture) noexcept;

    // The memory the history holds: pixels, and marks that are not in the list.
    std::size_t PixelBytes() const { return pixels_.Bytes(); }
    std::size_t MarkBytes() const { return markBytes_; }

private:
    struct Change {
        enum class Kind { Placed, Changed, Removed };
        Kind kind;
        std::size_t index;
        Mark mark;  // the version that is not in the list
    };
    struct Step {
        std::vector<Change> changes;  // in the order they are made
        bool pixels = false;          // with a step of pixels_ made before the changes
        Rect area{};
        std::size_t bytes = 0;
    };

    Rect Record(Step step) noexcept;
    void Forward(Step& step) noexcept;
    void Backward(Step& step) noexcept;
    void ForgetRedo() noexcept;
    void DropOldest() noexcept;
    Rect Single(Change::Kind kind, std::size_t index, Mark mark, Rect area);

    MarkList marks_;
    EditHistory pixels_;
    std::size_t limitBytes_;
    std::vector<Step> steps_;  // oldest first
    std::size_t done_ = 0;     // steps_[0 .. done_) are applied
    std::size_t markBytes_ = 0;
    std::uint64_t revision_ = 0;
    std::uint64_t pixelRevision_ = 0;
};

}  // namespace core
