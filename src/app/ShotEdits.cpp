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

template <class Change>
core::Rect ShotEdits::WithoutFrame(const core::Selection& selection, Change change) noexcept
{
    const bool frame = selection.FrameStands();
    if (frame) picture_.InvertFrame(selection.Start(), selection.End());
    const core::Rect changed = change(picture_.Pixels());
    if (frame) picture_.InvertFrame(selection.Start(), selection.End());
    return changed;
}

core::Rect ShotEdits::Apply(core::Edit edit, const core::Selection& selection)
{
    const core::Rect selected = SelectedRect(selection);
    const core::Rect area = core::EditedArea(picture_.Pixels(), selected);
    if (area.Empty()) return {};
    core::EditStep step = history_.Prepare(area);  // the one thing that can fail
    return WithoutFrame(selection, [&](const core::PixelView& pixels) noexcept {
        history_.Record(std::move(step), pixels);
        core::ApplyEdit(edit, pixels, selected);
        return area;
    });
}

core::Rect ShotEdits::Undo(const core::Selection& selection)
{
    if (!history_.CanUndo()) return {};
    return WithoutFrame(selection, [this](const core::PixelView& pixels) noexcept { return history_.Undo(pixels); });
}

core::Rect ShotEdits::Redo(const core::Selection& selection)
{
    if (!history_.CanRedo()) return {};
    return WithoutFrame(selection, [this](const core::PixelView& pixels) noexcept { return history_.Redo(pixels); });
}

std::unique_ptr<win::Picture> ShotEdits::CutOut(const core::Selection& selection) const
{
    const core::Rect selected = SelectedRect(selection);
    const core::Rect area = core::Intersect(selected, {0, 0, picture_.Width(), picture_.Height()});
    std::unique_ptr<win::Picture> part = win::Picture::Create(picture_.DC(), area.Width(), area.Height());
    if (!area.Empty()) picture_.DrawOwnPixels(part->DC(), area, selection.FrameStands() ? selected : core::Rect{});
    return part;
}

}  // namespace app
