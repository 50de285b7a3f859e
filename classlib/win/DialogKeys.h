#pragma once
// The dialog keyboard's rules that go beyond a control's own TabStop: where
// Tab enters a group of radio buttons, where the arrow keys move within it,
// what an access key does to a check box or radio button, and which Enter
// and Esc a multi-line text keeps for itself.
//
// A group of radio buttons is the radio buttons of one parent.  Only its
// checked button is a tab stop (TRadioButton keeps TabStop so); a group
// with none checked is entered at its first button that can take the focus,
// which Tab focuses without checking it.

#include <windows.h>

namespace cl {

class TButtonControl;
class TWinControl;

// Tab stops at control: its TabStop, or the entry of a radio group with no
// checked button.
bool IsTabStopOf(TWinControl* control);
// From a radio button, the next (or previous) radio button of its group
// that can take the focus, round the end; nullptr for any other control
// or a group of one.
TWinControl* NextRadioButton(TWinControl* control, bool forward);
// Another radio button of button's group is checked: the focus arriving
// at button moves the choice to it.
bool GroupHasChoice(TWinControl* button);
// Focuses a radio button and checks it, as a user's arrow key does.
void SelectRadioButton(TWinControl* button);
// An access key of a check box or radio button (CM_DIALOGCHAR): focuses it
// and clicks it, which toggles a check box and checks a radio button.
// False when the key is not the caption's or the control cannot take it.
bool ClickForAccel(TButtonControl& button, WORD charCode);
// The control's DLGC_ code for a dialog key: a multi-line text does not
// keep Esc from the form's cancel button, and a read-only one keeps no
// Enter either.
UINT DialogCodeFor(TWinControl* control, WORD key);

}  // namespace cl
