// The class library's file routines on real files and folders of a temporary folder.
#include "SysUtils.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(SysUtilsFilesTest, FileAndDirectoryExistTellFilesFromFolders)
{
    TempFolder temp;
    const std::string file = temp / "a.txt";
    WriteWholeFile(file, "x");
    const struct {
        std::string path;
        bool file;
        bool folder;
    } cases[] = {
        {file, true, false},
        {temp.Path(), false, true},
        {temp / "missing.txt", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.file, SysUtils::FileExists(c.path)) << c.path;
        EXPECT_EQ(c.folder, SysUtils::DirectoryExists(c.path)) << c.path;
    }
}

TEST(SysUtilsFilesTest, ForceDirectoriesMakesEveryMissingLevelAndSaysWhenItCannot)
{
    TempFolder temp;
    const std::string deep = temp / "one\\two\\three\\";
    EXPECT_TRUE(SysUtils::ForceDirectories(deep));
    EXPECT_TRUE(SysUtils::DirectoryExists(temp / "one\\two\\three"));
    EXPECT_TRUE(SysUtils::ForceDirectories(deep)) << "an existing folder is fine";

    EXPECT_FALSE(SysUtils::ForceDirectories(""));
    // A file stands where a folder should go: nothing is made and the reason is kept.
    const std::string blocker = temp / "file";
    WriteWholeFile(blocker, "x");
    SetLastError(0);
    EXPECT_FALSE(SysUtils::ForceDirectories(blocker + "\\below"));
    EXPECT_NE(0u, GetLastError());
    EXPECT_TRUE(SysUtils::FileExists(blocker));
}

TEST(SysUtilsFilesTest, TempFolderIsAnExistingFolderWithoutTrailingBackslash)
{
    const std::string folder = SysUtils::TempFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE('\\', folder.back());
    EXPECT_TRUE(SysUtils::DirectoryExists(folder));
}

} // namespace
