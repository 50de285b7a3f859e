#include "frameworks/win/XcDynControlEngineCL.h"

CL_CLASS_INFO(TXcDynControlEngineCL)

void TXcDynControlEngineCL::RegisterControls() {
    RegisterControl("Label", XcControlClass<TXcDynControlCLLabel>());
    RegisterControl("StaticText", XcControlClass<TXcDynControlCLStaticText>());
    RegisterControl("Button", XcControlClass<TXcDynControlCLButton>());
    RegisterControl("RadioButton", XcControlClass<TXcDynControlCLRadioButton>());
    RegisterControl("ScrollBox", XcControlClass<TXcDynControlCLScrollBox>());
    RegisterControl("GroupBox", XcControlClass<TXcDynControlCLGroupBox>());
    RegisterControl("Panel", XcControlClass<TXcDynControlCLPanel>());
    RegisterControl("Image", XcControlClass<TXcDynControlCLImage>());
    RegisterControl("CheckBox", XcControlClass<TXcDynControlCLCheckBox>());
    RegisterControl("ComboBox", XcControlClass<TXcDynControlCLComboBox>());
    RegisterControl("ListBox", XcControlClass<TXcDynControlCLListBox>());
    RegisterControl("CheckListBox", XcControlClass<TXcDynControlCLCheckListBox>());
    RegisterControl("RadioGroup", XcControlClass<TXcDynControlCLRadioGroup>());
    RegisterControl("DateTimeEdit", XcControlClass<TXcDynControlCLDateTimeEdit>());
    RegisterControl("TimeEdit", XcControlClass<TXcDynControlCLTimeEdit>());
    RegisterControl("DateEdit", XcControlClass<TXcDynControlCLDateEdit>());
    RegisterControl("Edit", XcControlClass<TXcDynControlCLMaskEdit>());
    RegisterControl("DirectoryEdit", XcControlClass<TXcDynControlCLDirectoryEdit>());
    RegisterControl("FileNameEdit", XcControlClass<TXcDynControlCLFileNameEdit>());
    RegisterControl("Memo", XcControlClass<TXcDynControlCLMemo>());
    RegisterControl("RichEdit", XcControlClass<TXcDynControlCLRichEdit>());
    RegisterControl("ButtonEdit", XcControlClass<TXcDynControlCLButtonEdit>());
}
