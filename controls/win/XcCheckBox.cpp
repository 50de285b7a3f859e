#include "controls/win/XcCheckBox.h"

#include <utility>

#include "classlib/Filer.h"

using namespace cl;

XC_CLASS_INFO(TXcCheckBox, XC_TEXT_BUTTON_PROPS(TXcCheckBox))

void TXcCheckBox::DefineProperties(TFiler& filer) {
    TXcTextButton::DefineProperties(filer);
    filer.DefineProperty(
        "Associated",
        [this](TReader& reader) {
            std::string name = reader.ReadIdent();
            if (!LinkAssociated(name) && (ComponentState() & csLoading))
                pendingAssociated_.push_back(std::move(name));
        },
        nullptr, false);
}

bool TXcCheckBox::LinkAssociated(const std::string& name) {
    TComponent* found = Owner() ? Owner()->FindComponent(name) : nullptr;
    if (!found) return false;
    if (auto* control = dynamic_cast<TControl*>(found)) LinkedControls()->Add()->SetControl(control);
    return true;
}

void TXcCheckBox::Loaded() {
    for (const std::string& name : std::exchange(pendingAssociated_, {})) LinkAssociated(name);
    TXcTextButton::Loaded();
}

void TXcCheckBox::Toggle() {
    if (readOnly_) return;
    TXcTextButton::Toggle();
    CheckLinkedControls();
}
