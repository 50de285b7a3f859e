#include "controls/win/XcCheckBox.h"

XC_CLASS_INFO(TXcCheckBox, XC_TEXT_BUTTON_PROPS(TXcCheckBox))

void TXcCheckBox::Toggle() {
    if (readOnly_) return;
    TXcTextButton::Toggle();
    CheckLinkedControls();
}
