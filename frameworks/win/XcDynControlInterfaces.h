#pragma once
// The capability interfaces of the dynamic controls: abstract classes that
// a control class implements beside its class-library base, found with
// dynamic_cast (frameworks/win/XcDynControlEngine.h: XcIntf).  Each names
// the identity the kind rules know it by (frameworks/XcDynControlClass.h).
// Controls belong to their owners, so nothing here is counted or freed
// through an interface.

#include <string>

#include "classlib/DateTime.h"
#include "classlib/StringList.h"
#include "classlib/Variant.h"
#include "classlib/win/Buttons.h"
#include "classlib/win/Dialogs.h"
#include "classlib/win/FileCtrl.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/Panels.h"
#include "classlib/win/StdCtrls.h"
#include "frameworks/XcDynControlClass.h"

// Every dynamic control.
class IXcDynControl {
public:
    static constexpr const TGUID& IID = IID_IXcDynControl;
    virtual void ControlSetDefaultProperties() = 0;
    virtual void ControlSetCaption(const std::string& value) = 0;
    virtual void ControlSetTabOrder(int value) = 0;
    virtual void ControlSetOnEnter(cl::TNotifyEvent value) = 0;
    virtual void ControlSetOnExit(cl::TNotifyEvent value) = 0;
    virtual void ControlSetOnClick(cl::TNotifyEvent value) = 0;
    virtual void ControlSetHint(const std::string& value) = 0;

protected:
    ~IXcDynControl() = default;
};

class IXcDynControlReadOnly {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlReadOnly;
    virtual void ControlSetReadOnly(bool value) = 0;

protected:
    ~IXcDynControlReadOnly() = default;
};

// A control that holds a value.
class IXcDynControlData {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlData;
    virtual void ControlSetOnChange(cl::TNotifyEvent value) = 0;
    virtual void ControlSetValue(const cl::Variant& value) = 0;
    virtual cl::Variant ControlGetValue() = 0;

protected:
    ~IXcDynControlData() = default;
};

class IXcDynControlEdit {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlEdit;
    virtual void ControlSetPasswordChar(char value) = 0;
    virtual void ControlSetEditMask(const std::string& value) = 0;

protected:
    ~IXcDynControlEdit() = default;
};

class IXcDynControlButton {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlButton;
    virtual void ControlSetGlyph(cl::TBitmap* value) = 0;
    virtual void ControlSetNumGlyphs(int value) = 0;
    virtual void ControlSetLayout(cl::TButtonLayout value) = 0;

protected:
    ~IXcDynControlButton() = default;
};

class IXcDynControlButtonEdit {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlButtonEdit;
    virtual void ControlSetOnButtonClick(cl::TNotifyEvent value) = 0;
    virtual void ControlSetButtonCaption(const std::string& value) = 0;

protected:
    ~IXcDynControlButtonEdit() = default;
};

// The dialog kinds of a file name edit.
enum TXcFileDialogKind { fdkOpen, fdkOpenPicture, fdkSave, fdkSavePicture };

class IXcDynControlFileName {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlFileName;
    virtual void ControlSetInitialDir(const std::string& value) = 0;
    virtual void ControlSetDefaultExt(const std::string& value) = 0;
    virtual void ControlSetDialogTitle(const std::string& value) = 0;
    virtual void ControlSetDialogOptions(cl::TOpenOptions value) = 0;
    virtual void ControlSetFilter(const std::string& value) = 0;
    virtual void ControlSetFilterIndex(int value) = 0;
    virtual void ControlSetDialogKind(TXcFileDialogKind value) = 0;

protected:
    ~IXcDynControlFileName() = default;
};

class IXcDynControlDirectory {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlDirectory;
    virtual void ControlSetInitialDir(const std::string& value) = 0;
    virtual void ControlSetDialogTitle(const std::string& value) = 0;
    virtual void ControlSetDialogOptions(cl::TSelectDirOpts value) = 0;

protected:
    ~IXcDynControlDirectory() = default;
};

class IXcDynControlDate {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlDate;
    virtual void ControlSetMinDate(cl::TDateTime value) = 0;
    virtual void ControlSetMaxDate(cl::TDateTime value) = 0;
    virtual void ControlSetFormat(const std::string& value) = 0;

protected:
    ~IXcDynControlDate() = default;
};

class IXcDynControlTime {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlTime;
    virtual void ControlSetFormat(const std::string& value) = 0;

protected:
    ~IXcDynControlTime() = default;
};

class IXcDynControlCheckBox {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlCheckBox;
    virtual void ControlSetAllowGrayed(bool value) = 0;
    virtual void ControlSetState(cl::TCheckBoxState value) = 0;
    virtual cl::TCheckBoxState ControlGetState() = 0;

protected:
    ~IXcDynControlCheckBox() = default;
};

class IXcDynControlItems {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlItems;
    virtual void ControlSetSorted(bool value) = 0;
    virtual void ControlSetItems(const cl::TStrings& value) = 0;
    // The control's own list.
    virtual cl::TStrings* ControlGetItems() = 0;

protected:
    ~IXcDynControlItems() = default;
};

class IXcDynControlMemo {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlMemo;
    virtual void ControlSetWantTabs(bool value) = 0;
    virtual void ControlSetWantReturns(bool value) = 0;
    virtual void ControlSetWordWrap(bool value) = 0;
    virtual void ControlSetScrollBars(cl::TScrollStyle value) = 0;

protected:
    ~IXcDynControlMemo() = default;
};

class IXcDynControlRadioGroup {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlRadioGroup;
    virtual void ControlSetColumns(int value) = 0;

protected:
    ~IXcDynControlRadioGroup() = default;
};

class IXcDynControlPanel {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlPanel;
    virtual void ControlSetBorder(cl::TBevelCut bevelInner, cl::TBevelCut bevelOuter, int bevelWidth,
                                  cl::TBorderStyle borderStyle, int borderWidth) = 0;

protected:
    ~IXcDynControlPanel() = default;
};

class IXcDynControlDblClick {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlDblClick;
    virtual void ControlSetOnDblClick(cl::TNotifyEvent value) = 0;

protected:
    ~IXcDynControlDblClick() = default;
};

// Check marks, states and enabling of the items by index.  An index
// outside the items raises EListError.
class IXcDynControlCheckListBox {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlCheckListBox;
    virtual void ControlSetAllowGrayed(bool value) = 0;
    virtual bool ControlGetAllowGrayed() = 0;
    // Fired when the user changes an item's check mark.
    virtual void ControlSetOnClickCheck(cl::TNotifyEvent value) = 0;
    virtual void ControlSetChecked(int index, bool value) = 0;
    virtual bool ControlGetChecked(int index) = 0;
    virtual void ControlSetItemEnabled(int index, bool value) = 0;
    virtual bool ControlGetItemEnabled(int index) = 0;
    virtual void ControlSetState(int index, cl::TCheckBoxState value) = 0;
    virtual cl::TCheckBoxState ControlGetState(int index) = 0;

protected:
    ~IXcDynControlCheckListBox() = default;
};

class IXcDynControlComboBox {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlComboBox;
    // Whether the user may type an entry that is not in the list.
    virtual void ControlSetNewEntriesAllowed(bool value) = 0;

protected:
    ~IXcDynControlComboBox() = default;
};

class IXcDynControlImage {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlImage;
    virtual void ControlSetAutoSize(bool value) = 0;
    virtual void ControlSetIncrementalDisplay(bool value) = 0;
    virtual void ControlSetCenter(bool value) = 0;
    virtual void ControlSetProportional(bool value) = 0;
    virtual void ControlSetStretch(bool value) = 0;
    virtual void ControlSetTransparent(bool value) = 0;
    // Copies of the picture or graphic; nullptr empties.
    virtual void ControlSetPicture(cl::TPicture* value) = 0;
    virtual void ControlSetGraphic(cl::TGraphic* value) = 0;
    // The control's own picture.
    virtual cl::TPicture* ControlGetPicture() = 0;

protected:
    ~IXcDynControlImage() = default;
};

class IXcDynControlLabel {
public:
    static constexpr const TGUID& IID = IID_IXcDynControlLabel;
    virtual void ControlSetFocusControl(cl::TWinControl* value) = 0;
    virtual void ControlSetWordWrap(bool value) = 0;

protected:
    ~IXcDynControlLabel() = default;
};

// Every interface above, for recording what a class implements.
template <class... I>
struct TXcInterfaceList {};
using TXcDynControlInterfaces =
    TXcInterfaceList<IXcDynControl, IXcDynControlReadOnly, IXcDynControlData, IXcDynControlEdit,
                     IXcDynControlButton, IXcDynControlButtonEdit, IXcDynControlFileName,
                     IXcDynControlDirectory, IXcDynControlDate, IXcDynControlTime, IXcDynControlCheckBox,
                     IXcDynControlItems, IXcDynControlMemo, IXcDynControlRadioGroup, IXcDynControlPanel,
                     IXcDynControlDblClick, IXcDynControlCheckListBox, IXcDynControlComboBox,
                     IXcDynControlImage, IXcDynControlLabel>;
