// The preview's sheet: defaults, the zoom states laid out on the real
// control with its scroll bars, kept scroll positions, keys, wheel, drag
// scrolling, page turning, coordinates, and pixels of the painted sheet.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/preview/win/PreviewSupport.h"

namespace {

using namespace cl;
using namespace cltest;
using previewtest::A4Page;
using previewtest::PageDrawing;
using previewtest::PreviewTest;

using SheetTest = PreviewTest;

// The sheet painted into a memory bitmap through its paint message.
struct Painted {
    explicit Painted(TPaperPreview* sheet) {
        bitmap.SetPixelFormat(pf24bit);
        bitmap.SetSize(sheet->Width(), sheet->Height());
        sheet->Invalidate();
        sheet->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
    }
    TColor At(int x, int y) { return bitmap.Canvas()->Pixels(x, y); }
    TBitmap bitmap;
};

TEST_F(SheetTest, ConstructorSetsThePublishedDefaults) {
    EXPECT_EQ(preview->Align(), alClient);
    EXPECT_FALSE(preview->Annotation());
    EXPECT_FALSE(preview->DirectPrint());
    EXPECT_TRUE(preview->FastPrint());
    EXPECT_EQ(preview->Units(), mmHiMetric);
    EXPECT_EQ(preview->Orientation(), poPortrait);
    EXPECT_EQ(preview->PaperType(), pA4);
    EXPECT_EQ(preview->PaperWidth(), 21000);
    EXPECT_EQ(preview->PaperHeight(), 29700);
    EXPECT_FALSE(preview->ParentFont());
    EXPECT_EQ(preview->Font()->Name(), "Arial");
    EXPECT_EQ(preview->Font()->Size(), 8);
    EXPECT_EQ(preview->PrintJobTitle(), "");
    EXPECT_TRUE(preview->TabStop());
    EXPECT_FALSE(preview->UsePrinterOptions());
    EXPECT_FALSE(preview->UseTempFile());
    EXPECT_EQ(preview->ZoomState(), zsZoomToHeight);
    EXPECT_EQ(preview->Zoom(), 100);
    EXPECT_EQ(preview->ZoomMin(), 10);
    EXPECT_EQ(preview->ZoomMax(), 500);
    EXPECT_TRUE(preview->ZoomSavePos());
    EXPECT_EQ(preview->ZoomStep(), 10);
    EXPECT_FALSE(preview->NoDragScroll());
    const TPaperPreviewOptions* v = preview->PaperView();
    EXPECT_EQ(v->BorderColor(), clBlack);
    EXPECT_EQ(v->BorderWidth(), 1);
    EXPECT_EQ(v->Cursor(), crDefault);
    EXPECT_EQ(v->DragCursor(), crDefault);
    EXPECT_EQ(v->GrabCursor(), crGrab);
    EXPECT_EQ(v->PaperColor(), clWhite);
    EXPECT_EQ(v->PopupMenu(), nullptr);
    EXPECT_EQ(v->ShadowColor(), clBtnShadow);
    EXPECT_EQ(v->ShadowWidth(), 3);
    EXPECT_EQ(preview->CurrentPage(), 0);
    EXPECT_FALSE(preview->PaperPreview()->Visible());
    // A4 at the screen's resolution.
    EXPECT_EQ(preview->PaperPixelWidth(), MulDiv(21000, Screen->PixelsPerInch(), 2540));
    EXPECT_EQ(preview->PaperPixelHeight(), MulDiv(29700, Screen->PixelsPerInch(), 2540));
}

TEST_F(SheetTest, PropertiesArePublishedByName) {
    EXPECT_EQ(GetEnumProp(*preview, "ZoomState"), "zsZoomToHeight");
    EXPECT_EQ(GetEnumProp(*preview, "PaperType"), "pA4");
    EXPECT_EQ(GetEnumProp(*preview, "Units"), "mmHiMetric");
    SetEnumProp(*preview, "PaperType", "pA5");
    EXPECT_EQ(preview->PaperWidth(), 14800);
    SetOrdProp(*preview, "ZoomStep", 25);
    EXPECT_EQ(preview->ZoomStep(), 25);
    EXPECT_EQ(GetObjectProp(*preview, "PaperView"), preview->PaperView());
    SetOrdProp(*preview->PaperView(), "ShadowWidth", 6);
    EXPECT_EQ(preview->PaperPreview()->ShadowSize(), 6);
}

TEST_F(SheetTest, PaperViewOptionsReachTheSheet) {
    Record(1);
    preview->SetZoom(40);
    TPaperPreview* sheet = preview->PaperPreview();
    const int paperWidth = sheet->PaperWidth();
    TPaperPreviewOptions* v = preview->PaperView();
    v->SetPaperColor(clYellow);
    v->SetBorderWidth(2);
    v->SetShadowWidth(5);
    v->SetBorderColor(clNavy);
    EXPECT_EQ(sheet->PaperColor(), clYellow);
    EXPECT_EQ(sheet->BorderSize(), 2);
    EXPECT_EQ(sheet->ShadowSize(), 5);
    EXPECT_EQ(sheet->Extra(), 9);
    EXPECT_EQ(sheet->PaperWidth(), paperWidth);
    Painted p(sheet);
    EXPECT_EQ(p.At(1, sheet->Height() / 2), clNavy);
    EXPECT_EQ(p.At(sheet->Width() / 2, sheet->Height() / 2), clYellow);
    // Options copied from other options bring all nine values.
    TPaperPreviewOptions other;
    other.SetGrabCursor(crHand);
    other.SetPaperColor(clAqua);
    preview->SetPaperView(&other);
    EXPECT_EQ(v->GrabCursor(), crHand);
    EXPECT_EQ(v->BorderWidth(), 1);
    EXPECT_EQ(sheet->PaperColor(), clAqua);
}

// Painting and loading a page handle no window messages, so nothing can
// swap the page being painted.
TEST_F(SheetTest, PaintingHandlesNoMessages) {
    Record(2);
    constexpr UINT kProbe = WM_USER + 77;
    bool queued = false;
    int paints = 0;
    preview->OnPaint = [&](TObject*, TCanvas*, const TRect&) {
        ++paints;
        MSG msg;
        queued = PeekMessageW(&msg, form->Handle(), kProbe, kProbe, PM_NOREMOVE) != 0;
    };
    PostMessageW(form->Handle(), kProbe, 0, 0);
    preview->SetCurrentPage(2);
    preview->PaperPreview()->Repaint();
    EXPECT_EQ(paints, 1);
    EXPECT_TRUE(queued);
    Pump(20);
}

TEST_F(SheetTest, HandCursorsComeFromTheProgramsResources) {
    EXPECT_NE(Screen->Cursors(crHand), nullptr);
    EXPECT_NE(Screen->Cursors(crGrab), nullptr);
    EXPECT_NE(Screen->Cursors(crHand), Screen->Cursors(crDefault));
    EXPECT_NE(Screen->Cursors(crGrab), Screen->Cursors(crDefault));
    EXPECT_NE(Screen->Cursors(crHand), Screen->Cursors(crGrab));
}

// Every zoom state lays the sheet out as the layout computes it for the
// control's own client area.
TEST_F(SheetTest, ZoomStatesLayTheSheetOutWithTheirScrollBars) {
    Record(2);
    struct Case {
        TZoomState state;
        int zoom;
    } const cases[] = {{zsZoomToWidth, 0}, {zsZoomToHeight, 0}, {zsZoomToFit, 0},
                       {zsZoomOther, 60},  {zsZoomOther, 150},  {zsZoomToWidth, 0}};
    for (const Case& c : cases) {
        // From a known start: no scroll bars.
        preview->SetZoom(10);
        const int clientW = preview->ClientWidth(), clientH = preview->ClientHeight();
        if (c.state == zsZoomOther)
            preview->SetZoom(c.zoom);
        else
            preview->SetZoomState(c.state);
        TSheetLayoutInput in{};
        in.State = c.state;
        in.Zoom = c.zoom;
        in.PaperWidth = preview->PaperPixelWidth();
        in.PaperHeight = preview->PaperPixelHeight();
        in.Extra = preview->PaperPreview()->Extra();
        in.ClientWidth = clientW;
        in.ClientHeight = clientH;
        in.AutoScroll = true;
        in.HorzBarHeight = GetSystemMetrics(SM_CYHSCROLL);
        in.VertBarWidth = GetSystemMetrics(SM_CXVSCROLL);
        const TSheetLayout l = LayoutSheet(in);
        const TPaperPreview* sheet = preview->PaperPreview();
        const std::string what = "state " + std::to_string(c.state) + " zoom " + std::to_string(c.zoom);
        EXPECT_EQ(preview->Zoom(), l.Zoom) << what;
        EXPECT_EQ(preview->ZoomState(), c.state) << what;
        EXPECT_EQ(sheet->Left(), l.Left) << what;
        EXPECT_EQ(sheet->Top(), l.Top) << what;
        EXPECT_EQ(sheet->Width(), l.Width) << what;
        EXPECT_EQ(sheet->Height(), l.Height) << what;
        EXPECT_EQ(preview->CanScrollH(), l.CanScrollH) << what;
        EXPECT_EQ(preview->CanScrollV(), l.CanScrollV) << what;
        // The bars the layout counted on are the bars the control shows.
        EXPECT_EQ(preview->HorzScrollBar()->IsScrollBarVisible(), l.CanScrollH) << what;
        EXPECT_EQ(preview->VertScrollBar()->IsScrollBarVisible(), l.CanScrollV) << what;
        EXPECT_EQ(preview->ClientWidth(), l.ViewWidth) << what;
        EXPECT_EQ(preview->ClientHeight(), l.ViewHeight) << what;
    }
}

TEST_F(SheetTest, ZoomIsClampedAndAlwaysFixed) {
    Record(1);
    int changes = 0;
    preview->OnZoomChange = [&](TObject*) { ++changes; };
    preview->SetZoom(5);
    EXPECT_EQ(preview->Zoom(), 10);
    EXPECT_EQ(preview->ZoomState(), zsZoomOther);
    EXPECT_EQ(changes, 2);  // the layout's, and the setter's own
    preview->SetZoom(900);
    EXPECT_EQ(preview->Zoom(), 500);
    // Limits that would cross each other are ignored; a new limit pulls the zoom in.
    preview->SetZoomMin(0);
    preview->SetZoomMin(600);
    EXPECT_EQ(preview->ZoomMin(), 10);
    preview->SetZoomMax(5);
    EXPECT_EQ(preview->ZoomMax(), 500);
    preview->SetZoomMax(300);
    EXPECT_EQ(preview->Zoom(), 300);
    preview->SetZoom(20);
    preview->SetZoomMin(50);
    EXPECT_EQ(preview->Zoom(), 50);
}

TEST_F(SheetTest, ZoomWithoutABitmapForTheSheetKeepsTheOldOne) {
    Record(1);
    preview->SetZoomMax(100000);
    preview->SetZoom(120);
    int changes = 0;
    preview->OnZoomChange = [&](TObject*) { ++changes; };
    preview->SetZoom(90000);
    EXPECT_EQ(preview->Zoom(), 120);
    EXPECT_TRUE(preview->PaperPreview()->Valid());
    EXPECT_EQ(changes, 1);  // the refused layout's only
}

TEST_F(SheetTest, ZoomKeepsTheScrollPositionsAsPercentages) {
    Record(1);
    preview->SetZoom(200);
    TControlScrollBar* h = preview->HorzScrollBar();
    TControlScrollBar* v = preview->VertScrollBar();
    h->SetPosition((h->Range() - h->ControlSize()) / 2);
    v->SetPosition((v->Range() - v->ControlSize()) / 4);
    const int hPercent = ScrollPercent(h->Position(), h->Range(), h->ControlSize());
    const int vPercent = ScrollPercent(v->Position(), v->Range(), v->ControlSize());
    preview->SetZoom(350);
    EXPECT_NEAR(ScrollPercent(h->Position(), h->Range(), h->ControlSize()), hPercent, 1);
    EXPECT_NEAR(ScrollPercent(v->Position(), v->Range(), v->ControlSize()), vPercent, 1);
    // Without it, a new zoom starts at the top left.
    preview->SetZoomSavePos(false);
    preview->SetZoom(300);
    EXPECT_EQ(h->Position(), 0);
    EXPECT_EQ(v->Position(), 0);
    // Turning pages leaves the positions.
    Record(3);
    preview->SetZoomSavePos(true);
    preview->SetZoom(300);
    v->SetPosition(123);
    preview->SetCurrentPage(3);
    EXPECT_EQ(v->Position(), 123);
}

TEST_F(SheetTest, PageTurningClampsAndAsksFirst) {
    Record(3);
    std::vector<std::string> events;
    preview->OnBeforeChange = [&](TObject*) {
        events.push_back("before " + std::to_string(preview->CurrentPage()));
    };
    preview->OnChange = [&](TObject*) {
        events.push_back("change " + std::to_string(preview->CurrentPage()));
    };
    preview->SetCurrentPage(9);
    preview->SetCurrentPage(3);
    preview->SetCurrentPage(-4);
    EXPECT_EQ(events, (std::vector<std::string>{"before 1", "change 3", "before 3", "change 1"}));
    // A handler refusing the change keeps the page.
    events.clear();
    preview->OnBeforeChange = [&](TObject*) { cl::Abort(); };
    EXPECT_THROW(preview->SetCurrentPage(2), EAbort);
    EXPECT_EQ(preview->CurrentPage(), 1);
    EXPECT_TRUE(events.empty());
}

// Keys as the user presses them: posted to the preview's window.
TEST_F(SheetTest, KeysScrollTurnPagesAndZoom) {
    Record(3);
    TControlScrollBar* h = preview->HorzScrollBar();
    TControlScrollBar* v = preview->VertScrollBar();
    struct Case {
        const char* what;
        WORD key;
        int held;                    // a modifier key, or 0
        int hPos, vPos, page, zoom;  // -1: the far end of the bar; -2: not checked
    } const cases[] = {
        {"Home", VK_HOME, 0, 0, 100, 2, 200},
        {"Ctrl+Home", VK_HOME, VK_CONTROL, 100, 0, 2, 200},
        {"Shift+Home", VK_HOME, VK_SHIFT, 100, 100, 2, 200},
        {"End", VK_END, 0, -1, 100, 2, 200},
        {"Ctrl+End", VK_END, VK_CONTROL, 100, -1, 2, 200},
        {"Left", VK_LEFT, 0, 92, 100, 2, 200},
        {"Shift+Left", VK_LEFT, VK_SHIFT, 99, 100, 2, 200},
        {"Ctrl+Left", VK_LEFT, VK_CONTROL, 0, 100, 2, 200},
        {"Right", VK_RIGHT, 0, 108, 100, 2, 200},
        {"Shift+Right", VK_RIGHT, VK_SHIFT, 101, 100, 2, 200},
        {"Ctrl+Right", VK_RIGHT, VK_CONTROL, -3, 100, 2, 200},
        {"Up", VK_UP, 0, 100, 92, 2, 200},
        {"Shift+Up", VK_UP, VK_SHIFT, 100, 99, 2, 200},
        {"Ctrl+Up", VK_UP, VK_CONTROL, 100, 0, 2, 200},
        {"Down", VK_DOWN, 0, 100, 108, 2, 200},
        {"Shift+Down", VK_DOWN, VK_SHIFT, 100, 101, 2, 200},
        {"Ctrl+Down", VK_DOWN, VK_CONTROL, 100, -3, 2, 200},
        {"Page Down", VK_NEXT, 0, 100, 100, 3, 200},
        {"Ctrl+Page Down", VK_NEXT, VK_CONTROL, 100, 100, 3, 200},
        {"Page Up", VK_PRIOR, 0, 100, 100, 1, 200},
        {"Ctrl+Page Up", VK_PRIOR, VK_CONTROL, 100, 100, 1, 200},
        {"Shift+Page Up", VK_PRIOR, VK_SHIFT, 100, 100, 2, 200},
        {"pad +", VK_ADD, 0, -2, -2, 2, 210},
        {"pad -", VK_SUBTRACT, 0, -2, -2, 2, 190},
        {"Ctrl+pad +", VK_ADD, VK_CONTROL, 100, 100, 2, 200},
    };
    int keyEvents = 0;
    preview->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyEvents; };
    for (const Case& c : cases) {
        preview->SetZoom(200);
        preview->SetCurrentPage(2);
        h->SetPosition(100);
        v->SetPosition(100);
        keyEvents = 0;
        const int cw = preview->ClientWidth(), ch = preview->ClientHeight();
        {
            std::optional<HeldKeys> held;
            if (c.held) held.emplace(std::initializer_list<int>{c.held});
            PostKey(preview->Handle(), c.key);
            Pump(30);
        }
        const int hEnd = h->Range() - h->ControlSize(), vEnd = v->Range() - v->ControlSize();
        // -3: a client's width or height further on.
        const int hWant = c.hPos == -1 ? hEnd : c.hPos == -3 ? std::min(100 + cw, hEnd) : c.hPos;
        const int vWant = c.vPos == -1 ? vEnd : c.vPos == -3 ? std::min(100 + ch, vEnd) : c.vPos;
        if (c.hPos != -2) {
            EXPECT_EQ(h->Position(), hWant) << c.what;
        }
        if (c.vPos != -2) {
            EXPECT_EQ(v->Position(), vWant) << c.what;
        }
        EXPECT_EQ(preview->CurrentPage(), c.page) << c.what;
        EXPECT_EQ(preview->Zoom(), c.zoom) << c.what;
        EXPECT_EQ(keyEvents, 1) << c.what;
    }
}

TEST_F(SheetTest, PageKeysAtTheEndsChangeNothing) {
    Record(3);
    int changes = 0;
    preview->OnChange = [&](TObject*) { ++changes; };
    PostKey(preview->Handle(), VK_PRIOR);
    Pump(30);
    EXPECT_EQ(preview->CurrentPage(), 1);
    {
        HeldKeys ctrl{VK_CONTROL};
        PostKey(preview->Handle(), VK_NEXT);
        Pump(30);
    }
    EXPECT_EQ(preview->CurrentPage(), 3);
    EXPECT_EQ(changes, 1);
}

LRESULT Wheel(TPrintPreview* preview, int delta, WORD keys, bool inside = true) {
    RECT r;
    GetWindowRect(preview->Handle(), &r);
    const int x = inside ? (r.left + r.right) / 2 : r.right + 50;
    const int y = (r.top + r.bottom) / 2;
    return SendMessageW(preview->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)),
                        MAKELPARAM(x, y));
}

TEST_F(SheetTest, WheelScrollsZoomsAndTurnsPagesBy120) {
    Record(3);
    TControlScrollBar* v = preview->VertScrollBar();
    struct Case {
        const char* what;
        std::vector<int> deltas;
        WORD keys;
        int vPos, page, zoom;
    } const cases[] = {
        {"away", {120}, 0, 84, 2, 200},
        {"towards", {-120}, 0, 116, 2, 200},
        {"60 twice", {60, 60}, 0, 84, 2, 200},
        {"-240 at once", {-240}, 0, 132, 2, 200},
        {"Ctrl away", {120}, MK_CONTROL, -1, 2, 210},
        {"Ctrl towards", {-120}, MK_CONTROL, -1, 2, 190},
        {"Shift away", {120}, MK_SHIFT, 100, 1, 200},
        {"Shift towards", {-120}, MK_SHIFT, 100, 3, 200},
        {"middle button towards", {-120}, MK_MBUTTON, 100, 3, 200},
        {"Ctrl+Shift", {120}, MK_CONTROL | MK_SHIFT, 100, 2, 200},
        {"left button", {120}, MK_LBUTTON, 100, 2, 200},
    };
    for (const Case& c : cases) {
        preview->SetZoom(200);
        preview->SetCurrentPage(2);
        v->SetPosition(100);
        for (int d : c.deltas) Wheel(preview, d, c.keys);
        if (c.vPos >= 0) {
            EXPECT_EQ(v->Position(), c.vPos) << c.what;
        }
        EXPECT_EQ(preview->CurrentPage(), c.page) << c.what;
        EXPECT_EQ(preview->Zoom(), c.zoom) << c.what;
    }
    // Outside the preview the wheel does nothing here.
    preview->SetZoom(200);
    v->SetPosition(100);
    Wheel(preview, 120, 0, false);
    EXPECT_EQ(v->Position(), 100);
}

// A drag on the sheet, posted to the sheet's window.
void Drag(TPaperPreview* sheet, POINT from, POINT to) {
    HWND wnd = sheet->Handle();
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    Pump(30);
}

TEST_F(SheetTest, DraggingTheSheetScrollsItUnderThePointer) {
    Record(1);
    preview->SetZoom(250);
    preview->PaperView()->SetDragCursor(crHand);
    TPaperPreview* sheet = preview->PaperPreview();
    EXPECT_EQ(sheet->Cursor(), crHand);
    TControlScrollBar* h = preview->HorzScrollBar();
    TControlScrollBar* v = preview->VertScrollBar();
    h->SetPosition(100);
    v->SetPosition(100);
    Drag(sheet, {300, 300}, {280, 270});
    EXPECT_TRUE(preview->Dragging());
    EXPECT_EQ(sheet->Cursor(), crGrab);
    EXPECT_EQ(h->Position(), 120);
    EXPECT_EQ(v->Position(), 130);
    PostMessageW(sheet->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(280, 270));
    Pump(30);
    EXPECT_FALSE(preview->Dragging());
    EXPECT_EQ(sheet->Cursor(), crHand);
    EXPECT_TRUE(preview->Focused());

    // Switched off, the drag leaves the paper where it is.
    preview->SetNoDragScroll(true);
    Drag(sheet, {300, 300}, {250, 250});
    EXPECT_EQ(h->Position(), 120);
    EXPECT_EQ(v->Position(), 130);
    PostMessageW(sheet->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(250, 250));
    Pump(30);
}

TEST_F(SheetTest, SheetSmallerThanTheViewIsCentredAndNotDragged) {
    Record(1);
    preview->PaperView()->SetCursor(crCross);
    preview->PaperView()->SetDragCursor(crHand);
    preview->SetZoom(20);
    TPaperPreview* sheet = preview->PaperPreview();
    EXPECT_FALSE(preview->CanScrollH());
    EXPECT_FALSE(preview->CanScrollV());
    EXPECT_EQ(sheet->Cursor(), crCross);
    EXPECT_NEAR(sheet->Left() * 2 + sheet->Width(), preview->ClientWidth(), 1);
    EXPECT_NEAR(sheet->Top() * 2 + sheet->Height(), preview->ClientHeight(), 1);
    const int left = sheet->Left(), top = sheet->Top();
    Drag(sheet, {40, 40}, {10, 10});
    EXPECT_FALSE(preview->Dragging());
    EXPECT_EQ(sheet->Left(), left);
    EXPECT_EQ(sheet->Top(), top);
    PostMessageW(sheet->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump(30);
}

TEST_F(SheetTest, MouseOnTheSheetReachesThePreviewsEventsInItsCoordinates) {
    Record(1);
    preview->SetZoom(30);
    std::vector<POINT> downs;
    int clicks = 0;
    preview->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        downs.push_back({x, y});
    };
    preview->OnClick = [&](TObject*) { ++clicks; };
    PostClick(preview->PaperPreview()->Handle(), 10, 20);
    Pump(30);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].x, preview->PaperPreview()->Left() + 10);
    EXPECT_EQ(downs[0].y, preview->PaperPreview()->Top() + 20);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SheetTest, ScreenAndPaperCoordinatesAreInverse) {
    Record(1);
    for (int zoom : {50, 100, 175}) {
        preview->SetZoom(zoom);
        const TPoint paper = Point(10000, 15000);
        const TPoint onPreview = preview->PaperToScreen(paper, true);
        const TPoint back = preview->ScreenToPaper(onPreview);
        // Within two screen pixels at the zoom.
        const int tolerance = 2 * 2540 * 100 / (Screen->PixelsPerInch() * zoom);
        EXPECT_NEAR(back.x, paper.x, tolerance) << zoom;
        EXPECT_NEAR(back.y, paper.y, tolerance) << zoom;
        const TPoint onSheet = preview->PaperToScreen(paper, false);
        EXPECT_EQ(onPreview.x - onSheet.x, preview->PaperPreview()->Left());
        EXPECT_EQ(onPreview.y - onSheet.y, preview->PaperPreview()->Top());
        EXPECT_EQ(preview->PaperToScreen(Point(0, 0)).x, preview->PaperPreview()->BorderSize());
    }
}

TEST_F(SheetTest, TemplateLandsWhereThePaperCoordinatesSay) {
    const TRect square = Rect(5000, 8000, 11000, 12000);
    preview->BeginDoc();
    PageDrawing d;
    d.black = {square};
    preview->AddPage(A4Page(d).get());
    preview->EndDoc();
    for (int zoom : {100, 50}) {
        preview->SetZoom(zoom);
        const TRect r = preview->PaperToScreenRect(square);
        Painted p(preview->PaperPreview());
        const std::string at = "zoom " + std::to_string(zoom);
        // Inside by two pixels black, outside by two pixels white.
        for (int x : {r.left + 2, (r.left + r.right) / 2, r.right - 3})
            for (int y : {r.top + 2, (r.top + r.bottom) / 2, r.bottom - 3})
                EXPECT_EQ(p.At(x, y), clBlack) << at;
        for (int x : {r.left - 3, r.right + 2}) EXPECT_EQ(p.At(x, (r.top + r.bottom) / 2), clWhite) << at;
        for (int y : {r.top - 3, r.bottom + 2}) EXPECT_EQ(p.At((r.left + r.right) / 2, y), clWhite) << at;
    }
}

// A repaint copies the page as last played; a changed page or paper is
// played anew.
TEST_F(SheetTest, ARepaintShowsThePageAsItIsNowAfterItOrItsPaperChanged) {
    Record(1);
    preview->SetZoom(50);
    const TRect square = preview->PaperToScreenRect(Rect(1000, 1000, 2000, 2000));
    const int x = (square.left + square.right) / 2, y = (square.top + square.bottom) / 2;
    auto at = [&](int px, int py) { return Painted(preview->PaperPreview()).At(px, py); };
    EXPECT_EQ(at(x, y), clBlack);
    EXPECT_EQ(at(x, y), clBlack);

    preview->MetafileList()->Metafile(0)->Assign(A4Page(PageDrawing{}).get());
    EXPECT_EQ(at(x, y), clWhite);
    preview->PaperView()->SetPaperColor(clYellow);
    EXPECT_EQ(at(x, y), clYellow);
    EXPECT_EQ(at(x, y), clYellow);
}

// Each page played is kept: turning back shows it as it is.  A new
// document, another zoom or another paper plays the pages anew.
TEST_F(SheetTest, TurningBackShowsEachPageAndANewDocumentZoomOrPaperPlaysThemAnew) {
    Record(2);  // page 2 alone has a square at 3000..4000 x 1000..2000
    preview->SetZoom(50);
    // The middle of that square on an A4 page scaled to the paper shown.
    auto square = [&] {
        const int w = preview->PaperWidth(), h = preview->PaperHeight();
        const TRect r = preview->PaperToScreenRect(Rect(MulDiv(3000, w, 21000), MulDiv(1000, h, 29700),
                                                        MulDiv(4000, w, 21000), MulDiv(2000, h, 29700)));
        return Painted(preview->PaperPreview()).At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    const struct Turn {
        int page;
        TColor color;
    } turns[] = {{1, clWhite}, {2, clBlack}, {1, clWhite}, {2, clBlack}};
    auto turnAll = [&](const char* when, const std::vector<Turn>& pages) {
        for (const Turn& t : pages) {
            preview->SetCurrentPage(t.page);
            EXPECT_EQ(square(), t.color) << when << ", page " << t.page;
        }
    };
    turnAll("recorded", {std::begin(turns), std::end(turns)});

    // Another document of the same size: the square is on its first page.
    preview->BeginDoc();
    PageDrawing d;
    d.black = {Rect(3000, 1000, 4000, 2000)};
    preview->AddPage(A4Page(d).get());
    preview->NewPage();
    preview->AddPage(A4Page(PageDrawing{}).get());
    preview->EndDoc();
    turnAll("another document", {{1, clBlack}, {2, clWhite}, {1, clBlack}});
    preview->SetZoom(70);
    turnAll("zoom 70", {{1, clBlack}, {2, clWhite}, {1, clBlack}});
    preview->SetPaperType(pA5);
    turnAll("A5", {{1, clBlack}, {2, clWhite}, {1, clBlack}});
}

TEST_F(SheetTest, FrameShadowAndPaperArePaintedAroundThePage) {
    Record(1);
    preview->SetZoom(30);
    TPaperPreview* sheet = preview->PaperPreview();
    Painted p(sheet);
    const int w = sheet->Width(), h = sheet->Height();
    EXPECT_EQ(p.At(0, h / 2), clBlack);      // border
    EXPECT_EQ(p.At(w - 4, h / 2), clBlack);  // border's right edge
    EXPECT_EQ(p.At(w - 2, h / 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(p.At(w / 2, h - 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(p.At(w - 2, 1), ColorToRGB(sheet->Color()));  // the corner the shadow leaves
    EXPECT_EQ(p.At(w / 2, h / 2), clWhite);
}

TEST_F(SheetTest, PageThatRemovesItsClipCannotPaintOutsideThePaper) {
    preview->BeginDoc();
    PageDrawing d;
    d.escapeClip = true;
    preview->AddPage(A4Page(d).get());
    preview->EndDoc();
    preview->SetZoom(30);
    TPaperPreview* sheet = preview->PaperPreview();
    Painted p(sheet);
    const TRect page = sheet->GetPageRect();
    EXPECT_EQ(p.At(page.left + 5, page.top + 5), clRed);
    EXPECT_EQ(p.At(0, 0), clBlack);
    EXPECT_EQ(p.At(sheet->Width() - 2, sheet->Height() / 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(p.At(sheet->Width() / 2, sheet->Height() - 1), ColorToRGB(clBtnShadow));
}

TEST_F(SheetTest, PaintEventAndAnnotationDrawOverThePage) {
    Record(2);
    preview->SetZoom(40);
    std::vector<int> annotated;
    preview->OnAnnotation = [&](TObject*, int pageNo, TCanvas* canvas) {
        annotated.push_back(pageNo);
        canvas->Brush()->SetColor(clBlue);
        canvas->FillRect(Rect(10000, 10000, 12000, 12000));  // in Units
    };
    TRect painted{};
    preview->OnPaint = [&](TObject*, TCanvas* canvas, const TRect& r) {
        painted = r;
        canvas->Brush()->SetColor(clLime);
        canvas->FillRect(Rect(r.left, r.top, r.left + 4, r.top + 4));
    };
    preview->SetAnnotation(true);
    preview->SetCurrentPage(2);
    EXPECT_EQ(annotated, (std::vector<int>{1, 2}));
    Painted p(preview->PaperPreview());
    EXPECT_EQ(painted.left, preview->PaperPreview()->BorderSize());
    EXPECT_EQ(p.At(painted.left + 1, painted.top + 1), clLime);
    const TRect blue = preview->PaperToScreenRect(Rect(10000, 10000, 12000, 12000));
    EXPECT_EQ(p.At((blue.left + blue.right) / 2, (blue.top + blue.bottom) / 2), clBlue);
}

TEST_F(SheetTest, XorRectangleDrawnTwiceRestoresTheScreen) {
    Record(1);
    preview->SetZoom(50);
    TPaperPreview* sheet = preview->PaperPreview();
    sheet->Repaint();
    const TRect paper = Rect(2000, 3000, 9000, 7000);
    const TRect r = preview->PaperToScreenRect(paper);
    const WindowDC sheetDC(sheet->Handle());
    HDC dc = sheetDC.get();
    auto row = [&] {
        std::vector<COLORREF> pixels;
        for (int x = r.left - 2; x <= r.right + 2; ++x) pixels.push_back(GetPixel(dc, x, r.top));
        for (int y = r.top; y <= r.bottom; ++y) pixels.push_back(GetPixel(dc, (r.left + r.right) / 2, y));
        pixels.push_back(GetPixel(dc, (r.left + r.right) / 2, (r.top + r.bottom) / 2));  // inside
        return pixels;
    };
    const std::vector<COLORREF> before = row();
    preview->DrawXorRect(paper, clRed, 0);
    const std::vector<COLORREF> once = row();
    preview->DrawXorRect(paper, clRed, 0);
    const std::vector<COLORREF> twice = row();
    EXPECT_NE(once, before);
    EXPECT_EQ(twice, before);
    // Not-xor of red on white paper is red; the inside stays white.
    EXPECT_EQ(once[2], RGB(255, 0, 0));
    EXPECT_EQ(once.back(), before.back());
}

}  // namespace
