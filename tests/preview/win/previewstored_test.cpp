// The preview's stored form: written with the component writer and read
// into a new preview, it gives back the zoom state and the paper.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/preview/win/PreviewSupport.h"
#include "tests/support/Streamed.h"

namespace {

using namespace cl;
using previewtest::PreviewTest;

using StoredFormTest = PreviewTest;

// A new preview on the form, read from the stored form as a window layout is.
cltest::Owned<TPrintPreview> ReadBack(TForm* form, const std::string& stored) {
    cltest::Owned<TPrintPreview> preview(new TPrintPreview(form));
    LoadComponentTree(*preview, [&] { cltest::ReadInto(form, *preview, stored); });
    return preview;
}

TEST_F(StoredFormTest, EveryZoomStateReadsBackAsItself) {
    const struct {
        TZoomState state;
        int zoom;  // set for zsZoomOther
        bool stateStored, zoomStored;
    } cases[] = {
        {zsZoomToWidth, 0, true, false}, {zsZoomToHeight, 0, false, false}, {zsZoomToFit, 0, true, false},
        {zsZoomOther, 150, true, true},  {zsZoomOther, 100, true, false},
    };
    Record(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.state << " " << c.zoom);
        if (c.state == zsZoomOther)
            preview->SetZoom(c.zoom);
        else
            preview->SetZoomState(c.state);
        const std::string stored = cltest::Written(*preview);
        EXPECT_EQ(cltest::Holds(stored, "ZoomState"), c.stateStored);
        EXPECT_EQ(cltest::Holds(stored, "Zoom"), c.zoomStored);
        const auto other = ReadBack(form.get(), stored);
        EXPECT_EQ(other->ZoomState(), c.state);
        if (c.state == zsZoomOther) {
            EXPECT_EQ(other->Zoom(), c.zoom);
        }
    }
}

TEST_F(StoredFormTest, OnlyACustomPaperStoresItsSize) {
    const struct {
        const char* what;
        TPaperType type;  // pCustom: the size below
        TPrinterOrientation orientation;
        int width, height;  // 0.01 mm, as oriented
        bool sizeStored;
    } cases[] = {
        {"A5", pA5, poPortrait, 14800, 21000, false},
        {"A5 landscape", pA5, poLandscape, 21000, 14800, false},
        {"custom", pCustom, poPortrait, 15000, 20000, true},
        {"custom landscape", pCustom, poLandscape, 20000, 15000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        preview->SetOrientation(c.orientation);
        if (c.type == pCustom)
            preview->SetPaperSize(c.width, c.height);
        else
            preview->SetPaperType(c.type);
        const std::string stored = cltest::Written(*preview);
        EXPECT_EQ(cltest::Holds(stored, "PaperWidth"), c.sizeStored);
        EXPECT_EQ(cltest::Holds(stored, "PaperHeight"), c.sizeStored);
        const auto other = ReadBack(form.get(), stored);
        EXPECT_EQ(other->PaperType(), c.type);
        EXPECT_EQ(other->Orientation(), c.orientation);
        EXPECT_EQ(other->PaperWidth(), c.width);
        EXPECT_EQ(other->PaperHeight(), c.height);
    }
}

}  // namespace
