#pragma once
// A modal dialog of the test's own process answered as a user answers it:
// once a dialog of the class, owned by `owner` or by what it owns, runs
// modally, `answer` sets it and presses one of its buttons.

#include <functional>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "tests/win/FormsTestSupport.h"

namespace maintest {

template <class Dialog>
class ModalAnswer {
public:
    ModalAnswer(cl::TComponent& owner, std::function<void(Dialog&)> answer)
        : timer_(new cl::TTimer(nullptr)) {
        timer_->SetInterval(20);
        timer_->SetOnTimer([this, &owner, answer](cl::TObject*) {
            if (Dialog* dialog = Find(owner)) {
                timer_->SetEnabled(false);
                ++answered;
                answer(*dialog);
            }
        });
    }

    int answered = 0;

private:
    static Dialog* Find(const cl::TComponent& owner) {
        for (int i = 0; i < owner.ComponentCount(); ++i) {
            cl::TComponent* c = owner.Components(i);
            if (auto* dialog = dynamic_cast<Dialog*>(c); dialog && dialog->Modal()) return dialog;
            if (Dialog* inner = Find(*c)) return inner;
        }
        return nullptr;
    }

    cltest::Owned<cl::TTimer> timer_;
};

}  // namespace maintest
