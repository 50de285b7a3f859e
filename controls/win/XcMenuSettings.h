#pragma once
// What the owner-drawn menus (TXcMainMenu, TXcPopupMenu) share: the style
// and the painter it makes, the image lists, margins and text settings,
// the events, and the handling of the measure and draw messages that the
// class library hands a menu (TMenu::MeasureItem and DrawItem: the form,
// the tool bar and the pop-up list route ODT_MENU there).
//
// Each menu holds one TXcMenuSettings.  A change of style, painter, image
// lists or margins builds the menu's entries again: the system keeps the
// sizes it measured until an entry is made anew.

#include <windows.h>

#include <functional>
#include <memory>

#include "classlib/win/Graphics.h"
#include "classlib/win/ImgList.h"
#include "classlib/win/Menus.h"
#include "classlib/win/StdCtrls.h"
#include "controls/XcMenuGeometry.h"

enum TXcMenuStyle { msStandard, msOwnerDraw, msBtnLowered, msBtnRaised, msOffice, msXP, msItemPainter };
enum TXcVerticalAlignment { vaTop, vaMiddle, vaBottom };

// The space round a menu item's image.
class TXcImageMargin : public cl::TPersistent {
    CL_CLASS(TXcImageMargin, cl::TPersistent)
public:
    void Assign(cl::TPersistent* source) override;
    int Left() const { return value_.Left; }
    void SetLeft(int value) { Set(value_.Left, value); }
    int Top() const { return value_.Top; }
    void SetTop(int value) { Set(value_.Top, value); }
    int Right() const { return value_.Right; }
    void SetRight(int value) { Set(value_.Right, value); }
    int Bottom() const { return value_.Bottom; }
    void SetBottom(int value) { Set(value_.Bottom, value); }
    const TXcMenuMargins& Value() const { return value_; }

    cl::TNotifyEvent OnChange;

private:
    void Set(int& field, int value);
    TXcMenuMargins value_;
};

// The size a menu item's image is given; 0 takes the image list's.
class TXcMenuImageSize : public cl::TPersistent {
    CL_CLASS(TXcMenuImageSize, cl::TPersistent)
public:
    void Assign(cl::TPersistent* source) override;
    int Height() const { return height_; }
    void SetHeight(int value);
    int Width() const { return width_; }
    void SetWidth(int value);

    cl::TNotifyEvent OnChange;

private:
    int height_ = 0;
    int width_ = 0;
};

class TXcCustomMenuItemPainter;

using TXcMenuDrawItemEvent = std::function<void(cl::TMenu* Sender, cl::TMenuItem* Item, const cl::TRect& Rect,
                                                cl::TOwnerDrawState State)>;
using TXcMenuMeasureItemEvent =
    std::function<void(cl::TMenu* Sender, cl::TMenuItem* Item, int& Width, int& Height)>;
// The state, font, colour and glyph an item is painted with, before it is.
using TXcItemParamsEvent =
    std::function<void(cl::TMenu* Sender, cl::TMenuItem* Item, cl::TOwnerDrawState& State, cl::TFont* AFont,
                       cl::TColor& Color, cl::TGraphic*& Graphic, int& NumGlyphs)>;
using TXcItemImageEvent =
    std::function<void(cl::TMenu* Sender, cl::TMenuItem* Item, cl::TOwnerDrawState State, int& ImageIndex)>;

class TXcMenuSettings {
public:
    // menu: the menu the settings belong to; a menu bar is owner-drawn
    // always, a pop-up menu only when its style or images ask for it.
    TXcMenuSettings(cl::TMenu* menu, bool menuBar);
    ~TXcMenuSettings();
    TXcMenuSettings(const TXcMenuSettings&) = delete;
    TXcMenuSettings& operator=(const TXcMenuSettings&) = delete;
    // Lets go of the image lists and the painter (the menu's BeforeDestruction).
    void TearDown() noexcept;

    cl::TMenu* Menu() const { return menu_; }
    bool MenuBar() const { return menuBar_; }

    TXcMenuStyle Style() const { return style_; }
    void SetStyle(TXcMenuStyle value);
    // Shown while an item is highlighted; crDefault (0) leaves the cursor alone.
    cl::TCursor Cursor() const { return cursor_; }
    void SetCursor(cl::TCursor value);
    cl::TCustomImageList* Images() const { return images_; }
    void SetImages(cl::TCustomImageList* value);
    cl::TCustomImageList* DisabledImages() const { return disabledImages_; }
    void SetDisabledImages(cl::TCustomImageList* value);
    cl::TCustomImageList* HotImages() const { return hotImages_; }
    void SetHotImages(cl::TCustomImageList* value);
    TXcImageMargin* ImageMargin() const { return imageMargin_.get(); }
    TXcMenuImageSize* ImageSize() const { return imageSize_.get(); }
    // A painter component of the user's; setting one switches Style to
    // msItemPainter.
    TXcCustomMenuItemPainter* ItemPainter() const { return itemPainter_; }
    void SetItemPainter(TXcCustomMenuItemPainter* value);
    bool ShowCheckMarks() const { return showCheckMarks_; }
    void SetShowCheckMarks(bool value);
    int TextMargin() const { return textMargin_; }
    void SetTextMargin(int value);
    TXcVerticalAlignment TextVAlignment() const { return textVAlignment_; }
    void SetTextVAlignment(TXcVerticalAlignment value);

    // The painter of the style; the linked one under msItemPainter.
    TXcCustomMenuItemPainter* ActivePainter() const;
    TXcCustomMenuItemPainter* StylePainter() const { return stylePainter_.get(); }

    // Owner drawing as the menu's kind asks for it; rebuild makes the
    // entries again when it stays on, so that they are measured anew.
    void RefreshOwnerDraw(bool rebuild);
    // A step of a rebuild that nobody hears of: the menu tells its
    // changes only once the entries are whole again.
    bool Quiet() const { return quiet_; }
    // The item a measure or draw message names: by command, else by its
    // sub-menu's handle (a menu bar item with sub-items).
    cl::TMenuItem* OwnerDrawnItem(UINT itemID) const;
    // The messages, with the active painter; false for an item of another menu.
    bool MeasureItem(MEASUREITEMSTRUCT& mis);
    bool DrawItem(const DRAWITEMSTRUCT& dis);

    // The menu's own handling.
    void Loaded();
    void Notification(cl::TComponent* component, cl::TOperation operation);
    // Every setting of another menu's, Style included; the other menu's
    // painter component stays its own.
    void AssignFrom(const TXcMenuSettings& source);

    TXcMenuDrawItemEvent OnDrawItem;
    TXcMenuMeasureItemEvent OnMeasureItem;
    TXcItemParamsEvent OnGetItemParams;
    TXcItemImageEvent OnGetImageIndex;
    TXcItemImageEvent OnGetDisabledImageIndex;
    TXcItemImageEvent OnGetHotImageIndex;

private:
    class CursorHook;
    void ReplaceStylePainter(TXcMenuStyle style);
    void Link(TXcCustomMenuItemPainter* painter);
    void Unlink(TXcCustomMenuItemPainter* painter) noexcept;
    void SettingChanged();
    bool Loading() const;

    cl::TMenu* menu_;
    bool menuBar_;
    TXcMenuStyle style_ = msStandard;
    cl::TCursor cursor_ = cl::crDefault;
    cl::TCustomImageList* images_ = nullptr;
    cl::TCustomImageList* disabledImages_ = nullptr;
    cl::TCustomImageList* hotImages_ = nullptr;
    cl::TChangeLink imagesLink_, disabledLink_, hotLink_;
    std::unique_ptr<TXcImageMargin> imageMargin_;
    std::unique_ptr<TXcMenuImageSize> imageSize_;
    std::unique_ptr<TXcCustomMenuItemPainter, void (*)(TXcCustomMenuItemPainter*)> stylePainter_;
    TXcCustomMenuItemPainter* itemPainter_ = nullptr;
    bool showCheckMarks_ = false;
    int textMargin_ = 0;
    TXcVerticalAlignment textVAlignment_ = vaMiddle;
    std::unique_ptr<CursorHook> cursorHook_;
    bool quiet_ = false;
    bool tornDown_ = false;
};
