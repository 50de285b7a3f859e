// TTabSet: owner-painted tabs hanging from the top edge.
#include "classlib/win/TabSet.h"

#include <algorithm>

#include "classlib/Exceptions.h"

namespace cl {

namespace {

constexpr int kStartMargin = 5;  // before the first tab
constexpr int kSlant = 4;        // horizontal run of a tab's slanted side
constexpr int kTextPad = 4;      // between a slanted side and the text

}  // namespace

CL_CLASS_INFO(TTabSet, Prop("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex),
              Prop("SelectedColor", &TTabSet::SelectedColor, &TTabSet::SetSelectedColor),
              Prop("UnselectedColor", &TTabSet::UnselectedColor, &TTabSet::SetUnselectedColor),
              Prop("BackgroundColor", &TTabSet::BackgroundColor, &TTabSet::SetBackgroundColor))

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), tabs_(std::make_unique<TStringList>()) {
    // Clicks are the tab changes themselves (SetTabIndex fires OnClick).
    SetControlStyle(csCaptureMouse | csDoubleClicks | csOpaque);
    SetBounds(0, 0, 185, 21);
    tabs_->OnChange = [this](TStringList&) { TabsChanged(); };
}

TTabSet::~TTabSet() = default;

void TTabSet::TabsChanged() {
    if (tabIndex_ >= tabs_->Count()) tabIndex_ = tabs_->Count() - 1;
    Invalidate();
}

void TTabSet::SetTabIndex(int value) {
    if (value == tabIndex_) return;
    if (value < -1 || value >= tabs_->Count()) throw EListError("Tab index out of bounds");
    if (!CanChange(value)) return;
    tabIndex_ = value;
    Invalidate();
    Click();
}

bool TTabSet::CanChange(int newIndex) {
    bool allow = true;
    if (OnChange) OnChange(this, newIndex, allow);
    return allow;
}

void TTabSet::SetSelectedColor(TColor value) {
    if (value == selectedColor_) return;
    selectedColor_ = value;
    Invalidate();
}

void TTabSet::SetUnselectedColor(TColor value) {
    if (value == unselectedColor_) return;
    unselectedColor_ = value;
    Invalidate();
}

void TTabSet::SetBackgroundColor(TColor value) {
    if (value == backgroundColor_) return;
    backgroundColor_ = value;
    Invalidate();
}

int TTabSet::TextWidth(const std::string& text) const {
    // Measured on the screen, so the tabs have their places before the window exists.
    return ScreenTextExtent(*Font(), text).cx;
}

TRect TTabSet::ItemRect(int index) const {
    if (index < 0 || index >= tabs_->Count()) return TRect{};
    const int height = std::max(Height() - 2, 0);
    int x = kStartMargin;
    for (int i = 0;; ++i) {
        const int width = TextWidth(tabs_->Get(i)) + 2 * (kSlant + kTextPad);
        if (i == index) return Rect(x, 0, x + width, height);
        // Neighbours share a slanted side.
        x += width - kSlant;
    }
}

int TTabSet::ItemAtPos(TPoint p) const {
    for (int i = 0; i < tabs_->Count(); ++i) {
        const TRect r = ItemRect(i);
        // Half of each shared side belongs to either tab.
        if (p.y >= r.top && p.y < r.bottom && p.x >= r.left + kSlant / 2 && p.x < r.right - kSlant / 2)
            return i;
    }
    return -1;
}

void TTabSet::Paint() {
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    c->Brush()->SetColor(backgroundColor_);
    c->FillRect(client);
    c->Font()->Assign(Font());
    c->Pen()->SetColor(clWindowFrame);
    // The edge the tabs hang from, which the selected tab opens.
    c->MoveTo(0, 0);
    c->LineTo(client.right, 0);
    auto drawTab = [&](int i) {
        const TRect r = ItemRect(i);
        const bool selected = i == tabIndex_;
        const TPoint outline[] = {Point(r.left, 0), Point(r.left + kSlant, r.bottom - 1),
                                  Point(r.right - 1 - kSlant, r.bottom - 1), Point(r.right - 1, 0)};
        c->Brush()->SetColor(selected ? selectedColor_ : unselectedColor_);
        c->Pen()->SetColor(clWindowFrame);
        c->Polygon(outline);
        if (selected) {
            c->Pen()->SetColor(selectedColor_);
            c->MoveTo(r.left + 1, 0);
            c->LineTo(r.right - 1, 0);
        }
        c->Brush()->SetStyle(bsClear);
        TRect text = r;
        c->DrawText(tabs_->Get(i), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    };
    for (int i = 0; i < tabs_->Count(); ++i)
        if (i != tabIndex_) drawTab(i);
    if (tabIndex_ >= 0) drawTab(tabIndex_);
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        const int i = ItemAtPos(Point(x, y));
        if (i >= 0) SetTabIndex(i);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

}  // namespace cl
