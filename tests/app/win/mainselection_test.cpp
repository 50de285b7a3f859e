// The selection on the main window: the answers given page after page
// select the forms in rule order and record the steps; a changed answer
// accepted on a revisit keeps the kept forms with their values.
#include <gtest/gtest.h>

#include "tests/app/win/MainFormFixture.h"
#include "tests/app/win/WizardTestSupport.h"

namespace {

using namespace cl;
using namespace maintest;

const Names kAuditedSteps = {"Wiz0_1", "Wiz0_2", "Wiz1_0", "Wiz1_1", "Wiz100_1"};

TEST_F(MainFormTest, TheAnswersSelectTheFormsInRuleOrder) {
    const struct {
        const char* what;
        std::initializer_list<Answers> pages;
        Names forms, steps;
    } cases[] = {
        {"audited, all four",
         {{},
          {{"rb0_2_1", 0}},
          {{"cb1_0_1", 1}},
          {{"cb1_1_1", 1}, {"cb1_1_2", 1}, {"cb1_1_3", 1}, {"cb1_1_4", 1}, {"rb1_1_2", 1}, {"rb1_1_3", 0}}},
         {"bil", "rachzsp", "rachppb", "zestzf"},
         kAuditedSteps},
        {"audited, a variant chosen for a box then unticked",
         {{},
          {{"rb0_2_1", 0}},
          {{"cb1_0_1", 1}},
          {{"cb1_1_2", 1}, {"rb1_1_2", 0}, {"cb1_1_2", 0}, {"cb1_1_1", 1}}},
         {"bil"},
         kAuditedSteps},
        {"not audited, both with variant 0",
         {{}, {{"rb0_2_1", 0}}, {{"cb1_0_2", 1}}, {{"cb1_2_1", 1}, {"cb1_2_2", 1}, {"rb1_2_2", 0}}},
         {"bil", "rachzsk"},
         {"Wiz0_1", "Wiz0_2", "Wiz1_0", "Wiz1_2", "Wiz100_1"}},
        {"no business activity, both",
         {{}, {{"rb0_2_1", 1}}, {{"cb2_1_1", 1}, {"cb2_1_2", 1}}},
         {"bilm", "rachw"},
         {"Wiz0_1", "Wiz0_2", "Wiz2_1", "Wiz100_1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetWizard(*form_);
        Walk(*form_, c.pages);
        EXPECT_EQ(Forms(*form_), c.forms);
        EXPECT_EQ(Steps(*form_), c.steps);
        EXPECT_EQ(ActivePage(*form_), "Wiz100_1");
        EXPECT_TRUE(form_->IsSelectionFinished());
        EXPECT_TRUE(answers_.boxes.empty()) << answers_.boxes[0].text;
    }
}

TEST_F(MainFormTest, AnAcceptedVariantChangeKeepsTheKeptFormsAndTheirValues) {
    Walk(*form_,
         {{},
          {{"rb0_2_1", 0}},
          {{"cb1_0_1", 1}},
          {{"cb1_1_1", 1}, {"cb1_1_2", 1}, {"cb1_1_3", 1}, {"cb1_1_4", 1}, {"rb1_1_2", 0}, {"rb1_1_3", 1}}});
    ASSERT_EQ(Forms(*form_), (Names{"bil", "rachzsk", "rachppp", "zestzf"}));
    TemFrm* balance = SelectedForm(*form_, "bil");
    const uint16_t field = balance->FirstID + 1;
    ASSERT_TRUE(balance->SetValueAsText(field, "Spółka \"Zażółć\""));
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        answers_.answer = answer;
        answers_.boxes.clear();
        Press(*form_, bkBack);
        ASSERT_EQ(ActivePage(*form_), "Wiz1_1");
        Answer(*form_, {{"rb1_1_2", 1}});
        Press(*form_, bkNext);
        ASSERT_EQ(answers_.boxes.size(), 1u);
        EXPECT_EQ(answers_.boxes[0].caption, "Ostrzeżenie");
        EXPECT_EQ(answers_.boxes[0].text,
                  "Wprowadzone zmiany spowodują modyfikację listy dobranych formularzy!\r"
                  "Czy na pewno akceptujesz te zmiany?");
        EXPECT_EQ(answers_.boxes[0].flags & 0xF, static_cast<UINT>(MB_YESNO));
        EXPECT_EQ(ActivePage(*form_), "Wiz100_1");
        EXPECT_EQ(SelectedForm(*form_, "bil"), balance) << "a kept form keeps its node";
        EXPECT_EQ(balance->GetValueText(field), "Spółka \"Zażółć\"");
    }
    EXPECT_EQ(Forms(*form_), (Names{"bil", "rachppp", "zestzf", "rachzsp"}));
    EXPECT_EQ(form_->rb1_1_2->ItemIndex(), 1);
    EXPECT_EQ(Steps(*form_), kAuditedSteps);
    // The accepted change cut off the end step, left twice by Back, and made it anew.
    TTreeNodes* steps = form_->XcTreeView1->Items();
    EXPECT_EQ(StepOf(steps->Item(steps->Count() - 1))->VisitCount, 0);
    EXPECT_TRUE(AnswersModified);
}

TEST_F(MainFormTest, ARefusedVariantChangeRestoresTheVariantAndKeepsTheForms) {
    Walk(*form_, {{}, {{"rb0_2_1", 0}}, {{"cb1_0_1", 1}}, {{"cb1_1_2", 1}, {"rb1_1_2", 0}}});
    answers_.answer = IDNO;
    Press(*form_, bkBack);
    Answer(*form_, {{"rb1_1_2", 1}});
    Press(*form_, bkNext);
    EXPECT_EQ(answers_.boxes.size(), 1u);
    EXPECT_EQ(form_->rb1_1_2->ItemIndex(), 0);
    EXPECT_EQ(Forms(*form_), Names{"rachzsk"});
    EXPECT_EQ(ActivePage(*form_), "Wiz100_1");
}

}  // namespace
