#pragma once
// The rules of a save's file name: the formats the Save dialog offers, the name it proposes,
// the name and format a chosen path ends up with, and the temporary file beside it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/Geometry.h"

namespace core {

enum class ImageFormat { Png, Jpeg, Bmp };

// One entry of the dialog's file-type list.
struct SaveFormat {
    ImageFormat format;
    std::string_view label;      // what the list shows
    std::string_view patterns;   // what the folder view shows, ";"-separated
    std::string_view extension;  // added to a name typed without one
};

// In the dialog's order; the first is the default.
std::span<const SaveFormat> SaveFormats();

// The proposed file name for a shot window's caption: the caption without the characters a
// file name cannot hold, then ".png" ("Shot:3" gives "Shot3.png"; nothing left gives "Shot.png").
std::string DefaultSaveName(std::string_view caption);

// The proposed file name for a shot opened from the file `fileName`: the name itself when its
// extension is one of ours, otherwise the name without its extension, then ".png"
// ("photo.jpg" stays; "anim.gif" gives "anim.png").
std::string DefaultSaveNameForFile(std::string_view fileName);

struct SavePlan {
    std::string path;
    ImageFormat format;
    bool operator==(const SavePlan&) const = default;
};

// What a chosen path and file-type entry (an index into SaveFormats, the first when out of
// range) come to. A name whose extension is one of ours (in any case) keeps it and is written
// in the format it names, whatever the entry; any other name, with an extension or without,
// gets the entry's extension and format. Trailing dots and blanks, which the file system
// drops, go first.
SavePlan PlanSave(std::string_view chosenPath, std::size_t formatIndex);

// The path the user typed, from the path the Save dialog made of it and the name as typed in
// its field. A dialog may add its entry's extension to a name that has one of ours already
// (Wine's makes "sel.jpg" "sel.jpg.png"): when the dialog's file name is the typed one with
// something added, the typed name in the dialog's folder is the answer; otherwise the
// dialog's path is. A typed name may carry a folder and quotes; its last part counts.
std::string TypedSavePath(std::string_view dialogPath, std::string_view typedName);

// A temporary file in the same folder as `target`, told apart from others by `salt`
// (e.g. "C:\\Pictures\\~pt0000002a.tmp").
std::string TemporarySibling(std::string_view target, std::uint32_t salt);

// The part of a width x height picture that a save writes: the shown selection when it has
// an area inside the picture, otherwise the whole picture. Unlike the copy, it selects nothing.
Rect SaveSourceRect(bool selected, Point selStart, Point selEnd, std::int32_t width, std::int32_t height);

}  // namespace core
