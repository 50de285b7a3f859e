#pragma once
// The wizard back at its start for a new or a loaded statement: the first
// page made active without the answer check and the rules of the page left,
// then every later step and every selected form removed.

#include <optional>

#include "app/AnswerSnapshot.h"

class TMainForm;
class TXcWizardCustomPage;
struct TWizardStep;

// False when a step or a form could not be removed (the user was told).
bool ResetWizard(TMainForm& form);

// A stored step's answers set on its page's controls, each control's
// Enabled first (unless its kind stores none), then Checked or ItemIndex,
// and the page enabled; raises for a page the wizard does not have.
TXcWizardCustomPage* ApplyStepAnswers(TMainForm& form, const TWizardStep& step);

// A loaded statement's pages replayed through the wizard's page changes
// without showing the pages in between: Reset puts the wizard back at its
// first page as ResetWizard does; each Activate checks the answers of the
// page left, runs its rules and adds the new page's step, as making the
// page active does; Finish shows the page reached and stores the answers
// once.
class TWizardReplay {
public:
    explicit TWizardReplay(TMainForm& form);
    bool Reset();
    void Activate(TXcWizardCustomPage* page);
    void Finish();

private:
    TMainForm& f_;
    TXcWizardCustomPage* active_;  // the page the replay has reached
    bool changed_ = false;
    std::optional<TWizardAnswers> answers_;  // as the last page change stored them
};
