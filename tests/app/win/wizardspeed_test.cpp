// How long the wizard takes from a click on "&Dalej >" to the next page
// painted, on a page's first visit (its controls made, its answers reset,
// the snapshot written), in a fresh main window each run: the medians are
// printed, not judged.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "tests/app/win/MainFormFixture.h"
#include "tests/app/win/WizardTestSupport.h"

namespace {

using namespace cl;
using namespace maintest;
using Clock = std::chrono::steady_clock;

class WizardSpeedTest : public cltest::DataFolderTest {
protected:
    // Milliseconds from the click to the new page painted.
    static double TimedNext(TMainForm& f) {
        const auto start = Clock::now();
        f.XcWizard1->ButtonControl(bkNext)->Click();
        RedrawWindow(f.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    static double Median(std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

    cltest::AnsweredMessageBoxes answers_{IDOK};
};

TEST_F(WizardSpeedTest, FromNextToTheNewPageShown) {
    std::vector<double> toAudit, toDocuments;
    for (int run = 0; run < 9; ++run) {
        auto* form = Construct<TMainForm>(Application.Get());
        form->Show();
        cltest::Pump();
        Walk(*form, {{}});
        Answer(*form, {{"rb0_2_1", 0}});
        cltest::Pump();
        toAudit.push_back(TimedNext(*form));
        Answer(*form, {{"cb1_0_1", 1}});
        cltest::Pump();
        toDocuments.push_back(TimedNext(*form));
        EXPECT_EQ(ActivePage(*form), "Wiz1_1");
        form->Free();
        cltest::Pump();
    }
    std::printf("[ SPEED    ] Next to the audit question shown: median %.1f ms (%.1f .. %.1f)\n",
                Median(toAudit), *std::min_element(toAudit.begin(), toAudit.end()),
                *std::max_element(toAudit.begin(), toAudit.end()));
    std::printf("[ SPEED    ] Next to the documents page shown: median %.1f ms (%.1f .. %.1f)\n",
                Median(toDocuments), *std::min_element(toDocuments.begin(), toDocuments.end()),
                *std::max_element(toDocuments.begin(), toDocuments.end()));
    RecordProperty("NextToAuditMs", std::to_string(Median(toAudit)));
    RecordProperty("NextToDocumentsMs", std::to_string(Median(toDocuments)));
    EXPECT_TRUE(answers_.boxes.empty());
}

}  // namespace
