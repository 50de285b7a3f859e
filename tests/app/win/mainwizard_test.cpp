// The wizard on the main window: its pages and buttons, incomplete answers,
// the warning on changed answers, the snapshot, clicks on steps, the active
// step kept in view, the reset for a new statement, and the selected forms'
// list kept whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "app/UserFolders.h"
#include "app/WizardPages.h"
#include "classlib/Scope.h"
#include "tests/app/win/MainFormFixture.h"
#include "tests/app/win/WizardTestSupport.h"
#include "tests/support/Files.h"

namespace {

// The next allocation of the armed size fails once (for the out-of-memory
// path of adding a form).
size_t failingSize = 0;

}  // namespace

void* operator new(size_t size) {
    if (size == failingSize) {
        failingSize = 0;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// The replaced new allocates with malloc; GCC cannot see that the pair matches.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace {

using namespace cl;
using namespace maintest;

const Answers kAudited = {{"cb1_0_1", 1}};
const Answers kBalance = {{"cb1_1_1", 1}};

class WizardTest : public MainFormTest {
protected:
    // To the end of the audited way with the balance sheet selected.
    void Finish() { Walk(*form_, {{}, {{"rb0_2_1", 0}}, kAudited, kBalance}); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : answers_.boxes) texts.push_back(box.text);
        return texts;
    }
    cl::TTreeNode* StepNode(TXcWizardCustomPage* page) const { return StepNodeOf(*form_, page); }
};

const char kNotAnswered[] = "Odpowiedź nie została sprecyzowana!";

TEST_F(WizardTest, PagesShowTheirTitlesAndButtons) {
    const struct {
        TXcWizardInteriorPage* page;
        TXcWizardButtonSet buttons;
    } pages[] = {
        {form_->Wiz0_1, {bkNext}},
        {form_->Wiz0_2, {bkBack, bkNext}},
        {form_->Wiz1_0, {bkBack, bkNext}},
        {form_->Wiz1_1, {bkBack, bkNext}},
        {form_->Wiz1_2, {bkBack, bkNext}},
        {form_->Wiz2_1, {bkBack, bkNext}},
        {form_->Wiz100_1, {bkBack, bkFinish}},
    };
    ASSERT_EQ(form_->XcWizard1->PageCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(form_->XcWizard1->GetPage(i), pages[i].page);
        EXPECT_EQ(pages[i].page->VisibleButtons(), pages[i].buttons) << pages[i].page->Name();
        EXPECT_EQ(pages[i].page->Header()->Subtitle()->Text(), " ");
    }
    EXPECT_EQ(form_->Wiz1_2->Header()->Title()->Text(),
              "Wybór dokumentów dla jedn. prowadzących dział. gosp.");
    const std::pair<TXcWizardButtonKind, const char*> captions[] = {
        {bkStart, "To P&ierwsza str."},
        {bkLast, "To &Ostatnia str."},
        {bkBack, "< &Wstecz"},
        {bkNext, "&Dalej >"},
        {bkFinish, "&Formularze"},
        {TXcWizardButtonKind::bkCancel, "Przerwij"},
        {TXcWizardButtonKind::bkHelp, "&Pomoc"},
    };
    for (const auto& [kind, caption] : captions)
        EXPECT_EQ(form_->XcWizard1->ButtonControl(kind)->Caption(), caption);
    // A window of its own, as the test driver finds buttons.
    wchar_t text[32] = {};
    GetWindowTextW(form_->XcWizard1->ButtonControl(bkNext)->Handle(), text, 32);
    EXPECT_EQ(FromWide(text), "&Dalej >");
    // The first step exists before the window's creation handler, which keeps it.
    EXPECT_EQ(ActivePage(*form_), "Wiz0_1");
    EXPECT_EQ(Steps(*form_), Names{"Wiz0_1"});
    TTreeNode* first = form_->XcTreeView1->Items()->GetFirstNode();
    EXPECT_EQ(first->Text(), "Informacje wstępne");
    EXPECT_EQ(first->ImageIndex(), 0);
    EXPECT_EQ(first->SelectedIndex(), 1);
    EXPECT_TRUE(first->Selected());
}

TEST_F(WizardTest, IncompleteAnswersStopNextAndBackFromAnOlderStep) {
    Walk(*form_, {{}, {}});
    EXPECT_EQ(Texts(), std::vector<std::string>{kNotAnswered});
    EXPECT_EQ(answers_.boxes[0].caption, "Błąd");
    EXPECT_EQ(ActivePage(*form_), "Wiz0_2");
    EXPECT_EQ(Steps(*form_), (Names{"Wiz0_1", "Wiz0_2"}));
    Press(*form_, bkBack);
    EXPECT_EQ(ActivePage(*form_), "Wiz0_1") << "back from the newest step";

    Finish();
    Press(*form_, bkBack);
    Answer(*form_, {{"cb1_1_1", 0}});
    answers_.boxes.clear();
    Press(*form_, bkBack);
    Press(*form_, bkNext);
    EXPECT_EQ(Texts(), (std::vector<std::string>{kNotAnswered, kNotAnswered}));
    EXPECT_EQ(ActivePage(*form_), "Wiz1_1");
}

TEST_F(WizardTest, EnteringAPageChoosesNoAnswer) {
    Walk(*form_, {{}, {{"rb0_2_1", 0}}});
    ASSERT_EQ(ActivePage(*form_), "Wiz1_0");
    EXPECT_FALSE(form_->cb1_0_1->Checked());
    EXPECT_FALSE(form_->cb1_0_2->Checked());
    Press(*form_, bkBack);
    Press(*form_, bkBack);
    ResetWizard(*form_);
    Press(*form_, bkNext);
    ASSERT_EQ(ActivePage(*form_), "Wiz0_2");
    EXPECT_EQ(form_->rb0_2_1->ItemIndex(), -1);
}

TEST_F(WizardTest, VariantGroupsFollowTheirBoxesExceptWhileAStatementLoads) {
    TMainForm& f = *form_;
    const std::pair<TCheckBox*, TRadioGroup*> variants[] = {
        {f.cb1_1_2, f.rb1_1_2}, {f.cb1_1_3, f.rb1_1_3}, {f.cb1_2_2, f.rb1_2_2}};
    for (const auto& [box, group] : variants) {
        box->SetChecked(true);
        EXPECT_TRUE(group->Enabled()) << box->Name();
        box->SetChecked(false);
        EXPECT_FALSE(group->Enabled()) << box->Name();
        {
            const TBusyFlag loading(LoadingStatement);
            box->SetChecked(true);
        }
        EXPECT_FALSE(group->Enabled()) << box->Name();
    }
    f.cb1_1_4->SetChecked(true);
    EXPECT_TRUE(f.rb1_1_2->Enabled()) << "the last box opens the profit and loss variants too";
}

TEST_F(WizardTest, OnlyAChangedSecondLeaveWithFormsWarns) {
    // Changed without forms: no warning; the later steps go.
    Walk(*form_, {{}, {{"rb0_2_1", 1}}});
    Press(*form_, bkBack);
    Walk(*form_, {{{"rb0_2_1", 0}}});
    EXPECT_TRUE(answers_.boxes.empty());
    EXPECT_EQ(Steps(*form_), (Names{"Wiz0_1", "Wiz0_2", "Wiz1_0"}));
    // Unchanged with forms: no warning.
    Walk(*form_, {kAudited, kBalance});
    Press(*form_, bkBack);
    Press(*form_, bkNext);
    EXPECT_TRUE(answers_.boxes.empty());
    // Changed with forms: Yes empties the forms and lands on a reset page.
    Press(*form_, bkBack);
    Press(*form_, bkBack);
    ASSERT_EQ(ActivePage(*form_), "Wiz1_0");
    Answer(*form_, {{"cb1_0_2", 1}});
    answers_.answer = IDYES;
    Press(*form_, bkNext);
    EXPECT_EQ(answers_.boxes.size(), 1u);
    EXPECT_EQ(ActivePage(*form_), "Wiz1_2");
    EXPECT_TRUE(Forms(*form_).empty());
    EXPECT_EQ(Steps(*form_), (Names{"Wiz0_1", "Wiz0_2", "Wiz1_0", "Wiz1_2"}));
    EXPECT_FALSE(form_->cb1_2_1->Checked() || form_->cb1_2_2->Checked());
    EXPECT_FALSE(form_->rb1_2_2->Enabled());
}

TEST_F(WizardTest, TheSnapshotHoldsTheAnswersOfEveryPageChange) {
    Walk(*form_, {{}, {{"rb0_2_1", 1}}});
    const std::string file = cltest::ReadBytes(DataFolder + "p.gpi");
    EXPECT_NE(file.find("rb0_2_1_ItemIndex=1\r\n"), std::string::npos) << file;
    EXPECT_EQ(std::count(file.begin(), file.end(), '='), 14);
}

TEST_F(WizardTest, ASnapshotThatCannotBeWrittenIsReportedAndTheWizardGoesOn) {
    std::filesystem::create_directory(cltest::PathOf(DataFolder + "p.gpi"));
    Walk(*form_, {{}, {{"rb0_2_1", 0}}});
    ASSERT_GE(answers_.boxes.size(), 2u);
    EXPECT_EQ(answers_.boxes[0].text, "Zapis do pliku dyskowego jest niemożliwy.");
    EXPECT_EQ(answers_.boxes[0].caption, "Błąd");
    EXPECT_EQ(ActivePage(*form_), "Wiz1_0");
}

// A failed write only returns false; what makes the store raise is memory
// running out, here as its INI file object copies the snapshot's name.
TEST_F(WizardTest, AStoreThatRaisesIsReportedWithTheDataFolderAndTheWizardGoesOn) {
    Press(*form_, bkNext);
    Answer(*form_, {{"rb0_2_1", 0}});
    // Armed as the page change reaches its store, so nothing before takes it.
    const size_t nameCopy = form_->Snapshot->FileName().size() + 1;
    form_->XcWizard1->OnActivePageChanged = [this, nameCopy](TObject* s) {
        failingSize = nameCopy;
        form_->XcWizard1ActivePageChanged(s);
    };
    Press(*form_, bkNext);
    failingSize = 0;
    EXPECT_EQ(Texts(), std::vector<std::string>{"Wystąpił problem z zapisem danych na dysku w folderze " +
                                                cltest::DataFolderName() +
                                                ".Kontynuacja pracy z programem będzie możliwa po usunięciu "
                                                "przyczyn występowania tego problemu."});
    ASSERT_FALSE(answers_.boxes.empty());
    EXPECT_EQ(answers_.boxes[0].caption, "Błąd");
    EXPECT_EQ(ActivePage(*form_), "Wiz1_0");
    EXPECT_EQ(form_->XcTreeView1->Selected(), StepNode(form_->Wiz1_0));
}

TEST_F(WizardTest, ClickingAnOlderStepChecksTheAnswersOfThePageLeft) {
    Finish();
    form_->XcTreeView1->SetSelected(StepNode(form_->Wiz0_2));
    cltest::Pump();
    EXPECT_EQ(ActivePage(*form_), "Wiz0_2");
    EXPECT_EQ(StepOf(StepNode(form_->Wiz100_1))->VisitCount, 1);
    // Incomplete there: refused, and the active page's step is selected again
    // without storing the refused answers.
    Answer(*form_, {{"rb0_2_1", -1}});
    form_->XcTreeView1->SetSelected(StepNode(form_->Wiz1_1));
    cltest::Pump();
    EXPECT_EQ(Texts(), std::vector<std::string>{kNotAnswered});
    EXPECT_EQ(ActivePage(*form_), "Wiz0_2");
    EXPECT_EQ(form_->XcTreeView1->Selected(), StepNode(form_->Wiz0_2));
    EXPECT_EQ(form_->Snapshot->ForChangeCheck()[static_cast<size_t>(AnswerIndex("rb0_2_1"))], 0);
}

TEST_F(WizardTest, TheActiveStepShowsWholeInAShortStepsTreeFromItsLeftEdge) {
    form_->XcTreeView1->SetHeight(56);  // two lines above the scroll bar
    auto shows = [this](TXcWizardCustomPage* page) {
        const TRect line = StepNode(page)->DisplayRect(false);
        return line.top >= 0 && line.bottom <= form_->XcTreeView1->ClientHeight() &&
               GetScrollPos(form_->XcTreeView1->Handle(), SB_HORZ) == 0 &&
               form_->XcTreeView1->Selected() == StepNode(page);
    };
    Finish();
    EXPECT_TRUE(shows(form_->Wiz100_1));
    // Scrolled away by the user, the tree comes back to the page in force.
    SendMessageW(form_->XcTreeView1->Handle(), WM_VSCROLL, SB_TOP, 0);
    Press(*form_, bkBack);
    EXPECT_EQ(ActivePage(*form_), "Wiz1_1");
    EXPECT_TRUE(shows(form_->Wiz1_1));
}

TEST_F(WizardTest, AStepClickedWhileBusyGivesTheHighlightBackToThePageInForce) {
    Finish();
    for (bool* busy : {&LoadingStatement, &AddingForm, &form_->Rendering}) {
        const FlagScope flag(*busy);
        form_->XcTreeView1->SetSelected(StepNode(form_->Wiz0_2));
        cltest::Pump();
        EXPECT_EQ(ActivePage(*form_), "Wiz100_1");
        EXPECT_EQ(form_->XcTreeView1->Selected(), StepNode(form_->Wiz100_1));
    }
    EXPECT_TRUE(Texts().empty());
}

// The rules of the page left cut off the requested step: it is treated as a
// new step, so no question on the way is skipped.
TEST_F(WizardTest, AChangeThatCutsOffTheRequestedStepAsksEveryLaterQuestion) {
    Walk(*form_, {{}, {{"rb0_2_1", 1}}, {{"cb2_1_1", 1}}});
    answers_.answer = IDYES;
    // Next from a changed entity kind.
    form_->XcTreeView1->SetSelected(StepNode(form_->Wiz0_2));
    cltest::Pump();
    Answer(*form_, {{"rb0_2_1", 0}});
    Press(*form_, bkNext);
    EXPECT_EQ(ActivePage(*form_), "Wiz1_0");
    EXPECT_EQ(Steps(*form_), (Names{"Wiz0_1", "Wiz0_2", "Wiz1_0"}));
    // A click on the end step, cut off by a changed answer.
    Walk(*form_, {kAudited, kBalance});
    form_->XcTreeView1->SetSelected(StepNode(form_->Wiz0_2));
    cltest::Pump();
    Answer(*form_, {{"rb0_2_1", 1}});
    form_->XcTreeView1->SetSelected(StepNode(form_->Wiz100_1));
    cltest::Pump();
    EXPECT_EQ(ActivePage(*form_), "Wiz2_1");
    EXPECT_EQ(Steps(*form_), (Names{"Wiz0_1", "Wiz0_2", "Wiz2_1"}));
    EXPECT_FALSE(form_->IsSelectionFinished());
    EXPECT_EQ(form_->XcTreeView1->Selected(), StepNode(form_->Wiz2_1));
}

TEST_F(WizardTest, TheResetForANewStatementNeitherChecksNorRunsRules) {
    const struct {
        const char* what;
        Answers change;  // on Wiz1_1, an older step
    } cases[] = {{"from an incomplete page", {{"cb1_1_1", 0}}}, {"from a changed page", {{"cb1_1_4", 1}}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetWizard(*form_);
        Finish();
        Press(*form_, bkBack);
        Answer(*form_, c.change);
        answers_.boxes.clear();
        EXPECT_TRUE(ResetWizard(*form_));
        EXPECT_TRUE(answers_.boxes.empty());
        EXPECT_EQ(ActivePage(*form_), "Wiz0_1");
        EXPECT_EQ(Steps(*form_), Names{"Wiz0_1"});
        EXPECT_TRUE(Forms(*form_).empty());
        Press(*form_, bkNext);
        EXPECT_EQ(ActivePage(*form_), "Wiz0_2");
        EXPECT_EQ(form_->rb0_2_1->ItemIndex(), -1);
        EXPECT_TRUE(answers_.boxes.empty());
    }
}

TEST_F(WizardTest, FinishOpensTheFormsOnlyWhenTheCommandIsEnabled) {
    Finish();
    form_->Twojeformularze1->SetEnabled(false);
    Press(*form_, bkFinish);
    EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet1) << "before the idle update";
    form_->Oprogramie1Update(nullptr);
    Press(*form_, bkFinish);
    EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet2);
    EXPECT_EQ(form_->XcTreeView2->Selected(), form_->XcTreeView2->Items()->GetFirstNode());
    EXPECT_FALSE(form_->FirstRendering);
}

TEST_F(WizardTest, AddingKeepsEachFormOnceAndNothingHalfAdded) {
    EXPECT_EQ(form_->AddSelectedForm("bil"), 0);
    EXPECT_EQ(form_->AddSelectedForm("BIL"), -1);
    EXPECT_EQ(form_->AddSelectedForm("nieznany"), -1);
    EXPECT_EQ(form_->RemoveSelectedForm("nieznany"), 0);
    const TFrmFeature& rachw = FormCatalogue[8];
    ASSERT_EQ(rachw.Name, "rachw");
    for (size_t size : {sizeof(TDataValue), sizeof(TXcTreeNode)}) {
        failingSize = size;
        EXPECT_EQ(form_->AddSelectedForm("rachw"), -1);
        failingSize = 0;
        EXPECT_EQ(Forms(*form_), Names{"bil"});
        for (int field = rachw.FirstID; field <= rachw.LastID; ++field)
            EXPECT_FALSE(DataValues[field]) << field;
        EXPECT_FALSE(AddingForm);
        EXPECT_TRUE(form_->XcTreeView2->OnChange);
    }
    EXPECT_EQ(Texts(), (std::vector<std::string>(2, "Brak pamięci w komputerze.")));
    EXPECT_EQ(form_->AddSelectedForm("rachw"), 1);
    EXPECT_TRUE(
        std::any_of(&DataValues[rachw.FirstID], &DataValues[rachw.LastID], [](auto* v) { return v; }));
}

}  // namespace
