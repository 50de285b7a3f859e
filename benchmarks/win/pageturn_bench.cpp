// How long turning to the other page of a form takes at zoom 100 in the
// main window: from the page change until every message the turn posted is
// handled and nothing waits to be painted.  Prints the medians and 90th
// percentiles of the balance sheet without values and with every typed
// field and every total filled, and of the statement of changes in equity
// with its texts as long as a user can type them:
//
//   scripts/wine-run --root build/win/wine build/win/benchmarks/pageturn_bench.exe [turns]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "benchmarks/win/Medians.h"
#include "classlib/FormatSettings.h"
#include "engine/win/EngineHostWin.h"
#include "tests/app/win/FormShowing.h"

namespace {

using namespace cl;
using namespace spraw_bench;

// Milliseconds from the page change until the queue is drained (a queued
// paint counts as a message), per turn; between the first two pages.
TTimes TurnPages(TMainForm& f, int turns) {
    TPrintPreview& preview = *f.PrintPreview;
    std::vector<double> ms;
    for (int i = 0; i < turns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        preview.SetCurrentPage(preview.CurrentPage() == 1 ? 2 : 1);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) Application->ProcessMessages();
        ms.push_back(MsSince(start));
    }
    return Summarize(std::move(ms));
}

// Every text field holds the longest text its editor takes: words to 30 000 characters.
void FillLongTexts(TemFrm& form) {
    std::string text;
    while (text.size() < 30000) text += "Przykładowa Spółka z o.o. ";
    text.resize(30000);
    for (int n = form.FirstID + 1; n < form.LastID; ++n)
        if (TEFieldTable[n].Enabled && TEFieldTable[n].EditType == ie_text)
            form.SetValueAsText(static_cast<uint16_t>(n), text);
}

}  // namespace

int main(int argc, char** argv) {
    const int turns = argc > 1 ? std::max(3, std::atoi(argv[1])) : 101;
    SetFormatSettings(TFormatSettings::Polish());
    TWindowEngineHost host;
    SetEngineHost(&host);
    TMainForm* f = Construct<TMainForm>(Application.Get());
    f->Show();
    ProgramFolder = maintest::BuildProgramFolder();
    TemFrm* form = maintest::ShowForm(*f, "bil");
    f->PrintPreview->SetZoom(100);
    Application->ProcessMessages();
    std::printf("bil, zoom %d, sheet %d x %d px\n", f->PrintPreview->Zoom(),
                f->PrintPreview->PaperPreview()->Width(), f->PrintPreview->PaperPreview()->Height());

    TurnPages(*f, 5);  // warm-up
    Print("template only (no values)", TurnPages(*f, turns));
    maintest::FillTypedFields(*form);
    Application->ProcessMessages();
    Print("every typed field and total filled", TurnPages(*f, turns));

    TemFrm* equity = maintest::ShowForm(*f, "zestzf");
    maintest::FillTypedFields(*equity);
    FillLongTexts(*equity);
    Application->ProcessMessages();
    TurnPages(*f, 2);  // warm-up
    Print("zestzf, texts of 30 000 characters", TurnPages(*f, std::max(3, turns / 10)));

    f->Free();
    SetEngineHost(nullptr);
    return 0;
}
