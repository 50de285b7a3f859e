// How long turning to the other page of the balance sheet takes at zoom
// 100 in the main window: the page template reloaded and played, and the
// values painted over it.  Prints the medians of a form without values and
// of one with every typed field and every total filled:
//
//   scripts/wine-run --root build/win/wine build/win/benchmarks/pageturn_bench.exe [turns]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "benchmarks/win/Medians.h"
#include "classlib/FormatSettings.h"
#include "engine/win/EngineHostWin.h"
#include "tests/app/win/FormShowing.h"

namespace {

using namespace cl;
using namespace spraw_bench;

// Milliseconds from the page change to the end of the sheet's paint, per turn.
TTimes TurnPages(TMainForm& f, int turns) {
    TPrintPreview& preview = *f.PrintPreview;
    std::vector<double> ms;
    for (int i = 0; i < turns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        preview.SetCurrentPage(preview.CurrentPage() == 1 ? 2 : 1);
        preview.PaperPreview()->Update();
        ms.push_back(MsSince(start));
        Application->ProcessMessages();
    }
    return Summarize(std::move(ms));
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

    f->Free();
    SetEngineHost(nullptr);
    return 0;
}
