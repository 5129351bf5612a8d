#pragma once
// A file written beside its target and put in the target's place only once it is complete.
#include <objidl.h>

#include <string>

#include "win32/Com.h"

namespace win {

// Until Commit the target stays as it was, whatever happens to the write; a write that is
// given up leaves no temporary file behind.
class ReplacingFile {
public:
    // Creates the temporary file in the target's folder; throws when it cannot be made. A target
    // of any length is taken. Errors name the target as given.
    explicit ReplacingFile(std::wstring target);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();  // deletes the temporary file unless it was committed

    // Writes go straight to the temporary file.
    IStream* Stream() const noexcept;
    // The first error of a write, seek or resize through the stream (ERROR_SUCCESS when none):
    // an encoder that meets one may pass on a vaguer error of its own.
    DWORD StreamFailure() const noexcept;
    const std::wstring& TemporaryPath() const noexcept { return temporary_; }
    const std::wstring& Target() const noexcept { return shown_; }

    // Puts the written file on disk and in the target's place, replacing what was there.
    void Commit();

    // A path the file functions take at any length: a full path of MAX_PATH characters or more
    // in the "\\?\" form, which goes past that limit.
    static std::wstring LongPathForm(std::wstring path);

private:
    [[noreturn]] void Fail(DWORD code) const;

    std::wstring shown_;   // as the user chose it
    std::wstring target_;  // as the file functions take it
    std::wstring temporary_;
    ComPtr<IStream> stream_;  // over the temporary file
    bool committed_ = false;
};

}  // namespace win
