// How long turning to the other page of the balance sheet takes at zoom
// 100 in the main window: the page template reloaded and played, and the
// values painted over it.  Prints the medians of a form without values and
// of one with every typed field and every total filled:
//
//   scripts/wine-run --root build/win/wine build/win/benchmarks/pageturn_bench.exe [turns]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "classlib/FormatSettings.h"
#include "engine/win/EngineHostWin.h"
#include "tests/app/win/FormShowing.h"

namespace {

using namespace cl;

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Milliseconds from the page change to the end of the sheet's paint, per turn.
std::vector<double> TurnPages(TMainForm& f, int turns) {
    TPrintPreview& preview = *f.PrintPreview;
    std::vector<double> ms;
    for (int i = 0; i < turns; ++i) {
        const double start = Now();
        preview.SetCurrentPage(preview.CurrentPage() == 1 ? 2 : 1);
        preview.PaperPreview()->Update();
        ms.push_back(Now() - start);
        Application->ProcessMessages();
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

void Report(const char* what, const std::vector<double>& ms) {
    const auto at = [&ms](double q) { return ms[static_cast<size_t>(q * (ms.size() - 1))]; };
    std::printf("%-44s median %6.2f ms   min %6.2f   p90 %6.2f   (%zu turns)\n", what, at(0.5), ms.front(),
                at(0.9), ms.size());
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
    Report("template only (no values)", TurnPages(*f, turns));
    maintest::FillTypedFields(*form);
    Application->ProcessMessages();
    Report("every typed field and total filled", TurnPages(*f, turns));

    f->Free();
    SetEngineHost(nullptr);
    return 0;
}
