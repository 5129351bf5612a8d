#pragma once
// The edits of one shot's picture with their undo history. The selection's frame stands
// inverted in the picture; every change here takes it out first, works on the picture's true
// pixels and puts it back, so the frame is never part of an edit or of what undo keeps.
#include <memory>

#include "core/EditHistory.h"
#include "core/Edits.h"
#include "core/Selection.h"
#include "win32/Picture.h"

namespace app {

class ShotEdits {
public:
    explicit ShotEdits(win::Picture& picture);

    // Each gives back the rectangle of the picture it changed, empty when nothing changed.
    // An edit whose undo step cannot get its memory throws std::bad_alloc and changes nothing.
    core::Rect Apply(core::Edit edit, const core::Selection& selection);
    core::Rect Undo(const core::Selection& selection);
    core::Rect Redo(const core::Selection& selection);
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }

    // A new picture of the selected pixels (the part inside the picture) as they stand, edits
    // and all, without the frame.
    std::unique_ptr<win::Picture> CutOut(const core::Selection& selection) const;

private:
    template <class Change>
    core::Rect WithoutFrame(const core::Selection& selection, Change change) noexcept;

    win::Picture& picture_;
    core::EditHistory history_;
};

}  // namespace app
