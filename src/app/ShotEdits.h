#pragma once
// What a user makes of one shot's picture: the edits of its pixels and the marks over them,
// with their one undo history (core::ShotDocument), and the picture as it is shown, marks and
// all, for copy, save and a cut-out.
#include <memory>
#include <vector>

#include "core/Edits.h"
#include "core/Marks.h"
#include "core/Selection.h"
#include "core/ShotDocument.h"
#include "win32/Picture.h"
#include "win32/TextGlyphs.h"

namespace app {

// A cut-out: the pixels of the selection and the marks that lie in it, moved with it.
struct ShotPart {
    std::unique_ptr<win::Picture> picture;
    std::vector<core::Mark> marks;
};

class ShotEdits {
public:
    ShotEdits(win::Picture& picture, std::vector<core::Mark> marks);

    // Each gives back the rectangle of the picture whose look changed, empty when nothing did.
    // A change whose memory cannot be had throws std::bad_alloc and changes nothing.
    core::Rect Apply(core::Edit edit, const core::Selection& selection);
    core::Rect Undo();
    core::Rect Redo();
    bool CanUndo() const { return document_.CanUndo(); }
    bool CanRedo() const { return document_.CanRedo(); }

    core::ShotDocument& Marks() noexcept { return document_; }
    const core::ShotDocument& Marks() const noexcept { return document_; }
    const win::TextGlyphs& Glyphs() const noexcept { return glyphs_; }

    // The part of the picture inside `part`, marks drawn in as they are shown.
    std::unique_ptr<win::Picture> AsShown(core::Rect part) const;

    // The selected pixels (the part inside the picture) as they stand, edits and all, and the
    // marks lying in them, still marks.
    ShotPart CutOut(const core::Selection& selection) const;

private:
    win::Picture& picture_;
    win::TextGlyphs glyphs_;
    core::ShotDocument document_;
};

}  // namespace app
