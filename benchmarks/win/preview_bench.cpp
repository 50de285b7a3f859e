// How fast the preview turns pages, zooms and records, with the program's
// own page templates (bin/frm): medians of repeated runs, printed.
//   scripts/wine-run --root build/win/wine build/win/benchmarks/preview_bench.exe
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "benchmarks/win/Medians.h"
#include "classlib/win/Forms.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/WideText.h"
#include "preview/win/PvPreview.h"

namespace {

using namespace cl;
using spraw_bench::Measure;
using spraw_bench::Print;

// A path of the build tree as Wine spells it (Z: is the Unix root).
std::string WinePath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return "Z:" + path;
}

void Pump() {
    for (int i = 0; i < 50; ++i) {
        Application->ProcessMessages();
        Sleep(1);
    }
}

void RecordTemplates(TPrintPreview& preview, const std::vector<std::string>& templates) {
    preview.BeginDoc();
    for (size_t n = 0; n < templates.size(); ++n) {
        if (n > 0) preview.NewPage();
        TMetafile page;
        page.LoadFromFile(templates[n]);
        preview.AddPage(&page);
    }
    preview.EndDoc();
}

int Run() {
    std::vector<std::string> templates;
    for (const char* name : {"bil_1.emf", "bil_2.emf"}) {
        const std::string file = WinePath(SPRAW_FRM_DIR "/") + name;
        if (GetFileAttributesW(ToWide(file).c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::fprintf(stderr, "preview_bench: no %s (built by the templates target)\n", file.c_str());
            return 1;
        }
        templates.push_back(file);
    }
    TForm* form = Construct<TForm>(nullptr);
    form->SetBounds(0, 0, 1100, 900);
    auto* preview = new TPrintPreview(form);
    preview->SetParent(form);
    form->Show();
    Pump();

    RecordTemplates(*preview, templates);
    if (preview->TotalPages() != 2) {
        std::fprintf(stderr, "preview_bench: %d pages recorded, not 2\n", preview->TotalPages());
        return 1;
    }
    preview->SetZoom(100);
    TPaperPreview* sheet = preview->PaperPreview();
    sheet->Repaint();
    const auto turn = Measure(31, [&](int i) {
        preview->SetCurrentPage(i % 2 ? 1 : 2);
        sheet->Repaint();
    });
    Print("page turn at zoom 100 with paint", turn, 30);
    const auto zoom = Measure(31, [&](int i) {
        preview->SetZoom(i % 2 ? 100 : 90);
        sheet->Repaint();
    });
    Print("zoom change with repaint", zoom, 50);
    const auto record = Measure(31, [&](int) { RecordTemplates(*preview, templates); });
    Print("recording a 2-page document from templates", record, 50);
    Free(form);
    return 0;
}

}  // namespace

int main() {
    try {
        return Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "preview_bench: %s\n", e.what());
        return 1;
    }
}
