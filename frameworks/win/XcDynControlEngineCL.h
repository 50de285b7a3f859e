#pragma once
// The engine over the class library's controls.

#include "frameworks/win/XcDynControlCL.h"
#include "frameworks/win/XcDynControlEngine.h"

// Registers, in this order: Label, StaticText, Button, RadioButton,
// ScrollBox, GroupBox, Panel, Image, CheckBox, ComboBox, ListBox,
// CheckListBox, RadioGroup, DateTimeEdit, TimeEdit, DateEdit, Edit,
// DirectoryEdit, FileNameEdit, Memo, RichEdit, ButtonEdit.  CalculateEdit
// and SpinEdit have no class here.
class TXcDynControlEngineCL : public TXcDynControlEngine {
    CL_CLASS(TXcDynControlEngineCL, TXcDynControlEngine)
protected:
    void RegisterControls() override;
};
