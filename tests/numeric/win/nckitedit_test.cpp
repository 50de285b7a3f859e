// The edit base: the Null state on a bare edit, the state colours,
// read-only, the window style of aligned edits and the exit sequence.
#include "controls/numeric/win/NcKitEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Scope.h"
#include "controls/numeric/win/NcKitNumEdit.h"
#include "tests/numeric/win/NumericEditSupport.h"

namespace {

using namespace cl;
using namespace nctest;

TEST(NcEdit, CtrlNSetsNullAndTheNextValidKeyStartsANewText) {
    EditForm<TNcBaseEdit> f([](TNcBaseEdit& e) { e.SetNullStr("(brak)"); });
    int nulls = 0;
    f.edit->OnNull = [&](TObject*) { ++nulls; };
    f.Type("ab{C-N}");
    EXPECT_TRUE(f.edit->Null());
    EXPECT_EQ(Shown(f.edit), "(brak)");
    EXPECT_EQ(f.edit->AsString(), "");
    EXPECT_EQ(f.edit->Text(), "");
    EXPECT_EQ(nulls, 1);
    f.Type("c");
    EXPECT_FALSE(f.edit->Null());
    EXPECT_EQ(f.edit->AsString(), "c");

    f.edit->SetAllowKbdNull(false);
    f.Type("{C-N}");
    EXPECT_FALSE(f.edit->Null());
    f.edit->SetBlankWhenNull(true);
    f.edit->SetNull(true);
    EXPECT_EQ(Shown(f.edit), "");
}

TEST(NcEdit, OnlyTheNullDisplayKeepsNull) {
    const struct {
        const char* name;
        std::function<void(TNcBaseEdit&)> act;
        bool null;
    } cases[] = {
        {"the Null display", [](TNcBaseEdit& e) { e.SetAsString("(brak)"); }, true},
        {"another text", [](TNcBaseEdit& e) { e.SetAsString("x"); }, false},
        {"Text", [](TNcBaseEdit& e) { e.SetText("x"); }, false},
        {"a paste", [](TNcBaseEdit& e) { e.Perform(WM_PASTE, 0, 0); }, false},
    };
    for (const auto& c : cases) {
        EditForm<TNcBaseEdit> f([](TNcBaseEdit& e) {
            e.SetNullStr("(brak)");
            e.SetNull(true);
        });
        c.act(*f.edit);
        EXPECT_EQ(f.edit->Null(), c.null) << c.name;
    }
}

TEST(NcEdit, ReadOnlyRefusesEditingAndLeavesTheTabOrderUntilWritableAgain) {
    EditForm<TNcIntEdit> f([](TNcIntEdit& e) {
        e.SetAsInteger(12);
        e.SetReadOnly(true);
    });
    EXPECT_FALSE(f.edit->TabStop());
    f.edit->SelectAll();
    f.edit->Perform(WM_CUT, 0, 0);
    f.edit->Perform(WM_PASTE, 0, 0);
    f.Type("{END}{DEL}3");
    EXPECT_EQ(Shown(f.edit), "12");
    EXPECT_EQ(f.beeps, 1);

    f.edit->SetReadOnly(false);
    EXPECT_TRUE(f.edit->TabStop());
    f.Type("{END}3");
    EXPECT_EQ(Shown(f.edit), "123");
}

TEST(NcEdit, ColoursFollowTheStateAndNeverTakeClNone) {
    const TColor parent = clYellow;
    const struct {
        const char* name;
        std::function<void(TNcBaseEdit&)> setup;
        bool focused;
        TColor colour;
    } cases[] = {
        {"read-write", nullptr, false, clWindow},
        {"focused", [](TNcBaseEdit& e) { e.SetColorFocus(clInfoBk); }, true, clInfoBk},
        {"focused without ColorFocus", [](TNcBaseEdit& e) { e.SetColorFocus(clNone); }, true, clWindow},
        {"disabled", [](TNcBaseEdit& e) { e.SetEnabled(false); }, false, clBtnFace},
        {"disabled without ColorDisabled",
         [](TNcBaseEdit& e) {
             e.SetColorDisabled(clNone);
             e.SetColorRW(clAqua);
             e.SetEnabled(false);
         },
         false, clAqua},
        {"read-only", [](TNcBaseEdit& e) { e.SetReadOnly(true); }, false, 0x00CCBDB5},
        {"read-only wins over focus",
         [](TNcBaseEdit& e) {
             e.SetColorFocus(clInfoBk);
             e.SetReadOnly(true);
         },
         true, 0x00CCBDB5},
        {"ColorRW clNone takes the parent's", [](TNcBaseEdit& e) { e.SetColorRW(clNone); }, false, parent},
        {"read-only with ColorRO and ColorRW clNone",
         [](TNcBaseEdit& e) {
             e.SetColorRW(clNone);
             e.SetColorRO(clNone);
             e.SetReadOnly(true);
         },
         false, parent},
        {"flat and focused",
         [](TNcBaseEdit& e) {
             e.SetFlat(true);
             e.SetColorFocus(clInfoBk);
         },
         true, clInfoBk},
    };
    for (const auto& c : cases) {
        EditForm<TNcBaseEdit> f([&](TNcBaseEdit& e) {
            e.Parent()->SetColor(parent);
            if (c.setup) c.setup(e);
        });
        if (!c.focused) f.Type("{EXIT}");
        EXPECT_EQ(f.edit->Color(), c.colour) << c.name;
        EXPECT_NE(f.edit->Color(), clNone) << c.name;
    }
}

TEST(NcEdit, ColourSettersLeaveTheDefaultsAndTheDefaultsComeBack) {
    EditForm<TNcBaseEdit> f;
    EXPECT_TRUE(f.edit->Color_Defaults());
    f.edit->SetColorRO(clRed);
    EXPECT_FALSE(f.edit->Color_Defaults());
    f.edit->SetColor_Defaults(true);
    EXPECT_EQ(f.edit->ColorRO(), 0x00CCBDB5);
    f.edit->SetFlatBorder(0);
    EXPECT_EQ(f.edit->FlatBorder(), 1);
    f.edit->SetFlatBorder(5);
    EXPECT_EQ(f.edit->FlatBorder(), 2);
}

TEST(NcEdit, AlignedEditsStaySingleLine) {
    const struct {
        TAlignment alignment;
        DWORD style;
    } cases[] = {{taRightJustify, ES_RIGHT}, {taCenter, ES_CENTER}};
    for (const auto& c : cases) {
        EditForm<TNcFloatEdit> f([&](TNcFloatEdit& e) { e.SetAlignment(c.alignment); });
        const DWORD style = static_cast<DWORD>(GetWindowLongW(f.edit->Handle(), GWL_STYLE));
        EXPECT_EQ(style & ES_MULTILINE, 0u);
        EXPECT_EQ(style & c.style, c.style);
        EXPECT_EQ(f.edit->MaxLength(), 0);
    }
}

TEST(NcEdit, AClickIntoTheEditSelectsItsWholeText) {
    EditForm<TNcIntEdit> f([](TNcIntEdit& e) { e.SetAsInteger(12345); });
    f.other->SetFocus();
    cltest::Pump(20);
    HWND wnd = f.edit->Handle();
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    cltest::Pump(20);
    ASSERT_TRUE(f.edit->Focused());
    DWORD start = 1, end = 0;
    SendMessageW(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
}

TEST(NcEdit, ExitStartMayChangeTheTextAndSkipTheBoundsCheck) {
    std::vector<TNcBoundsValidationType> reported;
    for (bool further : {true, false}) {
        EditForm<TNcIntEdit> f([&](TNcIntEdit& e) {
            e.SetBoundsEnabled(true);
            e.SetBoundUpper(100);
            e.OnExitStart = [further](TObject*, std::string& text, bool& furtherChecking) {
                text = "1234";
                furtherChecking = further;
            };
            e.OnBoundsError = [&](TObject*, const std::string&, TNcBoundsValidationType kind) {
                reported.push_back(kind);
            };
        });
        f.Type("5{EXIT}");
        EXPECT_EQ(f.edit->AsInteger(), 1234);
    }
    EXPECT_EQ(reported, std::vector<TNcBoundsValidationType>{evtAboveUpper});
}

TEST(NcEdit, EnterAndTheArrowsMoveTheFocusUnlessSwitchedOff) {
    const struct {
        std::string keys;
        bool options;
        bool moved;
    } cases[] = {
        {"{ENTER}", true, true},   {"{DOWN}", true, true},   {"{UP}", true, true},
        {"{ENTER}", false, false}, {"{DOWN}", false, false},
    };
    for (const auto& c : cases) {
        const cl::FlagScope enter(NcEnterAsTab, c.options);
        const cl::FlagScope arrows(NcArrowsMove, c.options);
        EditForm<TNcIntEdit> f;
        f.Type(c.keys);
        EXPECT_EQ(f.other->Focused(), c.moved) << c.keys << c.options;
    }
}

TEST(NcEdit, ABrokenBoundIsReportedAndTheFocusReturns) {
    cltest::AnsweredMessageBoxes boxes;
    EditForm<TNcFloatEdit> f([](TNcFloatEdit& e) {
        e.SetDecimalPlaces(2);
        e.SetBoundsEnabled(true);
        e.SetBoundLower(-1);
        e.SetBoundUpper(99.5L);
    });
    f.Type("500{EXIT}");
    cltest::Pump(20);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Your entered Value is above the acceptable limit of 99,50");
    EXPECT_TRUE(f.edit->Focused());
    EXPECT_EQ(Shown(f.edit), "500,00");
}

}  // namespace
