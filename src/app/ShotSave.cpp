#include "app/ShotSave.h"

#include "core/SaveName.h"
#include "win32/ImageFile.h"
#include "win32/Text.h"

namespace app {

void SaveShot(win::SaveTargetChooser& chooser, HWND owner, const std::string& caption, const win::Picture& picture,
              const core::Selection& selection)
{
    const core::Rect area = core::SaveSourceRect(selection.Selected(), selection.Start(), selection.End(),
                                                 picture.Width(), picture.Height());
    if (area.Empty()) return;
    const std::optional<win::SaveTarget> target = chooser.Choose(owner, win::Widen(core::DefaultSaveName(caption)));
    if (!target) return;
    const core::SavePlan plan = core::PlanSave(win::Narrow(target->path), target->format);
    win::SavePicture(picture, area, win::Widen(plan.path), plan.format);
}

}  // namespace app
