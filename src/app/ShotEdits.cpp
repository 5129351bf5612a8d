#include "app/ShotEdits.h"

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

ShotEdits::ShotEdits(win::Picture& picture) : picture_(picture), history_(PictureBytes(picture)) {}

core::Rect ShotEdits::Apply(core::Edit edit, const core::Selection& selection)
{
    const core::Rect selected = SelectedRect(selection);
    const core::Rect area = core::EditedArea(picture_.Pixels(), selected);
    if (area.Empty()) return {};
    core::EditStep step = history_.Prepare(area);  // the one thing that can fail
    const core::PixelView pixels = picture_.Pixels();
    history_.Record(std::move(step), pixels);
    core::ApplyEdit(edit, pixels, selected);
    return area;
}

core::Rect ShotEdits::Undo()
{
    if (!history_.CanUndo()) return {};
    return history_.Undo(picture_.Pixels());
}

core::Rect ShotEdits::Redo()
{
    if (!history_.CanRedo()) return {};
    return history_.Redo(picture_.Pixels());
}

std::unique_ptr<win::Picture> ShotEdits::CutOut(const core::Selection& selection) const
{
    const core::Rect selected = SelectedRect(selection);
    const core::Rect area = core::Intersect(selected, {0, 0, picture_.Width(), picture_.Height()});
    std::unique_ptr<win::Picture> part = win::Picture::Create(picture_.DC(), area.Width(), area.Height());
    if (!area.Empty()) picture_.DrawPart(part->DC(), area);
    return part;
}

}  // namespace app
