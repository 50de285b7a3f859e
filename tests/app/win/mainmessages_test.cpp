// The main window's message table: the queries the engine and the other
// windows send (a form selected, the entity kind, the form children), the
// requests they post (refill the error list, the update check's choice at
// start), and closing for an update, which keeps the program open unless
// the user said No (or a save succeeded).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/win/MainFormFixture.h"

namespace {

using namespace cl;
using maintest::MainFormTest;

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

TEST_F(MainFormTest, TheAboutBoxChoiceSetsTheCheckAtStart) {
    Send(WM_USER_AUTO_UPDATE, 0);
    EXPECT_FALSE(form_->Chb_aktualiz->Checked());
    Send(WM_USER_AUTO_UPDATE, 1);
    EXPECT_TRUE(form_->Chb_aktualiz->Checked());
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
        answers_.boxes.clear();
        AnswersModified = true;
        answers_.answer = c.answer;
        Send(WM_USER_CLOSE_FOR_UPDATE);
        std::vector<std::string> captions;
        for (const cltest::MessageBoxRecord& b : answers_.boxes) captions.push_back(b.caption);
        EXPECT_EQ(captions, c.captions);
        ASSERT_FALSE(answers_.boxes.empty());
        EXPECT_EQ(answers_.boxes[0].text,
                  "Program zostanie automatycznie zamknięty. Czy zapisać aktualne rozliczenie na dysku?");
        EXPECT_EQ(answers_.boxes[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
        if (answers_.boxes.size() > 1) {
            EXPECT_EQ(answers_.boxes[1].text, "Niepowodzenie przy próbie otwarcia witryny internetowej.");
        }
        // Still open, and still aware of the unsaved answers.
        EXPECT_TRUE(IsWindowVisible(form_->Handle()));
        EXPECT_TRUE(AnswersModified);
    }
}

TEST_F(MainFormTest, ClosingForAnUpdateWithNothingToSaveAsksNothing) {
    form_->URL_upgrade->SetURL("C:\\brak\\takiego\\pliku.html");
    Send(WM_USER_CLOSE_FOR_UPDATE);
    ASSERT_EQ(answers_.boxes.size(), 1u);
    EXPECT_EQ(answers_.boxes[0].caption, "Błąd");
}

}  // namespace
