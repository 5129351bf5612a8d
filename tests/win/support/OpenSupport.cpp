#include "OpenSupport.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

namespace wintest {

HGLOBAL MakeDropList(const std::vector<std::wstring>& files)
{
    std::wstring names;
    for (const std::wstring& f : files) names += f + L'\0';
    names += L'\0';
    const size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = {10, 10};
    drop->fWide = TRUE;
    std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    ::GlobalUnlock(block);
    return block;
}

Pixels OverWhite(const Frame& frame)
{
    Pixels out{frame.width, frame.height, {}};
    for (std::uint32_t v : frame.values) {
        const double a = (v >> 24) / 255.0;
        std::uint32_t p = 0;
        for (int shift : {0, 8, 16}) {
            const double c = ((v >> shift) & 0xFF) * a + 255.0 * (1.0 - a);
            p |= static_cast<std::uint32_t>(c + 0.5) << shift;
        }
        out.values.push_back(p);
    }
    return out;
}

OpenTest::OpenTest() : folder_(NewFolder()) {}

OpenTest::~OpenTest()
{
    for (const std::wstring& name : FilesIn(folder_)) ::DeleteFileW(InFolder(name).c_str());
    ::RemoveDirectoryW(InFolder(L"sub").c_str());
    ::RemoveDirectoryW(folder_.c_str());
}

std::wstring OpenTest::Write(const std::wstring& name, const std::vector<char>& bytes)
{
    WriteBytes(InFolder(name), bytes);
    return InFolder(name);
}

void OpenTest::Drop(const std::vector<std::wstring>& files)
{
    const size_t before = Shots(program.main).size() + reports.texts().size();
    ::PostMessageW(program.main.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDropList(files)), 0);
    PumpUntil([&] { return Shots(program.main).size() + reports.texts().size() > before; }, 5000);
    Pump(50);
}

std::vector<app::ShotWindow*> OpenTest::ShotsOldestFirst() const
{
    std::vector<app::ShotWindow*> shots = Shots(program.main);
    std::reverse(shots.begin(), shots.end());
    return shots;
}

}  // namespace wintest
