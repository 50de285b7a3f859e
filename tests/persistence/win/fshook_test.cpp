// Window hooks on a form: the order of two hooks and Handled, a message
// kept from the form and a window's end that no hook keeps, hooks through
// a recreated window, a hook detached under a later subclasser, hooks or
// controls freed by a handler, and a hook's stored form.
#include "persistence/win/FsHook.h"

#include <gtest/gtest.h>

#include <string>

#include "classlib/win/Forms.h"
#include "classlib/win/Panels.h"
#include "tests/support/Streamed.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

constexpr UINT kPing = WM_APP + 11;

// Counts what reaches its own processing.
class TCountingForm : public TForm {
public:
    using TForm::TForm;
    void WndProc(TMessage& m) override {
        if (m.Msg == kPing) {
            ++pings;
            m.Result = 42;
            return;
        }
        if (m.Msg == WM_DESTROY) ++ends;
        TForm::WndProc(m);
    }
    int pings = 0;
    int ends = 0;
};

TFsWindowHook* HookOn(TWinControl* control, std::string& log, const std::string& name, bool handles = false) {
    auto* hook = new TFsWindowHook(control);
    hook->AfterMessage = [&log, name, handles](TObject*, TMessage& m, bool& handled) {
        if (m.Msg != kPing) return;
        log += name + "(" + std::to_string(m.Result) + ") ";
        handled = handles;
    };
    hook->SetWinControl(control);
    return hook;
}

TEST(FsWindowHook, TheLaterAttachedRunsFirstAndHandledStopsTheOther) {
    Owned<TCountingForm> form = Make<TCountingForm>(nullptr);
    std::string log;
    HookOn(form.get(), log, "first");
    TFsWindowHook* second = HookOn(form.get(), log, "second");
    SendMessageW(form->Handle(), kPing, 0, 0);
    EXPECT_EQ(log, "second(42) first(42) ");
    second->AfterMessage = [&](TObject*, TMessage& m, bool& handled) { handled = m.Msg == kPing; };
    log.clear();
    SendMessageW(form->Handle(), kPing, 0, 0);
    EXPECT_EQ(log, "");
    // Switched off and on again, a hook is the last attached.
    HookOn(form.get(), log, "third");
    second->SetActive(false);
    second->SetActive(true);
    SendMessageW(form->Handle(), kPing, 0, 0);
    EXPECT_EQ(log, "");
    EXPECT_EQ(form->pings, 3);
    EXPECT_EQ(THookList::Instance().Find(form.get())->HookCount(), 3);
}

TEST(FsWindowHook, BeforeMessageKeepsAMessageButNeverTheWindowsEnd) {
    Owned<TCountingForm> form = Make<TCountingForm>(nullptr);
    std::string log;
    TFsWindowHook* hook = HookOn(form.get(), log, "after");
    hook->BeforeMessage = [](TObject*, TMessage& m, bool& handled) {
        if (m.Msg == kPing || m.Msg == WM_DESTROY) handled = true;
    };
    EXPECT_EQ(SendMessageW(form->Handle(), kPing, 0, 0), 0);
    EXPECT_EQ(form->pings, 0);
    EXPECT_EQ(log, "");  // and no AfterMessage either
    HWND before = form->Handle();
    form->RecreateWnd();
    EXPECT_EQ(form->ends, 1);
    EXPECT_FALSE(IsWindow(before));
}

TEST(FsWindowHook, HooksKeepWorkingThroughARecreatedWindow) {
    Owned<TCountingForm> form = Make<TCountingForm>(nullptr);
    std::string log;
    HookOn(form.get(), log, "hook");
    form->Show();
    HWND before = form->Handle();
    form->SetBorderStyle(bsDialog);  // recreates the window
    ASSERT_NE(form->Handle(), before);
    SendMessageW(form->Handle(), kPing, 0, 0);
    EXPECT_EQ(log, "hook(42) ");
}

// A subclasser from outside the class library, installed after the hook.
WNDPROC g_saved = nullptr;
int g_subclassed = 0;
LRESULT CALLBACK Subclasser(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kPing) ++g_subclassed;
    return CallWindowProcW(g_saved, wnd, msg, wp, lp);
}

TEST(FsWindowHook, AHookDetachedUnderALaterSubclasserLeavesTheFormWorking) {
    Owned<TCountingForm> form = Make<TCountingForm>(nullptr);
    std::string log;
    TFsWindowHook* hook = HookOn(form.get(), log, "hook");
    HWND wnd = form->Handle();
    g_saved = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclasser)));
    hook->SetActive(false);
    EXPECT_EQ(THookList::Instance().Find(form.get()), nullptr);
    EXPECT_EQ(SendMessageW(wnd, kPing, 0, 0), 42);
    hook->SetActive(true);
    EXPECT_EQ(SendMessageW(wnd, kPing, 0, 0), 42);
    EXPECT_EQ(g_subclassed, 2);
    EXPECT_EQ(form->pings, 2);
    EXPECT_EQ(log, "hook(42) ");
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_saved));
}

TEST(FsWindowHook, HandlersMayFreeHooksAndTheControl) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    std::string log;
    TFsWindowHook* victim = HookOn(panel, log, "victim");
    auto* killer = new TFsWindowHook(form.get());
    killer->SetWinControl(panel);
    killer->AfterMessage = [&](TObject*, TMessage& m, bool&) {
        if (m.Msg != kPing) return;
        victim->Free();
        panel->Free();
    };
    const int hooked = THookList::Instance().Count();
    SendMessageW(panel->Handle(), kPing, 0, 0);
    EXPECT_EQ(log, "");
    EXPECT_EQ(killer->WinControl(), nullptr);
    EXPECT_EQ(THookList::Instance().Count(), hooked - 1);
}

TEST(FsWindowHook, AStoredHookKeepsItsOwnerFormAsAFlagAndAControlByName) {
    for (bool onForm : {true, false}) {
        SCOPED_TRACE(onForm ? "the owner form" : "a panel");
        Owned<TForm> form = Make<TForm>(nullptr);
        auto* panel = new TPanel(form.get());
        panel->SetName("Panel");
        auto* hook = new TFsWindowHook(form.get());
        hook->SetWinControl(onForm ? static_cast<TWinControl*>(form.get()) : panel);
        const std::string stored = Written(*hook);
        EXPECT_EQ(Holds(stored, "WinControl"), !onForm);
        EXPECT_EQ(Holds(stored, "IsForm"), onForm);

        Owned<TCountingForm> other = Make<TCountingForm>(nullptr);
        auto* otherPanel = new TPanel(other.get());
        otherPanel->SetName("Panel");
        otherPanel->SetParent(other.get());
        auto* read = new TFsWindowHook(other.get());
        ReadInto(other.get(), *read, stored);
        TWinControl* const expected = onForm ? static_cast<TWinControl*>(other.get()) : otherPanel;
        EXPECT_EQ(read->WinControl(), expected);
        int pings = 0;
        read->AfterMessage = [&](TObject*, TMessage& m, bool&) { pings += m.Msg == kPing; };
        SendMessageW(expected->Handle(), kPing, 0, 0);
        EXPECT_EQ(pings, 1);
    }
}

}  // namespace
