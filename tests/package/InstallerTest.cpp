// The MSI installer under Wine, run as a user runs it: msiexec /i installs for this user alone,
// msiexec /x removes it, and a package of a higher version replaces a lower one. Each case
// ends with nothing of Pixtrove! installed, whatever it left behind.
//
// The packages: the release's own, and two of lower versions made by the test set-up from the
// same program with a help page of their own (PIXTROVE_OLDER_PACKAGES: "VERSION=PATH|...").
#include <gtest/gtest.h>

#include <windows.h>
#include <msi.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "InstallerProbes.h"
#include "Process.h"
#include "WinTest.h"

using namespace wintest;

namespace {

const std::wstring kVersion = Wide(PIXTROVE_VERSION);

class Installer : public ::testing::Test {
protected:
    void SetUp() override { UninstallEverything(); }
    void TearDown() override { UninstallEverything(); }

    RegistryBackup backup{L"Software\\Kvn"};
    const std::wstring release = WindowsPath(PIXTROVE_INSTALLER);
};

std::vector<std::wstring> FileNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string FileText(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

const std::vector<std::wstring> kShippedFiles{L"pixtrove.exe", L"pixtrove.html"};

TEST_F(Installer, PutsTheProgramAndItsHelpInTheUsersProgramsFolderWithAShortcutAndAnEntryInAppsAndFeatures)
{
    ASSERT_EQ(Msiexec(L"/i", release), 0u);
    EXPECT_EQ(FileNames(InstallFolder()), kShippedFiles);
    EXPECT_EQ(FileText(InstallFolder() + L"\\pixtrove.html"), FileText(WindowsPath(PIXTROVE_HELP_PAGE)));
    EXPECT_EQ(ShortcutTarget(), InstallFolder() + L"\\pixtrove.exe");
    // Installed for this user only, which needs no administrator rights.
    EXPECT_EQ(InstalledProducts(), (std::vector<InstalledProduct>{{kVersion, MSIINSTALLCONTEXT_USERUNMANAGED}}));
    EXPECT_EQ(UninstallEntries(), (std::vector<UninstallEntry>{{L"Pixtrove!", kVersion, L"Kvn"}}));
}

TEST_F(Installer, TheInstalledProgramStartsAndShowsItsVersion)
{
    ASSERT_EQ(Msiexec(L"/i", release), 0u);
    EXPECT_EQ(VersionLineOf(InstallFolder() + L"\\pixtrove.exe"), L"Version. " + kVersion);
}

TEST_F(Installer, UninstallRemovesWhatItInstalledAndKeepsTheUsersSettings)
{
    const std::vector<std::pair<const char*, RawValue>> settings{
        {"CapMode", Sz("2")}, {"CapTime", Sz("$0C")}, {"ToolBarFlat", RawValue{REG_EXPAND_SZ, {'1', 0}}}};
    for (const auto& [name, value] : settings)
        WriteValue(kSection, name, value);
    ASSERT_EQ(Msiexec(L"/i", release), 0u);
    ASSERT_EQ(FileNames(InstallFolder()), kShippedFiles);

    ASSERT_EQ(Msiexec(L"/x", release), 0u);
    EXPECT_EQ(::GetFileAttributesW(InstallFolder().c_str()), INVALID_FILE_ATTRIBUTES) << "the folder is left";
    EXPECT_EQ(ShortcutTarget(), L"") << "the shortcut is left";
    EXPECT_TRUE(InstalledProducts().empty());
    EXPECT_TRUE(UninstallEntries().empty());
    for (const auto& [name, value] : settings)
        EXPECT_EQ(ReadValue(kSection, name), value) << name;
}

TEST_F(Installer, InstallingTheSameVersionAgainChangesNothing)
{
    ASSERT_EQ(Msiexec(L"/i", release), 0u);
    const std::wstring program = InstallFolder() + L"\\pixtrove.exe";
    const FILETIME before = LastWritten(program);
    ASSERT_EQ(Msiexec(L"/i", release), 0u);
    const FILETIME after = LastWritten(program);
    EXPECT_EQ(::CompareFileTime(&before, &after), 0) << "the program was written again";
    EXPECT_EQ(InstalledProducts().size(), 1u);
    EXPECT_EQ(UninstallEntries().size(), 1u);
}

// Windows Installer compares the first three fields of a version only: a package that differs
// from the installed one in the fourth alone replaces it either way (see the upgrades below).
TEST_F(Installer, APackageLowerInTheFirstThreeFieldsDoesNotReplaceTheInstalledOne)
{
    ASSERT_EQ(Msiexec(L"/i", release), 0u);
    const auto [olderVersion, older] = OlderPackages().at(0);
    EXPECT_NE(Msiexec(L"/i", older), 0u) << "version " << Narrow(olderVersion) << " was installed";
    EXPECT_EQ(InstalledProducts(), (std::vector<InstalledProduct>{{kVersion, MSIINSTALLCONTEXT_USERUNMANAGED}}));
    EXPECT_EQ(FileText(InstallFolder() + L"\\pixtrove.html"), FileText(WindowsPath(PIXTROVE_HELP_PAGE)));
}

// One of a lower version in the first three fields, and one in the fourth alone, which Windows
// Installer does not tell apart from the release by the version.
class Upgrade : public Installer, public ::testing::WithParamInterface<size_t> {};

TEST_P(Upgrade, FromALowerVersionLeavesOneInstallationOfTheNewOne)
{
    const auto [olderVersion, older] = OlderPackages().at(GetParam());
    ASSERT_EQ(Msiexec(L"/i", older), 0u);
    ASSERT_EQ(InstalledProducts(), (std::vector<InstalledProduct>{{olderVersion, MSIINSTALLCONTEXT_USERUNMANAGED}}));

    ASSERT_EQ(Msiexec(L"/i", release), 0u);
    EXPECT_EQ(InstalledProducts(), (std::vector<InstalledProduct>{{kVersion, MSIINSTALLCONTEXT_USERUNMANAGED}}));
    EXPECT_EQ(UninstallEntries(), (std::vector<UninstallEntry>{{L"Pixtrove!", kVersion, L"Kvn"}}));
    EXPECT_EQ(FileNames(InstallFolder()), kShippedFiles);
    EXPECT_EQ(FileText(InstallFolder() + L"\\pixtrove.html"), FileText(WindowsPath(PIXTROVE_HELP_PAGE)));
    EXPECT_EQ(ShortcutTarget(), InstallFolder() + L"\\pixtrove.exe");

    ASSERT_EQ(Msiexec(L"/x", release), 0u);
    EXPECT_TRUE(InstalledProducts().empty());
    EXPECT_EQ(::GetFileAttributesW(InstallFolder().c_str()), INVALID_FILE_ATTRIBUTES);
}

INSTANTIATE_TEST_SUITE_P(OlderPackages, Upgrade, ::testing::Values(0, 1));

}  // namespace
