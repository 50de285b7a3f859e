#pragma once
// The main window in the test's own process, shown, for the tests of each
// of its concerns: message boxes and file dialogs are answered by the
// fixture (answers_, files_) and recorded, the data folder is empty before
// and after, and the shell's flags and statement name are reset after.

#include <windows.h>

#include <string>
#include <vector>

#include "app/win/Main.h"
#include "tests/support/DataFolder.h"
#include "tests/support/FailureScreenshots.h"
#include "tests/win/FormsTestSupport.h"

namespace maintest {

// Answers every file dialog with the next name of `names` (a cancel when
// none is left or the name is empty) and records what each was asked.
class AnsweredFileDialogs {
public:
    struct Asked {
        bool save;
        std::string initialDir, fileName;
    };
    AnsweredFileDialogs() {
        cl::SetFileDialogHook([this](cl::TOpenDialog& dialog, bool save) {
            asked.push_back({save, dialog.InitialDir(), dialog.FileName()});
            if (names.empty()) return false;
            const std::string name = names.front();
            names.erase(names.begin());
            if (name.empty()) return false;
            dialog.SetFileName(name);
            return true;
        });
    }
    ~AnsweredFileDialogs() { cl::SetFileDialogHook(nullptr); }
    AnsweredFileDialogs(const AnsweredFileDialogs&) = delete;
    AnsweredFileDialogs& operator=(const AnsweredFileDialogs&) = delete;

    std::vector<std::string> names;
    std::vector<Asked> asked;
};

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
        StatementHeader = TRz_NaglRec{};
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
    AnsweredFileDialogs files_;
    TMainForm* form_ = nullptr;
};

}  // namespace maintest
