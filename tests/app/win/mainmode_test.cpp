// The main window's switch between the wizard and the forms: the forms wait
// for the finished selection and for the end of any busy work, the trees
// take the colours of the mode, and the forms view outlives a minimise.
#include <gtest/gtest.h>

#include "tests/app/win/MainFormFixture.h"
#include "tests/app/win/WizardTestSupport.h"

namespace {

using namespace cl;
using maintest::MainFormTest;

// The wizard walked to its end, selecting "bilm".
void FinishSelection(TMainForm& f) {
    maintest::Walk(f, {{}, {{"rb0_2_1", 1}}, {{"cb2_1_1", 1}}});
    ASSERT_TRUE(f.IsSelectionFinished());
}

TEST_F(MainFormTest, TheFormsModeWaitsForTheFinishedSelection) {
    Select("bil");
    form_->Twojeformularze1Execute(nullptr);
    EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet1);
    // From the forms sheet the wizard mode comes back with the trees' colours.
    form_->XcPageControl1->SetActivePage(form_->TabSheet2);
    form_->ShowWizardMode(nullptr);
    EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet1);
    EXPECT_EQ(form_->XcTreeView1->Color(), static_cast<TColor>(0x00F0CAA6));
    EXPECT_EQ(form_->XcTreeView2->Color(), clBtnFace);
    // Clicking a selected form before the end of the selection only says so.
    form_->XcPageControl1->SetActivePage(form_->TabSheet2);
    form_->XcTreeView2->SetSelected(form_->XcTreeView2->Items()->GetFirstNode());
    ASSERT_EQ(answers_.boxes.size(), 1u);
    EXPECT_EQ(answers_.boxes[0].caption, "Uwaga");
    EXPECT_EQ(
        answers_.boxes[0].text,
        "Edycja formularzy będzie możliwa dopiero po udzieleniu wszystkich odpowiedzi w kreatorze doboru "
        "formularzy.");
}

TEST_F(MainFormTest, TheFormsOpenWhenNothingIsBusyWithTheFormsTreeInTheActiveColour) {
    FinishSelection(*form_);
    for (bool* busy : {&LoadingStatement, &AddingForm, &form_->Rendering}) {
        TBusyFlag set(*busy);
        form_->Twojeformularze1Execute(nullptr);
        EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet1);
    }
    form_->Twojeformularze1Execute(nullptr);
    EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet2);
    EXPECT_EQ(form_->XcTreeView2->Color(), static_cast<TColor>(0x00F0CAA6));
    EXPECT_EQ(form_->XcTreeView1->Color(), clBtnFace);
    EXPECT_EQ(form_->XcTreeView2->Selected(), form_->XcTreeView2->Items()->GetFirstNode());
    EXPECT_EQ(ShownForm, maintest::SelectedForm(*form_, "bilm"));
}

// Restored, the window gives the focus back to the sheet: the steps tree
// taking it would switch to the wizard.
TEST_F(MainFormTest, MinimisedAndRestoredTheFormsViewKeepsItsFocus) {
    FinishSelection(*form_);
    form_->Twojeformularze1Execute(nullptr);
    cltest::Pump();
    ASSERT_TRUE(form_->PrintPreview->Focused());
    for (WPARAM command : {SC_MINIMIZE, SC_RESTORE}) {
        SendMessageW(form_->Handle(), WM_SYSCOMMAND, command, 0);
        cltest::Pump();
    }
    EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet2);
    EXPECT_TRUE(form_->PrintPreview->Focused());
}

}  // namespace
