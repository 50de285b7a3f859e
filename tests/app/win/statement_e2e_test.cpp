// The statement commands and printing of Sprawozdawca.exe driven as a user
// drives them: values typed, saved, loaded again after a restart; save as over an existing file asking
// first; closing with unsaved changes answered Cancel, No and Yes; bil
// printed to Wine's file printer, whose print-to-file prompt the test
// answers (tests/app/win/statement_ghostscript.sh reads the job).
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/StatementFile.h"
#include "engine/calc1.h"
#include "fuzz/StatementInput.h"
#include "tests/app/win/InstalledProgramTest.h"
#include "tests/app/win/SheetFields.h"
#include "tests/support/Files.h"
#include "tests/support/PrinterOutput.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;

class StatementE2eTest : public InstalledProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(updateServer_.Held());
        statements_ = cltest::DataFolderName() + "sprawozdania\\";
        Start();
        // The golden statement of tools/gen_statement_golden.py: the audited
        // way with four forms, bil with a name and two amounts.
        golden_ = statements_ + "wzorcowe.spr";
        cltest::WriteBytes(golden_, cltest::ReadBytes(cltest::SourceFile("tests/app/statement/audited.spr")));
    }
    void Shortcut(WORD key) {
        program_->PostShortcut(main_, key, {VK_CONTROL});
        ASSERT_TRUE(program_->WaitForIdle());
    }
    // An item of the "&Sprawozdania" menu by its access key.
    void Menu(char key) { EXPECT_TRUE(ChooseMenuItem(*program_, main_, 'S', key)); }
    // The file dialog on the screen answered with path ("" cancels).
    void AnswerFile(const std::string& path) {
        HWND dialog = program_->WaitForFileDialog(10000);
        ASSERT_TRUE(dialog) << program_->Describe();
        if (path.empty())
            CancelFileDialog(dialog);
        else
            ASSERT_TRUE(AnswerFileDialog(dialog, path));
        ASSERT_TRUE(program_->WaitForIdle());
    }
    // A message box on the screen (not a file dialog).
    HWND FindBox() const {
        for (HWND wnd : program_->TopWindows())
            if (IsWindowVisible(wnd) && HasClass(wnd, L"#32770") && !IsFileDialog(wnd)) return wnd;
        return nullptr;
    }
    // The message box on the screen, answered with the button `id`.
    TMessageBoxView Answer(int id) {
        HWND box = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (box = FindBox()) != nullptr; }, 5000)) << program_->Describe();
        if (!box) return {};
        const TMessageBoxView view = ReadMessageBox(box);
        PressButton(box, id);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000))
            << view.Caption << ": " << view.Text << "\n"
            << program_->Describe();
        // Idle again, unless the answer ended it.
        EXPECT_TRUE(program_->WaitForIdle() || !program_->Running());
        return view;
    }
    void Load(const std::string& path) {
        Shortcut('W');
        AnswerFile(path);
    }
    // The forms sheet with the first form shown.
    void ShowForms() {
        HWND finish = program_->FindButton("&Formularze");
        ASSERT_TRUE(finish && Click(finish)) << program_->Describe();
        // A loaded machine may look idle before the click is taken.
        ASSERT_TRUE(WaitUntil([&] { return !WindowText(Named("XcPanel3")).empty(); }, 10000))
            << program_->Describe();
        ASSERT_TRUE(program_->WaitForIdle());
    }
    std::string Caption() const { return WindowText(main_); }
    // The editor of a bil field, clicked at the natural size; nullptr when
    // none took the focus.
    HWND OpenField(int field) {
        EXPECT_TRUE(ClickNaturalSize(Named("XcToolBar2")));
        EXPECT_TRUE(program_->WaitForIdle());
        HWND sheet = SheetOf(Named("PrintPreview"));
        EXPECT_TRUE(sheet) << program_->Describe();
        if (!sheet) return nullptr;
        ClickField(sheet, 1, field);
        EXPECT_TRUE(program_->WaitForIdle());
        return FocusOf(main_);
    }
    // Values typed into the editor that has the focus and the ones after
    // it, each closed by Tab, which opens the next field.
    void TypeOn(std::initializer_list<const char*> texts) {
        for (const char* text : texts) {
            HWND editor = FocusOf(main_);
            ASSERT_TRUE(editor);
            PostText(editor, text);
            PostKey(editor, VK_TAB);
            ASSERT_TRUE(program_->WaitForIdle());
        }
    }
    // Values typed into bil's fields from `first` on.
    void Type(int first, std::initializer_list<const char*> texts) {
        ASSERT_TRUE(OpenField(first));
        TypeOn(texts);
    }
    // What the editor of a bil field opens with; Esc closes it unchanged.
    std::string Typed(int field) {
        HWND editor = OpenField(field);
        const std::string text = editor ? WindowText(editor) : "";
        if (editor) PostKey(editor, VK_ESCAPE);
        EXPECT_TRUE(program_->WaitForIdle());
        return text;
    }

    // The test copy's update check asks this port, which refuses it here.
    cltest::ClosedPort updateServer_{SPRAW_E2E_PORT, 60000};
    std::string statements_, golden_;
};

// The golden statement with more values for bil: two amounts on page 1
// (their total 1 334,75) and two on page 2 (their total 2 500,50).  The
// totals are left to the program.
void WriteFilledStatement(const std::string& golden, const std::string& target) {
    statementfake::FakeWizard wizard;
    ASSERT_EQ(ReadStatementFile(TRz_NaglRec{golden, 0, 0}, wizard), kStatementRead);
    TemFrm* bil = wizard.Find("bil");
    ASSERT_TRUE(bil);
    for (const auto& [field, value] : {std::pair{16, 100.25}, {157, 2000.0}, {158, 500.5}})
        ASSERT_TRUE(bil->SetValue(static_cast<uint16_t>(field), cl::Variant(value)));
    ASSERT_EQ(WriteStatementFile(TRz_NaglRec{target, 0, 0}, wizard), kStatementWritten);
}

TEST_F(StatementE2eTest, TypedValuesSavedComeBackAfterARestart) {
    // The balance sheet alone: a business, not audited, "Bilans".
    for (const auto& [control, item] :
         {std::pair{"", -1}, {"rb0_2_1", 0}, {"cb1_0_2", -1}, {"cb1_2_1", -1}}) {
        if (*control) {
            HWND target =
                item < 0 ? Named(control) : GroupItems(Named(control)).at(static_cast<size_t>(item));
            ASSERT_TRUE(Click(target)) << control;
            ASSERT_TRUE(program_->WaitForIdle());
        }
        ASSERT_TRUE(Click(program_->FindButton("&Dalej >")));
        ASSERT_TRUE(program_->WaitForIdle());
    }
    ShowForms();
    Type(10, {"1234,5", "100,25"});
    const std::string first = statements_ + "wpisane.spr", second = statements_ + "wczytane.spr";
    Shortcut('S');  // a statement without a name: the save dialog
    AnswerFile(first);
    const TMessageBoxView saved = Answer(IDOK);
    EXPECT_EQ(saved.Caption, "Zapis sprawozdania");
    EXPECT_EQ(saved.Text, "Sprawozdanie zostało zapisane pod nazwą " + first + ".");
    EXPECT_EQ(Caption(), "Sprawozdawca - " + first);
    ChooseMenuItem(*program_, main_, 'S', 'K');  // "&Koniec": the program ends without asking
    ASSERT_TRUE(program_->WaitForExit(10000)) << "asked to save a saved statement";

    Start();
    EXPECT_EQ(Caption(), "Sprawozdawca - bez nazwy");
    Load(first);
    EXPECT_EQ(Caption(), "Sprawozdawca - " + first);
    EXPECT_EQ(WindowText(Named("XcStaticText1")), "Dobór zakończony");
    ShowForms();
    EXPECT_EQ(Typed(10), "1234,50");
    EXPECT_EQ(Typed(11), "100,25");
    // Written again after the restart: the same values.  (The steps come
    // back too, the first one counting one visit more for the replay.)
    Menu('J');  // "Zapisz sprawozdanie &jako..."
    AnswerFile(second);
    Answer(IDOK);
    const std::string a = cltest::ReadBytes(first), b = cltest::ReadBytes(second);
    const size_t values = a.find("ShareData");
    ASSERT_NE(values, std::string::npos);
    EXPECT_TRUE(a.substr(values) == b.substr(b.find("ShareData")));
    EXPECT_EQ(a.size(), b.size());
}

// A paste into an amount longer than a field holds, kept with "Nie", and
// two amounts after it: the totals above it are listed, not counted as 0;
// saved, the file loads whole, and saved again holds every value.
TEST_F(StatementE2eTest, APastedTextKeptInAnAmountComesBackWithEveryValueAfterIt) {
    ClickToForms({{"cb1_2_1", -1}});
    HWND editor = OpenField(10);
    ASSERT_TRUE(editor);
    ASSERT_TRUE(cltest::SetClipboardText(nullptr, std::wstring(40000, L'x')));
    PostMessageW(editor, WM_PASTE, 0, 0);
    PostKey(editor, VK_TAB);
    EXPECT_EQ(Answer(IDNO).Text, "Nieprawidłowa wartość pola. Poprawić?");
    TypeOn({"5", "7"});
    const std::string noSum = ": nie można obliczyć sumy (nieprawidłowa wartość składnika).";
    EXPECT_EQ(ListItems(Named("ErrListBox")),
              (std::vector<std::string>{"Pole 8" + noSum, "Pole 9" + noSum, "Pole 193" + noSum}));

    const std::string first = statements_ + "wklejone.spr", second = statements_ + "wczytane.spr";
    Shortcut('S');
    AnswerFile(first);
    Answer(IDOK);
    Load(first);
    EXPECT_FALSE(FindBox()) << "the file was found damaged";
    EXPECT_EQ(Caption(), "Sprawozdawca - " + first);
    Menu('J');  // "Zapisz sprawozdanie &jako..."
    AnswerFile(second);
    Answer(IDOK);
    statementfake::FakeWizard read;
    ASSERT_EQ(ReadStatementFile(TRz_NaglRec{second, 0, 0}, read), kStatementRead);
    TemFrm* bil = read.Find("bil");
    ASSERT_TRUE(bil);
    EXPECT_TRUE(bil->GetValue(10).SameTypeAndValue(cl::Variant(std::string(30000, 'x'))));
    EXPECT_TRUE(bil->GetValue(11).SameTypeAndValue(cl::Variant(5.0)));
    EXPECT_TRUE(bil->GetValue(12).SameTypeAndValue(cl::Variant(7.0)));
    const std::string a = cltest::ReadBytes(first), b = cltest::ReadBytes(second);
    EXPECT_TRUE(a.substr(a.find("ShareData")) == b.substr(b.find("ShareData")));
}

TEST_F(StatementE2eTest, SaveAsOverAnExistingFileAsksFirstAndNoKeepsIt) {
    const std::string existing = statements_ + "istniejące.spr";
    cltest::WriteBytes(existing, "poprzednie sprawozdanie");
    Load(golden_);
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDNO ? "No" : "Yes");
        Menu('J');  // "Zapisz sprawozdanie &jako..."
        AnswerFile(existing);
        const TMessageBoxView overwrite = Answer(answer);
        EXPECT_NE(overwrite.Text.find("istnieje"), std::string::npos) << overwrite.Text;
        if (answer == IDNO) {
            AnswerFile("");  // the dialog stays open until it is cancelled
            EXPECT_EQ(Answer(IDOK).Text, "Zapis nie został dokonany.");
            EXPECT_EQ(cltest::ReadBytes(existing), "poprzednie sprawozdanie");
            EXPECT_EQ(Caption(), "Sprawozdawca - " + golden_);
        } else {
            EXPECT_EQ(Answer(IDOK).Caption, "Potwierdzenie");
            EXPECT_NE(cltest::ReadBytes(existing).find("Spółka Przykładowa"), std::string::npos);
            EXPECT_EQ(Caption(), "Sprawozdawca - " + existing);
        }
    }
}

TEST_F(StatementE2eTest, ClosingWithUnsavedAnswersAsksAndGoesOnlyWhenSavedOrLetGo) {
    auto answerSomething = [this] {
        for (int i = 0; i < 2; ++i) {
            if (i == 1) {
                ASSERT_TRUE(Click(GroupItems(Named("rb0_2_1")).at(0)));
            }
            ASSERT_TRUE(program_->WaitForIdle());
            ASSERT_TRUE(Click(program_->FindButton("&Dalej >")));
            ASSERT_TRUE(program_->WaitForIdle());
        }
    };
    answerSomething();
    const std::string saved = statements_ + "przy zamknięciu.spr";
    // Cancel, then Yes with the save dialog cancelled: the program stays.
    for (bool yes : {false, true}) {
        PostMessageW(main_, WM_CLOSE, 0, 0);
        const TMessageBoxView prompt = Answer(yes ? IDYES : IDCANCEL);
        EXPECT_EQ(prompt.Caption, "Pytanie");
        EXPECT_EQ(prompt.Text, "Czy zapisać aktualne sprawozdanie na dysku?");
        if (yes) AnswerFile("");
        EXPECT_FALSE(program_->WaitForExit(500));
    }
    // Yes and saved: it closes.
    PostMessageW(main_, WM_CLOSE, 0, 0);
    Answer(IDYES);
    AnswerFile(saved);
    EXPECT_EQ(Answer(IDOK).Caption, "Zapis sprawozdania");
    ASSERT_TRUE(program_->WaitForExit(10000));
    EXPECT_TRUE(cltest::FileExists(saved));

    // No: it closes without saving.
    const std::string bytes = cltest::ReadBytes(saved);
    Start();
    answerSomething();
    PostMessageW(main_, WM_CLOSE, 0, 0);
    Answer(IDNO);
    ASSERT_TRUE(program_->WaitForExit(10000));
    EXPECT_EQ(cltest::ReadBytes(saved), bytes);
}

TEST_F(StatementE2eTest, BilPrintedToTheFilePrinterAnsweringItsPrompt) {
    const std::string filled = statements_ + "wypełnione.spr";
    WriteFilledStatement(golden_, filled);
    const std::string ps = cltest::GhostscriptFolder(L"statement_print_out") + "bil.ps";
    DeleteFileW(cltest::PathOf(ps).c_str());
    Load(filled);
    ShowForms();
    EXPECT_EQ(WindowText(Named("XcPanel3")), FindFormTitle("bil"));
    Shortcut('D');
    ASSERT_TRUE(program_->WaitForName("Print1Dlg", 5000)) << program_->Describe();
    ASSERT_TRUE(Click(Named("rb2")));
    ASSERT_TRUE(Click(program_->FindButton("&Wydruk")));
    HWND prompt = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND wnd : program_->TopWindows())
                if (IsWindowVisible(wnd) && IsPrintToFilePrompt(wnd)) prompt = wnd;
            return prompt != nullptr;
        },
        10000))
        << program_->Describe();
    EXPECT_EQ(WindowText(prompt), "Wydrukuj do pliku");
    ASSERT_TRUE(AnswerPrintToFile(prompt, ps));
    ASSERT_TRUE(WaitUntil([&] { return cltest::ReadBytes(ps).find("%%EOF") != std::string::npos; }, 10000));
    ASSERT_TRUE(program_->WaitForIdle());
    EXPECT_FALSE(FindBox());
    EXPECT_EQ(Caption(), "Sprawozdawca - " + filled);
    const std::string job = cltest::ReadBytes(ps);
    EXPECT_NE(job.find("%%Pages: 2"), std::string::npos);
}

}  // namespace
