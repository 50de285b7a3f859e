// The main window's switch between the wizard and the forms: the forms wait
// for the finished selection, and the trees take the colours of the mode.
#include <gtest/gtest.h>

#include "tests/app/win/MainFormFixture.h"

namespace {

using namespace cl;
using maintest::MainFormTest;

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

}  // namespace
