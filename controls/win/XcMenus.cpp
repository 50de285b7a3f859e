#include "controls/win/XcMenus.h"

#include <algorithm>

using namespace cl;

namespace {

// The published properties of both menus.
#define XC_MENU_PROPS(Name)                                                                                  \
    EnumProp(                                                                                                \
        "Style",                                                                                             \
        {"msStandard", "msOwnerDraw", "msBtnLowered", "msBtnRaised", "msOffice", "msXP", "msItemPainter"},   \
        &Name::Style, &Name::SetStyle),                                                                      \
        Prop("Cursor", &Name::Cursor, &Name::SetCursor), Prop("Images", &Name::Images, &Name::SetImages),    \
        Prop("DisabledImages", &Name::DisabledImages, &Name::SetDisabledImages),                             \
        Prop("HotImages", &Name::HotImages, &Name::SetHotImages), Prop("ImageMargin", &Name::ImageMargin),   \
        Prop("ImageSize", &Name::ImageSize), Prop("ItemPainter", &Name::ItemPainter, &Name::SetItemPainter), \
        Prop("ShowCheckMarks", &Name::ShowCheckMarks, &Name::SetShowCheckMarks),                             \
        Prop("TextMargin", &Name::TextMargin, &Name::SetTextMargin),                                         \
        EnumProp("TextVAlignment", {"vaTop", "vaMiddle", "vaBottom"}, &Name::TextVAlignment,                 \
                 &Name::SetTextVAlignment)

TXcMenuSettings* SettingsOf(TPersistent* source) {
    if (auto* popup = dynamic_cast<TXcPopupMenu*>(source)) return &popup->Settings();
    if (auto* bar = dynamic_cast<TXcMainMenu*>(source)) return &bar->Settings();
    return nullptr;
}

}  // namespace

CL_CLASS_INFO(TXcMenuChangeLink)

// ---- Main menu ---------------------------------------------------------------------------
CL_CLASS_INFO(TXcMainMenu, XC_MENU_PROPS(TXcMainMenu))

TXcMainMenu::TXcMainMenu(TComponent* owner) : TXcMenuOf(owner, true) {
    if (!(ComponentState() & csDesigning)) SetOwnerDraw(true);
}

TXcMainMenu::~TXcMainMenu() = default;

void TXcMainMenu::RegisterChanges(TXcMenuChangeLink* link) {
    if (link && std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TXcMainMenu::UnRegisterChanges(TXcMenuChangeLink* link) {
    std::erase(links_, link);
}

void TXcMainMenu::SetImages(TCustomImageList* value) {
    TMainMenu::SetImages(value);
    TXcMenuOf::SetImages(value);
}

void TXcMainMenu::MenuChanged(TObject* sender, TMenuItem* source, bool rebuild) {
    if ((ComponentState() & csLoading) || settings_.Quiet()) return;
    // A link may go, or another come, while the links hear of the change.
    for (TXcMenuChangeLink* link : std::vector<TXcMenuChangeLink*>(links_))
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change(this, source, rebuild);
    TXcMenuOf::MenuChanged(sender, source, rebuild);
}

// ---- Pop-up menu -------------------------------------------------------------------------
CL_CLASS_INFO(TXcPopupMenu, XC_MENU_PROPS(TXcPopupMenu))

TXcPopupMenu::TXcPopupMenu(TComponent* owner) : TXcMenuOf(owner, false) {}

void TXcPopupMenu::Assign(TPersistent* source) {
    TXcMenuSettings* other = SettingsOf(source);
    if (!other) {
        TXcMenuOf::Assign(source);
        return;
    }
    settings_.AssignFrom(*other);
    TMenu* menu = other->Menu();
    SetTag(menu->Tag());
    SetAutoHotkeys(menu->AutoHotkeys());
    SetAutoLineReduction(menu->AutoLineReduction());
    SetBiDiMode(menu->BiDiMode());
    SetParentBiDiMode(menu->ParentBiDiMode());
}

void TXcPopupMenu::Popup(int x, int y) {
    settings_.RefreshOwnerDraw(false);
    TXcMenuOf::Popup(x, y);
}
