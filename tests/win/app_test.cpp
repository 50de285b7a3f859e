// The application: the exception barrier of window procedures and timers,
// exception reports, idle action updates, re-entrant message processing,
// the timer, and the screen's cursors.
#include <gtest/gtest.h>

#include <stdexcept>

#include "classlib/win/ActnList.h"
#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// A windowed control whose click runs the test's code.
class TClickPad : public TCustomControl {
public:
    explicit TClickPad(TComponent* owner) : TCustomControl(owner) { SetBounds(10, 10, 100, 50); }
};

struct Reported {
    TObject* sender;
    std::string message;
};

// Records what reaches OnException while it lives.
class ExceptionLog {
public:
    ExceptionLog() {
        Application->OnException = [this](TObject* sender, Exception& e) {
            reports.push_back({sender, e.Message()});
        };
    }
    ~ExceptionLog() { Application->OnException = nullptr; }
    std::vector<Reported> reports;
};

struct PadForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TClickPad* pad = new TClickPad(form.get());
    PadForm() {
        pad->SetParent(form.get());
        form->Show();
        Pump();
    }
};

TEST(ExceptionBarrier, HandlerExceptionIsReportedAndLoopGoesOn) {
    struct Case {
        std::function<void()> raise;
        bool reported;
        std::string message;
    };
    const Case cases[] = {
        {[] { throw EConvertError("Zła liczba"); }, true, "Zła liczba"},
        {[] { Abort(); }, false, ""},
        {[] { throw std::runtime_error("internal"); }, true, "Wystąpił nieoczekiwany błąd programu."},
        {[] { throw 42; }, true, "Wystąpił nieoczekiwany błąd programu."},
    };
    for (const Case& c : cases) {
        PadForm f;
        ExceptionLog log;
        int clicks = 0;
        f.pad->OnClick = [&](TObject*) {
            if (++clicks == 1) c.raise();
        };
        PostClick(f.pad->Handle(), 5, 5);
        Pump();
        ASSERT_EQ(log.reports.size(), c.reported ? 1u : 0u) << c.message;
        if (c.reported) {
            EXPECT_EQ(log.reports[0].message, c.message);
            EXPECT_EQ(log.reports[0].sender, f.pad);
        }
        // The program keeps running: the next click arrives.
        PostClick(f.pad->Handle(), 5, 5);
        Pump();
        EXPECT_EQ(clicks, 2);
    }
}

TEST(ExceptionBarrier, WithoutHandlerShowsErrorBoxWithTitleAndFullStop) {
    struct Case {
        std::string message;
        std::string shown;
    };
    const Case cases[] = {
        {"Brak pliku", "Brak pliku."},
        {"Zapis nie powiódł się.", "Zapis nie powiódł się."},
        {"Dlaczego?", "Dlaczego?."},
        {"Uwaga!", "Uwaga!"},
    };
    const std::string savedTitle = Application->Title();
    Application->SetTitle("Sprawozdawca ");
    for (const Case& c : cases) {
        PadForm f;
        AnsweredMessageBoxes answers;
        f.pad->OnClick = [&](TObject*) { throw Exception(c.message); };
        PostClick(f.pad->Handle(), 5, 5);
        Pump();
        ASSERT_EQ(answers.boxes.size(), 1u);
        EXPECT_EQ(answers.boxes[0].text, c.shown);
        EXPECT_EQ(answers.boxes[0].caption, "Sprawozdawca ");
        EXPECT_EQ(answers.boxes[0].flags, UINT(MB_OK | MB_ICONSTOP));
    }
    Application->SetTitle(savedTitle);
}

TEST(ExceptionBarrier, FailingReportDoesNotEscape) {
    PadForm f;
    Application->OnException = [](TObject*, Exception&) { throw std::runtime_error("handler failed"); };
    int clicks = 0;
    f.pad->OnClick = [&](TObject*) {
        ++clicks;
        throw Exception("x");
    };
    PostClick(f.pad->Handle(), 5, 5);
    PostClick(f.pad->Handle(), 5, 5);
    Pump();
    Application->OnException = nullptr;
    EXPECT_EQ(clicks, 2);
}

TEST(Timer, FiresRepeatedlyUntilDisabled) {
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(10);
    int ticks = 0;
    timer->SetOnTimer([&](TObject*) {
        if (++ticks == 3) timer->SetEnabled(false);
    });
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    Pump(100);
    EXPECT_EQ(ticks, 3);
}

TEST(Timer, ExceptionInOnTimerReachesHandlerWithTimerAsSender) {
    ExceptionLog log;
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(10);
    timer->SetOnTimer([&](TObject*) {
        timer->SetEnabled(false);
        throw Exception("tick failed");
    });
    ASSERT_TRUE(PumpUntil([&] { return !log.reports.empty(); }));
    EXPECT_EQ(log.reports[0].message, "tick failed");
    EXPECT_EQ(log.reports[0].sender, timer.get());
}

TEST(Timer, TimerFreedInItsOwnHandlerIsSafe) {
    auto* timer = new TTimer(nullptr);
    timer->SetInterval(10);
    bool fired = false;
    timer->SetOnTimer([&](TObject* sender) {
        fired = true;
        sender->Free();
    });
    EXPECT_TRUE(PumpUntil([&] { return fired; }));
    Pump(50);
}

TEST(Idle, EmptyQueueUpdatesActionsOfVisibleEnabledFormsOnly) {
    Owned<TForm> shown = Make<TForm>(nullptr);
    Owned<TForm> hidden = Make<TForm>(nullptr);
    Owned<TForm> disabled = Make<TForm>(nullptr);
    int updates[3] = {};
    TForm* forms[3] = {shown.get(), hidden.get(), disabled.get()};
    for (int i = 0; i < 3; ++i) {
        auto* list = new TActionList(forms[i]);
        auto* action = new TAction(forms[i]);
        action->SetActionList(list);
        action->OnUpdate = [&updates, i](TObject*) { ++updates[i]; };
    }
    shown->Show();
    disabled->Show();
    disabled->SetEnabled(false);
    Pump();
    // A timer message ends the idle wait.
    Owned<TTimer> wake(new TTimer(nullptr));
    wake->SetInterval(5);
    wake->SetOnTimer([](TObject*) {});
    for (int i = 0; i < 20 && updates[0] == 0; ++i) Application->HandleMessage();
    EXPECT_GT(updates[0], 0);
    EXPECT_EQ(updates[1], 0);
    EXPECT_EQ(updates[2], 0);
}

TEST(Messages, ProcessMessagesIsReentrant) {
    PadForm f;
    int outer = 0, inner = 0;
    f.pad->OnClick = [&](TObject*) {
        if (++outer == 1) {
            PostClick(f.pad->Handle(), 5, 5);
            Application->ProcessMessages();  // the second click runs in here
            inner = outer;
        }
    };
    PostClick(f.pad->Handle(), 5, 5);
    Pump();
    EXPECT_EQ(outer, 2);
    EXPECT_EQ(inner, 2);
}

TEST(ApplicationInfo, ExeNameIsThisProgram) {
    const std::string name = Application->ExeName();
    ASSERT_GT(name.size(), 4u);
    EXPECT_EQ(name.substr(name.size() - 12), "\\win_app.exe");
    EXPECT_EQ(Application->Title().empty(), false);
}

TEST(ScreenCursor, HourGlassStaysUntilReset) {
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    Screen->SetCursor(crDefault);
    EXPECT_NE(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
}

TEST(ScreenCursor, TableHoldsSystemAndProgramCursors) {
    EXPECT_EQ(Screen->Cursors(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(Screen->Cursors(crIBeam), LoadCursorW(nullptr, IDC_IBEAM));
    // An index without a cursor gives the arrow.
    EXPECT_EQ(Screen->Cursors(14000), LoadCursorW(nullptr, IDC_ARROW));
    HCURSOR own = CopyCursor(LoadCursorW(nullptr, IDC_CROSS));
    Screen->SetCursors(14000, own);
    EXPECT_EQ(Screen->Cursors(14000), own);
    Screen->SetCursors(14000, nullptr);
    EXPECT_EQ(Screen->Cursors(14000), LoadCursorW(nullptr, IDC_ARROW));
}

TEST(ScreenCursor, ALoadersCursorIsMadeOnceWhenFirstAskedFor) {
    int made = 0;
    Screen->SetCursorLoader(14001, [&made] {
        ++made;
        return CopyCursor(LoadCursorW(nullptr, IDC_CROSS));
    });
    EXPECT_EQ(made, 0);
    const HCURSOR first = Screen->Cursors(14001);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(first, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(Screen->Cursors(14001), first);
    EXPECT_EQ(made, 1);
    Screen->SetCursors(14001, nullptr);
    // A loader that makes none leaves the arrow.
    Screen->SetCursorLoader(14002, [] { return HCURSOR{}; });
    EXPECT_EQ(Screen->Cursors(14002), LoadCursorW(nullptr, IDC_ARROW));
}

TEST(ScreenForms, ListsFormsAndTracksActiveForm) {
    const int before = Screen->FormCount();
    {
        Owned<TForm> form = Make<TForm>(nullptr);
        EXPECT_EQ(Screen->FormCount(), before + 1);
        EXPECT_EQ(Screen->Forms(before), form.get());
        form->Show();
        Pump();
        EXPECT_EQ(Screen->ActiveForm(), form.get());
    }
    EXPECT_EQ(Screen->FormCount(), before);
    EXPECT_GT(Screen->PixelsPerInch(), 0);
}

}  // namespace
