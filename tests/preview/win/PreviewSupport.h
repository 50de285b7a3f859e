#pragma once
// Helpers of the print preview's tests: A4 page metafiles drawn in 0.01 mm,
// their stored images, and a shown form holding a preview.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/WideText.h"
#include "preview/win/PvPreview.h"
#include "tests/win/FormsTestSupport.h"

namespace previewtest {

struct PageDrawing {
    std::vector<cl::TRect> black;  // paper rectangles in 0.01 mm
    int filler = 0;                // extra line records, to vary the image's size
    bool escapeClip = false;       // removes the clip region, then paints red everywhere
};

// An A4 page metafile: its frame is the sheet (21000 x 29700 of 0.01 mm)
// and its logical units are 0.01 mm, as the program's templates are.
inline std::unique_ptr<cl::TMetafile> A4Page(const PageDrawing& d) {
    const cl::WindowDC screenDC(nullptr);
    HDC screen = screenDC.get();
    const RECT frame{0, 0, 21000, 29700};
    HDC dc = CreateEnhMetaFileW(screen, nullptr, &frame, nullptr);
    const int vx = MulDiv(21000, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, HORZSIZE) * 100);
    const int vy = MulDiv(29700, GetDeviceCaps(screen, VERTRES), GetDeviceCaps(screen, VERTSIZE) * 100);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 21000, 29700, nullptr);
    SetViewportExtEx(dc, vx, vy, nullptr);
    if (d.escapeClip) {
        SelectClipRgn(dc, nullptr);
        const cl::OwnedBrush red(CreateSolidBrush(RGB(255, 0, 0)));
        const RECT everywhere{-20000, -20000, 50000, 60000};
        FillRect(dc, &everywhere, red.get());
    }
    const cl::OwnedBrush black(CreateSolidBrush(RGB(0, 0, 0)));
    for (const cl::TRect& r : d.black) FillRect(dc, &r, black.get());
    for (int i = 0; i < d.filler; ++i) {
        MoveToEx(dc, 100 + i, 100, nullptr);
        LineTo(dc, 200 + i, 200);
    }
    auto page = std::make_unique<cl::TMetafile>();
    page->SetHandle(CloseEnhMetaFile(dc));
    return page;
}

inline std::vector<uint8_t> ImageOf(cl::TMetafile& metafile) {
    cl::TMemoryStream stream;
    metafile.SaveToStream(stream);
    const auto* p = static_cast<const uint8_t*>(stream.Memory());
    return std::vector<uint8_t>(p, p + stream.Size());
}

// A shown form with a preview filling it.
class PreviewTest : public testing::Test {
protected:
    void SetUp() override {
        form = cltest::Make<cl::TForm>(nullptr);
        form->SetBounds(20, 20, 640, 480);
        preview = new TPrintPreview(form.get());
        preview->SetParent(form.get());
        form->Show();
        cltest::Pump();
    }

    // Records pages 1..count, each with its number of black squares.
    void Record(int count) {
        preview->BeginDoc();
        for (int n = 1; n <= count; ++n) {
            if (n > 1) preview->NewPage();
            PageDrawing d;
            for (int k = 0; k < n; ++k)
                d.black.push_back(cl::Rect(1000 + 2000 * k, 1000, 2000 + 2000 * k, 2000));
            preview->AddPage(A4Page(d).get());
        }
        preview->EndDoc();
    }

    cltest::Owned<cl::TForm> form;
    TPrintPreview* preview = nullptr;  // owned by the form
};

}  // namespace previewtest
