// Controls: alignment and anchors, windowless controls painted and fed
// with the mouse by their parent, custom painting, reflection of child
// notifications, property notifications, window recreation, pop-up menus
// on a right click, and mouse enter / leave.
#include <gtest/gtest.h>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/Menus.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

class TPanelStub : public TCustomControl {
public:
    TPanelStub(TComponent* owner, TWinControl* parent, TAlign align, TRect bounds) : TCustomControl(owner) {
        SetControlStyle(ControlStyle() | csAcceptsControls);
        SetBoundsRect(bounds);
        SetAlign(align);
        SetParent(parent);
    }
};

// A windowless control that paints itself in one colour and logs messages.
class TSwatch : public TGraphicControl {
public:
    TSwatch(TComponent* owner, TWinControl* parent, TColor colour) : TGraphicControl(owner), colour_(colour) {
        SetBounds(40, 30, 60, 40);
        SetParent(parent);
    }
    std::vector<UINT> messages;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(colour_);
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }
    void WndProc(TMessage& m) override {
        messages.push_back(m.Msg);
        TGraphicControl::WndProc(m);
    }

private:
    TColor colour_;
};

TEST(Align, TopLeftAndClientChildrenFollowResize) {
    struct Case {
        int width, height;
        const char* top;
        const char* left;
        const char* client;
    };
    const Case cases[] = {
        {400, 300, "0,0,400,30", "0,30,50,270", "50,30,350,270"},
        {200, 120, "0,0,200,30", "0,30,50,90", "50,30,150,90"},
        {150, 40, "0,0,150,30", "0,30,50,10", "50,30,100,10"},
    };
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* client = new TPanelStub(form.get(), form.get(), alClient, Rect(0, 0, 10, 10));
    auto* left = new TPanelStub(form.get(), form.get(), alLeft, Rect(0, 0, 50, 10));
    auto* top = new TPanelStub(form.get(), form.get(), alTop, Rect(0, 0, 10, 30));
    form->Show();
    for (const Case& c : cases) {
        form->SetClientWidth(c.width);
        form->SetClientHeight(c.height);
        EXPECT_EQ(Bounds(top), c.top) << c.width;
        EXPECT_EQ(Bounds(left), c.left) << c.width;
        EXPECT_EQ(Bounds(client), c.client) << c.width;
    }
}

TEST(Align, EdgesAreTakenTopBottomLeftRightThenClient) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    auto* right = new TPanelStub(form.get(), form.get(), alRight, Rect(0, 0, 40, 10));
    auto* bottom = new TPanelStub(form.get(), form.get(), alBottom, Rect(0, 0, 10, 20));
    auto* client = new TPanelStub(form.get(), form.get(), alClient, Rect(0, 0, 10, 10));
    auto* top2 = new TPanelStub(form.get(), form.get(), alTop, Rect(0, 50, 10, 65));
    auto* top1 = new TPanelStub(form.get(), form.get(), alTop, Rect(0, 0, 10, 10));
    auto* left = new TPanelStub(form.get(), form.get(), alLeft, Rect(0, 0, 30, 10));
    form->HandleNeeded();
    EXPECT_EQ(Bounds(top1), "0,0,300,10");
    EXPECT_EQ(Bounds(top2), "0,10,300,15");
    EXPECT_EQ(Bounds(bottom), "0,180,300,20");
    EXPECT_EQ(Bounds(left), "0,25,30,155");
    EXPECT_EQ(Bounds(right), "260,25,40,155");
    EXPECT_EQ(Bounds(client), "30,25,230,155");
    // A hidden aligned control gives its room back.
    top1->SetVisible(false);
    EXPECT_EQ(Bounds(top2), "0,0,300,15");
    EXPECT_EQ(Bounds(client), "30,15,230,165");
}

TEST(Anchors, ChildKeepsItsDistancesByAnchors) {
    struct Case {
        TAnchors anchors;
        const char* after;
    };
    // 400x300 grows to 500x350; the child stands at 300,250 60x20.
    const Case cases[] = {
        {akLeft | akTop, "300,250,60,20"},
        {akRight | akBottom, "400,300,60,20"},
        {akLeft | akTop | akRight, "300,250,160,20"},
        {akLeft | akTop | akRight | akBottom, "300,250,160,70"},
        // Neither side: the centre keeps its proportion (MulDiv rounds 412.5 up).
        {akTop, "383,250,60,20"},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        form->SetClientWidth(400);
        form->SetClientHeight(300);
        auto* child = new TPanelStub(form.get(), form.get(), alNone, Rect(300, 250, 360, 270));
        child->SetAnchors(c.anchors);
        form->Show();
        form->SetClientWidth(500);
        form->SetClientHeight(350);
        EXPECT_EQ(Bounds(child), c.after) << int(c.anchors);
    }
}

TEST(GraphicControl, ParentPaintsItWithItsOwnCanvas) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetClientWidth(200);
    form->SetClientHeight(150);
    auto* swatch = new TSwatch(form.get(), form.get(), clRed);
    form->Show();
    form->Repaint();
    EXPECT_EQ(PixelOf(form.get(), 45, 35), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(form.get(), 99, 69), RGB(255, 0, 0));
    EXPECT_NE(PixelOf(form.get(), 101, 71), RGB(255, 0, 0));
    swatch->SetVisible(false);
    form->Update();
    EXPECT_NE(PixelOf(form.get(), 45, 35), RGB(255, 0, 0));
}

TEST(GraphicControl, MouseArrivesThroughParentInOwnCoordinates) {
    int clicks = 0, formClicks = 0;
    TPoint down{-1, -1};
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* swatch = new TSwatch(form.get(), form.get(), clBlue);
    swatch->OnClick = [&](TObject*) { ++clicks; };
    swatch->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
        if (button == mbLeft) down = Point(x, y);
    };
    form->Show();
    PostClick(form->Handle(), 45, 37);
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(down.x, 5);
    EXPECT_EQ(down.y, 7);
    // Beside it the form gets the click.
    form->OnClick = [&](TObject*) { ++formClicks; };
    PostClick(form->Handle(), 5, 5);
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(formClicks, 1);
}

// A windowless control drags onto a windowed one: released at once it
// is a click; a target freed during the drag drops out of it.
TEST(DragDrop, ReleasedInPlaceIsAClickAndAFreedTargetTakesNoDrop) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(60, 60, 300, 200);
    auto* swatch = new TSwatch(form.get(), form.get(), clBlue);
    auto* target = new TPanelStub(form.get(), form.get(), alNone, Rect(150, 30, 230, 90));
    std::string log;
    int clicks = 0;
    swatch->OnClick = [&](TObject*) { ++clicks; };
    swatch->OnMouseDown = [swatch](TObject*, TMouseButton, TShiftState, int, int) {
        swatch->BeginDrag(false);
    };
    swatch->OnEndDrag = [&](TObject*, TObject* to, int, int) { log += to ? "end on target; " : "end; "; };
    target->OnDragOver = [&](TObject*, TObject* source, int x, int y, TDragState state, bool&) {
        const char* names[] = {"enter", "leave", "move"};
        log += std::string(names[state]) + " " + std::to_string(x) + "," + std::to_string(y) + "; ";
        EXPECT_EQ(source, swatch);
    };
    form->Show();
    SetCursorPos(0, 0);
    Pump();
    HWND wnd = form->Handle();
    PostClick(wnd, 45, 37);
    Pump(0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(log, "end; ");
    log.clear();
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 37));
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(160, 40));
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(161, 42));
    Pump(0);
    EXPECT_EQ(log, "enter 10,10; move 11,12; ");
    target->Free();
    log.clear();
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(162, 42));
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(162, 42));
    Pump(0);
    EXPECT_EQ(log, "end; ");
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(swatch->Dragging());
}

TEST(DragDrop, InAutomaticModeThePressBeginsTheDrag) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(60, 60, 300, 200);
    auto* swatch = new TSwatch(form.get(), form.get(), clBlue);
    auto* target = new TPanelStub(form.get(), form.get(), alNone, Rect(150, 30, 230, 90));
    swatch->SetDragMode(dmAutomatic);
    target->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool&) {};  // accepts
    TObject* droppedOn = nullptr;
    swatch->OnEndDrag = [&](TObject*, TObject* to, int, int) { droppedOn = to; };
    form->Show();
    SetCursorPos(0, 0);
    Pump();
    HWND wnd = form->Handle();
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 37));
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(160, 40));
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(160, 40));
    Pump(0);
    EXPECT_EQ(droppedOn, target);
}

// Of two overlapping windowed controls, the one brought to the front is
// seen; sent to the back, the other one is.
TEST(ZOrder, BringToFrontAndSendToBackMoveTheWindowAmongItsSiblings) {
    auto form = Make<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    auto* first = new TPanelStub(form.get(), form.get(), alNone, Rect(10, 10, 110, 110));
    auto* second = new TPanelStub(form.get(), form.get(), alNone, Rect(50, 50, 150, 150));
    form->Show();
    for (TWinControl* c : {first, second, first}) {
        c->BringToFront();
        EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), c->Handle());
        EXPECT_EQ(form->Controls(form->ControlCount() - 1), c);
    }
    first->SendToBack();
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), second->Handle());
    EXPECT_EQ(form->Controls(0), first);
}

TEST(CustomControl, BackgroundIsNotErasedBeforePaint) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* pad = new TPanelStub(form.get(), form.get(), alNone, Rect(0, 0, 50, 50));
    pad->SetColor(clRed);
    const WindowDC screen(nullptr);
    const OwnedDC memory(CreateCompatibleDC(screen.get()));
    const OwnedBitmap bmp(CreateCompatibleBitmap(screen.get(), 50, 50));
    const SelectedObject selected(memory.get(), bmp.get());
    HDC dc = memory.get();
    RECT r{0, 0, 50, 50};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(SendMessageW(pad->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 255, 255));
    // A plain windowed control fills its colour.
    EXPECT_EQ(SendMessageW(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    EXPECT_EQ(GetPixel(dc, 10, 10), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
}

TEST(Reflection, ChildNotificationsComeBackToTheChildControl) {
    std::vector<WORD> commands;  // outlives the form: the edit reports while it goes
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* edit = new TTestEdit(form.get());
    edit->SetParent(form.get());
    edit->WindowHooks().Add([&commands](TMessage& m, bool&) {
        if (m.Msg == CN_COMMAND) commands.push_back(HIWORD(m.WParam));
    });
    form->Show();
    edit->SetFocus();
    PostKey(edit->Handle(), 'K');
    Pump();
    EXPECT_NE(std::find(commands.begin(), commands.end(), WORD(EN_CHANGE)), commands.end());
}

TEST(Reflection, EditColourComesFromReflectedCtlColor) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* edit = new TTestEdit(form.get());
    edit->SetParent(form.get());
    edit->SetColor(clYellow);
    edit->Font()->SetColor(clBlue);
    const WindowDC dc(edit->Handle());
    const LRESULT brush = SendMessageW(form->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()),
                                       reinterpret_cast<LPARAM>(edit->Handle()));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(edit->Brush()->Handle()));
    EXPECT_EQ(GetBkColor(dc.get()), RGB(255, 255, 0));
    EXPECT_EQ(GetTextColor(dc.get()), RGB(0, 0, 255));
}

TEST(Notifications, PropertyChangesSendTheirNotifications) {
    std::vector<UINT> got;
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* child = new TPanelStub(form.get(), form.get(), alNone, Rect(0, 0, 20, 20));
    auto* grandchild = new TSwatch(form.get(), child, clRed);
    child->WindowHooks().Add([&got](TMessage& m, bool&) {
        if (m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x100) got.push_back(m.Msg);
    });
    struct Case {
        std::function<void()> change;
        UINT message;
    };
    const Case cases[] = {
        {[&] { child->SetText("Nowy"); }, CM_TEXTCHANGED},
        {[&] { child->SetEnabled(false); }, CM_ENABLEDCHANGED},
        {[&] { child->SetVisible(false); }, CM_VISIBLECHANGED},
        {[&] { child->SetColor(clLime); }, CM_COLORCHANGED},
        {[&] { child->Font()->SetName("Arial"); }, CM_FONTCHANGED},
        {[&] { form->SetColor(clAqua); }, CM_PARENTCOLORCHANGED},
        {[&] { form->Font()->SetStyle(fsBold); }, CM_PARENTFONTCHANGED},
    };
    for (const Case& c : cases) {
        got.clear();
        c.change();
        EXPECT_NE(std::find(got.begin(), got.end(), c.message), got.end()) << std::hex << c.message;
    }
    (void)grandchild;
}

TEST(Notifications, ParentColourAndFontReachChildrenThatFollowTheirParent) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* follows = new TPanelStub(form.get(), form.get(), alNone, Rect(0, 0, 20, 20));
    auto* own = new TPanelStub(form.get(), form.get(), alNone, Rect(0, 0, 20, 20));
    auto* inner = new TSwatch(form.get(), follows, clRed);
    own->SetColor(clYellow);
    own->Font()->SetHeight(-20);
    form->SetColor(clTeal);
    form->Font()->SetHeight(-15);
    EXPECT_EQ(follows->Color(), clTeal);
    EXPECT_TRUE(follows->ParentColor());
    EXPECT_EQ(inner->Color(), clTeal);
    EXPECT_EQ(follows->Font()->Height(), -15);
    EXPECT_EQ(inner->Font()->Height(), -15);
    EXPECT_TRUE(inner->ParentFont());
    EXPECT_EQ(own->Color(), clYellow);
    EXPECT_EQ(own->Font()->Height(), -20);
    // Back to following: the parent's values again.
    own->SetParentColor(true);
    EXPECT_EQ(own->Color(), clTeal);
}

TEST(ReadingOrder, FollowsTheParentUntilSetAndTurnsTheTextFlags) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* follows = new TPanelStub(form.get(), form.get(), alNone, Rect(0, 0, 20, 20));
    auto* inner = new TSwatch(form.get(), follows, clRed);
    auto* own = new TPanelStub(form.get(), form.get(), alNone, Rect(0, 0, 20, 20));
    own->SetBiDiMode(bdLeftToRight);
    form->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(inner->BiDiMode(), bdRightToLeft);
    EXPECT_EQ(own->BiDiMode(), bdLeftToRight);
    EXPECT_FALSE(own->ParentBiDiMode());
    own->SetParentBiDiMode(true);
    EXPECT_EQ(own->BiDiMode(), bdRightToLeft);
    // Aligned to the other side (the centre stays) only fully right to
    // left; read right to left in every right-to-left mode.
    const struct {
        TBiDiMode mode;
        UINT in, out;
    } cases[] = {
        {bdLeftToRight, DT_LEFT | DT_SINGLELINE, DT_LEFT | DT_SINGLELINE},
        {bdLeftToRight, DT_RIGHT, DT_RIGHT},
        {bdRightToLeft, DT_LEFT | DT_SINGLELINE, DT_RIGHT | DT_SINGLELINE | DT_RTLREADING},
        {bdRightToLeft, DT_RIGHT, DT_LEFT | DT_RTLREADING},
        {bdRightToLeft, DT_CENTER, DT_CENTER | DT_RTLREADING},
        {bdRightToLeftNoAlign, DT_LEFT, DT_LEFT | DT_RTLREADING},
        {bdRightToLeftReadingOnly, DT_RIGHT, DT_RIGHT | DT_RTLREADING},
    };
    for (const auto& c : cases) {
        form->SetBiDiMode(c.mode);
        EXPECT_EQ(inner->DrawTextBiDiModeFlags(c.in), c.out) << c.mode << " " << c.in;
    }
}

TEST(Recreate, WindowIsRemadeWithTextBoundsAndChildren) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* panel = new TPanelStub(form.get(), form.get(), alNone, Rect(10, 20, 110, 70));
    auto* edit = new TTestEdit(form.get());
    edit->SetParent(panel);
    form->Show();
    edit->SetText("zachowaj");
    HWND before = edit->Handle();
    panel->RecreateWnd();
    EXPECT_NE(edit->Handle(), before);
    EXPECT_EQ(GetParent(edit->Handle()), panel->Handle());
    EXPECT_EQ(edit->Text(), "zachowaj");
    EXPECT_EQ(Bounds(panel), "10,20,100,50");
    EXPECT_TRUE(IsWindowVisible(edit->Handle()));
}

TEST(HandleWhenShown, AHiddenControlGetsItsWindowWhenShownOrAskedForItsHandle) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto make = [&form](int top, bool waits) {
        auto* panel = new TPanelStub(form.get(), nullptr, alNone, Rect(10, top, 110, top + 40));
        panel->SetVisible(false);
        panel->SetHandleWhenShown(waits);
        auto* edit = new TTestEdit(form.get());
        edit->SetParent(panel);
        panel->SetParent(form.get());
        return std::pair{panel, edit};
    };
    const auto [ordinary, ordinaryEdit] = make(0, false);
    const auto [shown, shownEdit] = make(50, true);
    const auto [asked, askedEdit] = make(100, true);
    form->Show();
    EXPECT_TRUE(ordinaryEdit->HandleAllocated());
    EXPECT_FALSE(shown->HandleAllocated());
    EXPECT_FALSE(askedEdit->HandleAllocated());
    shown->SetVisible(true);
    ASSERT_TRUE(shownEdit->HandleAllocated());
    EXPECT_EQ(GetParent(shownEdit->Handle()), shown->Handle());
    EXPECT_TRUE(IsWindowVisible(shownEdit->Handle()));
    EXPECT_EQ(Bounds(shown), "10,50,100,40");
    // The child's handle brings its parent's window, hidden.
    askedEdit->SetText("zapisany");
    EXPECT_EQ(GetParent(askedEdit->Handle()), asked->Handle());
    EXPECT_FALSE(IsWindowVisible(asked->Handle()));
    EXPECT_EQ(askedEdit->Text(), "zapisany");
}

TEST(Recreate, WindowHooksSeeMessagesOfTheNewWindow) {
    int sizes = 0;
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* pad = new TPanelStub(form.get(), form.get(), alNone, Rect(0, 0, 20, 20));
    pad->WindowHooks().Add([&sizes](TMessage& m, bool&) {
        if (m.Msg == WM_SIZE) ++sizes;
    });
    form->Show();
    pad->RecreateWnd();
    const int afterRecreate = sizes;
    pad->SetWidth(40);
    EXPECT_GT(sizes, afterRecreate);
}

TEST(PopupMenu, RightClickShowsTheControlsMenu) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* menu = new TRecordingPopup(form.get());
    auto* pad = new TPanelStub(form.get(), form.get(), alNone, Rect(0, 0, 60, 60));
    auto* swatch = new TSwatch(form.get(), form.get(), clRed);
    swatch->SetLeft(100);
    pad->SetPopupMenu(menu);
    swatch->SetPopupMenu(menu);
    form->Show();
    struct Case {
        HWND wnd;
        int x, y;
        TComponent* source;
    };
    const Case cases[] = {{pad->Handle(), 10, 10, pad}, {form->Handle(), 110, 40, swatch}};
    for (const Case& c : cases) {
        menu->shownAt.clear();
        PostMessageW(c.wnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(c.x, c.y));
        PostMessageW(c.wnd, WM_RBUTTONUP, 0, MAKELPARAM(c.x, c.y));
        Pump();
        ASSERT_EQ(menu->shownAt.size(), 1u);
        POINT p{c.x, c.y};
        ClientToScreen(c.wnd, &p);
        EXPECT_EQ(menu->shownAt[0].x, p.x);
        EXPECT_EQ(menu->shownAt[0].y, p.y);
        EXPECT_EQ(menu->PopupComponent(), c.source);
    }
    // Without AutoPopup nothing shows.
    menu->SetAutoPopup(false);
    menu->shownAt.clear();
    PostMessageW(pad->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    PostMessageW(pad->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump();
    EXPECT_TRUE(menu->shownAt.empty());
}

TEST(MouseTracking, EnterAndLeaveFollowThePointerAtIdle) {
    std::vector<UINT> got;
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    auto* pad = new TPanelStub(form.get(), form.get(), alNone, Rect(10, 10, 60, 60));
    pad->WindowHooks().Add([&got](TMessage& m, bool&) {
        if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) got.push_back(m.Msg);
    });
    form->Show();
    Pump();
    Owned<TTimer> wake(new TTimer(nullptr));
    wake->SetInterval(5);
    wake->SetOnTimer([](TObject*) {});
    // Wine warps the X pointer asynchronously: a late motion event of an
    // earlier warp can still arrive, so idle until the pointer has settled.
    auto settle = [] {
        const DWORD end = GetTickCount() + 300;
        while (GetTickCount() < end) Application->HandleMessage();
    };
    const TPoint inside = pad->ClientToScreen(Point(20, 20));
    SetCursorPos(inside.x, inside.y);
    settle();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.front(), static_cast<UINT>(CM_MOUSEENTER));
    EXPECT_EQ(got.back(), static_cast<UINT>(CM_MOUSEENTER));
    const TPoint outside = form->ClientToScreen(Point(200, 150));
    SetCursorPos(outside.x, outside.y);
    settle();
    EXPECT_EQ(got.back(), static_cast<UINT>(CM_MOUSELEAVE));
    for (size_t i = 1; i < got.size(); ++i) EXPECT_NE(got[i], got[i - 1]) << "enter and leave alternate";
}

TEST(Hints, HintShowAsksTheControlAndShowsTheShortHint) {
    std::string asked;
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    auto* pad = new TPanelStub(form.get(), form.get(), alNone, Rect(10, 10, 60, 60));
    pad->SetHint("Krótka|Długa podpowiedź");
    pad->SetShowHint(true);
    pad->WindowHooks().Add([&asked](TMessage& m, bool&) {
        if (m.Msg == CM_HINTSHOW) asked = reinterpret_cast<THintInfo*>(m.LParam)->HintStr;
    });
    form->Show();
    Pump();
    const int savedPause = Application->HintPause();
    Application->SetHintPause(10);
    const TPoint inside = pad->ClientToScreen(Point(20, 20));
    SetCursorPos(inside.x, inside.y);
    // On a loaded machine the pointer's own earlier moves may reach the form
    // after this one and cancel the hint: the move onto the pad is posted
    // again while no hint shows.
    DWORD posted = 0;
    EXPECT_TRUE(PumpUntil([&] {
        if (Application->HintWindow() && IsWindowVisible(Application->HintWindow())) return true;
        if (GetTickCount() - posted >= 200) {
            PostMessageW(pad->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
            posted = GetTickCount();
        }
        return false;
    }));
    EXPECT_EQ(asked, "Krótka");
    wchar_t text[64] = {};
    GetWindowTextW(Application->HintWindow(), text, 64);
    EXPECT_EQ(std::wstring(text), L"Krótka");
    Application->CancelHint();
    Application->SetHintPause(savedPause);
    EXPECT_EQ(GetLongHint(pad->Hint()), "Długa podpowiedź");
}

}  // namespace

namespace {

using namespace cl;
using namespace cltest;

struct ScrollSetup {
    Owned<TForm> form = Make<TForm>(nullptr);
    TScrollBox* box = new TScrollBox(form.get());
    TTestEdit* top = new TTestEdit(form.get());
    TTestEdit* low = new TTestEdit(form.get());
    ScrollSetup() {
        form->SetClientWidth(300);
        form->SetClientHeight(300);
        box->SetParent(form.get());
        box->SetBorderStyle(bsNone);
        box->SetBounds(0, 0, 200, 150);
        top->SetParent(box);
        top->SetBounds(10, 5, 100, 20);
        low->SetParent(box);
        low->SetBounds(10, 380, 100, 20);
        form->Show();
        Pump();
    }
};

TEST(ScrollBox, ChildrenBeyondTheClientAreaScrollIntoRange) {
    ScrollSetup s;
    TControlScrollBar* v = s.box->VertScrollBar();
    EXPECT_EQ(v->Range(), 400);
    EXPECT_TRUE(v->IsScrollBarVisible());
    EXPECT_FALSE(s.box->HorzScrollBar()->IsScrollBarVisible());
    const int client = s.box->ClientHeight();
    struct Case {
        int set;
        int position;
    };
    const Case cases[] = {{100, 100}, {-5, 0}, {1000, 400 - client}, {30, 30}};
    for (const Case& c : cases) {
        v->SetPosition(c.set);
        EXPECT_EQ(v->Position(), c.position) << c.set;
        EXPECT_EQ(s.low->Top(), 380 - c.position) << c.set;
        EXPECT_EQ(GetScrollPos(s.box->Handle(), SB_VERT), c.position) << c.set;
    }
    SendMessageW(s.box->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(v->Position(), 30 + v->Increment());
}

TEST(ScrollBox, FocusedChildIsScrolledIntoView) {
    ScrollSetup s;
    ASSERT_TRUE(s.top->Focused());
    EXPECT_EQ(s.box->VertScrollBar()->Position(), 0);
    s.low->SetFocus();
    Pump();
    const int client = s.box->ClientHeight();
    EXPECT_EQ(s.box->VertScrollBar()->Position(), 400 - client);
    EXPECT_EQ(s.low->Top() + s.low->Height(), client);
    s.top->SetFocus();
    Pump();
    EXPECT_EQ(s.box->VertScrollBar()->Position(), 5);
    EXPECT_EQ(s.top->Top(), 0);
}

TEST(ScrollBox, WithoutAutoScrollTheRangeIsSetByHand) {
    ScrollSetup s;
    s.box->SetAutoScroll(false);
    EXPECT_EQ(s.box->VertScrollBar()->Range(), 0);
    EXPECT_FALSE(s.box->VertScrollBar()->IsScrollBarVisible());
    s.box->HorzScrollBar()->SetRange(500);
    EXPECT_TRUE(s.box->HorzScrollBar()->IsScrollBarVisible());
    s.box->AutoScroll();
    EXPECT_FALSE(s.box->AutoScroll());
}

}  // namespace
