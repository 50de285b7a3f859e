// Panels, bevels, splitters and scroll boxes: the panel's client area
// inside its bevels and border, the bevel colours on screen, the bevel
// shapes, a dragged splitter resizing the control beside it, and a focused
// scroll box scrolling by keys.
#include "classlib/win/Panels.h"

#include <gtest/gtest.h>

#include "classlib/win/Forms.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

COLORREF Rgb(TColor c) {
    return static_cast<COLORREF>(ColorToRGB(c));
}

TEST(Panel, ChildrenAreAlignedInsideBevelsAndBorder) {
    struct Case {
        TBevelCut outer, inner;
        int bevelWidth, borderWidth;
        TBorderStyle borderStyle;
        const char* client;  // the alClient child, in the panel's client area
    };
    // The panel is 200 x 100 (196 x 96 inside a window edge).
    const Case cases[] = {
        {bvNone, bvNone, 1, 0, bsNone, "0,0,200,100"},     {bvRaised, bvNone, 1, 0, bsNone, "1,1,198,98"},
        {bvRaised, bvLowered, 2, 0, bsNone, "4,4,192,92"}, {bvLowered, bvSpace, 1, 3, bsNone, "5,5,190,90"},
        {bvNone, bvNone, 1, 4, bsNone, "4,4,192,92"},      {bvRaised, bvNone, 1, 0, bsSingle, "1,1,194,94"},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* panel = new TPanel(form.get());
        panel->SetBounds(10, 10, 200, 100);
        panel->SetParent(form.get());
        auto* child = new TPanel(form.get());
        child->SetAlign(alClient);
        child->SetParent(panel);
        form->Show();
        panel->SetBevelOuter(c.outer);
        panel->SetBevelInner(c.inner);
        panel->SetBevelWidth(c.bevelWidth);
        panel->SetBorderWidth(c.borderWidth);
        panel->SetBorderStyle(c.borderStyle);
        EXPECT_EQ(Bounds(child), c.client) << c.outer << c.inner << c.bevelWidth << c.borderWidth;
    }
}

TEST(Panel, BevelsAreDrawnInTheirColoursAndTheCaptionInTheMiddle) {
    struct Case {
        TBevelCut outer, inner;
        COLORREF topLeft, bottomRight, innerTopLeft;
    };
    const Case cases[] = {
        {bvRaised, bvNone, Rgb(clBtnHighlight), Rgb(clBtnShadow), Rgb(clBtnFace)},
        {bvLowered, bvNone, Rgb(clBtnShadow), Rgb(clBtnHighlight), Rgb(clBtnFace)},
        {bvRaised, bvLowered, Rgb(clBtnHighlight), Rgb(clBtnShadow), Rgb(clBtnShadow)},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* panel = new TPanel(form.get());
        panel->SetBounds(10, 10, 120, 40);
        panel->SetBevelOuter(c.outer);
        panel->SetBevelInner(c.inner);
        panel->SetBorderWidth(2);
        panel->SetParent(form.get());
        form->Show();
        panel->Repaint();
        HWND wnd = panel->Handle();
        EXPECT_EQ(PixelOf(wnd, 0, 0), c.topLeft) << c.outer << c.inner;
        EXPECT_EQ(PixelOf(wnd, 119, 39), c.bottomRight) << c.outer << c.inner;
        EXPECT_EQ(PixelOf(wnd, 1, 1), Rgb(clBtnFace)) << "the border band";
        EXPECT_EQ(PixelOf(wnd, 3, 3), c.innerTopLeft) << c.outer << c.inner;
    }
    // A caption is drawn in the font's colour, centred.
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* panel = new TPanel(form.get());
    panel->SetBounds(0, 0, 120, 40);
    panel->SetParent(form.get());
    panel->SetCaption("WWWW");
    panel->Font()->SetColor(clRed);
    form->Show();
    panel->Repaint();
    int red = 0, redLeftHalf = 0;
    for (int x = 0; x < 120; ++x)
        for (int y = 0; y < 40; ++y)
            if (PixelOf(panel->Handle(), x, y) == RGB(255, 0, 0)) {
                ++red;
                if (x < 60) ++redLeftHalf;
            }
    EXPECT_GT(red, 20);
    EXPECT_NEAR(redLeftHalf, red - redLeftHalf, red / 4) << "centred";
}

TEST(Bevel, ShapesDrawTheirLinesInTheStyleColours) {
    struct Probe {
        int x, y;
        TColor colour;  // clNone: the parent's colour shows
    };
    struct Case {
        TBevelShape shape;
        TBevelStyle style;
        Probe probes[3];
    };
    // The bevel is 40 x 30.
    const Case cases[] = {
        {bsBox, bsLowered, {{0, 10, clBtnShadow}, {39, 10, clBtnHighlight}, {20, 15, clNone}}},
        {bsBox, bsRaised, {{20, 0, clBtnHighlight}, {20, 29, clBtnShadow}, {20, 15, clNone}}},
        {bsFrame, bsLowered, {{0, 10, clBtnShadow}, {1, 10, clBtnHighlight}, {39, 10, clBtnHighlight}}},
        {bsTopLine, bsLowered, {{20, 0, clBtnShadow}, {20, 1, clBtnHighlight}, {20, 15, clNone}}},
        {bsBottomLine, bsRaised, {{20, 28, clBtnHighlight}, {20, 29, clBtnShadow}, {20, 2, clNone}}},
        {bsLeftLine, bsLowered, {{0, 15, clBtnShadow}, {1, 15, clBtnHighlight}, {20, 15, clNone}}},
        {bsRightLine, bsLowered, {{38, 15, clBtnShadow}, {39, 15, clBtnHighlight}, {2, 15, clNone}}},
        {bsSpacer, bsLowered, {{0, 0, clNone}, {39, 29, clNone}, {20, 15, clNone}}},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        form->SetColor(clYellow);
        auto* bevel = new TBevel(form.get());
        bevel->SetBounds(20, 20, 40, 30);
        bevel->SetShape(c.shape);
        bevel->SetStyle(c.style);
        bevel->SetParent(form.get());
        form->Show();
        form->Repaint();
        for (const Probe& p : c.probes)
            EXPECT_EQ(PixelOf(form->Handle(), 20 + p.x, 20 + p.y),
                      Rgb(p.colour == clNone ? clYellow : p.colour))
                << c.shape << "/" << c.style << " at " << p.x << "," << p.y;
    }
}

struct SplitForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TPanel* side;
    TSplitter* splitter;
    TPanel* rest;

    // A side panel of 100 pixels, the splitter beside it, a client panel.
    explicit SplitForm(TAlign align) {
        form->SetClientWidth(400);
        form->SetClientHeight(300);
        side = new TPanel(form.get());
        splitter = new TSplitter(form.get());
        rest = new TPanel(form.get());
        const bool across = align == alLeft || align == alRight;
        side->SetBounds(0, 0, 100, 100);
        side->SetAlign(align);
        side->SetParent(form.get());
        // Placed past the side panel, so it aligns after it.
        splitter->SetBounds(align == alLeft ? 100 : 0, align == alTop ? 100 : 0, across ? 3 : 400,
                            across ? 300 : 3);
        if (align == alRight) splitter->SetLeft(290);
        if (align == alBottom) splitter->SetTop(190);
        splitter->SetAlign(align);
        splitter->SetParent(form.get());
        rest->SetAlign(alClient);
        rest->SetParent(form.get());
        form->Show();
    }
    int SideSize() const {
        return side->Align() == alLeft || side->Align() == alRight ? side->Width() : side->Height();
    }
    // Presses at the splitter's middle, moves by delta along its axis and releases.
    void Drag(int delta) {
        const bool across = splitter->Align() == alLeft || splitter->Align() == alRight;
        const int x = splitter->Left() + splitter->Width() / 2, y = splitter->Top() + splitter->Height() / 2;
        const int dx = across ? delta : 0, dy = across ? 0 : delta;
        const TPoint screen = form->ClientToScreen(Point(x, y));
        SetCursorPos(screen.x, screen.y);
        HWND wnd = form->Handle();
        PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx / 2, y + dy / 2));
        PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y + dy));
        PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y + dy));
        Pump();
    }
};

TEST(Splitter, DraggingResizesTheControlBesideIt) {
    struct Case {
        const char* name;
        TAlign align;
        TResizeStyle style;
        int delta;
        bool refuse;
        int expected;
    };
    // Client 400 x 300; the other controls along the axis: the splitter (3).
    const Case cases[] = {
        {"left, pattern", alLeft, rsPattern, 40, false, 140},
        {"left, update", alLeft, rsUpdate, 40, false, 140},
        {"left, line, smaller", alLeft, rsLine, -30, false, 70},
        {"left, not below MinSize", alLeft, rsUpdate, -90, false, 30},
        {"left, MinSize left for the rest", alLeft, rsPattern, 350, false, 400 - 30 - 3},
        {"right, pulled left", alRight, rsPattern, -40, false, 140},
        {"top", alTop, rsUpdate, 25, false, 125},
        {"bottom, pulled up", alBottom, rsPattern, -50, false, 150},
        {"refused", alLeft, rsUpdate, 40, true, 100},
    };
    for (const Case& c : cases) {
        SplitForm f(c.align);
        f.splitter->SetResizeStyle(c.style);
        ASSERT_EQ(f.SideSize(), 100) << c.name;
        int moved = 0, asked = 0;
        f.splitter->OnMoved = [&](TObject*) { ++moved; };
        f.splitter->OnCanResize = [&](TObject*, int&, bool& accept) {
            ++asked;
            accept = !c.refuse;
        };
        f.Drag(c.delta);
        EXPECT_EQ(f.SideSize(), c.expected) << c.name;
        EXPECT_EQ(moved, 1) << c.name;
        EXPECT_GT(asked, 0) << c.name;
        // The splitter stays beside the control, the rest fills what is left.
        const bool across = c.align == alLeft || c.align == alRight;
        const int restSize = across ? f.rest->Width() : f.rest->Height();
        EXPECT_EQ(restSize, (across ? 400 : 300) - c.expected - 3) << c.name;
    }
}

TEST(Splitter, CursorFollowsTheAlignment) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* splitter = new TSplitter(form.get());
    EXPECT_EQ(splitter->Align(), alLeft);
    EXPECT_EQ(splitter->Cursor(), crHSplit);
    splitter->SetAlign(alBottom);
    EXPECT_EQ(splitter->Cursor(), crVSplit);
}

TEST(ScrollBox, FocusedBoxScrollsByKeys) {
    struct Case {
        WORD key;
        int modifier;  // a held key, or 0
        int horz, vert;
    };
    // Content 400 x 300 in a client area of 200 x 100, starting at (30, 40); Increment 8.
    const Case cases[] = {
        {VK_DOWN, 0, 30, 48},          {VK_UP, 0, 30, 32},           {VK_RIGHT, 0, 38, 40},
        {VK_LEFT, 0, 22, 40},          {VK_NEXT, 0, 30, 140},        {VK_NEXT, VK_SHIFT, 200, 40},
        {VK_PRIOR, 0, 30, 0},          {VK_HOME, 0, 0, 40},          {VK_END, 0, 200, 40},
        {VK_END, VK_CONTROL, 30, 200}, {VK_HOME, VK_CONTROL, 30, 0},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* box = new TScrollBox(form.get());
        box->SetBorderStyle(bsNone);
        box->SetBounds(10, 10, 200, 100);
        box->SetParent(form.get());
        auto* content = new TPanel(form.get());
        content->SetBounds(0, 0, 400, 300);
        content->SetParent(box);
        form->Show();
        // Both bars take room: the client area is what is left.
        box->SetClientWidth(200);
        box->SetClientHeight(100);
        box->HorzScrollBar()->SetPosition(30);
        box->VertScrollBar()->SetPosition(40);
        box->SetFocus();
        ASSERT_TRUE(box->Focused());
        {
            HeldKeys held = c.modifier ? HeldKeys{c.modifier} : HeldKeys{};
            PostKey(box->Handle(), c.key);
            Pump();
        }
        EXPECT_EQ(box->HorzScrollBar()->Position(), c.horz) << c.key << "+" << c.modifier;
        EXPECT_EQ(box->VertScrollBar()->Position(), c.vert) << c.key << "+" << c.modifier;
        EXPECT_EQ(content->Left(), -c.horz) << c.key << "+" << c.modifier;
    }
}

}  // namespace
