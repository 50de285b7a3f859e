// TXcGIFImage and TXcAni under Wine: the picture loader, frame bitmaps,
// the clipboard, assignment and drawing of damaged files.
#include "frameworks/win/XcGraphicFormats.h"

#include <gtest/gtest.h>

#include <set>

#include "classlib/ClassRegistry.h"
#include "classlib/win/ImgList.h"
#include "frameworks/win/XcAni.h"
#include "frameworks/win/XcGIFImage.h"
#include "tests/frameworks/AniTestFiles.h"
#include "tests/frameworks/GifTestFiles.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using giftest::Bytes;
using giftest::GifBuilder;

void LoadBytes(TGraphic& graphic, const Bytes& bytes) {
    TMemoryStream stream;
    gfxtest::LoadBytes(stream, bytes);
    graphic.LoadFromStream(stream);
}

Bytes SaveBytes(TGraphic& graphic) {
    TMemoryStream stream;
    graphic.SaveToStream(stream);
    return gfxtest::BytesOf(stream);
}

Bytes TwoFrameGif() {
    GifBuilder b;
    b.Header(4, 2, 3).Raw({'!', 0xFF, 11}).Text("NETSCAPE2.0").Raw({3, 1, 0, 0, 0});
    b.Gce(0x01, 5, 7).Image(4, 2, {0, 1, 2, 3, 4, 5, 6, 7}, 3).Gce(0x00, 10, 0).Image(4, 2, Bytes(8, 2), 3);
    return b.End();
}

Bytes Cursor() {
    using namespace anitest;
    Bytes fram{'f', 'r', 'a', 'm'};
    for (int i = 0; i < 2; ++i) {
        const Bytes c = Chunk("icon", IconResource(2, 32, 4, 3, 5, static_cast<uint8_t>(0x11 * (i + 1))));
        fram.insert(fram.end(), c.begin(), c.end());
    }
    return Riff({List("INFO", {Chunk("INAM", Text(std::string("Kursor") + '\0'))}), Anih(2, 3, 6),
                 Chunk("rate", Table({0, 6, 1})), Chunk("seq ", Table({0, 1, 1})), Chunk("LIST", fram)});
}

TEST(PictureFormats, TheLoaderOpensGifAndAni) {
    RegisterXcGraphicFormats();
    cltest::TempFolder folder;
    const struct {
        const char* name;
        Bytes bytes;
        const char* className;
    } files[] = {{"obraz.gif", TwoFrameGif(), "TXcGIFImage"}, {"kursor.ani", Cursor(), "TXcAni"}};
    for (const auto& f : files) {
        cltest::WriteBytes(folder.Name(f.name), std::string(f.bytes.begin(), f.bytes.end()));
        TPicture picture;
        picture.LoadFromFile(folder.Name(f.name));
        ASSERT_NE(picture.Graphic(), nullptr) << f.name;
        EXPECT_EQ(picture.Graphic()->ClassName(), f.className);
        EXPECT_GT(picture.Width(), 0) << f.name;
    }
    EXPECT_NE(GifClipboardFormat(), 0u);
    for (const char* name : {"TXcGIFImage", "TXcGIFFrame", "TXcAni"}) EXPECT_TRUE(GetClass(name)) << name;

    EXPECT_TRUE(TPicture::SupportsClipboardFormat(GifClipboardFormat()));

    // At the end the loader forgets the two formats and keeps its own.
    UnregisterXcGraphicFormats();
    EXPECT_FALSE(TPicture::SupportsClipboardFormat(GifClipboardFormat()));
    for (const auto& f : files) {
        TPicture picture;
        EXPECT_THROW(picture.LoadFromFile(folder.Name(f.name)), EInvalidGraphic) << f.name;
    }
    EXPECT_NE(TPicture::GraphicFilter().find("*.bmp"), std::string::npos);
    RegisterXcGraphicFormats();
}

TEST(GifImage, AThreeBitFrameIsAFourBitDibWithGreyBeyondItsTable) {
    TXcGIFImage gif;
    LoadBytes(gif, TwoFrameGif());
    ASSERT_EQ(gif.FrameCount(), 2);
    TBitmap* frame = gif.Frames(0)->Bitmap();
    EXPECT_EQ(frame->PixelFormat(), pf4bit);
    EXPECT_EQ(frame->Canvas()->Pixels(3, 0), 0x030303);  // grey table entry 3
    EXPECT_EQ(frame->Canvas()->Pixels(3, 1), 0x070707);
    RGBQUAD quads[16];
    ASSERT_EQ(GetDIBColorTable(frame->Canvas()->Handle(), 0, 16, quads), 16u);
    EXPECT_EQ(quads[8].rgbRed, 0x80);
    EXPECT_EQ(gif.Frames(0)->TransparentColor(), 0x070707);
    EXPECT_EQ(gif.Frames(1)->Delay(), 100u);
    EXPECT_TRUE(gif.Looping());
    EXPECT_THROW(gif.SetWidth(3), EInvalidGraphicOperation);
}

TEST(GifImage, TransparentOnlyWithATransparentFramePaletteOfTheCurrentFrameProgressPerDecoding) {
    TXcGIFImage gif;
    LoadBytes(gif, TwoFrameGif());
    EXPECT_FALSE(gif.Transparent());
    gif.SetTransparent(true);
    EXPECT_TRUE(gif.Transparent());  // frame 0 has a transparent colour
    gif.Frames(0)->SetTransparentColor(clNone);
    EXPECT_FALSE(gif.Transparent());

    PALETTEENTRY entries[8]{};
    ASSERT_EQ(GetPaletteEntries(gif.Palette(), 0, 8, entries), 8u);  // the 3-bit grey table
    EXPECT_EQ(entries[5].peRed, 5);
    EXPECT_EQ(entries[5].peBlue, 5);
    EXPECT_EQ(TXcGIFImage().Palette(), nullptr);

    std::vector<TGifProgressStage> stages;
    TXcGIFImage watched;
    watched.OnProgress = [&](TObject* sender, TGifProgressStage stage, int percent) {
        EXPECT_EQ(sender, &watched);
        EXPECT_TRUE(percent >= 0 && percent <= 100);
        if (stages.empty() || stages.back() != stage) stages.push_back(stage);
    };
    LoadBytes(watched, TwoFrameGif());  // frame 0 decodes now, frame 1 when it is drawn
    EXPECT_EQ(stages, (std::vector<TGifProgressStage>{gpsStarting, gpsRunning, gpsEnding}));
    watched.Frames(1)->Bitmap();
    EXPECT_EQ(stages.size(), 6u);
}

TEST(GifImage, ClipboardRoundTripKeepsTheFrames) {
    RegisterXcGraphicFormats();
    TXcGIFImage gif;
    LoadBytes(gif, TwoFrameGif());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    gif.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, static_cast<UINT>(CF_BITMAP));
    SetClipboardData(format, data);
    CloseClipboard();

    ASSERT_TRUE(OpenClipboard(nullptr));
    TXcGIFImage back;
    back.LoadFromClipboardFormat(CF_BITMAP, GetClipboardData(CF_BITMAP), nullptr);
    // A picture pasting "GIF Image" takes a GIF.
    TPicture pasted;
    pasted.LoadFromClipboardFormat(GifClipboardFormat(), GetClipboardData(GifClipboardFormat()), nullptr);
    CloseClipboard();
    ASSERT_NE(pasted.Graphic(), nullptr);
    ASSERT_EQ(pasted.Graphic()->ClassName(), "TXcGIFImage");
    EXPECT_EQ(static_cast<TXcGIFImage*>(pasted.Graphic())->FrameCount(), 2);
    ASSERT_EQ(back.FrameCount(), 2);
    EXPECT_EQ(back.Frames(1)->Data().data->raw, gif.Frames(1)->Data().data->raw);
    EXPECT_EQ(back.Frames(0)->Bitmap()->Canvas()->Pixels(1, 0), 0x010101);
}

TEST(GifImage, BitmapFramesAreEncodedAndReadBack) {
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(6, 4);
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(Rect(0, 0, 6, 4));
    picture.Canvas()->Brush()->SetColor(clNavy);
    picture.Canvas()->FillRect(Rect(2, 1, 5, 3));
    TXcGIFImage gif;
    gif.Assign(&picture);
    gif.AddFrame(&picture);
    gif.Frames(1)->SetDelay(70000);
    gif.Frames(1)->SetTransparentColor(clNavy);
    TXcGIFImage back;
    LoadBytes(back, SaveBytes(gif));
    ASSERT_EQ(back.FrameCount(), 2);
    EXPECT_EQ(back.Version(), 2);
    EXPECT_EQ(back.Frames(1)->Delay(), 70000u);
    EXPECT_EQ(back.Frames(1)->TransparentColor(), clNavy);
    TBitmap* frame = back.Frames(0)->Bitmap();
    EXPECT_EQ(frame->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(frame->Canvas()->Pixels(3, 2), clNavy);
}

TEST(GifImage, ABitmapFrameTakesItsBitsFromTheBitmapsBitCount) {
    // 1, 4 and 8 bits stay; true colour is reduced to 8.  The code size is
    // the bits, but 2 for 1 bit; the table has 2^bits entries.
    const struct {
        TPixelFormat format;
        int bits;
    } cases[] = {{pf1bit, 1}, {pf4bit, 4}, {pf8bit, 8}, {pf24bit, 8}};
    const TColor colors[] = {clBlack, clWhite, clRed, clBlue};
    for (const auto& c : cases) {
        TBitmap picture;
        picture.SetPixelFormat(c.format);
        picture.SetSize(4, 2);
        for (int x = 0; x < 4; ++x) {
            picture.Canvas()->SetPixels(x, 0, colors[x]);
            picture.Canvas()->SetPixels(x, 1, colors[3 - x]);
        }
        TXcGIFImage gif;
        gif.Assign(&picture);
        const Bytes bytes = SaveBytes(gif);
        ASSERT_GT(bytes.size(), 13u);
        EXPECT_EQ(bytes[10], 0x80 | (c.bits - 1) << 4 | (c.bits - 1)) << c.bits;
        TXcGIFImage back;
        LoadBytes(back, bytes);
        const TGifFrameData& data = *back.Frames(0)->Data().data;
        EXPECT_EQ(data.raw[0], std::max(c.bits, 2)) << c.bits;
        EXPECT_EQ(data.table.size(), size_t{1} << c.bits) << c.bits;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(back.Frames(0)->Bitmap()->Canvas()->Pixels(x, y), picture.Canvas()->Pixels(x, y))
                    << c.bits << " " << x << "," << y;
    }
}

TEST(GifImage, DamagedFramesDrawWithoutRaising) {
    Bytes cut = TwoFrameGif();
    cut.resize(cut.size() - 6);
    TXcGIFImage gif;
    LoadBytes(gif, cut);
    ASSERT_EQ(gif.FrameCount(), 2);
    gif.SetFrameIndex(1);
    gfxtest::Surface s(8, 4);
    EXPECT_NO_THROW(gif.Draw(s.Canvas(), Rect(0, 0, 4, 2)));
    EXPECT_TRUE(gif.Frames(1)->Corrupted());

    GifBuilder huge;
    huge.Header(1, 1, 1)
        .Image(1, 1, {0}, 1)
        .Raw({','})
        .Word(0)
        .Word(0)
        .Word(0xFFFF)
        .Word(0xFFFF)
        .Raw({0, 2, 1, 4, 0});
    TXcGIFImage big;
    LoadBytes(big, huge.End());
    big.SetFrameIndex(1);
    EXPECT_NO_THROW(big.Draw(s.Canvas(), Rect(0, 0, 4, 2)));

    TMemoryStream block;
    block.WriteValue<uint32_t>(1000);
    block.WriteBuffer("GIF89a", 6);
    block.SetPosition(0);
    try {
        gif.ReadData(block);
        FAIL() << "a block size past the stream was accepted";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}

TEST(GifImage, AssignFromAnAnimatedCursorMakesAFramePerStep) {
    TXcAni ani;
    LoadBytes(ani, Cursor());
    TXcGIFImage gif;
    gif.Assign(&ani);
    ASSERT_EQ(gif.FrameCount(), 3);
    EXPECT_EQ(gif.Frames(0)->Delay(), 100u);  // rate 0
    EXPECT_EQ(gif.Frames(1)->Delay(), 100u);  // 6 jiffies
    EXPECT_EQ(gif.Frames(2)->Delay(), 16u);   // 1 jiffy
    EXPECT_EQ(gif.Frames(0)->Width(), 32);
}

TEST(AniImage, LoadsStepsHotspotsAndSavesTheSameBytes) {
    const Bytes original = Cursor();
    TXcAni ani;
    LoadBytes(ani, original);
    EXPECT_EQ(ani.FrameCount(), 3);
    EXPECT_EQ(ani.CurrentStep(), 0);
    EXPECT_EQ(ani.Title(), "Kursor");
    const auto frame = ani.GetFrame(2);
    ASSERT_TRUE(frame.has_value());
    EXPECT_FALSE(frame->IsIcon());
    EXPECT_EQ(frame->Hotspot().x, 3);
    EXPECT_EQ(frame->Hotspot().y, 5);
    EXPECT_EQ(frame->Rate(), 1u);
    EXPECT_FALSE(ani.GetFrame(3).has_value());
    EXPECT_EQ(SaveBytes(ani), original);
    EXPECT_THROW(ani.SetHeight(1), EInvalidGraphicOperation);
    UINT format;
    HANDLE data;
    HPALETTE palette;
    EXPECT_THROW(ani.SaveToClipboardFormat(format, data, palette), EInvalidGraphicOperation);

    TBitmap strip;
    ani.AssignTo(&strip);
    EXPECT_EQ(strip.Width(), 96);
    EXPECT_EQ(strip.Height(), 32);
    EXPECT_EQ(strip.PixelFormat(), pf4bit);  // 16 colours at most
    TIcon icon;
    icon.Assign(&ani);
    EXPECT_EQ(icon.Width(), 32);
    TImageList list(nullptr, 32, 32);
    int told = 0;
    list.OnChange = [&](TObject*) { ++told; };
    ani.AssignTo(&list);
    ani.AssignTo(&list);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(told, 2);  // once per copy
    TXcAni copy;
    copy.Assign(&ani);
    EXPECT_EQ(SaveBytes(copy), original);
}

// Ticks counted by hand instead of the timer's own.
class TTickedAni : public TXcAni {
public:
    void Tick() { AnimationTimer().OnTimer()(nullptr); }
    unsigned Interval() const { return AnimationTimer().Interval(); }
};

TEST(AniImage, EachTickShowsTheNextStepForThatStepsRate) {
    TTickedAni ani;
    LoadBytes(ani, Cursor());  // steps show icons 0, 1, 1 at 0, 6 and 1 jiffies
    int changes = 0;
    ani.OnChange = [&](TObject*) { ++changes; };
    ani.SetAnimated(true);
    const struct {
        int step;
        unsigned interval;
    } ticks[] = {{1, 100}, {2, 16}, {0, 100}, {1, 100}};
    for (const auto& t : ticks) {
        ani.Tick();
        EXPECT_EQ(ani.CurrentStep(), t.step);
        EXPECT_EQ(ani.Interval(), t.interval) << t.step;
        EXPECT_TRUE(ani.Animated());
    }
    EXPECT_EQ(changes, 4);
    ani.Assign(nullptr);
    ani.SetAnimated(true);
    ani.Tick();  // nothing to show: the timer stops
    EXPECT_FALSE(ani.Animated());
}

TEST(AniImage, AnotherKindOfFileLeavesTheAnimationAsItWas) {
    TXcAni ani;
    LoadBytes(ani, Cursor());
    const Bytes before = SaveBytes(ani);
    const Bytes others[] = {
        TwoFrameGif(), {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, {'R', 'I', 'F'}};
    for (const Bytes& other : others) {
        EXPECT_THROW(LoadBytes(ani, other), EReadError);
        EXPECT_EQ(ani.FrameCount(), 3);
        EXPECT_EQ(SaveBytes(ani), before);
    }
    // A cursor refused further on has been read over.
    EXPECT_THROW(LoadBytes(ani, anitest::Riff({anitest::Anih(1, 1, 6, 0)})), EReadError);
    EXPECT_EQ(ani.FrameCount(), 0);
}

TEST(AniImage, ACursorStepHoldsTheWholeResourceAndShowsTheSystemsSizeWithThatImagesHotspot) {
    using namespace anitest;
    ASSERT_EQ(GetSystemMetrics(SM_CXICON), 32);
    const Bytes cursor = Resource({IconResource(2, 16, 4, 1, 2), IconResource(2, 32, 4, 7, 9)});
    TXcAni ani;
    LoadBytes(ani, Riff({List("fram", {Chunk("icon", cursor)})}));
    const auto frame = ani.GetFrame(0);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->Icon()->Width(), 32);
    EXPECT_EQ(frame->Hotspot().x, 7);
    EXPECT_EQ(frame->Hotspot().y, 9);
    Bytes both = cursor;
    both[2] = 1;  // loaded as an icon
    EXPECT_EQ(SaveBytes(*frame->Icon()), both);
}

TEST(AniImage, AStripKeepsTrueColourAndStopsAtTheWidthBound) {
    using namespace anitest;
    // 256 colours in a 16 x 16 true-colour icon: more than the 16 a strip
    // of paletted images is cut to.
    Bytes icon = IconResource(1, 16, 32);
    for (int i = 0; i < 256; ++i) {
        const uint8_t bgra[] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                static_cast<uint8_t>(i * 7), 0};
        std::copy(bgra, bgra + 4, icon.begin() + 62 + 4 * i);
    }
    TXcAni ani;
    LoadBytes(ani, Riff({List("fram", {Chunk("icon", icon)})}));
    TBitmap strip;
    ani.AssignTo(&strip);
    ASSERT_EQ(strip.Width(), 16);
    std::set<TColor> colors;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) colors.insert(strip.Canvas()->Pixels(x, y));
    EXPECT_EQ(colors.size(), 256u);
    EXPECT_EQ(strip.Canvas()->Pixels(0, 15),
              static_cast<TColor>(RGB(0, 255, 0)));  // the bottom row comes first

    // Steps of 32 pixels side by side up to 32767 pixels.
    for (const int steps : {1023, 1024}) {
        Bytes seq;
        for (int i = 0; i < steps; ++i) Put32(seq, 0);
        TXcAni many;
        LoadBytes(many, Riff({Chunk("seq ", seq), List("fram", {Chunk("icon", IconResource(1, 32, 4))})}));
        TBitmap wide;
        wide.SetSize(5, 5);
        if (steps * 32 <= 32767) {
            many.AssignTo(&wide);
            EXPECT_EQ(wide.Width(), steps * 32);
        } else {
            EXPECT_THROW(many.AssignTo(&wide), EOutOfResources);
            EXPECT_EQ(wide.Width(), 5);
        }
    }
}

}  // namespace
