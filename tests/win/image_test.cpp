// TImage: where the picture goes for each way of drawing it, the bounds
// following the picture, transparency handed to the graphic, the picture
// on screen, and a click.
#include <gtest/gtest.h>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

std::unique_ptr<TBitmap> Filled(int width, int height, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

std::string Text(const TRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(Image, DrawsThePictureWhereItsFlagsSay) {
    struct Case {
        int pw, ph;  // picture; the image is 100 x 50
        bool stretch, proportional, center;
        const char* dest;
    };
    const Case cases[] = {
        {40, 20, false, false, false, "0,0,40,20"},      {40, 20, false, false, true, "30,15,70,35"},
        {40, 20, true, false, false, "0,0,100,50"},      {40, 10, true, true, false, "0,0,100,25"},
        {10, 40, true, true, true, "43,0,56,50"},        {40, 10, false, true, false, "0,0,40,10"},
        {200, 50, false, true, true, "0,12,100,37"},     {200, 200, false, true, false, "0,0,50,50"},
        {300, 20, false, false, true, "-100,15,200,35"},
    };
    for (const Case& c : cases) {
        Owned<TImage> image = Make<TImage>(nullptr);
        image->SetBounds(0, 0, 100, 50);
        image->Picture()->SetGraphic(Filled(c.pw, c.ph, clRed).get());
        image->SetStretch(c.stretch);
        image->SetProportional(c.proportional);
        image->SetCenter(c.center);
        EXPECT_EQ(Text(image->DestRect()), c.dest)
            << c.pw << "x" << c.ph << c.stretch << c.proportional << c.center;
    }
}

TEST(Image, AutoSizeAndTransparencyFollowTheGraphic) {
    Owned<TImage> image = Make<TImage>(nullptr);
    image->SetBounds(5, 6, 100, 50);
    image->Picture()->SetGraphic(Filled(30, 20, clRed).get());
    EXPECT_EQ(Bounds(image.get()), "5,6,100,50");
    image->SetAutoSize(true);
    EXPECT_EQ(Bounds(image.get()), "5,6,30,20");
    image->SetTransparent(true);
    EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
    image->Picture()->SetGraphic(Filled(64, 8, clBlue).get());
    EXPECT_EQ(Bounds(image.get()), "5,6,64,8");
    EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
}

TEST(Image, PaintsOnItsParentAndReportsClicks) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(50, 50, 300, 200);
    form->SetColor(clWhite);
    auto* image = new TImage(form.get());
    image->SetBounds(20, 20, 80, 40);
    image->SetStretch(true);
    image->Picture()->SetGraphic(Filled(4, 4, clRed).get());
    image->SetParent(form.get());
    int clicks = 0;
    image->OnClick = [&](TObject* sender) { clicks += sender == image; };
    form->Show();
    Pump();
    EXPECT_EQ(PixelOf(form.get(), 21, 21), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(form.get(), 98, 58), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(form.get(), 101, 30), RGB(255, 255, 255));
    PostClick(form->Handle(), 60, 40);
    PumpUntil([&] { return clicks > 0; });
    EXPECT_EQ(clicks, 1);
}

}  // namespace
