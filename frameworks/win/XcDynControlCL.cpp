// The class-library dynamic controls: shared parts, captions, containers
// and choices.
#include "frameworks/win/XcDynControlCL.h"

#include "frameworks/XcDynControlValues.h"

void TXcClickAndChange::Attach(cl::TControl& control) {
    control.OnClick = [this](cl::TObject* sender) {
        if (onClick) onClick(sender);
        if (onChange) onChange(sender);
    };
}

int XcItemIndexOf(const cl::Variant& value, const cl::TStrings& items) {
    if (value.IsString()) return items.IndexOf(value.AsRawString());
    if (value.IsEmpty() || value.IsNull()) return -1;
    return value.ToInteger();
}

CL_CLASS_INFO(TXcDynControlCLLabel)
CL_CLASS_INFO(TXcDynControlCLStaticText)
CL_CLASS_INFO(TXcDynControlCLButton)
CL_CLASS_INFO(TXcDynControlCLScrollBox)
CL_CLASS_INFO(TXcDynControlCLGroupBox)
CL_CLASS_INFO(TXcDynControlCLPanel)
CL_CLASS_INFO(TXcDynControlCLImage)

CL_CLASS_INFO(TXcDynControlCLRadioButton)

TXcDynControlCLRadioButton::TXcDynControlCLRadioButton(cl::TComponent* owner) : TRadioButton(owner) {
    events_.Attach(*this);
}

void TXcDynControlCLRadioButton::ControlSetValue(const cl::Variant& value) {
    SetChecked(XcVariantToBoolean(value));
}

void TXcDynControlCLPanel::ControlSetBorder(cl::TBevelCut bevelInner, cl::TBevelCut bevelOuter,
                                            int bevelWidth, cl::TBorderStyle borderStyle, int borderWidth) {
    SetBevelInner(bevelInner);
    SetBevelOuter(bevelOuter);
    SetBevelWidth(bevelWidth);
    SetBorderStyle(borderStyle);
    SetBorderWidth(borderWidth);
}

CL_CLASS_INFO(TXcDynControlCLCheckBox)

TXcDynControlCLCheckBox::TXcDynControlCLCheckBox(cl::TComponent* owner) : TCheckBox(owner) {
    events_.Attach(*this);
}

void TXcDynControlCLCheckBox::ControlSetValue(const cl::Variant& value) {
    SetChecked(XcVariantToBoolean(value));
}

CL_CLASS_INFO(TXcDynControlCLComboBox)

CL_CLASS_INFO(TXcDynControlCLListBox)

TXcDynControlCLListBox::TXcDynControlCLListBox(cl::TComponent* owner) : TListBox(owner) {
    events_.Attach(*this);
}

CL_CLASS_INFO(TXcDynControlCLCheckListBox)

TXcDynControlCLCheckListBox::TXcDynControlCLCheckListBox(cl::TComponent* owner) : TCheckListBox(owner) {
    events_.Attach(*this);
}

CL_CLASS_INFO(TXcDynControlCLRadioGroup)

TXcDynControlCLRadioGroup::TXcDynControlCLRadioGroup(cl::TComponent* owner) : TRadioGroup(owner) {
    events_.Attach(*this);
}
