// Labels, static texts and group boxes: sizes that follow the caption,
// painting, border styles, and accelerators that focus a control.
#include <gtest/gtest.h>

#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/WideText.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

SIZE TextSize(TFont* font, const std::string& text, UINT flags = 0) {
    const WindowDC dc(nullptr);
    const SelectedObject selected(dc.get(), font->Handle());
    const std::wstring wide = ToWide(text);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT | DT_EXPANDTABS | flags);
    return SIZE{r.right, r.bottom};
}

// Alt+character as the message loop gets it.
void PostAltChar(HWND wnd, wchar_t c) {
    PostMessageW(wnd, WM_SYSCHAR, c, 0x20000001);
    Pump();
}

TEST(Label, AutoSizeFollowsTheCaption) {
    struct Case {
        const char* caption;
        TAlignment alignment;
        const char* measured;  // what the size is taken from
    };
    const Case cases[] = {
        {"Dob\xF3r zako\xF1\x63zony", taLeftJustify, "Dob\xF3r zako\xF1\x63zony"},
        {"", taLeftJustify, " "},
        {"&", taLeftJustify, "& "},
        {"Wydruk", taRightJustify, "Wydruk"},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* label = new TLabel(form.get());
        label->SetParent(form.get());
        label->SetAutoSize(false);
        label->SetBounds(100, 10, 200, 30);
        label->SetAlignment(c.alignment);
        label->SetCaption(c.caption);
        label->SetAutoSize(true);
        const SIZE size = TextSize(label->Font(), c.measured);
        EXPECT_EQ(label->Width(), size.cx) << c.caption;
        EXPECT_EQ(label->Height(), size.cy) << c.caption;
        // A right-aligned label keeps its right edge.
        EXPECT_EQ(c.alignment == taRightJustify ? label->Left() + label->Width() : label->Left(),
                  c.alignment == taRightJustify ? 300 : 100)
            << c.caption;
    }
}

TEST(Label, PaintsItsColourUnlessTransparent) {
    struct Case {
        bool transparent;
        TColor expected;
    };
    const Case cases[] = {{false, clYellow}, {true, clBtnFace}};
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        form->SetColor(clBtnFace);
        auto* label = new TLabel(form.get());
        label->SetParent(form.get());
        label->SetAutoSize(false);
        label->SetBounds(10, 10, 100, 20);
        label->SetCaption("x");
        label->SetColor(clYellow);
        label->SetTransparent(c.transparent);
        form->Show();
        form->Repaint();
        Pump();
        EXPECT_EQ(PixelOf(form->Handle(), 100, 25), static_cast<COLORREF>(ColorToRGB(c.expected)))
            << c.transparent;
    }
}

TEST(Label, LayoutPlacesTheTextVertically) {
    struct Case {
        TTextLayout layout;
        int firstRowAtLeast, lastRowAtMost;
    };
    // A 60 pixel high label; the text is about 13 high.
    const Case cases[] = {{tlTop, 0, 20}, {tlCenter, 18, 42}, {tlBottom, 40, 59}};
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* label = new TLabel(form.get());
        label->SetParent(form.get());
        label->SetAutoSize(false);
        label->SetBounds(0, 0, 100, 60);
        label->SetColor(clWhite);
        label->SetCaption("HHH");
        label->SetLayout(c.layout);
        form->Show();
        form->Repaint();
        Pump();
        int first = -1, last = -1;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 40; ++x)
                if (PixelOf(form->Handle(), x, y) == RGB(0, 0, 0)) {
                    if (first < 0) first = y;
                    last = y;
                }
        EXPECT_GE(first, c.firstRowAtLeast) << c.layout;
        EXPECT_LE(last, c.lastRowAtMost) << c.layout;
    }
}

TEST(Label, AcceleratorFocusesTheFocusControl) {
    struct Case {
        bool showAccelChar;
        bool enabled;
        bool focused;
    };
    const Case cases[] = {{true, true, true}, {false, true, false}, {true, false, false}};
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* first = new TEdit(form.get());
        first->SetParent(form.get());
        auto* target = new TEdit(form.get());
        target->SetParent(form.get());
        target->SetTop(60);
        auto* label = new TLabel(form.get());
        label->SetParent(form.get());
        label->SetTop(40);
        label->SetCaption("&Nazwa");
        label->SetFocusControl(target);
        label->SetShowAccelChar(c.showAccelChar);
        label->SetEnabled(c.enabled);
        form->Show();
        first->SetFocus();
        Pump();
        PostAltChar(first->Handle(), L'n');
        EXPECT_EQ(target->Focused(), c.focused) << c.showAccelChar << c.enabled;
    }
}

TEST(Label, ForgetsAFocusControlThatGoes) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* label = new TLabel(form.get());
    auto* target = new TEdit(form.get());
    label->SetFocusControl(target);
    target->Free();
    EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST(StaticText, BorderStyleAlignmentAndSize) {
    struct Case {
        TStaticBorderStyle border;
        TAlignment alignment;
        DWORD style;
        DWORD mask;
    };
    const Case cases[] = {
        {sbsNone, taLeftJustify, SS_LEFT, WS_BORDER | SS_SUNKEN | SS_TYPEMASK},
        {sbsSingle, taRightJustify, WS_BORDER | SS_RIGHT, WS_BORDER | SS_SUNKEN | SS_TYPEMASK},
        {sbsSunken, taCenter, SS_SUNKEN | SS_CENTER, WS_BORDER | SS_SUNKEN | SS_TYPEMASK},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* text = new TStaticText(form.get());
        text->SetParent(form.get());
        text->SetCaption("Dob\xF3r nie zako\xF1\x63zony");
        text->SetBorderStyle(c.border);
        text->SetAlignment(c.alignment);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(text->Handle(), GWL_STYLE)) & c.mask, c.style);
        EXPECT_EQ(text->Caption(), "Dob\xF3r nie zako\xF1\x63zony");
        // Auto size: the caption's extent plus four border widths each way.
        SIZE extent{};
        {
            const WindowDC dc(nullptr);
            const SelectedObject font(dc.get(), text->Font()->Handle());
            const std::wstring wide = ToWide(text->Caption());
            GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
        }
        EXPECT_EQ(text->Width(), extent.cx + 4 * GetSystemMetrics(SM_CXBORDER));
        EXPECT_EQ(text->Height(), extent.cy + 4 * GetSystemMetrics(SM_CYBORDER));
    }
}

TEST(StaticText, BackgroundIsItsColour) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* text = new TStaticText(form.get());
    text->SetParent(form.get());
    text->SetAutoSize(false);
    text->SetBounds(10, 10, 150, 20);
    text->SetCaption("x");
    form->Show();
    for (TColor colour : {clGreen, clRed}) {
        text->SetColor(colour);
        text->Update();
        Pump();
        EXPECT_EQ(PixelOf(text->Handle(), 140, 10), static_cast<COLORREF>(colour));
    }
}

TEST(GroupBox, AcceleratorFocusesTheFirstControlInside) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* outside = new TEdit(form.get());
    outside->SetParent(form.get());
    auto* box = new TGroupBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(10, 40, 200, 100);
    box->SetCaption("&Opcje");
    auto* inside = new TEdit(form.get());
    inside->SetParent(box);
    inside->SetBounds(10, 20, 100, 21);
    form->Show();
    outside->SetFocus();
    Pump();
    PostAltChar(outside->Handle(), L'o');
    EXPECT_TRUE(inside->Focused());
}

TEST(GroupBox, AlignedChildStandsBelowTheCaptionInsideTheFrame) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* box = new TGroupBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(10, 10, 200, 100);
    auto* child = new TGroupBox(form.get());
    child->SetParent(box);
    child->SetAlign(alClient);
    const int text = TextSize(box->Font(), "0").cy;
    EXPECT_EQ(child->Left(), 2);
    EXPECT_EQ(child->Top(), text + 2);
    EXPECT_EQ(child->Width(), 196);
    EXPECT_EQ(child->Height(), 100 - text - 4);
}

TEST(GroupBox, PaintsItsCaptionOnItsColour) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* box = new TGroupBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(10, 10, 200, 100);
    box->SetColor(clYellow);
    box->SetCaption("Korekta");
    form->Show();
    box->Repaint();
    Pump();
    EXPECT_EQ(PixelOf(box->Handle(), 100, 50), static_cast<COLORREF>(clYellow));
    // The frame's shadow line runs below the caption's middle.
    bool shadow = false;
    for (int y = 0; y < 20; ++y)
        if (PixelOf(box->Handle(), 150, y) == static_cast<COLORREF>(ColorToRGB(clBtnShadow))) shadow = true;
    EXPECT_TRUE(shadow);
}

}  // namespace
