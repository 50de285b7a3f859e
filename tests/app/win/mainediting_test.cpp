// Typing on the balance sheet in the main window: an editor opened on a
// value keeps it when nothing is typed, Tab and Enter go round the form
// and turn pages with their notice, a refused value keeps its editor, page
// and view, Esc stores nothing, the pointer frames the field under it, a
// click opens that field, each editor kind opens on its value, and the
// editor lies on its field whatever the zoom or the scrolling.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/FieldNavigation.h"
#include "app/win/EEdits.h"
#include "app/win/FieldEditorByKind.h"
#include "classlib/FormatSettings.h"
#include "classlib/win/GdiHandles.h"
#include "engine/win/EngineHostWin.h"
#include "tests/app/win/FormShowing.h"
#include "tests/app/win/MainFormFixture.h"

namespace {

using namespace cl;

constexpr const char* kNextPage = "Przejście do następnej strony.";
constexpr const char* kFirstPage = "Przejście do pierwszej strony.";
constexpr const char* kPrevPage = "Przejście do poprzedniej strony.";
constexpr const char* kLastPage = "Przejście do ostatniej strony.";
constexpr const char* kCorrect = "Nieprawidłowa wartość pola. Poprawić?";

class EditingTest : public maintest::MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        savedSettings_ = FormatSettings();
        SetFormatSettings(TFormatSettings::Polish());
        SetEngineHost(&host_);
        ProgramFolder = maintest::BuildProgramFolder();
        bil_ = maintest::ShowForm(*form_, "bil");
        form_->PrintPreview->SetZoom(100);
        DataModified = false;
        cltest::Pump();
    }
    void TearDown() override {
        MainFormTest::TearDown();
        SetEngineHost(nullptr);
        SetFormatSettings(savedSettings_);
    }

    TPrintPreview& Preview() { return *form_->PrintPreview; }
    TWinControl* Editor() { return OpenEditor.Editor; }

    // Opens the field's editor on its page.
    void Open(int field) {
        if (OpenEditor.Editor) form_->EndFieldEdit(false);
        Preview().SetCurrentPage(TEFieldTable[field].Page);
        form_->BeginFieldEdit(field, false);
        ASSERT_EQ(OpenEditor.Field, field);
    }
    // A key pressed in the open editor, with a modifier held.
    void Press(WORD key, int held = 0) {
        const cltest::HeldKeys keys = held ? cltest::HeldKeys{held} : cltest::HeldKeys{};
        cltest::PostKey(Editor()->Handle(), key);
        cltest::Pump();
    }
    void Type(const std::string& text) {
        for (char c : text) PostMessageW(Editor()->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
        cltest::Pump();
    }

    // The field's rectangle on A4 (0.01 mm: ten times the sheet's 0.1 mm)
    // in the preview's pixels.
    TRect FieldRect(int field) {
        const int page = TEFieldTable[field].Page;
        return Preview().PaperToScreenRect(
            Rect(10 * ScreenLeft(1, page, field), 10 * ScreenTop(1, page, field),
                 10 * ScreenRight(1, page, field), 10 * ScreenBottom(1, page, field)),
            true);
    }
    void ExpectOver(int field) {
        ASSERT_NE(Editor(), nullptr);
        const TRect r = FieldRect(field);
        EXPECT_EQ(Editor()->Left(), r.left);
        EXPECT_EQ(Editor()->Top(), r.top);
        EXPECT_EQ(Editor()->Width(), r.right - r.left + 1);
    }

    // A mouse message to the sheet at a point of the paper (0.01 mm).
    void Mouse(UINT msg, const TPoint& paper) {
        const TPoint p = Preview().PaperToScreen(paper);
        PostMessageW(Preview().PaperPreview()->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(p.x, p.y));
        cltest::Pump();
    }

    // "3-5,00" is no amount: typed 5, "-" (which makes it -5,00), Home, 3;
    // the question about it is to be answered so.
    void TypeRefused(int field, int answer) {
        Open(field);
        Type("5-");
        Press(VK_HOME);
        Type("3");
        ASSERT_EQ(Editor()->Text(), "3-5,00");
        answers_.boxes.clear();
        answers_.answer = answer;
    }

    TWindowEngineHost host_;
    TFormatSettings savedSettings_;
    TemFrm* bil_ = nullptr;
};

TEST_F(EditingTest, AnAmountOpensOnItsValueAndATabWithoutTypingKeepsItAsItWas) {
    const struct {
        const char* kind;
        Variant value;
    } cases[] = {
        {"typed", Variant(1234.5)},
        {"loaded currency", Variant(Currency::FromExtended(1234.5L))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        bil_->ValueOf(10)->Value = c.value;
        DataModified = false;
        Open(10);
        auto* amount = dynamic_cast<TEFloatEdit*>(Editor());
        ASSERT_NE(amount, nullptr);
        EXPECT_EQ(amount->Text(), "1234,50");
        EXPECT_FALSE(amount->Null());
        Press(VK_TAB);
        EXPECT_EQ(OpenEditor.Field, 11);
        EXPECT_EQ(bil_->GetValue(10).VarType(), c.value.VarType());
        EXPECT_TRUE(bil_->GetValue(10).SameTypeAndValue(c.value));
        EXPECT_FALSE(DataModified);
    }
}

// The sheet's pixels on the screen, as 32-bit rows.
std::vector<uint32_t> Shown(TWinControl& sheet) {
    const int w = sheet.Width(), h = sheet.Height();
    const WindowDC screen(sheet.Handle());
    const OwnedDC dc(CreateCompatibleDC(screen.get()));
    const OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    {
        const SelectedObject selected(dc.get(), bitmap.get());
        BitBlt(dc.get(), 0, 0, w, h, screen.get(), 0, 0, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    GetDIBits(dc.get(), bitmap.get(), 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

// A Tab paints again only what it changed: the sheet then shows what
// painting it whole shows, with the typed amount, the totals it moved, and
// no frame of a field hovered before.
TEST_F(EditingTest, AfterATabTheSheetShowsWhatPaintingItWholeShows) {
    ASSERT_TRUE(bil_->SetValueAsText(10, "1,00"));
    Preview().UpdatePreview();
    cltest::Pump();
    for (const bool hovered : {false, true}) {
        SCOPED_TRACE(hovered ? "a field hovered" : "none hovered");
        Open(10);
        if (hovered) {
            Mouse(WM_MOUSEMOVE, Point(10 * (ScreenLeft(1, 1, 12) + 20), 10 * (ScreenTop(1, 1, 12) + 10)));
            ASSERT_EQ(HoveredField, 12);
        }
        Editor()->SetText(hovered ? "3000" : "2000");
        Press(VK_TAB);
        ASSERT_EQ(OpenEditor.Field, 11);
        EXPECT_EQ(bil_->GetValueText(9), hovered ? "3\xA0"
                                                   "000,00"
                                                 : "2\xA0"
                                                   "000,00");
        EXPECT_EQ(HoveredField, 0);
        TPaperPreview& sheet = *Preview().PaperPreview();
        // The new editor's blinking caret would tell the two apart.
        HideCaret(Editor()->Handle());
        const std::vector<uint32_t> partly = Shown(sheet);
        sheet.Invalidate();
        sheet.Update();
        EXPECT_TRUE(Shown(sheet) == partly);
    }
}

TEST_F(EditingTest, TabsThroughAnEmptyAmountAndAnEmptyDateStoreNothing) {
    for (int field : {11, 263}) {
        SCOPED_TRACE(field);
        Open(field);
        Press(VK_TAB);
        EXPECT_NE(OpenEditor.Field, field);
        EXPECT_TRUE(bil_->GetValue(static_cast<uint16_t>(field)).IsEmpty());
    }
    EXPECT_FALSE(DataModified);
}

TEST_F(EditingTest, TabAndEnterGoRoundTheFormPassingTotalsAndSayWhereThePageTurns) {
    const struct {
        int from;
        WORD key;
        int held;
        int to, page;
        const char* notice;  // nullptr: none
    } cases[] = {
        {154, VK_TAB, 0, 157, 2, kNextPage},        {154, VK_RETURN, 0, 157, 2, kNextPage},
        {263, VK_TAB, 0, 5, 1, kFirstPage},         {5, VK_TAB, VK_SHIFT, 263, 2, kLastPage},
        {157, VK_TAB, VK_SHIFT, 154, 1, kPrevPage}, {7, VK_TAB, 0, 10, 1, nullptr},  // 8 and 9 are totals
        {10, VK_RETURN, VK_SHIFT, 7, 1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " key " << c.key << " held " << c.held);
        Open(c.from);
        answers_.boxes.clear();
        Press(c.key, c.held);
        EXPECT_EQ(OpenEditor.Field, c.to);
        EXPECT_EQ(Preview().CurrentPage(), c.page);
        ExpectOver(c.to);
        EXPECT_TRUE(Editor()->Focused());
        if (c.notice) {
            ASSERT_EQ(answers_.boxes.size(), 1u);
            EXPECT_EQ(answers_.boxes[0].text, c.notice);
            EXPECT_EQ(answers_.boxes[0].caption, "Uwaga");
        } else {
            EXPECT_TRUE(answers_.boxes.empty());
        }
    }
    EXPECT_FALSE(DataModified);
}

// Every form of the catalogue, typed field after field with Tab and Enter
// until the editor is back where it began.
TEST_F(EditingTest, EveryFormIsFilledByTypingAndGoingOnWithTabAndEnter) {
    for (const TFrmFeature& row : FormCatalogue) {
        SCOPED_TRACE(std::string(row.Name));
        TemFrm* form = row.Name == "bil" ? bil_ : maintest::ShowForm(*form_, row.Name);
        if (form == bil_) {
            TEventPause quiet(form_->XcTreeView2->OnChange);
            form_->XcTreeView2->SetSelected(form_->XcTreeView2->Items()->GetFirstNode());
            form_->ShowSelectedForm();
        }
        answers_.boxes.clear();
        const int first = NextField(*form, 0);
        Open(first);
        int typed = 0;
        do {
            const uint8_t kind = TEFieldTable[OpenEditor.Field].EditType;
            Editor()->SetText(kind == ie_currency ? "12,5" : kind == ie_maskedit ? "31.12.2004" : "Tekst");
            const int from = OpenEditor.Field;
            PostMessageW(form_->Handle(), WM_USER_EDITOR_KEY, 0,
                         (++typed % 2 ? VK_TAB : VK_RETURN) | 0x10000);
            for (int i = 0; i < 1000 && OpenEditor.Field == from; ++i) Application->ProcessMessages();
            ASSERT_NE(OpenEditor.Field, from);
        } while (OpenEditor.Field != first);
        int enabled = 0;
        for (int n = form->FirstID + 1; n < form->LastID; ++n) {
            if (!TEFieldTable[n].Enabled) continue;
            ++enabled;
            EXPECT_FALSE(form->GetValueText(static_cast<uint16_t>(n)).empty()) << n;
        }
        EXPECT_EQ(typed, enabled);
        ASSERT_EQ(answers_.boxes.size(), row.PageCount == 2 ? 2u : 0u);
        if (row.PageCount == 2) {
            EXPECT_EQ(answers_.boxes[0].text, kNextPage);
            EXPECT_EQ(answers_.boxes[1].text, kFirstPage);
        }
        form_->EndFieldEdit(false);
    }
}

class RefusedValueTest : public EditingTest {
protected:
    void TypeRefusedAndTab(int answer) {
        TypeRefused(154, answer);
        Press(VK_TAB);
        ASSERT_EQ(answers_.boxes.size(), 2u);
        EXPECT_EQ(answers_.boxes[0].text, kNextPage);
        EXPECT_EQ(answers_.boxes[1].text, kCorrect);
    }
};

TEST_F(RefusedValueTest, CorrectingItKeepsTheEditorWithItsTextOnItsFieldAndPage) {
    TypeRefusedAndTab(IDYES);
    EXPECT_EQ(Preview().CurrentPage(), 1);
    EXPECT_EQ(form_->PageNavigator->TabIndex(), 0);
    EXPECT_EQ(OpenEditor.Field, 154);
    EXPECT_EQ(Editor()->Text(), "3-5,00");
    EXPECT_TRUE(Editor()->Focused());
    ExpectOver(154);
    EXPECT_TRUE(bil_->GetValue(154).IsEmpty());
}

TEST_F(RefusedValueTest, KeepingItStoresTheTextTurnsThePageAndEmptiesTheTotalWithAnError) {
    TypeRefusedAndTab(IDNO);
    EXPECT_EQ(Preview().CurrentPage(), 2);
    EXPECT_EQ(OpenEditor.Field, 157);
    EXPECT_EQ(bil_->GetValue(154).AsRawString(), "3-5,00");
    EXPECT_TRUE(bil_->GetValue(151).IsEmpty());  // 151 sums 152..154 and more
    cltest::Pump();
    ASSERT_GT(ErrorList.Count(), 0);
    EXPECT_EQ(ErrorList.Items(0).Kind, kRecalcErrorKind);
    ASSERT_EQ(form_->ErrListBox->Items()->Count(), ErrorList.Count());
    EXPECT_EQ(form_->ErrListBox->Items()->Get(0), ErrorList.Items(0).Text);
    EXPECT_TRUE(DataModified);
}

// A value to be corrected holds the forms view and the program: the editor
// stays with its text and the focus.
TEST_F(EditingTest, ARefusedValueKeepsTheFormsViewAndTheProgramOpen) {
    form_->URL_upgrade->SetURL("C:\\brak\\takiego\\pliku.html");
    const struct {
        const char* what;
        void (*command)(TMainForm&);
        std::vector<std::string> boxes;
    } cases[] = {
        {"the wizard", [](TMainForm& f) { f.ShowWizardMode(nullptr); }, {kCorrect}},
        {"the forms again", [](TMainForm& f) { f.Twojeformularze1Execute(nullptr); }, {kCorrect}},
        {"closing for an update",
         [](TMainForm& f) { SendMessageW(f.Handle(), WM_USER_CLOSE_FOR_UPDATE, 0, 0); },
         {kCorrect, "Proces został wstrzymany. Proszę ponowić próbę."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TypeRefused(10, IDYES);
        c.command(*form_);
        cltest::Pump();
        std::vector<std::string> boxes;
        for (const cltest::MessageBoxRecord& b : answers_.boxes) boxes.push_back(b.text);
        EXPECT_EQ(boxes, c.boxes);
        if (boxes.size() > 1) EXPECT_EQ(answers_.boxes.back().caption, "Uwaga");
        EXPECT_EQ(form_->XcPageControl1->ActivePage(), form_->TabSheet2);
        EXPECT_EQ(OpenEditor.Field, 10);
        EXPECT_EQ(Editor()->Text(), "3-5,00");
        EXPECT_TRUE(Editor()->Focused());
        EXPECT_TRUE(IsWindowVisible(form_->Handle()));
    }
}

// On the page, a refused amount keeps its editor; kept as it is, the
// editor goes on to the next amount.
TEST_F(EditingTest, ARefusedAmountTabbedOnItsPageKeepsItsEditorUntilItIsKept) {
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer);
        TypeRefused(10, answer);
        Press(VK_TAB);
        ASSERT_EQ(answers_.boxes.size(), 1u);
        EXPECT_EQ(answers_.boxes[0].text, kCorrect);
        const bool kept = answer == IDNO;
        EXPECT_EQ(OpenEditor.Field, kept ? 11 : 10);
        ExpectOver(kept ? 11 : 10);
        EXPECT_EQ(Editor()->Text(), kept ? "" : "3-5,00");
        EXPECT_TRUE(Editor()->Focused());
        EXPECT_EQ(bil_->GetValue(10).IsEmpty(), !kept);
    }
    EXPECT_EQ(bil_->GetValue(10).AsRawString(), "3-5,00");
}

// What an amount editor shows and would do with the next key, in a line.
std::string AmountEditorState(TWinControl* editor) {
    auto* e = dynamic_cast<TEFloatEdit*>(editor);
    if (!e) return "no amount editor";
    std::ostringstream s;
    s << '"' << e->Text() << "\" null " << e->Null() << " decimals " << int{e->DecimalPlaces()} << " plus "
      << e->ShowPosSign() << " modified " << e->Modified() << " undo " << e->CanUndo() << " selected "
      << e->SelStart() << '+' << e->SelLength() << " at " << e->Left() << ',' << e->Top() << ' ' << e->Width()
      << 'x' << e->Height() << " font " << e->Font()->Size() << ' ' << e->Font()->Color() << " visible "
      << e->Visible() << " focused " << e->Focused();
    return s.str();
}

// A typed amount of zestzf followed by one of another height.
std::pair<int, int> AmountsOfTwoHeights(const TemFrm& form) {
    for (int a = NextField(form, 0), b = NextField(form, a); b != 0 && b > a; a = b, b = NextField(form, a))
        if (TEFieldTable[a].EditType == ie_currency && TEFieldTable[b].EditType == ie_currency &&
            TEFieldTable[a].Page == TEFieldTable[b].Page && TEFieldTable[a].Height != TEFieldTable[b].Height)
            return {a, b};
    return {};
}

// A Tab between amounts of the page keeps the editor's window: it then is
// what a new editor opened on the next amount is, with nothing left of
// what was typed before (a sign, the undo, the modified mark).
TEST_F(EditingTest, AnEditorTabbedToAnAmountIsWhatANewOneOpenedThereIs) {
    const struct {
        const char* form;
        int zoom, from, to;  // zestzf: from a taller amount to a lower one
        const char *typed, *toValue, *toText;
    } cases[] = {
        {"bil", 100, 10, 11, "+12", "-7,5", "-7,50"},
        {"bil", 100, 11, 12, "3\b", "", ""},  // typed and rubbed out
        {"zestzf", 150, 0, 0, "4", "1", "1,00"},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.form);
        TemFrm* form = c.from ? bil_ : maintest::ShowForm(*form_, c.form);
        if (!c.from) std::tie(c.from, c.to) = AmountsOfTwoHeights(*form);
        ASSERT_NE(c.from, 0);
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
        Preview().SetZoom(c.zoom);
        ASSERT_TRUE(form->SetValueAsText(static_cast<uint16_t>(c.to), c.toValue));
        Open(c.from);
        TWinControl* editor = Editor();
        Type(c.typed);
        Press(VK_TAB);
        ASSERT_EQ(OpenEditor.Field, c.to);
        EXPECT_EQ(Editor(), editor);
        EXPECT_EQ(Editor()->Text(), c.toText);
        const std::string moved = AmountEditorState(Editor());
        form_->EndFieldEdit(false);
        Open(c.to);
        EXPECT_EQ(AmountEditorState(Editor()), moved);
        form_->EndFieldEdit(false);
    }
}

TEST_F(EditingTest, EscAfterTypingClosesWithoutStoringAndThePreviewTakesTheKeys) {
    ASSERT_TRUE(bil_->SetValueAsText(10, "1234,5"));
    DataModified = false;
    Open(10);
    Type("99");
    ASSERT_EQ(Editor()->Text(), "99");
    Press(VK_ESCAPE);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(Preview().Focused());
    EXPECT_EQ(bil_->GetValueText(10),
              "1\xA0"
              "234,50");
    EXPECT_FALSE(DataModified);
    Open(10);
    EXPECT_EQ(Editor()->Text(), "1234,50");
}

TEST_F(EditingTest, AKeyMessageWithoutTheEditorsMarkerIsIgnored) {
    Open(10);
    PostMessageW(form_->Handle(), WM_USER_EDITOR_KEY, 0, VK_TAB | (2 << 16));
    cltest::Pump();
    EXPECT_EQ(OpenEditor.Field, 10);
}

// A typed field of page 2 whose middle (on the paper) lies inside a typed
// field of page 1.
struct Overlap {
    int first, second;
    TPoint at;
};

Overlap FindOverlap() {
    auto paper = [](int field) {
        const int page = TEFieldTable[field].Page;
        return Rect(10 * ScreenLeft(1, page, field), 10 * ScreenTop(1, page, field),
                    10 * ScreenRight(1, page, field), 10 * ScreenBottom(1, page, field));
    };
    for (int b = 155; b < 264; ++b) {
        const TRect rb = paper(b);
        const TPoint mid = Point((rb.left + rb.right) / 2, (rb.top + rb.bottom) / 2);
        for (int a = 5; a < 154; ++a) {
            const TRect ra = paper(a);
            if (TEFieldTable[a].Enabled && TEFieldTable[b].Enabled && PtInRect(&ra, mid)) return {a, b, mid};
        }
    }
    return {};
}

// The kinds the field table does not use, through a definition of the
// test's own: a cell field, a whole number and several lines open on the
// field's text (the opening click changes nothing there).
TEST_F(EditingTest, CellIntegerAndMemoFieldsOpenTheirEditorsOnTheFieldsText) {
    const struct {
        uint8_t kind;
        const char *text, *mask, *editor;  // editor "": none
    } cases[] = {
        {8, "12-34", "99\\-99;1;_", "TEMaskEdit"},
        {10, "42", "", "TEIntEdit"},
        {11, "Linia 1\r\nLinia 2", "", "TEMemo"},
        {2, "Tekst", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int{c.kind});
        TEField def{};
        def.EditType = c.kind;
        def.EditMask = c.mask;
        TWinControl* editor =
            MakeFieldEditor(&Preview(), def, 10, Variant(), c.text, Rect(20, 20, 120, 40), true);
        if (!*c.editor) {
            EXPECT_EQ(editor, nullptr);
            continue;
        }
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->ClassName(), c.editor);
        EXPECT_EQ(editor->Text(), c.text);
        if (auto* cells = dynamic_cast<TEMaskEdit*>(editor)) EXPECT_EQ(cells->EditMask(), c.mask);
        cl::Free(editor);
    }
}

// A check box opens on the value as a tick, and only then hears its
// clicks: a click opens it flipped, which alone tells the main window
// (the field number, plus $10000 ticked), and the page is painted again;
// a message naming no field paints nothing.
TEST_F(EditingTest, ACheckBoxFieldOpensOnItsTickAndAClickOpensItFlipped) {
    std::vector<LPARAM> sent;
    form_->WindowHooks().Add([&](TMessage& m, bool&) {
        if (m.Msg == WM_USER_CHECKBOX_CLICK) sent.push_back(m.LParam);
    });
    int paints = 0;
    Preview().OnPaint = [&, paint = Preview().OnPaint](TObject* s, TCanvas* c, const TRect& r) {
        ++paints;
        paint(s, c, r);
    };
    const struct {
        const char* what;
        Variant value;
        bool click, ticked;
        std::vector<LPARAM> sent;
    } cases[] = {
        {"empty", Variant(), false, false, {}},
        {"null", Variant::Null(), false, false, {}},
        {"true", Variant(true), false, true, {}},
        {"null clicked", Variant::Null(), true, true, {10 + 0x10000}},
        {"true clicked", Variant(true), true, false, {10}},
    };
    TEField def{};
    def.EditType = 4;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cltest::Pump();
        sent.clear();
        paints = 0;
        auto* box = dynamic_cast<TEChBox*>(
            MakeFieldEditor(&Preview(), def, 10, c.value, "", Rect(20, 20, 120, 40), c.click));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->Checked(), c.ticked);
        EXPECT_EQ(box->Tag(), 10);
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(paints > 0, c.click);
        cl::Free(box);
    }
    cltest::Pump();
    paints = 0;
    SendMessageW(form_->Handle(), WM_USER_CHECKBOX_CLICK, 0, 0x10000);
    EXPECT_EQ(paints, 0) << "no field, no repaint";
}

// The pointer frames the field under it, green for a typed one and red for
// a total, drawn inverted (so on white the frame has its colour), and turns
// the developer's coordinates red; off the fields the frame goes and they
// are black again.  At 100% 96 pixels are an inch, 25.4 mm.
TEST_F(EditingTest, TheFieldUnderThePointerIsFramedInTheColourOfItsKind) {
    form_->Label1->SetVisible(true);
    TPaperPreview& sheet = *Preview().PaperPreview();
    const WindowDC dc(sheet.Handle());
    const struct {
        int field;
        COLORREF frame;
    } fields[] = {{12, RGB(0, 128, 0)}, {9, RGB(255, 0, 0)}};
    for (const auto& f : fields) {
        SCOPED_TRACE(f.field);
        const TRect r = Preview().PaperToScreenRect(
            Rect(10 * ScreenLeft(1, 1, f.field), 10 * ScreenTop(1, 1, f.field),
                 10 * ScreenRight(1, 1, f.field), 10 * ScreenBottom(1, 1, f.field)));
        std::vector<COLORREF> before;
        for (int x = r.left; x < r.right; ++x) before.push_back(GetPixel(dc.get(), x, r.top));
        Mouse(WM_MOUSEMOVE, Point(5 * (ScreenLeft(1, 1, f.field) + ScreenRight(1, 1, f.field)),
                                  5 * (ScreenTop(1, 1, f.field) + ScreenBottom(1, 1, f.field))));
        ASSERT_EQ(HoveredField, f.field);
        for (int x = r.left; x < r.right; ++x)
            EXPECT_EQ(~(GetPixel(dc.get(), x, r.top) ^ before[x - r.left]) & 0xFFFFFF, f.frame) << x;
        EXPECT_EQ(form_->Label1->Font()->Color(), clRed);
    }
    Mouse(WM_MOUSEMOVE, Point(2540, 5080));
    EXPECT_EQ(HoveredField, 0);
    EXPECT_EQ(form_->Label1->Caption(), "X=25,4    Y=50,8");
    EXPECT_EQ(form_->Label1->Font()->Color(), clBlack);
}

TEST_F(EditingTest, AClickAfterAKeyboardPageTurnOpensTheFieldUnderIt) {
    const Overlap o = FindOverlap();
    ASSERT_NE(o.first, 0);
    Mouse(WM_MOUSEMOVE, o.at);
    ASSERT_EQ(HoveredField, o.first);
    EXPECT_EQ(Preview().PaperPreview()->Cursor(), crHandPoint);

    Open(154);
    Press(VK_TAB);
    ASSERT_EQ(Preview().CurrentPage(), 2);
    // The turned page has wiped the frame, and the hover with it.
    EXPECT_EQ(HoveredField, 0);
    EXPECT_EQ(Preview().PaperPreview()->Cursor(), crDefault);
    Mouse(WM_LBUTTONDOWN, o.at);
    Mouse(WM_LBUTTONUP, o.at);
    EXPECT_EQ(OpenEditor.Field, o.second);
    ExpectOver(o.second);
}

TEST_F(EditingTest, TheEditorLiesOnItsFieldAtEachZoomWhenScrolledAndAfterACtrlWheelZoom) {
    for (int zoom : {100, 150}) {
        SCOPED_TRACE(zoom);
        Preview().SetZoom(zoom);
        Open(10);
        ExpectOver(10);
    }
    TControlScrollBar* bar = Preview().VertScrollBar();
    ASSERT_TRUE(Preview().CanScrollV());
    bar->SetPosition(bar->Position() + 120);
    cltest::Pump();
    ExpectOver(10);

    // The wheel over the focused editor reaches the preview, which zooms.
    const int zoom = Preview().Zoom();
    RECT r;
    GetWindowRect(Editor()->Handle(), &r);
    SendMessageW(Editor()->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA),
                 MAKELPARAM(r.left + 2, r.top + 2));
    cltest::Pump();
    EXPECT_NE(Preview().Zoom(), zoom);
    EXPECT_EQ(OpenEditor.Field, 10);
    ExpectOver(10);
}

}  // namespace
