#pragma once
// TXcToolBar: the class library's tool bar whose Menu may be an
// owner-drawn menu bar (TXcMainMenu).  The bar follows that menu: when its
// number of top-level items changes the buttons are made again.  A button's
// drop-down shows its item's own sub-menu, owned by the bar, which hands the
// menu the measure and draw messages: nothing is borrowed from the menu, so
// a bar freed while a drop-down is open leaves the menu whole.
//
// Without a Menu (the main window's bars) it is a plain tool bar with the
// enhanced controls' shared behaviour.

#include <memory>

#include "classlib/win/ComCtrls.h"
#include "controls/win/XcEnhancedControl.h"
#include "controls/win/XcMenus.h"

// The class library's tool bar with the shared enhanced-control glue.
using TXcExToolBar = TXcEnhanced<cl::TToolBar>;

class TXcToolBar : public TXcExToolBar {
    CL_CLASS(TXcToolBar, TXcExToolBar)
public:
    explicit TXcToolBar(cl::TComponent* owner);
    ~TXcToolBar() override;
    void BeforeDestruction() override;

    // Follows a TXcMainMenu's changes.
    void SetMenu(cl::TMainMenu* value) override;
    // A menu item's sub-menu under its button; the chosen command goes to
    // the menu unless the bar was freed meanwhile.
    bool TrackMenu(cl::TToolButton* button) override;
    // An access key in an owner-drawn drop-down goes to the menu, as the
    // form's do (the system knows no access keys of owner-drawn items).
    void WndProc(cl::TMessage& message) override;
    // With a Menu none: the buttons are made from the menu.
    void GetChildren(const cl::TGetChildProc& proc, cl::TComponent* root) override;

protected:
    // Inherited; with a Menu and no wrapping, the buttons' widths side by side.
    void AdjustSize() override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;

private:
    void MenuChange(cl::TMainMenu* sender);
    void Unlink() noexcept;

    std::unique_ptr<TXcMenuChangeLink> link_;
    TXcMainMenu* linkedMenu_ = nullptr;
    // False once the bar goes: a drop-down under way looks before it acts.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
