// The edit base: the Null state on a bare edit, the state colours, the
// flat and line borders and the mouse over them, read-only, Esc and
// Ctrl+A, the window style of aligned edits, the exit sequence and the
// bounds reports.
#include "controls/numeric/win/NcKitEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Scope.h"
#include "classlib/win/GdiHandles.h"
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

TEST(NcEdit, EscUndoesAndCtrlASelectsAll) {
    const struct {
        std::string keys;
        bool escUndo;
        std::string shown;
    } cases[] = {
        {"ab{ESC}", true, ""},
        {"ab{ESC}", false, "ab"},
        {"ab{LEFT}{C-A}c", true, "c"},
    };
    for (const auto& c : cases) {
        const cl::FlagScope undo(NcEscUndo, c.escUndo);
        EditForm<TNcBaseEdit> f;
        f.Type(c.keys);
        EXPECT_EQ(Shown(f.edit), c.shown) << c.keys << c.escUndo;
        EXPECT_EQ(f.beeps, 0) << c.keys;
    }
}

// The border a flat edit paints round itself, read back from its window:
// the middle row's pixels from the left edge in, and the bottom row's middle.
struct PaintedBorder {
    std::vector<COLORREF> fromLeft;
    COLORREF bottom;
};
PaintedBorder BorderOf(TWinControl* edit, size_t columns) {
    HWND wnd = edit->Handle();
    RECT r{};
    GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const WindowDC dc(wnd, GetWindowDC(wnd));
    PaintedBorder border{{}, GetPixel(dc.get(), w / 2, h - 1)};
    for (size_t x = 0; x < columns; ++x)
        border.fromLeft.push_back(GetPixel(dc.get(), static_cast<int>(x), h / 2));
    return border;
}

std::vector<COLORREF> Rgbs(std::initializer_list<TColor> colours) {
    std::vector<COLORREF> rgbs;
    for (TColor c : colours) rgbs.push_back(static_cast<COLORREF>(ColorToRGB(c)));
    return rgbs;
}

// Border colours: focus red, unfocus blue; fill: lime, yellow while hot.
void Flat(TNcBaseEdit& e) {
    e.SetFlat(true);
    e.SetColorBorderFocus(clRed);
    e.SetColorBorderUnfocus(clBlue);
    e.SetColorRW(clLime);
    e.SetColorFocus(clYellow);
}

TEST(NcEdit, FlatAndLineBordersArePaintedInTheStatesColours) {
    const struct {
        const char* name;
        std::function<void(TNcBaseEdit&)> setup;
        bool focused;
        std::vector<COLORREF> fromLeft;
        TColor bottom;  // clNone: not looked at
    } cases[] = {
        {"two frames round the fill", Flat, false, Rgbs({clBlue, clBlue, clLime}), clNone},
        {"FlatBorder 1: one frame",
         [](TNcBaseEdit& e) {
             Flat(e);
             e.SetFlatBorder(1);
         },
         false, Rgbs({clBlue, clLime}), clNone},
        {"focused: the focus border round ColorFocus", Flat, true, Rgbs({clRed, clRed, clYellow}), clNone},
        {"focused without a focus border colour",
         [](TNcBaseEdit& e) {
             Flat(e);
             e.SetColorBorderFocus(clNone);
         },
         true, Rgbs({clBlue, clBlue, clYellow}), clNone},
        {"without an unfocus border colour",
         [](TNcBaseEdit& e) {
             Flat(e);
             e.SetColorBorderUnfocus(clNone);
         },
         false, Rgbs({clRed, clRed, clLime}), clNone},
        {"without either: ColorRW",
         [](TNcBaseEdit& e) {
             Flat(e);
             e.SetColorBorderFocus(clNone);
             e.SetColorBorderUnfocus(clNone);
         },
         false, Rgbs({clLime, clLime, clLime}), clNone},
        {"line edit: no frame, a line below in the focus border colour",
         [](TNcBaseEdit& e) {
             Flat(e);
             e.SetLineEdit(true);
         },
         false, Rgbs({clLime, clLime, clLime}), clRed},
    };
    for (const auto& c : cases) {
        EditForm<TNcBaseEdit> f(c.setup);
        if (!c.focused) f.Type("{EXIT}");
        cltest::Pump(20);
        const PaintedBorder border = BorderOf(f.edit, c.fromLeft.size());
        EXPECT_EQ(border.fromLeft, c.fromLeft) << c.name;
        if (c.bottom != clNone) {
            EXPECT_EQ(border.bottom, static_cast<COLORREF>(ColorToRGB(c.bottom))) << c.name;
        }
    }
}

TEST(NcEdit, TheMouseMakesAFlatBorderHotAndTellsOfEnteringAndLeaving) {
    EditForm<TNcBaseEdit> f(Flat);
    f.Type("{EXIT}");
    std::string log;
    f.edit->OnMouseEnter = [&](TObject*) { log += "enter "; };
    f.edit->OnMouseExit = [&](TObject*) { log += "exit "; };
    f.edit->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(f.edit));
    cltest::Pump(20);
    EXPECT_EQ(BorderOf(f.edit, 3).fromLeft, Rgbs({clRed, clRed, clYellow}));
    f.edit->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(f.edit));
    cltest::Pump(20);
    EXPECT_EQ(BorderOf(f.edit, 3).fromLeft, Rgbs({clBlue, clBlue, clLime}));
    EXPECT_EQ(log, "enter exit ");
}

struct BoundCase {
    std::string keys;
    std::string shown;
    std::vector<std::string> boxes;  // the error boxes' texts
};

// Each case typed into a new edit, which is then left.
template <class Edit>
void RunBoundCases(const std::function<void(Edit&)>& setup, const std::vector<BoundCase>& cases) {
    for (const auto& c : cases) {
        cltest::AnsweredMessageBoxes answered;
        EditForm<Edit> f(setup);
        f.Type(c.keys + "{EXIT}");
        cltest::Pump(20);
        std::vector<std::string> boxes;
        for (const auto& box : answered.boxes) boxes.push_back(box.text);
        EXPECT_EQ(boxes, c.boxes) << c.keys;
        EXPECT_EQ(Shown(f.edit), c.shown) << c.keys;
        EXPECT_EQ(f.edit->Focused(), !c.boxes.empty()) << c.keys << ": the focus returns after a box";
    }
}

TEST(NcEdit, ABrokenBoundIsReportedAndTheFocusReturns) {
    RunBoundCases<TNcFloatEdit>(
        [](TNcFloatEdit& e) {
            e.SetDecimalPlaces(2);
            e.SetBoundsEnabled(true);
            e.SetBoundLower(-1);
            e.SetBoundUpper(99.5L);
        },
        {{"500", "500,00", {"Your entered Value is above the acceptable limit of 99,50"}},
         {"2-", "-2,00", {"Your entered Value is below the acceptable limit of -1,00"}}});
    RunBoundCases<TNcIntEdit>(
        [](TNcIntEdit& e) {
            e.SetBoundsEnabled(true);
            e.SetBoundLower(-10);
            e.SetBoundUpper(1000);
        },
        {{"11-", "-11", {"Your entered Value is below the acceptable limit of -10"}},
         {"1001", "1001", {"Your entered Value is above the acceptable limit of 1000"}},
         {"10-", "-10", {}},
         {"1000", "1000", {}}});
}

}  // namespace
