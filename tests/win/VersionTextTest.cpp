// The version line read from a program file: of the program, from a folder the ANSI code page
// cannot spell, of a file without version information, and without the Japanese FileVersion.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "WinTest.h"
#include "app/AboutBox.h"
#include "resource.h"

using namespace wintest;

namespace {

std::wstring ThisExe()
{
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring TempFile(const wchar_t* name)
{
    wchar_t dir[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"pixtrove-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + name;
}

// The version resource linked into this program, as bytes.
std::vector<unsigned char> OwnVersionBlock(WORD& language)
{
    const HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (!found) return {};
    const auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(nullptr, found)));
    language = 0;
    ::EnumResourceLanguagesW(
        nullptr, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO),
        [](HMODULE, LPCWSTR, LPCWSTR, WORD lang, LONG_PTR out) -> BOOL {
            *reinterpret_cast<WORD*>(out) = lang;
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&language));
    return {data, data + ::SizeofResource(nullptr, found)};
}

// Replaces the UTF-16 text `from` by `to` (of the same length) inside a block.
bool Patch(std::vector<unsigned char>& block, const std::wstring& from, const std::wstring& to)
{
    const size_t bytes = from.size() * sizeof(wchar_t);
    for (size_t i = 0; i + bytes <= block.size(); ++i) {
        if (std::memcmp(block.data() + i, from.data(), bytes) == 0) {
            std::memcpy(block.data() + i, to.data(), bytes);
            return true;
        }
    }
    return false;
}

// A copy of this program whose version resource is replaced; with an empty block, a copy
// without any resources.
class ProgramCopy {
public:
    ProgramCopy(const wchar_t* name, const std::vector<unsigned char>& block, WORD language) : path_(TempFile(name))
    {
        ok_ = ::CopyFileW(ThisExe().c_str(), path_.c_str(), FALSE);
        const HANDLE update = ok_ ? ::BeginUpdateResourceW(path_.c_str(), block.empty()) : nullptr;
        ok_ = update && (block.empty() ||
                         ::UpdateResourceW(update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), language,
                                           const_cast<unsigned char*>(block.data()), static_cast<DWORD>(block.size())));
        if (update) ok_ = ::EndUpdateResourceW(update, !ok_) && ok_;
    }
    ~ProgramCopy() { ::DeleteFileW(path_.c_str()); }
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;
    bool ok() const noexcept { return ok_; }
    const std::wstring& path() const noexcept { return path_; }

private:
    std::wstring path_;
    bool ok_ = false;
};

TEST(VersionText, OfTheProgramAndOfThisTestIsTheirFileVersion)
{
    EXPECT_EQ(app::VersionText(ProgramExe()), L"Version. 2.0.0.5");
    EXPECT_EQ(app::VersionText(ThisExe()), L"Version. 2.0.0.5");
}

// A folder name that code page 932 cannot spell: the version is still found.
TEST(VersionText, IsFoundForAProgramInAFolderNamedOutsideTheAnsiCodePage)
{
    const std::wstring folder = TempFile(L"\u00dcn\u00efc\u00f8d\u00e9 \u622a\u56fe \U0001F4F7");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring copy = folder + L"\\pixtrove.exe";
    ASSERT_TRUE(::CopyFileW(ProgramExe().c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(app::VersionText(copy), L"Version. 2.0.0.5");
    ::DeleteFileW(copy.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST(VersionText, OfAFileWithoutVersionInformationSaysSo)
{
    const std::wstring text = TempFile(L"notes.txt");
    std::ofstream(text.c_str()) << "no program here\n";
    EXPECT_EQ(app::VersionText(text), L"No version information found");
    ::DeleteFileW(text.c_str());

    EXPECT_EQ(app::VersionText(TempFile(L"missing.exe")), L"No version information found");

    WORD language = 0;
    ASSERT_FALSE(OwnVersionBlock(language).empty());
    const ProgramCopy stripped(L"stripped.exe", {}, language);
    ASSERT_TRUE(stripped.ok());
    EXPECT_EQ(app::VersionText(stripped.path()), L"No version information found");
}

// Version information without the Japanese string table, or without FileVersion in it,
// leaves the placeholder line the box is laid out with.
TEST(VersionText, WithoutTheJapaneseFileVersionKeepsThePlaceholder)
{
    WORD language = 0;
    std::vector<unsigned char> block = OwnVersionBlock(language);
    ASSERT_FALSE(block.empty());

    std::vector<unsigned char> otherTable = block;
    ASSERT_TRUE(Patch(otherTable, L"041103A4", L"040904B0"));
    const ProgramCopy english(L"english.exe", otherTable, language);
    ASSERT_TRUE(english.ok());
    EXPECT_EQ(app::VersionText(english.path()), L"Version 99.99.99");

    std::vector<unsigned char> otherName = block;
    ASSERT_TRUE(Patch(otherName, L"FileVersion", L"FileVersiom"));
    const ProgramCopy unnamed(L"unnamed.exe", otherName, language);
    ASSERT_TRUE(unnamed.ok());
    EXPECT_EQ(app::VersionText(unnamed.path()), L"Version 99.99.99");

    std::vector<unsigned char> changed = block;
    ASSERT_TRUE(Patch(changed, L"2.0.0.5", L"7.1.0.9"));
    const ProgramCopy other(L"other.exe", changed, language);
    ASSERT_TRUE(other.ok());
    EXPECT_EQ(app::VersionText(other.path()), L"Version. 7.1.0.9");
}

}  // namespace
