// The small containers and text controls in a test window: the error
// list's horizontal extent through refills, deletions and clearing; the
// owner-drawn static text's size and painting; the scroll box taking the
// focus on a click, scrolling by keys and letting Tab go on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"
#include "controls/win/XcScrollBox.h"
#include "controls/win/XcStaticText.h"
#include "controls/win/XcTextListBox.h"
#include "tests/win/FormsTestSupport.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using namespace cltest;

Owned<TForm> NewForm() {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(80, 80, 400, 300);
    return form;
}

// ---- Error list ----------------------------------------------------------------------
struct ErrorList {
    ErrorList() : form(NewForm()) {
        list = new TXcTextListBox(form.get());
        list->SetParent(form.get());
        list->SetBounds(0, 0, 200, 80);
        list->SetParentFont(false);
        list->Font()->SetStyle(fsBold);
        list->Font()->SetColor(clRed);
        form->Show();
        Pump();
    }
    int Extent() const {
        return static_cast<int>(SendMessageW(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0));
    }
    // The width the list gives an item: its text and an "x" in the bold font.
    int WidthOf(const std::string& text) const { return ScreenTextExtent(*list->Font(), text + "x").cx; }
    Owned<TForm> form;
    TXcTextListBox* list;
};

TEST(ErrorListExtent, FollowsTheWidestItem) {
    ErrorList e;
    const std::string narrow = "Pole 12";
    const std::string middle = "Suma aktywów różni się od sumy pasywów";
    const std::string wide = "Wartość pola A.II.3 przekracza sumę pozycji bilansu w kolumnie bieżącej";
    TStrings* items = e.list->Items();
    items->Add(middle);
    items->Add(wide);
    items->Add(narrow);
    EXPECT_EQ(e.Extent(), e.WidthOf(wide));
    EXPECT_GT(e.WidthOf(wide), ScreenTextExtent(*e.form->Font(), wide + "x").cx) << "measured in bold";

    items->Delete(2);
    EXPECT_EQ(e.Extent(), e.WidthOf(wide)) << "a narrower item goes";
    items->Delete(1);
    EXPECT_EQ(e.Extent(), e.WidthOf(middle)) << "the widest goes";
    EXPECT_EQ(SendMessageW(e.list->Handle(), LB_DELETESTRING, 7, 0), LB_ERR) << "passed on out of range";
    const std::wstring refused = ToWide(wide + wide);
    EXPECT_EQ(SendMessageW(e.list->Handle(), LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(refused.c_str())),
              LB_ERR);
    EXPECT_EQ(e.Extent(), e.WidthOf(middle)) << "nothing measured for what did not go in";

    items->Clear();
    EXPECT_EQ(e.Extent(), 0);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    GetScrollInfo(e.list->Handle(), SB_HORZ, &si);
    EXPECT_LE(si.nMax - si.nMin + 1, static_cast<int>(si.nPage)) << "no horizontal range left";

    items->Insert(0, narrow);
    items->Insert(0, middle);
    EXPECT_EQ(e.Extent(), e.WidthOf(middle)) << "refilled";
    e.list->RecreateWnd();
    EXPECT_EQ(e.Extent(), e.WidthOf(middle)) << "a new window measures its items again";
    e.list->Font()->SetStyle(0);
    EXPECT_EQ(e.Extent(), e.WidthOf(middle)) << "a new font measures them again";
}

// ---- Static text ---------------------------------------------------------------------
TEST(StaticText, IsAnOwnerDrawnStaticThatFitsItsCaption) {
    Owned<TForm> form = NewForm();
    auto* text = new TXcStaticText(form.get());
    text->SetParent(form.get());
    text->SetCaption("Dobór nie dokończony!");
    form->Show();
    Pump();
    EXPECT_EQ(GetWindowLongW(text->Handle(), GWL_STYLE) & (SS_NOTIFY | SS_TYPEMASK),
              SS_NOTIFY | SS_OWNERDRAW);
    text->SetCaption("Sprawozdanie finansowe");
    const SIZE extent = ScreenTextExtent(*text->Font(), "Sprawozdanie finansowe");
    EXPECT_EQ(text->Width(), extent.cx + 4 * GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(text->Height(), extent.cy + 4 * GetSystemMetrics(SM_CYBORDER));
}

TEST(StaticText, SelectionStatusIsCentredBothWaysInASunkenFrame) {
    Owned<TForm> form = NewForm();
    auto* text = new TXcStaticText(form.get());
    text->SetParent(form.get());
    text->SetAutoSize(false);
    text->SetBounds(10, 10, 240, 22);
    text->SetAlignment(taCenter);
    text->SetLayout(tlCenter);
    text->SetBorderStyle(sbsSunken);
    text->SetParentFont(false);
    text->Font()->SetStyle(fsBold);
    text->Font()->SetColor(clWhite);
    text->SetColor(clRed);
    text->SetCaption("Dobór nie dokończony!");
    form->Show();
    Pump();
    EXPECT_EQ(Bounds(text), "10,10,240,22") << "AutoSize off keeps the bounds";
    gfxtest::Surface surface(240, 22);
    surface.Canvas().FillRect(Rect(0, 0, 240, 22));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.hwndItem = text->Handle();
    item.hDC = surface.Canvas().Handle();
    item.rcItem = Rect(0, 0, 240, 22);
    text->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    // A soft sunken edge: the dark shadow at the top left.
    EXPECT_EQ(surface.At(0, 0), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(surface.At(239, 21), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(surface.At(3, 3), clRed);
    // The white text's bounding box sits in the middle.
    int left = 240, right = -1, top = 22, bottom = -1;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 240; ++x)
            if (surface.At(x, y) == clWhite) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0);
    EXPECT_NEAR((left + right) / 2, 120, 3);
    EXPECT_NEAR((top + bottom) / 2, 11, 3);
}

TEST(StaticText, RightToLeftAlignedTheLeftAndRightAlignmentsChangePlaces) {
    Owned<TForm> form = NewForm();
    auto* text = new TXcStaticText(form.get());
    text->SetParent(form.get());
    const struct {
        TBiDiMode mode;
        TAlignment alignment;
        UINT flag;
    } cases[] = {
        {bdLeftToRight, taLeftJustify, DT_LEFT},        {bdLeftToRight, taRightJustify, DT_RIGHT},
        {bdLeftToRight, taCenter, DT_CENTER},           {bdRightToLeft, taLeftJustify, DT_RIGHT},
        {bdRightToLeft, taRightJustify, DT_LEFT},       {bdRightToLeft, taCenter, DT_CENTER},
        {bdRightToLeftNoAlign, taLeftJustify, DT_LEFT},
    };
    for (const auto& c : cases) {
        text->SetBiDiMode(c.mode);
        text->SetAlignment(c.alignment);
        EXPECT_EQ(text->TextFlags() & (DT_LEFT | DT_RIGHT | DT_CENTER), c.flag)
            << c.mode << " " << c.alignment;
    }
}

TEST(StaticText, AltAcceleratorFocusesItsControl) {
    Owned<TForm> form = NewForm();
    auto* text = new TXcStaticText(form.get());
    text->SetParent(form.get());
    text->SetCaption("&Rok obrotowy");
    auto* edit = new TTestEdit(form.get());
    edit->SetParent(form.get());
    edit->SetTop(40);
    text->SetFocusControl(edit);
    auto* other = new TTestEdit(form.get());
    other->SetParent(form.get());
    other->SetTop(80);
    form->Show();
    Pump();
    other->SetFocus();
    constexpr LPARAM kAlt = 0x20000000;
    EXPECT_EQ(text->Perform(CM_DIALOGCHAR, 'r', 0), 0) << "without Alt";
    EXPECT_FALSE(edit->Focused());
    EXPECT_EQ(text->Perform(CM_DIALOGCHAR, 'r', kAlt), 1);
    EXPECT_TRUE(edit->Focused());
    edit->Free();
    EXPECT_EQ(text->FocusControl(), nullptr);
}

// ---- Scroll box ----------------------------------------------------------------------
TEST(ScrollBox, TakesTheFocusOnAClickScrollsByKeysAndLetsTabGoOn) {
    Owned<TForm> form = NewForm();
    auto* before = new TTestEdit(form.get());
    before->SetParent(form.get());
    auto* box = new TXcScrollBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(0, 30, 200, 100);
    box->SetTabStop(true);
    auto* after = new TTestEdit(form.get());
    after->SetParent(form.get());
    after->SetTop(150);
    auto* below = new TTestEdit(form.get());
    below->SetParent(box);
    below->SetBounds(0, 300, 50, 21);
    int scrolled = 0;
    box->OnVerticalScroll = [&](TObject*) { ++scrolled; };
    form->Show();
    Pump();
    before->SetFocus();
    Pump();

    PostClick(box->Handle(), 150, 10);
    Pump();
    EXPECT_TRUE(box->Focused());
    PostKey(box->Handle(), VK_DOWN);
    Pump();
    EXPECT_GT(box->VertScrollBar()->Position(), 0);
    EXPECT_EQ(scrolled, 1);
    PostKey(box->Handle(), VK_TAB);
    Pump();
    EXPECT_TRUE(after->Focused() || below->Focused()) << "Tab moved the focus on";
    EXPECT_FALSE(box->Focused());
}

}  // namespace
