// How long the main window's save and load commands take with the audited
// way's four forms selected and every typed field filled: Ctrl+S writing
// the statement's file, and loading it (the file read, the wizard replayed
// page by page, the move past its last page) until every message it posted
// is handled and nothing waits to be painted.  Prints the medians and 90th
// percentiles:
//
//   scripts/wine-run --root build/win/wine build/win/benchmarks/statementcommands_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "benchmarks/win/Medians.h"
#include "classlib/FormatSettings.h"
#include "classlib/win/Dialogs.h"
#include "classlib/win/WideText.h"
#include "engine/win/EngineHostWin.h"
#include "tests/app/win/FormShowing.h"
#include "tests/app/win/WizardTestSupport.h"

using namespace cl;

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    SetFormatSettings(TFormatSettings::Polish());
    TWindowEngineHost host;
    SetEngineHost(&host);
    SetMessageBoxHook([](HWND, const std::string&, const std::string&, UINT) { return IDOK; });
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string file = FromWide(temp) + "statementcommands_bench.spr";
    SetFileDialogHook([&file](TOpenDialog& dialog, bool) {
        dialog.SetFileName(file);
        return true;
    });

    TMainForm* f = Construct<TMainForm>(Application.Get());
    f->Show();
    maintest::Walk(
        *f,
        {{},
         {{"rb0_2_1", 0}},
         {{"cb1_0_1", 1}},
         {{"cb1_1_1", 1}, {"cb1_1_2", 1}, {"cb1_1_3", 1}, {"cb1_1_4", 1}, {"rb1_1_2", 1}, {"rb1_1_3", 0}}});
    for (const std::string& name : maintest::Forms(*f))
        maintest::FillTypedFields(*maintest::SelectedForm(*f, name));
    f->Zapiszjako1Execute(nullptr);
    Application->ProcessMessages();
    std::printf("%s: %zu forms, %ju bytes\n", maintest::ActivePage(*f).c_str(), maintest::Forms(*f).size(),
                static_cast<uintmax_t>(std::filesystem::file_size(ToWide(file))));

    spraw_bench::Print("Save (Ctrl+S) to the statement's file",
                       spraw_bench::Measure(runs,
                                            [f](int) {
                                                DataModified = true;
                                                f->Zapisacrozliczenie1Execute(nullptr);
                                            }),
                       100);
    spraw_bench::Print("Load, the replay included, until painted",
                       spraw_bench::Measure(runs,
                                            [f](int) {
                                                f->Wczytajrozliczenie1Execute(nullptr);
                                                MSG m;
                                                while (PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE))
                                                    Application->ProcessMessages();
                                            }),
                       300);
    std::printf("after the loads: %s, %zu forms\n", maintest::ActivePage(*f).c_str(),
                maintest::Forms(*f).size());

    f->Free();
    DeleteFileW(ToWide(file).c_str());
    SetFileDialogHook(nullptr);
    SetMessageBoxHook(nullptr);
    SetEngineHost(nullptr);
    return 0;
}
