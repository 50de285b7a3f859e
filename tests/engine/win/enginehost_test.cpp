// The engine's Windows host: the selected-form question and the error-list
// refill reach a real main window as messages, and the correction prompt
// is the application's Yes/No box.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "classlib/StrUtils.h"
#include "classlib/win/Dialogs.h"
#include "classlib/win/Forms.h"
#include "engine/ErrorList.h"
#include "engine/FormCatalogue.h"
#include "engine/Recalc.h"
#include "engine/calc1.h"
#include "engine/win/EngineHostWin.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/MessagePump.h"

namespace {

struct MainWindowStub {
    std::vector<std::string> asked;  // CurrentFormName at each WM_USER+203
    int refills = 0;
    std::string selected = "BILM";  // answered 1 without regard to case
    HWND hwnd = nullptr;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<MainWindowStub*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == WM_USER_IS_FORM_SELECTED) {
            self->asked.push_back(CurrentFormName);
            return cl::AnsiUpperCase(CurrentFormName) == self->selected ? 1 : 0;
        }
        if (self && msg == WM_USER_REFILL_ERRORS) {
            ++self->refills;
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    MainWindowStub() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"EngineHostTestMain";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        MainWindowHandle = hwnd;
    }
    ~MainWindowStub() {
        MainWindowHandle = nullptr;
        DestroyWindow(hwnd);
    }
};

class EngineHostWin : public ::testing::Test {
protected:
    void SetUp() override { enginetest::StartEngine(host); }
    void TearDown() override {
        SetEngineHost(nullptr);
        cl::SetMessageBoxHook(nullptr);
        ClearErrors(0, false);
    }
    TWindowEngineHost host;
};

TEST_F(EngineHostWin, RecalculationAsksTheMainWindowPerFormAndPostsOneRefill) {
    MainWindowStub main;
    Recalculate(0);
    EXPECT_EQ(main.refills, 0) << "the refill is posted, not sent";
    cltest::Pump();
    EXPECT_EQ(main.refills, 1);
    ASSERT_EQ(main.asked.size(), 8u);
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(main.asked[i], FormCatalogue[i + 1].Name);
}

TEST_F(EngineHostWin, SelectedFormGetsItsRulesRun) {
    MainWindowStub main;
    const TFrmFeature& bilm = FormCatalogue[7];
    TemFrm form(std::string(bilm.Name), std::string(bilm.Title), std::string(bilm.TemplateName),
                bilm.PageCount, bilm.Index, bilm.FirstID, bilm.LastID, 7);
    form.Values = CreateDataTab(bilm, &form);
    // A typed amount reaches some total of the form.
    int typed = 0;
    for (int f = bilm.FirstID + 1; f < bilm.LastID && !typed; ++f)
        if (TEFieldTable[f].Enabled && TEFieldTable[f].DataType == 6) typed = f;
    ASSERT_TRUE(form.SetValueAsText(typed, "12,5"));
    bool anyTotal = false;
    for (int f = bilm.FirstID + 1; f < bilm.LastID; ++f)
        if (!TEFieldTable[f].Enabled && TEFieldTable[f].DataType == 6 && !form.GetValue(f).IsEmpty())
            anyTotal = true;
    EXPECT_TRUE(anyTotal);
    cltest::Pump();
}

TEST_F(EngineHostWin, WithoutMainWindowNothingIsSelectedAndNothingIsPosted) {
    MainWindowHandle = nullptr;
    EXPECT_FALSE(host.IsCurrentFormSelected());
    host.NotifyErrorList();
}

TEST_F(EngineHostWin, CorrectionPromptIsAYesNoBoxWithoutIcon) {
    struct Case {
        int answer;
        bool yes;
    } cases[] = {{IDYES, true}, {IDNO, false}};
    for (const Case& c : cases) {
        std::string text, caption;
        UINT flags = 0;
        cl::SetMessageBoxHook([&](HWND, const std::string& t, const std::string& cap, UINT f) {
            text = t;
            caption = cap;
            flags = f;
            return c.answer;
        });
        EXPECT_EQ(host.AskYesNo("Nieprawidłowa wartość pola. Poprawić?", "Uwaga"), c.yes);
        EXPECT_EQ(text, "Nieprawidłowa wartość pola. Poprawić?");
        EXPECT_EQ(caption, "Uwaga");
        EXPECT_EQ(flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
        EXPECT_EQ(flags & MB_ICONMASK, 0u);
    }
}

}  // namespace
