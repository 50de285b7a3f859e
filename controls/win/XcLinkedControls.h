#pragma once
// The controls a check box or radio button enables and disables by its own
// Checked and Enabled (the rule of XcLinkRule.h).  Each link remembers the
// Enabled its control had when it was linked and gives it back when the
// link goes, if RestoreEnabled.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Collection.h"
#include "classlib/win/Controls.h"
#include "controls/XcLinkRule.h"

class TXcLinkedControls;

class TXcLinkedControl : public cl::TPersistent {
    CL_CLASS(TXcLinkedControl, cl::TPersistent)
public:
    explicit TXcLinkedControl(TXcLinkedControls* collection);
    // The linked control gets its remembered Enabled back (RestoreEnabled,
    // unless it is going itself).
    ~TXcLinkedControl() override;
    // Copies Control and Options.
    void Assign(cl::TPersistent* source) override;

    cl::TControl* OwnerControl() const { return owner_; }
    cl::TControl* Control() const { return control_; }
    // Linking the owner raises EXCLException "Cannot link to owner control"
    // and keeps the previous control.
    void SetControl(cl::TControl* value);
    TXcLinkedControlsOptions Options() const { return options_; }
    void SetOptions(TXcLinkedControlsOptions value);
    // The linked control's name, or the class name.
    std::string DisplayName() const;
    int Index() const;

private:
    friend class TXcLinkedControls;
    // Lets go of the control: its Enabled back when restore, and its free
    // notification unless another link keeps it.
    void Unlink(bool restore) noexcept;

    TXcLinkedControls* collection_;
    cl::TControl* owner_;
    cl::TControl* control_ = nullptr;
    TXcLinkedControlsOptions options_ = kDefaultLinkOptions;
    bool linkedEnabled_ = true;
};

// Written and read as a collection: each link's control (by name) and options.
class TXcLinkedControls : public cl::TCollection {
    CL_CLASS(TXcLinkedControls, cl::TCollection)
public:
    explicit TXcLinkedControls(cl::TControl* owner);
    ~TXcLinkedControls() override;
    // Another collection's links and RestoreEnabled, in one change.
    void Assign(cl::TPersistent* source) override;

    cl::TControl* Owner() const { return owner_; }
    int Count() const override { return static_cast<int>(items_.size()); }
    // EListError out of range.
    TXcLinkedControl* Items(int index) const override;
    TXcLinkedControl* Add() override;
    void Delete(int index);
    void Clear() override;
    // Nested pairs hold the change notification back to their end.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    bool RestoreEnabled() const { return restoreEnabled_; }
    void SetRestoreEnabled(bool value) { restoreEnabled_ = value; }

    // The owner passes every removal on: links to a control that goes
    // forget it (also while the owner goes, so no link outlives its control).
    void Notification(cl::TComponent* component, cl::TOperation operation);

    // A link was added, removed or changed.
    std::function<void()> OnChange;

protected:
    cl::TPersistent* GetOwner() const override { return owner_; }

private:
    friend class TXcLinkedControl;
    void Changed();
    // Another link than except holds control.
    bool Links(const cl::TControl* control, const TXcLinkedControl* except) const;

    cl::TControl* owner_;
    std::vector<std::unique_ptr<TXcLinkedControl>> items_;
    bool restoreEnabled_ = true;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
};
