// Enhanced metafiles: recording with TMetafileCanvas, saving and loading
// (exactly the header's size, corrupt headers refused), playing back
// inside the caller's clip region, and the sizes taken from the frame.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/win/Graphics.h"
#include "tests/support/TempFolder.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using gfxtest::Surface;

constexpr int kW = 120;
constexpr int kH = 80;

// The same drawing on any canvas: fills, outlines, a polygon, an ellipse,
// a line and text.
void DrawScene(TCanvas& c) {
    c.Brush()->SetColor(clSilver);
    c.FillRect(Rect(0, 0, kW, kH));
    c.Pen()->SetColor(clNavy);
    c.Brush()->SetColor(clYellow);
    c.Rectangle(10, 10, 60, 40);
    c.Brush()->SetColor(clRed);
    c.Pen()->SetColor(clGreen);
    const TPoint star[] = {{90, 5}, {110, 45}, {70, 20}, {110, 20}, {70, 45}};
    c.Polygon(star);
    c.Ellipse(62, 48, 118, 78);
    c.MoveTo(0, 79);
    c.LineTo(119, 70);
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetName("Arial");
    c.Font()->SetSize(10);
    c.Font()->SetColor(clBlue);
    c.TextOut(12, 50, "Zażółć");
}

// A metafile of the scene, kW x kH screen pixels.
void Record(TMetafile& mf) {
    mf.SetWidth(kW);
    mf.SetHeight(kH);
    TMetafileCanvas canvas(&mf, nullptr);
    ASSERT_TRUE(canvas.HandleAllocated());
    DrawScene(canvas);
}

std::vector<uint8_t> SavedBytes(TMetafile& mf) {
    TMemoryStream stream;
    mf.SaveToStream(stream);
    return gfxtest::BytesOf(stream);
}

TEST(Metafile, RecordedSavedReloadedAndPlayedGivesTheDirectPixels) {
    Surface direct(kW, kH);
    DrawScene(direct.Canvas());

    cltest::TempFolder folder;
    const std::string file = folder.Name("strona_1.emf");
    {
        TMetafile recorded;
        Record(recorded);
        ASSERT_FALSE(recorded.Empty());
        recorded.SaveToFile(file);
    }
    TMetafile loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.Width(), kW);
    EXPECT_EQ(loaded.Height(), kH);

    Surface played(kW, kH);
    played.Canvas().StretchDraw(Rect(0, 0, kW, kH), &loaded);
    // Fills, the rectangle and its edges are pixel for pixel the same.
    const TRect straight = Rect(0, 0, 62, 48);
    int differ = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            if (played.At(x, y) == direct.At(x, y)) continue;
            ++differ;
            EXPECT_FALSE(x < straight.right && y < straight.bottom) << x << "," << y;
        }
    // Slanted and curved edges and glyphs may move by a pixel or two: the
    // frame in 0.01 mm scales the playback by one only to a few parts in
    // 10,000, and the text is replayed with the whole-pixel advances recorded.
    EXPECT_LT(differ, kW * kH / 20);
    for (int y = 2; y < kH - 2; ++y)
        for (int x = 2; x < kW - 2; ++x) {
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx)
                    found = played.At(x, y) == direct.At(x + dx, y + dy);
            EXPECT_TRUE(found) << x << "," << y;
        }
}

TEST(Metafile, SizesComeFromTheFrame) {
    TMetafile mf;
    mf.SetMMWidth(21000);
    mf.SetMMHeight(29700);
    {
        TMetafileCanvas canvas(&mf, nullptr);
        canvas.MoveTo(0, 0);
        canvas.LineTo(10, 10);
    }
    ENHMETAHEADER header{};
    ASSERT_TRUE(GetEnhMetaFileHeader(mf.Handle(), sizeof header, &header));
    EXPECT_EQ(header.rclFrame.right - header.rclFrame.left, 21000);
    EXPECT_EQ(header.rclFrame.bottom - header.rclFrame.top, 29700);
    EXPECT_EQ(mf.MMWidth(), 21000);
    EXPECT_EQ(mf.MMHeight(), 29700);

    const WindowDC screenDC(nullptr);
    HDC screen = screenDC.get();
    const int width = MulDiv(21000, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, HORZSIZE) * 100);
    const int height = MulDiv(29700, GetDeviceCaps(screen, VERTRES), GetDeviceCaps(screen, VERTSIZE) * 100);
    EXPECT_EQ(mf.Width(), width);
    EXPECT_EQ(mf.Height(), height);

    TMemoryStream stream;
    mf.SaveToStream(stream);
    stream.SetPosition(0);
    TMetafile loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.MMWidth(), 21000);
    EXPECT_EQ(loaded.Width(), width);
    EXPECT_EQ(loaded.Height(), height);
}

TEST(Metafile, RecordingKeepsCreatorAndDescription) {
    TMetafile mf;
    {
        TMetafileCanvas canvas(&mf, nullptr, "Sprawozdawca", "Bilans, strona 1");
        canvas.LineTo(5, 5);
    }
    std::wstring text(64, L'\0');
    const UINT n = GetEnhMetaFileDescriptionW(mf.Handle(), static_cast<UINT>(text.size()), text.data());
    text.resize(n);
    EXPECT_EQ(text, std::wstring(L"Sprawozdawca\0Bilans, strona 1\0\0", 31));
}

TEST(Metafile, LoadReadsExactlyTheHeadersSizeAndLeavesTheRest) {
    TMetafile first, second;
    Record(first);
    second.SetWidth(10);
    second.SetHeight(10);
    {
        TMetafileCanvas canvas(&second, nullptr);
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(0, 0, 10, 10));
    }
    // Pages lie back to back, as the preview's page store keeps them.
    TMemoryStream stream;
    first.SaveToStream(stream);
    const int64_t firstSize = stream.Size();
    second.SaveToStream(stream);
    const int64_t bothSize = stream.Size();
    stream.WriteBuffer("TRAILER!", 8);

    stream.SetPosition(0);
    TMetafile page;
    page.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), firstSize);
    EXPECT_EQ(page.Width(), kW);
    page.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), bothSize);
    EXPECT_EQ(page.Width(), 10);
    char rest[8];
    stream.ReadBuffer(rest, 8);
    EXPECT_EQ(std::string(rest, 8), "TRAILER!");
}

TEST(Metafile, CorruptHeadersAndRecordsAreRefused) {
    TMetafile source;
    Record(source);
    const auto valid = SavedBytes(source);
    const uint32_t size = static_cast<uint32_t>(valid.size());
    const uint32_t headerSize = gfxtest::Get32(valid, 4);
    ASSERT_EQ(gfxtest::Get32(valid, 48), size);

    const struct {
        const char* what;
        size_t at;
        uint32_t value;
    } fields[] = {
        {"record type", 0, EMR_EOF},
        {"signature", 40, 0x20202020},
        {"header record below 88 bytes", 4, 80},
        {"header record size not a multiple of 4", 4, 90},
        {"header record beyond the file", 4, size + 4},
        {"file size beyond the stream", 48, size + 4},
        {"file size not a multiple of 4", 48, size - 2},
        {"file size cutting the last record", 48, size - 4},
        {"file size below the header", 48, 80},
        {"file size near 4 GB", 48, 0xFFFFFFF0},
        {"description longer than the header", 60, 0x40000000},
        {"description outside the header", 64, 0x7FFFFFF0},
        {"second record of length 0", headerSize + 4, 0},
        {"second record beyond the file", headerSize + 4, 0x10000000},
        {"second record length not a multiple of 4", headerSize + 4, 10},
        {"no closing record", size - 20, EMR_LINETO},
    };
    // Any metafile already loaded stays.
    TMetafile mf;
    mf.SetMMWidth(123);
    mf.SetMMHeight(456);
    auto expectRefused = [&](const std::vector<uint8_t>& bytes, const std::string& what) {
        TMemoryStream stream;
        gfxtest::LoadBytes(stream, bytes);
        EXPECT_THROW(mf.LoadFromStream(stream), EInvalidGraphic) << what;
        EXPECT_TRUE(mf.Empty()) << what;
        EXPECT_EQ(mf.MMWidth(), 123) << what;
    };
    for (const auto& f : fields) {
        auto bytes = valid;
        // A description of 4 characters at the end of the fixed header.
        gfxtest::Put32(bytes, 60, 4);
        gfxtest::Put32(bytes, 64, 88);
        gfxtest::Put32(bytes, f.at, f.value);
        expectRefused(bytes, f.what);
    }
    for (size_t length : {size_t{0}, size_t{40}, size_t{87}, size_t{88}, valid.size() - 1}) {
        expectRefused(std::vector<uint8_t>(valid.begin(), valid.begin() + length),
                      "cut to " + std::to_string(length) + " bytes");
    }
}

// A metafile whose records remove the clip region and then paint everything red.
HENHMETAFILE ClipEscapingMetafile() {
    const WindowDC screenDC(nullptr);
    HDC screen = screenDC.get();
    const RECT frame{0, 0, MulDiv(kW, GetDeviceCaps(screen, HORZSIZE) * 100, GetDeviceCaps(screen, HORZRES)),
                     MulDiv(kH, GetDeviceCaps(screen, VERTSIZE) * 100, GetDeviceCaps(screen, VERTRES))};
    HDC dc = CreateEnhMetaFileW(screen, nullptr, &frame, nullptr);
    SelectClipRgn(dc, nullptr);
    const OwnedBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    const RECT all{0, 0, kW, kH};
    FillRect(dc, &all, red.get());
    return CloseEnhMetaFile(dc);
}

TEST(Metafile, PlaybackStaysInsideTheCallersClipRegion) {
    TMetafile mf;
    mf.SetHandle(ClipEscapingMetafile());
    Surface s(kW, kH);
    {
        TClipScope clip(s.Canvas(), Rect(20, 20, 60, 50));
        s.Canvas().StretchDraw(Rect(0, 0, kW, kH), &mf);
    }
    EXPECT_EQ(s.At(30, 30), clRed);
    EXPECT_EQ(s.Ink(Rect(0, 0, kW, kH)), 40 * 30);

    // The canvas's own objects and clip are back afterwards.
    s.Canvas().Brush()->SetColor(clBlue);
    s.Canvas().FillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(s.At(2, 2), clBlue);
}

TEST(Metafile, AssignCopiesAndClearEmpties) {
    TMetafile a;
    Record(a);
    TMetafile b;
    b.Assign(&a);
    ASSERT_FALSE(b.Empty());
    EXPECT_NE(b.Handle(), a.Handle());
    EXPECT_EQ(b.Width(), a.Width());
    EXPECT_EQ(SavedBytes(b), SavedBytes(a));
    a.Clear();
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(a.Width(), 0);
    EXPECT_FALSE(b.Empty());
}

TEST(Metafile, ChangesAreReported) {
    TMetafile mf;
    int changes = 0;
    mf.OnChange = [&](TObject*) { ++changes; };
    Record(mf);
    EXPECT_GE(changes, 1);
    changes = 0;
    TMemoryStream stream;
    mf.SaveToStream(stream);
    EXPECT_EQ(changes, 0);
    stream.SetPosition(0);
    mf.LoadFromStream(stream);
    EXPECT_EQ(changes, 1);
}

TEST(Metafile, PictureLoadsEmfFiles) {
    cltest::TempFolder folder;
    TMetafile mf;
    Record(mf);
    mf.SaveToFile(folder.Name("bil_2.emf"));
    TPicture picture;
    picture.LoadFromFile(folder.Name("bil_2.emf"));
    ASSERT_NE(dynamic_cast<TMetafile*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), kW);
    EXPECT_EQ(picture.Height(), kH);
}

}  // namespace
