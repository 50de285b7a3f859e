// A menu caption's access key underlined under its letter's ink, in the
// menu font: the line's pixels are the ones the caption drawn without its
// line lacks, and they lie under the columns that only that letter inks.
#include "controls/win/XcAccelText.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "classlib/win/Forms.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;

constexpr int kWidth = 400, kHeight = 30;

// The dark columns of row y (all rows when y < 0) of text drawn on white.
template <class Draw>
std::set<int> Ink(Draw draw, int y = -1) {
    TBitmap bitmap;
    bitmap.SetSize(kWidth, kHeight);
    TCanvas* c = bitmap.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, kWidth, kHeight));
    c->Font()->Assign(Screen->MenuFont());
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    draw(*c);
    std::set<int> columns;
    for (int row = 0; row < kHeight; ++row) {
        if (y >= 0 && row != y) continue;
        for (int x = 0; x < kWidth; ++x)
            if (GetRValue(GetPixel(c->Handle(), x, row)) < 128) columns.insert(x);
    }
    return columns;
}

std::set<int> Minus(const std::set<int>& a, const std::set<int>& b) {
    std::set<int> d;
    for (int x : a)
        if (!b.count(x)) d.insert(x);
    return d;
}

TEST(DrawAccelText, TheLineLiesUnderTheLettersInk) {
    const struct {
        const char* caption;
        const char* upTo;    // the caption up to the access key's letter, without its "&"
        const char* before;  // and before that letter
        UINT align;
    } cases[] = {
        {"Zapisz sprawozdanie &jako...", "Zapisz sprawozdanie j", "Zapisz sprawozdanie ", DT_LEFT},
        {"&Nowe sprawozdanie", "N", "", DT_LEFT},
        {"A&&B &jot", "A&&B j", "A&&B ", DT_LEFT},
        {"O pro&jekcie", "O proj", "O pro", DT_CENTER},
    };
    TEXTMETRICW tm{};
    {
        const ScreenDC screen;
        TCanvas measure(screen.get());
        measure.Font()->Assign(Screen->MenuFont());
        GetTextMetricsW(measure.Handle(), &tm);
    }
    const int lineRow = tm.tmAscent + 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        const TRect r = Rect(10, 2, kWidth - 10, kHeight);
        const UINT flags = DT_SINGLELINE | DT_EXPANDTABS | c.align;
        const std::set<int> line =
            Minus(Ink([&](TCanvas& cv) { DrawAccelText(cv, c.caption, r, flags); }, lineRow),
                  Ink([&](TCanvas& cv) { DrawAccelText(cv, c.caption, r, flags | DT_HIDEPREFIX); }, lineRow));
        ASSERT_FALSE(line.empty()) << "no line drawn";
        // The letter's columns: inked by the shown text up to it, not by the
        // text before it, both drawn from where the caption starts.
        TRect at = r;
        if (c.align == DT_CENTER) {
            TRect whole = Rect(0, 0, 0, 0);
            Ink([&](TCanvas& cv) { cv.DrawText(c.caption, whole, flags | DT_CALCRECT); });
            at.left = r.left + (r.right - r.left - (whole.right - whole.left)) / 2;
        }
        const UINT left = DT_SINGLELINE | DT_LEFT;
        const std::set<int> letter = Minus(Ink([&](TCanvas& cv) { DrawAccelText(cv, c.upTo, at, left); }),
                                           Ink([&](TCanvas& cv) { DrawAccelText(cv, c.before, at, left); }));
        ASSERT_FALSE(letter.empty());
        // Within a pixel: a letter's faint edge, or one it shares with its neighbour.
        EXPECT_GE(*line.begin(), *letter.begin() - 1);
        EXPECT_LE(*line.rbegin(), *letter.rbegin() + 1);
    }
    // No line without an access key, with "&&" only, or when hidden.
    for (const char* caption : {"Koniec", "A&&B"}) {
        TRect r = Rect(10, 2, kWidth - 10, kHeight);
        EXPECT_EQ(Ink([&](TCanvas& cv) { DrawAccelText(cv, caption, r, DT_SINGLELINE); }, lineRow),
                  Ink([&](TCanvas& cv) { cv.DrawText(caption, r, DT_SINGLELINE | DT_HIDEPREFIX); }, lineRow))
            << caption;
    }
}

}  // namespace
