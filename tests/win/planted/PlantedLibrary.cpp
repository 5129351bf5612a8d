// A DLL named like a system one, as someone might leave it in a Downloads folder beside the
// program. Loaded, it leaves "<its own file name>.loaded" beside itself; its functions answer
// as a system without them would, so that a program that does load it goes on.
#include <windows.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    std::wstring marker(32768, L'\0');
    marker.resize(::GetModuleFileNameW(self, marker.data(), static_cast<DWORD>(marker.size())));
    marker += L".loaded";
    const HANDLE file = ::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    return TRUE;
}

// Exported under the system functions' names (see PlantedLibrary.def).
extern "C" ULONG_PTR WINAPI AnswerNothing() { return 0; }
extern "C" HRESULT WINAPI AnswerNotImplemented() { return E_NOTIMPL; }
