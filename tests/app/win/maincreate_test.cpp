// The main window's creation: the wizard's answer pages get their controls
// when they first show.
#include <gtest/gtest.h>

#include "tests/app/win/MainFormFixture.h"

namespace {

using namespace cl;
using maintest::MainFormTest;

TEST_F(MainFormTest, AnswerPagesGetTheirControlsWhenTheyFirstShow) {
    EXPECT_EQ(form_->XcScrollBox3->Parent(), nullptr);
    EXPECT_EQ(form_->rb1_1_2->Parent(), nullptr);
    EXPECT_EQ(form_->cb1_1_1->Parent(), form_->XcScrollBox3) << "inside its box from the start";
    {
        // Straight to the page, past the wizard's rules.
        TEventPause pause(form_->XcWizard1->OnActivePageChanging);
        form_->XcWizard1->SetActivePage(form_->Wiz1_1);
    }
    cltest::Pump();
    EXPECT_EQ(form_->XcScrollBox3->Parent(), form_->Wiz1_1);
    for (TControl* group : {form_->rb1_1_2, form_->rb1_1_3}) EXPECT_EQ(group->Parent(), form_->XcScrollBox3);
    EXPECT_TRUE(form_->rb1_1_2->HandleAllocated());
    EXPECT_EQ(form_->rb0_2_1->Parent(), nullptr) << "another page's";
}

}  // namespace
