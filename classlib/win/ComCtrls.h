#pragma once
// Common controls: the tool bar (ToolbarWindow32) with its tool buttons,
// the status bar (msctls_statusbar32) with its panels, and the date and
// time picker (SysDateTimePick32).
//
// A tool button is a windowless control placed where the system button of
// the bar lies, so that it has a name, an action, a hint and bounds; the
// bar's window draws and clicks the buttons itself.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"
#include "classlib/win/ActnList.h"
#include "classlib/win/Controls.h"
#include "classlib/win/ImgList.h"
#include "classlib/win/Menus.h"

namespace cl {

class TToolBar;
class TCustomStatusBar;

// Posted by a tool bar to itself when a button's drop-down menu has closed.
constexpr UINT CN_DROPDOWNCLOSED = WM_USER + 0x1000;

// ---- Tool bar ----------------------------------------------------------------------
enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

enum TEdgeBorder : uint8_t { ebLeft = 1, ebTop = 2, ebRight = 4, ebBottom = 8 };
using TEdgeBorders = uint8_t;

class TToolButton : public TGraphicControl {
    CL_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;
    void BeforeDestruction() override;

    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle value);
    // -1: no image.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // A check button's state; a grouped one releases the others of its group.
    bool Down() const { return down_; }
    void SetDown(bool value);
    // Adjacent grouped check buttons form a group with one button down.
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool value);
    // A grouped button that is down goes up when clicked again.
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    // The next button starts a new row.
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value);
    // Shown under the button on its arrow (tbsDropDown), or instead of the
    // click for the other styles.
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* value);
    // The item of the bar's Menu the button stands for; a click drops its sub-items.
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* value);

    // The button's place on its bar, -1 without one.
    int Index() const;
    // Drops the button's menu (DropdownMenu, or MenuItem's sub-items);
    // false when it has none.
    virtual bool CheckMenuDropdown();
    void Click() override;

protected:
    void ActionChange(TObject* sender, bool checkDefaults) override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetTextValue(const std::string& value) override;
    void VisibleChanged() override;
    void EnabledChanged() override;

private:
    friend class TToolBar;
    class ImageLink;
    TToolBar* Bar() const;
    // Tells the bar that the button's system button must follow.
    void Changed();

    TToolButtonStyle style_ = tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    bool grouped_ = false;
    bool allowAllUp_ = false;
    bool wrap_ = false;
    TPopupMenu* dropdownMenu_ = nullptr;
    TMenuItem* menuItem_ = nullptr;
    std::unique_ptr<ImageLink> imageLink_;
    std::wstring wideCaption_;  // the system button points at it
};

class TToolBar : public TWinControl {
    CL_CLASS(TToolBar, TWinControl)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;
    void BeforeDestruction() override;

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const;  // EListError out of range

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    TCustomImageList* DisabledImages() const { return disabledImages_; }
    void SetDisabledImages(TCustomImageList* value);
    TCustomImageList* HotImages() const { return hotImages_; }
    void SetHotImages(TCustomImageList* value);

    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);
    // Captions right of the images.
    bool List() const { return list_; }
    void SetList(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Buttons that do not fit wrap to the next row.
    bool Wrapable() const { return wrapable_; }
    void SetWrapable(bool value);
    // Space before the first button.
    int Indent() const { return indent_; }
    void SetIndent(int value);
    // Etched edges drawn round the bar.
    TEdgeBorders EdgeBorders() const { return edgeBorders_; }
    void SetEdgeBorders(TEdgeBorders value);
    // The bar's height follows its rows of buttons.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // One check button per top-level item of the menu; a click drops the
    // item's sub-items.  Setting it replaces the bar's buttons.
    TMainMenu* Menu() const { return menu_; }
    virtual void SetMenu(TMainMenu* value);

    // Shows the button's menu under it; the bar then posts itself
    // CN_DROPDOWNCLOSED.  False when the button has no menu.
    virtual bool TrackMenu(TToolButton* button);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation operation) override;
    // With AutoSize, the height of the rows of buttons plus the edges.
    virtual void AdjustSize();
    // The button's click; a check button's Down follows the system button.
    virtual void ClickButton(TToolButton* button);
    // Runs open with the screen point under the button's left edge, the
    // button pressed meanwhile (a drop-down button shows its own); then
    // releases it and posts CN_DROPDOWNCLOSED through the window alone, so
    // open may free the bar.
    void DropDownUnder(TToolButton* button, const std::function<void(POINT)>& open);

private:
    friend class TToolButton;
    void InsertButton(TToolButton* button);
    void RemoveButton(TToolButton* button) noexcept;
    void BuildButtons();
    void UpdateButton(TToolButton* button);
    void UpdateButtonBounds();
    // Rows: the buttons' own wraps, then (Wrapable) a wrap before a button
    // that would cross the right edge.
    void LayoutButtons();
    void SetWrapState(int index, bool wrap);
    void UpdateImages();
    void UpdateStyle();
    void ReleaseGroup(TToolButton* button);
    TBBUTTON Describe(TToolButton* button, int index);
    TToolButton* ButtonAtCommand(int command) const;
    TToolButton* ButtonAt(TPoint p) const;
    void NCCalcSize(TMessage& m);
    void NCPaint(TMessage& m);
    void BarTearDown() noexcept;
    // Builds the buttons once the message under way is done.
    void PostRebuild();

    std::vector<TToolButton*> buttons_;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* disabledImages_ = nullptr;
    TCustomImageList* hotImages_ = nullptr;
    TChangeLink imageLink_, disabledLink_, hotLink_;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    bool showCaptions_ = false;
    bool list_ = false;
    bool flat_ = false;
    bool transparent_ = false;
    bool wrapable_ = true;
    int indent_ = 0;
    TEdgeBorders edgeBorders_ = ebTop;
    bool autoSize_ = false;
    TMainMenu* menu_ = nullptr;
    bool updatingBounds_ = false;
    bool layingOut_ = false;
    bool rebuildPending_ = false;
    bool tornDown_ = false;
};

// ---- Status bar ----------------------------------------------------------------
enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanels;

class TStatusPanel : public TPersistent {
    CL_CLASS(TStatusPanel, TPersistent)
public:
    explicit TStatusPanel(TStatusPanels* collection);
    void Assign(TPersistent* source) override;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value);

    int Index() const;
    TStatusPanels* Collection() const { return collection_; }

protected:
    // Shows the change on the bar.
    virtual void Changed();

private:
    TStatusPanels* collection_;
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelStyle style_ = psText;
    TStatusPanelBevel bevel_ = pbLowered;
};

// The panels of a status bar; the bar makes each through CreatePanel.
class TStatusPanels : public TPersistent {
    CL_CLASS(TStatusPanels, TPersistent)
public:
    explicit TStatusPanels(TCustomStatusBar* bar);
    ~TStatusPanels() override;
    void Assign(TPersistent* source) override;

    TStatusPanel* Add();
    TStatusPanel* Items(int index) const;  // EListError out of range
    int Count() const { return static_cast<int>(items_.size()); }
    void Delete(int index);
    void Clear();
    // Nested pairs show the changes once, at the end.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    TCustomStatusBar* StatusBar() const { return bar_; }

private:
    friend class TStatusPanel;
    void Changed();

    TCustomStatusBar* bar_;
    std::vector<std::unique_ptr<TStatusPanel>> items_;
    int updateCount_ = 0;
};

// The application's hint on its way to a status bar with AutoHint.
class THintAction : public TCustomAction {
    CL_CLASS(THintAction, TCustomAction)
public:
    using TCustomAction::TCustomAction;
};

using TDrawPanelEvent =
    std::function<void(TCustomStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TCustomStatusBar : public TWinControl {
    CL_CLASS(TCustomStatusBar, TWinControl)
public:
    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;

    TStatusPanels* Panels() const { return panels_.get(); }
    // One part across the bar showing SimpleText instead of the panels.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    // The application's hints appear in the simple text or the first panel;
    // OnHint, when set, takes them instead.  The hints arrive as a
    // THintAction from Application->OnHint, which switching AutoHint on
    // fills when nothing else has (a program's own OnHint keeps them away,
    // as in the class library).
    bool AutoHint() const { return autoHint_; }
    void SetAutoHint(bool value);
    // Canvas on the device context of an owner-drawn panel while it is drawn.
    TCanvas* Canvas() { return canvas_.get(); }

    // A THintAction with AutoHint: shown (or handed to OnHint); true when taken.
    virtual bool ExecuteAction(TBasicAction* action);
    // Sends the panels to the window again.
    void UpdatePanels();

    TDrawPanelEvent OnDrawPanel;
    TNotifyEvent OnHint;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // The panel class of the bar.
    virtual std::unique_ptr<TStatusPanel> CreatePanel(TStatusPanels* panels);
    // OnHint; true when it is set.
    virtual bool DoHint();
    virtual void DrawPanel(TStatusPanel* panel, const TRect& rect);

private:
    friend class TStatusPanels;
    void UpdatePanel(int index);

    std::unique_ptr<TStatusPanels> panels_;
    std::unique_ptr<TCanvas> canvas_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
    bool autoHint_ = false;
};

class TStatusBar : public TCustomStatusBar {
    CL_CLASS(TStatusBar, TCustomStatusBar)
public:
    using TCustomStatusBar::TCustomStatusBar;
};

// ---- Date and time picker -------------------------------------------------------
enum TDateTimeKind { dtkDate, dtkTime };

class EDateTimeError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EDateTimeError"; }
};

// Edits a date (dtkDate) or a time of day (dtkTime).  The control keeps the
// whole value, so it outlasts the window and keeps the part the window
// does not show; a value the window cannot show (before 1601) is kept all
// the same.  The user's changes fire OnChange; setting from code fires nothing.
class TDateTimePicker : public TWinControl {
    CL_CLASS(TDateTimePicker, TWinControl)
public:
    explicit TDateTimePicker(TComponent* owner);

    // A change makes the window anew.
    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind value);
    // With dtkDate, a day outside MinDate..MaxDate raises EDateTimeError.
    TDateTime DateTime() const { return dateTime_; }
    void SetDateTime(TDateTime value);
    // The day, keeping the time of day, and the time of day, keeping the day.
    TDateTime Date() const { return DateOf(dateTime_); }
    void SetDate(TDateTime value) { SetDateTime(ComposeDateTime(value, dateTime_)); }
    TDateTime Time() const { return TimeOf(dateTime_); }
    void SetTime(TDateTime value) { SetDateTime(ComposeDateTime(dateTime_, value)); }
    // The first and last day the user may choose; 0: no limit.  A value
    // outside a new limit moves to it.
    TDateTime MinDate() const { return minDate_; }
    void SetMinDate(TDateTime value);
    TDateTime MaxDate() const { return maxDate_; }
    void SetMaxDate(TDateTime value);
    // A format string of the window ("dd.MM.yyyy", "HH:mm"); empty: the
    // system's short date or time format.
    const std::string& Format() const { return format_; }
    void SetFormat(const std::string& value);

    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void Change();

private:
    void ShowValue();
    void ShowRange();
    void ShowFormat();

    TDateTimeKind kind_ = dtkDate;
    TDateTime dateTime_;
    TDateTime minDate_ = 0;
    TDateTime maxDate_ = 0;
    std::string format_;
    bool showing_ = false;
};

}  // namespace cl
