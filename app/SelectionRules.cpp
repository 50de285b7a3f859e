#include "app/SelectionRules.h"

#include "app/WizardPages.h"

const std::array<TFormRule, 11> FormRules = {{
    {"Wiz1_1", "bil", "cb1_1_1", "", 0},
    {"Wiz1_1", "rachzsk", "cb1_1_2", "rb1_1_2", 0},
    {"Wiz1_1", "rachzsp", "cb1_1_2", "rb1_1_2", 1},
    {"Wiz1_1", "rachppb", "cb1_1_3", "rb1_1_3", 0},
    {"Wiz1_1", "rachppp", "cb1_1_3", "rb1_1_3", 1},
    {"Wiz1_1", "zestzf", "cb1_1_4", "", 0},
    {"Wiz1_2", "bil", "cb1_2_1", "", 0},
    {"Wiz1_2", "rachzsk", "cb1_2_2", "rb1_2_2", 0},
    {"Wiz1_2", "rachzsp", "cb1_2_2", "rb1_2_2", 1},
    {"Wiz2_1", "bilm", "cb2_1_1", "", 0},
    {"Wiz2_1", "rachw", "cb2_1_2", "", 0},
}};

namespace {

int AnswerOf(std::string_view control, const TWizardAnswers& answers) {
    const int i = AnswerIndex(control);
    return i < 0 ? -1 : answers[static_cast<size_t>(i)];
}

// The page-enabling rule for every page after `page`.
void EnableLaterPages(std::string_view page, const TWizardAnswers& answers, TSelectionChange& change) {
    const int entityKind = AnswerOf("rb0_2_1", answers);
    for (int i = WizardPageIndex(page) + 1; i < kWizardPageCount; ++i)
        change.PageStates.emplace_back(
            i, IsPageEnabledByRule(WizardPages[static_cast<size_t>(i)].Name, entityKind));
}

void Disable(std::string_view page, TSelectionChange& change) {
    const int index = WizardPageIndex(page);
    for (auto& [i, enabled] : change.PageStates)
        if (i == index) enabled = false;
}

}  // namespace

bool FormRuleHolds(const TFormRule& rule, const TWizardAnswers& answers) {
    if (AnswerOf(rule.Box, answers) == 0) return false;
    return rule.Group.empty() || AnswerOf(rule.Group, answers) == rule.Item;
}

bool IsPageEnabledByRule(std::string_view page, int entityKind) {
    if (entityKind == 0 && page.starts_with("Wiz1_")) return true;
    if (entityKind == 1 && page.starts_with("Wiz2_")) return true;
    return page.starts_with("Wiz100_");
}

TSelectionChange SelectionRulesFor(std::string_view page, int change, const TWizardAnswers& answers) {
    TSelectionChange result;
    const bool formPage = page == "Wiz1_1" || page == "Wiz1_2" || page == "Wiz2_1";
    if (page != "Wiz0_2" && page != "Wiz1_0" && !formPage) return result;
    if (change == 0) {
        result.Restore = true;
        return result;
    }
    if (page == "Wiz0_2") {
        result.DeleteStepsFrom = 1;
        EnableLaterPages(page, answers, result);
    } else if (page == "Wiz1_0") {
        result.DeleteStepsFrom = 2;
        EnableLaterPages(page, answers, result);
        Disable(AnswerOf("cb1_0_2", answers) != 0 ? "Wiz1_1" : "Wiz1_2", result);
    } else {
        for (const TFormRule& rule : FormRules)
            if (rule.Page == page) result.Forms.push_back({rule.Form, FormRuleHolds(rule, answers)});
        result.DeleteStepsAfterPage = change == 1;
    }
    return result;
}
