// The program's folders from the system: the executable's folder and
// "_ZT" under the user's Documents (under Wine C:\users\<user>\Documents,
// which the test environment links into the build tree).
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "app/UserFolders.h"
#include "classlib/FileUtils.h"
#include "classlib/StrUtils.h"
#include "classlib/win/WideText.h"
#include "tests/support/DataFolder.h"

namespace {

using InitFoldersTest = cltest::DataFolderTest;

TEST_F(InitFoldersTest, PutsTheDataFolderUnderDocumentsAndMakesIt) {
    wchar_t exe[MAX_PATH], documents[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)));
    const std::string docs = cl::FromWide(documents);
    ASSERT_EQ(cl::UpperCase(docs.substr(0, 9)), "C:\\USERS\\");
    ASSERT_EQ(cl::UpperCase(docs.substr(docs.size() - 10)), "\\DOCUMENTS");
    ASSERT_FALSE(cl::DirectoryExists(docs + "\\_ZT\\sprawozdania"));

    InitFolders();

    EXPECT_EQ(ProgramFolder, cl::ExtractFilePath(cl::FromWide(exe)));
    EXPECT_EQ(ProgramFolder.back(), '\\');
    EXPECT_EQ(DataFolder, docs + "\\_ZT\\");
    EXPECT_EQ(StatementsFolder, docs + "\\_ZT\\sprawozdania");
    EXPECT_EQ(UpdateFolder, docs + "\\_ZT\\upg_d");
    EXPECT_TRUE(cl::DirectoryExists(DataFolder));
    EXPECT_TRUE(cl::DirectoryExists(StatementsFolder));
    EXPECT_TRUE(cl::DirectoryExists(UpdateFolder));
}

}  // namespace
