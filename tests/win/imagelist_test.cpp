// Image lists: stream round trips at several colour depths, masked adds,
// moving and inserting images, disabled drawing, change links, bad data.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/win/ImgList.h"

namespace {

using namespace cl;

// A list of the colour depth a derived class picks through the creation hook.
class TDepthImageList : public TCustomImageList {
public:
    TDepthImageList(TComponent* owner, UINT colorFlags) : TCustomImageList(owner), flags_(colorFlags) {}

protected:
    void CreateImageList() override { CreateListHandle(flags_); }

private:
    UINT flags_;
};

struct ListDeleter {
    void operator()(TObject* o) const { Free(o); }
};
template <class T>
using Owned = std::unique_ptr<T, ListDeleter>;

// A 16 x 16 bitmap of one colour with a square of another at (4,4)-(12,12).
std::unique_ptr<TBitmap> Tile(TColor back, TColor square) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf24bit);
    b->SetSize(16, 16);
    b->Canvas()->Brush()->SetColor(back);
    b->Canvas()->FillRect(Rect(0, 0, 16, 16));
    b->Canvas()->Brush()->SetColor(square);
    b->Canvas()->FillRect(Rect(4, 4, 12, 12));
    return b;
}

// The image drawn over a background of one colour.
std::unique_ptr<TBitmap> Drawn(TCustomImageList& list, int index, TColor background, bool enabled = true) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf24bit);
    b->SetSize(20, 20);
    b->Canvas()->Brush()->SetColor(background);
    b->Canvas()->FillRect(Rect(0, 0, 20, 20));
    list.Draw(b->Canvas(), 0, 0, index, enabled);
    return b;
}

std::vector<TColor> Pixels(TBitmap& b) {
    std::vector<TColor> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) out.push_back(b.Canvas()->Pixels(x, y));
    return out;
}

int BitsPerPixel(TCustomImageList& list) {
    IMAGEINFO info{};
    ImageList_GetImageInfo(list.Handle(), 0, &info);
    BITMAP bm{};
    GetObjectW(info.hbmImage, sizeof bm, &bm);
    return bm.bmBitsPixel;
}

TEST(ImageList, DefaultsToSixteenSquareMaskedWithoutHandle) {
    TImageList list(nullptr);
    EXPECT_EQ(16, list.Width());
    EXPECT_EQ(16, list.Height());
    EXPECT_TRUE(list.Masked());
    EXPECT_EQ(clNone, list.BkColor());
    EXPECT_EQ(0, list.Count());
    EXPECT_FALSE(list.HandleAllocated());
}

TEST(ImageList, CreationHookChoosesColourDepth) {
    struct Case {
        UINT flags;
        int bits;
    };
    const Case cases[] = {{ILC_COLOR4, 4}, {ILC_COLOR8, 8}, {ILC_COLOR24, 24}, {ILC_COLOR32, 32}};
    for (const Case& c : cases) {
        TDepthImageList list(nullptr, c.flags);
        auto tile = Tile(clWhite, clRed);
        ASSERT_EQ(0, list.Add(tile.get(), nullptr));
        EXPECT_EQ(c.bits, BitsPerPixel(list)) << "flags " << c.flags;
    }
}

TEST(ImageList, StreamRoundTripKeepsCountAndPixels) {
    const UINT depths[] = {ILC_COLORDDB, ILC_COLOR24, ILC_COLOR32};
    for (UINT depth : depths) {
        TDepthImageList source(nullptr, depth);
        auto plain = Tile(clWhite, clRed);
        auto masked = Tile(clFuchsia, clBlue);
        auto third = Tile(clYellow, clGreen);
        source.Add(plain.get(), nullptr);
        source.AddMasked(masked.get(), clFuchsia);
        source.Add(third.get(), nullptr);

        TMemoryStream stream;
        source.WriteData(stream);
        ASSERT_GT(stream.Size(), 0);
        stream.SetPosition(0);
        TImageList copy(nullptr);
        copy.ReadData(stream);

        ASSERT_EQ(3, copy.Count()) << "depth " << depth;
        EXPECT_EQ(16, copy.Width());
        EXPECT_EQ(16, copy.Height());
        for (int i = 0; i < 3; ++i) {
            auto expected = Drawn(source, i, clAqua);
            auto actual = Drawn(copy, i, clAqua);
            EXPECT_EQ(Pixels(*expected), Pixels(*actual)) << "depth " << depth << " image " << i;
        }
    }
}

TEST(ImageList, AddMaskedLetsTheBackgroundThrough) {
    TImageList list(nullptr);
    auto tile = Tile(clFuchsia, clRed);
    ASSERT_EQ(0, list.AddMasked(tile.get(), clFuchsia));
    auto b = Drawn(list, 0, clAqua);
    struct Case {
        int x, y;
        TColor expected;
    };
    const Case cases[] = {{0, 0, clAqua},  {15, 15, clAqua}, {3, 8, clAqua},  {4, 4, clRed},
                          {11, 11, clRed}, {8, 8, clRed},    {17, 17, clAqua}};
    for (const Case& c : cases) EXPECT_EQ(c.expected, b->Canvas()->Pixels(c.x, c.y)) << c.x << "," << c.y;
    // The caller's bitmap keeps its mask colour.
    EXPECT_EQ(clFuchsia, tile->Canvas()->Pixels(0, 0));
}

TEST(ImageList, AddWithMaskBitmapAndWithoutOne) {
    TImageList list(nullptr);
    auto image = Tile(clGreen, clGreen);
    auto mask = Tile(clWhite, clBlack);  // white: transparent
    list.Add(image.get(), mask.get());
    list.Add(image.get(), nullptr);
    auto withMask = Drawn(list, 0, clAqua);
    auto opaque = Drawn(list, 1, clAqua);
    EXPECT_EQ(clAqua, withMask->Canvas()->Pixels(1, 1));
    EXPECT_EQ(clGreen, withMask->Canvas()->Pixels(6, 6));
    EXPECT_EQ(clGreen, opaque->Canvas()->Pixels(1, 1));
}

TEST(ImageList, WideBitmapAddsOneImagePerTile) {
    TImageList list(nullptr);
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(48, 16);
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        strip.Canvas()->Brush()->SetColor(colours[i]);
        strip.Canvas()->FillRect(Rect(i * 16, 0, i * 16 + 16, 16));
    }
    EXPECT_EQ(0, list.Add(&strip, nullptr));
    ASSERT_EQ(3, list.Count());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(colours[i], Drawn(list, i, clWhite)->Canvas()->Pixels(8, 8));
}

TEST(ImageList, MoveInsertDeleteAndReplaceKeepOrder) {
    const TColor colours[] = {clRed, clLime, clBlue, clYellow};
    auto fill = [&](TImageList& list) {
        for (TColor c : colours) {
            auto t = Tile(c, c);
            list.Add(t.get(), nullptr);
        }
    };
    auto order = [](TImageList& list) {
        std::vector<TColor> out;
        for (int i = 0; i < list.Count(); ++i) out.push_back(Drawn(list, i, clWhite)->Canvas()->Pixels(8, 8));
        return out;
    };
    struct Case {
        const char* name;
        std::function<void(TImageList&)> act;
        std::vector<TColor> expected;
    };
    const Case cases[] = {
        {"move forward", [](TImageList& l) { l.Move(0, 2); }, {clLime, clBlue, clRed, clYellow}},
        {"move back", [](TImageList& l) { l.Move(3, 1); }, {clRed, clYellow, clLime, clBlue}},
        {"insert",
         [](TImageList& l) {
             auto t = Tile(clAqua, clAqua);
             l.Insert(1, t.get(), nullptr);
         },
         {clRed, clAqua, clLime, clBlue, clYellow}},
        {"delete", [](TImageList& l) { l.Delete(1); }, {clRed, clBlue, clYellow}},
        {"replace",
         [](TImageList& l) {
             auto t = Tile(clGray, clGray);
             l.Replace(2, t.get(), nullptr);
         },
         {clRed, clLime, clGray, clYellow}},
        {"replace masked",
         [](TImageList& l) {
             auto t = Tile(clFuchsia, clNavy);
             l.ReplaceMasked(0, t.get(), clFuchsia);
         },
         {clNavy, clLime, clBlue, clYellow}},
        {"clear", [](TImageList& l) { l.Clear(); }, {}},
    };
    for (const Case& c : cases) {
        TImageList list(nullptr);
        fill(list);
        c.act(list);
        EXPECT_EQ(c.expected, order(list)) << c.name;
    }
}

TEST(ImageList, BadIndexRaises) {
    TImageList list(nullptr);
    auto t = Tile(clRed, clRed);
    list.Add(t.get(), nullptr);
    EXPECT_THROW(list.Delete(1), EInvalidOperation);
    EXPECT_THROW(list.Replace(-1, t.get(), nullptr), EInvalidOperation);
    EXPECT_THROW(list.Move(0, 5), EInvalidOperation);
    EXPECT_THROW(list.Insert(3, t.get(), nullptr), EInvalidOperation);
    EXPECT_EQ(-1, list.Add(nullptr, nullptr));
    EXPECT_EQ(1, list.Count());
}

TEST(ImageList, DisabledImageIsEmbossedSilhouette) {
    TImageList list(nullptr);
    auto tile = Tile(clFuchsia, clRed);
    list.AddMasked(tile.get(), clFuchsia);
    auto b = Drawn(list, 0, clAqua, false);
    EXPECT_EQ(clAqua, b->Canvas()->Pixels(1, 1));                        // transparent stays
    EXPECT_EQ(ColorToRGB(clBtnShadow), b->Canvas()->Pixels(6, 6));       // the shape in shadow
    EXPECT_EQ(ColorToRGB(clBtnHighlight), b->Canvas()->Pixels(12, 12));  // its edge lit below right
}

TEST(ImageList, AssignCopiesSettingsAndImages) {
    TImageList source(nullptr, 24, 24);
    source.SetBkColor(clWhite);
    TBitmap big;
    big.SetPixelFormat(pf24bit);
    big.SetSize(24, 24);
    big.Canvas()->Brush()->SetColor(clMaroon);
    big.Canvas()->FillRect(Rect(0, 0, 24, 24));
    source.Add(&big, nullptr);
    source.Add(&big, nullptr);
    TImageList copy(nullptr);
    copy.Assign(&source);
    EXPECT_EQ(24, copy.Width());
    EXPECT_EQ(24, copy.Height());
    EXPECT_EQ(clWhite, copy.BkColor());
    ASSERT_EQ(2, copy.Count());
    EXPECT_EQ(clMaroon, Drawn(copy, 1, clAqua)->Canvas()->Pixels(19, 10));
}

TEST(ImageList, ChangeLinksHearOfChangesAndOutliveEitherSide) {
    auto list = std::make_unique<TImageList>(nullptr);
    int heard = 0, events = 0;
    list->OnChange = [&](TObject*) { ++events; };
    auto link = std::make_unique<TChangeLink>();
    link->OnChange = [&](TObject* sender) {
        EXPECT_EQ(list.get(), sender);
        ++heard;
    };
    list->RegisterChanges(link.get());
    auto t = Tile(clRed, clRed);
    list->Add(t.get(), nullptr);
    list->Delete(0);
    list->SetWidth(20);
    EXPECT_EQ(3, heard);
    EXPECT_EQ(3, events);

    // Nested brackets: one notice at the end of the outer one, none for
    // a bracket without changes.
    list->BeginUpdate();
    list->Add(t.get(), nullptr);
    list->BeginUpdate();
    list->Add(t.get(), nullptr);
    list->EndUpdate();
    list->Clear();
    EXPECT_EQ(3, heard);
    list->EndUpdate();
    EXPECT_EQ(4, heard);
    EXPECT_EQ(4, events);
    list->BeginUpdate();
    list->EndUpdate();
    list->EndUpdate();  // unbalanced: nothing
    EXPECT_EQ(4, heard);

    link.reset();  // unregisters itself
    list->Add(t.get(), nullptr);
    EXPECT_EQ(4, heard);

    auto second = std::make_unique<TChangeLink>();
    list->RegisterChanges(second.get());
    list.reset();  // the link forgets the list
    EXPECT_EQ(nullptr, second->Sender());
}

TEST(ImageList, ShortOrForeignDataRaisesReadError) {
    TImageList list(nullptr);
    auto t = Tile(clRed, clRed);
    list.Add(t.get(), nullptr);
    TMemoryStream good;
    list.WriteData(good);

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> truncated(static_cast<const uint8_t*>(good.Memory()),
                                   static_cast<const uint8_t*>(good.Memory()) + good.Size() / 2);
    const Case cases[] = {
        {"empty", {}}, {"not an image list", {'B', 'M', 0, 0, 0, 0}}, {"truncated", truncated}};
    for (const Case& c : cases) {
        TImageList target(nullptr);
        auto keep = Tile(clBlue, clBlue);
        target.Add(keep.get(), nullptr);
        TMemoryStream s;
        if (!c.bytes.empty()) s.WriteBuffer(c.bytes.data(), static_cast<int32_t>(c.bytes.size()));
        s.SetPosition(0);
        EXPECT_THROW(target.ReadData(s), EReadError) << c.name;
        EXPECT_EQ(1, target.Count()) << c.name;
    }
}

}  // namespace
