// The statement commands on the main window: new, load, save, save as, and
// the offer to save before a statement is dropped or the window closes.
// The file itself is app/StatementFile; the window reaches it through the
// host below, which hands it the steps with their answers and the selected
// forms, and replays a stored step through the wizard.
#include <optional>
#include <string>
#include <vector>

#include "app/StatementFile.h"
#include "app/UserFolders.h"
#include "app/WizardPages.h"
#include "app/win/BusyCursor.h"
#include "app/win/Main.h"
#include "app/win/WizardAnswers.h"
#include "app/win/WizardReset.h"
#include "app/win/WizardSteps.h"
#include "classlib/DateTime.h"
#include "classlib/FileUtils.h"
#include "classlib/StrUtils.h"

using namespace cl;

namespace {

constexpr const char* kSavePrompt = "Czy zapisać aktualne sprawozdanie na dysku?";
constexpr const char* kSaved = "Sprawozdanie zostało zapisane pod nazwą ";
constexpr const char* kSaveFailed = "Zapis nie powiódł się.";

// The wizard and the selected forms as the statement file sees them.
class TMainStatementHost final : public TStatementHost {
public:
    explicit TMainStatementHost(TMainForm& form) : f_(form) {}

    bool& LoadingFlag() override { return LoadingStatement; }

    std::vector<TWizardStep> Steps() override {
        std::vector<TWizardStep> steps;
        const TXcWizardCustomPage* active = f_.XcWizard1->ActivePage();
        for (TTreeNode* node = f_.XcTreeView1->Items()->GetFirstNode(); node; node = node->GetNextSibling()) {
            const WizardStepRec* rec = StepOf(node);
            if (!rec || !rec->Page) continue;
            TWizardStep step{rec->Page->Name(), rec->StepNo, rec->VisitCount, {}};
            // Answers changed on a page left before count only once the
            // page is left again: until then its forms are those of the
            // answers last applied, and those are stored with them.
            const bool applied = rec->Page == active && rec->VisitCount >= 1 && f_.Snapshot;
            const TWizardAnswers last = applied ? f_.Snapshot->ForRestore() : TWizardAnswers{};
            if (const TStoredPage* page = FindStoredPage(step.Page)) {
                for (const TStoredControl& stored : page->Controls) {
                    const TWinControl* control = AnswerControl(f_, stored.Name);
                    if (!control) throw Exception("Brak pola odpowiedzi " + std::string(stored.Name));
                    const int value =
                        applied ? last[static_cast<size_t>(AnswerIndex(stored.Name))] : AnswerValue(control);
                    step.Answers.push_back({control->Enabled(), value});
                }
            }
            steps.push_back(std::move(step));
        }
        return steps;
    }

    std::vector<TemFrm*> SelectedForms() override {
        std::vector<TemFrm*> forms;
        for (TTreeNode* node = f_.XcTreeView2->Items()->GetFirstNode(); node; node = node->GetNextSibling())
            if (auto* form = static_cast<TemFrm*>(node->Data())) forms.push_back(form);
        return forms;
    }

    bool ClearStatement() override {
        replay_.emplace(f_);
        return replay_->Reset();
    }

    void ReplayStep(const TWizardStep& step) override {
        TXcWizardCustomPage* page = ApplyStepAnswers(f_, step);
        if (!replay_) replay_.emplace(f_);
        replay_->Activate(page);
    }

    // The page the replay reached is shown, its answers stored.
    void EndReplay() {
        if (replay_) replay_->Finish();
    }

private:
    TMainForm& f_;
    std::optional<TWizardReplay> replay_;
};

}  // namespace

TXcWizardCustomPage* ApplyStepAnswers(TMainForm& f, const TWizardStep& step) {
    auto* page = dynamic_cast<TXcWizardCustomPage*>(f.FindComponent(step.Page));
    const TStoredPage* stored = FindStoredPage(step.Page);
    if (!page || !stored) throw Exception("Nieznana strona kreatora " + step.Page);
    for (size_t k = 0; k < stored->Controls.size() && k < step.Answers.size(); ++k) {
        TWinControl* control = AnswerControl(f, stored->Controls[k].Name);
        if (!control) continue;
        if (stored->Controls[k].Kind != TStoredAnswer::ItemIndex)
            control->SetEnabled(step.Answers[k].Enabled);
        SetAnswerValue(control, step.Answers[k].Value);
    }
    page->SetEnabled(true);
    return page;
}

namespace {

// The steps and the forms trees paint nothing while a statement is cleared
// and replayed: painting each node as it comes would take most of the time.
class TTreesUpdate {
public:
    explicit TTreesUpdate(TMainForm& f) : f_(f) {
        f_.XcTreeView1->Items()->BeginUpdate();
        f_.XcTreeView2->Items()->BeginUpdate();
    }
    ~TTreesUpdate() {
        f_.XcTreeView2->Items()->EndUpdate();
        f_.XcTreeView1->Items()->EndUpdate();
    }
    TTreesUpdate(const TTreesUpdate&) = delete;
    TTreesUpdate& operator=(const TTreesUpdate&) = delete;

private:
    TMainForm& f_;
};

bool IsIdle(const TMainForm& f) {
    return !LoadingStatement && !AddingForm && !f.Rendering;
}

void ShowSaved(const std::string& caption) {
    Application->MessageBox(kSaved + StatementHeader.FileName + ".", caption, MB_OK);
}

// The save command: to the statement's file, or through the dialog for a
// statement without one.  True when it was written.
bool SaveCommand(TMainForm& f) {
    const bool saved = StatementHeader.FileName.empty() ? f.SaveWithDialog() : f.SaveToCurrentFile();
    if (saved) ShowSaved("Zapis sprawozdania");
    return saved;
}

bool SaveAsCommand(TMainForm& f) {
    const bool saved = f.SaveWithDialog();
    if (saved)
        ShowSaved("Potwierdzenie");
    else
        Application->MessageBox("Zapis nie został dokonany.", "Błąd", MB_OK);
    return saved;
}

// Before the statement is dropped: true when it was saved, when it holds
// nothing unsaved, or when the user lets it go.  A save that failed or was
// cancelled keeps it, as Cancel does.
bool OfferToSave(TMainForm& f, bool saveAsWithoutName) {
    if (!AnswersModified && !DataModified) return true;
    switch (Application->MessageBox(kSavePrompt, "Pytanie", MB_YESNOCANCEL)) {
        case IDNO:
            return true;
        case IDYES:
            return saveAsWithoutName && StatementHeader.FileName.empty() ? SaveAsCommand(f) : SaveCommand(f);
        default:
            return false;
    }
}

// The folder of the chosen file becomes the dialog's starting folder.
void AdoptFolder(TOpenDialog& dialog, const std::string& fileName) {
    std::string folder = ExtractFilePath(fileName);
    if (!folder.empty() && folder.back() == PathDelim) folder.pop_back();
    if (!folder.empty() && AnsiUpperCase(folder) != AnsiUpperCase(dialog.InitialDir()))
        dialog.SetInitialDir(folder);
}

}  // namespace

// ---- Handlers ------------------------------------------------------------------------------
void AttachFileHandlers(TMainForm& f) {
    f.Nowerozliczenie1->OnExecute = [&f](TObject* s) { f.Nowerozliczenie1Execute(s); };
    f.Wczytajrozliczenie1->OnExecute = [&f](TObject* s) { f.Wczytajrozliczenie1Execute(s); };
    f.Zapisacrozliczenie1->OnExecute = [&f](TObject* s) { f.Zapisacrozliczenie1Execute(s); };
    f.Zapiszjako1->OnExecute = [&f](TObject* s) { f.Zapiszjako1Execute(s); };
    f.OnCloseQuery = [&f](TObject* s, bool& canClose) { f.FormCloseQuery(s, canClose); };
}

// ---- The commands ------------------------------------------------------------------------------
void TMainForm::Nowerozliczenie1Execute(TObject*) {
    if (!CommitOpenEditor(*this) || !OfferToSave(*this, true)) return;
    ShowWizardMode(this);
    // A new statement was never loaded nor saved: no name, no stamps.
    StatementHeader = TRz_NaglRec{};
    {
        const TTreesUpdate quiet(*this);
        ResetWizard(*this);
    }
    ResetAll();
    AnswersModified = DataModified = false;
    XcWizard1->SetActivePage(Wiz0_2);
}

void TMainForm::Wczytajrozliczenie1Execute(TObject*) {
    if (!CommitOpenEditor(*this) || !OfferToSave(*this, true)) return;
    ShowWizardMode(this);
    if (OpenDialog1->InitialDir().empty()) OpenDialog1->SetInitialDir(StatementsFolder);
    if (!OpenDialog1->Execute()) return;
    const std::string fileName = OpenDialog1->FileName();
    const TDateTime now = Now();
    TRz_NaglRec header{fileName, now, now};
    const int result = LoadStatementFromFile(header);
    if (result == kStatementNotOpened) {
        Application->MessageBox("Nie można odczytać pliku " + fileName + ".", "Błąd", MB_OK);
        return;
    }
    // Past the last page read, so that its rules select their forms.
    if (result != kStatementNotCleared) XcWizard1->SelectNextPage();
    AnswersModified = DataModified = false;
    if (result == kStatementRead) {
        StatementHeader = header;
    } else {
        // What the window holds is not what the file holds: it has no name,
        // so that a save cannot overwrite the file, and it counts as unsaved.
        header.FileName.clear();
        StatementHeader = header;
        AnswersModified = true;
        if (result == kStatementDamaged)
            Application->MessageBox("Plik " + fileName +
                                        " jest uszkodzony lub niekompletny. Wczytano tylko tę część "
                                        "sprawozdania, którą udało się odczytać.",
                                    "Uwaga", MB_OK);
    }
    AdoptFolder(*OpenDialog1, fileName);
}

void TMainForm::Zapisacrozliczenie1Execute(TObject*) {
    if (CommitOpenEditor(*this)) SaveCommand(*this);
}

void TMainForm::Zapiszjako1Execute(TObject*) {
    if (CommitOpenEditor(*this)) SaveAsCommand(*this);
}

// ---- Saving --------------------------------------------------------------------------------------
bool TMainForm::SaveToCurrentFile() {
    TRz_NaglRec header = StatementHeader;
    header.SavedAt = Now();
    if (SaveStatementToFile(header) != kStatementWritten) {
        Application->MessageBox(kSaveFailed, "Błąd", MB_OK);
        return false;
    }
    StatementHeader = header;
    AnswersModified = DataModified = false;
    return true;
}

bool TMainForm::SaveWithDialog() {
    if (SaveDialog1->InitialDir().empty()) SaveDialog1->SetInitialDir(StatementsFolder);
    // A statement without a name is offered none (not the last one chosen).
    SaveDialog1->SetFileName(StatementHeader.FileName);
    if (!SaveDialog1->Execute()) return false;
    // The name is the statement's once the file is written under it.
    TRz_NaglRec header = StatementHeader;
    header.FileName = SaveDialog1->FileName();
    if (SaveStatementToFile(header) != kStatementWritten) {
        Application->MessageBox(kSaveFailed, "Błąd", MB_OK);
        return false;
    }
    StatementHeader.FileName = header.FileName;
    AnswersModified = DataModified = false;
    AdoptFolder(*SaveDialog1, header.FileName);
    return true;
}

int TMainForm::SaveStatementToFile(const TRz_NaglRec& Header) {
    TMainStatementHost host(*this);
    int result;
    {
        const TBusyCursor busy;
        result = WriteStatementFile(Header, host);
    }
    // The writer's own message; the commands tell the rest.
    if (result == kStatementNotCreated)
        Application->MessageBox("Zapis do pliku dyskowego jest niemożliwy.", "Błąd", MB_OK);
    return result;
}

int TMainForm::LoadStatementFromFile(const TRz_NaglRec& Header) {
    TMainStatementHost host(*this);
    const TBusyCursor busy;
    int result = kStatementRead;
    {
        const TTreesUpdate quiet(*this);
        result = ReadStatementFile(Header, host);
        try {
            const TBusyFlag loading(LoadingStatement);
            host.EndReplay();
        } catch (const std::exception&) {
            // Showing the page reached failed as its replay would have.
            if (result == kStatementRead) result = kStatementDamaged;
        }
    }
    // Only a tree that shows places its lines: the step is scrolled to now.
    SelectActiveStep(*this);
    return result;
}

// ---- Closing -----------------------------------------------------------------------------------------
void TMainForm::FormCloseQuery(TObject*, bool& CanClose) {
    // Not while a statement is read or written, a form added or pages made:
    // the work would go on in a window being destroyed.
    if (!IsIdle(*this) || !CommitOpenEditor(*this)) {
        CanClose = false;
        return;
    }
    CanClose = OfferToSave(*this, false);
    if (CanClose) CloseFocFile(*this);
}
