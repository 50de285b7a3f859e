// The six field editors on their own: placed and sized from a field's
// rectangle, opened on a value or on none, and the keys, the exit and the
// tick they hand to the main window (here a form that records them).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "app/win/EEdits.h"
#include "app/win/Main.h"
#include "classlib/FormatSettings.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct Sent {
    UINT msg;
    LPARAM lParam;
};

class FieldEditorsTest : public testing::Test {
protected:
    void SetUp() override {
        saved_ = FormatSettings();
        SetFormatSettings(TFormatSettings::Polish());
        host->SetBounds(0, 0, 400, 300);
        host->Show();
        target->WindowHooks().Add([this](TMessage& m, bool&) {
            if (m.Msg >= WM_USER_EDITOR_KEY && m.Msg <= WM_USER_CHECKBOX_CLICK)
                sent.push_back({m.Msg, m.LParam});
        });
        MainFormHandle = target->Handle();
        Pump();
    }
    void TearDown() override {
        MainFormHandle = nullptr;
        OpenEditor = {};
        SetFormatSettings(saved_);
    }

    // Presses the key in the focused editor as the user would.
    void Press(TWinControl* editor, WORD key) {
        editor->SetFocus();
        PostKey(editor->Handle(), key);
        Pump();
    }

    Owned<TForm> host = Make<TForm>(nullptr);
    Owned<TForm> target = Make<TForm>(nullptr);  // stands in for the main window
    std::vector<Sent> sent;
    TFormatSettings saved_;
};

using MakeEditor = std::function<TWinControl*(TForm*, const TRect&)>;

const struct {
    const char* kind;
    MakeEditor make;
} kEditors[] = {
    {"edit", [](TForm* f, const TRect& r) { return new TEEdit(f, f, r, "Spółka"); }},
    {"mask",
     [](TForm* f, const TRect& r) { return new TEMaskEdit(f, f, r, "31.12.2004", "99\\.99\\.9999;1;_"); }},
    {"int", [](TForm* f, const TRect& r) { return new TEIntEdit(f, f, r, "42"); }},
    {"float", [](TForm* f, const TRect& r) { return new TEFloatEdit(f, f, r, "1,5", 2); }},
    {"box", [](TForm* f, const TRect& r) { return new TEChBox(f, f, r, ""); }},
};

TEST(FieldEditorUnit, SwitchesTheNumericShortcutsOffBeforeAnyEditorExists) {
    EXPECT_FALSE(NcEnterAsTab);
    EXPECT_FALSE(NcEscUndo);
    EXPECT_FALSE(NcArrowsMove);
}

// The font grows by the field's height over the control's own, the
// height becomes the field's; a lower field keeps both.  (A control 21
// high in a field 40 high: Trunc(8 x 40 / 21) = 15.)
TEST_F(FieldEditorsTest, EachEditorTakesTheRectanglesPlaceAndGrowsItsFontInATallerOne) {
    for (const auto& e : kEditors) {
        SCOPED_TRACE(e.kind);
        TWinControl* low = e.make(host.get(), Rect(100, 10, 199, 16));
        const int own = low->Height();
        EXPECT_EQ(Bounds(low), "100,10,100," + std::to_string(own));
        EXPECT_EQ(low->Font()->Size(), 8);
        TWinControl* tall = e.make(host.get(), Rect(100, 50, 199, 90));
        EXPECT_EQ(Bounds(tall), "100,50,100,40");
        EXPECT_EQ(tall->Font()->Size(), static_cast<int>(std::trunc(8 * 40.0 / own)));
        for (TWinControl* c : {low, tall}) {
            EXPECT_TRUE(c->Visible());
            EXPECT_EQ(c->Parent(), host.get());
            c->SetFocus();
            EXPECT_EQ(c->Color(), clInfoBk);
        }
        // The window keeps the height the font would change.
        tall->HandleNeeded();
        EXPECT_EQ(tall->Height(), 40);
    }
    TEMemo* memo = new TEMemo(host.get(), host.get(), Rect(100, 50, 199, 90), "a");
    EXPECT_EQ(Bounds(memo), "100,50,100,40");
    EXPECT_EQ(memo->Font()->Size(), 8);
}

// No more than a field holds, so no statement written holds more than a
// file may (30 000 characters): a longer paste is cut there, also in the
// numeric editors, whose keys alone are filtered.
TEST_F(FieldEditorsTest, EditorsTakeNoMoreThanAFieldHolds) {
    TCustomEdit* editors[] = {new TEEdit(host.get(), host.get(), Rect(0, 0, 80, 14), ""),
                              new TEMemo(host.get(), host.get(), Rect(0, 20, 80, 60), ""),
                              new TEMaskEdit(host.get(), host.get(), Rect(0, 0, 80, 14), "", ""),
                              new TEIntEdit(host.get(), host.get(), Rect(0, 0, 80, 14), ""),
                              new TEFloatEdit(host.get(), host.get(), Rect(0, 0, 80, 14), "", 2)};
    ASSERT_TRUE(SetClipboardText(host->Handle(), std::wstring(30010, L'x')));
    for (TCustomEdit* e : editors) {
        e->Perform(WM_PASTE, 0, 0);
        EXPECT_EQ(e->Text().size(), 30000u) << e->ClassName();
    }
}

// (An amount opened on its value: the main window's tests.)
TEST_F(FieldEditorsTest, NumericEditorsOpenedOnNoValueShowNothing) {
    auto* amount = new TEFloatEdit(host.get(), host.get(), Rect(0, 0, 80, 14), "", 2);
    auto* whole = new TEIntEdit(host.get(), host.get(), Rect(0, 0, 80, 14), "");
    for (TNcCustomEdit* e : {static_cast<TNcCustomEdit*>(amount), static_cast<TNcCustomEdit*>(whole)}) {
        EXPECT_TRUE(e->Null());
        EXPECT_EQ(e->Text(), "");
        EXPECT_EQ(e->ColorFocus(), clInfoBk);
    }
}

TEST_F(FieldEditorsTest, TabEnterAndEscGoToTheMainWindowWithTheShiftStatePacked) {
    constexpr LPARAM kMarker = 0x10000;
    const struct {
        const char* kind;
        bool memo;
        WORD key;
        int held;       // 0 or a modifier's virtual key
        LPARAM posted;  // 0: nothing
    } cases[] = {
        {"Tab", false, VK_TAB, 0, VK_TAB | kMarker},
        {"Shift+Tab", false, VK_TAB, VK_SHIFT, VK_TAB | kMarker | (1 << 24)},
        {"Enter", false, VK_RETURN, 0, VK_RETURN | kMarker},
        {"Esc", false, VK_ESCAPE, 0, VK_ESCAPE | kMarker},
        {"memo Ctrl+Enter", true, VK_RETURN, VK_CONTROL, VK_RETURN | kMarker | (4 << 24)},
        {"memo Enter", true, VK_RETURN, 0, 0},
        {"memo Tab", true, VK_TAB, 0, VK_TAB | kMarker},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        sent.clear();
        TWinControl* editor =
            c.memo ? static_cast<TWinControl*>(new TEMemo(host.get(), host.get(), Rect(0, 0, 99, 40), "ab"))
                   : new TEFloatEdit(host.get(), host.get(), Rect(0, 0, 99, 14), "5", 2);
        {
            const HeldKeys held = c.held ? HeldKeys{c.held} : HeldKeys{};
            Press(editor, c.key);
        }
        if (c.posted) {
            ASSERT_EQ(sent.size(), 1u);
            EXPECT_EQ(sent[0].msg, WM_USER_EDITOR_KEY);
            EXPECT_EQ(sent[0].lParam, c.posted);
        } else {
            EXPECT_TRUE(sent.empty());
            // The plain Enter broke the memo's line.
            EXPECT_NE(editor->Text().find("\r\n"), std::string::npos);
        }
        Free(editor);
    }
}

TEST_F(FieldEditorsTest, LeavingAnEditorTellsTheMainWindowAndAClickOnTheBoxSaysTheFieldAndTick) {
    auto* box = new TEChBox(host.get(), host.get(), Rect(10, 10, 60, 30), "");
    box->SetTag(123);
    box->SetChecked(true);  // no handler yet: nobody hears of it
    EXPECT_TRUE(sent.empty());
    box->OnClick = [box](TObject* s) { box->ClickNotify(s); };
    auto* edit = new TEEdit(host.get(), host.get(), Rect(10, 40, 60, 60), "");
    edit->SetFocus();
    box->SetFocus();
    Pump();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().msg, WM_USER_EDITOR_EXIT);

    sent.clear();
    box->SetChecked(false);
    box->SetChecked(true);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].msg, WM_USER_CHECKBOX_CLICK);
    EXPECT_EQ(sent[0].lParam, 123);
    EXPECT_EQ(sent[1].lParam, 123 + 0x10000);
}

// However an editor goes, OpenEditor does not keep naming it.
TEST_F(FieldEditorsTest, AnEditorFreedByItsOwnerLetsGoOfOpenEditor) {
    auto* owner = new TPanel(host.get());
    owner->SetParent(host.get());
    OpenEditor = {new TEEdit(owner, owner, Rect(0, 0, 50, 14), "x"), 10};
    Free(owner);
    EXPECT_EQ(OpenEditor.Editor, nullptr);
    EXPECT_EQ(OpenEditor.Field, 0);
}

}  // namespace
