// Files and folders by Windows-1250 name: existence, folders, deletion,
// attributes, listing by mask, full and folder parts of names.
#include "classlib/FileUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using cltest::TempFolder;

std::set<std::string> NamesOf(const std::vector<TSearchRec>& found) {
    std::set<std::string> names;
    for (const TSearchRec& rec : found) names.insert(rec.Name);
    return names;
}

TEST(FileUtils, TellsFilesFromFoldersByPolishName) {
    TempFolder folder;
    const std::string file = folder.Name("źródło.txt");
    const std::string dir = folder.Name("żółty");
    cltest::WriteBytes(file, "abc");
    ASSERT_TRUE(CreateDir(dir));

    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_TRUE(DirectoryExists(dir));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_FALSE(FileExists(folder.Name("brak.txt")));
    EXPECT_FALSE(DirectoryExists(folder.Name("brak")));
}

TEST(FileUtils, CreateDirNeedsTheParentAndRefusesAnExistingFolder) {
    TempFolder folder;
    EXPECT_FALSE(CreateDir(TempFolder::Join(folder.Name("a"), "b")));
    EXPECT_TRUE(CreateDir(folder.Name("a")));
    EXPECT_FALSE(CreateDir(folder.Name("a")));
    EXPECT_TRUE(CreateDir(TempFolder::Join(folder.Name("a"), "b")));
}

TEST(FileUtils, RemoveFileDeletesFilesOnly) {
    TempFolder folder;
    const std::string file = folder.Name("plik.txt");
    cltest::WriteBytes(file, "x");
    ASSERT_TRUE(CreateDir(folder.Name("katalog")));

    EXPECT_TRUE(RemoveFile(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(RemoveFile(file));
    EXPECT_FALSE(RemoveFile(folder.Name("katalog")));
    EXPECT_TRUE(DirectoryExists(folder.Name("katalog")));
}

TEST(FileUtils, AttributesReadBackAndMissingEntriesGiveMinusOne) {
    TempFolder folder;
    const std::string file = folder.Name("p.gpi");
    cltest::WriteBytes(file, "x");

    EXPECT_EQ(FileGetAttr(folder.Name("brak")), -1);
    EXPECT_FALSE(FileSetAttr(folder.Name("brak"), faArchive));
    EXPECT_TRUE(FileGetAttr(folder.Name("")) & faDirectory);

    ASSERT_TRUE(FileSetAttr(file, faReadOnly | faArchive));
    EXPECT_EQ(FileGetAttr(file) & (faReadOnly | faDirectory), faReadOnly);
    ASSERT_TRUE(FileSetAttr(file, faArchive));
    EXPECT_EQ(FileGetAttr(file) & (faReadOnly | faDirectory), 0);
}

TEST(FileUtils, FindFilesMatchesTheMaskInItsFolder) {
    TempFolder folder;
    for (const char* name : {"a.txt", "b.txt", "ćma.txt", "c.dat", "ab.txt"})
        cltest::WriteBytes(folder.Name(name), "12345");
    ASSERT_TRUE(CreateDir(folder.Name("d.txt")));

    const struct {
        const char* mask;
        uint32_t attr;
        std::set<std::string> names;
    } cases[] = {
        {"*.txt", faAnyFile, {"a.txt", "b.txt", "ćma.txt", "ab.txt", "d.txt"}},
        {"*.txt", faArchive, {"a.txt", "b.txt", "ćma.txt", "ab.txt"}},
        {"?.txt", faArchive, {"a.txt", "b.txt"}},
        {"ćma.txt", faAnyFile, {"ćma.txt"}},
        {"*.xyz", faAnyFile, {}},
        {"*.*", faArchive, {"a.txt", "b.txt", "ćma.txt", "ab.txt", "c.dat"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(NamesOf(FindFiles(folder.Name(c.mask), c.attr)), c.names);
    }
    const auto found = FindFiles(folder.Name("c.dat"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Size, 5);
    EXPECT_EQ(found[0].Attr & faDirectory, 0u);
    EXPECT_TRUE(FindFiles(TempFolder::Join(folder.Name("brak"), "*")).empty());
}

TEST(FileUtils, ListingEveryEntryIncludesTheDotEntries) {
    TempFolder folder;
    cltest::WriteBytes(folder.Name("x"), "");
    EXPECT_EQ(NamesOf(FindFiles(folder.Name("*"))), (std::set<std::string>{".", "..", "x"}));
}

TEST(FileUtils, ExtractFilePathKeepsTheLastDelimiter) {
    const std::string d(1, PathDelim);
    EXPECT_EQ(ExtractFilePath("a" + d + "b" + d + "c.txt"), "a" + d + "b" + d);
    EXPECT_EQ(ExtractFilePath("a" + d + "b" + d), "a" + d + "b" + d);
    EXPECT_EQ(ExtractFilePath("c.txt"), "");
    EXPECT_EQ(ExtractFilePath(""), "");
#ifdef _WIN32
    EXPECT_EQ(ExtractFilePath("C:plik.txt"), "C:");
#endif
}

TEST(FileUtils, ExpandFileNameMakesRelativeNamesFull) {
    TempFolder folder;
    const std::string full = ExpandFileName("względna.txt");
    EXPECT_EQ(full.substr(full.size() - 13), std::string(1, PathDelim) + "względna.txt");
    EXPECT_NE(full, "względna.txt");
    EXPECT_EQ(ExpandFileName(folder.Name("x.txt")), folder.Name("x.txt"));
}

}  // namespace
