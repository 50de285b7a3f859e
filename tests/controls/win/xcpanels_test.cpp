// Panels and splitters in a test window: splitter drags by posted mouse
// within their limits, and drags a key, a lost capture or a cancelled mode
// ends with nothing changed and no line left; the mouse timer giving a hot
// panel its colour back; sizing by the grip; a transparent panel's nudge
// on a resize; arrangement repainting the focused window without painting
// it on the spot.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/Forms.h"
#include "controls/win/XcMouseTimer.h"
#include "controls/win/XcPanel.h"
#include "controls/win/XcSplit.h"
#include "controls/win/XcThemeServices.h"
#include "tests/controls/win/PinnedThemes.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// The main window's left pane in small: a left panel, a splitter beside
// it and the rest, with a focusable edit on the left panel.
struct SplitWindow {
    explicit SplitWindow(TAlign align = alLeft) : form(Make<TForm>(nullptr)) {
        form->SetBounds(40, 40, 300, 200);
        form->SetClientWidth(600);
        form->SetClientHeight(400);
        first = new TXcPanel(form.get());
        first->SetParent(form.get());
        first->SetBounds(0, 0, 240, 240);
        first->SetAlign(align);
        splitter = new TXcxSplitter(form.get());
        splitter->SetParent(form.get());
        // Its place first: the class library lines up a control whose
        // alignment changes before the others of its side at its place.
        if (align == alLeft)
            splitter->SetLeft(240);
        else
            splitter->SetTop(240);
        splitter->SetAlign(align);
        rest = new TXcPanel(form.get());
        rest->SetParent(form.get());
        rest->SetAlign(alClient);
        rest->SetColor(clWhite);
        edit = new TTestEdit(form.get());
        edit->SetParent(first);
        edit->SetBounds(4, 4, 100, 21);
        form->Show();
        Pump();
        edit->SetFocus();
        Pump();
    }
    int Size() const { return first->Align() == alLeft ? first->Width() : first->Height(); }
    // A point of the splitter moved by delta along its axis.
    LPARAM At(int delta) const {
        return first->Align() == alLeft ? MAKELPARAM(1 + delta, 100) : MAKELPARAM(100, 1 + delta);
    }
    void Down() {
        PostMessageW(splitter->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(0));
        Pump();
    }
    void Move(int delta) {
        PostMessageW(splitter->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(delta));
        Pump();
    }
    void Up(int delta) {
        PostMessageW(splitter->Handle(), WM_LBUTTONUP, 0, At(delta));
        Pump();
    }
    // The screen pixels of a band across the rest panel at the line's place
    // for a move of delta.
    std::vector<COLORREF> Band(int delta) {
        std::vector<COLORREF> pixels;
        const WindowDC dc(form->Handle());
        const int centre = 240 + 1 + delta;
        for (int along = 60; along < 380; along += 7)
            for (int across = centre - 3; across <= centre + 3; ++across)
                pixels.push_back(first->Align() == alLeft ? GetPixel(dc.get(), across, along)
                                                          : GetPixel(dc.get(), along * 3 / 2, across));
        return pixels;
    }

    Owned<TForm> form;
    TXcPanel* first;
    TXcxSplitter* splitter;
    TXcPanel* rest;
    TTestEdit* edit;
};

TEST(SplitterDrag, MovesWithinTheLimits) {
    const struct {
        const char* name;
        TAlign align;
        int topLeft, bottomRight;
        int delta;
        int size;
    } cases[] = {
        {"right", alLeft, 100, 50, 60, 300},
        {"left", alLeft, 100, 50, -40, 200},
        {"past the left limit", alLeft, 100, 50, -200, 100},
        // 600 - 50 - 3 for the splitter's own width.
        {"past the right limit", alLeft, 100, 50, 1000, 547},
        {"crossed limits", alLeft, 350, 300, 60, 240},
        {"down", alTop, 20, 20, 50, 290},
        {"past the bottom limit", alTop, 20, 20, 500, 377},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SplitWindow w(c.align);
        w.splitter->SetControlFirst(w.first);
        w.splitter->SetTopLeftLimit(c.topLeft);
        w.splitter->SetBottomRightLimit(c.bottomRight);
        int changed = 0;
        w.splitter->OnPosChanged = [&](TObject*) { ++changed; };
        w.Down();
        w.Move(c.delta / 2);
        w.Move(c.delta);
        w.Up(c.delta);
        EXPECT_EQ(w.Size(), c.size);
        EXPECT_EQ(changed, c.size != 240 ? 1 : 0);
        EXPECT_FALSE(w.splitter->Dragging());
    }
}

TEST(SplitterDrag, SplitStyleFollowsTheAlignments) {
    SplitWindow w;
    EXPECT_EQ(w.splitter->ControlFirst(), w.first) << "found beside it when aligned";
    EXPECT_EQ(w.splitter->SplitStyle(), ssFirstWidth);
    EXPECT_EQ(w.splitter->Cursor(), crHSplit);
    EXPECT_EQ(w.splitter->Width(), 3);
    w.splitter->SetControlFirst(w.rest);
    EXPECT_EQ(w.splitter->SplitStyle(), ssNoSplit) << "a client control and no second one";
    EXPECT_EQ(w.splitter->Cursor(), crDefault);
    w.Down();
    EXPECT_FALSE(w.splitter->Dragging());
    w.Up(0);
    w.splitter->SetControlFirst(w.form.get());
    EXPECT_EQ(w.splitter->ControlFirst(), nullptr) << "forms are refused";
    w.splitter->SetControlFirst(w.splitter);
    EXPECT_EQ(w.splitter->ControlFirst(), nullptr) << "so is the splitter";
}

TEST(SplitterDrag, EndedOtherwiseChangesNothingAndLeavesNoLine) {
    const struct {
        const char* name;
        std::function<void(SplitWindow&)> interrupt;
    } cases[] = {
        {"a key", [](SplitWindow& w) { PostKey(w.edit->Handle(), VK_ESCAPE); }},
        {"a key with Alt", [](SplitWindow& w) { PostAltKey(w.edit->Handle(), 'S'); }},
        {"the capture taken", [](SplitWindow& w) { SetCapture(w.edit->Handle()); }},
        {"the mode cancelled",
         [](SplitWindow& w) { SendMessageW(w.splitter->Handle(), WM_CANCELMODE, 0, 0); }},
        {"the move vetoed",
         [](SplitWindow& w) {
             w.splitter->OnPosChanging = [](TObject*, int, int, bool& allow) { allow = false; };
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SplitWindow w;
        const std::vector<COLORREF> before = w.Band(80);
        int changed = 0;
        w.splitter->OnPosChanged = [&](TObject*) { ++changed; };
        w.Down();
        EXPECT_FALSE(Application->ShowHint()) << "no hints while dragging";
        w.Move(80);
        EXPECT_NE(w.Band(80), before) << "the line shows while dragging";
        c.interrupt(w);
        Pump();
        w.Up(80);
        ReleaseCapture();
        EXPECT_EQ(w.Size(), 240);
        EXPECT_EQ(changed, 0);
        EXPECT_FALSE(w.splitter->Dragging());
        EXPECT_TRUE(Application->ShowHint());
        EXPECT_EQ(w.Band(80), before) << "no line left";
    }
}

TEST(SplitterDrag, FreedWhileDraggingTakesItsLineAlong) {
    SplitWindow w;
    const std::vector<COLORREF> before = w.Band(50);
    w.Down();
    w.Move(50);
    w.splitter->Free();
    Pump();
    EXPECT_TRUE(Application->ShowHint());
    PostKey(w.edit->Handle(), VK_ESCAPE);  // no key watch is left to hear it
    Pump();
    EXPECT_EQ(w.Band(50), before);
}

// ---- Hot colour and the mouse timer ------------------------------------------------
struct HotPanel {
    explicit HotPanel(bool transparent = false) : form(Make<TForm>(nullptr)) {
        form->SetBounds(100, 100, 300, 200);
        panel = new TXcPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(20, 20, 120, 60);
        panel->SetColor(clYellow);
        panel->SetHotColor(clAqua);
        panel->SetTransparent(transparent);
        form->Show();
        Pump();
    }
    // The pointer on the panel, as the idle pass reports it.
    void Enter() {
        const TPoint p = panel->ClientToScreen(Point(10, 10));
        SetCursorPos(p.x, p.y);
        panel->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(panel));
    }
    Owned<TForm> form;
    TXcPanel* panel;
};

TEST(MouseTimer, GivesTheColourBackWhenThePointerLeftQuickly) {
    HotPanel w;
    w.Enter();
    EXPECT_EQ(w.panel->Color(), clAqua);
    EXPECT_EQ(MouseTimer().WatchedControl(), w.panel);
    // Out of the window at once: no idle pass, only the timer notices.
    SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([&] { return w.panel->Color() == clYellow; }, 1000));
    EXPECT_EQ(MouseTimer().WatchedControl(), nullptr);
    EXPECT_FALSE(w.panel->MouseOver());
}

// The intervals of the window timers started meanwhile; none really starts.
class StartedTimers : public TWindowTimers {
public:
    StartedTimers() { SetWindowTimers(this); }
    ~StartedTimers() override { SetWindowTimers(nullptr); }
    bool Set(HWND, UINT_PTR, UINT ms) override {
        intervals.push_back(ms);
        return true;
    }
    void Kill(HWND, UINT_PTR) override {}
    std::vector<UINT> intervals;
};

TEST(MouseTimer, LooksEvery200Ms) {
    HotPanel w;
    StartedTimers timers;
    w.Enter();
    EXPECT_EQ(timers.intervals, std::vector<UINT>{200});
}

TEST(MouseTimer, TransparentPanelWithoutThemesStaysAsItIs) {
    PinnedThemes themes(false);
    const ThemeServicesScope pinned(themes);
    HotPanel w(true);
    w.Enter();
    EXPECT_EQ(w.panel->Color(), clYellow);
    EXPECT_EQ(MouseTimer().WatchedControl(), nullptr);
    EXPECT_TRUE(w.panel->MouseOver());
}

TEST(MouseTimer, WatchingAnotherLeavesTheFirstAndAFreedOneIsForgotten) {
    HotPanel w;
    auto* second = new TXcPanel(w.form.get());
    second->SetParent(w.form.get());
    second->SetBounds(150, 20, 100, 60);
    w.Enter();
    second->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(second));
    EXPECT_EQ(w.panel->Color(), clYellow) << "the first was told it was left";
    EXPECT_EQ(MouseTimer().WatchedControl(), second);
    second->Free();
    EXPECT_EQ(MouseTimer().WatchedControl(), nullptr);
}

// ---- Sizing and arrangement --------------------------------------------------------
TEST(PanelSizing, GripResizesButNeverBelowTwoPixels) {
    HotPanel w;
    w.panel->SetSizeable(true);
    HWND wnd = w.panel->Handle();
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(115, 55));
    Pump();
    EXPECT_EQ(Screen->Cursor(), crSizeNWSE);
    // Grow by 15 x 10, then a shrink below 2 pixels is refused.
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 65));
    Pump();
    EXPECT_EQ(Bounds(w.panel), "20,20,135,70");
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-10, 65));
    Pump();
    EXPECT_EQ(Bounds(w.panel), "20,20,135,70");
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(-10, 65));
    Pump();
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(PanelSizing, ATransparentPanelWithoutThemesNudgesItsWidthOnEachResize) {
    const struct {
        const char* name;
        bool themed, transparent;
        std::vector<int> widths;  // as each resize reports them
    } cases[] = {
        {"transparent without themes", false, true, {150, 151, 150}},
        {"transparent with themes", true, true, {150}},
        {"opaque", false, false, {150}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PinnedThemes themes(c.themed);
        const ThemeServicesScope pinned(themes);
        HotPanel w(c.transparent);
        std::vector<int> widths;
        w.panel->OnResize = [&](TObject*) { widths.push_back(w.panel->Width()); };
        w.panel->SetWidth(150);
        EXPECT_EQ(widths, c.widths);
        EXPECT_EQ(w.panel->Width(), 150);
    }
}

TEST(PanelArrangement, RowsOfChildrenAndTheFocusedWindowRepaintedLater) {
    HotPanel w;
    auto* focused = new TTestEdit(w.form.get());
    focused->SetParent(w.form.get());
    focused->SetBounds(150, 100, 100, 21);
    focused->SetFocus();
    Pump();
    ValidateRect(focused->Handle(), nullptr);
    int paintsNow = 0;
    focused->WindowHooks().Add([&](TMessage& m, bool&) { paintsNow += m.Msg == WM_PAINT; });
    for (int i = 0; i < 3; ++i) {
        auto* child = new TTestEdit(w.form.get());
        child->SetParent(w.panel);
        child->SetBounds(0, 0, 50, 20);
    }
    TXcArrangeSettings* s = w.panel->ArrangeSettings();
    s->SetBorderLeft(4);
    s->SetDistanceHorizontal(2);
    s->SetAutoSize(asHeight);
    s->SetAutoArrange(true);
    EXPECT_EQ(Bounds(w.panel->Controls(0)), "4,0,50,20");
    EXPECT_EQ(Bounds(w.panel->Controls(1)), "56,0,50,20");
    EXPECT_EQ(Bounds(w.panel->Controls(2)), "4,20,50,20");
    EXPECT_EQ(w.panel->Height(), 40);
    EXPECT_EQ(paintsNow, 0) << "painted on the spot";
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(focused->Handle(), &update, FALSE)) << "left to be painted";
}

}  // namespace
