// TXcImageList: pictures cut into tiles with their masks, refused and kept
// pixel formats, stored image data in both formats, every mode through the
// class library's writer and reader, assignment, items and one change
// notification per rebuild.
#include "controls/win/XcImageList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "classlib/FileUtils.h"
#include "classlib/Filer.h"
#include "tests/support/TempFolder.h"
#include "tests/win/FormsTestSupport.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// A strip of tiles 16 wide: each tile in its own colour, with a key colour
// in its bottom-left pixel and in its top row.
void Strip(TBitmap& b, int width, int height, std::vector<std::pair<TColor, TColor>> tiles) {
    b.SetPixelFormat(pf24bit);
    b.SetSize(width, height);
    for (size_t i = 0; i < tiles.size(); ++i) {
        const int left = static_cast<int>(i) * 16;
        b.Canvas()->Brush()->SetColor(tiles[i].first);
        b.Canvas()->FillRect(Rect(left, 0, std::min(left + 16, width), height));
        for (int x = left; x < std::min(left + 16, width); ++x) b.Canvas()->SetPixels(x, 0, tiles[i].second);
        b.Canvas()->SetPixels(left, height - 1, tiles[i].second);
    }
}

// The picture of the list becomes the strip.
void SetStrip(TXcImageList& list, int width, int height, std::vector<std::pair<TColor, TColor>> tiles) {
    TBitmap strip;
    Strip(strip, width, height, std::move(tiles));
    list.Picture()->Assign(&strip);
}

// The image drawn on white: a transparent pixel stays white.
TColor Drawn(TXcImageList& list, int index, int x, int y) {
    gfxtest::Surface s(list.Width(), list.Height());
    s.Canvas().Brush()->SetColor(clWhite);
    s.Canvas().FillRect(Rect(0, 0, list.Width(), list.Height()));
    list.Draw(&s.Canvas(), 0, 0, index);
    return s.At(x, y);
}

TEST(XcImageList, CutsThePictureIntoTiles) {
    struct Case {
        int width;
        int images;
    } const cases[] = {{48, 3}, {10, 1}, {40, 2}};
    for (const Case& c : cases) {
        TXcImageList list(nullptr);
        SetStrip(list, c.width, 16, {{clRed, clFuchsia}, {clLime, clFuchsia}, {clBlue, clFuchsia}});
        EXPECT_EQ(list.Count(), c.images) << c.width;
        EXPECT_EQ(Drawn(list, 0, 5, 5), clRed);
        EXPECT_EQ(Drawn(list, 0, 5, 0), clWhite) << "the fuchsia row is transparent";
    }
}

TEST(XcImageList, AutoTransparencyTakesEachTilesBottomLeftPixel) {
    struct Case {
        const char* name;
        int height;  // of the strip; the list is 16 high
    } const cases[] = {{"full height", 16}, {"shorter bitmap", 10}};
    for (const Case& c : cases) {
        TXcImageList list(nullptr);
        list.SetTransparentMode(tmAuto);
        SetStrip(list, 32, c.height, {{clRed, clBlue}, {clBlue, clRed}});
        ASSERT_EQ(list.Count(), 2) << c.name;
        EXPECT_EQ(Drawn(list, 0, 5, 5), clRed) << c.name;
        EXPECT_EQ(Drawn(list, 0, 5, 0), clWhite) << c.name << ": blue is the first tile's key";
        EXPECT_EQ(Drawn(list, 1, 5, 5), clBlue) << c.name;
        EXPECT_EQ(Drawn(list, 1, 5, 0), clWhite) << c.name << ": red is the second tile's key";
    }
}

TEST(XcImageList, PixelFormatRefusesOneBitAndKeepsThePixels) {
    TXcImageList list(nullptr);
    EXPECT_EQ(list.PixelFormat(), pfDevice);
    EXPECT_EQ(DisplayPixelFormat(), pf32bit) << "Wine's display";
    list.SetPixelFormat(pf1bit);
    list.SetPixelFormat(pfCustom);
    EXPECT_EQ(list.PixelFormat(), pfDevice);
    SetStrip(list, 32, 16, {{clRed, clFuchsia}, {clLime, clFuchsia}});
    list.SetPixelFormat(pf24bit);
    EXPECT_EQ(list.PixelFormat(), pf24bit);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(Drawn(list, 1, 5, 5), clLime);
    EXPECT_EQ(Drawn(list, 1, 5, 0), clWhite);
}

TEST(XcImageList, ClassicImageDataRoundTripsInBothFormats) {
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TXcImageList list(nullptr);
        list.SetMode(imClassic);
        list.SetPixelFormat(format);
        TBitmap strip;
        Strip(strip, 32, 16, {{clRed, clFuchsia}, {clBlue, clFuchsia}});
        list.AddMasked(&strip, clFuchsia);
        EXPECT_TRUE(list.ImageDataStored());
        TMemoryStream stream;
        list.WriteData(stream);
        const auto bytes = gfxtest::BytesOf(stream);
        ASSERT_GT(bytes.size(), 4u);
        EXPECT_EQ(bytes[0], 'I');
        EXPECT_EQ(bytes[1], 'L');
        // The header's flags: the list's colour depth with its mask.
        EXPECT_EQ(bytes[18], format == pf24bit ? ILC_COLOR24 | ILC_MASK : ILC_COLOR32 | ILC_MASK);
        stream.SetPosition(0);
        TXcImageList read(nullptr);
        read.SetMode(imClassic);
        read.ReadData(stream);
        ASSERT_EQ(read.Count(), 2) << format;
        EXPECT_EQ(Drawn(read, 1, 5, 5), clBlue) << format;
        EXPECT_EQ(Drawn(read, 1, 5, 0), clWhite) << format;
    }
}

TEST(XcImageList, StoresImageDataOnlyWhenNothingElseGivesThem) {
    TXcImageList list(nullptr);
    EXPECT_TRUE(list.ImageDataStored()) << "imPicture without a picture";
    SetStrip(list, 16, 16, {{clRed, clFuchsia}});
    EXPECT_FALSE(list.ImageDataStored());
    list.SetMode(imResourceIds);
    EXPECT_TRUE(list.ImageDataStored());
    list.ResourceIds()->Add("XCSPINUP");
    EXPECT_FALSE(list.ImageDataStored());
}

TEST(XcImageList, AssignKeepsImagesLoadedAsData) {
    TXcImageList source(nullptr);
    TBitmap strip;
    Strip(strip, 48, 16, {{clRed, clFuchsia}, {clLime, clFuchsia}, {clBlue, clFuchsia}});
    source.AddMasked(&strip, clFuchsia);
    source.SetPixelFormat(pf24bit);
    ASSERT_EQ(source.Mode(), imPicture);
    TXcImageList target(nullptr);
    int changes = 0;
    target.OnChange = [&changes](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(target.Mode(), imPicture);
    EXPECT_EQ(target.PixelFormat(), pf24bit);
    ASSERT_EQ(target.Count(), 3);
    EXPECT_EQ(Drawn(target, 2, 5, 5), clBlue);
    EXPECT_EQ(changes, 1);
}

TEST(XcImageList, ResourceIdsLoadTheNamedBitmapsAndSkipTheRest) {
    TXcImageList list(nullptr);
    list.SetWidth(5);
    list.SetHeight(3);
    list.SetMode(imResourceIds);
    list.ResourceIds()->SetText("XCSPINUP\n  \nNOSUCHBITMAP\n XCSPINDOWN \n");
    ASSERT_EQ(list.Count(), 2);
    list.SetTransparentMode(tmNone);
    EXPECT_EQ(Drawn(list, 0, 2, 0), clBlack) << "the up arrow's tip";
    EXPECT_EQ(Drawn(list, 0, 0, 0), clWhite);
    EXPECT_EQ(Drawn(list, 1, 2, 2), clBlack) << "the down arrow's tip";
}

TEST(XcImageList, ItemsAndTheirKinds) {
    TXcImageList list(nullptr);
    list.SetMode(imItemList);
    TXcImageListItem* item = list.Items()->Add();
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(Drawn(list, 0, 5, 5), clWhite) << "a blank image";
    TBitmap bitmap;
    Strip(bitmap, 16, 16, {{clRed, clFuchsia}});
    item->SetKind(ikInlineBitmap);
    item->SetBitmap(&bitmap);
    EXPECT_EQ(Drawn(list, 0, 5, 5), clRed);
    EXPECT_EQ(item->DisplayName(), "Bitmap pf24bit");
    try {
        item->SetKind(ikMappedResourceBitmap);
        FAIL() << "no EXcImageListError";
    } catch (const EXcImageListError& e) {
        EXPECT_EQ(e.Message(), "The item kind ikMappedResourceBitmap is not supported so far.");
    }
    EXPECT_EQ(item->Kind(), ikInlineBitmap);
    list.Items()->Add()->SetResourceName("XCSPINUP");
    EXPECT_EQ(list.Items()->Items(1)->DisplayName(), "Resource XCSPINUP");
    list.Items()->Delete(0);
    EXPECT_EQ(list.Count(), 1);
}

// The list's properties as the class library's writer stores them.
std::string Stored(TXcImageList& list) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteProperties(list);
    writer.WriteListEnd();
    return std::string(static_cast<const char*>(stream.Memory()), stream.Size());
}

// Read into a new list as a layout is read: loading, then Loaded.
TXcImageList* ReadBack(TComponent& root, const std::string& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream.SetPosition(0);
    TXcImageList* list = nullptr;
    LoadComponentTree(root, [&] {
        list = new TXcImageList(&root);
        TReader reader(stream);
        reader.SetRoot(&root);
        reader.ReadProperties(*list);
    });
    return list;
}

bool HasImageData(const std::string& bytes) {
    return bytes.find(std::string("\x06"
                                  "Bitmap\x0A",
                                  8)) != std::string::npos;
}

TEST(XcImageList, EachModeReadsBackThroughTheWriterAndReader) {
    TempFolder folder;
    const std::string file = folder.Name("obrazki.bmp");
    auto saveStrip = [&file](TColor colour) {
        TBitmap b;
        Strip(b, 32, 16, {{colour, clFuchsia}, {clLime, clFuchsia}});
        b.SaveToFile(file);
    };
    struct Case {
        const char* name;
        std::function<void(TXcImageList&)> fill;
        bool imageData;
        int count;
        std::vector<std::tuple<int, int, int, TColor>> pixels;  // image, x, y, colour read back
    };
    const Case cases[] = {
        {"classic",
         [](TXcImageList& l) {
             l.SetMode(imClassic);
             TBitmap b;
             Strip(b, 32, 16, {{clRed, clFuchsia}, {clBlue, clFuchsia}});
             l.AddMasked(&b, clFuchsia);
         },
         true,
         2,
         {{0, 8, 8, clRed}, {1, 8, 8, clBlue}, {1, 8, 0, clWhite}}},
        // The file is loaded again before writing: what it holds then is stored.
        {"picture of a file",
         [&](TXcImageList& l) {
             saveStrip(clRed);
             l.SetFileName(file);
             saveStrip(clBlue);
         },
         false,
         2,
         {{0, 8, 8, clBlue}, {1, 8, 8, clLime}}},
        {"resources",
         [](TXcImageList& l) {
             l.SetWidth(5);
             l.SetHeight(3);
             l.SetTransparentMode(tmNone);
             l.SetMode(imResourceIds);
             TStringList ids;
             ids.SetText("XCSPINUP\nXCSPINDOWN");
             SetObjectProp(l, "ResourceIds", &ids);
         },
         false,
         2,
         // The up arrow's tip and beside it; the down arrow's tip.
         {{0, 2, 0, clBlack}, {0, 0, 0, clWhite}, {1, 2, 2, clBlack}}},
        {"items",
         [](TXcImageList& l) {
             l.SetMode(imItemList);
             TXcImageList source(nullptr);
             TBitmap b;
             Strip(b, 16, 16, {{clYellow, clFuchsia}});
             TXcImageListItem* inline_ = source.Items()->Add();
             inline_->SetKind(ikInlineBitmap);
             inline_->SetBitmap(&b);
             source.Items()->Add()->SetResourceName("XCSPINUP");
             SetObjectProp(l, "Items", source.Items());
         },
         false,
         2,
         {{0, 8, 8, clYellow}}},
    };
    for (const Case& c : cases) {
        TXcImageList list(nullptr);
        c.fill(list);
        const std::string bytes = Stored(list);
        // Read back without the file: what was stored is what shows.
        RemoveFile(file);
        EXPECT_EQ(HasImageData(bytes), c.imageData) << c.name;
        TComponent root(nullptr);
        TXcImageList* read = ReadBack(root, bytes);
        EXPECT_EQ(read->Mode(), list.Mode()) << c.name;
        ASSERT_EQ(read->Count(), c.count) << c.name;
        for (const auto& [image, x, y, colour] : c.pixels)
            EXPECT_EQ(Drawn(*read, image, x, y), colour) << c.name << " " << image << " " << x << "," << y;
        EXPECT_EQ(read->ResourceIds()->Text(), list.ResourceIds()->Text()) << c.name;
        ASSERT_EQ(read->Items()->Count(), list.Items()->Count()) << c.name;
        for (int i = 0; i < list.Items()->Count(); ++i)
            EXPECT_EQ(read->Items()->Items(i)->DisplayName(), list.Items()->Items(i)->DisplayName())
                << c.name;
    }
}

TEST(XcImageList, AFileNamedWhileLoadingIsNotReadTheStoredPictureShows) {
    TempFolder folder;
    const std::string file = folder.Name("obrazki.bmp");
    TBitmap b;
    Strip(b, 16, 16, {{clRed, clFuchsia}});
    b.SaveToFile(file);
    TXcImageList list(nullptr);
    list.SetFileName(file);
    const std::string bytes = Stored(list);
    Strip(b, 16, 16, {{clBlue, clFuchsia}});
    b.SaveToFile(file);
    TComponent root(nullptr);
    TXcImageList* read = ReadBack(root, bytes);
    EXPECT_EQ(read->FileName(), file);
    EXPECT_EQ(Drawn(*read, 0, 5, 5), clRed);
}

TEST(XcImageList, TellsItsClientsOncePerRebuild) {
    TXcImageList list(nullptr);
    int changes = 0;
    list.OnChange = [&changes](TObject*) { ++changes; };
    TBitmap strip;
    Strip(strip, 48, 16, {{clRed, clFuchsia}, {clLime, clFuchsia}, {clBlue, clFuchsia}});
    list.Picture()->Assign(&strip);
    EXPECT_EQ(changes, 1);
    list.SetTransparentMode(tmAuto);
    EXPECT_EQ(changes, 2);
    list.SetTransparentColor(clRed);
    EXPECT_EQ(changes, 2) << "the colour counts under tmColor only";
    list.BeginUpdate();
    list.SetTransparentMode(tmColor);
    list.SetTransparentColor(clFuchsia);
    list.EndUpdate();
    EXPECT_EQ(changes, 3);
}

}  // namespace
