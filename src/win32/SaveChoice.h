#pragma once
// The save dialog's answer made by the program's own rule rather than the dialog's. A dialog
// adds its entry's extension as it sees fit (Wine's to any name whose extension is not the
// entry's, so that "sel.jpg" with PNG chosen became "sel.jpg.png"), and asks about replacing
// the file of the name it made. While the choice watches the dialog, the press of Save takes
// the name as typed (core::TypedSavePath), asks about replacing the file that the save will
// really write (core::PlanSave), and keeps the dialog open when the user says no.
#include <shobjidl.h>

#include <cstddef>
#include <optional>
#include <string>

#include "win32/FileDialogEvents.h"

namespace win {

class SaveChoice final : public FileDialogEvents {
public:
    explicit SaveChoice(IFileDialog& dialog) : advised_(dialog, *this) {}

    // The typed path and the entry (an index into core::SaveFormats()) once Save was pressed.
    const std::optional<std::wstring>& Path() const noexcept { return path_; }
    std::size_t Entry() const noexcept { return entry_; }

    HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog* dialog) override;

private:
    // Whether the save may go to the path; asks in the dialog when a file is there.
    static bool MayReplace(IFileDialog& dialog, const std::wstring& file);

    std::optional<std::wstring> path_;
    std::size_t entry_ = 0;
    Advised advised_;  // goes first
};

}  // namespace win
