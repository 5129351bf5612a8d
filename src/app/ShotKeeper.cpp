#include "app/ShotKeeper.h"

#include <algorithm>

#include "core/MarkText.h"
#include "win32/ErrorReport.h"
#include "win32/FolderFiles.h"
#include "win32/PngFile.h"
#include "win32/Text.h"

namespace app {
namespace {

// Deletes the files of the folder that `doomed` picks, manifests first, so that a shot is
// gone in one step and its pictures are mere leftovers after it.
template <class Doomed>
void DeleteFiles(const std::wstring& folder, Doomed doomed)
{
    std::vector<std::wstring> pictures;
    for (const std::wstring& name : win::FileNamesIn(folder)) {
        const core::KeptFile file = core::ClassifyKeptFile(win::Narrow(name));
        if (!doomed(file)) continue;
        if (file.kind == core::KeptFileKind::Manifest)
            ::DeleteFileW((folder + L"\\" + name).c_str());
        else
            pictures.push_back(name);
    }
    for (const std::wstring& name : pictures)
        ::DeleteFileW((folder + L"\\" + name).c_str());
}

}  // namespace

ShotKeeper::ShotKeeper(std::wstring folder) : folder_(std::move(folder))
{
    const size_t separator = folder_.find_last_of(L'\\');
    aside_ = (separator == std::wstring::npos ? std::wstring() : folder_.substr(0, separator + 1)) + L"Unreadable";
}

std::unique_ptr<ShotKeeper> ShotKeeper::ForThisUser()
{
    const std::wstring local = win::LocalAppDataFolder();
    if (local.empty()) return nullptr;
    return std::make_unique<ShotKeeper>(local + L"\\Pixtrove\\Shots");
}

std::wstring ShotKeeper::PathOf(const std::string& name) const { return folder_ + L"\\" + win::Widen(name); }

KeptShotsFound ShotKeeper::Find()
{
    std::vector<std::string> names;
    for (const std::wstring& name : win::FileNamesIn(folder_))
        names.push_back(win::Narrow(name));
    const core::KeptFolderPlan plan =
        core::PlanKeptFolder(names, [&](std::uint32_t id) -> std::optional<core::KeptShot> {
            const auto text = win::ReadFileBytes(PathOf(core::ManifestName(id)), core::kKeptMostManifestBytes, true);
            if (!text) return std::nullopt;
            std::optional<core::KeptShot> shot = core::ParseManifest(*text, id);
            if (!shot || (shot->marks && !core::ParseMarks(*shot->marks))) return std::nullopt;
            // A picture that is no PNG of the manifest's size is found out now, not when it shows.
            const auto start =
                win::ReadFileBytes(PathOf(core::PictureName(id, shot->generation)), core::kPngHeaderBytes, false);
            if (!start || core::PngSize(*start) != std::pair{shot->width, shot->height}) return std::nullopt;
            return shot;
        });
    for (const std::string& name : plan.remove)
        ::DeleteFileW(PathOf(name).c_str());
    KeptShotsFound found;
    std::vector<std::string> movedAside;
    for (const std::string& name : plan.aside)
        if (win::MoveAside(folder_, win::Widen(name), aside_)) movedAside.push_back(name);
    found.notice = core::UnreadableKeptNotice(movedAside);

    std::vector<std::string> keptNames;
    for (const core::KeptShot& shot : plan.restore)
        keptNames.push_back(shot.name);
    const core::RestoredCaptions captions = core::RenumberCaptions(keptNames);
    found.shotCount = captions.shotCount;
    for (size_t i = 0; i < plan.restore.size(); ++i) {
        const core::KeptShot& shot = plan.restore[i];
        found.shots.push_back({shot, captions.captions[i], PathOf(core::PictureName(shot.id, shot.generation)),
                               shot.marks ? core::ParseMarks(*shot.marks).value_or(std::vector<core::Mark>{})
                                          : std::vector<core::Mark>{}});
        nextId_ = std::max(nextId_, shot.id + 1);
        nextOrder_ = std::max(nextOrder_, shot.order + 1);
    }
    // Pictures of a manifest that went aside, or of none, are ids in use no longer.
    for (const std::string& name : names)
        if (const core::KeptFile file = core::ClassifyKeptFile(name); file.kind != core::KeptFileKind::Other)
            nextId_ = std::max(nextId_, file.id + 1);
    return found;
}

void ShotKeeper::Adopt(HWND shot, const core::KeptShot& kept) { shots_[shot] = {kept}; }

void ShotKeeper::Keep(HWND shot, std::string caption, std::unique_ptr<win::Snapshot> pixels,
                      const std::vector<core::Mark>& marks)
{
    if (!pixels && !shots_.contains(shot)) return;
    auto [at, added] = shots_.try_emplace(shot);
    Entry& entry = at->second;
    core::KeptShot& kept = entry.shot;
    if (added) {
        kept.id = nextId_++;
        kept.order = nextOrder_++;
    }
    std::shared_ptr<const win::Snapshot> snapshot(std::move(pixels));
    if (snapshot) {
        ++kept.generation;
        kept.width = snapshot->Width();
        kept.height = snapshot->Height();
        entry.unwritten = snapshot;
    } else {
        snapshot = entry.unwritten.lock();
    }
    kept.name = std::move(caption);
    kept.marks = marks.empty() ? std::nullopt : std::optional(core::FormatMarks(marks));
    writer_.Post(kept.id, [folder = folder_, kept, snapshot] {
        if (!win::MakeFolder(folder)) throw win::SaveError(folder, ERROR_PATH_NOT_FOUND);
        if (snapshot)
            win::WritePngFile(*snapshot, folder + L"\\" + win::Widen(core::PictureName(kept.id, kept.generation)));
        win::WriteWholeFile(folder + L"\\" + win::Widen(core::ManifestName(kept.id)), core::FormatManifest(kept));
        if (!snapshot) return;
        DeleteFiles(folder, [&](const core::KeptFile& file) {
            return file.kind == core::KeptFileKind::Picture && file.id == kept.id && file.generation != kept.generation;
        });
    });
}

void ShotKeeper::Forget(HWND shot)
{
    const auto found = shots_.find(shot);
    if (found == shots_.end()) return;
    const std::uint32_t id = found->second.shot.id;
    shots_.erase(found);
    writer_.Post(id, [folder = folder_, id] {
        DeleteFiles(folder, [id](const core::KeptFile& file) {
            return file.kind != core::KeptFileKind::Other && file.id == id;
        });
    });
}

std::string ShotKeeper::SetAside(HWND shot)
{
    const auto found = shots_.find(shot);
    if (found == shots_.end()) return {};
    const core::KeptShot kept = found->second.shot;
    shots_.erase(found);
    writer_.WaitUntilIdle();  // nothing of this shot waits, but a folder-wide deletion might
    std::vector<std::string> moved;
    for (const std::string& name : core::KeptFilesOf(kept))
        if (win::MoveAside(folder_, win::Widen(name), aside_)) moved.push_back(name);
    return core::UnreadableKeptNotice(moved);
}

void ShotKeeper::ReadElsewhere(std::wstring path, int width, int height, std::weak_ptr<void> wanted,
                               std::function<void(std::unique_ptr<win::Picture>)> done)
{
    // A key of its own: no read replaces another, nor a shot's write.
    const std::uint64_t key = (std::uint64_t{1} << 32) + nextRead_++;
    writer_.Post(key, [path = std::move(path), width, height, wanted = std::move(wanted), done = std::move(done)] {
        if (!wanted.expired()) done(win::ReadPngFile(path, width, height));
    });
}

void ShotKeeper::DeleteAll()
{
    writer_.PostInsteadOfAll([folder = folder_] {
        DeleteFiles(folder, [](const core::KeptFile& file) { return file.kind != core::KeptFileKind::Other; });
    });
}

}  // namespace app
