// The application's main loop, in a program of its own: Run shows the main
// form, handles messages and ends when the main form closes.
#include <gtest/gtest.h>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

class TMainForm;
class TOtherForm;
TMainForm* MainForm = nullptr;
TOtherForm* OtherForm = nullptr;

std::vector<std::string> g_events;

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* owner) : TForm(owner) {
        SetName("MainForm");
        OnCreate = [this](TObject*) {
            g_events.push_back(MainForm == this ? "create, reference set" : "create, no reference");
        };
        OnShow = [this](TObject*) {
            g_events.push_back(IsWindowVisible(Handle()) ? "show visible" : "show hidden");
        };
        OnClose = [](TObject*, TCloseAction&) { g_events.push_back("close"); };
    }
};

class TOtherForm : public TForm {
public:
    using TForm::TForm;
};

TEST(Run, ShowsMainFormAndEndsWhenItCloses) {
    Application->Initialize();
    Application->SetTitle("Sprawozdawca ");
    Application->CreateForm(MainForm);
    Application->CreateForm(OtherForm);
    EXPECT_EQ(Application->MainForm(), MainForm);
    EXPECT_EQ(MainForm->Owner(), Application.Get());
    // Secondary windows are owned by the main window.
    EXPECT_EQ(GetWindow(OtherForm->Handle(), GW_OWNER), MainForm->Handle());
    bool visibleWhileRunning = false;
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(30);
    timer->SetOnTimer([&](TObject*) {
        timer->SetEnabled(false);
        visibleWhileRunning = IsWindowVisible(MainForm->Handle()) != FALSE;
        MainForm->Close();
    });
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(visibleWhileRunning);
    EXPECT_EQ(g_events, (std::vector<std::string>{"create, reference set", "show hidden", "close"}));
}

}  // namespace
