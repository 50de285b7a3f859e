// The window-procedure hook chain on controls and bare windows: the walks
// and their answers, lists that change while they are walked, a control
// freed inside its own message, a bare window's end, and the service going
// while hooked controls live.
#include "controls/win/XcWndProcHook.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/Forms.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;
using Log = std::vector<std::string>;

constexpr UINT kProbe = WM_APP + 7;

// A control that logs its own processing of the probe.
class TLoggingControl : public TWinControl {
public:
    TLoggingControl(TComponent* owner, Log* log) : TWinControl(owner), log_(log) {}
    void WndProc(TMessage& m) override {
        if (m.Msg == kProbe) {
            log_->push_back("own");
            m.Result = 42;
            return;
        }
        TWinControl::WndProc(m);
    }

private:
    Log* log_;
};

// A hook whose answer and side effect a case sets.
struct Hook {
    std::string name;
    Log* log;
    bool answer = false;
    std::function<void()> action = nullptr;
    bool Run(TMessage& m) {
        if (m.Msg != kProbe && m.Msg != WM_DESTROY && m.Msg != WM_NCDESTROY) return false;
        log->push_back(name);
        if (action) action();
        return answer;
    }
    TXcWndHook Method() { return HookMethod<&Hook::Run>(this); }
};

struct HookedControl {
    HookedControl() : form(Make<TForm>(nullptr)) {
        control = new TLoggingControl(form.get(), &log);
        control->SetParent(form.get());
    }
    ~HookedControl() { FreeWndProcHookService(); }
    void Register(Hook& h, TXcHookOrder order) {
        ASSERT_TRUE(RegisterWndProcHook(control, h.Method(), order));
    }

    Log log;
    Owned<TForm> form;
    TLoggingControl* control;
};

TEST(HookChain, WalksAndAnswers) {
    struct Case {
        const char* name;
        bool beforeAnswers, firstAfterAnswers;
        Log log;
        LRESULT result;
    } const cases[] = {
        {"nothing answers", false, false, {"b1", "own", "a1", "a2"}, 42},
        {"a before-hook suppresses the rest", true, false, {"b1"}, 0},
        {"an after-hook stops the after-hooks only", false, true, {"b1", "own", "a1"}, 42},
    };
    for (const Case& c : cases) {
        HookedControl w;
        Hook b1{"b1", &w.log, c.beforeAnswers}, a1{"a1", &w.log, c.firstAfterAnswers}, a2{"a2", &w.log};
        w.Register(b1, hoBeforeMsg);
        w.Register(a1, hoAfterMsg);
        w.Register(a2, hoAfterMsg);
        EXPECT_EQ(w.control->Perform(kProbe, 0, 0), c.result) << c.name;
        EXPECT_EQ(w.log, c.log) << c.name;
    }
}

TEST(HookChain, HooksChangedInsideADispatch) {
    struct Case {
        const char* name;
        std::function<void(TControl*, Hook& self, Hook& next, Hook& late)> change;
        Log log;
    } const cases[] = {
        {"unregisters itself",
         [](TControl* c, Hook& self, Hook&, Hook&) { UnregisterWndProcHook(c, self.Method(), hoBeforeMsg); },
         {"h1", "h2", "own", "h2", "own"}},
        {"unregisters the next",
         [](TControl* c, Hook&, Hook& next, Hook&) { UnregisterWndProcHook(c, next.Method(), hoBeforeMsg); },
         {"h1", "own", "h1", "own"}},
        {"registers one that runs at once",
         [](TControl* c, Hook&, Hook&, Hook& late) { RegisterWndProcHook(c, late.Method(), hoBeforeMsg); },
         {"h1", "h2", "late", "own", "h1", "h2", "late", "late", "own"}},
    };
    for (const Case& c : cases) {
        HookedControl w;
        Hook h1{"h1", &w.log}, h2{"h2", &w.log}, late{"late", &w.log};
        h1.action = [&] { c.change(w.control, h1, h2, late); };
        w.Register(h1, hoBeforeMsg);
        w.Register(h2, hoBeforeMsg);
        w.control->Perform(kProbe, 0, 0);
        w.control->Perform(kProbe, 0, 0);
        EXPECT_EQ(w.log, c.log) << c.name;
    }
}

TEST(HookChain, LastHookGoneGivesTheControlItsOwnProcessingBack) {
    HookedControl w;
    Hook h{"h", &w.log, true};
    EXPECT_TRUE(w.control->WindowHooks().Empty());
    w.Register(h, hoBeforeMsg);
    EXPECT_EQ(w.control->WindowHooks().Count(), 2) << "one entry per phase";
    EXPECT_TRUE(UnregisterWndProcHook(w.control, h.Method(), hoBeforeMsg));
    EXPECT_TRUE(w.control->WindowHooks().Empty());
    EXPECT_EQ(w.control->Perform(kProbe, 0, 0), 42);
    EXPECT_EQ(w.log, Log{"own"});
    EXPECT_TRUE(UnregisterWndProcHook(w.control, h.Method(), hoBeforeMsg)) << "a chain, without the hook";
}

TEST(HookChain, RefusesWhatIsNoHook) {
    HookedControl w;
    Hook h{"h", &w.log};
    EXPECT_FALSE(RegisterWndProcHook(static_cast<TControl*>(nullptr), h.Method(), hoBeforeMsg));
    EXPECT_FALSE(RegisterWndProcHook(w.control, HookMethod<&Hook::Run>(nullptr), hoBeforeMsg));
    EXPECT_FALSE(RegisterWndProcHook(w.control, TXcWndHook{}, hoAfterMsg));
    EXPECT_FALSE(UnregisterWndProcHook(w.control, h.Method(), hoBeforeMsg)) << "no chain yet";
    EXPECT_EQ(WndProcHookService().ChainCount(), 0);
}

TEST(HookChain, ControlFreedInsideItsOwnDispatch) {
    const int before = TXcWndProcHook::LiveChains();
    HookedControl w;
    Hook freeing{"frees", &w.log}, next{"next", &w.log}, after{"after", &w.log};
    freeing.action = [&] { w.control->Free(); };
    w.Register(freeing, hoBeforeMsg);
    w.Register(next, hoBeforeMsg);
    w.Register(after, hoAfterMsg);
    w.control->Perform(kProbe, 0, 0);
    EXPECT_EQ(w.log, Log{"frees"});
    EXPECT_EQ(WndProcHookService().ChainCount(), 0);
    EXPECT_EQ(TXcWndProcHook::LiveChains(), before) << "freed after the dispatch";
    w.form->Repaint();
}

TEST(HookChain, ServiceGoingFirstGivesHookedControlsTheirProcessingBack) {
    HookedControl w;
    Hook h{"h", &w.log, true};
    w.Register(h, hoBeforeMsg);
    w.form->Show();
    Pump();
    FreeWndProcHookService();
    EXPECT_TRUE(w.control->WindowHooks().Empty());
    EXPECT_EQ(w.control->Perform(kProbe, 0, 0), 42);
    EXPECT_EQ(w.log, Log{"own"});
    w.control->Free();  // tells no service that went
    EXPECT_EQ(TXcWndProcHook::LiveChains(), 0);
}

// ---- Bare windows ----------------------------------------------------------------
Log* g_windowLog = nullptr;

LRESULT CALLBACK BareProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_windowLog && (msg == kProbe || msg == WM_DESTROY || msg == WM_NCDESTROY))
        g_windowLog->push_back(msg == kProbe ? "own" : msg == WM_DESTROY ? "own destroy" : "own ncdestroy");
    return msg == kProbe ? 42 : DefWindowProcW(wnd, msg, wParam, lParam);
}

HWND NewBareWindow() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = BareProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"XcHookChainBare";
        return RegisterClassW(&wc);
    }();
    return CreateWindowW(MAKEINTATOM(atom), L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

TEST(HookChainBareWindow, SwallowsNoEndOfTheWindowAndReleasesAtIt) {
    Log log;
    g_windowLog = &log;
    HWND wnd = NewBareWindow();
    Hook swallow{"swallow", &log, true}, after{"after", &log};
    ASSERT_TRUE(RegisterWndProcHook(wnd, swallow.Method(), hoBeforeMsg));
    ASSERT_TRUE(RegisterWndProcHook(wnd, after.Method(), hoAfterMsg));
    EXPECT_EQ(SendMessageW(wnd, kProbe, 0, 0), 0);
    DestroyWindow(wnd);
    EXPECT_EQ(log, (Log{"swallow", "swallow", "own destroy", "after", "own ncdestroy"}));
    EXPECT_EQ(WndProcHookService().ChainCount(), 0);
    EXPECT_EQ(TXcWndProcHook::LiveChains(), 0);
    g_windowLog = nullptr;
    FreeWndProcHookService();
}

TEST(HookChainBareWindow, ReleasedMidDispatchStillPassesTheMessageOn) {
    Log log;
    g_windowLog = &log;
    HWND wnd = NewBareWindow();
    Hook releasing{"releases", &log}, next{"next", &log};
    releasing.action = [] { FreeWndProcHookService(); };
    ASSERT_TRUE(RegisterWndProcHook(wnd, releasing.Method(), hoBeforeMsg));
    ASSERT_TRUE(RegisterWndProcHook(wnd, next.Method(), hoBeforeMsg));
    EXPECT_EQ(SendMessageW(wnd, kProbe, 0, 0), 42);
    EXPECT_EQ(SendMessageW(wnd, kProbe, 0, 0), 42);
    EXPECT_EQ(log, (Log{"releases", "own", "own"}));
    EXPECT_EQ(TXcWndProcHook::LiveChains(), 0);
    DestroyWindow(wnd);
    g_windowLog = nullptr;
}

}  // namespace
