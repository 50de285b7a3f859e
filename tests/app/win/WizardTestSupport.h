#pragma once
// Walking the main window's wizard in the test's own process: answers set
// by control name, the wizard's buttons pressed, the steps and the selected
// forms read back.

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/win/Main.h"
#include "app/win/WizardAnswers.h"
#include "app/win/WizardReset.h"
#include "app/win/WizardSteps.h"
#include "tests/support/MessagePump.h"

namespace maintest {

using Answers = std::initializer_list<std::pair<const char*, int>>;
using Names = std::vector<std::string>;

// As a click on the control sets it: its OnClick runs.
inline void Answer(TMainForm& f, Answers answers) {
    for (const auto& [name, value] : answers) SetAnswerValue(AnswerControl(f, name), value);
}

inline void Press(TMainForm& f, TXcWizardButtonKind kind) {
    f.XcWizard1->ButtonControl(kind)->Click();
    cltest::Pump(20);
}

// Answers the active page and presses Next, page after page.
inline void Walk(TMainForm& f, std::initializer_list<Answers> pages) {
    for (const Answers& page : pages) {
        Answer(f, page);
        Press(f, bkNext);
    }
}

inline std::string ActivePage(const TMainForm& f) {
    return f.XcWizard1->ActivePage() ? f.XcWizard1->ActivePage()->Name() : "";
}

// The steps' pages in tree order.
inline Names Steps(const TMainForm& f) {
    Names pages;
    for (cl::TTreeNode* node = f.XcTreeView1->Items()->GetFirstNode(); node; node = node->GetNextSibling())
        pages.push_back(StepOf(node)->Page->Name());
    return pages;
}

// The selected forms' names in tree order.
inline Names Forms(const TMainForm& f) {
    Names forms;
    for (cl::TTreeNode* node = f.XcTreeView2->Items()->GetFirstNode(); node; node = node->GetNextSibling())
        forms.push_back(static_cast<TemFrm*>(node->Data())->Name);
    return forms;
}

inline TemFrm* SelectedForm(const TMainForm& f, const std::string& name) {
    for (cl::TTreeNode* node = f.XcTreeView2->Items()->GetFirstNode(); node; node = node->GetNextSibling())
        if (static_cast<TemFrm*>(node->Data())->Name == name) return static_cast<TemFrm*>(node->Data());
    return nullptr;
}

}  // namespace maintest
