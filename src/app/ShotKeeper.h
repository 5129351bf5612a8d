#pragma once
// The open shots kept for the next start, in a folder of the user's (core/KeptShots says how):
// written on a thread of their own from unchanging snapshots, whenever a shot is made or
// changed, so that the user never waits; deleted when the user closes a shot; found again and
// sorted out at the next start.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/KeptShots.h"
#include "core/Marks.h"
#include "win32/Picture.h"
#include "win32/Snapshot.h"
#include "win32/WriterThread.h"

namespace app {

// A shot found in the folder at the start, to open again.
struct KeptShotToOpen {
    core::KeptShot shot;
    std::string caption;       // numbered afresh
    std::wstring picturePath;  // read when the window first shows it
    std::vector<core::Mark> marks;
};

struct KeptShotsFound {
    std::vector<KeptShotToOpen> shots;  // in their order
    std::int32_t shotCount = 0;         // the next capture is "Shot:<shotCount + 1>"
    std::string notice;                 // names what was moved aside; empty when nothing was
};

class ShotKeeper {
public:
    // Keeps shots in `folder`; what cannot be read goes to the folder "Unreadable" beside it.
    // Nothing on disk changes until a shot is found, kept or forgotten.
    explicit ShotKeeper(std::wstring folder);
    // The user's: %LOCALAPPDATA%\Pixtrove\Shots; nothing when the system has no such folder.
    static std::unique_ptr<ShotKeeper> ForThisUser();
    // Whatever is still waiting is written first.
    ~ShotKeeper() = default;
    ShotKeeper(const ShotKeeper&) = delete;
    ShotKeeper& operator=(const ShotKeeper&) = delete;

    const std::wstring& Folder() const noexcept { return folder_; }

    // Sorts out the folder: leftovers of unfinished writes deleted, what cannot be read moved
    // aside; the rest, to open again. Only manifests and the pictures' headers are read.
    KeptShotsFound Find();
    // The window `shot` shows `kept`, found by Find.
    void Adopt(HWND shot, const core::KeptShot& kept);
    // `shot` as it stands now, captioned `caption`, with `marks` over its pixels: a new shot,
    // or a change of one. Without `pixels`, those kept last stand (nothing is kept of a shot
    // not kept before).
    void Keep(HWND shot, std::string caption, std::unique_ptr<win::Snapshot> pixels,
              const std::vector<core::Mark>& marks);
    // The user closed `shot`: its files go.
    void Forget(HWND shot);
    // The kept picture of `shot` could not be read: its files go aside. Gives the notice.
    std::string SetAside(HWND shot);
    // Every kept file goes; the shots open now are kept again by their next Keep.
    void DeleteAll();
    // Reads the picture at `path` (width x height) on the writer's thread and hands it to `done`
    // there (nothing when it cannot be read), unless `wanted` has gone by then.
    void ReadElsewhere(std::wstring path, int width, int height, std::weak_ptr<void> wanted,
                       std::function<void(std::unique_ptr<win::Picture>)> done);
    // Returns once everything handed over is on disk (before the session ends).
    void WaitUntilWritten() { writer_.WaitUntilIdle(); }
    // Writes that failed so far.
    unsigned Failures() const { return writer_.Failures(); }

private:
    struct Entry {
        core::KeptShot shot;
        // The pixels of its newest picture while they may not be on disk yet: a change of the
        // marks alone, which replaces their write, writes them too.
        std::weak_ptr<const win::Snapshot> unwritten;
    };
    std::wstring PathOf(const std::string& name) const;

    std::wstring folder_;
    std::wstring aside_;
    std::map<HWND, Entry> shots_;
    std::uint32_t nextId_ = 1;
    std::uint64_t nextOrder_ = 1;
    std::uint64_t nextRead_ = 0;
    win::WriterThread writer_;  // last: it ends, having written everything, before the rest goes
};

}  // namespace app
