#pragma once
// COM for one piece of work: this thread's apartment while it is needed, owners of interface
// pointers, and failures turned into the standard report's text.
#include <objbase.h>

#include "win32/ErrorReport.h"
#include "win32/Handles.h"

namespace win {

// COM is set up on this thread for the owner's lifetime. A thread that has it already, in
// either model, keeps it as it is.
class ComScope {
public:
    ComScope() noexcept
        : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope()
    {
        if (initialised_) ::CoUninitialize();
    }

private:
    bool initialised_;
};

template <class T>
void ReleaseInterface(T* p) noexcept
{
    p->Release();
}

// One reference to a COM object, e.g. ::CoCreateInstance(..., IID_PPV_ARGS(factory.put())).
template <class T>
using ComPtr = Owned<T*, &ReleaseInterface<T>>;

// Memory the system hands out with CoTaskMemAlloc.
inline void FreeTaskMemory(void* p) noexcept { ::CoTaskMemFree(p); }
using OwnedTaskString = Owned<PWSTR, &FreeTaskMemory>;

// The Win32 error an HRESULT wraps, or the HRESULT itself, as FormatMessage takes it.
inline DWORD ErrorCode(HRESULT hr)
{
    return HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : static_cast<DWORD>(hr);
}

// The error of a failed COM call, with the system's text: an HRESULT that wraps a Win32
// error is reported as that error.
inline core::AppError ComError(HRESULT hr)
{
    return SystemError(ErrorCode(hr));
}

inline void ThrowIfFailed(HRESULT hr)
{
    if (FAILED(hr)) throw ComError(hr);
}

}  // namespace win
