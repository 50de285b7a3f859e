// The statement commands on the main window, with the message boxes and the
// file dialogs answered by the fixture: new and load after the offer to
// save, which goes on only when the statement was saved or let go; save and
// save as, a failed one keeping the old name; a damaged or unreadable file;
// answers changed but not applied on a revisited page; closing; every
// command waiting while the open editor holds a refused value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/StatementFile.h"
#include "app/UserFolders.h"
#include "app/win/Print1.h"
#include "classlib/FileUtils.h"
#include "engine/win/EngineHostWin.h"
#include "tests/app/win/FormShowing.h"
#include "tests/app/win/MainFormFixture.h"
#include "tests/app/win/ModalAnswer.h"
#include "tests/app/win/WizardTestSupport.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using namespace maintest;

const Names kAuditedForms = {"bil", "rachzsp", "rachppb", "zestzf"};

class FileTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        // The golden statement of tools/gen_statement_golden.py: the audited
        // way with four forms and values, bil's field 5 "Spółka Przykładowa".
        golden_ = folder_.Name("wzór sprawozdania.spr");
        cltest::WriteBytes(golden_, cltest::ReadBytes(cltest::SourceFile("tests/app/statement/audited.spr")));
    }
    // The way without audit, bil with a name typed, all unsaved.
    void MakeUnsavedStatement() {
        ResetWizard(*form_);
        StatementHeader = TRz_NaglRec{};
        Walk(*form_,
             {{}, {{"rb0_2_1", 0}}, {{"cb1_0_2", 1}}, {{"cb1_2_1", 1}, {"cb1_2_2", 1}, {"rb1_2_2", 0}}});
        ASSERT_EQ(Forms(*form_), (Names{"bil", "rachzsk"}));
        ASSERT_TRUE(SelectedForm(*form_, "bil")->SetValueAsText(5, "Nowa"));
        ASSERT_TRUE(AnswersModified && DataModified);
        answers_.boxes.clear();
        files_.asked.clear();
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const auto& box : answers_.boxes) captions.push_back(box.caption);
        return captions;
    }
    bool IsNew() const {
        return Steps(*form_) == Names{"Wiz0_1", "Wiz0_2"} && ActivePage(*form_) == "Wiz0_2" &&
               Forms(*form_).empty() && form_->rb0_2_1->ItemIndex() == -1 && !AnswersModified &&
               !DataModified && StatementHeader.FileName.empty();
    }
    bool IsGoldenLoaded() const {
        const TemFrm* bil = SelectedForm(*form_, "bil");
        return Forms(*form_) == kAuditedForms && ActivePage(*form_) == "Wiz100_1" && bil &&
               bil->GetValueText(5) == "Spółka Przykładowa" && StatementHeader.FileName == golden_ &&
               !AnswersModified && !DataModified;
    }

    cltest::TempFolder folder_;
    std::string golden_;
};

struct PromptCase {
    const char* what;
    int answer;
    std::vector<std::string> names;     // given to the file dialogs in turn ("" cancels)
    std::vector<std::string> captions;  // of the boxes shown, in order
    bool goesOn;
};

TEST_F(FileTest, NewGoesOnOnlyWhenTheStatementWasSavedOrLetGo) {
    const std::string saved = folder_.Name("zapisane.spr");
    const PromptCase cases[] = {
        {"Cancel", IDCANCEL, {}, {"Pytanie"}, false},
        {"No", IDNO, {}, {"Pytanie"}, true},
        {"Yes, the dialog cancelled", IDYES, {""}, {"Pytanie", "Błąd"}, false},
        {"Yes, saved", IDYES, {saved}, {"Pytanie", "Potwierdzenie"}, true},
    };
    for (const PromptCase& c : cases) {
        SCOPED_TRACE(c.what);
        MakeUnsavedStatement();
        answers_.answer = c.answer;
        files_.names = c.names;
        form_->Nowerozliczenie1->Execute();
        EXPECT_EQ(Captions(), c.captions);
        EXPECT_EQ(IsNew(), c.goesOn);
        if (!c.goesOn) {
            EXPECT_EQ(Forms(*form_), (Names{"bil", "rachzsk"}));
        }
    }
    EXPECT_TRUE(cltest::FileExists(saved));
    EXPECT_EQ(answers_.boxes[0].text, "Czy zapisać aktualne sprawozdanie na dysku?");
    EXPECT_EQ(answers_.boxes[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(answers_.boxes[1].text, "Sprawozdanie zostało zapisane pod nazwą " + saved + ".");
}

TEST_F(FileTest, LoadGoesOnOnlyWhenTheStatementWasSavedOrLetGoAndReplaysTheFile) {
    const PromptCase cases[] = {
        {"Cancel", IDCANCEL, {golden_}, {"Pytanie"}, false},
        {"No", IDNO, {golden_}, {"Pytanie"}, true},
        {"Yes, the dialog cancelled", IDYES, {"", golden_}, {"Pytanie", "Błąd"}, false},
        {"Yes, saved", IDYES, {folder_.Name("zapisane.spr"), golden_}, {"Pytanie", "Potwierdzenie"}, true},
    };
    for (const PromptCase& c : cases) {
        SCOPED_TRACE(c.what);
        MakeUnsavedStatement();
        form_->OpenDialog1->SetInitialDir("");
        answers_.answer = c.answer;
        files_.names = c.names;
        const TDateTime before = Now();
        form_->Wczytajrozliczenie1->Execute();
        EXPECT_EQ(Captions(), c.captions);
        EXPECT_EQ(IsGoldenLoaded(), c.goesOn);
        if (!c.goesOn) continue;
        EXPECT_FALSE(files_.asked.back().save);
        EXPECT_EQ(files_.asked.back().initialDir, StatementsFolder);
        EXPECT_GE(StatementHeader.LoadedAt, before);
        EXPECT_EQ(StatementHeader.SavedAt, StatementHeader.LoadedAt);
        std::string folder = folder_.Name("");
        folder.pop_back();
        EXPECT_EQ(form_->OpenDialog1->InitialDir(), folder);
    }
}

TEST_F(FileTest, TheDialogsOfferStatementFilesAndOpenOnlyAFileThatExists) {
    for (TOpenDialog* dialog : {form_->OpenDialog1, static_cast<TOpenDialog*>(form_->SaveDialog1)}) {
        SCOPED_TRACE(dialog->Name());
        EXPECT_EQ(dialog->DefaultExt(), "spr");
        EXPECT_EQ(dialog->Filter(), "Pliki sprawozdań finans. (*.spr)|*.spr|Wszystkie pliki (*.*)|*.*");
    }
    EXPECT_EQ(form_->OpenDialog1->Options(),
              ofHideReadOnly | ofPathMustExist | ofFileMustExist | ofEnableSizing);
    // The class library's default options, and the question before a file is replaced.
    EXPECT_EQ(form_->SaveDialog1->Options(), ofHideReadOnly | ofEnableSizing | ofOverwritePrompt);
}

TEST_F(FileTest, SaveAsAdoptsTheNameOnlyWhenWrittenAndSaveWritesToIt) {
    MakeUnsavedStatement();
    form_->SaveDialog1->SetInitialDir("");
    const std::string first = folder_.Name("pierwsze.spr");
    files_.names = {first, folder_.Name("brak\\drugie.spr")};
    form_->Zapiszjako1->Execute();
    EXPECT_EQ(StatementHeader.FileName, first);
    EXPECT_TRUE(files_.asked[0].save);
    EXPECT_EQ(files_.asked[0].initialDir, StatementsFolder);
    EXPECT_EQ(files_.asked[0].fileName, "");  // an unnamed statement is offered no name
    std::string folder = folder_.Name("");
    folder.pop_back();
    EXPECT_EQ(form_->SaveDialog1->InitialDir(), folder) << "the next save as starts where this one ended";
    EXPECT_FALSE(AnswersModified || DataModified);

    SelectedForm(*form_, "bil")->SetValueAsText(5, "Zmieniona");
    answers_.boxes.clear();
    form_->Zapiszjako1->Execute();
    // The writer's box, the save's and the save as's.
    ASSERT_EQ(answers_.boxes.size(), 3u);
    EXPECT_EQ(answers_.boxes[0].text, "Zapis do pliku dyskowego jest niemożliwy.");
    EXPECT_EQ(answers_.boxes[1].text, "Zapis nie powiódł się.");
    EXPECT_EQ(answers_.boxes[2].text, "Zapis nie został dokonany.");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Błąd", "Błąd", "Błąd"}));
    EXPECT_EQ(files_.asked[1].fileName, first);
    EXPECT_EQ(StatementHeader.FileName, first);
    EXPECT_TRUE(DataModified);

    // Save writes to the statement's file without a dialog; a read-only one
    // is kept.
    const std::string before = cltest::ReadBytes(first);
    ASSERT_TRUE(FileSetAttr(first, faReadOnly));
    answers_.boxes.clear();
    form_->Zapisacrozliczenie1->Execute();
    ASSERT_EQ(answers_.boxes.size(), 2u);
    EXPECT_EQ(answers_.boxes[0].text, "Zapis do pliku dyskowego jest niemożliwy.");
    EXPECT_EQ(answers_.boxes[1].text, "Zapis nie powiódł się.");
    EXPECT_EQ(cltest::ReadBytes(first), before);
    EXPECT_TRUE(DataModified);
    ASSERT_TRUE(FileSetAttr(first, 0));
    answers_.boxes.clear();
    form_->Zapisacrozliczenie1->Execute();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Zapis sprawozdania"}));
    EXPECT_EQ(files_.asked.size(), 2u);
    EXPECT_NE(cltest::ReadBytes(first), before);
    EXPECT_FALSE(DataModified);
}

TEST_F(FileTest, ADamagedFileLoadsWhatIsSoundWithoutANameAndAnUnreadableOneChangesNothing) {
    std::string bytes = cltest::ReadBytes(golden_);
    bytes.resize(bytes.size() - 3);
    const std::string cut = folder_.Name("ucięte.spr");
    cltest::WriteBytes(cut, bytes);
    files_.names = {cut};
    form_->Wczytajrozliczenie1->Execute();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Uwaga"}));
    EXPECT_EQ(answers_.boxes[0].text.rfind("Plik " + cut + " jest uszkodzony", 0), 0u);
    ASSERT_EQ(Forms(*form_), kAuditedForms);
    EXPECT_EQ(SelectedForm(*form_, "bil")->GetValueText(5), "Spółka Przykładowa");
    EXPECT_EQ(StatementHeader.FileName, "");
    EXPECT_TRUE(AnswersModified);

    AnswersModified = false;
    answers_.boxes.clear();
    files_.names = {folder_.Name("nie ma.spr")};
    form_->Wczytajrozliczenie1->Execute();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Błąd"}));
    EXPECT_EQ(Forms(*form_), kAuditedForms);
    EXPECT_EQ(ActivePage(*form_), "Wiz100_1");
}

TEST_F(FileTest, AnswersChangedButNotAppliedOnARevisitedPageAreStoredAsLastApplied) {
    files_.names = {golden_};
    form_->Wczytajrozliczenie1->Execute();
    ASSERT_TRUE(IsGoldenLoaded());
    Press(*form_, bkBack);
    ASSERT_EQ(ActivePage(*form_), "Wiz1_1");
    Answer(*form_, {{"cb1_1_1", 0}});  // Bilans unticked, the page not left
    const std::string saved = folder_.Name("bez bilansu.spr");
    files_.names = {saved, saved};
    form_->Zapiszjako1->Execute();
    answers_.answer = IDNO;
    form_->Wczytajrozliczenie1->Execute();
    EXPECT_EQ(Forms(*form_), kAuditedForms);
    const TemFrm* bil = SelectedForm(*form_, "bil");
    ASSERT_TRUE(bil);
    EXPECT_EQ(bil->GetValueText(5), "Spółka Przykładowa");
    EXPECT_TRUE(form_->cb1_1_1->Checked());
}

// The statement's pages replayed by showing each in turn, as the reader
// describes it: the answers set, the page enabled and made active.
class ShowingEveryPage final : public TStatementHost {
public:
    explicit ShowingEveryPage(TMainForm& f) : f_(f) {}
    bool& LoadingFlag() override { return LoadingStatement; }
    std::vector<TWizardStep> Steps() override { return {}; }
    std::vector<TemFrm*> SelectedForms() override {
        std::vector<TemFrm*> forms;
        for (const std::string& name : Forms(f_)) forms.push_back(SelectedForm(f_, name));
        return forms;
    }
    bool ClearStatement() override { return ResetWizard(f_); }
    void ReplayStep(const TWizardStep& step) override {
        f_.XcWizard1->SetActivePage(ApplyStepAnswers(f_, step));
    }

private:
    TMainForm& f_;
};

// All a load leaves in the wizard, the snapshot file included.
struct WizardState {
    Names steps, forms;
    std::vector<int> stepNumbers, visits, answers;
    std::vector<bool> enabled;  // the answer controls', then the pages'
    std::string active, focused, snapshot;
    bool finish = false;
    std::string selectedStep;  // its page when it shows whole in the steps tree
    bool operator==(const WizardState&) const = default;
};

WizardState StateOf(TMainForm& f) {
    WizardState s{Steps(f), Forms(f), {}, {}, {}, {}, ActivePage(f), "", "", false, ""};
    for (TTreeNode* node = f.XcTreeView1->Items()->GetFirstNode(); node; node = node->GetNextSibling()) {
        s.stepNumbers.push_back(StepOf(node)->StepNo);
        s.visits.push_back(StepOf(node)->VisitCount);
    }
    for (const TAnswerControl& c : AnswerControls) {
        TWinControl* control = AnswerControl(f, c.Name);
        s.answers.push_back(AnswerValue(control));
        s.enabled.push_back(control->Enabled());
    }
    for (int i = 0; i < f.XcWizard1->PageCount(); ++i)
        s.enabled.push_back(f.XcWizard1->GetPage(i)->Enabled());
    s.focused = f.ActiveControl() ? f.ActiveControl()->Name() : "";
    s.snapshot = cltest::ReadBytes(DataFolder + "p.gpi");
    s.finish = f.Wiz100_1->EnabledButtons().Contains(bkFinish);
    if (TTreeNode* node = f.XcTreeView1->Selected()) {
        const TRect line = node->DisplayRect(false);
        if (line.top >= 0 && line.bottom <= f.XcTreeView1->ClientHeight())
            s.selectedStep = StepOf(node)->Page->Name();
    }
    return s;
}

// Loading shows only the page the replay reaches: it ends as showing every
// stored page in turn ends, for each way through the wizard, an unfinished
// statement, one cut in its steps and one whose variants are stored
// disabled, each loaded over a new statement and over a finished one (the
// active step in view in a short steps tree too).
TEST_F(FileTest, LoadingEndsWhereShowingEveryStoredPageInTurnEnds) {
    std::vector<std::string> files;
    for (const char* name : {"audited", "notaudited", "noactivity", "unfinished"}) {
        files.push_back(folder_.Name(std::string(name) + ".spr"));
        cltest::WriteBytes(files.back(), cltest::ReadBytes(cltest::SourceFile("tests/app/statement/" +
                                                                              std::string(name) + ".spr")));
    }
    files.push_back(folder_.Name("cut.spr"));
    cltest::WriteBytes(files.back(), cltest::ReadBytes(golden_).substr(0, 120));
    // rb1_1_2 stored disabled beside its ticked box (the page's own step
    // enables it again): its Enabled byte after the name, two numbers and
    // four boxes.
    std::string disabled = cltest::ReadBytes(golden_);
    const size_t at = disabled.find("Wiz1_1") + 6 + 8 + 8;
    ASSERT_EQ(disabled[at], '\1');
    disabled[at] = '\0';
    files.push_back(folder_.Name("disabled.spr"));
    cltest::WriteBytes(files.back(), disabled);
    // A steps tree of two lines scrolls to the page in force.
    form_->XcTreeView1->SetHeight(56);
    // Loaded over a new statement and over a finished one.
    auto start = [this](bool finished) {
        AnswersModified = DataModified = false;
        if (finished) {
            files_.names = {golden_};
            form_->Wczytajrozliczenie1->Execute();
        } else {
            form_->Nowerozliczenie1->Execute();
        }
        cltest::Pump();
    };
    for (const bool finished : {false, true}) {
        for (const std::string& file : files) {
            SCOPED_TRACE(file + (finished ? " over a finished statement" : " over a new one"));
            start(finished);
            ShowingEveryPage showing(*form_);
            ReadStatementFile(TRz_NaglRec{file, 0, 0}, showing);
            form_->XcWizard1->SelectNextPage();
            cltest::Pump();
            const WizardState expected = StateOf(*form_);

            start(finished);
            files_.names = {file};
            form_->Wczytajrozliczenie1->Execute();
            cltest::Pump();
            EXPECT_TRUE(StateOf(*form_) == expected);
            EXPECT_EQ(StateOf(*form_).steps, expected.steps);
            EXPECT_EQ(StateOf(*form_).forms, expected.forms);
            EXPECT_EQ(expected.selectedStep, expected.active);
        }
    }
}

TEST_F(FileTest, NewFromAnUnansweredOlderPageStartsAnew) {
    MakeUnsavedStatement();
    for (int i = 0; i < 3; ++i) Press(*form_, bkBack);
    ASSERT_EQ(ActivePage(*form_), "Wiz0_2");
    SetAnswerValue(form_->rb0_2_1, -1);
    answers_.answer = IDNO;
    form_->Nowerozliczenie1->Execute();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Pytanie"}));
    EXPECT_TRUE(IsNew());
}

TEST_F(FileTest, ClosingGoesOnOnlyWhenTheStatementWasSavedOrLetGoAndNeverWhileBusy) {
    const PromptCase cases[] = {
        {"Cancel", IDCANCEL, {}, {"Pytanie"}, false},
        {"No", IDNO, {}, {"Pytanie"}, true},
        {"Yes, the dialog cancelled", IDYES, {""}, {"Pytanie"}, false},
        {"Yes, saved", IDYES, {folder_.Name("przy zamknięciu.spr")}, {"Pytanie", "Zapis sprawozdania"}, true},
    };
    for (const PromptCase& c : cases) {
        SCOPED_TRACE(c.what);
        MakeUnsavedStatement();
        answers_.answer = c.answer;
        files_.names = c.names;
        EXPECT_EQ(form_->CloseQuery(), c.goesOn);
        EXPECT_EQ(Captions(), c.captions);
    }
    answers_.boxes.clear();
    AnswersModified = true;
    for (bool* busy : {&LoadingStatement, &AddingForm, &form_->Rendering}) {
        const TBusyFlag flag(*busy);
        EXPECT_FALSE(form_->CloseQuery());
    }
    EXPECT_TRUE(answers_.boxes.empty());
}

TEST_F(FileTest, EveryCommandWaitsWhileTheOpenEditorHoldsARefusedValue) {
    TWindowEngineHost host;
    SetEngineHost(&host);
    ProgramFolder = BuildProgramFolder();
    ShowForm(*form_, "bil");
    AnswersModified = true;
    form_->BeginFieldEdit(10, false);
    ASSERT_NE(OpenEditor.Editor, nullptr);
    OpenEditor.Editor->SetText("3-5");
    answers_.answer = IDYES;  // "Nieprawidłowa wartość pola. Poprawić?": correct it
    files_.names = {golden_, golden_};
    ModalAnswer<TPrint1Dlg> print(*form_, [](TPrint1Dlg& d) { d.CancelBtn->Click(); });
    for (TAction* command : {form_->Nowerozliczenie1, form_->Wczytajrozliczenie1, form_->Zapisacrozliczenie1,
                             form_->Zapiszjako1, form_->Wydruk1}) {
        SCOPED_TRACE(command->Name());
        command->OnExecute(command);
        EXPECT_NE(OpenEditor.Editor, nullptr);
    }
    EXPECT_FALSE(form_->CloseQuery());
    EXPECT_TRUE(files_.asked.empty());
    EXPECT_EQ(print.answered, 0);
    EXPECT_EQ(Forms(*form_), (Names{"bil"}));
    for (const auto& box : answers_.boxes) EXPECT_NE(box.caption, "Pytanie");
    OpenEditor.Editor->SetText("");
    form_->EndFieldEdit(false);
    SetEngineHost(nullptr);
}

}  // namespace
