#include "controls/win/XcRadioButton.h"

XC_CLASS_INFO(TXcRadioButton, XC_TEXT_BUTTON_PROPS(TXcRadioButton))

void TXcRadioButton::WndProc(cl::TMessage& m) {
    if (readOnly_) {
        switch (m.Msg) {
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_LBUTTONUP:
                return;
            case cl::CN_COMMAND:
                // The window's click (Space, the mouse) and the one made
                // when the focus arrives both come here.
                switch (HIWORD(m.WParam)) {
                    case BN_CLICKED:
                    case BN_DOUBLECLICKED:
                        return;
                }
                break;
        }
    }
    TXcTextButton::WndProc(m);
}
