#pragma once
// The destruction test every control runs: freed alone, owner first,
// parent first, linked components first, and after its window (and its
// parent's) was recreated.  Each case checks that the control is gone from
// its owner and parent, that whoever watched it heard of it once, that its
// windows are destroyed and none of the class library's windows is left,
// and that messages still flow.
//
// Include it in one test file of an executable and list the controls:
//
//   namespace cltest {
//   INSTANTIATE_TEST_SUITE_P(Wizard, ControlDestruction,
//                            ::testing::Values(ControlOf<TXcWizard>("TXcWizard")), ControlName);
//   }
//
// A control that needs a container of its own (a tool button on a tool
// bar) gets a factory that makes the container under the host, owned by
// the same owner.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/win/ActnList.h"
#include "classlib/win/Forms.h"
#include "classlib/win/Menus.h"
#include "classlib/win/Panels.h"

namespace cltest {

struct ControlFactory {
    std::string name;
    // Makes the control owned by owner, inside host.
    std::function<cl::TControl*(cl::TComponent* owner, cl::TWinControl* host)> make;
};

template <class T>
ControlFactory ControlOf(std::string name) {
    return {std::move(name), [](cl::TComponent* owner, cl::TWinControl* host) -> cl::TControl* {
                auto* control = new T(owner);
                control->SetBounds(8, 8, 120, 60);
                control->SetParent(host);
                return control;
            }};
}

inline void PrintTo(const ControlFactory& factory, std::ostream* os) {
    *os << factory.name;
}

inline std::string ControlName(const ::testing::TestParamInfo<ControlFactory>& info) {
    return info.param.name;
}

namespace destruction {

struct FreeDeleter {
    void operator()(cl::TObject* obj) const { cl::Free(obj); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeDeleter>;

// Hears of every component it watches going.
class TFreeWatcher : public cl::TComponent {
public:
    TFreeWatcher() : TComponent(nullptr) {}
    void Watch(cl::TComponent* component) { component->FreeNotification(this); }
    int Heard(const void* component) const {
        int n = 0;
        for (const void* c : gone_) n += c == component;
        return n;
    }

protected:
    void Notification(cl::TComponent* component, cl::TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == cl::opRemove) gone_.push_back(component);
    }

private:
    std::vector<const void*> gone_;
};

// Handles messages until the queue is empty.
inline void Pump() {
    for (int round = 0; round < 100; ++round) {
        cl::Application->ProcessMessages();
        if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0) return;
    }
}

// The windows of this thread that carry a class library control.
inline int ControlWindowCount() {
    struct Counter {
        static BOOL CALLBACK Child(HWND wnd, LPARAM n) {
            if (GetPropW(wnd, L"ClObject")) ++*reinterpret_cast<int*>(n);
            return TRUE;
        }
        static BOOL CALLBACK Top(HWND wnd, LPARAM n) {
            Child(wnd, n);
            EnumChildWindows(wnd, Child, n);
            return TRUE;
        }
    };
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), Counter::Top, reinterpret_cast<LPARAM>(&n));
    return n;
}

inline bool Owns(cl::TComponent* owner, const void* component) {
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (owner->Components(i) == component) return true;
    return false;
}

// Compares pointers only: the control may be gone.
inline bool HoldsAnywhere(cl::TWinControl* parent, const void* control) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        cl::TControl* c = parent->Controls(i);
        if (c == control) return true;
        if (auto* w = dynamic_cast<cl::TWinControl*>(c); w && HoldsAnywhere(w, control)) return true;
    }
    return false;
}

inline HWND WindowOf(cl::TControl* control) {
    auto* win = dynamic_cast<cl::TWinControl*>(control);
    return win ? win->Handle() : nullptr;
}

}  // namespace destruction

class ControlDestruction : public ::testing::TestWithParam<ControlFactory> {
protected:
    void SetUp() override { windowsBefore_ = destruction::ControlWindowCount(); }
    void TearDown() override {
        destruction::Pump();
        EXPECT_EQ(destruction::ControlWindowCount(), windowsBefore_) << "windows left behind";
    }

    // A shown form with the control on it, watched.
    cl::TControl* Place(cl::TComponent* owner, cl::TWinControl* host) {
        cl::TControl* control = GetParam().make(owner, host);
        watcher_.Watch(control);
        if (cl::TCustomForm* form = cl::GetParentForm(host)) form->Show();
        destruction::Pump();
        window_ = destruction::WindowOf(control);
        return control;
    }
    // The control went once, with its window, and nobody keeps it.
    void ExpectGone(const void* control, std::initializer_list<cl::TComponent*> survivors) {
        EXPECT_EQ(watcher_.Heard(control), 1);
        if (window_) {
            EXPECT_FALSE(IsWindow(window_));
        }
        for (cl::TComponent* s : survivors) {
            EXPECT_FALSE(destruction::Owns(s, control)) << s->Name();
            if (auto* w = dynamic_cast<cl::TWinControl*>(s)) {
                EXPECT_FALSE(destruction::HoldsAnywhere(w, control)) << s->Name();
            }
        }
        destruction::Pump();
    }
    static cl::TForm* NewForm() {
        cl::TForm* form = cl::Construct<cl::TForm>(nullptr);
        form->SetBounds(50, 50, 400, 300);
        return form;
    }

    destruction::TFreeWatcher watcher_;
    HWND window_ = nullptr;
    int windowsBefore_ = 0;
};

TEST_P(ControlDestruction, FreedAlone) {
    destruction::Owned<cl::TForm> form(NewForm());
    cl::TControl* control = Place(form.get(), form.get());
    control->Free();
    ExpectGone(control, {form.get()});
    form->Repaint();
}

TEST_P(ControlDestruction, OwnerFirst) {
    destruction::Owned<cl::TForm> host(NewForm());
    auto* owner = new cl::TComponent(nullptr);
    cl::TControl* control = Place(owner, host.get());
    owner->Free();
    ExpectGone(control, {host.get()});
    host->Repaint();
}

TEST_P(ControlDestruction, ParentFirst) {
    destruction::Owned<cl::TForm> form(NewForm());
    auto* panel = new cl::TPanel(form.get());
    panel->SetBounds(0, 0, 300, 200);
    panel->SetParent(form.get());
    cl::TControl* control = Place(form.get(), panel);
    panel->Free();
    ExpectGone(control, {form.get()});
}

TEST_P(ControlDestruction, LinkedComponentsFirst) {
    destruction::Owned<cl::TForm> form(NewForm());
    cl::TControl* control = Place(form.get(), form.get());
    auto* menu = new cl::TPopupMenu(nullptr);
    auto* action = new cl::TAction(nullptr);
    auto* link = new cl::TComponent(nullptr);
    control->SetPopupMenu(menu);
    control->SetAction(action);
    control->FreeNotification(link);
    menu->Free();
    action->Free();
    link->Free();
    EXPECT_EQ(control->PopupMenu(), nullptr);
    EXPECT_EQ(control->Action(), nullptr);
    control->Click();  // would execute the action that went
    destruction::Pump();
    control->Free();
    ExpectGone(control, {form.get()});
}

TEST_P(ControlDestruction, WindowRecreated) {
    destruction::Owned<cl::TForm> form(NewForm());
    cl::TControl* control = Place(form.get(), form.get());
    if (auto* win = dynamic_cast<cl::TWinControl*>(control)) {
        win->RecreateWnd();
        EXPECT_FALSE(IsWindow(window_));
    }
    form->RecreateWnd();
    destruction::Pump();
    window_ = destruction::WindowOf(control);
    if (window_) {
        EXPECT_EQ(cl::TWinControl::FindControl(window_), control);
    }
    control->Free();
    ExpectGone(control, {form.get()});
}

}  // namespace cltest
