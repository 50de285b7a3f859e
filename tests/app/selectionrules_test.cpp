// The wizard's rules without windows: when a page is answered, what its
// answers select, which pages stay reachable, what is cut off, and where a
// page change lands.
#include "app/SelectionRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/WizardPages.h"

namespace {

using Lines = std::vector<std::string>;

// Boxes unticked, groups without a chosen item, then the given answers.
TWizardAnswers Answers(std::initializer_list<std::pair<const char*, int>> given) {
    TWizardAnswers answers{};
    for (size_t i = 0; i < AnswerControls.size(); ++i)
        if (AnswerControls[i].Kind == TAnswerKind::ItemIndex) answers[i] = -1;
    for (const auto& [control, value] : given) answers[static_cast<size_t>(AnswerIndex(control))] = value;
    return answers;
}

// The selected forms as the window keeps them: an added form goes to the
// end unless it is there already; a removed one leaves its place.
void Apply(const TSelectionChange& change, Lines& forms) {
    if (change.DeleteStepsFrom >= 0) forms.clear();
    for (const TFormChange& f : change.Forms) {
        const auto at = std::find(forms.begin(), forms.end(), f.Form);
        if (f.Add && at == forms.end()) forms.emplace_back(f.Form);
        if (!f.Add && at != forms.end()) forms.erase(at);
    }
}

TEST(SelectionRules, FormsFollowTheAnswersInRuleOrder) {
    const struct {
        const char* what;
        const char* page;
        TWizardAnswers answers;
        Lines forms;
    } cases[] = {
        {"audited, all four",
         "Wiz1_1",
         Answers({{"cb1_1_1", 1},
                  {"cb1_1_2", 1},
                  {"cb1_1_3", 1},
                  {"cb1_1_4", 1},
                  {"rb1_1_2", 1},
                  {"rb1_1_3", 0}}),
         {"bil", "rachzsp", "rachppb", "zestzf"}},
        {"audited, a variant chosen and its box unticked",
         "Wiz1_1",
         Answers({{"cb1_1_1", 1}, {"rb1_1_2", 0}}),
         {"bil"}},
        {"not audited, both with variant 0",
         "Wiz1_2",
         Answers({{"cb1_2_1", 1}, {"cb1_2_2", 1}, {"rb1_2_2", 0}}),
         {"bil", "rachzsk"}},
        {"not audited, the account alone in variant 1",
         "Wiz1_2",
         Answers({{"cb1_2_2", 1}, {"rb1_2_2", 1}}),
         {"rachzsp"}},
        {"no business activity, both",
         "Wiz2_1",
         Answers({{"cb2_1_1", 1}, {"cb2_1_2", 1}}),
         {"bilm", "rachw"}},
        {"cash flows by the indirect method",
         "Wiz1_1",
         Answers({{"cb1_1_3", 1}, {"rb1_1_3", 1}}),
         {"rachppp"}},
    };
    for (const auto& c : cases) {
        Lines forms;
        Apply(SelectionRulesFor(c.page, 2, c.answers), forms);
        EXPECT_EQ(forms, c.forms) << c.what;
    }
}

TEST(SelectionRules, AnAcceptedChangeKeepsTheKeptFormsInPlaceAndAppendsTheNew) {
    Lines forms;
    auto leave = [&](int change, TWizardAnswers answers) {
        const TSelectionChange rules = SelectionRulesFor("Wiz1_1", change, answers);
        Apply(rules, forms);
        return rules;
    };
    EXPECT_FALSE(leave(2, Answers({{"cb1_1_1", 1},
                                   {"cb1_1_2", 1},
                                   {"cb1_1_3", 1},
                                   {"cb1_1_4", 1},
                                   {"rb1_1_2", 0},
                                   {"rb1_1_3", 1}}))
                     .DeleteStepsAfterPage);
    EXPECT_EQ(forms, (Lines{"bil", "rachzsk", "rachppp", "zestzf"}));
    EXPECT_TRUE(leave(1, Answers({{"cb1_1_1", 1},
                                  {"cb1_1_2", 1},
                                  {"cb1_1_3", 1},
                                  {"cb1_1_4", 1},
                                  {"rb1_1_2", 1},
                                  {"rb1_1_3", 1}}))
                    .DeleteStepsAfterPage);
    EXPECT_EQ(forms, (Lines{"bil", "rachppp", "zestzf", "rachzsp"}));
    leave(1, Answers({{"cb1_1_2", 1}, {"cb1_1_3", 1}, {"cb1_1_4", 1}, {"rb1_1_2", 1}, {"rb1_1_3", 1}}));
    leave(1, Answers({{"cb1_1_1", 1},
                      {"cb1_1_2", 1},
                      {"cb1_1_3", 1},
                      {"cb1_1_4", 1},
                      {"rb1_1_2", 1},
                      {"rb1_1_3", 1}}));
    EXPECT_EQ(forms, (Lines{"rachppp", "zestzf", "rachzsp", "bil"})) << "unticked, then ticked again";
}

// The ways through the wizard: the entity kind and the audit question
// decide the pages on the way, and every way ends on the last page.
TEST(SelectionRules, TheAnswersLeadAlongTheirWayToTheEnd) {
    const struct {
        const char* what;
        TWizardAnswers answers;
        Lines way;
    } cases[] = {
        {"business activity, audited",
         Answers({{"rb0_2_1", 0}, {"cb1_0_1", 1}, {"cb1_1_1", 1}}),
         {"Wiz0_1", "Wiz0_2", "Wiz1_0", "Wiz1_1", "Wiz100_1"}},
        {"business activity, not audited",
         Answers({{"rb0_2_1", 0}, {"cb1_0_2", 1}, {"cb1_2_1", 1}}),
         {"Wiz0_1", "Wiz0_2", "Wiz1_0", "Wiz1_2", "Wiz100_1"}},
        {"no business activity",
         Answers({{"rb0_2_1", 1}, {"cb2_1_1", 1}}),
         {"Wiz0_1", "Wiz0_2", "Wiz2_1", "Wiz100_1"}},
    };
    for (const auto& c : cases) {
        std::vector<bool> enabled(kWizardPageCount, true);
        int active = 0;
        Lines way{std::string(WizardPages[0].Name)};
        while (active >= 0 && active + 1 < kWizardPageCount && way.size() < 10) {
            const TSelectionChange rules =
                SelectionRulesFor(WizardPages[static_cast<size_t>(active)].Name, 2, c.answers);
            // An answer that decides the way drops the steps after its own page.
            if (rules.DeleteStepsFrom >= 0) {
                EXPECT_EQ(rules.DeleteStepsFrom, active) << c.what;
            }
            for (const auto& [page, on] : rules.PageStates) enabled[static_cast<size_t>(page)] = on;
            active = ChooseTargetPage(active, active + 1, false, enabled);
            if (active >= 0) way.emplace_back(WizardPages[static_cast<size_t>(active)].Name);
        }
        EXPECT_EQ(way, c.way) << c.what;
    }
}

TEST(SelectionRules, NoChangeRestoresAndPagesWithoutAnswersDoNothing) {
    const TWizardAnswers any = Answers({{"rb0_2_1", 0}, {"cb1_1_1", 1}});
    for (const char* page : {"Wiz0_2", "Wiz1_0", "Wiz1_1", "Wiz1_2", "Wiz2_1"}) {
        const TSelectionChange rules = SelectionRulesFor(page, 0, any);
        EXPECT_TRUE(rules.Restore) << page;
        EXPECT_TRUE(rules.Forms.empty() && rules.PageStates.empty() && rules.DeleteStepsFrom < 0) << page;
    }
    for (const char* page : {"Wiz0_1", "Wiz100_1"}) {
        for (int change : {0, 1, 2}) {
            const TSelectionChange rules = SelectionRulesFor(page, change, any);
            EXPECT_FALSE(rules.Restore || rules.DeleteStepsAfterPage || rules.DeleteStepsFrom >= 0) << page;
            EXPECT_TRUE(rules.Forms.empty() && rules.PageStates.empty()) << page;
        }
    }
}

TEST(WizardPages, AnsweredWhenAChoiceIsMadeAndEveryTickedBoxHasItsVariant) {
    const struct {
        const char* page;
        TWizardAnswers answers;
        bool answered;
    } cases[] = {
        {"Wiz0_1", Answers({}), true},
        {"Wiz100_1", Answers({}), true},
        {"Wiz0_2", Answers({}), false},
        {"Wiz0_2", Answers({{"rb0_2_1", 1}}), true},
        {"Wiz1_0", Answers({{"cb1_1_1", 1}}), false},
        {"Wiz1_0", Answers({{"cb1_0_2", 1}}), true},
        {"Wiz1_1", Answers({{"rb1_1_2", 0}}), false},
        {"Wiz1_1", Answers({{"cb1_1_4", 1}}), true},
        {"Wiz1_1", Answers({{"cb1_1_1", 1}, {"cb1_1_2", 1}}), false},
        {"Wiz1_1", Answers({{"cb1_1_2", 1}, {"rb1_1_2", 1}, {"cb1_1_3", 1}}), false},
        {"Wiz1_1", Answers({{"cb1_1_2", 1}, {"rb1_1_2", 1}, {"cb1_1_3", 1}, {"rb1_1_3", 0}}), true},
        {"Wiz1_2", Answers({{"cb1_2_2", 1}}), false},
        {"Wiz1_2", Answers({{"cb1_2_2", 1}, {"rb1_2_2", 0}}), true},
        {"Wiz2_1", Answers({{"cb1_2_1", 1}}), false},
        {"Wiz2_1", Answers({{"cb2_1_2", 1}}), true},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(IsPageAnswered(cases[i].page, cases[i].answers), cases[i].answered) << "case " << i;
}

TEST(WizardPages, AChangeIsSoughtOnlyAmongThePagesOwnControls) {
    const TWizardAnswers stored = Answers({{"cb1_1_2", 0}, {"rb1_1_2", 0}});
    EXPECT_TRUE(PageAnswersDiffer("Wiz1_1", stored, Answers({{"rb1_1_2", 1}})))
        << "a group of an unticked box";
    EXPECT_FALSE(
        PageAnswersDiffer("Wiz1_1", stored, Answers({{"rb1_1_2", 0}, {"cb1_2_1", 1}, {"rb0_2_1", 1}})));
    EXPECT_TRUE(
        PageAnswersDiffer("Wiz0_2", Answers({{"rb0_2_1", kUnstoredItemIndex}}), Answers({{"rb0_2_1", 0}})));
    EXPECT_FALSE(PageAnswersDiffer("Wiz100_1", stored, Answers({{"cb2_1_1", 1}})));
}

TEST(WizardPages, ANewStepClearsItsAnswersAndDisablesTheVariants) {
    TWizardAnswers answers = Answers({{"cb1_1_1", 1}, {"cb1_1_2", 1}, {"rb1_1_2", 1}, {"cb1_2_1", 1}});
    std::vector<std::string> disabled;
    for (const TAnswerReset& r : PageAnswerReset("Wiz1_1")) {
        answers[static_cast<size_t>(AnswerIndex(r.Control))] = r.Value;
        if (r.Enabled == TResetEnabled::Disable) disabled.emplace_back(r.Control);
    }
    EXPECT_EQ(answers, Answers({{"cb1_2_1", 1}}));
    EXPECT_EQ(disabled, (Lines{"rb1_1_2", "rb1_1_3"}));
    ASSERT_EQ(PageAnswerReset("Wiz0_2").size(), 1u);
    EXPECT_EQ(PageAnswerReset("Wiz0_2")[0].Enabled, TResetEnabled::Enable);
    EXPECT_TRUE(PageAnswerReset("Wiz100_1").empty());
}

TEST(WizardPages, ThePageAChangeLandsOn) {
    //                       Wiz0_1 Wiz0_2 Wiz1_0 Wiz1_1 Wiz1_2 Wiz2_1 Wiz100_1
    const std::vector<bool> business = {true, true, true, true, false, false, true};
    const std::vector<bool> noBusiness = {true, true, false, false, false, true, true};
    const std::vector<bool> onlyEnds = {true, true, false, false, false, false, false};
    const struct {
        const char* what;
        int active, requested;
        bool isStep;
        const std::vector<bool>& enabled;
        int target;
    } cases[] = {
        {"the start: no page yet", -1, 0, false, business, 0},
        {"a new step: the first enabled page after the active one", 1, 2, false, noBusiness, 5},
        {"a step of an enabled page", 3, 1, true, business, 1},
        {"a step the rules cut off: as a new step", 1, 6, false, business, 2},
        {"a disabled step: the next enabled before the end", 1, 2, true, noBusiness, 5},
        {"a disabled step, none after it: past the successor", 1, 5, true, business, 3},
        {"a disabled step, none at all: the successor whatever its state", 1, 4, true, onlyEnds, 2},
        {"nothing enabled ahead", 1, 2, false, onlyEnds, -1},
        {"no page requested", 2, -1, false, business, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseTargetPage(c.active, c.requested, c.isStep, c.enabled), c.target) << c.what;
}

TEST(WizardPages, PagesInIndexOrderWithTheirAnswerControls) {
    Lines names;
    size_t controls = 0;
    for (const TWizardPageInfo& page : WizardPages) {
        names.emplace_back(page.Name);
        for (std::string_view c : page.Answers) EXPECT_GE(AnswerIndex(c), 0) << c;
        controls += page.Answers.size();
    }
    EXPECT_EQ(names, (Lines{"Wiz0_1", "Wiz0_2", "Wiz1_0", "Wiz1_1", "Wiz1_2", "Wiz2_1", "Wiz100_1"}));
    EXPECT_EQ(controls, AnswerControls.size()) << "every answer control on one page";
    EXPECT_EQ(WizardPageIndex("Wiz100_1"), 6);
    EXPECT_EQ(WizardPageIndex("Wiz3_1"), -1);
}

}  // namespace
