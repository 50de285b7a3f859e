#include "app/WizardPages.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::string_view kEntityKind[] = {"rb0_2_1"};
constexpr std::string_view kAudit[] = {"cb1_0_1", "cb1_0_2"};
constexpr std::string_view kAuditedDocuments[] = {"cb1_1_1", "cb1_1_2", "cb1_1_3",
                                                  "cb1_1_4", "rb1_1_2", "rb1_1_3"};
constexpr std::string_view kUnauditedDocuments[] = {"cb1_2_1", "cb1_2_2", "rb1_2_2"};
constexpr std::string_view kNonBusinessDocuments[] = {"cb2_1_1", "cb2_1_2"};

// A page is answered when one of Choices is made and, for each ticked Box
// of Variants, its Group has an item chosen.
struct TAnswerCheck {
    std::string_view Page;
    std::span<const std::string_view> Choices;
    std::array<std::pair<std::string_view, std::string_view>, 2> Variants;
};

constexpr std::string_view kAuditedChoices[] = {"cb1_1_1", "cb1_1_2", "cb1_1_3", "cb1_1_4"};
constexpr std::string_view kUnauditedChoices[] = {"cb1_2_1", "cb1_2_2"};

const TAnswerCheck kAnswerChecks[] = {
    {"Wiz0_2", kEntityKind, {}},
    {"Wiz1_0", kAudit, {}},
    {"Wiz1_1", kAuditedChoices, {{{"cb1_1_2", "rb1_1_2"}, {"cb1_1_3", "rb1_1_3"}}}},
    {"Wiz1_2", kUnauditedChoices, {{{"cb1_2_2", "rb1_2_2"}}}},
    {"Wiz2_1", kNonBusinessDocuments, {}},
};

struct TPageReset {
    std::string_view Page;
    TAnswerReset Reset;
};

const TPageReset kResets[] = {
    {"Wiz0_2", {"rb0_2_1", -1, TResetEnabled::Enable}},  {"Wiz1_0", {"cb1_0_1", 0, TResetEnabled::Keep}},
    {"Wiz1_0", {"cb1_0_2", 0, TResetEnabled::Keep}},     {"Wiz1_1", {"cb1_1_1", 0, TResetEnabled::Keep}},
    {"Wiz1_1", {"cb1_1_2", 0, TResetEnabled::Keep}},     {"Wiz1_1", {"cb1_1_3", 0, TResetEnabled::Keep}},
    {"Wiz1_1", {"cb1_1_4", 0, TResetEnabled::Keep}},     {"Wiz1_1", {"rb1_1_2", -1, TResetEnabled::Disable}},
    {"Wiz1_1", {"rb1_1_3", -1, TResetEnabled::Disable}}, {"Wiz1_2", {"cb1_2_1", 0, TResetEnabled::Keep}},
    {"Wiz1_2", {"cb1_2_2", 0, TResetEnabled::Keep}},     {"Wiz1_2", {"rb1_2_2", -1, TResetEnabled::Disable}},
    {"Wiz2_1", {"cb2_1_1", 0, TResetEnabled::Keep}},     {"Wiz2_1", {"cb2_1_2", 0, TResetEnabled::Keep}},
};

int AnswerOf(std::string_view control, const TWizardAnswers& answers) {
    const int i = AnswerIndex(control);
    return i < 0 ? 0 : answers[static_cast<size_t>(i)];
}

// The first enabled page from `from` to `to` (both included); -1 when none.
int FirstEnabled(int from, int to, const std::vector<bool>& enabled) {
    const int last = std::min(to, static_cast<int>(enabled.size()) - 1);
    for (int i = std::max(from, 0); i <= last; ++i)
        if (enabled[static_cast<size_t>(i)]) return i;
    return -1;
}

}  // namespace

const std::array<TWizardPageInfo, kWizardPageCount> WizardPages = {{
    {"Wiz0_1", "Informacje wstępne", {}},
    {"Wiz0_2", "Sposób rozliczenia", kEntityKind},
    {"Wiz1_0", "Wybór dokumentów dla jedn. prowadzących dział. gosp.", kAudit},
    {"Wiz1_1", "Wybór dokumentów dla jedn. prowadzących dział. gosp.", kAuditedDocuments},
    {"Wiz1_2", "Wybór dokumentów dla jedn. prowadzących dział. gosp.", kUnauditedDocuments},
    {"Wiz2_1", "Wybór dokumentów dla jedn. nieprowadzących dział. gosp.", kNonBusinessDocuments},
    {"Wiz100_1", "Dobór formularzy zakończony", {}},
}};

int WizardPageIndex(std::string_view page) {
    for (size_t i = 0; i < WizardPages.size(); ++i)
        if (WizardPages[i].Name == page) return static_cast<int>(i);
    return -1;
}

int AnswerIndex(std::string_view control) {
    for (size_t i = 0; i < AnswerControls.size(); ++i)
        if (AnswerControls[i].Name == control) return static_cast<int>(i);
    return -1;
}

std::span<const std::string_view> PageAnswers(std::string_view page) {
    const int i = WizardPageIndex(page);
    return i < 0 ? std::span<const std::string_view>() : WizardPages[static_cast<size_t>(i)].Answers;
}

bool IsAnswerMade(std::string_view control, const TWizardAnswers& answers) {
    const int i = AnswerIndex(control);
    if (i < 0) return false;
    const int value = answers[static_cast<size_t>(i)];
    return AnswerControls[static_cast<size_t>(i)].Kind == TAnswerKind::Checked ? value != 0 : value >= 0;
}

bool IsPageAnswered(std::string_view page, const TWizardAnswers& answers) {
    for (const TAnswerCheck& check : kAnswerChecks) {
        if (check.Page != page) continue;
        const bool chosen = std::any_of(check.Choices.begin(), check.Choices.end(),
                                        [&](std::string_view c) { return IsAnswerMade(c, answers); });
        if (!chosen) return false;
        for (const auto& [box, group] : check.Variants)
            if (!box.empty() && IsAnswerMade(box, answers) && !IsAnswerMade(group, answers)) return false;
        return true;
    }
    return true;
}

bool PageAnswersDiffer(std::string_view page, const TWizardAnswers& stored, const TWizardAnswers& current) {
    for (std::string_view control : PageAnswers(page))
        if (AnswerOf(control, stored) != AnswerOf(control, current)) return true;
    return false;
}

std::vector<TAnswerReset> PageAnswerReset(std::string_view page) {
    std::vector<TAnswerReset> resets;
    for (const TPageReset& r : kResets)
        if (r.Page == page) resets.push_back(r.Reset);
    return resets;
}

int ChooseTargetPage(int active, int requested, bool requestedIsStep, const std::vector<bool>& enabled) {
    const int count = static_cast<int>(enabled.size());
    const int next = active < 0 ? 0 : active + 1;
    const bool requestedExists = requested >= 0 && requested < count;
    if (!requestedExists || !requestedIsStep) return FirstEnabled(next, count - 1, enabled);
    if (enabled[static_cast<size_t>(requested)]) return requested;
    // A step whose page the rules disabled: the next enabled page before the
    // end page, after it or else after the leaving page's successor.
    int target = FirstEnabled(requested + 1, count - 2, enabled);
    if (target < 0) target = FirstEnabled(next + 1, count - 2, enabled);
    if (target < 0 && next < count) target = next;
    return target;
}
