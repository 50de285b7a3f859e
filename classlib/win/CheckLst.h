#pragma once
// TCheckListBox: a list box with a check box before every item.

#include <vector>

#include "classlib/win/StdCtrls.h"

namespace cl {

// Each item has a check state and may be disabled.  A click on an enabled
// item's box, or the space bar on the item with the caret, steps its state
// as a check box does and fires OnClickCheck; setting a state from code
// fires nothing.  The states follow their items through insertions and
// deletions (the list box's own messages are watched) and through the
// window's recreation; while there is no window they are kept by position.
class TCheckListBox : public TCustomListBox {
    CL_CLASS(TCheckListBox, TCustomListBox)
public:
    explicit TCheckListBox(TComponent* owner);

    // A click also steps through cbGrayed.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    // An index outside the items raises EListError.
    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState value);
    bool Checked(int index) const { return State(index) == cbChecked; }
    void SetChecked(int index, bool value) { SetState(index, value ? cbChecked : cbUnchecked); }
    // A disabled item is drawn grey and its box cannot be clicked.
    bool ItemEnabled(int index) const;
    void SetItemEnabled(int index, bool value);

    TNotifyEvent OnClickCheck;

    void WndProc(TMessage& message) override;

protected:
    void CreateWnd() override;
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void KeyPress(char& key) override;
    // The user changed an item's state: fires OnClickCheck.
    virtual void ClickCheck();

private:
    struct ItemFlags {
        TCheckBoxState state = cbUnchecked;
        bool enabled = true;
    };
    void CheckIndex(int index) const;
    // The flags of an item, made when missing.
    ItemFlags& FlagsOf(int index);
    void InvalidateItem(int index);
    // A click on an enabled item's box steps its state.
    bool ClickOnBox(int x, int y);
    void Toggle(int index);

    std::vector<ItemFlags> flags_;
    bool allowGrayed_ = false;
    bool reloading_ = false;
};

}  // namespace cl
