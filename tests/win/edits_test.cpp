// Edits and memos driven as a user would: typed keys through the message
// loop with key handlers that drop and replace them, change events,
// limits, read-only and disabled colours, selection, clipboard requests,
// alignment, and memo lines kept across window recreation.
#include <gtest/gtest.h>

#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/WideText.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct EditForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TEdit* edit = new TEdit(form.get());

    EditForm() {
        edit->SetParent(form.get());
        edit->SetBounds(10, 10, 150, 21);
        form->Show();
        edit->SetFocus();
        Pump();
    }
};

void Type(HWND wnd, const std::string& keys) {
    for (char c : keys) PostKey(wnd, static_cast<WORD>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    Pump();
}

TEST(Edit, KeyPressHandlerDropsAndReplacesTypedCharacters) {
    struct Case {
        const char* typed;
        const char* expected;
    };
    // 'x' is dropped, 'a' becomes 'ą' (Windows-1250 0xB9), '1' becomes '9'.
    const Case cases[] = {
        {"abc",
         "\xB9"
         "bc"},
        {"xxx", ""},
        {"x1x2", "92"},
        {"bax", "b\xB9"},
    };
    for (const Case& c : cases) {
        std::vector<char> seen;
        EditForm f;
        f.edit->OnKeyPress = [&](TObject*, char& key) {
            seen.push_back(key);
            if (key == 'x') key = 0;
            if (key == 'a') key = static_cast<char>(0xB9);
            if (key == '1') key = '9';
        };
        Type(f.edit->Handle(), c.typed);
        EXPECT_EQ(f.edit->Text(), c.expected) << c.typed;
        EXPECT_EQ(seen.size(), std::string(c.typed).size()) << c.typed;
    }
}

TEST(Edit, KeyDownSetToZeroKeepsTheKeyFromTheWindow) {
    struct Case {
        bool consume;
        const char* expected;
    };
    const Case cases[] = {{false, "bc"}, {true, "abc"}};
    for (const Case& c : cases) {
        EditForm f;
        f.edit->SetText("abc");
        f.edit->SetSelStart(0);
        std::vector<WORD> downs, ups;
        f.edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
            downs.push_back(key);
            if (c.consume && key == VK_DELETE) key = 0;
        };
        f.edit->OnKeyUp = [&](TObject*, WORD& key, TShiftState) { ups.push_back(key); };
        PostKey(f.edit->Handle(), VK_DELETE);
        Pump();
        EXPECT_EQ(f.edit->Text(), c.expected);
        EXPECT_EQ(downs, std::vector<WORD>{VK_DELETE});
        EXPECT_EQ(ups, std::vector<WORD>{VK_DELETE});
    }
}

TEST(Edit, ChangeFiresForTypingAndForTextFromCode) {
    int changes = 0;
    EditForm f;
    f.edit->OnChange = [&](TObject*) { ++changes; };
    Type(f.edit->Handle(), "ab");
    EXPECT_EQ(changes, 2);
    f.edit->SetText("xyz");
    EXPECT_EQ(changes, 3);
    f.edit->SetText("xyz");
    EXPECT_EQ(changes, 3);
}

TEST(Edit, ModifiedIsSetByTypingAndClearedByTextFromCode) {
    EditForm f;
    EXPECT_FALSE(f.edit->Modified());
    Type(f.edit->Handle(), "a");
    EXPECT_TRUE(f.edit->Modified());
    f.edit->SetText("b");
    EXPECT_FALSE(f.edit->Modified());
    f.edit->SetModified(true);
    f.edit->RecreateWnd();
    EXPECT_TRUE(f.edit->Modified());
}

TEST(Edit, MaxLengthAndReadOnlyLimitTyping) {
    struct Case {
        int maxLength;
        bool readOnly;
        const char* expected;
    };
    const Case cases[] = {{0, false, "abcde"}, {3, false, "abc"}, {0, true, ""}};
    for (const Case& c : cases) {
        EditForm f;
        f.edit->SetMaxLength(c.maxLength);
        f.edit->SetReadOnly(c.readOnly);
        Type(f.edit->Handle(), "abcde");
        EXPECT_EQ(f.edit->Text(), c.expected) << c.maxLength << c.readOnly;
    }
}

TEST(Edit, BackgroundIsTheColourWhenReadOnlyOrDisabled) {
    // Read-only and disabled edits ask with WM_CTLCOLORSTATIC, others with
    // WM_CTLCOLOREDIT; both come back to the edit's own colour.
    struct Case {
        bool readOnly;
        bool enabled;
        TColor colour;
    };
    const Case cases[] = {{false, true, clYellow}, {true, true, 0x00CCBDB5}, {false, false, clAqua}};
    for (const Case& c : cases) {
        EditForm f;
        f.edit->SetText("W");
        f.edit->SetColor(c.colour);
        f.edit->SetReadOnly(c.readOnly);
        f.edit->SetEnabled(c.enabled);
        f.edit->Repaint();
        Pump();
        const TRect r = f.edit->ClientRect();
        EXPECT_EQ(PixelOf(f.edit, r.right - 3, r.bottom / 2), static_cast<COLORREF>(c.colour))
            << c.readOnly << c.enabled;
    }
}

TEST(Edit, TextCrossesAsWindows1250) {
    EditForm f;
    const std::string polish = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";  // Zażółć gęślą jaźń
    f.edit->SetText(polish);
    wchar_t buf[64] = {};
    GetWindowTextW(f.edit->Handle(), buf, 64);
    EXPECT_EQ(std::wstring(buf), L"Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 ja\u017A\u0144");
    EXPECT_EQ(f.edit->Text(), polish);
    EXPECT_EQ(f.edit->GetTextLen(), 17);
}

TEST(Edit, SelectionIsReadAndReplaced) {
    EditForm f;
    f.edit->SetText("abcdef");
    f.edit->SetSelStart(1);
    f.edit->SetSelLength(3);
    EXPECT_EQ(f.edit->SelStart(), 1);
    EXPECT_EQ(f.edit->SelLength(), 3);
    EXPECT_EQ(f.edit->SelText(), "bcd");
    f.edit->SetSelText("XY");
    EXPECT_EQ(f.edit->Text(), "aXYef");
    f.edit->SelectAll();
    EXPECT_EQ(f.edit->SelLength(), 5);
    f.edit->ClearSelection();
    EXPECT_EQ(f.edit->Text(), "");
    EXPECT_TRUE(f.edit->CanUndo());
    f.edit->Undo();
    EXPECT_EQ(f.edit->Text(), "aXYef");
}

TEST(Edit, AutoSelectSelectsAllWhenEnteredOtherThanByClick) {
    struct Case {
        bool autoSelect;
        bool byClick;
        int selLength;
    };
    const Case cases[] = {{true, false, 5}, {false, false, 0}, {true, true, 0}};
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* other = new TEdit(form.get());
        other->SetParent(form.get());
        auto* edit = new TEdit(form.get());
        edit->SetParent(form.get());
        edit->SetTop(40);
        edit->SetText("hello");
        edit->SetAutoSelect(c.autoSelect);
        form->Show();
        other->SetFocus();
        Pump();
        edit->SetSelStart(0);
        if (c.byClick)
            PostClick(edit->Handle(), 60, 5);
        else
            edit->SetFocus();
        Pump();
        ASSERT_TRUE(edit->Focused());
        EXPECT_EQ(edit->SelLength(), c.selLength) << c.autoSelect << c.byClick;
    }
}

// Counts the clipboard requests that reach the edit.
class TCountingEdit : public TEdit {
public:
    using TEdit::TEdit;
    int pastes = 0, cuts = 0, clears = 0;

protected:
    void WMPaste(TMessage& m) override {
        ++pastes;
        TEdit::WMPaste(m);
    }
    void WMCut(TMessage& m) override {
        ++cuts;
        TEdit::WMCut(m);
    }
    void WMClear(TMessage& m) override {
        ++clears;
        TEdit::WMClear(m);
    }
};

TEST(Edit, PasteCutAndClearReachTheirHandlers) {
    struct Case {
        const char* what;
        std::function<void(TCountingEdit*)> act;
        int pastes, cuts, clears;
    };
    const Case cases[] = {
        {"Ctrl+V",
         [](TCountingEdit* e) {
             HeldKeys ctrl{VK_CONTROL};
             PostKey(e->Handle(), 'V');
             Pump();
         },
         1, 0, 0},
        {"Ctrl+X",
         [](TCountingEdit* e) {
             HeldKeys ctrl{VK_CONTROL};
             PostKey(e->Handle(), 'X');
             Pump();
         },
         0, 1, 0},
        {"paste", [](TCountingEdit* e) { e->PasteFromClipboard(); }, 1, 0, 0},
        {"cut", [](TCountingEdit* e) { e->CutToClipboard(); }, 0, 1, 0},
        {"clear", [](TCountingEdit* e) { e->ClearSelection(); }, 0, 0, 1},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* edit = new TCountingEdit(form.get());
        edit->SetParent(form.get());
        edit->SetText("abc");
        form->Show();
        edit->SetFocus();
        Pump();
        c.act(edit);
        EXPECT_EQ(edit->pastes, c.pastes) << c.what;
        EXPECT_EQ(edit->cuts, c.cuts) << c.what;
        EXPECT_EQ(edit->clears, c.clears) << c.what;
    }
}

TEST(Edit, StylePropertiesMakeTheWindowAnewKeepingTheText) {
    struct Case {
        std::function<void(TEdit*)> set;
        DWORD mask;
        DWORD style;
        const char* text;
    };
    const Case cases[] = {
        {[](TEdit* e) { e->SetAlignment(taRightJustify); }, ES_RIGHT | ES_CENTER, ES_RIGHT, "Keep"},
        {[](TEdit* e) { e->SetAlignment(taCenter); }, ES_RIGHT | ES_CENTER, ES_CENTER, "Keep"},
        {[](TEdit* e) { e->SetPasswordChar('*'); }, ES_PASSWORD, ES_PASSWORD, "Keep"},
        // The new window converts the text it is given.
        {[](TEdit* e) { e->SetCharCase(ecUpperCase); }, ES_UPPERCASE, ES_UPPERCASE, "KEEP"},
        {[](TEdit* e) { e->SetReadOnly(true); }, ES_READONLY, ES_READONLY, "Keep"},
        {[](TEdit* e) { e->SetOEMConvert(true); }, ES_OEMCONVERT, ES_OEMCONVERT, "Keep"},
    };
    for (const Case& c : cases) {
        EditForm f;
        f.edit->SetText("Keep");
        c.set(f.edit);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(f.edit->Handle(), GWL_STYLE)) & c.mask, c.style);
        EXPECT_EQ(f.edit->Text(), c.text);
    }
}

TEST(Edit, WithoutCtl3DOfItsOwnOrOfItsParentTheBorderIsNotSunken) {
    EditForm f;
    auto sunken = [&f] { return (GetWindowLongW(f.edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0; };
    EXPECT_TRUE(sunken());
    f.form->SetCtl3D(false);
    EXPECT_FALSE(sunken());
    f.edit->SetCtl3D(true);
    EXPECT_TRUE(sunken());
    EXPECT_FALSE(f.edit->ParentCtl3D());
    // One put on a flat parent follows it from the start.
    auto* later = new TEdit(f.form.get());
    later->SetParent(f.form.get());
    EXPECT_FALSE(later->Ctl3D());
    EXPECT_FALSE(GetWindowLongW(later->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST(Edit, ConstraintsKeepTheSizeWithinThemFromTheMomentTheyAreSet) {
    EditForm f;
    f.edit->Constraints()->SetMaxWidth(100);
    EXPECT_EQ(f.edit->Width(), 100);
    f.edit->Constraints()->SetMinWidth(120);  // a maximum below the minimum gives way
    EXPECT_EQ(f.edit->Width(), 120);
    f.edit->SetWidth(300);
    EXPECT_EQ(f.edit->Width(), 120);
    RECT r{};
    GetWindowRect(f.edit->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 120);
    f.edit->Constraints()->SetMinWidth(0);
    f.edit->Constraints()->SetMaxWidth(0);
    f.edit->SetWidth(300);
    EXPECT_EQ(f.edit->Width(), 300);
}

TEST(Edit, HeightFollowsTheFont) {
    EditForm f;
    TEXTMETRICW tm{};
    f.edit->Font()->SetSize(14);
    {
        const WindowDC dc(nullptr);
        const SelectedObject font(dc.get(), f.edit->Font()->Handle());
        GetTextMetricsW(dc.get(), &tm);
    }
    EXPECT_EQ(f.edit->Height(), tm.tmHeight + 8);
    f.edit->SetAutoSize(false);
    f.edit->SetHeight(40);
    f.edit->Font()->SetSize(8);
    EXPECT_EQ(f.edit->Height(), 40);
}

// ---- Memo --------------------------------------------------------------------
TEST(Memo, LinesEditTheTextWithAndWithoutAWindow) {
    struct Case {
        const char* text;
        std::function<void(TStrings*)> act;
        const char* expected;
    };
    const Case cases[] = {
        {"", [](TStrings* l) { l->Add("a"); }, "a\r\n"},
        {"a\r\n", [](TStrings* l) { l->Add("b"); }, "a\r\nb\r\n"},
        {"a", [](TStrings* l) { l->Add("b"); }, "a\r\nb"},
        {"a\r\nc\r\n", [](TStrings* l) { l->Insert(1, "b"); }, "a\r\nb\r\nc\r\n"},
        {"a\r\nb\r\nc\r\n", [](TStrings* l) { l->Put(1, "B"); }, "a\r\nB\r\nc\r\n"},
        {"a\r\nb\r\nc\r\n", [](TStrings* l) { l->Delete(0); }, "b\r\nc\r\n"},
        {"a\r\nb", [](TStrings* l) { l->Clear(); }, ""},
        {"", [](TStrings* l) { l->SetText("x\ny\rz"); }, "x\r\ny\r\nz"},
    };
    for (bool withWindow : {false, true}) {
        for (const Case& c : cases) {
            Owned<TForm> form = Make<TForm>(nullptr);
            auto* memo = new TMemo(form.get());
            memo->SetWordWrap(false);
            if (withWindow) {
                memo->SetParent(form.get());
                memo->HandleNeeded();
            }
            memo->SetText(c.text);
            c.act(memo->Lines());
            EXPECT_EQ(memo->Text(), c.expected) << c.text << " window " << withWindow;
        }
    }
}

TEST(Memo, LinesCountGetAndIndexErrors) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetText("one\r\ntwo\r\n\r\nfour\r\n");
    TStrings* lines = memo->Lines();
    ASSERT_EQ(lines->Count(), 4);
    EXPECT_EQ(lines->Get(0), "one");
    EXPECT_EQ(lines->Get(2), "");
    EXPECT_EQ(lines->Get(3), "four");
    EXPECT_THROW(lines->Get(4), EStringListError);
    EXPECT_THROW(lines->Delete(-1), EStringListError);
}

TEST(Memo, LinesSurviveWindowRecreation) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->Lines()->Add("first");
    memo->Lines()->Add("drugi wiersz \xB9\xEA");
    const HWND before = memo->Handle();
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    EXPECT_NE(memo->Handle(), before);
    EXPECT_TRUE(GetWindowLongW(memo->Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongW(memo->Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
    ASSERT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Get(1), "drugi wiersz \xB9\xEA");
}

TEST(Memo, ReturnsAndTabsGoToTheMemoOnlyWhenWanted) {
    struct Case {
        bool wantReturns;
        bool wantTabs;
        bool enterTyped;
    };
    const Case cases[] = {{true, false, true}, {false, false, false}, {false, true, false}};
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* memo = new TMemo(form.get());
        memo->SetParent(form.get());
        memo->SetWantReturns(c.wantReturns);
        memo->SetWantTabs(c.wantTabs);
        form->Show();
        memo->SetFocus();
        Pump();
        const LRESULT code = memo->Perform(WM_GETDLGCODE, 0, 0);
        EXPECT_EQ((code & DLGC_WANTTAB) != 0, c.wantTabs);
        EXPECT_EQ((code & DLGC_WANTALLKEYS) != 0, c.wantReturns);
        PostKey(memo->Handle(), 'A');
        PostKey(memo->Handle(), VK_RETURN);
        PostKey(memo->Handle(), 'B');
        Pump();
        EXPECT_EQ(memo->Text(), c.enterTyped ? "a\r\nb" : "ab") << c.wantReturns;
    }
}

}  // namespace
