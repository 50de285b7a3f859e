// Icons read for the display's colours, and text drawn without ever
// writing into the caller's text.
#include "controls/win/XcIcons.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "controls/win/CoreStrings.h"
#include "controls/win/XcBaseUtilsWin.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using gfxtest::Put16;
using gfxtest::Put32;

// A 16 x 16 image in one colour: 4 bits (palette entry 0) or 32 bits.
std::vector<uint8_t> SolidImage(uint16_t bitCount, RGBQUAD color) {
    const size_t palette = bitCount == 4 ? 16 * 4 : 0;
    const size_t rowBytes = (16 * bitCount + 31) / 32 * 4;
    std::vector<uint8_t> b(40 + palette + rowBytes * 16 + 4 * 16);
    Put32(b, 0, 40);
    Put32(b, 4, 16);
    Put32(b, 8, 32);
    Put16(b, 12, 1);
    Put16(b, 14, bitCount);
    if (bitCount == 4) {
        std::memcpy(&b[40], &color, 4);
    } else {
        color.rgbReserved = 255;
        for (size_t p = 0; p < 16 * 16; ++p) std::memcpy(&b[40 + 4 * p], &color, 4);
    }
    return b;
}

TEST(ReadIconFromStream, TakesTheTrueColourEntryOnATrueColourDisplay) {
    const WindowDC screen(nullptr);
    ASSERT_GE(GetDeviceCaps(screen.get(), BITSPIXEL), 16) << "the test display has true colour";
    const std::vector<uint8_t> red = SolidImage(4, RGBQUAD{0, 0, 255, 0});
    const std::vector<uint8_t> blue = SolidImage(32, RGBQUAD{255, 0, 0, 0});
    std::vector<uint8_t> file(6 + 2 * 16);
    Put16(file, 2, 1);
    Put16(file, 4, 2);
    const std::vector<uint8_t>* images[] = {&red, &blue};
    for (size_t i = 0; i < 2; ++i) {
        const size_t at = 6 + 16 * i;
        file[at] = file[at + 1] = 16;
        file[at + 2] = i == 0 ? 16 : 0;
        Put16(file, at + 4, 1);
        Put16(file, at + 6, i == 0 ? 4 : 32);
        Put32(file, at + 8, static_cast<uint32_t>(images[i]->size()));
        Put32(file, at + 12, static_cast<uint32_t>(file.size()));
        file.insert(file.end(), images[i]->begin(), images[i]->end());
    }
    TMemoryStream stream;
    gfxtest::LoadBytes(stream, file);

    const OwnedIcon icon = ReadIconFromStream(stream);

    const SIZE size = GetIconSize(icon.get());
    EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXICON));
    gfxtest::Surface surface(size.cx, size.cy);
    DrawIconEx(surface.Canvas().Handle(), 0, 0, icon.get(), size.cx, size.cy, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(surface.At(size.cx / 2, size.cy / 2), clBlue);

    // The same file cut short inside the chosen image is refused whole.
    file.resize(file.size() - 10);
    gfxtest::LoadBytes(stream, file);
    EXPECT_THROW(ReadIconFromStream(stream), EInvalidGraphic);
}

TEST(DrawTextHelpers, NeverWriteIntoTheCallersText) {
    gfxtest::Surface surface(40, 20);
    char text[] = "a long text that needs an ellipsis";
    RECT r{0, 0, 30, 16};
    PCharDrawText(surface.Canvas().Handle(), text, r, DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_SINGLELINE);
    EXPECT_STREQ(text, "a long text that needs an ellipsis");
    EXPECT_GT(surface.Ink(Rect(0, 0, 40, 20)), 0);
}

TEST(CharTables, CasePolishLettersOfWindows1250) {
    const TCharTables& t = CharTables();
    EXPECT_EQ(t.UpperCase[static_cast<uint8_t>('\xB9')], '\xA5');     // ą -> Ą
    EXPECT_EQ(t.LowerCase[static_cast<uint8_t>('\x8C')], '\x9C');     // Ś -> ś
    EXPECT_EQ(t.ReversedCase[static_cast<uint8_t>('\xBF')], '\xAF');  // ż -> Ż
    EXPECT_EQ(t.ReversedCase[static_cast<uint8_t>('\xAF')], '\xBF');
    EXPECT_EQ(t.ReversedCase[static_cast<uint8_t>('7')], '7');
    EXPECT_TRUE(t.CharType[static_cast<uint8_t>('\xB9')] & C1_LOWER);
}

}  // namespace
