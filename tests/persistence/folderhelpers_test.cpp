// Folder and file helpers: folder names with their delimiter, making a
// folder path, deleting files by mask.
#include <gtest/gtest.h>

#include <string>

#include "classlib/FileUtils.h"
#include "persistence/FileUtil.h"
#include "tests/support/TempFolder.h"

namespace {

using cltest::TempFolder;

// The cases are written with "\"; the native build's delimiter is "/".
std::string Native(std::string path) {
    for (char& c : path)
        if (c == '\\') c = cl::PathDelim;
    return path;
}

TEST(NormalizeDirName, AddsTheDelimiterOrMakesADriveOfOneLetter) {
    const struct {
        const char* name;
        const char* result;
    } cases[] = {
        {"c", "c:\\"}, {"Z", "Z:\\"}, {"C:\\Data", "C:\\Data\\"}, {"C:", "C:"},   {"C:\\", "C:\\"}, {"", ""},
        {"1", "1\\"},  {"ą", "ą\\"},  {"dane\\", "dane\\"},       {"ab", "ab\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizeDirName(Native(c.name)), Native(c.result)) << c.name;
}

TEST(ForceDirPath, MakesEveryMissingFolderOfThePath) {
    TempFolder folder;
    const std::string deep = folder.Name(Native("_ZT\\sprawozdania\\żółte"));
    ForceDirPath(deep + cl::PathDelim);
    EXPECT_TRUE(cl::DirectoryExists(folder.Name("_ZT")));
    EXPECT_TRUE(cl::DirectoryExists(deep));
    ForceDirPath(deep);  // already there
    EXPECT_TRUE(cl::DirectoryExists(deep));
}

TEST(ForceDirPath, LeavesAFolderThatCannotBeMadeUnreported) {
    TempFolder folder;
    cltest::WriteBytes(folder.Name("plik"), "x");
    ForceDirPath(folder.Name(Native("plik\\pod")));
    EXPECT_FALSE(cl::DirectoryExists(folder.Name(Native("plik\\pod"))));
    ForceDirPath("");
    ForceDirPath(Native("\\"));
}

TEST(DeleteFilesByMask, DeletesMatchingFilesAndLeavesFolders) {
    TempFolder folder;
    for (const char* name : {"upgr.id_", "a.tmp", "b.tmp", "ważne.txt"})
        cltest::WriteBytes(folder.Name(name), "x");
    ASSERT_TRUE(cl::CreateDir(folder.Name("k.tmp")));

    EXPECT_TRUE(DeleteFilesByMask(folder.Name("*.tmp")));
    EXPECT_FALSE(cl::FileExists(folder.Name("a.tmp")));
    EXPECT_FALSE(cl::FileExists(folder.Name("b.tmp")));
    EXPECT_TRUE(cl::DirectoryExists(folder.Name("k.tmp")));
    EXPECT_TRUE(cl::FileExists(folder.Name("ważne.txt")));

    EXPECT_TRUE(DeleteFilesByMask(folder.Name("*")));
    EXPECT_FALSE(cl::FileExists(folder.Name("upgr.id_")));
    EXPECT_FALSE(cl::FileExists(folder.Name("ważne.txt")));
    EXPECT_TRUE(cl::DirectoryExists(folder.Name("k.tmp")));
}

TEST(DeleteFilesByMask, NoMatchesIsSuccess) {
    TempFolder folder;
    EXPECT_TRUE(DeleteFilesByMask(folder.Name("*.brak")));
    EXPECT_TRUE(DeleteFilesByMask(folder.Name(Native("brak\\*"))));
}

}  // namespace
