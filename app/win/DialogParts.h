#pragma once
// What the program's small dialogs are built from in code, as their stored
// layouts would build them: the window's frame, its components with names
// and bounds, its buttons.  And the one way a dialog runs: made by its
// caller, shown modally, freed.

#include <string>
#include <type_traits>

#include "classlib/Scope.h"
#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"

// A fixed dialog frame in the middle of the screen; the font height -11
// comes with each dialog's creation.
inline void SetUpDialogFrame(cl::TForm& form, const char* name, const std::string& caption, int clientWidth,
                             int clientHeight) {
    form.SetName(name);
    form.SetCaption(caption);
    form.SetBorderStyle(cl::bsDialog);
    form.SetPosition(cl::poScreenCenter);
    form.SetClientSize(clientWidth, clientHeight);
}

// A component of the dialog named as in its layout; a control also gets its
// parent and bounds.  The caption is cleared after naming (a control whose
// text was its old name takes the new name as its caption).
template <class T>
T* MakePart(cl::TComponent* owner, const char* name, cl::TWinControl* parent = nullptr, int left = 0,
            int top = 0, int width = 0, int height = 0) {
    T* c = new T(owner);
    c->SetName(name);
    if constexpr (std::is_base_of_v<cl::TControl, T>) {
        c->SetCaption("");
        if (width > 0 && height > 0) c->SetBounds(left, top, width, height);
        if (parent) c->SetParent(parent);
    }
    return c;
}

// A push button of the dialog; a modal result other than mrNone closes it.
inline cl::TButton* MakeButton(cl::TForm& form, const char* name, const std::string& caption, int left,
                               int top, int width, cl::TModalResult result = cl::mrNone) {
    auto* b = MakePart<cl::TButton>(&form, name, &form, left, top, width, 25);
    b->SetCaption(caption);
    b->SetModalResult(result);
    return b;
}

// Makes the dialog (its OnCreate runs), lets prepare set it up, shows it
// modally and frees it however the run ends.
template <class T, class Prepare>
cl::TModalResult RunDialog(cl::TComponent* owner, Prepare prepare) {
    T* dialog = cl::Construct<T>(owner);
    const cl::ScopeExit freed([dialog] { dialog->Free(); });
    prepare(*dialog);
    return dialog->ShowModal();
}

template <class T>
cl::TModalResult RunDialog(cl::TComponent* owner) {
    return RunDialog<T>(owner, [](T&) {});
}
