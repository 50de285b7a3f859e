#include "controls/win/XcMenuSettings.h"

#include <algorithm>

#include "classlib/Scope.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "controls/win/XcMenuItemPainter.h"
#include "controls/win/XcMenuPainters.h"
#include "controls/win/XcWndProcHook.h"

using namespace cl;

// ---- Margins and image size --------------------------------------------------------------
CL_CLASS_INFO(TXcImageMargin, Prop("Left", &TXcImageMargin::Left, &TXcImageMargin::SetLeft),
              Prop("Top", &TXcImageMargin::Top, &TXcImageMargin::SetTop),
              Prop("Right", &TXcImageMargin::Right, &TXcImageMargin::SetRight),
              Prop("Bottom", &TXcImageMargin::Bottom, &TXcImageMargin::SetBottom))

void TXcImageMargin::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcImageMargin*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other->value_ == value_) return;
    value_ = other->value_;
    if (OnChange) OnChange(this);
}

void TXcImageMargin::Set(int& field, int value) {
    if (field == value) return;
    field = value;
    if (OnChange) OnChange(this);
}

CL_CLASS_INFO(TXcMenuImageSize, Prop("Height", &TXcMenuImageSize::Height, &TXcMenuImageSize::SetHeight),
              Prop("Width", &TXcMenuImageSize::Width, &TXcMenuImageSize::SetWidth))

void TXcMenuImageSize::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcMenuImageSize*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other->height_ == height_ && other->width_ == width_) return;
    height_ = other->height_;
    width_ = other->width_;
    if (OnChange) OnChange(this);
}

void TXcMenuImageSize::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    if (OnChange) OnChange(this);
}

void TXcMenuImageSize::SetWidth(int value) {
    if (value == width_) return;
    width_ = value;
    if (OnChange) OnChange(this);
}

// ---- The cursor over highlighted items ---------------------------------------------------
// Watches WM_MENUSELECT after the window that gets it (the menu bar's
// form, or the pop-up list window) has handled it.  Only while Cursor is set.
class TXcMenuSettings::CursorHook {
public:
    explicit CursorHook(TXcMenuSettings* settings) : settings_(settings) {
        TMenu* menu = settings->Menu();
        if (!settings->MenuBar()) {
            window_ = PopupListWindow();
            RegisterWndProcHook(window_, Hook(), hoAfterMsg);
            return;
        }
        control_ = TWinControl::FindControl(menu->WindowHandle());
        if (!control_) control_ = dynamic_cast<TWinControl*>(menu->Owner());
        if (control_) {
            control_->FreeNotification(menu);
            RegisterWndProcHook(control_, Hook(), hoAfterMsg);
        }
    }
    ~CursorHook() {
        if (window_) UnregisterWndProcHook(window_, Hook(), hoAfterMsg);
        if (control_) UnregisterWndProcHook(control_, Hook(), hoAfterMsg);
    }
    CursorHook(const CursorHook&) = delete;
    CursorHook& operator=(const CursorHook&) = delete;

    // The hooked control went first.
    void Forget(TComponent* component) {
        if (component == control_) control_ = nullptr;
    }

private:
    TXcWndHook Hook() { return HookMethod<&CursorHook::MenuSelect>(this); }

    bool MenuSelect(TMessage& m) {
        if (m.Msg != WM_MENUSELECT) return false;
        const UINT flags = HIWORD(m.WParam);
        const bool closing = flags == 0xFFFF && m.LParam == 0;
        TMenu* menu = settings_->Menu();
        TMenuItem* item = nullptr;
        if (!closing)
            item = (flags & MF_POPUP)
                       ? menu->FindItem(reinterpret_cast<UINT_PTR>(
                                            GetSubMenu(reinterpret_cast<HMENU>(m.LParam), LOWORD(m.WParam))),
                                        fkHandle)
                       : menu->FindItem(LOWORD(m.WParam), fkCommand);
        if (!item) {
            // The menu bar's form hears only of its own menu: an item it does
            // not know (or the menu closing) shows the default cursor.  The
            // pop-up list is shared: the menu that knows the item decides.
            if (settings_->MenuBar()) ::SetCursor(Screen->Cursors(crDefault));
            return false;
        }
        const bool barWithSubItems =
            settings_->MenuBar() && item->Parent() == menu->Items() && item->Count() > 0;
        const bool highlighted = (flags & MF_HILITE) && !barWithSubItems;
        ::SetCursor(Screen->Cursors(highlighted ? settings_->Cursor() : crDefault));
        return false;
    }

    TXcMenuSettings* settings_;
    HWND window_ = nullptr;
    TWinControl* control_ = nullptr;
};

// ---- Settings ----------------------------------------------------------------------------
TXcMenuSettings::TXcMenuSettings(TMenu* menu, bool menuBar)
    : menu_(menu),
      menuBar_(menuBar),
      imageMargin_(std::make_unique<TXcImageMargin>()),
      imageSize_(std::make_unique<TXcMenuImageSize>()),
      stylePainter_(CreateMenuItemPainter(msStandard, this)) {
    imageMargin_->OnChange = [this](TObject*) { SettingChanged(); };
    imageSize_->OnChange = [this](TObject*) { SettingChanged(); };
    for (TChangeLink* link : {&imagesLink_, &disabledLink_, &hotLink_})
        link->OnChange = [this](TObject*) { RefreshOwnerDraw(true); };
}

TXcMenuSettings::~TXcMenuSettings() {
    TearDown();
}

void TXcMenuSettings::TearDown() noexcept {
    if (tornDown_) return;
    tornDown_ = true;
    cursorHook_.reset();
    for (auto [list, link] : {std::pair{images_, &imagesLink_}, std::pair{disabledImages_, &disabledLink_},
                              std::pair{hotImages_, &hotLink_}})
        if (list) list->UnRegisterChanges(link);
    Unlink(itemPainter_);
    itemPainter_ = nullptr;
}

bool TXcMenuSettings::Loading() const {
    return (menu_->ComponentState() & csLoading) != 0;
}

TXcCustomMenuItemPainter* TXcMenuSettings::ActivePainter() const {
    TXcCustomMenuItemPainter* painter =
        style_ == msItemPainter && itemPainter_ ? itemPainter_ : stylePainter_.get();
    painter->SetMenu(const_cast<TXcMenuSettings*>(this));
    return painter;
}

void TXcMenuSettings::ReplaceStylePainter(TXcMenuStyle style) {
    stylePainter_ = CreateMenuItemPainter(style, this);
}

void TXcMenuSettings::SetStyle(TXcMenuStyle value) {
    if (value == style_) return;
    if (value != msItemPainter) {
        // A pop-up menu lets go of its painter component; a menu bar keeps
        // it linked for a later msItemPainter.
        if (!menuBar_ && itemPainter_) {
            Unlink(itemPainter_);
            itemPainter_ = nullptr;
        }
        ReplaceStylePainter(value);
    } else if (menuBar_ && !itemPainter_) {
        ReplaceStylePainter(msStandard);
    }
    style_ = value;
    SettingChanged();
}

void TXcMenuSettings::Link(TXcCustomMenuItemPainter* painter) {
    if (!painter) return;
    painter->SetMenu(this);
    painter->FreeNotification(menu_);
}

void TXcMenuSettings::Unlink(TXcCustomMenuItemPainter* painter) noexcept {
    if (!painter) return;
    if (painter->Menu() == this) painter->SetMenu(nullptr);
    painter->RemoveFreeNotification(menu_);
}

void TXcMenuSettings::SetItemPainter(TXcCustomMenuItemPainter* value) {
    if (value == itemPainter_) return;
    Unlink(itemPainter_);
    itemPainter_ = value;
    Link(value);
    if (value) {
        style_ = msItemPainter;
    } else if (menuBar_) {
        style_ = msStandard;
        ReplaceStylePainter(msStandard);
    }
    SettingChanged();
}

void TXcMenuSettings::SetCursor(TCursor value) {
    if (value == cursor_) return;
    cursor_ = value;
    cursorHook_.reset();
    if (value != crDefault) cursorHook_ = std::make_unique<CursorHook>(this);
}

void TXcMenuSettings::SetImages(TCustomImageList* value) {
    if (ReplaceImageList(menu_, images_, value, imagesLink_)) RefreshOwnerDraw(true);
}

void TXcMenuSettings::SetDisabledImages(TCustomImageList* value) {
    if (ReplaceImageList(menu_, disabledImages_, value, disabledLink_)) RefreshOwnerDraw(true);
}

void TXcMenuSettings::SetHotImages(TCustomImageList* value) {
    if (ReplaceImageList(menu_, hotImages_, value, hotLink_)) RefreshOwnerDraw(true);
}

void TXcMenuSettings::SetShowCheckMarks(bool value) {
    if (value == showCheckMarks_) return;
    showCheckMarks_ = value;
    SettingChanged();
}

void TXcMenuSettings::SetTextMargin(int value) {
    if (value == textMargin_) return;
    textMargin_ = value;
    SettingChanged();
}

void TXcMenuSettings::SetTextVAlignment(TXcVerticalAlignment value) {
    if (value == textVAlignment_) return;
    textVAlignment_ = value;
    SettingChanged();
}

void TXcMenuSettings::SettingChanged() {
    RefreshOwnerDraw(true);
}

void TXcMenuSettings::RefreshOwnerDraw(bool rebuild) {
    if (tornDown_ || Loading() || (menu_->ComponentState() & (csDesigning | csDestroying))) return;
    const bool wanted = menuBar_ || style_ != msStandard || (images_ && images_->Count() > 0);
    if (wanted != menu_->OwnerDraw()) {
        menu_->SetOwnerDraw(wanted);
    } else if (wanted && rebuild) {
        // The system measures an entry once: only a new entry is measured again.
        {
            const FlagScope quiet(quiet_);
            menu_->SetOwnerDraw(false);
        }
        menu_->SetOwnerDraw(true);
    }
}

void TXcMenuSettings::Loaded() {
    RefreshOwnerDraw(true);
}

void TXcMenuSettings::Notification(TComponent* component, TOperation operation) {
    if (operation != opRemove) return;
    if (component == images_) SetImages(nullptr);
    if (component == disabledImages_) SetDisabledImages(nullptr);
    if (component == hotImages_) SetHotImages(nullptr);
    if (component == itemPainter_) SetItemPainter(nullptr);
    if (cursorHook_) cursorHook_->Forget(component);
}

void TXcMenuSettings::AssignFrom(const TXcMenuSettings& source) {
    if (&source == this) return;
    SetCursor(source.cursor_);
    SetImages(source.images_);
    SetDisabledImages(source.disabledImages_);
    SetHotImages(source.hotImages_);
    imageMargin_->Assign(source.imageMargin_.get());
    imageSize_->Assign(source.imageSize_.get());
    SetShowCheckMarks(source.showCheckMarks_);
    SetStyle(source.style_);
    SetTextMargin(source.textMargin_);
    SetTextVAlignment(source.textVAlignment_);
}

// ---- Measure and draw messages -----------------------------------------------------------
TMenuItem* TXcMenuSettings::OwnerDrawnItem(UINT itemID) const {
    TMenuItem* item = menu_->FindItem(itemID, fkCommand);
    return item ? item : menu_->FindItem(itemID, fkHandle);
}

bool TXcMenuSettings::MeasureItem(MEASUREITEMSTRUCT& mis) {
    TMenuItem* item = OwnerDrawnItem(mis.itemID);
    if (!item) return false;
    const ScreenDC screen;
    TCanvas canvas(screen.get());
    canvas.Font()->Assign(Screen->MenuFont());
    if (item->Default()) canvas.Font()->SetStyle(canvas.Font()->Style() | fsBold);
    int width = static_cast<int>(mis.itemWidth), height = static_cast<int>(mis.itemHeight);
    ActivePainter()->Measure(item, &canvas, width, height);
    mis.itemWidth = static_cast<UINT>(std::max(width, 0));
    mis.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool TXcMenuSettings::DrawItem(const DRAWITEMSTRUCT& dis) {
    TMenuItem* item = OwnerDrawnItem(dis.itemID);
    if (!item) return false;
    const int saved = SaveDC(dis.hDC);
    const ScopeExit restore([&dis, saved] { RestoreDC(dis.hDC, saved); });
    TCanvas canvas(dis.hDC);
    const TOwnerDrawState state = static_cast<TOwnerDrawState>(dis.itemState);
    canvas.Font()->Assign(Screen->MenuFont());
    if (item->Default()) canvas.Font()->SetStyle(canvas.Font()->Style() | fsBold);
    canvas.Font()->SetColor(clMenuText);
    canvas.Brush()->SetColor(clMenu);
    const bool buttonStyle = style_ == msBtnLowered || style_ == msBtnRaised;
    if ((state & ODS_SELECTED) && !buttonStyle) {
        canvas.Brush()->SetColor(clHighlight);
        canvas.Font()->SetColor(clHighlightText);
    }
    IntersectClipRect(dis.hDC, dis.rcItem.left, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom);
    ActivePainter()->Paint(item, &canvas, dis.rcItem, state);
    return true;
}
