#pragma once
// The wizard's answer controls on the main window, reached by their names
// (AnswerControls): a check box's or radio button's Checked as 1 or 0, a
// radio group's ItemIndex.

#include <string_view>

#include "app/AnswerSnapshot.h"
#include "classlib/win/Controls.h"

class TMainForm;

// The answer control of that name; nullptr for none.
cl::TWinControl* AnswerControl(const TMainForm& form, std::string_view name);
int AnswerValue(const cl::TWinControl* control);
// Checking a box or choosing an item fires the control's OnClick.
void SetAnswerValue(cl::TWinControl* control, int value);
// Every answer as the controls stand, in the order of AnswerControls.
TWizardAnswers ReadWizardAnswers(const TMainForm& form);
