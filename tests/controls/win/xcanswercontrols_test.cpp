// The answer controls in a test window: check boxes and radio buttons
// enabling their linked controls, sizing to their captions, staying as they
// are when read-only (clicks, Space, Tab), radio groups' frames with the
// theme services on and off and their item hints, the group box's
// painting; and every new control through the shared destruction test.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "classlib/win/Forms.h"
#include "controls/win/XcBevel.h"
#include "controls/win/XcCheckBox.h"
#include "controls/win/XcGroupBox.h"
#include "controls/win/XcPanel.h"
#include "controls/win/XcRadioButton.h"
#include "controls/win/XcRadioGroup.h"
#include "controls/win/XcScrollBox.h"
#include "controls/win/XcSplit.h"
#include "controls/win/XcStaticText.h"
#include "controls/win/XcTextListBox.h"
#include "controls/win/XcThemeServices.h"
#include "frameworks/data/XcExceptions.h"
#include "tests/controls/win/PinnedThemes.h"
#include "tests/support/ControlDestruction.h"
#include "tests/win/FormsTestSupport.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct AnswerWindow {
    AnswerWindow() : form(Make<TForm>(nullptr)) {
        form->SetBounds(60, 60, 420, 300);
        edit = new TTestEdit(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(8, 8, 100, 21);
    }
    template <class T>
    T* Add(int left, int top, const std::string& caption) {
        auto* c = new T(form.get());
        c->SetParent(form.get());
        c->SetBounds(left, top, c->Width(), c->Height());
        c->SetCaption(caption);
        return c;
    }
    void Show() {
        form->Show();
        Pump();
    }
    Owned<TForm> form;
    TTestEdit* edit;
};

// ---- Linked controls ---------------------------------------------------------------
TEST(LinkedControls, FollowTheButtonsCheckedAndEnabled) {
    AnswerWindow w;
    auto* box = w.Add<TXcCheckBox>(8, 40, "&Bilans");
    TXcLinkedControl* link = box->LinkedControls()->Add();
    link->SetControl(w.edit);
    const struct {
        const char* step;
        std::function<void()> act;
        bool editEnabled;
    } steps[] = {
        {"linked unchecked", [] {}, false},
        {"checked", [&] { box->SetChecked(true); }, true},
        {"disabled", [&] { box->SetEnabled(false); }, false},
        {"checked inverted", [&] { link->SetOptions(loLinkChecked | loInvertChecked); }, false},
        {"unchecked inverted", [&] { box->SetChecked(false); }, true},
        {"neither linked", [&] { link->SetOptions(0); }, false},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.act();
        EXPECT_EQ(w.edit->Enabled(), s.editEnabled);
    }
}

TEST(LinkedControls, OwnerIsRefusedAndTheLinkedControlGetsItsEnabledBack) {
    AnswerWindow w;
    auto* radio = w.Add<TXcRadioButton>(8, 40, "tak");
    TXcLinkedControl* link = radio->LinkedControls()->Add();
    link->SetControl(w.edit);
    EXPECT_FALSE(w.edit->Enabled());
    try {
        link->SetControl(radio);
        ADD_FAILURE() << "linked to its owner";
    } catch (const EXCLException& e) {
        EXPECT_EQ(e.Message(), "Cannot link to owner control");
    }
    EXPECT_EQ(link->Control(), w.edit);
    radio->LinkedControls()->Delete(0);
    EXPECT_TRUE(w.edit->Enabled());
}

TEST(LinkedControls, ALinkedControlThatGoesIsForgotten) {
    AnswerWindow w;
    auto* box = w.Add<TXcCheckBox>(8, 40, "x");
    auto* other = new TTestEdit(w.form.get());
    other->SetParent(w.form.get());
    box->LinkedControls()->Add()->SetControl(other);
    other->Free();
    EXPECT_EQ(box->LinkedControls()->Items(0)->Control(), nullptr);
    box->SetChecked(true);  // would reach the control that went
    EXPECT_TRUE(box->Enabled());
}

// ---- AutoSize ----------------------------------------------------------------------
// The text worked by hand: "Courier New" (Liberation Mono here) at a
// 20-pixel em advances 0.6 em, 12 pixels, a letter, and its line is
// 17 + 6 = 23 pixels high (ascent 1705 and descent 615 of 2048 units,
// rounded).  The glyph is one of the system's twelve check-box pictures
// (13 by 13 on Windows, 14 by 13 on Wine).  So "abcde" fits 60 pixels, the
// glyph and 8 more, 23 high; no caption fits the glyph, 4 pixels higher.
template <class T>
void ExpectFitsItsCaption() {
    BITMAP pictures{};
    HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32759));  // OBM_CHECKBOXES
    GetObjectW(bitmap, sizeof pictures, &pictures);
    DeleteObject(bitmap);
    const int glyphWidth = pictures.bmWidth / 4, glyphHeight = pictures.bmHeight / 3;
    ASSERT_GE(glyphWidth, 13);

    AnswerWindow w;
    auto* button = w.Add<T>(8, 40, "");
    button->Font()->SetName("Courier New");
    button->Font()->SetHeight(-20);
    EXPECT_EQ(button->ClientWidth(), glyphWidth);
    EXPECT_EQ(button->ClientHeight(), glyphHeight + 4);

    button->SetCaption("abcde");
    EXPECT_EQ(button->ClientWidth(), 60 + glyphWidth + 8);
    EXPECT_EQ(button->ClientHeight(), 23);
    button->SetCaption("abcdefghij");
    EXPECT_EQ(button->ClientWidth(), 120 + glyphWidth + 8);

    button->SetWordWrap(true);
    EXPECT_FALSE(button->AutoSize());
    button->SetAutoSize(true);
    EXPECT_FALSE(button->WordWrap());
}

TEST(AutoSize, CheckBoxFitsItsCaption) {
    ExpectFitsItsCaption<TXcCheckBox>();
}

TEST(AutoSize, RadioButtonFitsItsCaption) {
    ExpectFitsItsCaption<TXcRadioButton>();
}

TEST(AutoSize, TextPlacementMakesTheWindowsStyle) {
    AnswerWindow w;
    auto* box = w.Add<TXcCheckBox>(8, 40, "x");
    w.Show();
    auto style = [&] { return GetWindowLongW(box->Handle(), GWL_STYLE); };
    EXPECT_EQ(style() & (BS_CENTER | BS_VCENTER | BS_LEFTTEXT | BS_MULTILINE), BS_LEFT | BS_VCENTER);
    box->SetAlignment(taCenter);
    box->SetLayout(tlTop);
    box->SetLeftText(true);
    box->SetWordWrap(true);
    EXPECT_EQ(style() & (BS_CENTER | BS_VCENTER | BS_LEFTTEXT | BS_MULTILINE),
              BS_CENTER | BS_TOP | BS_LEFTTEXT | BS_MULTILINE);
}

// ---- Read-only ---------------------------------------------------------------------
enum class Input { Click, TwoClicks, Space, TabInto };

void Give(TWinControl* control, TTestEdit* before, Input input) {
    HWND wnd = control->Handle();
    const int x = control->Width() / 2, y = control->Height() / 2;
    switch (input) {
        case Input::Click:
            PostClick(wnd, x, y);
            break;
        case Input::TwoClicks:
            PostClick(wnd, x, y);
            Pump();
            PostClick(wnd, x, y);
            break;
        case Input::Space:
            control->SetFocus();
            Pump();
            PostKey(wnd, VK_SPACE);
            break;
        case Input::TabInto:
            before->SetFocus();
            Pump();
            PostKey(before->Handle(), VK_TAB);
            break;
    }
    Pump(100);
}

TEST(ReadOnly, ButtonsKeepTheirStateAgainstTheUser) {
    const struct {
        const char* name;
        bool radio;
        bool readOnly;
        Input input;
        bool checked;
    } cases[] = {
        {"check box, click", false, false, Input::Click, true},
        {"read-only check box, click", false, true, Input::Click, false},
        {"read-only check box, two clicks", false, true, Input::TwoClicks, false},
        {"read-only check box, Space", false, true, Input::Space, false},
        {"read-only check box, Tab into it", false, true, Input::TabInto, false},
        {"radio button, click", true, false, Input::Click, true},
        // Alone, it is a group without an answer: the focus answers nothing.
        {"radio button, Tab into it", true, false, Input::TabInto, false},
        {"radio button, Space", true, false, Input::Space, true},
        {"read-only radio button, click", true, true, Input::Click, false},
        {"read-only radio button, two clicks", true, true, Input::TwoClicks, false},
        {"read-only radio button, Space", true, true, Input::Space, false},
        {"read-only radio button, Tab into it", true, true, Input::TabInto, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnswerWindow w;
        TButtonControl* button;
        if (c.radio) {
            auto* radio = w.Add<TXcRadioButton>(8, 40, "&nie podlega badaniu");
            radio->SetReadOnly(c.readOnly);
            // A radio button is a tab stop only while checked.
            radio->SetTabStop(true);
            button = radio;
        } else {
            auto* box = w.Add<TXcCheckBox>(8, 40, "Bilans");
            box->SetReadOnly(c.readOnly);
            box->SetTabStop(true);
            button = box;
        }
        w.Show();
        Give(button, w.edit, c.input);
        EXPECT_EQ(button->Checked(), c.checked);
        if (c.input == Input::TabInto) {
            EXPECT_TRUE(button->Focused()) << "Tab still reaches it";
        }
    }
}

TEST(ReadOnly, TheProgramStillSetsAReadOnlyButton) {
    AnswerWindow w;
    auto* radio = w.Add<TXcRadioButton>(8, 40, "tak");
    radio->SetReadOnly(true);
    w.Show();
    radio->SetChecked(true);
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(SendMessageW(radio->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(ReadOnly, RadioGroupRefusesTheUsersChoice) {
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "writable");
        AnswerWindow w;
        auto* group = new TXcRadioGroup(w.form.get());
        group->SetParent(w.form.get());
        group->SetBounds(8, 40, 300, 80);
        group->Items()->Add("wariant kalkulacyjny");
        group->Items()->Add("wariant porównawczy");
        group->SetItemIndex(0);
        group->SetReadOnly(readOnly);
        w.Show();
        TRadioButton* second = group->Buttons(1);
        PostClick(second->Handle(), 10, second->Height() / 2);
        Pump(100);
        EXPECT_EQ(group->ItemIndex(), readOnly ? 0 : 1);
        group->SetItemIndex(1);
        EXPECT_EQ(group->ItemIndex(), 1) << "the program still chooses";
    }
}

// ---- Frames ------------------------------------------------------------------------
// The control painted into a white bitmap of its size.
template <class T>
void PaintInto(T* control, gfxtest::Surface& surface) {
    SendMessageW(control->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Canvas().Handle()),
                 PRF_CLIENT);
}

TEST(RadioGroupFrame, DrawsOnlyTheChosenSidesWithThemesOnAndOff) {
    constexpr cl::TEdgeBorders all = kAllEdgeBorders;
    const struct {
        const char* name;
        bool themes;
        cl::TEdgeBorders borders;
        bool left, top, right, bottom;
    } cases[] = {
        {"classic, all four", false, all, true, true, true, true},
        {"classic, none", false, 0, false, false, false, false},
        {"classic, top only", false, ebTop, false, true, false, false},
        {"themed, all four", true, all, true, true, true, true},
        {"themed, none", true, 0, false, false, false, false},
        {"themed, top only", true, ebTop, false, true, false, false},
        {"themed, left and bottom", true, ebLeft | ebBottom, true, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PinnedThemes themes(c.themes);
        const ThemeServicesScope pinned(themes);
        AnswerWindow w;
        auto* group = new TXcRadioGroup(w.form.get());
        group->SetParent(w.form.get());
        group->SetBounds(8, 40, 200, 100);
        group->SetColor(clWhite);
        group->SetEdgeBorders(c.borders);
        w.Show();
        gfxtest::Surface surface(200, 100);
        PaintInto(group, surface);
        const int middle = 50;
        EXPECT_EQ(surface.Ink(Rect(0, middle - 20, 3, middle + 20)) > 0, c.left);
        EXPECT_EQ(surface.Ink(Rect(197, middle - 20, 200, middle + 20)) > 0, c.right);
        EXPECT_EQ(surface.Ink(Rect(60, 97, 140, 100)) > 0, c.bottom);
        EXPECT_EQ(surface.Ink(Rect(60, 0, 140, 15)) > 0, c.top);
        if (c.borders == 0) {
            EXPECT_EQ(surface.Ink(Rect(0, 0, 200, 100)), 0) << "no frame at all";
        }
    }
}

// A group box "Wydruk" on white, painted without themes.
struct ClassicGroupBox {
    ClassicGroupBox() : box(new TXcGroupBox(w.form.get())) {
        box->SetParent(w.form.get());
        box->SetBounds(8, 40, 200, 100);
        box->SetColor(clWhite);
        box->SetCaption("Wydruk");
        w.Show();
    }
    PinnedThemes themes{false};
    ThemeServicesScope pinned{themes};
    AnswerWindow w;
    TXcGroupBox* box;
};

TEST(GroupBoxFrame, ClassicFrameIsEtchedAndADisabledCaptionEmbossed) {
    ClassicGroupBox g;
    TXcGroupBox* box = g.box;
    gfxtest::Surface surface(200, 100);
    PaintInto(box, surface);
    const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    EXPECT_EQ(surface.At(0, 60), shadow);
    EXPECT_EQ(surface.At(1, 60), highlight);
    EXPECT_EQ(surface.At(198, 60), shadow);
    EXPECT_EQ(surface.At(199, 60), highlight);

    box->SetEnabled(false);
    gfxtest::Surface disabled(200, 100);
    PaintInto(box, disabled);
    int shadowInk = 0, highlightInk = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 8; x < 60; ++x) {
            shadowInk += disabled.At(x, y) == shadow;
            highlightInk += disabled.At(x, y) == highlight;
        }
    EXPECT_GT(shadowInk, 10);
    EXPECT_GT(highlightInk, 10) << "the caption's light copy one pixel down and right";
}

TEST(ClassicFrames, RightToLeftTheCaptionSitsAtTheRightEnd) {
    ClassicGroupBox g;
    auto* group = new TXcRadioGroup(g.w.form.get());
    group->SetParent(g.w.form.get());
    group->SetBounds(8, 150, 200, 100);
    group->SetColor(clWhite);
    group->SetCaption("Zakres");
    for (TWinControl* box : {static_cast<TWinControl*>(g.box), static_cast<TWinControl*>(group)}) {
        for (bool rtl : {false, true}) {
            SCOPED_TRACE(box->ClassName() + (rtl ? ", right to left" : ", left to right"));
            box->SetBiDiMode(rtl ? bdRightToLeft : bdLeftToRight);
            gfxtest::Surface surface(200, 100);
            PaintInto(box, surface);
            // The black caption: in the left half, or in the right one.
            int left = 0, right = 0;
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 200; ++x)
                    if (surface.At(x, y) == clBlack) ++(x < 100 ? left : right);
            EXPECT_EQ(left > 0, !rtl);
            EXPECT_EQ(right > 0, rtl);
        }
    }
}

// Ctl3D set on the control, or followed from its parent, makes the frames
// flat; the splitter is flat from the start and follows no parent.
TEST(ClassicFrames, Ctl3DFromThePropertyOrFromTheParentMakesThemFlat) {
    PinnedThemes themes(false);
    const ThemeServicesScope pinned(themes);
    for (const bool fromParent : {false, true}) {
        SCOPED_TRACE(fromParent ? "from the parent" : "the property");
        AnswerWindow w;
        auto* box = w.Add<TXcGroupBox>(8, 40, "Wydruk");
        box->SetBounds(8, 40, 200, 100);
        auto* group = w.Add<TXcRadioGroup>(8, 150, "");
        group->SetBounds(8, 150, 200, 100);
        auto* scroll = w.Add<TXcScrollBox>(220, 40, "");
        auto* splitter = w.Add<TXcxSplitter>(220, 150, "");
        for (TControl* c : {static_cast<TControl*>(box), static_cast<TControl*>(group)}) c->SetColor(clWhite);
        w.Show();
        const TColor shadow = ColorToRGB(clBtnShadow), frame = ColorToRGB(clWindowFrame);
        const auto look = [&] {
            std::string seen;
            for (TWinControl* c : {static_cast<TWinControl*>(box), static_cast<TWinControl*>(group)}) {
                gfxtest::Surface surface(200, 100);
                PaintInto(c, surface);
                const TColor edge = surface.At(0, 60);
                seen += edge == shadow ? "3D " : edge == frame ? "flat " : "? ";
            }
            const LONG style = GetWindowLongW(scroll->Handle(), GWL_STYLE);
            const LONG exStyle = GetWindowLongW(scroll->Handle(), GWL_EXSTYLE);
            seen += (exStyle & WS_EX_CLIENTEDGE) && !(style & WS_BORDER)   ? "3D"
                    : (style & WS_BORDER) && !(exStyle & WS_EX_CLIENTEDGE) ? "flat"
                                                                           : "?";
            return seen;
        };
        EXPECT_EQ(look(), "3D 3D 3D");
        if (fromParent) {
            w.form->SetCtl3D(false);
        } else {
            for (TObject* c :
                 {static_cast<TObject*>(box), static_cast<TObject*>(group), static_cast<TObject*>(scroll)})
                SetEnumProp(*c, "Ctl3D", "False");
        }
        EXPECT_EQ(look(), "flat flat flat");
        w.form->SetCtl3D(true);
        EXPECT_EQ(look(), fromParent ? "3D 3D 3D" : "flat flat flat");
        EXPECT_FALSE(splitter->Ctl3D());
        EXPECT_FALSE(splitter->ParentCtl3D());
    }
}

TEST(GroupBox, PropagatesItsEnabledAndReportsItsAccelerator) {
    AnswerWindow w;
    auto* box = new TXcGroupBox(w.form.get());
    box->SetParent(w.form.get());
    box->SetBounds(8, 40, 200, 100);
    box->SetCaption("&Zakres");
    auto* inside = new TTestEdit(w.form.get());
    inside->SetParent(box);
    inside->SetEnabled(false);
    box->SetPropagateEnable(false);
    EXPECT_TRUE(inside->Enabled()) << "setting it copies the box's Enabled once";
    box->SetEnabled(false);
    EXPECT_TRUE(inside->Enabled());
    box->SetPropagateEnable(true);
    box->SetEnabled(true);
    box->SetEnabled(false);
    EXPECT_FALSE(inside->Enabled());
    box->SetEnabled(true);

    int hotKeys = 0;
    box->OnHotKey = [&](TObject*) { ++hotKeys; };
    w.Show();
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'z', 0), 1);
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'q', 0), 0);
    EXPECT_EQ(hotKeys, 1);
    EXPECT_TRUE(inside->Focused());
}

// ---- Item hints --------------------------------------------------------------------
TEST(RadioGroupHints, NameTheItemUnderThePointer) {
    AnswerWindow w;
    auto* group = new TXcRadioGroup(w.form.get());
    group->SetParent(w.form.get());
    group->SetBounds(8, 40, 200, 100);
    group->SetHint("grupa");
    group->SetColumns(2);
    for (const char* item : {"a", "b", "c", "d", "e"}) group->Items()->Add(item);
    group->OnItemHint = [](TObject*, int index, std::string& hint) { hint += ":" + std::to_string(index); };
    const struct {
        const char* name;
        int width;
        TPoint cursor;
        const char* hint;
        TRect rect;
    } cases[] = {
        // 3 rows of 33 pixels, 2 columns of 100.
        {"first column", 200, Point(10, 40), "grupa:1", Rect(0, 33, 100, 66)},
        {"second column", 200, Point(150, 10), "grupa:3", Rect(100, 0, 200, 33)},
        {"no item there", 200, Point(150, 80), "grupa", Rect(0, 0, 200, 100)},
        {"bottom strip stays in its column", 200, Point(10, 99), "grupa:2", Rect(0, 66, 100, 99)},
        {"narrower than its columns", 1, Point(0, 10), "grupa", Rect(0, 0, 1, 100)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        group->SetWidth(c.width);
        THintInfo info;
        info.HintControl = group;
        info.CursorPos = c.cursor;
        group->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.HintStr, c.hint);
        EXPECT_TRUE(EqualRect(&info.CursorRect, &c.rect))
            << info.CursorRect.left << "," << info.CursorRect.top << "," << info.CursorRect.right << ","
            << info.CursorRect.bottom;
    }
}

}  // namespace

namespace cltest {
INSTANTIATE_TEST_SUITE_P(
    AnswerControls, ControlDestruction,
    ::testing::Values(ControlOf<TXcCheckBox>("TXcCheckBox"), ControlOf<TXcRadioButton>("TXcRadioButton"),
                      ControlOf<TXcRadioGroup>("TXcRadioGroup"), ControlOf<TXcGroupBox>("TXcGroupBox"),
                      ControlOf<TXcBevel>("TXcBevel"), ControlOf<TXcPanel>("TXcPanel"),
                      ControlOf<TXcxSplitter>("TXcxSplitter"), ControlOf<TXcScrollBox>("TXcScrollBox"),
                      ControlOf<TXcStaticText>("TXcStaticText"), ControlOf<TXcTextListBox>("TXcTextListBox")),
    ControlName);
}  // namespace cltest
