// How long the main window's save and load commands take with the four
// forms of the audited way filled (every typed field): saving to the
// statement's file, and loading it with the wizard's replay and the move
// past its last page, until the window is painted.  The medians are
// printed, not judged.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "classlib/FormatSettings.h"
#include "engine/win/EngineHostWin.h"
#include "tests/app/win/MainFormFixture.h"
#include "tests/app/win/WizardTestSupport.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using namespace maintest;
using Clock = std::chrono::steady_clock;

template <class Run>
double TimedMs(Run run) {
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("[ SPEED    ] %s: median %.1f ms (%.1f .. %.1f, %zu runs)\n", what, ms[ms.size() / 2],
                ms.front(), ms.back(), ms.size());
}

class StatementSpeedTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        SetEngineHost(&host_);
    }
    void TearDown() override {
        MainFormTest::TearDown();
        SetEngineHost(nullptr);
    }
    TWindowEngineHost host_;
    cltest::TempFolder folder_;
};

TEST_F(StatementSpeedTest, SavingAndLoadingFourFilledForms) {
    Walk(*form_,
         {{},
          {{"rb0_2_1", 0}},
          {{"cb1_0_1", 1}},
          {{"cb1_1_1", 1}, {"cb1_1_2", 1}, {"cb1_1_3", 1}, {"cb1_1_4", 1}, {"rb1_1_2", 1}, {"rb1_1_3", 0}}});
    const Names forms = Forms(*form_);
    ASSERT_EQ(forms.size(), 4u);
    int typed = 0;
    for (const std::string& name : forms)
        for (TDataValue* value : SelectedForm(*form_, name)->Values) {
            const TEField& row = TEFieldTable[value->FieldID()];
            if (!row.Enabled) continue;
            value->Value = row.DataType == kDataCurrency ? Variant(1000.25 + 37 * ++typed)
                                                         : Variant("Spółka Przykładowa sp. z o.o.");
        }
    const std::string file = folder_.Name("cztery formularze.spr");
    files_.names = {file};
    form_->Zapiszjako1->Execute();
    ASSERT_EQ(StatementHeader.FileName, file);

    std::vector<double> saves, loads;
    for (int run = 0; run < 9; ++run) {
        DataModified = true;
        saves.push_back(TimedMs([&] { form_->Zapisacrozliczenie1Execute(nullptr); }));
        files_.names = {file};
        loads.push_back(TimedMs([&] {
            form_->Wczytajrozliczenie1Execute(nullptr);
            RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }));
        ASSERT_EQ(Forms(*form_), forms);
        ASSERT_EQ(ActivePage(*form_), "Wiz100_1");
    }
    std::printf("[ SPEED    ] %d typed fields in %zu forms, %zu bytes\n", typed, forms.size(),
                cltest::ReadBytes(file).size());
    Report("Save (Ctrl+S) to the statement's file", saves);
    Report("Load with the replay, four filled forms", loads);
    RecordProperty("SaveMs", std::to_string(saves[saves.size() / 2]));
    RecordProperty("LoadMs", std::to_string(loads[loads.size() / 2]));
    EXPECT_EQ(answers_.boxes.size(), 10u);  // "Potwierdzenie" and the saves' "Zapis sprawozdania"
}

}  // namespace
