// The program's folders: "_ZT" under Documents with its two subfolders,
// or everything under the program folder when there is no Documents folder.
#include "app/UserFolders.h"

#include <gtest/gtest.h>

#include <string>

#include "classlib/FileUtils.h"
#include "tests/support/TempFolder.h"

namespace {

using cltest::TempFolder;

const std::string kDelim(1, cl::PathDelim);

TEST(SetUpFolders, MakesTheDataFolderUnderDocumentsWithBothSubfolders) {
    for (const bool trailingDelimiter : {false, true}) {
        SCOPED_TRACE(trailingDelimiter);
        TempFolder folder;
        const std::string program = folder.Name("Program Files" + kDelim);
        const std::string documents =
            folder.Name(trailingDelimiter ? "Moje dokumenty" + kDelim : "Moje dokumenty");
        ASSERT_TRUE(cl::CreateDir(program));
        ASSERT_TRUE(cl::CreateDir(documents));

        SetUpFolders(program, documents);

        const std::string data = folder.Name("Moje dokumenty" + kDelim + "_ZT" + kDelim);
        EXPECT_EQ(ProgramFolder, program);
        EXPECT_EQ(DataFolder, data);
        EXPECT_EQ(StatementsFolder, data + "sprawozdania");
        EXPECT_EQ(UpdateFolder, data + "upg_d");
        EXPECT_TRUE(cl::DirectoryExists(DataFolder));
        EXPECT_TRUE(cl::DirectoryExists(StatementsFolder));
        EXPECT_TRUE(cl::DirectoryExists(UpdateFolder));
    }
}

TEST(SetUpFolders, KeepsWhatIsAlreadyThere) {
    TempFolder folder;
    const std::string documents = folder.Name("Dokumenty");
    ASSERT_TRUE(cl::CreateDir(documents));
    SetUpFolders(folder.Name(""), documents);
    const std::string statement = StatementsFolder + kDelim + "bilans.spr";
    cltest::WriteBytes(statement, "dane");

    SetUpFolders(folder.Name(""), documents);

    EXPECT_EQ(cltest::ReadBytes(statement), "dane");
}

TEST(SetUpFolders, FallsBackToTheProgramFolderWithoutDocuments) {
    TempFolder folder;
    const std::string program = folder.Name("Sprawozdawca" + kDelim);
    ASSERT_TRUE(cl::CreateDir(program));

    SetUpFolders(program, "");

    EXPECT_EQ(DataFolder, program);
    EXPECT_EQ(StatementsFolder, program + "sprawozdania");
    EXPECT_EQ(UpdateFolder, program + "upg_d");
    EXPECT_TRUE(cl::DirectoryExists(StatementsFolder));
    EXPECT_TRUE(cl::DirectoryExists(UpdateFolder));
    EXPECT_FALSE(cl::DirectoryExists(program + "_ZT"));
}

}  // namespace
