// TCustomGroupBox (a painted frame with a caption) and TCustomRadioGroup
// (a group box of radio buttons made from its items).
#include <algorithm>

#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"

namespace cl {

// ---- TCustomGroupBox -----------------------------------------------------------------
CL_CLASS_INFO(TCustomGroupBox)
CL_CLASS_INFO(TGroupBox)

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    controlStyle_ =
        csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csReplicatable;
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    Canvas()->SetFont(Font());
    rect.top += Canvas()->TextHeight("0");
    // The frame's two lines.
    InflateRect(&rect, -2, -2);
}

void TCustomGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    const int h = canvas->TextHeight("0");
    // An etched frame: a highlight line under a shadow line, one pixel apart.
    TRect r = Rect(1, h / 2, Width(), Height());
    canvas->Brush()->SetColor(clBtnHighlight);
    canvas->FrameRect(r);
    OffsetRect(&r, -1, -1);
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect(r);
    const std::string text = Caption();
    if (text.empty()) return;
    TRect textRect = Rect(8, 0, 0, h);
    canvas->DrawText(text, textRect, DT_SINGLELINE | DT_CALCRECT);
    canvas->Brush()->SetColor(Color());
    if (Enabled()) {
        canvas->DrawText(text, textRect, DT_SINGLELINE);
        return;
    }
    canvas->Brush()->SetStyle(bsClear);
    OffsetRect(&textRect, 1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->DrawText(text, textRect, DT_SINGLELINE);
    OffsetRect(&textRect, -1, -1);
    canvas->Font()->SetColor(clBtnShadow);
    canvas->DrawText(text, textRect, DT_SINGLELINE);
}

void TCustomGroupBox::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<WORD>(m.WParam), Caption()) && CanFocus()) {
                SelectFirst();
                m.Result = 1;
                return;
            }
            break;
        case CM_TEXTCHANGED:
        case CM_ENABLEDCHANGED:
            Invalidate();
            return;
        case CM_FONTCHANGED:
            TCustomControl::WndProc(m);
            Realign();
            return;
    }
    TCustomControl::WndProc(m);
}

// ---- TCustomRadioGroup ----------------------------------------------------------------
// One item's radio button, owned and parented by the group; its click
// chooses the item unless the group refuses changes.
class TCustomRadioGroup::TGroupButton : public TRadioButton {
public:
    explicit TGroupButton(TCustomRadioGroup* group) : TRadioButton(group), group_(group) {
        group->buttons_.push_back(this);
        SetVisible(false);
        SetEnabled(group->Enabled());
        SetParentShowHint(false);
        OnClick = [group](TObject* sender) { group->ButtonClicked(static_cast<TGroupButton*>(sender)); };
        SetParent(group);
    }
    ~TGroupButton() override { std::erase(group_->buttons_, this); }

    void WndProc(TMessage& m) override {
        if (m.Msg == CN_COMMAND) {
            const WORD code = HIWORD(m.WParam);
            if (inClick_ || (code != BN_CLICKED && code != BN_DOUBLECLICKED) || !group_->CanModify()) return;
            const FlagScope inClick(inClick_);
            TRadioButton::WndProc(m);
            return;
        }
        TRadioButton::WndProc(m);
    }

protected:
    void KeyDown(WORD& key, TShiftState shift) override {
        TRadioButton::KeyDown(key, shift);
        group_->KeyDown(key, shift);
    }
    void KeyPress(char& key) override {
        TRadioButton::KeyPress(key);
        group_->KeyPress(key);
        // Space and Backspace would choose the item.
        if ((key == '\b' || key == ' ') && !group_->CanModify()) key = 0;
    }

private:
    TCustomRadioGroup* group_;
    bool inClick_ = false;
};

CL_CLASS_INFO(TCustomRadioGroup,
              Prop("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex),
              Prop("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns))
CL_CLASS_INFO(TRadioGroup)

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
    controlStyle_ = csSetCaption | csDoubleClicks;
    items_->OnChange = [this](TStringList&) { ItemsChanged(); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
    // The buttons reach back into this group while they go.
    while (!buttons_.empty()) buttons_.back()->Free();
}

TRadioButton* TCustomRadioGroup::Buttons(int index) const {
    if (index < 0 || index >= static_cast<int>(buttons_.size()))
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return buttons_[static_cast<size_t>(index)];
}

void TCustomRadioGroup::SetItemIndex(int value) {
    value = std::clamp(value, -1, static_cast<int>(buttons_.size()) - 1);
    if (value == itemIndex_) return;
    if (itemIndex_ >= 0) buttons_[static_cast<size_t>(itemIndex_)]->SetChecked(false);
    itemIndex_ = value;
    // Checking the button clicks it, and its click fires OnClick.
    if (itemIndex_ >= 0) buttons_[static_cast<size_t>(itemIndex_)]->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(int value) {
    value = std::clamp(value, 1, 16);
    if (value == columns_) return;
    columns_ = value;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::ItemsChanged() {
    if (itemIndex_ >= items_->Count()) itemIndex_ = items_->Count() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
    const size_t count = static_cast<size_t>(items_->Count());
    while (buttons_.size() < count) new TGroupButton(this);
    while (buttons_.size() > count) buttons_.back()->Free();
    for (size_t i = 0; i < count; ++i) buttons_[i]->SetCaption(items_->Get(static_cast<int>(i)));
    if (itemIndex_ >= 0) {
        const FlagScope updating(updating_);
        buttons_[static_cast<size_t>(itemIndex_)]->SetChecked(true);
    }
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    const TEXTMETRICW metrics = ScreenTextMetrics(*Font());
    const int count = static_cast<int>(buttons_.size());
    const int perColumn = (count + columns_ - 1) / columns_;
    const int buttonWidth = (Width() - 10) / columns_;
    const int space = Height() - metrics.tmHeight - 5;
    const int buttonHeight = space / perColumn;
    const int topMargin = metrics.tmHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < count; ++i) {
        TGroupButton* b = buttons_[static_cast<size_t>(i)];
        b->SetBounds((i / perColumn) * buttonWidth + 8, (i % perColumn) * buttonHeight + topMargin,
                     buttonWidth, buttonHeight);
        b->SetVisible(true);
    }
}

void TCustomRadioGroup::ButtonClicked(TGroupButton* button) {
    if (updating_) return;
    const auto it = std::find(buttons_.begin(), buttons_.end(), button);
    itemIndex_ = it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
    Click();
}

void TCustomRadioGroup::CreateParams(TCreateParams& p) {
    TCustomGroupBox::CreateParams(p);
    // The group paints its whole client area; its buttons stay on top.
    p.Style |= WS_CLIPCHILDREN;
}

void TCustomRadioGroup::CreateWnd() {
    TCustomGroupBox::CreateWnd();
    ArrangeButtons();
}

void TCustomRadioGroup::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_SIZE:
            TCustomGroupBox::WndProc(m);
            ArrangeButtons();
            return;
        case CM_ENABLEDCHANGED:
            for (TGroupButton* b : buttons_) b->SetEnabled(Enabled());
            break;
        case CM_FONTCHANGED:
            TCustomGroupBox::WndProc(m);
            ArrangeButtons();
            return;
    }
    TCustomGroupBox::WndProc(m);
}

}  // namespace cl
