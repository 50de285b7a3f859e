#include "app/win/WizardAnswers.h"

#include "app/win/Main.h"

using namespace cl;

TWinControl* AnswerControl(const TMainForm& form, std::string_view name) {
    return dynamic_cast<TWinControl*>(form.FindComponent(name));
}

int AnswerValue(const TWinControl* control) {
    if (const auto* group = dynamic_cast<const TCustomRadioGroup*>(control)) return group->ItemIndex();
    if (const auto* button = dynamic_cast<const TButtonControl*>(control)) return button->Checked() ? 1 : 0;
    return 0;
}

void SetAnswerValue(TWinControl* control, int value) {
    if (auto* group = dynamic_cast<TCustomRadioGroup*>(control))
        group->SetItemIndex(value);
    else if (auto* button = dynamic_cast<TButtonControl*>(control))
        button->SetChecked(value != 0);
}

TWizardAnswers ReadWizardAnswers(const TMainForm& form) {
    TWizardAnswers answers{};
    for (size_t i = 0; i < AnswerControls.size(); ++i)
        answers[i] = AnswerValue(AnswerControl(form, AnswerControls[i].Name));
    return answers;
}
