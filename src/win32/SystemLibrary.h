#pragma once
// The one place where the program loads a DLL at run time. The import table names only DLLs
// the system always takes from its own folder (the KnownDLLs, and comctl32 from the
// side-by-side store); any other system DLL is loaded here from System32 only, so that a file
// of the same name beside the program or in the current folder is never run.
#include <windows.h>

#include "win32/Handles.h"

namespace win {

inline void ReleaseModule(HMODULE module) noexcept { ::FreeLibrary(module); }
using OwnedModule = Owned<HMODULE, &ReleaseModule>;

// Makes every later load in this process (the system's own included) look in System32 and
// nowhere else; the program's entry calls it before anything else.
void RestrictDllSearchToSystem32() noexcept;

// A DLL from System32, loaded for the owner's lifetime. A DLL or function the system does not
// have gives a null function, which the caller treats as the system not answering.
class SystemLibrary {
public:
    explicit SystemLibrary(const wchar_t* fileName) noexcept;

    // The exported function `name` as type `F` (e.g. decltype(&::SetWindowTheme)), or null.
    template <class F>
    F Function(const char* name) const noexcept
    {
        if (!module_) return nullptr;
        // Exports come as a generic function pointer; the caller names the real type.
        return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), name)));
    }

    // Why the DLL could not be loaded (ERROR_SUCCESS when it was).
    DWORD LoadError() const noexcept { return error_; }

private:
    OwnedModule module_;
    DWORD error_ = ERROR_SUCCESS;
};

}  // namespace win
