#pragma once
// The shots kept across runs, in a folder of their own: the names of their files, the manifest
// that says what each shot is, and how a folder found at a start is sorted out.
//
// Each shot has a number (its id) and two files: its picture "<id>-<generation>.png" and its
// manifest "<id>.shot", which names the picture's generation. A change writes a picture of the
// next generation, then the manifest, each whole under a temporary name moved into place, then
// deletes the older picture: at any moment the manifest names a complete picture.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The manifest's first line: "Pixtrove kept shot <version>".
inline constexpr int kKeptShotVersion = 1;
// A side longer than the display can be read, or more pixels than 1 GiB of them, is no shot.
inline constexpr std::int32_t kKeptLongestSide = 32767;
inline constexpr std::uint64_t kKeptMostPixels = (std::uint64_t{1} << 30) / 4;
inline constexpr std::uint64_t kKeptMostMarksBytes = std::uint64_t{64} << 20;
// The longest manifest read: the marks and a little more.
inline constexpr std::uint64_t kKeptMostManifestBytes = kKeptMostMarksBytes + 4096;

struct KeptShot {
    std::uint32_t id = 0;     // from the manifest's file name
    std::uint64_t order = 0;  // the shots open again by this, then by id
    std::string name;         // the window's caption, UTF-8
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t generation = 0;      // of the picture file
    std::optional<std::string> marks;  // what lies over the picture, in its own format
    bool operator==(const KeptShot&) const = default;
};

std::string ManifestName(std::uint32_t id);                           // "17.shot"
std::string PictureName(std::uint32_t id, std::uint32_t generation);  // "17-3.png"

enum class KeptFileKind { Manifest, Picture, Temporary, Other };
struct KeptFile {
    KeptFileKind kind = KeptFileKind::Other;
    std::uint32_t id = 0;          // of a manifest or picture
    std::uint32_t generation = 0;  // of a picture
    bool operator==(const KeptFile&) const = default;
};
// What a name in the folder is (in any case): ids and generations are decimal without leading
// zeros, 1 to 4294967295 and 0 to 4294967295; a temporary is what TemporarySibling makes.
KeptFile ClassifyKeptFile(std::string_view name);

// The manifest's text. Control characters of the name become blanks.
std::string FormatManifest(const KeptShot& shot);
// The shot a manifest of `id` describes; nothing when the text is not a whole manifest of this
// version (truncated, altered, a size out of range, trailing bytes).
std::optional<KeptShot> ParseManifest(std::string_view text, std::uint32_t id);

// Width and height of a PNG file from its signature and header; nothing when it has none.
std::optional<std::pair<std::int32_t, std::int32_t>> PngSize(std::string_view start);
inline constexpr std::size_t kPngHeaderBytes = 24;

struct KeptFolderPlan {
    std::vector<KeptShot> restore;    // in the order they open
    std::vector<std::string> aside;   // the files of shots that cannot be read, to be moved out
    std::vector<std::string> remove;  // temporaries, replaced pictures, pictures of no manifest
    bool operator==(const KeptFolderPlan&) const = default;
};
// Sorts out a folder holding `names`. `read(id)` gives the manifest of id as read and parsed, and
// nothing when it cannot be had or its picture does not match it. A shot opens again when its
// manifest reads and names a picture that is there; otherwise its manifest and pictures go
// aside. Names that are none of the program's are left alone.
KeptFolderPlan PlanKeptFolder(const std::vector<std::string>& names,
                              const std::function<std::optional<KeptShot>(std::uint32_t id)>& read);

// The files of one kept shot, manifest first.
std::vector<std::string> KeptFilesOf(const KeptShot& shot);

// A name for a file moved aside, `attempt` 0 giving the name itself and n "stem (n+1).ext".
std::string AsideName(std::string_view name, int attempt);

// Whether a caption is a shot's number, "Shot:N".
bool IsShotCaption(std::string_view caption);

struct RestoredCaptions {
    std::vector<std::string> captions;
    std::int32_t shotCount = 0;  // the next shot is "Shot:<shotCount + 1>"
    bool operator==(const RestoredCaptions&) const = default;
};
// The captions of shots opened again in `names`' order: the shots' numbers afresh from
// "Shot:1", other names (a file's) as they are.
RestoredCaptions RenumberCaptions(const std::vector<std::string>& names);

// The status bar's word on files moved aside; empty when there were none.
std::string UnreadableKeptNotice(const std::vector<std::string>& files);

}  // namespace core
