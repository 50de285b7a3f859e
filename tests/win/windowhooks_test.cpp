// Window-procedure hooks on real controls: order and Handled on a form,
// a swallowed message, a window's end that no hook can keep from the
// control, hooks that outlast a recreated window, a control freed inside
// one of its own messages, and silence while a control is destroyed.
#include <gtest/gtest.h>

#include "classlib/win/Forms.h"
#include "classlib/win/Panels.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

constexpr UINT kPing = WM_APP + 7;

TEST(WindowHooks, LaterHookRunsFirstAndHandledStopsTheOther) {
    Owned<TForm> form = Make<TForm>(nullptr);
    std::string log;
    bool firstHandles = false;
    form->WindowHooks().Add(
        [&](TMessage& m, bool&) {
            if (m.Msg == kPing) log += "early ";
        },
        hpAfter);
    form->WindowHooks().Add(
        [&](TMessage& m, bool& handled) {
            if (m.Msg != kPing) return;
            log += "late ";
            handled = firstHandles;
        },
        hpAfter);
    SendMessageW(form->Handle(), kPing, 0, 0);
    firstHandles = true;
    SendMessageW(form->Handle(), kPing, 0, 0);
    EXPECT_EQ(log, "late early late ");
}

TEST(WindowHooks, ABeforeHookThatHandlesAMessageKeepsItFromTheControl) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* edit = new TTestEdit(form.get());
    edit->SetParent(form.get());
    const THookToken eat = edit->WindowHooks().Add([](TMessage& m, bool& handled) {
        if (m.Msg == WM_CHAR && m.WParam == 'x') {
            m.Result = 0;
            handled = true;
        }
    });
    for (wchar_t c : {L'a', L'x', L'b'}) SendMessageW(edit->Handle(), WM_CHAR, c, 1);
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(edit->chars, L"ab");  // the test edit's own hook ran before
    EXPECT_TRUE(edit->WindowHooks().Remove(eat));
    SendMessageW(edit->Handle(), WM_CHAR, L'x', 1);
    EXPECT_EQ(edit->Text(), "abx");
}

TEST(WindowHooks, HooksOutlastARecreatedWindowThatNoHookCanKeep) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    int pings = 0;
    int ends = 0;
    panel->WindowHooks().Add([&](TMessage& m, bool& handled) {
        if (m.Msg == kPing) ++pings;
        if (m.Msg == WM_DESTROY || m.Msg == WM_NCDESTROY) {
            ++ends;
            handled = true;  // tries to keep the window's end from the panel
        }
    });
    form->Show();
    HWND before = panel->Handle();
    panel->RecreateWnd();
    EXPECT_EQ(ends, 2);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(TWinControl::FindControl(before), nullptr);
    ASSERT_NE(panel->Handle(), before);
    SendMessageW(panel->Handle(), kPing, 0, 0);
    EXPECT_EQ(pings, 1);
    // The system destroys a child's window with its parent's.
    DestroyWindow(form->WindowHandle());
    EXPECT_EQ(ends, 4);
    EXPECT_FALSE(panel->HandleAllocated());
}

TEST(WindowHooks, AControlFreedInsideItsOwnMessageEndsTheWalk) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    std::string log;
    panel->WindowHooks().Add(
        [&](TMessage& m, bool&) {
            if (m.Msg == kPing) log += "after ";
        },
        hpAfter);
    panel->WindowHooks().Add([&, panel](TMessage& m, bool&) {
        if (m.Msg != kPing) return;
        log += "frees ";
        panel->Free();
    });
    panel->WindowHooks().Add([&](TMessage& m, bool&) {
        if (m.Msg == WM_DESTROY) log += "destroy ";  // silent while the panel goes
    });
    HWND wnd = panel->Handle();
    PostMessageW(wnd, kPing, 0, 0);
    Pump();
    EXPECT_EQ(log, "frees ");
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST(WindowHooks, AReleasedFormFreesItselfWithoutCallingItsAfterHooks) {
    auto* form = Construct<TForm>(nullptr);
    int released = 0;
    form->WindowHooks().Add(
        [&](TMessage& m, bool&) {
            if (m.Msg == CM_RELEASE) ++released;
        },
        hpAfter);
    HWND wnd = form->Handle();
    form->Release();
    Pump();
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(released, 0);
}

}  // namespace
