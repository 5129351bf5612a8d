#pragma once
// Small file-system work on one folder: its files' names, a file read or written whole, a file
// moved aside, and the per-user folder programs keep their data in.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

// %LOCALAPPDATA% (FOLDERID_LocalAppData); empty when the system gives none.
std::wstring LocalAppDataFolder();

// `folder` and its parent, made where missing; false when the folder is not there afterwards.
bool MakeFolder(const std::wstring& folder);

// The names of the files (no folders) in `folder`; none when it cannot be listed.
std::vector<std::wstring> FileNamesIn(const std::wstring& folder);

// The whole file, or its first `most` bytes when it is longer; nothing when it cannot be read
// or is longer than `most` and `whole` is asked for.
std::optional<std::string> ReadFileBytes(const std::wstring& path, std::uint64_t most, bool whole);

// Writes `bytes` to `path` whole: under a temporary name, moved into place. Throws SaveError.
void WriteWholeFile(const std::wstring& path, std::string_view bytes);

// Moves `folder\name` into `aside` (made when missing) under that name, or a numbered one when
// it is taken; false when it could not be moved.
bool MoveAside(const std::wstring& folder, const std::wstring& name, const std::wstring& aside);

}  // namespace win
