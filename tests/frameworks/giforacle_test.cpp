// Our GIF encoder and decoder against Debian's giflib, in the native build.
#include <gtest/gtest.h>

#if __has_include(<gif_lib.h>)
#include <gif_lib.h>

#include <cstring>

#include "tests/frameworks/GifTestFiles.h"

namespace {

using giftest::Bytes;

struct Memory {
    const Bytes* in = nullptr;
    size_t pos = 0;
    Bytes out;
};

int ReadMemory(GifFileType* gif, GifByteType* buffer, int count) {
    auto* m = static_cast<Memory*>(gif->UserData);
    const size_t n = std::min<size_t>(count, m->in->size() - m->pos);
    std::memcpy(buffer, m->in->data() + m->pos, n);
    m->pos += n;
    return static_cast<int>(n);
}

int WriteMemory(GifFileType* gif, const GifByteType* buffer, int count) {
    static_cast<Memory*>(gif->UserData)
        ->out.insert(static_cast<Memory*>(gif->UserData)->out.end(), buffer, buffer + count);
    return count;
}

// giflib's reading of the file; frames in display order.
struct Slurped {
    GifFileType* gif = nullptr;
    Memory memory;
    explicit Slurped(const Bytes& bytes) {
        memory.in = &bytes;
        int error = 0;
        gif = DGifOpen(&memory, ReadMemory, &error);
        if (gif && DGifSlurp(gif) != GIF_OK) {
            DGifCloseFile(gif, &error);
            gif = nullptr;
        }
    }
    ~Slurped() {
        int error = 0;
        if (gif) DGifCloseFile(gif, &error);
    }
    Bytes Raster(int i) const {
        const SavedImage& s = gif->SavedImages[i];
        return Bytes(s.RasterBits, s.RasterBits + s.ImageDesc.Width * s.ImageDesc.Height);
    }
};

TEST(GifOracle, GiflibDecodesOurEncoderToTheSameRaster) {
    std::mt19937 rng(2026);
    std::uniform_int_distribution<int> side(1, 90), bitsOf(1, 8), coin(0, 1);
    struct Fixed {
        int w, h, bits;
    } fixed[] = {{1, 1, 1}, {1, 1, 8}, {300, 300, 8}, {257, 129, 4}};
    for (int i = 0; i < 34; ++i) {
        const bool random = i < 30;
        const int w = random ? side(rng) : fixed[i - 30].w, h = random ? side(rng) : fixed[i - 30].h;
        const int bits = random ? bitsOf(rng) : fixed[i - 30].bits;
        const Bytes pixels = giftest::RandomPixels(rng, static_cast<size_t>(w) * h, bits, coin(rng));
        TGifFile file = giftest::OneFrameFile(w, h, bits, pixels);
        PrepareGifForWrite(file);
        const Bytes bytes = WriteGif(file);
        const Slurped theirs(bytes);
        ASSERT_NE(theirs.gif, nullptr) << i;
        ASSERT_EQ(theirs.gif->ImageCount, 1) << i;
        EXPECT_EQ(theirs.Raster(0), pixels) << i << ": " << w << "x" << h << " at " << bits << " bits";
    }
}

// A file written by giflib's EGifPutLine, rows sent in interlaced order when asked.
Bytes GiflibFile(int w, int h, int bits, bool interlaced, const Bytes& pixels) {
    Memory memory;
    int error = 0;
    GifFileType* gif = EGifOpen(&memory, WriteMemory, &error);
    std::vector<GifColorType> colors(1 << bits);
    for (size_t i = 0; i < colors.size(); ++i) colors[i] = {uint8_t(i), uint8_t(i * 3), uint8_t(255 - i)};
    ColorMapObject* map = GifMakeMapObject(1 << bits, colors.data());
    EGifPutScreenDesc(gif, w, h, bits, 0, map);
    EGifPutImageDesc(gif, 0, 0, w, h, interlaced, nullptr);
    std::vector<int> order;
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass)
        for (int y = interlaced ? kStart[pass] : 0; y < h; y += interlaced ? kStep[pass] : 1)
            order.push_back(y);
    for (int y : order) EGifPutLine(gif, const_cast<GifPixelType*>(&pixels[static_cast<size_t>(y) * w]), w);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return memory.out;
}

TEST(GifOracle, OurDecoderReadsGiflibFilesInterlacedOrNot) {
    std::mt19937 rng(5);
    for (int interlaced = 0; interlaced < 2; ++interlaced) {
        for (int h = 1; h <= 9; ++h) {
            const int w = 7, bits = h % 8 + 1;
            const Bytes pixels = giftest::RandomPixels(rng, static_cast<size_t>(w) * h, bits, false);
            TGifFile file;
            const Bytes bytes = GiflibFile(w, h, bits, interlaced, pixels);
            ReadGif(bytes.data(), bytes.size(), file);
            ASSERT_EQ(file.frames.size(), 1u);
            EXPECT_EQ(file.frames[0].interlaced, interlaced == 1);
            const TGifRaster raster = DecodeGifFrame(*file.frames[0].data, file.frames[0].interlaced);
            EXPECT_FALSE(raster.corrupted);
            EXPECT_EQ(raster.pixels, pixels) << "height " << h << (interlaced ? " interlaced" : "");
        }
    }
}

TEST(GifOracle, BothReadTheSameFramesTimingAndLoopFromOurFiles) {
    std::mt19937 rng(9);
    giftest::GifBuilder b;
    b.Header(20, 10, 3).Raw({'!', 0xFF, 11}).Text("NETSCAPE2.0").Raw({3, 1, 4, 0, 0}).Comment("c1");
    b.Gce(0x05 | 2 << 2, 12, 6).Image(20, 10, giftest::RandomPixels(rng, 200, 3, true), 3);
    b.Gce(0x00 | 1 << 2, 50, 0).Raw({','}).Word(3).Word(2).Word(5).Word(4).Raw({0x80 | 0x40 | 1});
    b.Raw({10, 20, 30, 40, 50, 60, 70, 80, 90, 1, 2, 3});
    const Bytes second = giftest::RandomPixels(rng, 20, 2, false);
    Bytes sent;
    for (int y : GifInterlacedRows(4))
        sent.insert(sent.end(), second.begin() + y * 5, second.begin() + y * 5 + 5);
    const Bytes raw = EncodeGifFrame(sent.data(), 5, 4, 2);
    b.bytes.insert(b.bytes.end(), raw.begin(), raw.end());
    const Bytes original = b.Raw({0}).End();
    TGifFile ours;
    ReadGif(original.data(), original.size(), ours);
    PrepareGifForWrite(ours);
    for (const Bytes& bytes : {original, WriteGif(ours)}) {
        TGifFile file;
        ReadGif(bytes.data(), bytes.size(), file);
        const Slurped theirs(bytes);
        ASSERT_NE(theirs.gif, nullptr);
        ASSERT_EQ(theirs.gif->ImageCount, 2);
        ASSERT_EQ(file.frames.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            const TGifFrame& f = file.frames[i];
            GraphicsControlBlock gcb;
            ASSERT_EQ(DGifSavedExtensionToGCB(theirs.gif, i, &gcb), GIF_OK);
            EXPECT_EQ(DecodeGifFrame(*f.data, f.interlaced).pixels, theirs.Raster(i)) << i;
            EXPECT_EQ(static_cast<int>(f.delay), gcb.DelayTime * 10) << i;
            EXPECT_EQ(f.disposal, gcb.DisposalMode) << i;
            EXPECT_EQ(f.transparentIndex, gcb.TransparentColor) << i;
            EXPECT_EQ(f.left, theirs.gif->SavedImages[i].ImageDesc.Left) << i;
        }
        // The loop count: the application block's data follows it.
        const SavedImage& first = theirs.gif->SavedImages[0];
        int loops = -1;
        for (int k = 0; k + 1 < first.ExtensionBlockCount; ++k)
            if (first.ExtensionBlocks[k].Function == APPLICATION_EXT_FUNC_CODE)
                loops = first.ExtensionBlocks[k + 1].Bytes[1] | first.ExtensionBlocks[k + 1].Bytes[2] << 8;
        EXPECT_EQ(loops, file.repeatCount);
        EXPECT_EQ(theirs.gif->SWidth, file.screenWidth);
    }
}

}  // namespace
#endif
