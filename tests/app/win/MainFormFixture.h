#pragma once
// The main window in the test's own process, shown, for the tests of each
// of its concerns: message boxes are answered by the fixture (answers_)
// and recorded, the data folder is empty before and after, and the shell's
// flags and statement name are reset after.

#include <windows.h>

#include <string>

#include "app/win/Main.h"
#include "tests/support/DataFolder.h"
#include "tests/support/FailureScreenshots.h"
#include "tests/win/FormsTestSupport.h"

namespace maintest {

class MainFormTest : public cltest::DataFolderTest {
protected:
    void SetUp() override {
        // As the program block does: the window's settings go to the data
        // folder, which is emptied around each test.
        SettingsFileNameFunc = &GetSettingsFileName;
        form_ = cl::Construct<TMainForm>(cl::Application.Get());
        form_->Show();
        cltest::Pump();
    }
    void TearDown() override {
        form_->Free();
        AnswersModified = DataModified = LoadingStatement = AddingForm = false;
        StatementHeader.FileName.clear();
    }

    LRESULT Send(UINT message, LPARAM lParam = 0) {
        return SendMessageW(form_->Handle(), message, 0, lParam);
    }
    // A selected form as the selection rules add it: a root node owning its TemFrm.
    void Select(const std::string& name) {
        auto* form = new TemFrm(name, "Tytuł " + name, name, 1, 1, 0, 0, 1);
        cl::TTreeNode* node = form_->XcTreeView2->Items()->AddObject(nullptr, form->Title, form);
        node->SetImageIndex(2);
    }

    cltest::AnsweredMessageBoxes answers_{IDOK};
    TMainForm* form_ = nullptr;
};

}  // namespace maintest
