#pragma once
// A picture kept as a PNG file: written from a snapshot of its pixels, read back into a picture,
// both through the program's one encoder and decoder.
#include <memory>
#include <string>

#include "win32/Picture.h"
#include "win32/Snapshot.h"

namespace win {

// Writes the snapshot's pixels to `path` whole, under a temporary name moved into place. Runs
// on any thread with COM. Throws SaveError.
void WritePngFile(const Snapshot& pixels, const std::wstring& path);

// The picture in the PNG file at `path` when it is one of width x height; nothing when it cannot
// be read, is no such picture or memory runs out.
std::unique_ptr<Picture> ReadPngFile(const std::wstring& path, int width, int height) noexcept;

}  // namespace win
