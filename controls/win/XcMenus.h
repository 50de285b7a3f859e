#pragma once
// TXcMainMenu and TXcPopupMenu: the class library's menu bar and pop-up
// menu with items measured and painted by the painter of their Style
// (XcMenuSettings.h, XcMenuItemPainter.h).
//
// A menu bar is always owner-drawn (msStandard paints like the system); a
// pop-up menu only when its Style is not msStandard or its Images hold an
// image, else the system draws it.  The class library hands the menus the
// measure and draw messages of their items (from the form, the tool bar
// and the pop-up list), so every item is painted once, and keeps its
// answer to WM_MENUCHAR: owner-drawn items have no system access keys.
//
// TXcMainMenu also tells registered change links of every change of its
// items, in registration order and before the class library's own
// handling; while the menu is being loaded a change reaches nobody.  It
// hands its Images to the class library's menu as well.

#include <functional>
#include <vector>

#include "classlib/win/Menus.h"
#include "controls/win/XcMenuItemPainter.h"
#include "controls/win/XcMenuSettings.h"

// The settings as the menu's own properties and events.
template <class Base>
class TXcMenuOf : public Base {
public:
    TXcMenuOf(cl::TComponent* owner, bool menuBar) : Base(owner), settings_(this, menuBar) {}
    void BeforeDestruction() override {
        settings_.TearDown();
        Base::BeforeDestruction();
    }

    TXcMenuStyle Style() const { return settings_.Style(); }
    void SetStyle(TXcMenuStyle value) { settings_.SetStyle(value); }
    cl::TCursor Cursor() const { return settings_.Cursor(); }
    void SetCursor(cl::TCursor value) { settings_.SetCursor(value); }
    cl::TCustomImageList* Images() const { return settings_.Images(); }
    void SetImages(cl::TCustomImageList* value) { settings_.SetImages(value); }
    cl::TCustomImageList* DisabledImages() const { return settings_.DisabledImages(); }
    void SetDisabledImages(cl::TCustomImageList* value) { settings_.SetDisabledImages(value); }
    cl::TCustomImageList* HotImages() const { return settings_.HotImages(); }
    void SetHotImages(cl::TCustomImageList* value) { settings_.SetHotImages(value); }
    TXcImageMargin* ImageMargin() const { return settings_.ImageMargin(); }
    TXcMenuImageSize* ImageSize() const { return settings_.ImageSize(); }
    TXcCustomMenuItemPainter* ItemPainter() const { return settings_.ItemPainter(); }
    void SetItemPainter(TXcCustomMenuItemPainter* value) { settings_.SetItemPainter(value); }
    bool ShowCheckMarks() const { return settings_.ShowCheckMarks(); }
    void SetShowCheckMarks(bool value) { settings_.SetShowCheckMarks(value); }
    int TextMargin() const { return settings_.TextMargin(); }
    void SetTextMargin(int value) { settings_.SetTextMargin(value); }
    TXcVerticalAlignment TextVAlignment() const { return settings_.TextVAlignment(); }
    void SetTextVAlignment(TXcVerticalAlignment value) { settings_.SetTextVAlignment(value); }
    // The painter that measures and paints the items now.
    TXcCustomMenuItemPainter* ActivePainter() const { return settings_.ActivePainter(); }
    TXcMenuSettings& Settings() { return settings_; }

    bool MeasureItem(MEASUREITEMSTRUCT& mis) override { return settings_.MeasureItem(mis); }
    bool DrawItem(const DRAWITEMSTRUCT& dis) override { return settings_.DrawItem(dis); }

protected:
    void MenuChanged(cl::TObject* sender, cl::TMenuItem* source, bool rebuild) override {
        if (!settings_.Quiet()) Base::MenuChanged(sender, source, rebuild);
    }
    void Loaded() override {
        Base::Loaded();
        settings_.Loaded();
    }
    void Notification(cl::TComponent* component, cl::TOperation operation) override {
        Base::Notification(component, operation);
        settings_.Notification(component, operation);
    }

    TXcMenuSettings settings_;

public:
    TXcMenuDrawItemEvent& OnDrawItem = settings_.OnDrawItem;
    TXcMenuMeasureItemEvent& OnMeasureItem = settings_.OnMeasureItem;
    TXcItemParamsEvent& OnGetItemParams = settings_.OnGetItemParams;
    TXcItemImageEvent& OnGetImageIndex = settings_.OnGetImageIndex;
    TXcItemImageEvent& OnGetDisabledImageIndex = settings_.OnGetDisabledImageIndex;
    TXcItemImageEvent& OnGetHotImageIndex = settings_.OnGetHotImageIndex;
};

// A component's link to a TXcMainMenu's changes.
class TXcMenuChangeLink : public cl::TObject {
    CL_CLASS(TXcMenuChangeLink, cl::TObject)
public:
    virtual void Change(cl::TMainMenu* sender, cl::TMenuItem* source, bool rebuild) {
        if (OnChange) OnChange(sender, source, rebuild);
    }
    std::function<void(cl::TMainMenu* Sender, cl::TMenuItem* Source, bool Rebuild)> OnChange;
};

class TXcMainMenu : public TXcMenuOf<cl::TMainMenu> {
    CL_CLASS(TXcMainMenu, TXcMenuOf<cl::TMainMenu>)
public:
    explicit TXcMainMenu(cl::TComponent* owner);
    ~TXcMainMenu() override;

    void RegisterChanges(TXcMenuChangeLink* link);
    void UnRegisterChanges(TXcMenuChangeLink* link);
    // Also the class library's menu's Images.
    void SetImages(cl::TCustomImageList* value);

protected:
    void MenuChanged(cl::TObject* sender, cl::TMenuItem* source, bool rebuild) override;

private:
    std::vector<TXcMenuChangeLink*> links_;
};

class TXcPopupMenu : public TXcMenuOf<cl::TPopupMenu> {
    CL_CLASS(TXcPopupMenu, TXcMenuOf<cl::TPopupMenu>)
public:
    explicit TXcPopupMenu(cl::TComponent* owner);
    // From another TXcPopupMenu or a TXcMainMenu: every setting, the Tag,
    // the reading order and the automatic hot keys and line reduction; a
    // painter component stays the other menu's.
    void Assign(cl::TPersistent* source) override;
    // Owner drawing follows Style and Images before the menu shows.
    void Popup(int x, int y) override;
};
