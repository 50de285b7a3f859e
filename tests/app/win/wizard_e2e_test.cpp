// The form-selection wizard of Sprawozdawca.exe driven as a user drives it:
// answers clicked page by page with "&Dalej >", the steps and the selected
// forms in their trees, the finished selection opening the forms, an empty
// answer refused, a changed audit answer accepted emptying the forms, and a
// click on a step that the changed answers cut off.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/calc1.h"
#include "tests/app/win/InstalledProgramTest.h"
#include "tests/support/Files.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;
using Lines = std::vector<std::string>;

const char kBusiness[] = "Wybór dokumentów dla jedn. prowadzących dział. gosp.";

class WizardE2eTest : public InstalledProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(updateServer_.Held());
        Start();
    }
    // The message box on the screen, answered with the button `id`.
    TMessageBoxView Answer(int id) {
        HWND box = program_->WaitForMessageBox(5000);
        EXPECT_TRUE(box) << program_->Describe();
        if (!box) return {};
        const TMessageBoxView view = ReadMessageBox(box);
        e2e::PressButton(box, id);
        EXPECT_TRUE(WaitUntil([&] { return !program_->FindMessageBox(); }, 5000));
        EXPECT_TRUE(program_->WaitForIdle());
        return view;
    }

    // The test copy's update check asks this port, which refuses it here.
    cltest::ClosedPort updateServer_{SPRAW_E2E_PORT, 60000};
};

TEST_F(WizardE2eTest, TheAuditedWayToTheFormsAndAChangedAuditAnswer) {
    Press("&Dalej >");
    Press("&Dalej >");
    const TMessageBoxView refused = Answer(IDOK);
    EXPECT_EQ(refused.Caption, "Błąd");
    EXPECT_EQ(refused.Text, "Odpowiedź nie została sprecyzowana!");

    Choose("rb0_2_1", 0);
    Press("&Dalej >");
    Choose("cb1_0_1");
    Press("&Dalej >");
    for (const char* box : {"cb1_1_1", "cb1_1_2", "cb1_1_3", "cb1_1_4"}) Choose(box);
    Choose("rb1_1_2", 1);
    Choose("rb1_1_3", 0);
    Press("&Dalej >");

    HWND steps = Named("XcTreeView1");
    EXPECT_EQ(TreeTexts(steps), (Lines{"Informacje wstępne", "Sposób rozliczenia", kBusiness, kBusiness,
                                       "Dobór formularzy zakończony"}));
    Lines titles;
    for (const char* form : {"bil", "rachzsp", "rachppb", "zestzf"}) titles.push_back(FindFormTitle(form));
    EXPECT_EQ(TreeTexts(Named("XcTreeView2")), titles);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Named("XcStaticText1")) == "Dobór zakończony"; }, 5000));
    const std::string snapshot = cltest::ReadBytes(cltest::DataFolderName() + "p.gpi");
    EXPECT_EQ(std::count(snapshot.begin(), snapshot.end(), '='), 14) << snapshot;
    EXPECT_NE(snapshot.find("rb1_1_2_ItemIndex=1\r\n"), std::string::npos) << snapshot;

    Press("&Formularze");
    EXPECT_TRUE(IsWindowVisible(Named("TabSheet2")));
    EXPECT_FALSE(IsWindowVisible(Named("TabSheet1")));

    // Back to the audit question through its step, the other answer, Yes.
    ASSERT_TRUE(ClickTreeItem(steps, TreeItems(steps).at(2).Handle));
    ASSERT_TRUE(program_->WaitForIdle());
    EXPECT_TRUE(IsWindowVisible(Named("Wiz1_0")));
    Choose("cb1_0_2");
    Press("&Dalej >");
    const TMessageBoxView warning = Answer(IDYES);
    EXPECT_EQ(warning.Caption, "Ostrzeżenie");
    EXPECT_EQ(TreeCount(Named("XcTreeView2")), 0);
    EXPECT_TRUE(IsWindowVisible(Named("Wiz1_2")));
    EXPECT_EQ(TreeTexts(steps), (Lines{"Informacje wstępne", "Sposób rozliczenia", kBusiness, kBusiness}));

    // The other entity kind, then a click on the last step, which that
    // answer cuts off: the wizard asks the new way's question instead.
    ASSERT_TRUE(ClickTreeItem(steps, "Sposób rozliczenia"));
    ASSERT_TRUE(program_->WaitForIdle());
    Choose("rb0_2_1", 1);
    ASSERT_TRUE(ClickTreeItem(steps, TreeItems(steps).at(3).Handle));
    ASSERT_TRUE(program_->WaitForIdle());
    ASSERT_TRUE(program_->Running());
    EXPECT_EQ(TreeTexts(steps), (Lines{"Informacje wstępne", "Sposób rozliczenia",
                                       "Wybór dokumentów dla jedn. nieprowadzących dział. gosp."}));
    EXPECT_EQ(TreeSelectedIndex(steps), 2);
    EXPECT_TRUE(IsWindowVisible(Named("Wiz2_1")));
}

}  // namespace
