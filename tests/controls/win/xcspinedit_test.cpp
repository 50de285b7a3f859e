// TXcSpinEdit with the print setup's values (-50..50, step 0.5, one
// decimal) in a test window: typed text, steps at the limits, the display
// form, the range error on leaving; TXcSpinButton's halves, auto-repeat and
// classic pictures; the shared pictures; and the destruction test of the
// spin controls.
#include "controls/win/XcSpinEdit.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "controls/win/XcThemeServices.h"
#include "tests/support/ControlDestruction.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// Themes off for a scope.
class TUnthemed : public TXcThemeServices {
public:
    bool ThemesEnabled() override { return false; }
    void DrawElement(HDC, const TThemedElementDetails&, const RECT&, const RECT*) override {}
    void DrawText(HDC, const TThemedElementDetails&, const std::string&, const RECT&, DWORD, DWORD) override {
    }
    void DrawParentBackground(HWND, HDC, const TThemedElementDetails*, bool, const RECT*) override {}
};

// Characters as WM_CHAR; "\b" as the Backspace key.
void Type(HWND wnd, const std::string& input) {
    for (char c : input) {
        if (c == '\b')
            PostKey(wnd, VK_BACK);
        else
            PostMessageW(wnd, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    Pump();
}

struct SpinWindow {
    SpinWindow() : form(Make<TForm>(nullptr)) {
        form->SetBounds(100, 100, 300, 200);
        spin = new TXcSpinEdit(form.get());
        spin->SetName("XcSpinEdit1");
        spin->SetBounds(20, 20, 100, 21);
        spin->SetValueType(vtFloat);
        spin->SetDecimal(1);
        spin->SetIncrement(0.5L);
        spin->SetMinValue(-50);
        spin->SetMaxValue(50);
        spin->SetParent(form.get());
        other = new TEdit(form.get());
        other->SetBounds(20, 60, 100, 21);
        other->SetParent(form.get());
        spin->OnChange = [this](TObject*) { changes.push_back(spin->Text()); };
        form->Show();
        Pump();
    }
    // Focused, the whole text selected, as a user starts typing over it.
    void Focus() {
        spin->SetFocus();
        spin->SelectAll();
        Pump();
    }
    HWND Edit() { return spin->Handle(); }

    Owned<TForm> form;
    TXcSpinEdit* spin;
    TEdit* other;
    std::vector<std::string> changes;
};

TEST(XcSpinEdit, TypedTextStaysAsTypedUnlessBeyondALimit) {
    struct Case {
        const char* typed;
        const char* text;
        double value;
    } const cases[] = {
        {"-", "-", 12.5},  // no number yet: the last valid value
        {"-5", "-5", -5},   {"2,5", "2,5", 2.5},   {"2.5", "2,5", 2.5}, {"2,,5", "2,5", 2.5}, {"7", "7", 7},
        {"75", "50,0", 50}, {"-60", "-50,0", -50}, {"\b", "", 12.5},    {"-0", "-0", 0},
    };
    for (const Case& c : cases) {
        SpinWindow w;
        w.spin->SetValue(12.5L);
        EXPECT_EQ(w.spin->Text(), "12,5");
        w.Focus();
        Type(w.Edit(), c.typed);
        EXPECT_EQ(w.spin->Text(), c.text) << c.typed;
        EXPECT_EQ(static_cast<double>(w.spin->Value()), c.value) << c.typed;
        w.other->SetFocus();
        Pump();
        EXPECT_EQ(w.spin->Text(), FormatSpinValue(c.value, {vtFloat, 1, false, ""}))
            << c.typed << ": on leaving";
    }
}

TEST(XcSpinEdit, StepsHoldAtTheLimits) {
    struct Case {
        const char* name;
        double start;
        std::function<void(SpinWindow&)> step;
        const char* text;
    } const cases[] = {
        {"Up", 49.5, [](SpinWindow& w) { PostKey(w.Edit(), VK_UP); }, "50,0"},
        {"Up at the maximum", 50, [](SpinWindow& w) { PostKey(w.Edit(), VK_UP); }, "50,0"},
        {"Down at the minimum", -50, [](SpinWindow& w) { PostKey(w.Edit(), VK_DOWN); }, "-50,0"},
        {"Down", 0, [](SpinWindow& w) { PostKey(w.Edit(), VK_DOWN); }, "-0,5"},
        {"wheel down at the minimum", -50,
         [](SpinWindow& w) { PostMessageW(w.Edit(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0); },
         "-50,0"},
        {"wheel up", 10,
         [](SpinWindow& w) { PostMessageW(w.Edit(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0); }, "10,5"},
    };
    for (const Case& c : cases) {
        SpinWindow w;
        w.spin->SetValue(c.start);
        w.Focus();
        w.changes.clear();
        int downs = 0, ups = 0;
        w.spin->OnTopClick = [&ups](TObject*) { ++ups; };
        w.spin->OnBottomClick = [&downs](TObject*) { ++downs; };
        c.step(w);
        Pump();
        EXPECT_EQ(w.spin->Text(), c.text) << c.name;
        EXPECT_EQ(ups + downs, 1) << c.name;
        EXPECT_EQ(w.changes.size(),
                  w.spin->Text() == FormatSpinValue(c.start, {vtFloat, 1, false, ""}) ? 0u : 1u)
            << c.name;
    }
}

TEST(XcSpinEdit, DisplayFormatWhileNotFocused) {
    SpinWindow w;
    w.other->SetFocus();
    w.spin->SetMinValue(0);
    w.spin->SetMaxValue(0);
    EXPECT_FALSE(w.spin->CheckMaxValue());
    w.spin->SetDecimal(2);
    w.spin->SetDisplayFormat(",0.##");
    w.spin->SetValue(1234.5L);
    EXPECT_EQ(w.spin->Text(),
              "1\xA0"
              "234,5");
    w.Focus();
    EXPECT_EQ(w.spin->Text(), "1234,5");
    EXPECT_EQ(static_cast<double>(w.spin->Value()), 1234.5);
    w.other->SetFocus();
    EXPECT_EQ(w.spin->Text(),
              "1\xA0"
              "234,5");
}

TEST(XcSpinEdit, IntegerTypesRoundTheIncrement) {
    SpinWindow w;
    w.spin->SetValue(12.5L);
    w.spin->SetIncrement(2.6L);
    w.spin->SetValueType(vtInteger);
    EXPECT_EQ(w.spin->Increment(), 3);
    EXPECT_EQ(w.spin->Text(), "13") << "12.5 shown as an integer";
}

TEST(XcSpinEdit, LeavingWithAValueBeyondTheLimitsTellsTheUser) {
    AnsweredMessageBoxes boxes;
    SpinWindow w;
    w.spin->SetCheckOptions(coCheckOnExit);
    w.Focus();
    Type(w.Edit(), "75");
    EXPECT_EQ(w.spin->Text(), "75") << "no check while typing";
    w.other->SetFocus();
    Pump();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Value must be between -50 and 50.");
}

TEST(XcSpinEdit, ButtonKinds) {
    SpinWindow w;
    EXPECT_EQ(w.spin->ButtonKind(), bkDiagonal);
    ASSERT_TRUE(w.spin->SpinButton());
    EXPECT_EQ(w.spin->SpinButton()->ButtonStyle(), sbsDefault);
    EXPECT_EQ(w.spin->SpinButton()->Width(), 14) << "15 pixels less one";
    w.spin->SetButtonKind(bkClassic);
    EXPECT_EQ(w.spin->SpinButton()->ButtonStyle(), sbsClassic);
    w.spin->SetButtonKind(bkStandard);
    EXPECT_EQ(w.spin->SpinButton(), nullptr);
    ASSERT_TRUE(w.spin->UpDown());
    w.spin->SetValue(1);
    SendMessageW(w.spin->UpDown()->Handle(), UDM_SETPOS32, 0, 1);
    w.spin->UpDown()->Perform(CN_VSCROLL, SB_THUMBPOSITION, 0);
    EXPECT_EQ(w.spin->Text(), "1,5");
    EXPECT_EQ(w.spin->UpDown()->Position(), 0);
    w.spin->SetShowButton(false);
    EXPECT_EQ(w.spin->UpDown(), nullptr);
}

TEST(XcSpinEdit, TheButtonSitsWhereTheReadingEnds) {
    // A 100-pixel edit with a sunken border: 96 pixels inside, a 15-pixel button.
    const struct {
        TBiDiMode mode;
        TSpinButtonKind kind;
        int buttonLeft, leftMargin, rightMargin;
        LONG_PTR align, rtlReading;
    } cases[] = {
        {bdLeftToRight, bkDiagonal, 81, 0, 17, ES_LEFT, 0},
        {bdLeftToRight, bkStandard, 81, 0, 17, ES_LEFT, 0},
        {bdRightToLeft, bkDiagonal, 0, 16, 0, ES_RIGHT, WS_EX_RTLREADING},
        {bdRightToLeft, bkStandard, 0, 16, 0, ES_RIGHT, WS_EX_RTLREADING},
        {bdRightToLeftReadingOnly, bkDiagonal, 0, 16, 0, ES_LEFT, WS_EX_RTLREADING},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.kind));
        SpinWindow w;
        w.spin->SetButtonKind(c.kind);
        w.spin->SetBiDiMode(c.mode);
        TControl* button =
            w.spin->UpDown() ? static_cast<TControl*>(w.spin->UpDown()) : w.spin->SpinButton()->Parent();
        EXPECT_EQ(button->Left(), c.buttonLeft);
        const LRESULT margins = SendMessageW(w.Edit(), EM_GETMARGINS, 0, 0);
        EXPECT_EQ(LOWORD(margins), c.leftMargin);
        EXPECT_EQ(HIWORD(margins), c.rightMargin);
        EXPECT_EQ(GetWindowLongPtrW(w.Edit(), GWL_STYLE) & (ES_CENTER | ES_RIGHT), c.align);
        EXPECT_EQ(GetWindowLongPtrW(w.Edit(), GWL_EXSTYLE) & WS_EX_RTLREADING, c.rtlReading);
    }
}

// ---- The spin button ------------------------------------------------------------------
struct ButtonWindow {
    explicit ButtonWindow(TXcSpinButtonStyle style, int width = 15, int height = 21)
        : form(Make<TForm>(nullptr)) {
        form->SetBounds(120, 120, 200, 150);
        button = new TXcSpinButton(form.get());
        button->SetButtonStyle(style);
        button->SetBounds(10, 10, width, height);
        button->SetParent(form.get());
        button->OnTopClick = [this](TObject*) { log += 'T'; };
        button->OnBottomClick = [this](TObject*) { log += 'B'; };
        form->Show();
        Pump();
    }
    LPARAM At(int x, int y) { return MAKELPARAM(10 + x, 10 + y); }

    Owned<TForm> form;
    TXcSpinButton* button;
    std::string log;
};

TEST(XcSpinButton, ClicksOnTheDiagonalButtonFollowItsLine) {
    ButtonWindow w(sbsDefault);
    HWND wnd = w.form->Handle();
    const int width = 15, height = 21;
    std::string expected;
    for (int y = 0; y < height; y += 2) {
        for (int x = 0; x < width; x += 2) {
            PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, w.At(x, y));
            PostMessageW(wnd, WM_LBUTTONUP, 0, w.At(x, y));
            expected += y > height - static_cast<double>(height) / width * x ? 'B' : 'T';
        }
    }
    Pump(200);
    EXPECT_EQ(w.log, expected);
}

// The timer a held button repeats by.
TTimer* RepeatTimerOf(TXcSpinButton& button) {
    for (int i = 0; i < button.ComponentCount(); ++i)
        if (auto* timer = dynamic_cast<TTimer*>(button.Components(i))) return timer;
    return nullptr;
}

TEST(XcSpinButton, HoldingRepeatsUntilReleased) {
    ButtonWindow w(sbsDefault);
    HWND wnd = w.form->Handle();
    // Sent, not posted, and the ticks fired by hand: no message loop runs,
    // so the real timer never ticks and no clock decides the outcome.
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, w.At(2, 2));
    EXPECT_EQ(w.log, "T") << "one step at once";
    EXPECT_EQ(w.button->Pressed(), shTop);
    TTimer* timer = RepeatTimerOf(*w.button);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 400u) << "the first repeat";
    for (const char* log : {"TT", "TTT", "TTTT"}) {
        timer->OnTimer()(timer);
        EXPECT_EQ(w.log, log);
        EXPECT_EQ(timer->Interval(), 100u) << "every repeat after the first";
        EXPECT_TRUE(timer->Enabled());
    }
    SendMessageW(wnd, WM_LBUTTONUP, 0, w.At(2, 2));
    EXPECT_FALSE(timer->Enabled()) << "release stops it";
    EXPECT_EQ(w.button->Pressed(), shNone);
    EXPECT_EQ(w.log, "TTTT");
}

// The topmost row of the top half with a black (arrow) pixel.
int ArrowTop(HWND wnd, int x0, int y0, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (PixelOf(wnd, x0 + x, y0 + y) == RGB(0, 0, 0)) return y;
    return -1;
}

TEST(XcSpinButton, ClassicPicturesAtRestAndWithTheTopPressed) {
    TUnthemed unthemed;
    const ThemeServicesScope scope(unthemed);
    ButtonWindow w(sbsClassic, 20, 20);
    HWND wnd = w.form->Handle();
    const COLORREF highlight = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(cl3DDkShadow);
    EXPECT_EQ(PixelOf(wnd, 10, 10), highlight) << "the top box is raised";
    EXPECT_EQ(PixelOf(wnd, 10, 20), highlight) << "the bottom box starts at the middle";
    EXPECT_EQ(PixelOf(wnd, 29, 29), shadow);
    const int restingArrow = ArrowTop(wnd, 10, 10, 20, 10);
    ASSERT_GE(restingArrow, 0);
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, w.At(10, 3));
    Pump();
    w.form->Repaint();
    EXPECT_EQ(w.button->Pressed(), shTop);
    EXPECT_NE(PixelOf(wnd, 10, 10), highlight) << "the top box is sunken";
    EXPECT_EQ(PixelOf(wnd, 10, 20), highlight) << "the bottom box stays raised";
    EXPECT_EQ(ArrowTop(wnd, 10, 10, 20, 10), restingArrow + 1) << "the arrow one pixel lower";
    PostMessageW(wnd, WM_LBUTTONUP, 0, w.At(10, 3));
    Pump();
}

TEST(XcSpinButton, PicturesAreSharedBySizeAndStyle) {
    EXPECT_EQ(SpinImageSetCount(), 0);
    {
        ButtonWindow a(sbsDefault), b(sbsDefault), c(sbsClassic);
        a.form->Repaint();
        b.form->Repaint();
        c.form->Repaint();
        EXPECT_EQ(SpinImageSetCount(), 2);
        b.button->SetBounds(10, 10, 30, 30);
        b.form->Repaint();
        EXPECT_EQ(SpinImageSetCount(), 3);
    }
    EXPECT_EQ(SpinImageSetCount(), 0) << "freed with the last button";
}

}  // namespace

namespace cltest {
namespace {

template <TSpinButtonKind Kind>
ControlFactory SpinEditOfKind(std::string name) {
    return {std::move(name), [](cl::TComponent* owner, cl::TWinControl* host) -> cl::TControl* {
                auto* spin = new TXcSpinEdit(owner);
                spin->SetBounds(8, 8, 120, 21);
                spin->SetButtonKind(Kind);
                spin->SetParent(host);
                return spin;
            }};
}

INSTANTIATE_TEST_SUITE_P(Spins, ControlDestruction,
                         ::testing::Values(SpinEditOfKind<bkDiagonal>("TXcSpinEditDiagonal"),
                                           SpinEditOfKind<bkClassic>("TXcSpinEditClassic"),
                                           SpinEditOfKind<bkStandard>("TXcSpinEditStandard"),
                                           ControlOf<TXcSpinButton>("TXcSpinButton"),
                                           ControlOf<TXcUpDown>("TXcUpDown")),
                         ControlName);

}  // namespace
}  // namespace cltest
