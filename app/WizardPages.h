#pragma once
// The form-selection wizard's pages without their windows: their order and
// header titles, the answer controls each page holds, when a page counts as
// answered, how its answers are cleared when it becomes a new step, and to
// which page a page change goes.  Answers are values in the order of
// AnswerControls (AnswerSnapshot.h): Checked as 1 or 0, ItemIndex as it is.

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "app/AnswerSnapshot.h"

inline constexpr int kWizardPageCount = 7;

struct TWizardPageInfo {
    std::string_view Name;
    std::string_view Title;  // the header's title
    // Its answer controls in the order they are compared and restored.
    std::span<const std::string_view> Answers;
};

// In page-index order.
extern const std::array<TWizardPageInfo, kWizardPageCount> WizardPages;

// The page's place in WizardPages; -1 for a name that is no page.
int WizardPageIndex(std::string_view page);
// The control's place in AnswerControls; -1 for a name that is no answer control.
int AnswerIndex(std::string_view control);
// The answer controls of a page (none for a page without answers).
std::span<const std::string_view> PageAnswers(std::string_view page);

// A box is ticked, or an item of a radio group is chosen.
bool IsAnswerMade(std::string_view control, const TWizardAnswers& answers);
// Complete answers: one of the page's choices is made, and every ticked box
// that has a radio group of variants has its variant chosen.  A page
// without answers is always answered.
bool IsPageAnswered(std::string_view page, const TWizardAnswers& answers);
// Some answer control of the page differs.
bool PageAnswersDiffer(std::string_view page, const TWizardAnswers& stored, const TWizardAnswers& current);

// What clearing a page's answers does to one control: its value, and
// whether it is enabled afterwards.
enum class TResetEnabled { Keep, Enable, Disable };
struct TAnswerReset {
    std::string_view Control;
    int Value;
    TResetEnabled Enabled;
};
// In the order applied; none for a page without answers.
std::vector<TAnswerReset> PageAnswerReset(std::string_view page);

// The page a change from page `active` to page `requested` goes to (indices,
// -1 for none), with `requestedIsStep` telling whether a step holds the
// requested page after the leaving page's rules ran, and `enabled` the
// pages' states then.  -1 when no page fits.
int ChooseTargetPage(int active, int requested, bool requestedIsStep, const std::vector<bool>& enabled);
