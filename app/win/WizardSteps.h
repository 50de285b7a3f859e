#pragma once
// The steps tree of the main window (XcTreeView1): each root node holds a
// WizardStepRec for one page the user has reached, in page order.

#include "app/win/Main.h"

inline WizardStepRec* StepOf(const cl::TTreeNode* node) {
    return node ? static_cast<WizardStepRec*>(node->Data()) : nullptr;
}

// The first step holding the page; nullptr when none does (or no page).
inline cl::TTreeNode* StepNodeOf(const TMainForm& form, const TXcWizardCustomPage* page) {
    if (!page) return nullptr;
    for (cl::TTreeNode* node = form.XcTreeView1->Items()->GetFirstNode(); node; node = node->GetNextSibling())
        if (const WizardStepRec* step = StepOf(node); step && step->Page == page) return node;
    return nullptr;
}

inline cl::TTreeNode* LastStepNode(const TMainForm& form) {
    cl::TTreeNodes* nodes = form.XcTreeView1->Items();
    return nodes->Count() > 0 ? nodes->Item(nodes->Count() - 1) : nullptr;
}

// The active page's step becomes the selected one, without it counting as
// a click, and is scrolled into view.
void SelectActiveStep(TMainForm& form);
