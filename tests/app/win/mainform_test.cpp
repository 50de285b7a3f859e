// The main window in the test's own process: the queries and requests of
// its message table, the idle updates of the status and the caption, the
// commands' enable rules, the mode switch before the selection is finished,
// and closing for an update, which keeps the program open unless the user
// said No (or a save succeeded).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win/Main.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;

struct TShownBox {
    std::string Text;
    std::string Caption;
    UINT Flags;
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageBoxHook([this](HWND, const std::string& text, const std::string& caption, UINT flags) {
            boxes_.push_back({text, caption, flags});
            return answer_;
        });
        form_ = Construct<TMainForm>(Application.Get());
        form_->Show();
        cltest::Pump();
    }
    void TearDown() override {
        form_->Free();
        SetMessageBoxHook({});
        AnswersModified = DataModified = LoadingStatement = AddingForm = false;
        StatementHeader.FileName.clear();
    }

    LRESULT Send(UINT message, LPARAM lParam = 0) {
        return SendMessageW(form_->Handle(), message, 0, lParam);
    }
    // A selected form as the selection rules add it: a root node owning its TemFrm.
    void Select(const std::string& name) {
        auto* form = new TemFrm(name, "Tytuł " + name, name, 1, 1, 0, 0, 1);
        TTreeNode* node = form_->XcTreeView2->Items()->AddObject(nullptr, form->Title, form);
        node->SetImageIndex(2);
    }

    TMainForm* form_ = nullptr;
    int answer_ = IDOK;
    std::vector<TShownBox> boxes_;
};

TEST_F(MainFormTest, AnswersWhetherTheCurrentFormIsSelectedWithoutRegardToCase) {
    const struct {
        const char* current;
        LRESULT selected;
    } cases[] = {{"bil", 1}, {"BIL", 1}, {"Rachzsk", 1}, {"rachw", 0}, {"", 0}};
    EXPECT_EQ((CurrentFormName = "bil", Send(WM_USER_FORM_SELECTED)), 0) << "an empty tree";
    Select("bil");
    Select("rachzsk");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current);
        CurrentFormName = c.current;
        EXPECT_EQ(Send(WM_USER_FORM_SELECTED), c.selected);
    }
}

TEST_F(MainFormTest, AnswersTheOtherQueries) {
    Select("bil");
    CurrentFormName = "bil";
    EXPECT_EQ(Send(WM_USER_FIND_FORM_CHILD), 0);
    EXPECT_EQ(Send(WM_USER_FIND_FORM_CHILD2), 0);
    for (int index : {-1, 0, 1}) {
        form_->rb0_2_1->SetItemIndex(index);
        EXPECT_EQ(Send(WM_USER_ENTITY_KIND), index);
    }
}

TEST_F(MainFormTest, RefillsTheErrorListBoxFromTheSharedList) {
    AddError(kRecalcErrorKind, "Pole 12: błąd sumy");
    AddError(2, "Strona 2: brak szablonu");
    Send(WM_USER_ERROR_LIST);
    TStrings* items = form_->ErrListBox->Items();
    ASSERT_EQ(items->Count(), 2);
    EXPECT_EQ(items->Get(0), "Pole 12: błąd sumy");
    EXPECT_EQ(items->Get(1), "Strona 2: brak szablonu");
    ClearErrors(kRecalcErrorKind, false);
    Send(WM_USER_ERROR_LIST);
    ASSERT_EQ(items->Count(), 1);
    EXPECT_EQ(items->Get(0), "Strona 2: brak szablonu");
}

TEST_F(MainFormTest, AnswerPagesGetTheirControlsWhenTheyFirstShow) {
    EXPECT_EQ(form_->XcScrollBox3->Parent(), nullptr);
    EXPECT_EQ(form_->rb1_1_2->Parent(), nullptr);
    EXPECT_EQ(form_->cb1_1_1->Parent(), form_->XcScrollBox3) << "inside its box from the start";
    form_->XcWizard1->SetActivePage(form_->Wiz1_1);
    cltest::Pump();
    EXPECT_EQ(form_->XcScrollBox3->Parent(), form_->Wiz1_1);
    for (TControl* group : {form_->rb1_1_2, form_->rb1_1_3}) EXPECT_EQ(group->Parent(), form_->XcScrollBox3);
    EXPECT_TRUE(form_->rb1_1_2->HandleAllocated());
    EXPECT_EQ(form_->rb0_2_1->Parent(), nullptr) << "another page's";
}

TEST_F(MainFormTest, TheAboutBoxChoiceSetsTheCheckAtStart) {
    Send(WM_USER_AUTO_UPDATE, 0);
    EXPECT_FALSE(form_->Chb_aktualiz->Checked());
    Send(WM_USER_AUTO_UPDATE, 1);
    EXPECT_TRUE(form_->Chb_aktualiz->Checked());
}

TEST_F(MainFormTest, IdleShowsTheSelectionStatusAndTheStatementInTheCaption) {
    form_->Oprogramie1Update(form_->Oprogramie1);
    EXPECT_EQ(form_->XcStaticText1->Caption(), "Dobór nie zakończony");
    EXPECT_EQ(form_->XcStaticText1->Color(), clRed);
    EXPECT_EQ(form_->Caption(), "Sprawozdawca - bez nazwy");
    StatementHeader.FileName = "C:\\Dokumenty\\_ZT\\sprawozdania\\Firma 2024.spr";
    form_->Oprogramie1Update(form_->Oprogramie1);
    EXPECT_EQ(form_->Caption(), "Sprawozdawca - C:\\Dokumenty\\_ZT\\sprawozdania\\Firma 2024.spr");
    // A caption that does not start with the title is someone else's.
    form_->SetCaption("Wydruk");
    form_->Oprogramie1Update(form_->Oprogramie1);
    EXPECT_EQ(form_->Caption(), "Wydruk");
}

TEST_F(MainFormTest, CommandsWaitWhileAStatementLoadsAFormIsAddedOrPagesRender) {
    const struct {
        const char* what;
        bool* flag;
    } busy[] = {
        {"loading", &LoadingStatement}, {"adding a form", &AddingForm}, {"rendering", &form_->Rendering}};
    TAction* const whenIdle[] = {form_->Nowerozliczenie1, form_->Wczytajrozliczenie1, form_->Zapiszjako1,
                                 form_->Oprogramie1};
    AnswersModified = true;
    form_->UpdateActions();
    for (TAction* a : whenIdle) EXPECT_TRUE(a->Enabled()) << a->Name();
    EXPECT_TRUE(form_->Zapisacrozliczenie1->Enabled());
    for (const auto& b : busy) {
        SCOPED_TRACE(b.what);
        {
            TBusyFlag set(*b.flag);
            form_->UpdateActions();
            for (TAction* a : whenIdle) EXPECT_FALSE(a->Enabled()) << a->Name();
            EXPECT_FALSE(form_->Zapisacrozliczenie1->Enabled());
        }
        EXPECT_FALSE(*b.flag);
    }
    AnswersModified = false;
    form_->UpdateActions();
    EXPECT_FALSE(form_->Zapisacrozliczenie1->Enabled()) << "nothing to save";
    // No selected form, no finished selection: no forms mode, no printing.
    EXPECT_FALSE(form_->Twojeformularze1->Enabled());
    EXPECT_FALSE(form_->Wydruk1->Enabled());
    EXPECT_FALSE(form_->XcTreeView2->Enabled());
    EXPECT_TRUE(form_->Doborformularzy1->Enabled());
    EXPECT_TRUE(form_->FileExit1->Enabled());
}

TEST_F(MainFormTest, TheFormsModeWaitsForTheFinishedSelection) {
    Select("bil");
    form_->Twojeformularze1Execute(nullptr);
    EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet1);
    // From the forms sheet the wizard mode comes back with the trees' colours.
    form_->XcPageControl1->SetActivePage(form_->TabSheet2);
    form_->ShowWizardMode(nullptr);
    EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet1);
    EXPECT_EQ(form_->XcTreeView1->Color(), static_cast<TColor>(0x00F0CAA6));
    EXPECT_EQ(form_->XcTreeView2->Color(), clBtnFace);
    // Clicking a selected form before the end of the selection only says so.
    form_->XcPageControl1->SetActivePage(form_->TabSheet2);
    form_->XcTreeView2->SetSelected(form_->XcTreeView2->Items()->GetFirstNode());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Caption, "Uwaga");
    EXPECT_EQ(
        boxes_[0].Text,
        "Edycja formularzy będzie możliwa dopiero po udzieleniu wszystkich odpowiedzi w kreatorze doboru "
        "formularzy.");
}

TEST_F(MainFormTest, ClosingForAnUpdateAsksToSaveAndStaysOpenUnlessTheAnswerWasNo) {
    // A page that cannot be opened keeps the program open too.
    form_->URL_upgrade->SetURL("C:\\brak\\takiego\\pliku.html");
    const struct {
        const char* what;
        int answer;
        std::vector<std::string> captions;  // of the boxes shown, in order
    } cases[] = {
        {"Cancel", IDCANCEL, {"Pytanie"}},
        {"Yes, and the save fails", IDYES, {"Pytanie"}},
        {"No, and the page cannot be opened", IDNO, {"Pytanie", "Błąd"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        boxes_.clear();
        AnswersModified = true;
        answer_ = c.answer;
        Send(WM_USER_CLOSE_FOR_UPDATE);
        std::vector<std::string> captions;
        for (const TShownBox& b : boxes_) captions.push_back(b.Caption);
        EXPECT_EQ(captions, c.captions);
        ASSERT_FALSE(boxes_.empty());
        EXPECT_EQ(boxes_[0].Text,
                  "Program zostanie automatycznie zamknięty. Czy zapisać aktualne rozliczenie na dysku?");
        EXPECT_EQ(boxes_[0].Flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
        if (boxes_.size() > 1)
            EXPECT_EQ(boxes_[1].Text, "Niepowodzenie przy próbie otwarcia witryny internetowej.");
        // Still open, and still aware of the unsaved answers.
        EXPECT_TRUE(IsWindowVisible(form_->Handle()));
        EXPECT_TRUE(AnswersModified);
    }
}

TEST_F(MainFormTest, ClosingForAnUpdateWithNothingToSaveAsksNothing) {
    form_->URL_upgrade->SetURL("C:\\brak\\takiego\\pliku.html");
    Send(WM_USER_CLOSE_FOR_UPDATE);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Caption, "Błąd");
}

}  // namespace
