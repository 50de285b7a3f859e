// The selection rules on the main window and the selected forms: each page
// left with complete answers enables later pages, adds and removes forms
// and cuts off later steps; the forms tree owns the selected forms with
// their values; a click on a form shows it.
#include <memory>
#include <utility>
#include <vector>

#include "app/SelectionRules.h"
#include "app/WizardPages.h"
#include "app/win/Main.h"
#include "app/win/WizardAnswers.h"
#include "app/win/WizardSteps.h"
#include "classlib/StrUtils.h"

using namespace cl;

namespace {

constexpr const char* kStepsNotDeleted =
    "Błąd usuwania pozycji z listy kroków doboru formularzy. Proszę wyłączyć program i rozpocząć pracę od "
    "nowa.";
constexpr const char* kFormsNotDeleted =
    "Błąd usuwania pozycji z listy dobranych formularzy. Proszę wyłączyć program i rozpocząć pracę od nowa.";

// The change handler focused the preview during a click on the list.
bool previewFocusPending = false;

bool IsClick(const TMessage& m) {
    return m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK;
}

TemFrm* FormOf(const TTreeNode* node) {
    return static_cast<TemFrm*>(node->Data());
}

// The selected form of that name (in any letter case); nullptr when none.
TTreeNode* FormNodeOf(const TMainForm& f, const std::string& name) {
    const std::string wanted = UpperCase(name);
    for (TTreeNode* node = f.XcTreeView2->Items()->GetFirstNode(); node; node = node->GetNextSibling())
        if (const TemFrm* form = FormOf(node); form && UpperCase(form->Name) == wanted) return node;
    return nullptr;
}

TTreeNode* NodeHolding(const TMainForm& f, const TemFrm* form) {
    for (TTreeNode* node = f.XcTreeView2->Items()->GetFirstNode(); node; node = node->GetNextSibling())
        if (FormOf(node) == form) return node;
    return nullptr;
}

// Deletes the root nodes of the tree, the last first, down to but not
// including `kept` (every one for nullptr), each on its own.  False when
// one could not be deleted.
bool DeleteRootsDownTo(TTreeView* tree, const TTreeNode* kept) {
    std::vector<TTreeNode*> doomed;
    for (TTreeNode* node = kept ? kept->GetNextSibling() : tree->Items()->GetFirstNode(); node;
         node = node->GetNextSibling())
        doomed.push_back(node);
    bool deleted = true;
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
        try {
            (*it)->Delete();
        } catch (const std::exception&) {
            deleted = false;
        }
    }
    return deleted;
}

// A selected form with its values, made from its catalogue row; the tree
// owns it from the moment a node holds it.
void AppendForm(TMainForm& f, int row) {
    TemFrm* form = NewCatalogueForm(row);
    try {
        TTreeNode* node = f.XcTreeView2->Items()->AddObject(nullptr, form->Title, form);
        node->SetImageIndex(2);
        node->SetSelectedIndex(3);
    } catch (...) {
        // Nothing stays half-added: a node made before the failure goes, and
        // its deletion frees the form.
        if (TTreeNode* node = NodeHolding(f, form))
            node->Delete();
        else
            cl::Free(form);
        throw;
    }
}

}  // namespace

// ---- Handlers ------------------------------------------------------------------------------
void AttachSelectionHandlers(TMainForm& f) {
    // The list's own handling of a click ends by focusing the list, after
    // the change handler gave the focus to the preview: it goes back there.
    f.XcTreeView2->WindowHooks().Add(
        [](TMessage& m, bool&) {
            if (IsClick(m)) previewFocusPending = false;
        },
        hpBefore);
    f.XcTreeView2->WindowHooks().Add(
        [&f](TMessage& m, bool&) {
            if (IsClick(m) && std::exchange(previewFocusPending, false) && f.PrintPreview->CanFocus() &&
                !f.PrintPreview->Focused())
                f.PrintPreview->SetFocus();
        },
        hpAfter);
    f.XcTreeView2->OnChange = [&f](TObject* s, TTreeNode* node) { f.XcTreeView2Change(s, node); };
    f.XcTreeView2->OnChanging = [](TObject*, TTreeNode*, bool& allow) { allow = !OpenEditor.Editor; };
    f.XcTreeView2->OnCollapsing = [](TObject*, TTreeNode*, bool& allow) { allow = false; };
}

// ---- The rules ---------------------------------------------------------------------------------
void TMainForm::ApplySelectionRules(TXcWizardCustomPage* Page) {
    // A page without answers has no rules.
    if (!Page || PageAnswers(Page->Name()).empty()) return;
    const int change = CheckPageAnswersChanged(true, Page);
    const TSelectionChange rules = SelectionRulesFor(Page->Name(), change, ReadWizardAnswers(*this));
    if (rules.Restore) RestorePageAnswers(Page);
    if (rules.DeleteStepsFrom >= 0) DeleteStepsFrom(rules.DeleteStepsFrom);
    for (const auto& [index, enabled] : rules.PageStates) XcWizard1->GetPage(index)->SetEnabled(enabled);
    for (const TFormChange& form : rules.Forms) {
        if (form.Add)
            AddSelectedForm(std::string(form.Form));
        else
            RemoveSelectedForm(std::string(form.Form));
    }
    if (rules.DeleteStepsAfterPage) DeleteStepsAfterPage(Page);
    AnswersModified = AnswersModified || change != 0;
    XcTreeView2->FullExpand();
}

// ---- The selected forms -------------------------------------------------------------------------
int TMainForm::AddSelectedForm(const std::string& Name) {
    TEventPause pause(XcTreeView2->OnChange);
    const TBusyFlag adding(AddingForm);
    int result = -1;
    const std::string wanted = UpperCase(Name);
    for (int row = FormCatalogue.Low; row <= FormCatalogue.High; ++row) {
        if (UpperCase(std::string(FormCatalogue[row].Name)) != wanted) continue;
        if (FormNodeOf(*this, Name)) break;
        try {
            AppendForm(*this, row);
            result = XcTreeView2->Items()->Count() - 1;
        } catch (const std::exception&) {
            Application->MessageBox("Brak pamięci w komputerze.", "Błąd", MB_OK);
        }
        break;
    }
    XcTreeView2->Repaint();
    return result;
}

int TMainForm::RemoveSelectedForm(const std::string& Name) {
    int result = 0;
    if (TTreeNode* node = FormNodeOf(*this, Name)) {
        TEventPause pause(XcTreeView2->OnChange);
        try {
            node->Delete();
        } catch (const std::exception&) {
            result = -1;
        }
    }
    XcTreeView2->Repaint();
    if (result < 0) Application->MessageBox(kFormsNotDeleted, "Błąd", MB_OK);
    return result;
}

bool TMainForm::DeleteStepsFrom(int Index) {
    bool stepsDeleted = true, formsDeleted = true;
    {
        TEventPause pause(XcTreeView1->OnChange);
        if (TTreeNode* kept = StepNodeOf(*this, XcWizard1->GetPage(Index))) {
            StepOf(kept)->VisitCount = 1;
            stepsDeleted = DeleteRootsDownTo(XcTreeView1, kept);
        }
    }
    {
        TEventPause pause(XcTreeView2->OnChange);
        formsDeleted = DeleteRootsDownTo(XcTreeView2, nullptr);
        XcTreeView2->Repaint();
    }
    if (!stepsDeleted)
        Application->MessageBox(kStepsNotDeleted, "Błąd", MB_OK);
    else if (!formsDeleted)
        Application->MessageBox(kFormsNotDeleted, "Błąd", MB_OK);
    return stepsDeleted && formsDeleted;
}

void TMainForm::DeleteStepsAfterPage(TXcWizardCustomPage* Page) {
    // The page's own step, else that of the nearest earlier page of the same way.
    const std::string way = Page->Name().substr(3, 2);
    TTreeNode* kept = StepNodeOf(*this, Page);
    for (int i = Page->PageIndex() - 1; !kept && i >= 0; --i) {
        TXcWizardCustomPage* earlier = XcWizard1->GetPage(i);
        if (earlier->Name().find(way) == std::string::npos) break;
        kept = StepNodeOf(*this, earlier);
    }
    if (!kept) return;
    TEventPause pause(XcTreeView1->OnChange);
    if (!DeleteRootsDownTo(XcTreeView1, kept)) Application->MessageBox(kStepsNotDeleted, "Błąd", MB_OK);
}

// ---- The forms tree ------------------------------------------------------------------------------
void TMainForm::XcTreeView2Change(TObject*, TTreeNode*) {
    if (XcPageControl1->ActivePage() != TabSheet2) return;
    if (!IsSelectionFinished()) {
        Application->MessageBox(
            "Edycja formularzy będzie możliwa dopiero po udzieleniu wszystkich odpowiedzi w kreatorze doboru "
            "formularzy.",
            "Uwaga", MB_OK);
        return;
    }
    if (LoadingStatement || AddingForm || Rendering || PrintPreview->State() != psIdle) return;
    XcPanel3->SetCaption("");
    PrintPreview->Clear();
    PrintPreview->GetFormNames(*FormComboBox->Items());
    FormComboBox->SetItemIndex(FormComboBox->Items()->IndexOf(PrintPreview->GetFormName()));
    if (FirstRendering) {
        FirstRendering = false;
        Repaint();
    }
    ShowSelectedForm();
    if (PrintPreview->CanFocus()) {
        PrintPreview->SetFocus();
        previewFocusPending = true;
    }
}

void TMainForm::XcTreeView2Deletion(TObject*, TTreeNode* Node) {
    auto* form = FormOf(Node);
    Node->SetData(nullptr);
    if (form && form == ShownForm) {
        ShownForm = nullptr;
        HoveredField = 0;
    }
    cl::Free(form);
}
