// Deleting by mask stops at the first file the system refuses to delete.
#include <gtest/gtest.h>
#include <windows.h>

#include "classlib/FileUtils.h"
#include "persistence/FileUtil.h"
#include "tests/support/TempFolder.h"

namespace {

using cltest::TempFolder;

TEST(DeleteFilesByMask, AReadOnlyFileStopsItWithFalse) {
    TempFolder folder;
    cltest::WriteBytes(folder.Name("chroniony.txt"), "x");
    ASSERT_TRUE(cl::FileSetAttr(folder.Name("chroniony.txt"), cl::faReadOnly));

    EXPECT_FALSE(DeleteFilesByMask(folder.Name("*.txt")));
    EXPECT_TRUE(cl::FileExists(folder.Name("chroniony.txt")));
    cl::FileSetAttr(folder.Name("chroniony.txt"), cl::faArchive);
}

TEST(DeleteFilesByMask, ARelativeMaskIsTakenFromTheWorkingFolder) {
    TempFolder folder;
    cltest::WriteBytes(folder.Name("w.tmp"), "x");
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(cltest::PathOf(folder.Name("")).c_str()));
    const bool deleted = DeleteFilesByMask("*.tmp");
    SetCurrentDirectoryW(saved);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(cl::FileExists(folder.Name("w.tmp")));
}

}  // namespace
