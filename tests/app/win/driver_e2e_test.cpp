// The driver's own abilities, against a small program of class-library
// controls (tests/driver/DriverTarget.cpp): tree
// items read and clicked, list boxes, check marks and radio groups read,
// text typed, buttons found by caption (a message box's too), file dialogs answered
// with a path, waiting for the program to be idle, the data folder emptied
// around each test, and the desktop saved when a test fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/driver/ProgramTest.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace e2e;
using Lines = std::vector<std::string>;

constexpr int kStartMs = 20000;

class DriverTest : public ProgramTest {
protected:
    void SetUp() override {
        main_ = program_.WaitForName("TargetForm", kStartMs);
        ASSERT_TRUE(main_) << program_.Describe();
        ASSERT_TRUE(program_.WaitForIdle());
    }
    HWND Named(const std::string& name) const {
        HWND wnd = program_.FindByName(name, false);
        EXPECT_TRUE(wnd) << name << "\n" << program_.Describe();
        return wnd;
    }
    // What the target last did, once it is idle.
    std::string Status() const {
        EXPECT_TRUE(program_.WaitForIdle());
        return WindowText(Named("Status"));
    }

    TProgram program_{WinePath(SPRAW_DRIVER_TARGET), cltest::ExeFolder()};
    HWND main_ = nullptr;
};

TEST_F(DriverTest, ReadsTheTreesItemsAndClicksOne) {
    HWND tree = Named("Tree");
    EXPECT_EQ(TreeCount(tree), 5);
    EXPECT_EQ(TreeTexts(tree), (Lines{"Informacje wstępne", "Sposób rozliczenia", "Bilans",
                                      "Rachunek zysków i strat", "Dobór zakończony"}));
    std::vector<int> levels;
    for (const TTreeItem& item : TreeItems(tree)) levels.push_back(item.Level);
    EXPECT_EQ(levels, (std::vector<int>{0, 0, 1, 1, 0}));
    ASSERT_TRUE(ClickTreeItem(tree, "Rachunek zysków i strat"));
    EXPECT_EQ(Status(), "wybrano: Rachunek zysków i strat");
    EXPECT_EQ(TreeSelectedIndex(tree), 3);
    EXPECT_TRUE(TreeItems(tree)[3].Selected);
    EXPECT_FALSE(ClickTreeItem(tree, "Brak"));
}

TEST_F(DriverTest, ReadsTheListBoxAndClicksAnItem) {
    HWND list = Named("List");
    EXPECT_EQ(ListItems(list), (Lines{"Pole 12: błąd sumy", "Strona 2: brak szablonu", "Zażółć gęślą jaźń"}));
    EXPECT_EQ(ListItemIndex(list), -1);
    ASSERT_TRUE(ClickListItem(list, 2));
    EXPECT_EQ(Status(), "pozycja 2");
    EXPECT_EQ(ListItemIndex(list), 2);
    EXPECT_FALSE(ClickListItem(list, 3));
}

TEST_F(DriverTest, ReadsCheckMarksAndRadioGroupsAndClicksThem) {
    const struct {
        const char* name;
        bool checked;
    } marks[] = {{"Check", true}, {"Unchecked", false}, {"RadioA", false}, {"RadioB", true}};
    for (const auto& m : marks) EXPECT_EQ(IsChecked(Named(m.name)), m.checked) << m.name;
    HWND group = Named("Group");
    const std::vector<HWND> items = GroupItems(group);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(WindowText(items[0]), "wariant kalkulacyjny");
    EXPECT_EQ(WindowText(items[1]), "wariant porównawczy");
    EXPECT_EQ(GroupItemIndex(group), 1);
    ASSERT_TRUE(Click(items[0]));
    ASSERT_TRUE(Click(Named("Unchecked")));
    ASSERT_TRUE(Click(Named("RadioA")));
    ASSERT_TRUE(program_.WaitForIdle());
    EXPECT_EQ(GroupItemIndex(group), 0);
    EXPECT_TRUE(IsChecked(Named("Unchecked")));
    EXPECT_TRUE(IsChecked(Named("RadioA")));
    EXPECT_FALSE(IsChecked(Named("RadioB")));
}

TEST_F(DriverTest, FindsButtonsByCaptionAndClicksOnlyEnabledOnes) {
    HWND next = program_.FindButton("&Dalej >");
    ASSERT_TRUE(next) << program_.Describe();
    EXPECT_EQ(ComponentName(next), "Next");
    HWND back = program_.FindButton("< &Wstecz");
    ASSERT_TRUE(back);
    EXPECT_FALSE(program_.FindButton("Dalej >")) << "captions match exactly";
    EXPECT_FALSE(Click(back)) << "a disabled button";
    ASSERT_TRUE(Click(next));
    EXPECT_EQ(Status(), "dalej");
}

TEST_F(DriverTest, TypesTextIntoAnEdit) {
    HWND edit = Named("Edit");
    ASSERT_TRUE(Click(edit));
    PostText(edit, "1234,5 zł");
    ASSERT_TRUE(program_.WaitForIdle());
    EXPECT_EQ(WindowText(edit), "1234,5 zł");
}

TEST_F(DriverTest, AnswersAMessageBoxByTheCaptionOfItsButton) {
    ASSERT_TRUE(Click(program_.FindButton("&Pytaj")));
    HWND box = program_.WaitForMessageBox(5000);
    ASSERT_TRUE(box) << program_.Describe();
    EXPECT_EQ(ReadMessageBox(box).Text, "Czy kontynuować?");
    ASSERT_TRUE(program_.WaitForIdle()) << "a message box waits for the user";
    HWND yes = program_.FindButton("&Tak");
    ASSERT_TRUE(yes) << program_.Describe();
    ASSERT_TRUE(Click(yes));
    EXPECT_EQ(Status(), "tak");
    EXPECT_FALSE(program_.FindMessageBox());
}

TEST_F(DriverTest, AnswersTheOpenAndSaveDialogsWithAPath) {
    cltest::TempFolder folder;
    const std::string existing = folder.Name("Zażółć 2024.spr");
    cltest::WriteBytes(existing, "dane");
    const struct {
        const char* button;
        std::string path;  // "" cancels
        std::string status;
    } cases[] = {
        {"&Otwórz...", existing, "odczyt: " + existing},
        {"&Zapisz...", folder.Name("nowe.spr"), "zapis: " + folder.Name("nowe.spr")},
        {"&Otwórz...", "", "anulowano"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button + (" " + c.path));
        ASSERT_TRUE(Click(program_.FindButton(c.button)));
        HWND dialog = program_.WaitForFileDialog(10000);
        ASSERT_TRUE(dialog) << program_.Describe();
        if (c.path.empty())
            CancelFileDialog(dialog);
        else
            ASSERT_TRUE(AnswerFileDialog(dialog, c.path));
        EXPECT_TRUE(WaitUntil([&] { return !program_.FindFileDialog(); }, 5000)) << program_.Describe();
        EXPECT_EQ(Status(), c.status);
    }
}

TEST_F(DriverTest, WaitsUntilPostedWorkIsDone) {
    // Twelve steps of 40 ms, each posted by the one before.
    ASSERT_TRUE(Click(program_.FindButton("&Licz")));
    ASSERT_TRUE(program_.WaitForIdle());
    EXPECT_EQ(WindowText(Named("Status")), "policzone");
}

TEST_F(DriverTest, TheDataFolderIsEmptiedAroundEachTest) {
    namespace fs = std::filesystem;
    const fs::path folder = cltest::PathOf(cltest::DataFolderName());
    fs::create_directories(folder / "sprawozdania");
    auto empty = [&] { return fs::is_empty(folder); };
    EXPECT_FALSE(empty());
    cltest::WriteBytes(cltest::DataFolderName() + "p.gpi", "stan");
    { cltest::EmptyDataFolder scope; }
    EXPECT_TRUE(fs::exists(folder));
    EXPECT_TRUE(empty());
}

TEST_F(DriverTest, SavesTheDesktopWhenATestFails) {
    const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
    const std::string picture = cltest::FailureScreenshots::PictureOf(test);
    std::filesystem::create_directories(cltest::PathOf(cltest::ExeFolder() + "screenshots"));
    cltest::WriteBytes(picture, "an earlier run's");
    ASSERT_TRUE(cltest::FileExists(picture));
    cltest::FailureScreenshots listener;
    listener.OnTestStart(test);
    EXPECT_FALSE(cltest::FileExists(picture));
    listener.OnTestPartResult(::testing::TestPartResult(::testing::TestPartResult::kNonFatalFailure, __FILE__,
                                                        __LINE__, "a failure"));
    const std::string bytes = cltest::ReadBytes(picture);
    ASSERT_GE(bytes.size(), 54u) << picture;
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    const auto width = *reinterpret_cast<const int32_t*>(bytes.data() + 18);
    const auto height = *reinterpret_cast<const int32_t*>(bytes.data() + 22);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_EQ(bytes.size(), 54u + ((width * 3 + 3) & ~3) * height);
    std::filesystem::remove(cltest::PathOf(picture));
}

}  // namespace
