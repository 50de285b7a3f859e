#pragma once
// The standard controls: edits and memos (system EDIT windows), static
// text (STATIC), push buttons, check boxes and radio buttons (BUTTON),
// combo boxes and list boxes whose items live in their windows, and the
// label, group box and radio group that the library paints itself.

#include <windows.h>
// windows.h names GDI's GetObject as a macro, which would rename the
// item object accessors of TStrings in every unit that includes this one.
#undef GetObject

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/StringList.h"
#include "classlib/win/Controls.h"

namespace cl {

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// The state of an owner-drawn item: the low word of DRAWITEMSTRUCT's itemState.
enum TOwnerDrawStateFlag : uint16_t {
    odSelected = ODS_SELECTED,
    odGrayed = ODS_GRAYED,
    odDisabled = ODS_DISABLED,
    odChecked = ODS_CHECKED,
    odFocused = ODS_FOCUS,
    odDefault = ODS_DEFAULT,
    odComboBoxEdit = ODS_COMBOBOXEDIT,
};
using TOwnerDrawState = uint16_t;

// ---- Edits -----------------------------------------------------------------
// A single-line EDIT window.  Text is Windows-1250; positions count
// characters (one byte each).
class TCustomEdit : public TWinControl {
    CL_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);

    // Selects the whole text when the control is entered other than by a click.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    // The height follows the font (single border only).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    // 0: no limit of the library's own.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // '\0': the text shows.
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char value);
    // Typed text goes through the OEM code page and back (ES_OEMCONVERT).
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool value);
    // A change makes the window anew.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // The user changed the text since it was set (the window's flag).
    bool Modified() const;
    void SetModified(bool value);

    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    std::string SelText();
    void SetSelText(const std::string& value);
    void SelectAll();
    // Deletes the selected text (WM_CLEAR).
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo();
    void Undo();
    void ClearUndo();
    void Clear() { SetText(""); }
    int GetTextLen();

    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DoEnter() override;
    // The text changed (EN_CHANGE): fires OnChange.
    virtual void Change();
    // Paste, cut and clear requests, whoever sends them (keys, menus,
    // code); the default lets the window act.
    virtual void WMPaste(TMessage& message);
    virtual void WMCut(TMessage& message);
    virtual void WMClear(TMessage& message);
    // Height := the font's text height plus the border.
    void AdjustHeight();
    // The window while it is being created (no change events then).
    bool Creating() const { return creating_; }
    // The selection's ends (creates the window).
    void GetSel(int& start, int& stop);

private:
    void UpdateHeight();

    TAlignment alignment_ = taLeftJustify;
    bool autoSelect_ = true;
    bool autoSize_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    TEditCharCase charCase_ = ecNormal;
    bool hideSelection_ = true;
    int maxLength_ = 0;
    bool readOnly_ = false;
    char passwordChar_ = '\0';
    bool oemConvert_ = false;
    bool modified_ = false;
    bool creating_ = false;
};

class TEdit : public TCustomEdit {
    CL_CLASS(TEdit, TCustomEdit)
public:
    using TCustomEdit::TCustomEdit;
};

// A multi-line edit whose lines are a view of its window.
class TCustomMemo : public TCustomEdit {
    CL_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    // The window's lines (the text without a window); a text ending in a
    // line break has no empty last line.
    TStrings* Lines() const { return lines_.get(); }
    void SetLines(const TStrings& value) { lines_->Assign(value); }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyPress(char& key) override;

private:
    class TMemoStrings;
    std::unique_ptr<TStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    bool wordWrap_ = true;
};

class TMemo : public TCustomMemo {
    CL_CLASS(TMemo, TCustomMemo)
public:
    using TCustomMemo::TCustomMemo;
};

// ---- Label and static text ---------------------------------------------------
// A windowless caption painted on its parent.
class TCustomLabel : public TGraphicControl {
    CL_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // The bounds follow the text (the right edge stays with taRightJustify).
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    // Gets the focus when the caption's accelerator is pressed.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    // "&" marks the accelerator; otherwise it shows.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // No background fill (the control is not opaque).
    bool Transparent() const { return !(controlStyle_ & csOpaque); }
    void SetTransparent(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;
    // Sizes the label to its text when AutoSize is on.
    virtual void AdjustBounds();
    // Draws (or with DT_CALCRECT measures) the text on Canvas.
    virtual void DoDrawText(TRect& rect, UINT flags);
    virtual std::string GetLabelText() const { return Caption(); }

private:
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TWinControl* focusControl_ = nullptr;
    TTextLayout layout_ = tlTop;
    bool showAccelChar_ = true;
    bool wordWrap_ = false;
};

class TLabel : public TCustomLabel {
    CL_CLASS(TLabel, TCustomLabel)
public:
    using TCustomLabel::TCustomLabel;
};

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };

// A STATIC window showing a caption.
class TCustomStaticText : public TWinControl {
    CL_CLASS(TCustomStaticText, TWinControl)
public:
    explicit TCustomStaticText(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // The size follows the caption plus four border widths each way.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TStaticBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TStaticBorderStyle value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void AdjustBounds();

private:
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TStaticBorderStyle borderStyle_ = sbsNone;
    TWinControl* focusControl_ = nullptr;
    bool showAccelChar_ = true;
};

class TStaticText : public TCustomStaticText {
    CL_CLASS(TStaticText, TCustomStaticText)
public:
    using TCustomStaticText::TCustomStaticText;
};

// ---- Buttons -------------------------------------------------------------------
// The base of BUTTON windows.  While ClicksDisabled no click is reported,
// neither the window's nor a change from code (a mouse press that only
// focuses a radio button must not check it).
class TButtonControl : public TWinControl {
    CL_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);

    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool value) {}
    // A long caption breaks into lines.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ClicksDisabled() const { return clicksDisabled_; }
    void SetClicksDisabled(bool value) { clicksDisabled_ = value; }

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool clicksDisabled_ = false;
    bool wordWrap_ = false;
};

// A push button.  Enter clicks the default button (or the focused one),
// Esc the cancel button; a click hands ModalResult to the parent form.
class TButton : public TButtonControl {
    CL_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }

    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // Shows the button as the one Enter would press.
    virtual void SetButtonStyle(bool isDefault);
    // Enter presses this button: it is focused, or it is the default
    // button and no other button is focused.
    bool Active() const { return active_; }

private:
    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box.  Every change of State (from code or by the user) fires
// OnClick unless ClicksDisabled.
class TCustomCheckBox : public TButtonControl {
    CL_CLASS(TCustomCheckBox, TButtonControl)
public:
    explicit TCustomCheckBox(TComponent* owner);

    // Where the caption stands: taRightJustify (the default) right of the box.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // A click also steps through cbGrayed.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool Checked() const override { return state_ == cbChecked; }
    void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // A click: unchecked -> checked (or grayed), checked -> unchecked, grayed -> checked.
    virtual void Toggle();

private:
    TAlignment alignment_ = taRightJustify;
    bool allowGrayed_ = false;
    TCheckBoxState state_ = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
    CL_CLASS(TCheckBox, TCustomCheckBox)
public:
    using TCustomCheckBox::TCustomCheckBox;
};

// A radio button.  Checking it unchecks the radio buttons of the same
// parent and fires OnClick (from code too); it is a tab stop while
// checked, and getting the focus other than by the mouse checks it (the
// arrow keys move the check through a group).
class TRadioButton : public TButtonControl {
    CL_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool Checked() const override { return checked_; }
    void SetChecked(bool value) override;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    TAlignment alignment_ = taRightJustify;
    bool checked_ = false;
};

// ---- Group box and radio group ----------------------------------------------
// A frame with a caption around other controls; the accelerator of the
// caption focuses the first of them.
class TCustomGroupBox : public TCustomControl {
    CL_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    // Below the caption, one pixel in from the frame.
    void AdjustClientRect(TRect& rect) override;
};

class TGroupBox : public TCustomGroupBox {
    CL_CLASS(TGroupBox, TCustomGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};

// A group box holding one radio button per item, laid out in Columns.
// ItemIndex is the checked item (-1 none); choosing one, from code or by
// the user, fires OnClick.
class TCustomRadioGroup : public TCustomGroupBox {
    CL_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;

    TStrings* Items() const { return items_.get(); }
    void SetItems(const TStrings& value) { items_->Assign(value); }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    // 1..16.
    int Columns() const { return columns_; }
    void SetColumns(int value);
    // The radio button of an item.
    TRadioButton* Buttons(int index) const;

    void WndProc(TMessage& message) override;

protected:
    // False refuses the user's choice of an item.
    virtual bool CanModify() { return true; }
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    class TGroupButton;
    void ItemsChanged();
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TGroupButton* button);

    std::unique_ptr<TStringList> items_;
    std::vector<TGroupButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
    CL_CLASS(TRadioGroup, TCustomRadioGroup)
public:
    using TCustomRadioGroup::TCustomRadioGroup;
};

// ---- Combo box and list box -------------------------------------------------
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// A combo box.  Items are kept in the window while it exists.
class TCustomComboBox : public TWinControl {
    CL_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return items_.get(); }
    void SetItems(const TStrings& value) { items_->Assign(value); }
    // Setting it fires nothing.
    int ItemIndex() const;
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    // Items the open list shows without scrolling.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    int ItemHeight() const;
    void Clear();

    // The text changed by typing (csDropDown), or an item was chosen with
    // no OnSelect.
    TNotifyEvent OnChange;
    // The user chose an item.
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // In csDropDownList the text is the chosen item; setting it chooses
    // the item with that text.
    std::string GetText() const override;
    void SetTextValue(const std::string& value) override;
    virtual void Change();
    virtual void Select();
    virtual void DropDown();

private:
    void AdjustDropDown();

    std::unique_ptr<TStrings> items_;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    bool sorted_ = false;
    int savedItemIndex_ = -1;
};

class TComboBox : public TCustomComboBox {
    CL_CLASS(TComboBox, TCustomComboBox)
public:
    using TCustomComboBox::TCustomComboBox;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

// A list box.  Every item operation is an LB_ message to its window, so
// the window is the truth; the items survive the window's recreation.
class TCustomListBox : public TWinControl {
    CL_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings* Items() const { return items_.get(); }
    void SetItems(const TStrings& value) { items_->Assign(value); }
    // The selected item, or with MultiSelect the one with the focus frame.
    int ItemIndex() const;
    void SetItemIndex(int value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    // Selection states live only in the window (these make it).
    bool Selected(int index);
    void SetSelected(int index, bool value);
    // -1 without MultiSelect.
    int SelCount();
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle value);
    // The fixed height of owner-drawn items; the font's for lbStandard.
    int ItemHeight() const;
    void SetItemHeight(int value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    int TopIndex() const;
    void SetTopIndex(int value);
    // Tab stops every TabWidth dialog units; 0: none.
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    TRect ItemRect(int index) const;
    void Clear() { items_->Clear(); }
    // Owner drawing draws on it.
    TCanvas* Canvas() { return canvas_.get(); }

    TDrawItemEvent OnDrawItem;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Draws an owner-drawn item on Canvas: OnDrawItem, or the text.
    virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);

private:
    void DrawItemMessage(TMessage& m);

    std::unique_ptr<TStrings> items_;
    std::unique_ptr<TControlCanvas> canvas_;
    TListBoxStyle style_ = lbStandard;
    TBorderStyle borderStyle_ = bsSingle;
    bool multiSelect_ = false;
    bool sorted_ = false;
    int itemHeight_ = 16;
    int tabWidth_ = 0;
    int savedItemIndex_ = -1;
    int savedTopIndex_ = 0;
};

class TListBox : public TCustomListBox {
    CL_CLASS(TListBox, TCustomListBox)
public:
    using TCustomListBox::TCustomListBox;
};

}  // namespace cl
