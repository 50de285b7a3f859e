#include "classlib/win/DialogKeys.h"

#include <vector>

#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"

namespace cl {

namespace {

bool IsRadioButton(TWinControl* control) {
    return dynamic_cast<TRadioButton*>(control) != nullptr;
}

// The radio buttons of control's parent, in tab order.
std::vector<TWinControl*> GroupOf(TWinControl* control) {
    std::vector<TWinControl*> group;
    TWinControl* parent = control->Parent();
    if (!parent) return group;
    std::vector<TWinControl*> all;
    parent->GetTabOrderList(all);
    for (TWinControl* c : all)
        if (c->Parent() == parent && IsRadioButton(c)) group.push_back(c);
    return group;
}

void ClickButton(TWinControl* button) {
    HWND wnd = button->Handle();
    button->Perform(CN_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), BN_CLICKED), reinterpret_cast<LPARAM>(wnd));
}

}  // namespace

bool IsTabStopOf(TWinControl* control) {
    if (control->TabStop()) return true;
    if (!IsRadioButton(control)) return false;
    TWinControl* entry = nullptr;
    for (TWinControl* c : GroupOf(control)) {
        if (static_cast<TRadioButton*>(c)->Checked() && c->CanFocus()) return false;
        if (!entry && c->CanFocus()) entry = c;
    }
    return entry == control;
}

TWinControl* NextRadioButton(TWinControl* control, bool forward) {
    if (!IsRadioButton(control)) return nullptr;
    const std::vector<TWinControl*> group = GroupOf(control);
    const int count = static_cast<int>(group.size());
    int at = 0;
    while (at < count && group[static_cast<size_t>(at)] != control) ++at;
    if (at == count) return nullptr;
    for (int step = 1; step < count; ++step) {
        TWinControl* c = group[static_cast<size_t>((at + (forward ? step : count - step)) % count)];
        if (c->CanFocus()) return c;
    }
    return nullptr;
}

bool GroupHasChoice(TWinControl* button) {
    for (TWinControl* c : GroupOf(button))
        if (c != button && static_cast<TRadioButton*>(c)->Checked()) return true;
    return false;
}

void SelectRadioButton(TWinControl* button) {
    button->SetFocus();
    // Wine's radio button does not click itself when the focus arrives.
    if (button->Focused() && !static_cast<TRadioButton*>(button)->Checked()) ClickButton(button);
}

bool ClickForAccel(TButtonControl& button, WORD charCode) {
    if (!IsAccel(charCode, button.Caption()) || !button.CanFocus()) return false;
    button.SetFocus();
    if (!button.Focused()) return true;
    // Getting the focus may have checked a radio button already.
    if (!IsRadioButton(&button) || !button.Checked()) ClickButton(&button);
    return true;
}

UINT DialogCodeFor(TWinControl* control, WORD key) {
    auto code = static_cast<UINT>(control->Perform(WM_GETDLGCODE, 0, 0));
    // Asked here rather than through a WM_GETDLGCODE with the key message:
    // Windows' edit takes that query for a dialog's and sends Enter and Esc
    // to its parent as IDOK and IDCANCEL.
    if (auto* memo = dynamic_cast<TCustomMemo*>(control))
        if (key == VK_ESCAPE || (key == VK_RETURN && memo->ReadOnly())) code &= ~DLGC_WANTALLKEYS;
    return code;
}

}  // namespace cl
