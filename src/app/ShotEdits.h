#pragma once
// The edits of one shot's picture with their undo history, worked straight on its pixels.
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
    core::Rect Undo();
    core::Rect Redo();
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }

    // A new picture of the selected pixels (the part inside the picture) as they stand, edits
    // and all.
    std::unique_ptr<win::Picture> CutOut(const core::Selection& selection) const;

private:
    win::Picture& picture_;
    core::EditHistory history_;
};

}  // namespace app
