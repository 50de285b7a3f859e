// How fast the preview turns pages, zooms and records, under Wine, with the
// program's own page templates: the median of repeated runs is printed;
// the bounds asserted are ten times the targets (30, 50 and 50 ms), so a
// busy machine does not fail the build while a gross slowdown does.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/preview/win/PreviewSupport.h"
#include "tests/support/PrinterOutput.h"

namespace {

using namespace cl;
using namespace cltest;

// The templates the build records beside the programs (bin/frm).
std::string Template(const std::string& name) {
    return BuildFolder() + "bin\\frm\\" + name;
}

double MedianMs(int runs, const std::function<void(int)>& body) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        body(i);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

class SpeedTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"bil_1.emf", "bil_2.emf"}) {
            const std::string file = Template(name);
            ASSERT_TRUE(FileExists(file)) << file << " (built by the templates target)";
            templates.push_back(file);
        }
        form = Make<TForm>(nullptr);
        form->SetBounds(0, 0, 1100, 900);
        preview = new TPrintPreview(form.get());
        preview->SetParent(form.get());
        form->Show();
        Pump();
    }

    void RecordTemplates() {
        preview->BeginDoc();
        for (size_t n = 0; n < templates.size(); ++n) {
            if (n > 0) preview->NewPage();
            TMetafile page;
            page.LoadFromFile(templates[n]);
            preview->AddPage(&page);
        }
        preview->EndDoc();
    }

    void Report(const char* what, double ms, double target) {
        std::printf("[ SPEED    ] %s: median %.2f ms (target %.0f ms)\n", what, ms, target);
        RecordProperty(what, std::to_string(ms));
        EXPECT_LT(ms, 10 * target) << what;
    }

    std::vector<std::string> templates;
    Owned<TForm> form;
    TPrintPreview* preview = nullptr;
};

TEST_F(SpeedTest, TurningToARecordedPageAndPaintingIt) {
    RecordTemplates();
    preview->SetZoom(100);
    TPaperPreview* sheet = preview->PaperPreview();
    sheet->Repaint();
    const double ms = MedianMs(31, [&](int i) {
        preview->SetCurrentPage(i % 2 ? 1 : 2);
        sheet->Repaint();
    });
    Report("page turn at zoom 100 with paint", ms, 30);
}

TEST_F(SpeedTest, ChangingTheZoomAndRepainting) {
    RecordTemplates();
    preview->SetZoom(100);
    TPaperPreview* sheet = preview->PaperPreview();
    sheet->Repaint();
    const double ms = MedianMs(31, [&](int i) {
        preview->SetZoom(i % 2 ? 100 : 90);
        sheet->Repaint();
    });
    Report("zoom change with repaint", ms, 50);
}

TEST_F(SpeedTest, RecordingATwoPageDocumentFromTemplates) {
    RecordTemplates();
    const double ms = MedianMs(31, [&](int) { RecordTemplates(); });
    EXPECT_EQ(preview->TotalPages(), 2);
    Report("recording a 2-page document from template files", ms, 50);
}

}  // namespace
