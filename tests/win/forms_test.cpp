// Forms: creation order of events, showing, closing with its actions,
// modal runs, border styles and positions, the window's name properties,
// the caption in the wide API and the font height of new forms.
#include "classlib/win/Forms.h"

#include <gtest/gtest.h>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/WideText.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// A form that builds a component in its constructor, as a layout does.
class TBuiltForm : public TForm {
public:
    explicit TBuiltForm(TComponent* owner) : TForm(owner) {
        SetName("BuiltForm");
        auto* pad = new TCustomControl(this);
        pad->SetName("Pad");
        pad->SetParent(this);
        OnCreate = [this](TObject*) { padAtCreate = FindComponent("Pad") != nullptr; };
    }
    bool padAtCreate = false;
};

std::string NameProperty(HWND wnd) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(wnd, L"ClName")));
    if (!atom) return "";
    wchar_t buf[256] = {};
    const UINT n = GlobalGetAtomNameW(atom, buf, 256);
    return FromWide(std::wstring_view(buf, n));
}

struct NameSearch {
    std::string name;
    HWND found = nullptr;
};

BOOL CALLBACK CheckWindow(HWND wnd, LPARAM lp) {
    auto* search = reinterpret_cast<NameSearch*>(lp);
    if (NameProperty(wnd) == search->name) search->found = wnd;
    return search->found ? FALSE : TRUE;
}

BOOL CALLBACK CheckTopWindow(HWND top, LPARAM lp) {
    if (CheckWindow(top, lp)) EnumChildWindows(top, CheckWindow, lp);
    return reinterpret_cast<NameSearch*>(lp)->found ? FALSE : TRUE;
}

// The window of this thread whose ClName property is name, as a test
// driver finds it.
HWND FindWindowByName(const std::string& name) {
    NameSearch search{name};
    EnumThreadWindows(GetCurrentThreadId(), CheckTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(FormEvents, OnCreateRunsAfterComponentsAreBuilt) {
    Owned<TBuiltForm> form = Make<TBuiltForm>(nullptr);
    EXPECT_TRUE(form->padAtCreate);
}

TEST(FormEvents, OnShowRunsBeforeWindowIsVisibleAndOnHideOnHiding) {
    Owned<TForm> form = Make<TForm>(nullptr);
    std::vector<std::string> events;
    form->OnShow = [&](TObject*) {
        events.push_back(IsWindowVisible(form->Handle()) ? "show visible" : "show hidden");
    };
    form->OnHide = [&](TObject*) { events.push_back("hide"); };
    form->Show();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    form->Hide();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(events, (std::vector<std::string>{"show hidden", "hide"}));
}

TEST(FormEvents, OnDestroyRunsWhileFormIsWhole) {
    bool padThere = false;
    auto* form = Construct<TBuiltForm>(nullptr);
    form->OnDestroy = [&](TObject* sender) {
        padThere = static_cast<TForm*>(sender)->FindComponent("Pad") != nullptr;
    };
    form->Free();
    EXPECT_TRUE(padThere);
}

// Show brings a form to the top and activates it, whether this call shows
// it or it was shown already behind another.
TEST(FormEvents, ShowPutsTheFormOnTopAndActive) {
    Owned<TForm> first = Make<TForm>(nullptr);
    Owned<TForm> second = Make<TForm>(nullptr);
    const auto topmostShown = [] {
        HWND wnd = GetTopWindow(nullptr);
        while (wnd &&
               !(IsWindowVisible(wnd) && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()))
            wnd = GetWindow(wnd, GW_HWNDNEXT);
        return wnd;
    };
    for (TForm* form : {first.get(), second.get(), first.get()}) {
        form->Show();
        EXPECT_EQ(GetActiveWindow(), form->Handle());
        EXPECT_EQ(topmostShown(), form->Handle());
    }
}

// A form activated again gives the focus back to the control that had it,
// not to its first control, however it comes back.
TEST(FormFocus, AFormActivatedAgainFocusesTheControlThatHadIt) {
    const struct {
        const char* how;
        void (*leaveAndReturn)(TForm& form, TForm& other);
    } ways[] = {
        {"minimised and restored",
         [](TForm& form, TForm&) {
             SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
             Pump();
             SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
         }},
        {"another window activated, then this one",
         [](TForm& form, TForm& other) {
             other.Show();
             Pump();
             SetActiveWindow(form.Handle());
         }},
        {"a modal form closed",
         [](TForm&, TForm& other) {
             PostMessageW(other.Handle(), WM_CLOSE, 0, 0);
             other.ShowModal();
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        Owned<TForm> form = Make<TForm>(nullptr);
        Owned<TForm> other = Make<TForm>(nullptr);
        TEdit* edits[2];
        for (int i = 0; i < 2; ++i) {
            edits[i] = new TEdit(form.get());
            edits[i]->SetParent(form.get());
            edits[i]->SetTop(30 * i);
        }
        form->Show();
        edits[1]->SetFocus();
        Pump();
        way.leaveAndReturn(*form, *other);
        Pump();
        EXPECT_EQ(GetFocus(), edits[1]->Handle());
        EXPECT_EQ(form->ActiveControl(), edits[1]);
    }
}

TEST(FormClose, CloseActionDecidesWhatHappens) {
    struct Case {
        TCloseAction action;
        bool visibleAfter;
        bool freed;
    };
    const Case cases[] = {
        {caNone, true, false},
        {caHide, false, false},
        {caMinimize, true, false},
        {caFree, false, true},
    };
    for (const Case& c : cases) {
        auto* form = Construct<TForm>(nullptr);
        bool destroyed = false;
        form->OnDestroy = [&](TObject*) { destroyed = true; };
        form->OnClose = [&](TObject*, TCloseAction& action) { action = c.action; };
        form->Show();
        Pump();
        form->Close();
        Pump();
        EXPECT_EQ(destroyed, c.freed) << c.action;
        if (!destroyed) {
            EXPECT_EQ(form->Visible(), c.visibleAfter) << c.action;
            if (c.action == caMinimize) {
                EXPECT_EQ(form->WindowState(), wsMinimized);
            }
            form->Free();
        }
    }
}

TEST(FormClose, CloseQueryCanRefuse) {
    Owned<TForm> form = Make<TForm>(nullptr);
    bool allow = false;
    int closes = 0;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    form->Show();
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(closes, 0);
    allow = true;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(closes, 1);
}

TEST(ModalForm, ReturnsModalResultAndDisablesOtherWindowsMeanwhile) {
    Owned<TForm> owner = Make<TForm>(nullptr);
    owner->Show();
    Pump();
    Owned<TForm> dialog = Make<TForm>(nullptr);
    dialog->SetBorderStyle(bsDialog);
    bool ownerEnabledMeanwhile = true;
    bool dialogVisibleMeanwhile = false;
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(20);
    timer->SetOnTimer([&](TObject*) {
        timer->SetEnabled(false);
        ownerEnabledMeanwhile = IsWindowEnabled(owner->Handle()) != FALSE;
        dialogVisibleMeanwhile = IsWindowVisible(dialog->Handle()) != FALSE;
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_TRUE(dialogVisibleMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(dialog->Modal());
}

TEST(ModalForm, CloseEndsModalRunWithCancel) {
    Owned<TForm> dialog = Make<TForm>(nullptr);
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(20);
    timer->SetOnTimer([&](TObject*) {
        timer->SetEnabled(false);
        PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST(ModalForm, CloseQueryRefusalKeepsModalRunGoing) {
    Owned<TForm> dialog = Make<TForm>(nullptr);
    int asked = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(20);
    timer->SetOnTimer([&](TObject*) { dialog->SetModalResult(mrYes); });
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    EXPECT_EQ(asked, 2);
}

TEST(ModalForm, ModalResultOnNonModalFormDoesNothing) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->Show();
    form->SetModalResult(mrOk);
    Pump();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST(ModalForm, VisibleFormCannotBeShownModal) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->Show();
    EXPECT_THROW(form->ShowModal(), EInvalidOperation);
}

TEST(FormWindow, BorderStylesMakeTheirWindowStyles) {
    struct Case {
        TFormBorderStyle border;
        DWORD style;     // must be set
        DWORD notStyle;  // must be clear
        DWORD exStyle;
    };
    const Case cases[] = {
        {bsNone, WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0},
        {bsSingle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME, 0},
        {bsSizeable, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, 0, 0},
        {bsDialog, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MINIMIZEBOX, WS_EX_DLGMODALFRAME},
        {bsToolWindow, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
        {bsSizeToolWin, WS_CAPTION | WS_THICKFRAME, 0, WS_EX_TOOLWINDOW},
    };
    for (const Case& c : cases) {
        Owned<TForm> form = Make<TForm>(nullptr);
        form->SetBorderStyle(c.border);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_STYLE));
        const DWORD ex = static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_EXSTYLE));
        EXPECT_EQ(style & c.style, c.style) << c.border;
        EXPECT_EQ(style & c.notStyle, 0u) << c.border;
        EXPECT_EQ(ex & c.exStyle, c.exStyle) << c.border;
    }
}

TEST(FormWindow, RecreatedWindowKeepsCaptionNameAndVisibility) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetName("Okno1");
    form->SetCaption("Zapis sprawozdania");
    form->Show();
    HWND before = form->Handle();
    form->SetBorderStyle(bsDialog);
    EXPECT_NE(form->Handle(), before);
    EXPECT_EQ(form->Caption(), "Zapis sprawozdania");
    EXPECT_EQ(NameProperty(form->Handle()), "Okno1");
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST(FormWindow, CaptionGoesThroughWideApi) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetCaption("Ostrzeżenie – żółć");
    wchar_t text[64] = {};
    GetWindowTextW(form->Handle(), text, 64);
    EXPECT_EQ(std::wstring(text), L"Ostrzeżenie – żółć");
    SetWindowTextW(form->Handle(), L"Łódź");
    EXPECT_EQ(form->Caption(), "Łódź");
}

TEST(FormWindow, NewFormHasFontHeightMinus11AndButtonFaceColour) {
    Owned<TForm> form = Make<TForm>(nullptr);
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_FALSE(form->ParentFont());
    EXPECT_EQ(form->Color(), clBtnFace);
}

TEST(FormWindow, ScreenCenterPlacesFormInMiddleOnFirstShow) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->Left(), (Screen->Width() - 300) / 2);
    EXPECT_EQ(form->Top(), (Screen->Height() - 200) / 2);
}

TEST(FormWindow, ClientSizeBeforeWindowMatchesWindowAfter) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetClientWidth(400);
    form->SetClientHeight(250);
    form->HandleNeeded();
    RECT r;
    GetClientRect(form->Handle(), &r);
    EXPECT_EQ(r.right, 400);
    EXPECT_EQ(r.bottom, 250);
}

TEST(FormWindow, AMaximisedFormIsMadeMaximisedAndRestoresToItsBounds) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(30, 40, 500, 300);
    form->SetWindowState(wsMaximized);
    form->HandleNeeded();
    // Its children are laid out in the client area it will show.
    EXPECT_TRUE(IsZoomed(form->Handle()));
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    RECT made, shown;
    GetClientRect(form->Handle(), &made);
    EXPECT_GT(made.right, 500);
    form->Show();
    GetClientRect(form->Handle(), &shown);
    EXPECT_TRUE(EqualRect(&made, &shown));
    form->SetWindowState(wsNormal);
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 300);
}

TEST(WindowNames, EveryWindowCarriesItsComponentName) {
    Owned<TBuiltForm> form = Make<TBuiltForm>(nullptr);
    form->Show();
    auto* pad = static_cast<TWinControl*>(form->FindComponent("Pad"));
    EXPECT_EQ(FindWindowByName("BuiltForm"), form->Handle());
    EXPECT_EQ(FindWindowByName("Pad"), pad->Handle());
    EXPECT_EQ(TWinControl::FindControl(pad->Handle()), pad);
    // A new name replaces the property.
    pad->SetName("ErrListBox");
    EXPECT_EQ(FindWindowByName("ErrListBox"), pad->Handle());
    EXPECT_EQ(FindWindowByName("Pad"), nullptr);
}

TEST(WindowNames, NameAtomGoesWithTheWindow) {
    ATOM atom = 0;
    {
        Owned<TBuiltForm> form = Make<TBuiltForm>(nullptr);
        auto* pad = static_cast<TWinControl*>(form->FindComponent("Pad"));
        pad->SetName("UniqueNameForAtomTest");
        atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(pad->Handle(), L"ClName")));
        ASSERT_NE(atom, 0);
    }
    EXPECT_EQ(GlobalFindAtomW(L"UniqueNameForAtomTest"), 0);
}

}  // namespace
