#pragma once
// The selection rules without windows: what leaving a wizard page with
// complete answers does to the later pages, the selected forms and the
// later steps.  The change result comes from the wizard's change check: 2
// for a first pass, 1 for a change the user accepted, 0 for no change or a
// refused one.

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "app/AnswerSnapshot.h"

// A form is selected while its box is ticked and, with a group, the
// group's item is Item; otherwise it is removed.
struct TFormRule {
    std::string_view Page;
    std::string_view Form;  // catalogue name
    std::string_view Box;
    std::string_view Group;  // "" when the box alone decides
    int Item;
};

// In the order they run.
extern const std::array<TFormRule, 11> FormRules;

bool FormRuleHolds(const TFormRule& rule, const TWizardAnswers& answers);

// Whether a page after the entity-kind question is reachable, by its name
// and the kind chosen (rb0_2_1's item).
bool IsPageEnabledByRule(std::string_view page, int entityKind);

struct TFormChange {
    std::string_view Form;
    bool Add;  // false: removed
    bool operator==(const TFormChange&) const = default;
};

// What one page's rules do, in this order.
struct TSelectionChange {
    // The page's answers go back to the stored ones (no change, or refused).
    bool Restore = false;
    // The step of this page index stays and every later step and every
    // selected form goes; -1: nothing is cut here.
    int DeleteStepsFrom = -1;
    // Page index and its enabled state, in index order.
    std::vector<std::pair<int, bool>> PageStates;
    // Forms added or removed, in rule order.
    std::vector<TFormChange> Forms;
    // Every step after the page's own goes (the forms stay).
    bool DeleteStepsAfterPage = false;
};

TSelectionChange SelectionRulesFor(std::string_view page, int change, const TWizardAnswers& answers);
