// JPEG pictures through libjpeg: baseline and progressive files made by an
// independent encoder (ImageMagick; tests/data/quadrants-*.jpg: 32 x 24,
// red, lime, blue and white quarters), and damaged copies of them.
#include "classlib/win/Jpeg.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "classlib/FileStream.h"
#include "classlib/win/Graphics.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;

std::vector<uint8_t> ReadData(const std::string& name) {
    TMemoryStream stream;
    stream.LoadFromFile(cltest::TestDataFile(name));
    return gfxtest::BytesOf(stream);
}

bool Near(TColor actual, TColor expected) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(((actual >> shift) & 0xFF) - ((expected >> shift) & 0xFF)) > 24) return false;
    }
    return true;
}

void ExpectQuadrants(TGraphic& image) {
    gfxtest::Surface s(32, 24);
    s.Canvas().Draw(0, 0, &image);
    const struct {
        int x, y;
        TColor color;
    } points[] = {{4, 3, clRed}, {27, 3, clLime}, {4, 20, clBlue}, {27, 20, clWhite}, {8, 6, clRed}};
    for (const auto& p : points) {
        EXPECT_TRUE(Near(s.At(p.x, p.y), p.color))
            << p.x << "," << p.y << " is " << std::hex << s.At(p.x, p.y) << " not " << p.color;
    }
}

TEST(Jpeg, BaselineFileDecodes) {
    TPicture picture;
    picture.LoadFromFile(cltest::TestDataFile("quadrants-baseline.jpg"));
    auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->Width(), 32);
    EXPECT_EQ(jpeg->Height(), 24);
    EXPECT_FALSE(jpeg->ProgressiveEncoding());
    EXPECT_FALSE(jpeg->Grayscale());
    ExpectQuadrants(*jpeg);
}

TEST(Jpeg, ProgressiveFileDecodes) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(cltest::TestDataFile("quadrants-progressive.jpg"));
    EXPECT_EQ(jpeg.Width(), 32);
    EXPECT_EQ(jpeg.Height(), 24);
    EXPECT_TRUE(jpeg.ProgressiveEncoding());
    ExpectQuadrants(jpeg);
}

TEST(Jpeg, BothExtensionsAreRegistered) {
    const auto bytes = ReadData("quadrants-baseline.jpg");
    TMemoryStream stream;
    gfxtest::LoadBytes(stream, bytes);
    const cltest::TempFolder folder;
    for (const char* name : {"logo.jpeg", "LOGO.JPG"}) {
        const std::string file = folder.Name(name);
        stream.SaveToFile(file);
        TPicture picture;
        picture.LoadFromFile(file);
        EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr) << name;
    }
}

TEST(Jpeg, SavesTheCompressedDataAsLoaded) {
    const auto bytes = ReadData("quadrants-progressive.jpg");
    TMemoryStream in;
    gfxtest::LoadBytes(in, bytes);
    TJPEGImage jpeg;
    jpeg.LoadFromStream(in);
    TMemoryStream out;
    jpeg.SaveToStream(out);
    EXPECT_EQ(gfxtest::BytesOf(out), bytes);

    TJPEGImage copy;
    copy.Assign(&jpeg);
    EXPECT_TRUE(copy.ProgressiveEncoding());
    ExpectQuadrants(copy);
    TBitmap bitmap;
    bitmap.Assign(&jpeg);
    EXPECT_EQ(bitmap.Width(), 32);
    ExpectQuadrants(bitmap);
}

// Offset of the first marker of the given type, or npos.
size_t FindMarker(const std::vector<uint8_t>& b, uint8_t marker) {
    for (size_t i = 0; i + 1 < b.size(); ++i)
        if (b[i] == 0xFF && b[i + 1] == marker) return i;
    return std::string::npos;
}

TEST(Jpeg, CorruptFilesRaiseInvalidGraphic) {
    for (const char* file : {"quadrants-baseline.jpg", "quadrants-progressive.jpg"}) {
        const auto valid = ReadData(file);
        const size_t sof = std::min(FindMarker(valid, 0xC0), FindMarker(valid, 0xC2));
        const size_t sos = FindMarker(valid, 0xDA);
        const size_t dqt = FindMarker(valid, 0xDB);
        const size_t dht = FindMarker(valid, 0xC4);
        ASSERT_NE(sof, std::string::npos);
        ASSERT_NE(sos, std::string::npos);
        ASSERT_NE(dht, std::string::npos);

        struct Case {
            std::string what;
            std::vector<uint8_t> bytes;
        };
        std::vector<Case> cases;
        auto spoil = [&](const std::string& what, size_t at, std::vector<uint8_t> with) {
            auto b = valid;
            for (size_t i = 0; i < with.size(); ++i) b[at + i] = with[i];
            cases.push_back({what, b});
        };
        spoil("no start-of-image marker", 0, {0x00, 0x00});
        spoil("frame header of width 0", sof + 7, {0x00, 0x00});
        spoil("frame header of 0 components", sof + 9, {0x00});
        spoil("frame of 65535 x 65535 pixels", sof + 5, {0xFF, 0xFF, 0xFF, 0xFF});
        spoil("frame header of 9 bits a sample", sof + 4, {0x09});
        spoil("frame header longer than the file", sof + 2, {0xFF, 0xF0});
        spoil("quantisation table of a bad id", dqt + 4, {0x1F});
        spoil("Huffman table of a bad class", dht + 4, {0x7F});
        spoil("scan of a component the frame lacks", sos + 5, {0x77});
        cases.push_back({"cut before the scan", std::vector<uint8_t>(valid.begin(), valid.begin() + sos)});
        cases.push_back(
            {"cut inside the headers", std::vector<uint8_t>(valid.begin(), valid.begin() + sof + 5)});
        cases.push_back({"two bytes only", {0xFF, 0xD8}});
        cases.push_back({"not a JPEG at all", std::vector<uint8_t>(200, 0x41)});
        cases.push_back({"empty", {}});

        for (const auto& c : cases) {
            TJPEGImage jpeg;
            TMemoryStream stream;
            gfxtest::LoadBytes(stream, c.bytes);
            EXPECT_THROW(jpeg.LoadFromStream(stream), EInvalidGraphic) << file << ": " << c.what;
            EXPECT_TRUE(jpeg.Empty()) << file << ": " << c.what;
        }
    }
}

TEST(Jpeg, TheErrorCarriesTheLibrarysMessage) {
    TMemoryStream stream;
    gfxtest::LoadBytes(stream, std::vector<uint8_t>(16, 0x41));
    TJPEGImage jpeg;
    try {
        jpeg.LoadFromStream(stream);
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "JPEG error: Not a JPEG file: starts with 0x41 0x41");
    }
}

TEST(Jpeg, ACorruptFileLeavesTheLoadedImage) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(cltest::TestDataFile("quadrants-baseline.jpg"));
    TMemoryStream garbage;
    gfxtest::LoadBytes(garbage, std::vector<uint8_t>(64, 0xFF));
    EXPECT_THROW(jpeg.LoadFromStream(garbage), EInvalidGraphic);
    EXPECT_EQ(jpeg.Width(), 32);
    ExpectQuadrants(jpeg);
}

TEST(Jpeg, DataCutOffInsideTheScanStillGivesTheWholeImage) {
    const auto valid = ReadData("quadrants-baseline.jpg");
    const size_t sos = FindMarker(valid, 0xDA);
    const size_t cut = sos + (valid.size() - sos) / 2;
    TMemoryStream stream;
    gfxtest::LoadBytes(stream, std::vector<uint8_t>(valid.begin(), valid.begin() + cut));
    TJPEGImage jpeg;
    jpeg.LoadFromStream(stream);
    EXPECT_EQ(jpeg.Width(), 32);
    EXPECT_EQ(jpeg.Height(), 24);
}

}  // namespace
