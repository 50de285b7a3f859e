// The GIF codec's reading, decoding, encoding and writing, and its answers
// to damaged files.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "classlib/Exceptions.h"
#include "tests/frameworks/GifTestFiles.h"

namespace {

using giftest::Bytes;
using giftest::GifBuilder;

TGifFile Read(const Bytes& bytes) {
    TGifFile file;
    ReadGif(bytes.data(), bytes.size(), file);
    return file;
}

Bytes Write(TGifFile file) {
    PrepareGifForWrite(file);
    return WriteGif(file);
}

TEST(GifLzw, EncodedImagesDecodeToTheirPixels) {
    struct Case {
        const char* name;
        int width, height, bits;
        bool runs;
    } cases[] = {
        {"1x1", 1, 1, 8, false},
        {"1 bit", 17, 5, 1, false},
        {"2 bits", 33, 7, 2, true},
        {"3 bits", 40, 40, 3, false},
        {"4 bits runs", 64, 64, 4, true},
        {"8 bits noise past the table reset", 300, 300, 8, false},
        {"8 bits runs", 200, 100, 8, true},
        {"single row", 999, 1, 5, false},
    };
    std::mt19937 rng(7);
    for (const Case& c : cases) {
        const Bytes pixels =
            giftest::RandomPixels(rng, static_cast<size_t>(c.width) * c.height, c.bits, c.runs);
        const TGifFile file = giftest::OneFrameFile(c.width, c.height, c.bits, pixels);
        EXPECT_EQ(file.frames[0].data->raw[0], std::max(2, c.bits)) << c.name;
        const TGifRaster raster = DecodeGifFrame(*file.frames[0].data, false);
        EXPECT_FALSE(raster.corrupted) << c.name;
        EXPECT_EQ(raster.pixels, pixels) << c.name;
    }
}

TEST(GifLzw, InterlacedRowsLandInPlaceForHeightsOneToNine) {
    for (int height = 1; height <= 9; ++height) {
        const std::vector<int> order = GifInterlacedRows(height);
        ASSERT_EQ(order.size(), static_cast<size_t>(height));
        Bytes pixels(height * 3), sent;
        for (int y = 0; y < height; ++y)
            pixels[y * 3] = pixels[y * 3 + 1] = pixels[y * 3 + 2] = static_cast<uint8_t>(y);
        for (int y : order) sent.insert(sent.end(), 3, static_cast<uint8_t>(y));
        TGifFrameData data;
        data.width = 3, data.height = height, data.bitsPerPixel = 4;
        data.raw = EncodeGifFrame(sent.data(), 3, height, 4);
        const TGifRaster raster = DecodeGifFrame(data, true);
        EXPECT_EQ(raster.pixels, pixels) << height;
    }
}

Bytes FourPixels() {
    return GifBuilder().Header(2, 2, 2).Image(2, 2, {0, 1, 2, 3}, 2).End();
}

Bytes WithRaw(std::initializer_list<int> raw) {
    GifBuilder b;
    b.Header(4, 1, 2).Raw({','}).Word(0).Word(0).Word(4).Word(1).Raw({0}).Raw(raw);
    return b.Raw({0}).End();
}

// Tolerant reading switched off for a scope.
struct StrictReading {
    StrictReading() { GifTolerantReading = false; }
    ~StrictReading() { GifTolerantReading = true; }
};

// What reading and decoding frame 0 give: the message raised, "corrupted" or "whole".
std::string Outcome(const Bytes& bytes) {
    TGifFile file;
    try {
        ReadGif(bytes.data(), bytes.size(), file);
        if (file.frames.size() != 1) return std::to_string(file.frames.size()) + " frames";
        const TGifRaster raster = DecodeGifFrame(*file.frames[0].data, false);
        return file.frames[0].corrupted || raster.corrupted ? "corrupted" : "whole";
    } catch (const cl::Exception& e) {
        return e.what();
    }
}

TEST(GifReader, AnswersEachKindOfDamageTolerantlyOrNot) {
    Bytes cutInData = FourPixels();
    cutInData.resize(cutInData.size() - 4);
    Bytes longBlock = FourPixels();
    longBlock[longBlock.size() - 6] = 200;  // the last data block claims more than is there
    const char* const kRead = "Stream read error";
    const struct {
        const char* name;
        Bytes bytes;
        const char* tolerant;
        const char* strict = nullptr;  // as tolerant
    } cases[] = {
        {"not a GIF", {'G', 'I', 'X', '8', '9', 'a'}, "Unknown GIF version"},
        {"short screen", {'G', 'I', 'F', '8', '9', 'a', 1, 0}, kRead},
        {"short global table", GifBuilder().Text("GIF89a").Word(1).Word(1).Raw({0x87, 0, 0, 1, 2, 3}).bytes,
         kRead},
        {"short descriptor", GifBuilder().Header(1, 1, 1).Raw({',', 0, 0, 0}).bytes, kRead},
        {"short local table",
         GifBuilder().Header(1, 1, 1).Raw({','}).Word(0).Word(0).Word(1).Word(1).Raw({0x87, 1}).bytes, kRead},
        {"short extension", GifBuilder().Header(1, 1, 1).Raw({'!', 0xF9, 4, 1}).bytes, kRead},
        {"sub-block past the end", GifBuilder().Header(1, 1, 1).Raw({'!', 0xFE, 9, 'a'}).bytes, kRead},
        {"unknown extension", GifBuilder().Header(1, 1, 1).Raw({'!', 0x07, 0}).End(),
         "Unrecognized extension block: 07"},
        {"stray byte without a comment", GifBuilder().Header(1, 1, 1).Raw({'X'}).End(), kRead},
        {"stray byte after a comment", GifBuilder().Header(1, 1, 1).Comment("c").Raw({'X'}).End(), kRead},
        {"whole", FourPixels(), "whole"},
        {"frame data cut short", cutInData, "corrupted", kRead},
        {"data block longer than the file", longBlock, "corrupted", kRead},
        // clear, 1, then 7 > 6
        {"code above the next free", WithRaw({2, 2, 0xCC, 0x01}), "corrupted", "GIF encoded data is corrupt"},
        {"string code with no previous", WithRaw({2, 1, 0x04 | 6 << 3}), "corrupted",
         "GIF encoded data is corrupt"},
        {"code size 12 clamped", WithRaw({12, 1, 0}), "corrupted", "GIF code size not in range 2 to 9"},
        {"code size 1", WithRaw({1, 1, 0}), "corrupted", "GIF code size not in range 2 to 9"},
        {"no end code", WithRaw({2, 1, 0x04}), "corrupted", kRead},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Outcome(c.bytes), c.tolerant) << c.name;
        StrictReading strict;
        EXPECT_EQ(Outcome(c.bytes), c.strict ? c.strict : c.tolerant) << c.name << " (strict)";
    }
}

TEST(GifLzw, ProgressIsToldTheStartTheShareReadAfterEachCodeAndTheEnd) {
    // Four pixels of 2 bits: clear, 0, 1, 2 in 3 bits and 3 in 4 bits (the
    // table reached 8 entries), then the end code: 20 bits in one block of
    // 3 bytes after the code size and the block length, 5 bytes in all.
    // Five codes fill the rows; the block's first byte (the third of five)
    // is fetched for the first code, its second for the third code.
    const TGifFile file = Read(FourPixels());
    ASSERT_EQ(file.frames[0].data->raw.size(), 5u);
    std::vector<std::pair<TGifProgressStage, int>> told;
    DecodeGifFrame(*file.frames[0].data, false,
                   [&](TGifProgressStage stage, int percent) { told.emplace_back(stage, percent); });
    EXPECT_EQ(told, (std::vector<std::pair<TGifProgressStage, int>>{{gpsStarting, 0},
                                                                    {gpsRunning, 60},
                                                                    {gpsRunning, 60},
                                                                    {gpsRunning, 80},
                                                                    {gpsRunning, 80},
                                                                    {gpsRunning, 80},
                                                                    {gpsEnding, 100}}));
    // A failure still ends.
    told.clear();
    StrictReading strict;
    const TGifFile bad = Read(WithRaw({2, 1, 0x04}));
    EXPECT_THROW(
        DecodeGifFrame(*bad.frames[0].data, false,
                       [&](TGifProgressStage stage, int percent) { told.emplace_back(stage, percent); }),
        cl::EReadError);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(), std::make_pair(gpsEnding, 100));
}

TEST(GifReader, ExtensionsFollowTheirOwnSizesAndKeepTheirMeaning) {
    const Bytes withLocal = GifBuilder()
                                .Header(2, 1, 1)
                                .Raw({'!', 0xFF, 11})
                                .Text("ANIMEXTS1.0")
                                .Raw({3, 1, 5, 0, 0})
                                .Raw({'!', 0xF9, 6, 0x09, 0x0A, 0x00, 1, 0, 0, 2, 'x', 'y', 0})
                                .Raw({','})
                                .Word(0)
                                .Word(0)
                                .Word(2)
                                .Word(1)
                                .Raw({0x81})
                                .Raw({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
                                .Raw({2, 2, 0x4C, 0x01, 0})
                                .End();
    const TGifFile file = Read(withLocal);
    EXPECT_TRUE(file.looping);
    EXPECT_EQ(file.repeatCount, 5);
    ASSERT_EQ(file.frames.size(), 1u);
    const TGifFrame& f = file.frames[0];
    EXPECT_EQ(f.data->bitsPerPixel, 2);  // from the local table
    EXPECT_EQ(f.transparentIndex, 1);
    EXPECT_EQ(f.transparentColor, GifRgb({4, 5, 6}));
    EXPECT_EQ(f.delay, 100u);
    EXPECT_EQ(f.disposal, 2);

    const TGifFile capped = Read(GifBuilder()
                                     .Header(1, 1, 1)
                                     .Raw({'!', 0xFF, 11})
                                     .Text("NETSCAPE2.0")
                                     .Raw({3, 1, 0xFF, 0xFF, 0})
                                     .Image(1, 1, {0}, 1)
                                     .End());
    EXPECT_EQ(capped.repeatCount, 30000);
}

TEST(GifReader, TooLargeFrameReadsButIsNotDecoded) {
    GifBuilder b;
    b.Header(1, 1, 1).Raw({','}).Word(0).Word(0).Word(0xFFFF).Word(0xFFFF).Raw({0, 2, 1, 4, 0});
    const TGifFile file = Read(b.End());
    ASSERT_EQ(file.frames.size(), 1u);
    EXPECT_THROW(DecodeGifFrame(*file.frames[0].data, false), cl::EOutOfMemory);
}

TEST(GifReader, CutAtEveryOffsetReadsOrRaisesStreamReadError) {
    GifBuilder b;
    b.Header(8, 8, 3)
        .Raw({'!', 0xFF, 11})
        .Text("NETSCAPE2.0")
        .Raw({3, 1, 2, 0, 0})
        .Gce(0x05, 10, 3)
        .Comment("hello");
    std::mt19937 rng(1);
    b.Image(8, 8, giftest::RandomPixels(rng, 64, 3, false), 3).Gce(0x08, 20, 0).Image(8, 8, Bytes(64, 5), 3);
    const Bytes whole = b.End();
    for (size_t n = 0; n <= whole.size(); ++n) {
        TGifFile file;
        try {
            ReadGif(whole.data(), n, file);
            for (const TGifFrame& f : file.frames) DecodeGifFrame(*f.data, f.interlaced);
        } catch (const cl::EReadError& e) {
            EXPECT_STREQ(e.what(), "Stream read error");
        }
    }
}

TEST(GifWriter, LoadSaveLoadKeepsFramesTimingTransparencyLoopAndScreen) {
    std::mt19937 rng(3);
    GifBuilder b;
    b.Header(40, 30, 2).Raw({'!', 0xFF, 11}).Text("NETSCAPE2.0").Raw({3, 1, 7, 0, 0});
    b.Gce(0x04 | 0x01, 25, 2).Image(10, 10, giftest::RandomPixels(rng, 100, 2, true), 2);
    // Duplicate colours in the local table: the index read must stay.
    b.Gce(0x09, 700, 3)
        .Raw({','})
        .Word(5)
        .Word(6)
        .Word(4)
        .Word(2)
        .Raw({0xC1, 9, 9, 9, 1, 1, 1, 9, 9, 9, 9, 9, 9});
    const Bytes raw = EncodeGifFrame(giftest::RandomPixels(rng, 8, 2, false).data(), 4, 2, 2);
    b.bytes.insert(b.bytes.end(), raw.begin(), raw.end());
    b.Raw({0}).Comment("note");
    const TGifFile first = Read(b.End());
    const TGifFile again = Read(Write(first));
    EXPECT_EQ(again.screenWidth, 40);
    EXPECT_EQ(again.screenHeight, 30);
    EXPECT_TRUE(again.looping);
    EXPECT_EQ(again.repeatCount, 7);
    EXPECT_EQ(again.header->comment, std::vector<std::string>{"note"});
    ASSERT_EQ(again.frames.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const TGifFrame &a = first.frames[i], &z = again.frames[i];
        EXPECT_EQ(z.data->raw, a.data->raw) << i;
        EXPECT_EQ(z.data->table, a.data->table) << i;
        EXPECT_EQ(z.delay, a.delay) << i;
        EXPECT_EQ(z.disposal, a.disposal) << i;
        EXPECT_EQ(z.transparentIndex, a.transparentIndex) << i;
        EXPECT_EQ(z.interlaced, a.interlaced) << i;
        EXPECT_EQ(std::tie(z.left, z.top, z.localTable), std::tie(a.left, a.top, a.localTable)) << i;
    }
    EXPECT_EQ(again.frames[1].transparentIndex, 3);  // not 0, the first entry of that colour
    EXPECT_EQ(again.frames[1].delay, 7000u);
}

TEST(GifWriter, WritesOnlyWhatTheFramesNeed) {
    TGifFile plain = giftest::OneFrameFile(2, 2, 1, {0, 1, 1, 0});
    plain.looping = true;  // one frame: no loop extension
    const Bytes bytes = Write(plain);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF87a");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '!'), 0);

    TGifFile timed = plain;
    timed.frames[0].delay = 700000;  // the field caps at 65535
    timed.frames.push_back(timed.frames[0]);
    auto header = std::make_shared<TGifHeader>(*timed.header);
    header->comment = {std::string(300, 'c')};
    timed.header = header;
    const TGifFile back = Read(Write(timed));
    EXPECT_EQ(back.version, 2);
    EXPECT_EQ(back.frames[0].delay, 655350u);
    EXPECT_EQ(back.header->comment, (std::vector<std::string>{std::string(255, 'c'), std::string(45, 'c')}));
    EXPECT_TRUE(back.looping);
    EXPECT_EQ(back.frames[0].extensions.size(), 1u);
}

TEST(GifWriter, TableBitsComeOnlyFromPowersOfTwo) {
    const std::pair<int, int> powers[] = {{2, 1}, {4, 2}, {16, 4}, {256, 8}};
    for (const auto& [colors, bits] : powers) EXPECT_EQ(GifBitsForColors(colors), bits) << colors;
    for (const int colors : {0, 1, 3, 200, 512}) {
        try {
            GifBitsForColors(colors);
            ADD_FAILURE() << colors;
        } catch (const cl::EInvalidGraphicOperation& e) {
            EXPECT_STREQ(e.what(), "Wrong number of colors; must be a power of 2");
        }
    }
}

}  // namespace
