// The program file itself: its version resource, its icon and its manifest.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "CaptureSupport.h"
#include "RecordingShell.h"
#include "WinTest.h"
#include "resource.h"
#include "win32/Dpi.h"
#include "win32/ErrorReport.h"
#include "win32/Text.h"

using namespace wintest;

namespace {

// --- the program file ---------------------------------------------------------------------

std::vector<BYTE> VersionBlock(const std::wstring& file)
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !::GetFileVersionInfoW(file.c_str(), 0, size, block.data())) block.clear();
    return block;
}

TEST(ProgramFile, SaysFileVersion2005InItsJapaneseStringTable)
{
    std::vector<BYTE> block = VersionBlock(ProgramExe());
    ASSERT_FALSE(block.empty());
    wchar_t* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\StringFileInfo\\041103A4\\FileVersion",
                                 reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(std::wstring(text), L"2.0.0.5");
    WORD* translation = nullptr;
    ASSERT_TRUE(
        ::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000005u);
}

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ =
            ::LoadLibraryExW(ProgramExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override
    {
        if (module_) ::FreeLibrary(module_);
    }
    std::string Resource(LPCWSTR name, LPCWSTR type) const
    {
        const HRSRC found = ::FindResourceW(module_, name, type);
        if (!found) return {};
        const auto* data = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
        return {data, data + ::SizeofResource(module_, found)};
    }
    HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct IconDirEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ProgramResources, TheProgramIconHasA16AndA32PixelImageThatLoad)
{
    const std::string group = Resource(MAKEINTRESOURCEW(IDI_PIXTROVE), RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(group.size(), 6u + count * sizeof(IconDirEntry));
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i)
        sizes.insert(reinterpret_cast<const IconDirEntry*>(group.data() + 6 + i * sizeof(IconDirEntry))->width);
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
    for (int size : {16, 32}) {
        const auto icon =
            static_cast<HICON>(::LoadImageW(module_, MAKEINTRESOURCEW(IDI_PIXTROVE), IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size;
        if (icon) ::DestroyIcon(icon);
    }
}

TEST_F(ProgramResources, TheManifestAsksForPerMonitorV2AwarenessAndCommonControls6)
{
    const std::string manifest = Resource(MAKEINTRESOURCEW(1), RT_MANIFEST);
    EXPECT_NE(manifest.find(">PerMonitorV2<"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);
    EXPECT_NE(manifest.find("\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    // This test program carries the same manifest, and the system honoured it.
    EXPECT_EQ(::GetAwarenessFromDpiAwarenessContext(::GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
}

}  // namespace
