// The form-selection wizard on the main window: the page change with its
// answer check, rules and steps; the steps tree; the answers' check, reset,
// restore and snapshot; and the wizard's reset for a new or loaded statement.
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/UserFolders.h"
#include "app/WizardPages.h"
#include "app/win/Main.h"
#include "app/win/WizardAnswers.h"
#include "app/win/WizardReset.h"
#include "app/win/WizardSteps.h"
#include "classlib/Scope.h"

using namespace cl;

namespace {

constexpr const char* kNotAnswered = "Odpowiedź nie została sprecyzowana!";

bool IsBlank(const std::string& text) {
    return text.empty() || text == " ";
}

// The answers as the last page change stored them, kept in memory and in
// "p.gpi" in the data folder.
TAnswerSnapshot& SnapshotOf(TMainForm& f) {
    if (!f.Snapshot) f.Snapshot.emplace(DataFolder + "p.gpi");
    return *f.Snapshot;
}

// Whether the whole line of the node shows in the tree.  Not while the
// tree shows nothing, as in an update: its lines may not be placed yet.
bool InView(TTreeView& tree, const TTreeNode* node) {
    if (!tree.Showing() || !node->IsVisible()) return false;
    const TRect line = node->DisplayRect(false);
    return line.bottom > line.top && line.top >= 0 && line.bottom <= tree.ClientHeight();
}

// The step becomes the selected one, without it counting as a click, and
// is scrolled into view.
void SelectStep(TMainForm& f, TTreeNode* node) {
    TTreeView& tree = *f.XcTreeView1;
    TEventPause pause(tree.OnChange);
    // What is so already is left alone: each change of the tree redraws its
    // scroll bars, which costs Wine dearly (scrolling to a step in view does too).
    if (tree.Selected() != node) tree.SetSelected(node);
    if (!InView(tree, node)) node->MakeVisible();
    // Scrolling a long title into view moves it left, past the steps'
    // images: the tree goes back to its left edge.
    if (tree.HandleAllocated() && GetScrollPos(tree.Handle(), SB_HORZ) != 0)
        SendMessageW(tree.Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
}

// A new step for the page that is about to become the active one; the tree
// sorts it into page order.  It is selected at once, in the same repaint.
void AddStep(TMainForm& f, TXcWizardCustomPage* page) {
    std::string text = page->Header()->Title()->Text();
    const std::string& subtitle = page->Header()->Subtitle()->Text();
    int32_t stepNo = 0;
    if (!IsBlank(subtitle)) {
        text += " - " + subtitle;
        if (const WizardStepRec* last = StepOf(LastStepNode(f))) stepNo = last->StepNo + 1;
    }
    auto step = std::make_unique<WizardStepRec>(WizardStepRec{page, stepNo, 0});
    f.XcTreeView1->Items()->BeginUpdate();
    const ScopeExit update([&f] { f.XcTreeView1->Items()->EndUpdate(); });
    TTreeNode* node = f.XcTreeView1->Items()->AddObject(nullptr, text, step.get());
    step.release();
    node->SetImageIndex(0);
    node->SetSelectedIndex(1);
    SelectStep(f, node);
}

// An unchecked radio button with the focus checks itself when the focus
// comes back to it (Windows' rule for radio buttons): an answer taken back
// must not return that way.
void MoveFocusOffUncheckedRadio(TMainForm& f, TXcWizardCustomPage* page) {
    auto* radio = dynamic_cast<TRadioButton*>(f.ActiveControl());
    if (radio && !radio->Checked() && page->ContainsControl(radio) && page->CanFocus())
        f.SetActiveControl(page);
}

// The page change from the active page towards the requested one: the
// answers checked, the visit counted, the rules of the page left run, and
// the page to go to chosen (active to stay), a new one becoming a step.
TXcWizardCustomPage* PageChangeTarget(TMainForm& f, TXcWizardCustomPage* active,
                                      TXcWizardCustomPage* requested) {
    const bool answered = f.IsPageAnswered(active, false);
    if (!answered) {
        // Only going back from the newest step may leave a page unanswered.
        const WizardStepRec* last = StepOf(LastStepNode(f));
        const bool newest = active && last && last->Page == active;
        if (!newest || !requested || requested->PageIndex() >= active->PageIndex()) {
            Application->MessageBox(kNotAnswered, "Błąd", MB_OK);
            return active;
        }
    }
    // A page without a step (none before the first page) counts no visit
    // and runs no rules.
    if (TTreeNode* node = answered ? StepNodeOf(f, active) : nullptr) {
        ++StepOf(node)->VisitCount;
        f.ApplySelectionRules(active);
    }

    // The rules may have cut off the requested page's step: whether it is a
    // step is asked only now.  Without a fitting page the wizard stays.
    TXcWizard& wizard = *f.XcWizard1;
    std::vector<bool> enabled;
    for (int i = 0; i < wizard.PageCount(); ++i) enabled.push_back(wizard.GetPage(i)->Enabled());
    const int target =
        ChooseTargetPage(active ? active->PageIndex() : -1, requested ? requested->PageIndex() : -1,
                         StepNodeOf(f, requested) != nullptr, enabled);
    TXcWizardCustomPage* const page = target >= 0 ? wizard.GetPage(target) : active;
    if (StepNodeOf(f, page)) {
        // Staying: the answers are stored and the step selected once this change is over.
        if (page == active) PostMessageW(f.Handle(), WM_USER_WIZARD_STEP, 0, 0);
    } else if (page) {
        if (!LoadingStatement && !AddingForm) f.ResetPageAnswers(page);
        AddStep(f, page);
    }
    return page;
}

void WriteAnswers(TMainForm& f, const TWizardAnswers& answers) {
    if (!SnapshotOf(f).Store(answers))
        Application->MessageBox("Zapis do pliku dyskowego jest niemożliwy.", "Błąd", MB_OK);
}

// The page change's store: the answers (by default as the controls stand)
// to the snapshot; a failure is told.
void StoreAnswers(TMainForm& f, const std::optional<TWizardAnswers>& answers = std::nullopt) {
    try {
        if (answers)
            WriteAnswers(f, *answers);
        else
            f.StoreWizardAnswers();
    } catch (const std::exception&) {
        Application->MessageBox("Wystąpił problem z zapisem danych na dysku w folderze " + DataFolder +
                                    ".Kontynuacja pracy z programem będzie możliwa po usunięciu przyczyn "
                                    "występowania tego problemu.",
                                "Błąd", MB_OK);
    }
}

}  // namespace

void SelectActiveStep(TMainForm& f) {
    if (TTreeNode* node = StepNodeOf(f, f.XcWizard1->ActivePage())) SelectStep(f, node);
}

// ---- Handlers ------------------------------------------------------------------------------
void AttachWizardHandlers(TMainForm& f) {
    f.XcWizard1->OnActivePageChanging = [&f](TObject* s, TXcWizardCustomPage*& to) {
        f.XcWizard1ActivePageChanging(s, to);
    };
    f.XcWizard1->OnActivePageChanged = [&f](TObject* s) { f.XcWizard1ActivePageChanged(s); };
    f.XcTreeView1->OnChange = [&f](TObject* s, TTreeNode* node) { f.XcTreeView1Change(s, node); };
    f.XcTreeView1->OnChanging = [](TObject*, TTreeNode*, bool& allow) { allow = !OpenEditor.Editor; };
    f.XcTreeView1->OnCollapsing = [](TObject*, TTreeNode*, bool& allow) { allow = false; };
    f.XcTreeView1->OnDeletion = [&f](TObject* s, TTreeNode* node) { f.XcTreeView1Deletion(s, node); };
    f.XcTreeView1->OnCompare = [&f](TObject* s, TTreeNode* a, TTreeNode* b, intptr_t data, int& result) {
        f.XcTreeView1Compare(s, a, b, data, result);
    };
    f.Wiz100_1->OnFinishButtonClick = [&f](TObject* s, bool& stop) { f.Wiz100_1FinishButtonClick(s, stop); };

    // A group of variants is open while its box is ticked.  The boxes click
    // when set from code too: a statement being read or a form being added
    // sets the groups itself.
    const struct {
        TCheckBox* clicked;
        TCheckBox* box;
        TRadioGroup* group;
    } variants[] = {
        {f.cb1_1_2, f.cb1_1_2, f.rb1_1_2},
        {f.cb1_1_4, f.cb1_1_2, f.rb1_1_2},
        {f.cb1_1_3, f.cb1_1_3, f.rb1_1_3},
        {f.cb1_2_2, f.cb1_2_2, f.rb1_2_2},
    };
    for (const auto& v : variants) {
        v.clicked->OnClick = [box = v.box, group = v.group](TObject*) {
            if (!LoadingStatement && !AddingForm) group->SetEnabled(box->Checked());
        };
    }
    f.Wiz1_1->OnPage = [&f](TObject*) {
        f.rb1_1_2->SetEnabled(f.cb1_1_2->Checked());
        f.rb1_1_3->SetEnabled(f.cb1_1_3->Checked());
    };
    f.Wiz1_2->OnPage = [&f](TObject*) { f.rb1_2_2->SetEnabled(f.cb1_2_2->Checked()); };
    f.Wiz100_1->OnPage = [&f](TObject*) {
        f.Wiz100_1->EnableButton(bkFinish, f.XcTreeView2->Items()->Count() > 0);
    };
}

// ---- The page change -----------------------------------------------------------------------
void TMainForm::XcWizard1ActivePageChanging(TObject*, TXcWizardCustomPage*& ToPage) {
    ToPage = PageChangeTarget(*this, XcWizard1->ActivePage(), ToPage);
}

void TMainForm::XcWizard1ActivePageChanged(TObject*) {
    if (XcWizard1->ActivePage() != Wiz0_1) StoreAnswers(*this);
    SelectActiveStep(*this);
}

// ---- A statement's pages replayed -------------------------------------------------------------
TWizardReplay::TWizardReplay(TMainForm& form) : f_(form), active_(form.XcWizard1->ActivePage()) {}

bool TWizardReplay::Reset() {
    // The end page may stay shown meanwhile: it has no answers to be set
    // and no rule disables it.  A statement that ends there again (as one
    // loaded over a finished wizard mostly does) is then shown without a
    // page shown in between.
    if (f_.XcWizard1->ActivePage() != f_.Wiz100_1) {
        const bool cleared = ResetWizard(f_);
        active_ = f_.XcWizard1->ActivePage();
        return cleared;
    }
    active_ = f_.Wiz0_1;
    changed_ = true;
    return f_.DeleteStepsFrom(0);
}

void TWizardReplay::Activate(TXcWizardCustomPage* page) {
    // As the wizard makes a page active, without showing it (or hiding the last).
    TXcWizard& wizard = *f_.XcWizard1;
    if (!page || page->Wizard() != &wizard || !page->Enabled() || page == active_) return;
    TXcWizardCustomPage* target = PageChangeTarget(f_, active_, page);
    if (target == active_ || (target && target->Wizard() != &wizard)) return;
    if (target && !target->Enabled())
        target = wizard.FindNextPage(active_ ? active_->PageIndex() : -1,
                                     wizard.IsForward(active_, target) ? 1 : -1, true);
    active_ = target;
    changed_ = true;
    // The page's OnPage runs when a shown page would take the focus.
    if (target && target->OnPage && target->Enabled() && f_.Showing() && f_.Enabled() && wizard.CanFocus())
        target->OnPage(target);
    // The answers stored by the page change are kept for the change check;
    // the file is written once, when the replay ends.
    if (active_ != f_.Wiz0_1) {
        answers_ = ReadWizardAnswers(f_);
        SnapshotOf(f_).Keep(*answers_);
    }
}

void TWizardReplay::Finish() {
    if (!std::exchange(changed_, false)) return;
    TXcWizard& wizard = *f_.XcWizard1;
    if (active_ != wizard.ActivePage()) {
        // Shown, without the answer check and the rules it has had; the
        // page change stores the answers and selects the page's step.
        TEventPause pause(wizard.OnActivePageChanging);
        wizard.SetActivePage(active_);
        if (wizard.ActivePage() == active_ && active_ != f_.Wiz0_1) return;
    } else if (active_) {
        // Shown all along: it takes the focus as a page made active does.
        const bool focusable = f_.Showing() && f_.Enabled();
        if (focusable && active_->CanFocus())
            f_.SetActiveControl(active_);
        else if (focusable && wizard.CanFocus())
            f_.SetActiveControl(&wizard);
        if (f_.ActiveControl() == active_) active_->SelectFirst();
        wizard.UpdateButtonsStatus();
    }
    if (answers_) StoreAnswers(f_, *answers_);
    SelectActiveStep(f_);
}

bool TMainForm::IsSelectionFinished() const {
    const WizardStepRec* last = StepOf(LastStepNode(*this));
    return last && last->Page == Wiz100_1;
}

void TMainForm::Wiz100_1FinishButtonClick(TObject* Sender, bool&) {
    if (Twojeformularze1->Enabled()) Twojeformularze1Execute(Sender);
}

// ---- The steps tree ------------------------------------------------------------------------
void TMainForm::XcTreeView1Change(TObject*, TTreeNode* Node) {
    if (LoadingStatement || AddingForm || Rendering) {
        // The click is refused: the highlight goes back to the page in force.
        if (StepOf(Node) && StepOf(Node)->Page != XcWizard1->ActivePage()) SelectActiveStep(*this);
        return;
    }
    // The rules of the page left may delete the clicked step: nothing of
    // it is used after the change.
    TXcWizardCustomPage* const page = StepOf(Node) ? StepOf(Node)->Page : nullptr;
    if (page && page != XcWizard1->ActivePage()) {
        XcWizard1->SetActivePage(page);
        // A refused or redirected change leaves the click's step selected.
        SelectActiveStep(*this);
    }
    if (!XcTreeView1->Focused() && XcTreeView1->CanFocus()) XcTreeView1->SetFocus();
}

void TMainForm::XcTreeView1Deletion(TObject*, TTreeNode* Node) {
    // The node goes with its data; clearing it would sort the tree meanwhile.
    delete StepOf(Node);
}

void TMainForm::XcTreeView1Compare(TObject*, TTreeNode* Node1, TTreeNode* Node2, intptr_t, int& Compare) {
    auto indexOf = [](const TTreeNode* node) {
        const WizardStepRec* step = StepOf(node);
        return step && step->Page ? step->Page->PageIndex() : -1;
    };
    const int a = indexOf(Node1), b = indexOf(Node2);
    Compare = a < b ? -1 : a > b ? 1 : 0;
}

// ---- Answers ---------------------------------------------------------------------------------
bool TMainForm::IsPageAnswered(TXcWizardCustomPage* Page, bool ShowMessage) {
    const bool answered = !Page || ::IsPageAnswered(Page->Name(), ReadWizardAnswers(*this));
    if (!answered && ShowMessage) Application->MessageBox(kNotAnswered, "Błąd", MB_OK);
    return answered;
}

void TMainForm::ResetPageAnswers(TXcWizardCustomPage* Page) {
    if (!Page) return;
    for (const TAnswerReset& reset : PageAnswerReset(Page->Name())) {
        TWinControl* control = AnswerControl(*this, reset.Control);
        if (!control) continue;
        SetAnswerValue(control, reset.Value);
        if (reset.Enabled != TResetEnabled::Keep) control->SetEnabled(reset.Enabled == TResetEnabled::Enable);
    }
}

int TMainForm::CheckPageAnswersChanged(bool Warn, TXcWizardCustomPage* Page) {
    const WizardStepRec* step = StepOf(StepNodeOf(*this, Page));
    if (!step || step->VisitCount <= 1) return 2;
    int result =
        PageAnswersDiffer(Page->Name(), SnapshotOf(*this).ForChangeCheck(), ReadWizardAnswers(*this)) ? 1 : 0;
    if (result == 1 && Warn && XcTreeView2->Items()->Count() > 0) {
        // No by default: an Enter pressed by habit must not drop every form and its values.
        const int answer = Application->MessageBox(
            "Wprowadzone zmiany spowodują modyfikację listy dobranych formularzy!\r"
            "Czy na pewno akceptujesz te zmiany?",
            "Ostrzeżenie", MB_YESNO | MB_DEFBUTTON2);
        if (answer != IDYES) result = 0;
    }
    AnswersModified = AnswersModified || result > 0;
    return result;
}

void TMainForm::RestorePageAnswers(TXcWizardCustomPage* Page) {
    if (!Page) return;
    const TWizardAnswers stored = SnapshotOf(*this).ForRestore();
    for (std::string_view name : PageAnswers(Page->Name())) {
        try {
            TWinControl* control = AnswerControl(*this, name);
            const int value = stored[static_cast<size_t>(AnswerIndex(name))];
            if (control && AnswerValue(control) != value) SetAnswerValue(control, value);
        } catch (const std::exception&) {
            // Each control on its own: one that fails leaves the others restored.
        }
    }
    MoveFocusOffUncheckedRadio(*this, Page);
}

void TMainForm::StoreWizardAnswers() {
    WriteAnswers(*this, ReadWizardAnswers(*this));
}

// ---- The reset for a new or loaded statement --------------------------------------------------
bool ResetWizard(TMainForm& f) {
    {
        // Neither the answer check nor the rules of the page left: what it
        // holds is about to go.
        TEventPause pause(f.XcWizard1->OnActivePageChanging);
        f.XcWizard1->SetActivePage(f.Wiz0_1);
    }
    return f.DeleteStepsFrom(0);
}
