#pragma once
// Menus: the menu bar of a form (TMainMenu), pop-up menus (TPopupMenu) and
// their items, built on the system's menus.  A click on an item arrives as
// WM_COMMAND with the item's command number and reaches its Click; an
// owner-drawn menu hands WM_MEASUREITEM / WM_DRAWITEM to its items.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/win/ActnList.h"
#include "classlib/win/Controls.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/ImgList.h"
#include "classlib/win/Messages.h"

namespace cl {

class TMenu;
class TMenuItem;

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };
enum TPopupAlignment { paLeft, paRight, paCenter };
enum TTrackButton { tbRightButton, tbLeftButton };
enum TMenuAutoFlag { maAutomatic, maManual, maParent };

using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
// Rebuild: the system menu was built again (items added, removed, shown or hidden).
using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

class TMenuActionLink : public TActionLink {
    CL_CLASS(TMenuActionLink, TActionLink)
public:
    explicit TMenuActionLink(TMenuItem* client) : client_(client) {}

protected:
    bool IsCaptionLinked() const override;
    bool IsCheckedLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsImageIndexLinked() const override;
    bool IsShortCutLinked() const override;
    bool IsVisibleLinked() const override;
    void SetCaption(const std::string& value) override;
    void SetChecked(bool value) override;
    void SetEnabled(bool value) override;
    void SetHint(const std::string& value) override;
    void SetImageIndex(int value) override;
    void SetShortCut(TShortCut value) override;
    void SetVisible(bool value) override;

private:
    TMenuItem* client_;
};

class TMenuItem : public TComponent {
    CL_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    // Frees the sub-items and leaves the parent item.
    void BeforeDestruction() override;

    // "-" is a separator; "&" marks the access key.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    // Shown after a tab in the item ("Ctrl+N").
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    // The help context F1 shows while the item is highlighted in a pop-up menu.
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // A picture beside the caption: the system shows it in the item's
    // entry, the owner drawing draws it when the menu's Images do not hold
    // the item's image.
    TBitmap* Bitmap() const { return bitmap_.get(); }
    void SetBitmap(TBitmap* value) { bitmap_->Assign(value); }
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);

    // The command number of WM_COMMAND, unique in the process.
    WORD Command() const { return command_; }
    // The system pop-up menu of the sub-items, made when asked for.
    HMENU Handle();
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;  // EListError out of range
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    // Removes the sub-item and frees it.
    void Delete(int index);
    // Takes the sub-item out without freeing it.
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The sub-item with that caption, ignoring "&" and case.
    TMenuItem* Find(const std::string& caption) const;
    bool IsLine() const { return caption_ == "-"; }
    // The menu the item belongs to, through its parents.
    TMenu* GetParentMenu() const;

    // Executes the action or runs OnClick, when enabled.
    virtual void Click();
    // Updates the linked action.
    void InitiateAction();
    // Owner drawing: OnMeasureItem / OnDrawItem, or the caption in the
    // menu font with its shortcut.
    virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
    virtual void DrawItem(TCanvas* canvas, const TRect& rect, bool selected);

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

protected:
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    void Notification(TComponent* component, TOperation operation) override;
    // Updates the item's entry (rebuild: builds the menus around it again)
    // and tells the menu.
    void MenuChanged(bool rebuild);

private:
    friend class TMenu;
    friend class TMainMenu;
    friend class TPopupMenu;
    void ItemTearDown() noexcept;
    void FillMenu(HMENU menu);
    // The entry's description; entryBitmap receives the copy of Bitmap the
    // entry shows, to be kept while it does.
    void Describe(MENUITEMINFOW& mii, std::wstring& text, bool ownerDraw, OwnedBitmap& entryBitmap);
    // The owner drawing's picture column: as wide as the menu's images or
    // the item's Bitmap; the image, else the Bitmap, drawn in it.
    int GlyphWidth() const;
    void DrawGlyph(TCanvas* canvas, const TRect& rect);
    void AppendTo(HMENU menu, bool ownerDraw);
    // Brings this item's entry in the parent's menu up to date.
    void UpdateEntry();
    void RebuildHandle();
    void DestroyMenuHandle() noexcept;

    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    bool radioItem_ = false;
    TShortCut shortCut_ = scNone;
    std::string hint_;
    int helpContext_ = 0;
    int imageIndex_ = -1;
    std::unique_ptr<TBitmap> bitmap_;
    OwnedBitmap entryBitmap_;  // what the item's entry shows of bitmap_
    std::unique_ptr<TMenuActionLink> actionLink_;
    WORD command_ = 0;
    HMENU handle_ = nullptr;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
    TMenu* menu_ = nullptr;  // set on a menu's root item
    bool tornDown_ = false;
};

class TMenu : public TComponent {
    CL_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item; its sub-items are the menu's items.
    TMenuItem* Items() const { return items_; }
    virtual HMENU Handle();
    // The window the menu sends its messages to.
    HWND WindowHandle() const { return windowHandle_; }
    void SetWindowHandle(HWND wnd) { windowHandle_ = wnd; }
    // Every item is MFT_OWNERDRAW: the window gets WM_MEASUREITEM and
    // WM_DRAWITEM and passes them to MeasureItem / DrawItem below.
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    // The items' images by their ImageIndex, for the owner drawing.
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    // Right to left: the system's entries read from the right (owner-drawn
    // ones are mirrored by their drawing), a menu bar's items start at its
    // right, and a pop-up menu opens mirrored.  Setting it clears
    // ParentBiDiMode.
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool value) { parentBiDiMode_ = value; }
    bool IsRightToLeft() const { return biDiMode_ != bdLeftToRight; }
    // The automatic hot keys and line reduction a menu is stored with and
    // passes on when it is assigned; stored when not maAutomatic.
    TMenuAutoFlag AutoHotkeys() const { return autoHotkeys_; }
    void SetAutoHotkeys(TMenuAutoFlag value) { autoHotkeys_ = value; }
    TMenuAutoFlag AutoLineReduction() const { return autoLineReduction_; }
    void SetAutoLineReduction(TMenuAutoFlag value) { autoLineReduction_ = value; }

    // By command number, sub-menu handle or shortcut; nullptr when none.
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
    // WM_COMMAND from the menu: clicks the item; false when it is not this menu's.
    bool DispatchCommand(WORD command);
    // WM_INITMENUPOPUP: updates the actions of the sub-items; false when not this menu's.
    bool DispatchPopup(HMENU menu);
    // WM_KEYDOWN: clicks the enabled item with that shortcut.
    bool IsShortCut(TMessage& keyMessage);
    // WM_MEASUREITEM / WM_DRAWITEM of an item of this menu; false otherwise.
    virtual bool MeasureItem(MEASUREITEMSTRUCT& mis);
    virtual bool DrawItem(const DRAWITEMSTRUCT& dis);
    // WM_MENUCHAR in an owner-drawn menu: the item whose access key it is.
    bool ProcessMenuChar(TMessage& message);

    TMenuChangeEvent OnChange;

protected:
    friend class TMenuItem;
    virtual void MenuChanged(TObject* sender, TMenuItem* source, bool rebuild);
    void Notification(TComponent* component, TOperation operation) override;

private:
    TMenuItem* OwnerDrawnItem(UINT itemID) const;
    // Every entry made again (the system measures an entry once).
    void RebuildEntries();

    TMenuItem* items_;
    HWND windowHandle_ = nullptr;
    bool ownerDraw_ = false;
    TCustomImageList* images_ = nullptr;
    TChangeLink imagesLink_;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;
    TMenuAutoFlag autoHotkeys_ = maAutomatic;
    TMenuAutoFlag autoLineReduction_ = maAutomatic;
};

class TMainMenu : public TMenu {
    CL_CLASS(TMainMenu, TMenu)
public:
    using TMenu::TMenu;
    // A menu bar of the top-level items.
    HMENU Handle() override;

protected:
    void MenuChanged(TObject* sender, TMenuItem* source, bool rebuild) override;
};

class TPopupMenu : public TMenu {
    CL_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // Fires OnPopup, then shows the menu at the screen point (the pop-up
    // list window owns it and passes its commands back here).
    virtual void Popup(int x, int y);
    // Shown by a right click on a control that has it.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* value) { popupComponent_ = value; }
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }
    TTrackButton TrackButton() const { return trackButton_; }
    void SetTrackButton(TTrackButton value) { trackButton_ = value; }
    TPoint PopupPoint() const { return popupPoint_; }

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
    TPopupAlignment alignment_ = paLeft;
    TTrackButton trackButton_ = tbRightButton;
    TPoint popupPoint_{-1, -1};
};

// The hidden window that owns every pop-up menu while it shows.
HWND PopupListWindow();

// The caption without its "&" markers ("&&" is one "&").
std::string StripHotkey(const std::string& caption);

}  // namespace cl
