// Buttons: default and cancel buttons of a modal form on Enter and Esc,
// modal results, check boxes and radio buttons set from code and clicked,
// radio groups, and bit buttons with their kinds and glyphs.
#include "classlib/win/Buttons.h"

#include <gtest/gtest.h>

#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// Ends a modal run that nothing else ends, so a failing test cannot hang.
TCustomForm* g_modalForm = nullptr;
void CALLBACK EndModalRun(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_modalForm) g_modalForm->SetModalResult(mrAbort);
}

TEST(Button, EnterAndEscPressTheDefaultAndCancelButtonsOfAModalForm) {
    struct Case {
        const char* what;
        WORD key;
        bool focusRetry;
        TModalResult expected;
    };
    const Case cases[] = {
        {"Enter in an edit", VK_RETURN, false, mrOk},
        {"Esc in an edit", VK_ESCAPE, false, mrCancel},
        {"Enter on another button", VK_RETURN, true, mrRetry},
        {"Esc on another button", VK_ESCAPE, true, mrCancel},
    };
    for (const Case& c : cases) {
        std::vector<std::string> clicked;
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* edit = new TEdit(form.get());
        edit->SetParent(form.get());
        auto makeButton = [&](const char* name, TModalResult result) {
            auto* b = new TButton(form.get());
            b->SetName(name);
            b->SetModalResult(result);
            b->SetTop(40);
            b->SetParent(form.get());
            b->OnClick = [&clicked, name](TObject*) { clicked.push_back(name); };
            return b;
        };
        TButton* ok = makeButton("Ok", mrOk);
        TButton* cancel = makeButton("Cancel", mrCancel);
        TButton* retry = makeButton("Retry", mrRetry);
        ok->SetDefault(true);
        cancel->SetCancel(true);
        TWinControl* target = c.focusRetry ? static_cast<TWinControl*>(retry) : edit;
        form->SetActiveControl(target);
        PostMessageW(target->Handle(), WM_KEYDOWN, c.key, KeyData(c.key, false));
        g_modalForm = form.get();
        SetTimer(nullptr, 0, 3000, EndModalRun);
        EXPECT_EQ(form->ShowModal(), c.expected) << c.what;
        g_modalForm = nullptr;
        ASSERT_EQ(clicked.size(), 1u) << c.what;
        EXPECT_EQ(form->FindComponent(clicked[0]), c.expected == mrOk       ? static_cast<TComponent*>(ok)
                                                   : c.expected == mrCancel ? static_cast<TComponent*>(cancel)
                                                                            : retry)
            << c.what;
    }
}

TEST(Button, ClickHandsItsModalResultToTheForm) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetModalResult(mrYes);
    form->Show();
    PostClick(button->Handle(), 10, 10);
    Pump();
    EXPECT_EQ(form->ModalResult(), mrYes);
}

TEST(Button, DefaultButtonLooksDefaultUntilAnotherButtonHasTheFocus) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    auto* ok = new TButton(form.get());
    ok->SetParent(form.get());
    ok->SetTop(40);
    auto* other = new TButton(form.get());
    other->SetParent(form.get());
    other->SetTop(80);
    form->Show();
    ok->SetDefault(true);
    edit->SetFocus();
    Pump();
    auto kind = [](TButton* b) { return GetWindowLongW(b->Handle(), GWL_STYLE) & BS_TYPEMASK; };
    EXPECT_EQ(kind(ok), BS_DEFPUSHBUTTON);
    other->SetFocus();
    Pump();
    EXPECT_EQ(kind(ok), BS_PUSHBUTTON);
    EXPECT_EQ(kind(other), BS_DEFPUSHBUTTON);
}

// ---- Check box and radio button ---------------------------------------------
TEST(CheckBox, StateFromCodeFiresOnClickOnlyWhenItChanges) {
    struct Case {
        TCheckBoxState initial;
        std::function<void(TCheckBox*)> set;
        int clicks;
        LRESULT windowState;
    };
    const Case cases[] = {
        {cbUnchecked, [](TCheckBox* b) { b->SetChecked(true); }, 1, BST_CHECKED},
        {cbChecked, [](TCheckBox* b) { b->SetChecked(true); }, 0, BST_CHECKED},
        {cbChecked, [](TCheckBox* b) { b->SetChecked(false); }, 1, BST_UNCHECKED},
        {cbUnchecked, [](TCheckBox* b) { b->SetState(cbGrayed); }, 1, BST_INDETERMINATE},
        {cbGrayed, [](TCheckBox* b) { b->SetChecked(false); }, 1, BST_UNCHECKED},
    };
    for (const Case& c : cases) {
        int clicks = 0;
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* box = new TCheckBox(form.get());
        box->SetParent(form.get());
        box->SetState(c.initial);
        box->OnClick = [&](TObject*) { ++clicks; };
        c.set(box);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), c.windowState);
    }
}

TEST(CheckBox, ClicksStepThroughTheStates) {
    struct Case {
        bool allowGrayed;
        std::vector<TCheckBoxState> states;
    };
    const Case cases[] = {
        {false, {cbChecked, cbUnchecked, cbChecked}},
        {true, {cbGrayed, cbChecked, cbUnchecked}},
    };
    for (const Case& c : cases) {
        int clicks = 0;
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* box = new TCheckBox(form.get());
        box->SetParent(form.get());
        box->SetAllowGrayed(c.allowGrayed);
        box->OnClick = [&](TObject*) { ++clicks; };
        form->Show();
        Pump();
        std::vector<TCheckBoxState> seen;
        for (size_t i = 0; i < c.states.size(); ++i) {
            PostClick(box->Handle(), 6, 8);
            Pump();
            seen.push_back(box->State());
        }
        EXPECT_EQ(seen, c.states) << c.allowGrayed;
        EXPECT_EQ(clicks, 3);
    }
}

TEST(CheckBox, KeepsItsStateAcrossWindowRecreation) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* box = new TCheckBox(form.get());
    box->SetParent(form.get());
    box->SetChecked(true);
    box->SetAlignment(taLeftJustify);
    EXPECT_TRUE(GetWindowLongW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(RadioButton, CheckingOneUnchecksItsSiblingsOnly) {
    std::vector<std::string> clicks;
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* box = new TGroupBox(form.get());
    box->SetParent(form.get());
    box->SetLeft(200);
    std::vector<TRadioButton*> radios;
    for (int i = 0; i < 4; ++i) {
        auto* r = new TRadioButton(form.get());
        r->SetName("R" + std::to_string(i));
        r->SetTop(20 * i);
        r->SetParent(i < 3 ? static_cast<TWinControl*>(form.get()) : box);
        r->OnClick = [&clicks, r](TObject*) { clicks.push_back(r->Name()); };
        radios.push_back(r);
    }
    radios[3]->SetChecked(true);
    radios[0]->SetChecked(true);
    radios[1]->SetChecked(true);
    auto states = [&] {
        std::string s;
        for (TRadioButton* r : radios) {
            EXPECT_EQ(r->Checked(), SendMessageW(r->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED);
            EXPECT_EQ(r->Checked(), r->TabStop());
            s += r->Checked() ? '1' : '0';
        }
        return s;
    };
    EXPECT_EQ(states(), "0101");
    EXPECT_EQ(clicks, (std::vector<std::string>{"R3", "R0", "R1"}));
    form->Show();
    Pump();
    PostClick(radios[2]->Handle(), 6, 8);
    Pump();
    EXPECT_EQ(states(), "0011");
    EXPECT_EQ(clicks.back(), "R2");
    radios[2]->SetChecked(false);
    EXPECT_EQ(states(), "0001");
    EXPECT_EQ(clicks.size(), 4u);
}

TEST(RadioButton, ArrowKeysMoveTheCheckToTheNextSibling) {
    int clicks = 0;
    Owned<TForm> form = Make<TForm>(nullptr);
    std::vector<TRadioButton*> radios;
    for (int i = 0; i < 3; ++i) {
        auto* r = new TRadioButton(form.get());
        r->SetTop(20 * i);
        r->SetParent(form.get());
        r->OnClick = [&](TObject*) { ++clicks; };
        radios.push_back(r);
    }
    radios[0]->SetChecked(true);
    form->Show();
    radios[0]->SetFocus();
    Pump();
    // The window reports a click when it gets the focus unchecked.
    PostKey(radios[0]->Handle(), VK_DOWN);
    Pump();
    EXPECT_TRUE(radios[1]->Focused());
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_FALSE(radios[0]->Checked());
    EXPECT_EQ(clicks, 2);
}

// ---- Radio group ---------------------------------------------------------------
template <class G = TRadioGroup>
struct RadioGroupForm {
    int clicks = 0;
    Owned<TForm> form = Make<TForm>(nullptr);
    G* group = new G(form.get());

    RadioGroupForm() {
        group->SetParent(form.get());
        group->SetCaption("Wariant");
        group->SetBounds(10, 10, 200, 120);
        group->Items()->Add("kalkulacyjny");
        group->Items()->Add("por\xF3wnawczy");
        group->Items()->Add("trzeci");
        group->OnClick = [this](TObject*) { ++clicks; };
    }
};

TEST(RadioGroup, ItemIndexFromCodeChecksTheButtonAndFiresOnClick) {
    struct Step {
        int set;
        int itemIndex;
        int clicks;
    };
    const Step steps[] = {{1, 1, 1}, {1, 1, 1}, {2, 2, 2}, {-1, -1, 2}, {7, 2, 3}, {-5, -1, 3}};
    RadioGroupForm<> f;
    for (const Step& s : steps) {
        f.group->SetItemIndex(s.set);
        EXPECT_EQ(f.group->ItemIndex(), s.itemIndex) << s.set;
        EXPECT_EQ(f.clicks, s.clicks) << s.set;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(f.group->Buttons(i)->Checked(), i == s.itemIndex) << s.set;
    }
}

TEST(RadioGroup, UserClickChoosesTheItem) {
    RadioGroupForm<> f;
    f.form->Show();
    Pump();
    TRadioButton* second = f.group->Buttons(1);
    EXPECT_EQ(second->Caption(), "por\xF3wnawczy");
    PostClick(second->Handle(), 6, second->Height() / 2);
    Pump();
    EXPECT_EQ(f.group->ItemIndex(), 1);
    EXPECT_EQ(f.clicks, 1);
}

class TLockedRadioGroup : public TRadioGroup {
public:
    using TRadioGroup::TRadioGroup;

protected:
    bool CanModify() override { return false; }
};

TEST(RadioGroup, RefusedChangeKeepsTheItem) {
    RadioGroupForm<TLockedRadioGroup> f;
    f.form->Show();
    Pump();
    PostClick(f.group->Buttons(2)->Handle(), 6, 8);
    Pump();
    EXPECT_EQ(f.group->ItemIndex(), -1);
    EXPECT_EQ(f.clicks, 0);
}

TEST(RadioGroup, ButtonsFollowItemsAndColumns) {
    RadioGroupForm<> f;
    f.group->SetItemIndex(2);
    f.group->Items()->Add("czwarty");
    f.group->SetColumns(2);
    // Two per column, each column (200 - 10) / 2 wide.
    const int lefts[] = {8, 8, 103, 103};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.group->Buttons(i)->Left(), lefts[i]) << i;
        EXPECT_EQ(f.group->Buttons(i)->Width(), 95) << i;
    }
    EXPECT_EQ(f.group->Buttons(1)->Top(), f.group->Buttons(3)->Top());
    f.group->Items()->Delete(3);
    f.group->Items()->Delete(2);
    EXPECT_EQ(f.group->ItemIndex(), 1);
    EXPECT_THROW(f.group->Buttons(2), EListError);
    EXPECT_EQ(f.clicks, 1);
}

// ---- Bit button -------------------------------------------------------------------
TEST(BitBtn, KindSetsCaptionModalResultDefaultAndCancel) {
    struct Case {
        TBitBtnKind kind;
        const char* caption;
        TModalResult result;
        bool isDefault, isCancel;
    };
    const Case cases[] = {
        {bkOK, "OK", mrOk, true, false},
        {bkCancel, "Cancel", mrCancel, false, true},
        {bkYes, "&Yes", mrYes, true, false},
        {bkNo, "&No", mrNo, false, true},
        {bkAbort, "Abort", mrAbort, false, false},
        {bkRetry, "&Retry", mrRetry, false, false},
        {bkIgnore, "&Ignore", mrIgnore, false, false},
        {bkAll, "&All", mrAll, false, false},
        {bkClose, "&Close", mrNone, false, false},
        {bkHelp, "&Help", mrNone, false, false},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* b = new TBitBtn(form.get());
        b->SetKind(c.kind);
        EXPECT_EQ(b->Caption(), c.caption);
        EXPECT_EQ(b->ModalResult(), c.result) << c.caption;
        EXPECT_EQ(b->Default(), c.isDefault) << c.caption;
        EXPECT_EQ(b->Cancel(), c.isCancel) << c.caption;
    }
}

TEST(BitBtn, CloseKindClosesTheForm) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* b = new TBitBtn(form.get());
    b->SetParent(form.get());
    b->SetKind(bkClose);
    form->Show();
    Pump();
    PostClick(b->Handle(), 10, 10);
    Pump();
    EXPECT_FALSE(form->Visible());
}

TEST(BitBtn, GlyphIsDrawnTransparentlyAndDisabledFromItsSecondImage) {
    // Two 16 x 16 images on magenta (the bottom-left pixel): a red square,
    // then a blue one for the disabled state.
    struct Case {
        int numGlyphs;
        bool enabled;
        TColor centre;
    };
    const Case cases[] = {{1, true, clRed}, {2, true, clRed}, {2, false, clBlue}, {1, false, clBtnShadow}};
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* b = new TBitBtn(form.get());
        b->SetParent(form.get());
        b->SetBounds(10, 10, 80, 40);
        TBitmap glyph;
        glyph.SetPixelFormat(pf24bit);
        glyph.SetSize(16 * c.numGlyphs, 16);
        glyph.Canvas()->Brush()->SetColor(clFuchsia);
        glyph.Canvas()->FillRect(Rect(0, 0, 16 * c.numGlyphs, 16));
        glyph.Canvas()->Brush()->SetColor(clRed);
        glyph.Canvas()->FillRect(Rect(4, 4, 12, 12));
        if (c.numGlyphs == 2) {
            glyph.Canvas()->Brush()->SetColor(clBlue);
            glyph.Canvas()->FillRect(Rect(20, 4, 28, 12));
        }
        b->SetGlyph(&glyph);
        b->SetNumGlyphs(c.numGlyphs);
        b->SetEnabled(c.enabled);
        form->Show();
        b->Repaint();
        Pump();
        // No caption: the glyph is centred.
        EXPECT_EQ(PixelOf(b, 40, 20), static_cast<COLORREF>(ColorToRGB(c.centre)))
            << c.numGlyphs << c.enabled;
        // Where the glyph is magenta the face shows.
        EXPECT_EQ(PixelOf(b, 33, 13), static_cast<COLORREF>(ColorToRGB(clBtnFace)))
            << c.numGlyphs << c.enabled;
    }
}

TEST(BitBtn, LayoutPlacesTheGlyphByMargin) {
    // The face inside the frame the system draws (its width differs
    // between systems); the glyph is 8 x 8 in a 120 x 60 button.
    RECT face{0, 0, 120, 60};
    {
        const OwnedDC memory(CreateCompatibleDC(nullptr));
        const OwnedBitmap bitmap(CreateCompatibleBitmap(memory.get(), 120, 60));
        const SelectedObject selected(memory.get(), bitmap.get());
        DrawFrameControl(memory.get(), &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    }
    struct Case {
        TButtonLayout layout;
        int margin;
        int left, top;  // -1: not checked
    };
    const Case cases[] = {
        {blGlyphLeft, 4, face.left + 4, -1},
        {blGlyphRight, 4, face.right - 4 - 8, -1},
        {blGlyphTop, 2, -1, face.top + 2},
        {blGlyphBottom, 2, -1, face.bottom - 2 - 8},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* b = new TBitBtn(form.get());
        b->SetParent(form.get());
        b->SetBounds(10, 10, 120, 60);
        b->SetCaption("Zapisz");
        TBitmap glyph;
        glyph.SetPixelFormat(pf24bit);
        glyph.SetSize(8, 8);
        glyph.Canvas()->Brush()->SetColor(clLime);
        glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
        glyph.SetTransparentColor(clFuchsia);
        b->SetGlyph(&glyph);
        b->SetLayout(c.layout);
        b->SetMargin(c.margin);
        // Unfocused: a focused button has a dark frame and lays out inside it.
        auto* edit = new TEdit(form.get());
        edit->SetParent(form.get());
        edit->SetTop(100);
        form->Show();
        edit->SetFocus();
        b->Repaint();
        Pump();
        const WindowDC dc(b->Handle());
        int minX = 1000, minY = 1000;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 120; ++x)
                if (GetPixel(dc.get(), x, y) == RGB(0, 255, 0)) {
                    minX = std::min(minX, x);
                    minY = std::min(minY, y);
                }
        if (c.left >= 0) {
            EXPECT_EQ(minX, c.left) << c.layout << " face " << face.left << "," << face.top;
        }
        if (c.top >= 0) {
            EXPECT_EQ(minY, c.top) << c.layout << " face " << face.left << "," << face.top;
        }
    }
}

}  // namespace
