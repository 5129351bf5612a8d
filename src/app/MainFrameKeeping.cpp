// The main window's part in keeping the open shots across runs: opening the kept ones at the
// start, handing each change to the keeper, and the "KeepShots" setting.
#include "app/MainFrame.h"
#include "app/ShotKeeper.h"
#include "app/ShotWindow.h"
#include "win32/Clipboard.h"
#include "win32/PngFile.h"
#include "win32/Text.h"

namespace app {

void MainFrame::OpenKeptShots()
{
    if (!keeper_ || !settings_.Values().keepShots) return;
    KeptShotsFound found = keeper_->Find();
    // The shot windows' area is drawn once, when all are there.
    ::SendMessageW(mdiClient_, WM_SETREDRAW, FALSE, 0);
    try {
        for (KeptShotToOpen& kept : found.shots) {
            const int width = kept.shot.width, height = kept.shot.height;
            ShotWindow::PendingPicture picture{
                width, height,
                [path = kept.picturePath, width, height] { return win::ReadPngFile(path, width, height); },
                [keeper = keeper_, path = kept.picturePath, width, height](std::weak_ptr<void> wanted,
                                                                           ShotWindow::PictureDone done) {
                    keeper->ReadElsewhere(path, width, height, std::move(wanted), std::move(done));
                }};
            ShotWindow& shot = ShotWindow::Create(*this, std::move(picture), kept.caption, std::move(kept.marks));
            keeper_->Adopt(shot.hwnd(), kept.shot);
        }
    } catch (...) {
        RedrawShots();
        throw;
    }
    RedrawShots();
    shotCount_ = found.shotCount;
    keptNotice_ = found.notice;
    ShowHotKeyNotice();
}

std::vector<ShotWindow*> MainFrame::Shots() const
{
    std::vector<ShotWindow*> shots;
    HWND child = mdiClient_ ? ::GetWindow(mdiClient_, GW_CHILD) : nullptr;
    for (HWND last = child ? ::GetWindow(child, GW_HWNDLAST) : nullptr; last; last = ::GetWindow(last, GW_HWNDPREV))
        if (ShotWindow* shot = ShotWindow::FromHandle(last)) shots.push_back(shot);
    return shots;
}

void MainFrame::SetKeepShots(bool on)
{
    const bool before = settings_.Values().keepShots;
    settings_.SetKeepShots(on);
    if (on != before) PutKeepingInForce();
}

// Turned on, the open shots are kept from now on; turned off, every kept file goes at once.
void MainFrame::PutKeepingInForce()
{
    if (!keeper_) return;
    if (settings_.Values().keepShots) {
        for (ShotWindow* shot : Shots())
            shot->OfferToKeep();
        return;
    }
    // No window may lose the picture it has not read yet.
    for (ShotWindow* shot : Shots())
        shot->EnsurePicture();
    keeper_->DeleteAll();
}

// A change of the marks alone hands over no pixels: copying those of a large picture would cost
// the window more than the whole change.
void MainFrame::ShotChanged(HWND shot, const win::Picture& picture, const std::vector<core::Mark>& marks,
                            bool pixelsChanged)
{
    if (!keeper_ || !settings_.Values().keepShots || picture.Width() <= 0 || picture.Height() <= 0) return;
    keeper_->Keep(shot, win::Narrow(win::TextOf(shot)),
                  pixelsChanged ? win::SnapshotOf(picture, {0, 0, picture.Width(), picture.Height()}) : nullptr, marks);
}

void MainFrame::ShotClosed(HWND shot)
{
    if (keeper_) keeper_->Forget(shot);
}

void MainFrame::ShotUnreadable(HWND shot)
{
    if (!keeper_) return;
    keptNotice_ = keeper_->SetAside(shot);
    ShowHotKeyNotice();
}

}  // namespace app
