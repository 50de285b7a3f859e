// How long a Tab from one typed amount to the next takes in the main
// window at zoom 100, with bil, rachzsk, rachppp and zestzf selected and
// filled and bil shown: from posting the editor's key (WM_USER+100) until
// the next editor has the focus and the queue is drained (a queued paint
// counts as a message).  Each timed Tab commits a changed amount, so it
// stores, recalculates every selected form and repaints the fields it changed; a second
// run Tabs without changing anything.  Prints the median, the fastest and
// the slowest:
//
//   scripts/wine-run --root build/win/wine build/win/benchmarks/tabbing_bench.exe [tabs]
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

// The next editor is open and focused, and nothing is queued.
bool Settled(int from) {
    TWinControl* editor = OpenEditor.Editor;
    MSG m;
    return editor && OpenEditor.Field != from && editor->Focused() &&
           !PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
}

// Milliseconds per Tab; with change, each amount is retyped first.
TTimes Tab(TMainForm& f, int tabs, bool change) {
    std::vector<double> ms;
    for (int i = 0; i < tabs; ++i) {
        const int from = OpenEditor.Field;
        if (change) OpenEditor.Editor->SetText(std::to_string(1000 + i) + ",25");
        const auto start = std::chrono::steady_clock::now();
        PostMessageW(f.Handle(), WM_USER_EDITOR_KEY, 0, VK_TAB | 0x10000);
        while (!Settled(from)) Application->ProcessMessages();
        ms.push_back(MsSince(start));
    }
    return Summarize(std::move(ms));
}

}  // namespace

int main(int argc, char** argv) {
    const int tabs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 50;
    SetFormatSettings(TFormatSettings::Polish());
    TWindowEngineHost host;
    SetEngineHost(&host);
    SetMessageBoxHook([](HWND, const std::string&, const std::string&, UINT) { return IDOK; });
    TMainForm* f = Construct<TMainForm>(Application.Get());
    f->Show();
    ProgramFolder = maintest::BuildProgramFolder();
    for (const char* name : {"rachzsk", "rachppp", "zestzf", "bil"})
        maintest::FillTypedFields(*maintest::ShowForm(*f, name));
    f->PrintPreview->SetZoom(100);
    Application->ProcessMessages();
    std::printf("bil shown (rachzsk, rachppp, zestzf selected), zoom %d\n", f->PrintPreview->Zoom());

    // From the first amount of page 1; its ~100 amounts keep every Tab on the page.
    f->BeginFieldEdit(10, false);
    Tab(*f, 5, true);  // warm-up
    Print("Tab committing a changed amount", Tab(*f, tabs, true));
    f->BeginFieldEdit(10, false);
    Print("Tab over an unchanged amount", Tab(*f, tabs, false));

    f->Free();
    SetMessageBoxHook(nullptr);
    SetEngineHost(nullptr);
    return 0;
}
