#pragma once
// TTabSet: a row of owner-painted tabs hanging from the control's top edge
// (placed under the view they switch), one per line of Tabs.

#include <windows.h>

#include <functional>
#include <memory>

#include "classlib/StringList.h"
#include "classlib/win/Controls.h"

namespace cl {

// AllowChange false keeps the current tab.
using TTabChangeEvent = std::function<void(TObject* Sender, int NewTab, bool& AllowChange)>;

class TTabSet : public TCustomControl {
    CL_CLASS(TTabSet, TCustomControl)
public:
    explicit TTabSet(TComponent* owner);
    ~TTabSet() override;

    TStrings* Tabs() const { return tabs_.get(); }
    void SetTabs(const TStrings& value) { tabs_->Assign(value); }
    // -1 for none.  Setting a new value asks OnChange, which may refuse;
    // an accepted change repaints and fires OnClick.  Outside -1 .. Count-1
    // raises EListError.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int value);

    TColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TColor value);
    TColor UnselectedColor() const { return unselectedColor_; }
    void SetUnselectedColor(TColor value);
    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor value);

    // The tab at a client point, -1 for none.
    int ItemAtPos(TPoint p) const;
    // A tab's outline box in client coordinates (empty for an index out of range).
    TRect ItemRect(int index) const;

    TTabChangeEvent OnChange;

protected:
    virtual bool CanChange(int newIndex);
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void TabsChanged();
    int TextWidth(const std::string& text) const;

    std::unique_ptr<TStringList> tabs_;
    int tabIndex_ = -1;
    TColor selectedColor_ = clBtnFace;
    TColor unselectedColor_ = clWindow;
    TColor backgroundColor_ = clBtnFace;
};

}  // namespace cl
