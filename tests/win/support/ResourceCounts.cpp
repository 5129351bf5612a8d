// Counts of what a process holds: GDI objects, menus and private memory.
#include <windows.h>
#include <psapi.h>

#include <optional>

#include "CaptureSupport.h"

namespace wintest {

// --- resources --------------------------------------------------------------------------

namespace {

int CountGdiTable()
{
    int n = 0;
    for (UINT_PTR i = 0; i < 0x10000; ++i)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++n;
    return n;
}

int CountMenuHandles()
{
    int n = 0;
    for (UINT_PTR i = 0x20; i < 0x10000; i += 2)
        if (::IsMenu(reinterpret_cast<HMENU>(i))) ++n;
    return n;
}

}  // namespace

std::optional<int> GdiObjectCount()
{
    if (const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
    // The table count is trusted only if it sees an object come and go.
    const int before = CountGdiTable();
    const HBRUSH probe = ::CreateSolidBrush(RGB(1, 2, 3));
    const int during = CountGdiTable();
    ::DeleteObject(probe);
    const int after = CountGdiTable();
    if (during == before + 1 && after == before) return before;
    return std::nullopt;
}

std::optional<int> MenuCount()
{
    const int before = CountMenuHandles();
    const HMENU probe = ::CreateMenu();
    const int during = CountMenuHandles();
    ::DestroyMenu(probe);
    const int after = CountMenuHandles();
    if (during == before + 1 && after == before) return before;
    return std::nullopt;
}

std::size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters));
    if (counters.PrivateUsage != 0) return counters.PrivateUsage;
    // Wine answers 0 there: add up the committed private regions of the address space instead.
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<BYTE*>(nullptr); ::VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
         at = static_cast<BYTE*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    }
    return total;
}

}  // namespace wintest
