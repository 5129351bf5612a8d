#include "win32/SystemLibrary.h"

namespace win {

void RestrictDllSearchToSystem32() noexcept
{
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The current folder goes out of the classic search order too, for loads that ask for it.
    ::SetDllDirectoryW(L"");
}

SystemLibrary::SystemLibrary(const wchar_t* fileName) noexcept
    : module_(::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
{
    if (!module_) error_ = ::GetLastError();
}

}  // namespace win
