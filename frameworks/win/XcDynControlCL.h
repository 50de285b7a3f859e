#pragma once
// The control classes of TXcDynControlEngineCL: each kind is a class-library
// control, or a panel of them, implementing the capability interfaces of
// its kind.
//
// Edit-like controls (edits, memos, pickers, lists, combo boxes) have no
// caption: ControlSetCaption does nothing on them.  A control whose value
// changes by clicks (check box, radio button, lists, radio group) fires
// the click handler, then the change handler, from one OnClick.

#include <string>
#include <type_traits>

#include "classlib/win/Buttons.h"
#include "classlib/win/CheckLst.h"
#include "classlib/win/ComCtrls.h"
#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/Mask.h"
#include "classlib/win/Panels.h"
#include "classlib/win/RichEdit.h"
#include "classlib/win/StdCtrls.h"
#include "frameworks/win/XcDynControlInterfaces.h"

// ---- Shared parts -----------------------------------------------------------------------

// IXcDynControl forwarded to the control itself; C is the final class.
template <class C>
class TXcDynControlCLBase : public IXcDynControl {
public:
    void ControlSetDefaultProperties() override {}
    void ControlSetCaption(const std::string& value) override { Self().SetCaption(value); }
    void ControlSetTabOrder(int value) override {
        if constexpr (std::is_base_of_v<cl::TWinControl, C>) Self().SetTabOrder(value);
    }
    void ControlSetOnEnter(cl::TNotifyEvent value) override {
        if constexpr (std::is_base_of_v<cl::TWinControl, C>) Self().OnEnter = std::move(value);
    }
    void ControlSetOnExit(cl::TNotifyEvent value) override {
        if constexpr (std::is_base_of_v<cl::TWinControl, C>) Self().OnExit = std::move(value);
    }
    void ControlSetOnClick(cl::TNotifyEvent value) override { Self().OnClick = std::move(value); }
    void ControlSetHint(const std::string& value) override { Self().SetHint(value); }

private:
    C& Self() { return static_cast<C&>(*this); }
};

// The click and change handlers of a control whose value changes by clicks.
class TXcClickAndChange {
public:
    // Makes the control's OnClick run both handlers.
    void Attach(cl::TControl& control);
    cl::TNotifyEvent onClick;
    cl::TNotifyEvent onChange;
};

// A Variant as an item index: a number, or the index of the item with that text.
int XcItemIndexOf(const cl::Variant& value, const cl::TStrings& items);

// ---- Captions and containers ----------------------------------------------------------

class TXcDynControlCLLabel : public cl::TLabel,
                             public TXcDynControlCLBase<TXcDynControlCLLabel>,
                             public IXcDynControlLabel {
    CL_CLASS(TXcDynControlCLLabel, cl::TLabel)
public:
    using TLabel::TLabel;
    void ControlSetFocusControl(cl::TWinControl* value) override { SetFocusControl(value); }
    void ControlSetWordWrap(bool value) override { SetWordWrap(value); }
};

class TXcDynControlCLStaticText : public cl::TStaticText,
                                  public TXcDynControlCLBase<TXcDynControlCLStaticText> {
    CL_CLASS(TXcDynControlCLStaticText, cl::TStaticText)
public:
    using TStaticText::TStaticText;
};

class TXcDynControlCLButton : public cl::TBitBtn,
                              public TXcDynControlCLBase<TXcDynControlCLButton>,
                              public IXcDynControlButton {
    CL_CLASS(TXcDynControlCLButton, cl::TBitBtn)
public:
    using TBitBtn::TBitBtn;
    void ControlSetGlyph(cl::TBitmap* value) override { SetGlyph(value); }
    void ControlSetNumGlyphs(int value) override { SetNumGlyphs(value); }
    void ControlSetLayout(cl::TButtonLayout value) override { SetLayout(value); }
};

// Its value is whether it is checked.
class TXcDynControlCLRadioButton : public cl::TRadioButton,
                                   public TXcDynControlCLBase<TXcDynControlCLRadioButton>,
                                   public IXcDynControlData {
    CL_CLASS(TXcDynControlCLRadioButton, cl::TRadioButton)
public:
    explicit TXcDynControlCLRadioButton(cl::TComponent* owner);
    void ControlSetOnClick(cl::TNotifyEvent value) override { events_.onClick = std::move(value); }
    void ControlSetOnChange(cl::TNotifyEvent value) override { events_.onChange = std::move(value); }
    void ControlSetValue(const cl::Variant& value) override;
    cl::Variant ControlGetValue() override { return cl::Variant(Checked()); }

private:
    TXcClickAndChange events_;
};

class TXcDynControlCLScrollBox : public cl::TScrollBox, public TXcDynControlCLBase<TXcDynControlCLScrollBox> {
    CL_CLASS(TXcDynControlCLScrollBox, cl::TScrollBox)
public:
    using TScrollBox::TScrollBox;
};

class TXcDynControlCLGroupBox : public cl::TGroupBox, public TXcDynControlCLBase<TXcDynControlCLGroupBox> {
    CL_CLASS(TXcDynControlCLGroupBox, cl::TGroupBox)
public:
    using TGroupBox::TGroupBox;
};

class TXcDynControlCLPanel : public cl::TPanel,
                             public TXcDynControlCLBase<TXcDynControlCLPanel>,
                             public IXcDynControlPanel {
    CL_CLASS(TXcDynControlCLPanel, cl::TPanel)
public:
    using TPanel::TPanel;
    void ControlSetBorder(cl::TBevelCut bevelInner, cl::TBevelCut bevelOuter, int bevelWidth,
                          cl::TBorderStyle borderStyle, int borderWidth) override;
};

class TXcDynControlCLImage : public cl::TImage,
                             public TXcDynControlCLBase<TXcDynControlCLImage>,
                             public IXcDynControlImage {
    CL_CLASS(TXcDynControlCLImage, cl::TImage)
public:
    using TImage::TImage;
    void ControlSetAutoSize(bool value) override { SetAutoSize(value); }
    // A picture loads whole: there is nothing to show in parts.
    void ControlSetIncrementalDisplay(bool) override {}
    void ControlSetCenter(bool value) override { SetCenter(value); }
    void ControlSetProportional(bool value) override { SetProportional(value); }
    void ControlSetStretch(bool value) override { SetStretch(value); }
    void ControlSetTransparent(bool value) override { SetTransparent(value); }
    void ControlSetPicture(cl::TPicture* value) override { Picture()->Assign(value); }
    void ControlSetGraphic(cl::TGraphic* value) override { Picture()->SetGraphic(value); }
    cl::TPicture* ControlGetPicture() override { return Picture(); }
};

// ---- Choices ----------------------------------------------------------------------------

// Its value is whether it is checked.
class TXcDynControlCLCheckBox : public cl::TCheckBox,
                                public TXcDynControlCLBase<TXcDynControlCLCheckBox>,
                                public IXcDynControlData,
                                public IXcDynControlCheckBox {
    CL_CLASS(TXcDynControlCLCheckBox, cl::TCheckBox)
public:
    explicit TXcDynControlCLCheckBox(cl::TComponent* owner);
    void ControlSetOnClick(cl::TNotifyEvent value) override { events_.onClick = std::move(value); }
    void ControlSetOnChange(cl::TNotifyEvent value) override { events_.onChange = std::move(value); }
    void ControlSetValue(const cl::Variant& value) override;
    cl::Variant ControlGetValue() override { return cl::Variant(Checked()); }
    void ControlSetAllowGrayed(bool value) override { SetAllowGrayed(value); }
    void ControlSetState(cl::TCheckBoxState value) override { SetState(value); }
    cl::TCheckBoxState ControlGetState() override { return State(); }

private:
    TXcClickAndChange events_;
};

// Its value is its text.
class TXcDynControlCLComboBox : public cl::TComboBox,
                                public TXcDynControlCLBase<TXcDynControlCLComboBox>,
                                public IXcDynControlData,
                                public IXcDynControlItems,
                                public IXcDynControlComboBox {
    CL_CLASS(TXcDynControlCLComboBox, cl::TComboBox)
public:
    using TComboBox::TComboBox;
    void ControlSetCaption(const std::string&) override {}
    void ControlSetOnChange(cl::TNotifyEvent value) override { OnChange = std::move(value); }
    void ControlSetValue(const cl::Variant& value) override { SetText(value.ToString()); }
    cl::Variant ControlGetValue() override { return cl::Variant(Text()); }
    void ControlSetSorted(bool value) override { SetSorted(value); }
    void ControlSetItems(const cl::TStrings& value) override { SetItems(value); }
    cl::TStrings* ControlGetItems() override { return Items(); }
    void ControlSetNewEntriesAllowed(bool value) override {
        SetStyle(value ? cl::csDropDown : cl::csDropDownList);
    }
};

// The list box interfaces over a list box class C; the value is the item
// index (a number, or the text of an item, in).
template <class C>
class TXcDynControlCLListIntf : public TXcDynControlCLBase<C>,
                                public IXcDynControlData,
                                public IXcDynControlItems,
                                public IXcDynControlDblClick {
public:
    void ControlSetCaption(const std::string&) override {}
    void ControlSetOnClick(cl::TNotifyEvent value) override { events_.onClick = std::move(value); }
    void ControlSetOnChange(cl::TNotifyEvent value) override { events_.onChange = std::move(value); }
    void ControlSetValue(const cl::Variant& value) override {
        Self().SetItemIndex(XcItemIndexOf(value, *Self().Items()));
    }
    cl::Variant ControlGetValue() override { return cl::Variant(Self().ItemIndex()); }
    void ControlSetSorted(bool value) override { Self().SetSorted(value); }
    void ControlSetItems(const cl::TStrings& value) override { Self().SetItems(value); }
    cl::TStrings* ControlGetItems() override { return Self().Items(); }
    void ControlSetOnDblClick(cl::TNotifyEvent value) override { Self().OnDblClick = std::move(value); }

protected:
    TXcClickAndChange events_;

private:
    C& Self() { return static_cast<C&>(*this); }
};

class TXcDynControlCLListBox : public cl::TListBox, public TXcDynControlCLListIntf<TXcDynControlCLListBox> {
    CL_CLASS(TXcDynControlCLListBox, cl::TListBox)
public:
    explicit TXcDynControlCLListBox(cl::TComponent* owner);
};

class TXcDynControlCLCheckListBox : public cl::TCheckListBox,
                                    public TXcDynControlCLListIntf<TXcDynControlCLCheckListBox>,
                                    public IXcDynControlCheckListBox {
    CL_CLASS(TXcDynControlCLCheckListBox, cl::TCheckListBox)
public:
    explicit TXcDynControlCLCheckListBox(cl::TComponent* owner);
    void ControlSetAllowGrayed(bool value) override { SetAllowGrayed(value); }
    bool ControlGetAllowGrayed() override { return AllowGrayed(); }
    void ControlSetOnClickCheck(cl::TNotifyEvent value) override { OnClickCheck = std::move(value); }
    void ControlSetChecked(int index, bool value) override { SetChecked(index, value); }
    bool ControlGetChecked(int index) override { return Checked(index); }
    void ControlSetItemEnabled(int index, bool value) override { SetItemEnabled(index, value); }
    bool ControlGetItemEnabled(int index) override { return ItemEnabled(index); }
    void ControlSetState(int index, cl::TCheckBoxState value) override { SetState(index, value); }
    cl::TCheckBoxState ControlGetState(int index) override { return State(index); }
};

// Its value is the item index (a number, or the text of an item, in).
class TXcDynControlCLRadioGroup : public cl::TRadioGroup,
                                  public TXcDynControlCLBase<TXcDynControlCLRadioGroup>,
                                  public IXcDynControlData,
                                  public IXcDynControlItems,
                                  public IXcDynControlRadioGroup {
    CL_CLASS(TXcDynControlCLRadioGroup, cl::TRadioGroup)
public:
    explicit TXcDynControlCLRadioGroup(cl::TComponent* owner);
    void ControlSetOnClick(cl::TNotifyEvent value) override { events_.onClick = std::move(value); }
    void ControlSetOnChange(cl::TNotifyEvent value) override { events_.onChange = std::move(value); }
    void ControlSetValue(const cl::Variant& value) override { SetItemIndex(XcItemIndexOf(value, *Items())); }
    cl::Variant ControlGetValue() override { return cl::Variant(ItemIndex()); }
    // The buttons keep the order of the items.
    void ControlSetSorted(bool) override {}
    void ControlSetItems(const cl::TStrings& value) override { SetItems(value); }
    cl::TStrings* ControlGetItems() override { return Items(); }
    void ControlSetColumns(int value) override { SetColumns(value); }

private:
    TXcClickAndChange events_;
};

// ---- Dates and times ----------------------------------------------------------------------

// A date picker; its value is the date (a date Variant).
class TXcDynControlCLDateEdit : public cl::TDateTimePicker,
                                public TXcDynControlCLBase<TXcDynControlCLDateEdit>,
                                public IXcDynControlData,
                                public IXcDynControlDate {
    CL_CLASS(TXcDynControlCLDateEdit, cl::TDateTimePicker)
public:
    explicit TXcDynControlCLDateEdit(cl::TComponent* owner);
    void ControlSetCaption(const std::string&) override {}
    void ControlSetOnChange(cl::TNotifyEvent value) override { OnChange = std::move(value); }
    void ControlSetValue(const cl::Variant& value) override { SetDate(value.ToDate()); }
    cl::Variant ControlGetValue() override { return cl::Variant::FromDate(Date()); }
    void ControlSetMinDate(cl::TDateTime value) override { SetMinDate(value); }
    void ControlSetMaxDate(cl::TDateTime value) override { SetMaxDate(value); }
    void ControlSetFormat(const std::string& value) override { SetFormat(value); }
};

// A time picker; its value is the time of day (a date Variant).
class TXcDynControlCLTimeEdit : public cl::TDateTimePicker,
                                public TXcDynControlCLBase<TXcDynControlCLTimeEdit>,
                                public IXcDynControlData,
                                public IXcDynControlTime {
    CL_CLASS(TXcDynControlCLTimeEdit, cl::TDateTimePicker)
public:
    explicit TXcDynControlCLTimeEdit(cl::TComponent* owner);
    void ControlSetCaption(const std::string&) override {}
    void ControlSetOnChange(cl::TNotifyEvent value) override { OnChange = std::move(value); }
    void ControlSetValue(const cl::Variant& value) override { SetTime(value.ToDate()); }
    cl::Variant ControlGetValue() override { return cl::Variant::FromDate(Time()); }
    void ControlSetFormat(const std::string& value) override { SetFormat(value); }
};

// A borderless panel holding a date picker (the left half, half as high)
// and a time picker (the rest, as high as the panel).  Its value is the date picker's day joined with the
// time picker's time of day (a date Variant).
class TXcDynControlCLDateTimeEdit : public cl::TPanel,
                                    public TXcDynControlCLBase<TXcDynControlCLDateTimeEdit>,
                                    public IXcDynControlData,
                                    public IXcDynControlDate {
    CL_CLASS(TXcDynControlCLDateTimeEdit, cl::TPanel)
public:
    explicit TXcDynControlCLDateTimeEdit(cl::TComponent* owner);
    cl::TDateTimePicker* DatePicker() const { return date_; }
    cl::TDateTimePicker* TimePicker() const { return time_; }

    void ControlSetCaption(const std::string&) override {}
    void ControlSetOnChange(cl::TNotifyEvent value) override;
    void ControlSetValue(const cl::Variant& value) override;
    cl::Variant ControlGetValue() override;
    void ControlSetMinDate(cl::TDateTime value) override { date_->SetMinDate(value); }
    void ControlSetMaxDate(cl::TDateTime value) override { date_->SetMaxDate(value); }
    void ControlSetFormat(const std::string& value) override { date_->SetFormat(value); }

protected:
    void Resize() override;

private:
    cl::TDateTimePicker* date_;
    cl::TDateTimePicker* time_;
};

// ---- Edits ------------------------------------------------------------------------------

// Its value is its text.
class TXcDynControlCLMaskEdit : public cl::TMaskEdit,
                                public TXcDynControlCLBase<TXcDynControlCLMaskEdit>,
                                public IXcDynControlReadOnly,
                                public IXcDynControlData,
                                public IXcDynControlEdit {
    CL_CLASS(TXcDynControlCLMaskEdit, cl::TMaskEdit)
public:
    using TMaskEdit::TMaskEdit;
    void ControlSetCaption(const std::string&) override {}
    void ControlSetReadOnly(bool value) override { SetReadOnly(value); }
    void ControlSetOnChange(cl::TNotifyEvent value) override { OnChange = std::move(value); }
    void ControlSetValue(const cl::Variant& value) override { SetText(value.ToString()); }
    cl::Variant ControlGetValue() override { return cl::Variant(Text()); }
    void ControlSetPasswordChar(char value) override { SetPasswordChar(value); }
    void ControlSetEditMask(const std::string& value) override { SetEditMask(value); }
};

// The memo interfaces over a memo class C; the value is the text.
template <class C>
class TXcDynControlCLMemoIntf : public TXcDynControlCLBase<C>,
                                public IXcDynControlReadOnly,
                                public IXcDynControlData,
                                public IXcDynControlItems,
                                public IXcDynControlMemo {
public:
    void ControlSetCaption(const std::string&) override {}
    void ControlSetReadOnly(bool value) override { Self().SetReadOnly(value); }
    void ControlSetOnChange(cl::TNotifyEvent value) override { Self().OnChange = std::move(value); }
    void ControlSetValue(const cl::Variant& value) override { Self().SetText(value.ToString()); }
    cl::Variant ControlGetValue() override { return cl::Variant(Self().Text()); }
    // Lines keep the order they are given in.
    void ControlSetSorted(bool) override {}
    void ControlSetItems(const cl::TStrings& value) override { Self().Lines()->Assign(value); }
    cl::TStrings* ControlGetItems() override { return Self().Lines(); }
    void ControlSetWantTabs(bool value) override { Self().SetWantTabs(value); }
    void ControlSetWantReturns(bool value) override { Self().SetWantReturns(value); }
    void ControlSetWordWrap(bool value) override { Self().SetWordWrap(value); }
    void ControlSetScrollBars(cl::TScrollStyle value) override { Self().SetScrollBars(value); }

private:
    C& Self() { return static_cast<C&>(*this); }
};

class TXcDynControlCLMemo : public cl::TMemo, public TXcDynControlCLMemoIntf<TXcDynControlCLMemo> {
    CL_CLASS(TXcDynControlCLMemo, cl::TMemo)
public:
    using TMemo::TMemo;
};

class TXcDynControlCLRichEdit : public cl::TRichEdit,
                                public TXcDynControlCLMemoIntf<TXcDynControlCLRichEdit> {
    CL_CLASS(TXcDynControlCLRichEdit, cl::TRichEdit)
public:
    using TRichEdit::TRichEdit;
};

// A borderless panel holding a mask edit (client-aligned) and a "..."
// button (right-aligned, as wide as the panel is high); the panel takes
// the edit's height.  Its value is the edit's text; entering, leaving and
// clicking are the edit's.
class TXcDynControlCLEditPanel : public cl::TPanel,
                                 public TXcDynControlCLBase<TXcDynControlCLEditPanel>,
                                 public IXcDynControlReadOnly,
                                 public IXcDynControlData {
    CL_CLASS(TXcDynControlCLEditPanel, cl::TPanel)
public:
    explicit TXcDynControlCLEditPanel(cl::TComponent* owner);
    cl::TMaskEdit* Edit() const { return edit_; }
    cl::TBitBtn* Button() const { return button_; }

    void ControlSetCaption(const std::string&) override {}
    void ControlSetOnEnter(cl::TNotifyEvent value) override { edit_->OnEnter = std::move(value); }
    void ControlSetOnExit(cl::TNotifyEvent value) override { edit_->OnExit = std::move(value); }
    void ControlSetOnClick(cl::TNotifyEvent value) override { edit_->OnClick = std::move(value); }
    void ControlSetReadOnly(bool value) override { edit_->SetReadOnly(value); }
    void ControlSetOnChange(cl::TNotifyEvent value) override { edit_->OnChange = std::move(value); }
    void ControlSetValue(const cl::Variant& value) override { edit_->SetText(value.ToString()); }
    cl::Variant ControlGetValue() override { return cl::Variant(edit_->Text()); }

protected:
    void Resize() override;
    // Gives the edit the focus when it can take it.
    void FocusEdit();

private:
    cl::TMaskEdit* edit_;
    cl::TBitBtn* button_;
};

// The button asks for a file: by the dialog kind an open or save dialog
// (the picture kinds with the picture loader's filter when none is set).
class TXcDynControlCLFileNameEdit : public TXcDynControlCLEditPanel, public IXcDynControlFileName {
    CL_CLASS(TXcDynControlCLFileNameEdit, TXcDynControlCLEditPanel)
public:
    explicit TXcDynControlCLFileNameEdit(cl::TComponent* owner);
    void ControlSetInitialDir(const std::string& value) override { initialDir_ = value; }
    void ControlSetDefaultExt(const std::string& value) override { defaultExt_ = value; }
    void ControlSetDialogTitle(const std::string& value) override { title_ = value; }
    void ControlSetDialogOptions(cl::TOpenOptions value) override { options_ = value; }
    void ControlSetFilter(const std::string& value) override { filter_ = value; }
    void ControlSetFilterIndex(int value) override { filterIndex_ = value; }
    void ControlSetDialogKind(TXcFileDialogKind value) override { kind_ = value; }

private:
    void ButtonClick();

    std::string initialDir_;
    std::string defaultExt_;
    std::string title_;
    cl::TOpenOptions options_ = cl::ofHideReadOnly | cl::ofEnableSizing;
    std::string filter_;
    int filterIndex_ = 1;
    TXcFileDialogKind kind_ = fdkOpen;
};

// The button asks for a folder, starting from the value, else the initial
// folder, else "\"; a start folder that does not exist becomes "\".
class TXcDynControlCLDirectoryEdit : public TXcDynControlCLEditPanel, public IXcDynControlDirectory {
    CL_CLASS(TXcDynControlCLDirectoryEdit, TXcDynControlCLEditPanel)
public:
    explicit TXcDynControlCLDirectoryEdit(cl::TComponent* owner);
    void ControlSetInitialDir(const std::string& value) override { initialDir_ = value; }
    void ControlSetDialogTitle(const std::string& value) override { title_ = value; }
    void ControlSetDialogOptions(cl::TSelectDirOpts value) override { options_ = value; }

private:
    void ButtonClick();

    std::string initialDir_;
    std::string title_;
    cl::TSelectDirOpts options_ = 0;
};

// The button runs the handler given.
class TXcDynControlCLButtonEdit : public TXcDynControlCLEditPanel,
                                  public IXcDynControlButton,
                                  public IXcDynControlButtonEdit,
                                  public IXcDynControlEdit {
    CL_CLASS(TXcDynControlCLButtonEdit, TXcDynControlCLEditPanel)
public:
    using TXcDynControlCLEditPanel::TXcDynControlCLEditPanel;
    void ControlSetGlyph(cl::TBitmap* value) override { Button()->SetGlyph(value); }
    void ControlSetNumGlyphs(int value) override { Button()->SetNumGlyphs(value); }
    void ControlSetLayout(cl::TButtonLayout value) override { Button()->SetLayout(value); }
    void ControlSetOnButtonClick(cl::TNotifyEvent value) override { Button()->OnClick = std::move(value); }
    void ControlSetButtonCaption(const std::string& value) override { Button()->SetCaption(value); }
    void ControlSetPasswordChar(char value) override { Edit()->SetPasswordChar(value); }
    void ControlSetEditMask(const std::string& value) override { Edit()->SetEditMask(value); }
};
