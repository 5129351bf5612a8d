#pragma once
// Where a save goes: the choice a shot window asks for, and the system's Save dialog that
// lets the user make it.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

namespace win {

// A path as the user chose it, and the file-type entry chosen with it (an index into
// core::SaveFormats()).
struct SaveTarget {
    std::wstring path;
    std::size_t format = 0;
};

class SaveTargetChooser {
public:
    // Asks, in a window owned by `owner`, proposing `defaultName` in `folder` (empty: where the
    // chooser would go itself); nothing when the user gives up.
    virtual std::optional<SaveTarget> Choose(HWND owner, const std::wstring& defaultName,
                                             const std::wstring& folder) = 0;

protected:
    ~SaveTargetChooser() = default;
};

// The system's Save dialog (the Common Item Dialog) with the PNG, JPEG and BMP entries (PNG the
// default), and a name too long for it refused with a report (SaveNameGuard). The name is
// taken as typed (SaveChoice): its extension, when one of ours, says the type. It opens in the
// folder proposed, else in the user's Pictures folder the first time and in the folder of the
// last choice after that, and asks before an existing file is replaced.
class SaveDialog final : public SaveTargetChooser {
public:
    std::optional<SaveTarget> Choose(HWND owner, const std::wstring& defaultName,
                                     const std::wstring& folder) override;

private:
    std::wstring folder_;  // where the dialog opens; empty: the Pictures folder
};

}  // namespace win
