// The program's own page templates (bin/frm) recorded into the preview, as
// the statement's pages are: one page each, again and again, and the pages
// turn and zoom.  Their speed is measured by benchmarks/win/preview_bench.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/preview/win/PreviewSupport.h"
#include "tests/support/Files.h"

namespace {

using namespace cl;
using namespace cltest;

// The templates the build records beside the programs (bin/frm).
std::string Template(const std::string& name) {
    return BuildFolder() + "bin\\frm\\" + name;
}

TEST(PreviewTemplatesTest, RecordedAgainTheyStayTwoPagesThatTurnAndZoom) {
    std::vector<std::string> templates;
    for (const char* name : {"bil_1.emf", "bil_2.emf"}) {
        templates.push_back(Template(name));
        ASSERT_TRUE(FileExists(templates.back())) << templates.back() << " (built by the templates target)";
    }
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(0, 0, 1100, 900);
    auto* preview = new TPrintPreview(form.get());
    preview->SetParent(form.get());
    form->Show();
    Pump();
    for (int round = 0; round < 3; ++round) {
        preview->BeginDoc();
        for (size_t n = 0; n < templates.size(); ++n) {
            if (n > 0) preview->NewPage();
            TMetafile page;
            page.LoadFromFile(templates[n]);
            preview->AddPage(&page);
        }
        preview->EndDoc();
        EXPECT_EQ(preview->TotalPages(), 2) << "round " << round;
    }
    preview->SetZoom(100);
    preview->SetCurrentPage(2);
    preview->PaperPreview()->Repaint();
    EXPECT_EQ(preview->CurrentPage(), 2);
    preview->SetZoom(90);
    preview->PaperPreview()->Repaint();
    EXPECT_EQ(preview->Zoom(), 90);
    EXPECT_EQ(preview->CurrentPage(), 2);
}

}  // namespace
