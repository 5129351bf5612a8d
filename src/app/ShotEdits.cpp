#include "app/ShotEdits.h"

#include <utility>

namespace app {
namespace {

std::size_t PictureBytes(const win::Picture& picture)
{
    return static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height()) * 4;
}

core::Rect SelectedRect(const core::Selection& selection)
{
    return core::NormalisedRect(selection.Start(), selection.End());
}

}  // namespace

ShotEdits::ShotEdits(win::Picture& picture, std::vector<core::Mark> marks)
    : picture_(picture), document_(PictureBytes(picture), std::move(marks))
{
}

core::Rect ShotEdits::Apply(core::Edit edit, const core::Selection& selection)
{
    return document_.ApplyEdit(edit, SelectedRect(selection), picture_.Pixels(), glyphs_);
}

core::Rect ShotEdits::Undo() { return document_.Undo(picture_.Pixels()); }

core::Rect ShotEdits::Redo() { return document_.Redo(picture_.Pixels()); }

std::unique_ptr<win::Picture> ShotEdits::AsShown(core::Rect part) const
{
    std::unique_ptr<win::Picture> shown = win::Picture::Create(picture_.DC(), part.Width(), part.Height());
    if (part.Empty()) return shown;
    picture_.DrawPart(shown->DC(), part);
    const core::ViewTransform view{1, {-part.left, -part.top}, picture_.Width(), picture_.Height()};
    const core::PixelView pixels = shown->Pixels();
    core::DrawMarks(pixels, view, pixels.Bounds(), document_.Marks().All(), glyphs_);
    return shown;
}

ShotPart ShotEdits::CutOut(const core::Selection& selection) const
{
    const core::Rect selected = SelectedRect(selection);
    const core::Rect area = core::Intersect(selected, {0, 0, picture_.Width(), picture_.Height()});
    ShotPart part{win::Picture::Create(picture_.DC(), area.Width(), area.Height()),
                  core::MarksInCutOut(document_.Marks(), selected, picture_.Width(), picture_.Height())};
    if (!area.Empty()) picture_.DrawPart(part.picture->DC(), area);
    return part;
}

}  // namespace app
