// How long the wizard's "&Dalej >" takes in the main window, from the click
// to the next page painted: to a page visited for the first time (its
// controls made, its answers reset, the snapshot written), to a page
// visited again (Back first), and the Next that runs the form rules and
// adds the audited way's four forms with their value tables.  Each run
// starts a fresh main window.  Prints the medians and 90th percentiles:
//
//   scripts/wine-run --root build/win/wine build/win/benchmarks/wizardnext_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "benchmarks/win/Medians.h"
#include "classlib/FormatSettings.h"
#include "classlib/win/Dialogs.h"
#include "engine/win/EngineHostWin.h"
#include "tests/app/win/WizardTestSupport.h"

using namespace cl;
using namespace spraw_bench;

namespace {

// Milliseconds from the click to the page painted.
double TimedPress(TMainForm& f, TXcWizardButtonKind kind) {
    const auto start = std::chrono::steady_clock::now();
    f.XcWizard1->ButtonControl(kind)->Click();
    RedrawWindow(f.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return MsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 21;
    SetFormatSettings(TFormatSettings::Polish());
    TWindowEngineHost host;
    SetEngineHost(&host);
    int boxes = 0;
    SetMessageBoxHook([&boxes](HWND, const std::string&, const std::string&, UINT) {
        ++boxes;
        return IDOK;
    });

    std::vector<double> firstVisit, repeatVisit, addingForms;
    bool wayAsExpected = true;
    for (int run = 0; run < runs; ++run) {
        auto* f = Construct<TMainForm>(Application.Get());
        f->Show();
        Application->ProcessMessages();
        maintest::Walk(*f, {{}});
        maintest::Answer(*f, {{"rb0_2_1", 0}});
        Application->ProcessMessages();
        firstVisit.push_back(TimedPress(*f, bkNext));
        maintest::Press(*f, bkBack);
        repeatVisit.push_back(TimedPress(*f, bkNext));
        maintest::Walk(*f, {{{"cb1_0_1", 1}}});
        maintest::Answer(
            *f,
            {{"cb1_1_1", 1}, {"cb1_1_2", 1}, {"cb1_1_3", 1}, {"cb1_1_4", 1}, {"rb1_1_2", 1}, {"rb1_1_3", 0}});
        Application->ProcessMessages();
        addingForms.push_back(TimedPress(*f, bkNext));
        wayAsExpected =
            wayAsExpected && maintest::ActivePage(*f) == "Wiz100_1" && maintest::Forms(*f).size() == 4;
        f->Free();
        Application->ProcessMessages();
    }
    Print("Next to a page's first visit (Wiz1_0)", Summarize(firstVisit));
    Print("Next to a page visited again (Wiz1_0)", Summarize(repeatVisit));
    Print("Next adding four forms (to Wiz100_1)", Summarize(addingForms));
    if (!wayAsExpected || boxes != 0)
        std::printf("the walk did not go as planned: %d message boxes\n", boxes);

    SetMessageBoxHook(nullptr);
    SetEngineHost(nullptr);
    return wayAsExpected && boxes == 0 ? 0 : 1;
}
