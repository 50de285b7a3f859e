// TCheckListBox: an owner-drawn list box that draws a check box before each
// item and keeps the items' states beside the window's items.
#include <algorithm>
#include <string>

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/win/CheckLst.h"

namespace cl {

namespace {

// The classic check box glyph and the column it stands in.
constexpr int kBoxSize = 13;
constexpr int kBoxColumn = kBoxSize + 4;

}  // namespace

CL_CLASS_INFO(TCheckListBox, Prop("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed))

TCheckListBox::TCheckListBox(TComponent* owner) : TCustomListBox(owner) {
    SetStyle(lbOwnerDrawFixed);
}

void TCheckListBox::CheckIndex(int index) const {
    if (index < 0 || index >= Items()->Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

TCheckListBox::ItemFlags& TCheckListBox::FlagsOf(int index) {
    if (static_cast<size_t>(index) >= flags_.size()) flags_.resize(static_cast<size_t>(index) + 1);
    return flags_[static_cast<size_t>(index)];
}

TCheckBoxState TCheckListBox::State(int index) const {
    CheckIndex(index);
    return static_cast<size_t>(index) < flags_.size() ? flags_[static_cast<size_t>(index)].state
                                                      : cbUnchecked;
}

void TCheckListBox::SetState(int index, TCheckBoxState value) {
    CheckIndex(index);
    ItemFlags& flags = FlagsOf(index);
    if (flags.state == value) return;
    flags.state = value;
    InvalidateItem(index);
}

bool TCheckListBox::ItemEnabled(int index) const {
    CheckIndex(index);
    return static_cast<size_t>(index) < flags_.size() ? flags_[static_cast<size_t>(index)].enabled : true;
}

void TCheckListBox::SetItemEnabled(int index, bool value) {
    CheckIndex(index);
    ItemFlags& flags = FlagsOf(index);
    if (flags.enabled == value) return;
    flags.enabled = value;
    InvalidateItem(index);
}

void TCheckListBox::InvalidateItem(int index) {
    if (!HandleAllocated()) return;
    const TRect r = ItemRect(index);
    InvalidateRect(WindowHandle(), &r, FALSE);
}

void TCheckListBox::Toggle(int index) {
    ItemFlags& flags = FlagsOf(index);
    switch (flags.state) {
        case cbUnchecked:
            flags.state = allowGrayed_ ? cbGrayed : cbChecked;
            break;
        case cbChecked:
            flags.state = cbUnchecked;
            break;
        case cbGrayed:
            flags.state = cbChecked;
            break;
    }
    InvalidateItem(index);
    ClickCheck();
}

void TCheckListBox::ClickCheck() {
    if (OnClickCheck && !(ComponentState() & csDestroying)) OnClickCheck(this);
}

bool TCheckListBox::ClickOnBox(int x, int y) {
    if (x < 0 || x >= kBoxColumn) return false;
    const LRESULT hit = SendMessageW(WindowHandle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    // The high word is set when the point lies below the last item.
    if (HIWORD(hit)) return false;
    const int index = LOWORD(hit);
    if (index >= Items()->Count() || !ItemEnabled(index)) return false;
    Toggle(index);
    return true;
}

void TCheckListBox::KeyPress(char& key) {
    TCustomListBox::KeyPress(key);
    if (key != ' ') return;
    const int index = ItemIndex();
    if (index >= 0 && index < Items()->Count() && ItemEnabled(index)) Toggle(index);
    key = 0;
}

void TCheckListBox::CreateWnd() {
    // The kept items go back into the new window: their flags stay as they are.
    {
        const FlagScope reloading(reloading_);
        TCustomListBox::CreateWnd();
    }
    flags_.resize(std::min(flags_.size(), static_cast<size_t>(Items()->Count())));
}

void TCheckListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    TRect column = rect;
    column.right = column.left + kBoxColumn;
    // The box keeps the list's background when its item is selected.
    FillRect(dc, &column, Brush()->Handle());
    TRect box;
    box.left = column.left + (kBoxColumn - kBoxSize) / 2;
    box.top = column.top + (column.bottom - column.top - kBoxSize) / 2;
    box.right = box.left + kBoxSize;
    box.bottom = box.top + kBoxSize;
    const TCheckBoxState itemState = index < Items()->Count() ? State(index) : cbUnchecked;
    const bool enabled = index < Items()->Count() ? ItemEnabled(index) : true;
    UINT flags = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (itemState == cbChecked) flags |= DFCS_CHECKED;
    if (itemState == cbGrayed) flags = DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_FLAT;
    if (!enabled || !Enabled()) flags |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, flags);
    rect.left = column.right;
    if (!enabled) canvas->Font()->SetColor(clGrayText);
    TCustomListBox::DrawItem(index, rect, state);
}

void TCheckListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The list selects the item first, as a click on its text does.
            TCustomListBox::WndProc(m);
            if (HandleAllocated())
                ClickOnBox(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
            return;
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
            // The result is where the window put the item (a sorted list
            // chooses its place); errors are negative.
            TCustomListBox::WndProc(m);
            if (static_cast<LRESULT>(m.Result) >= 0 && !reloading_) {
                const auto at = static_cast<size_t>(m.Result);
                if (at <= flags_.size())
                    flags_.insert(flags_.begin() + static_cast<ptrdiff_t>(at), ItemFlags{});
            }
            return;
        case LB_DELETESTRING:
            TCustomListBox::WndProc(m);
            if (static_cast<LRESULT>(m.Result) != LB_ERR && m.WParam < flags_.size())
                flags_.erase(flags_.begin() + static_cast<ptrdiff_t>(m.WParam));
            return;
        case LB_RESETCONTENT:
            TCustomListBox::WndProc(m);
            flags_.clear();
            return;
    }
    TCustomListBox::WndProc(m);
}

}  // namespace cl
