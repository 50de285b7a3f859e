#pragma once
// TXcPageControl: the class library's page control with the enhanced
// controls' shared behaviour and
//   - HideAllTabs: no page shows a tab, with or without a window, pages
//     that join later included (clearing it shows no tab that was hidden);
//   - a client border of ClientBorderWidth pixels around the pages;
//   - Ctrl+Tab and Ctrl+Shift+Tab switching pages (HandleGlobalTab), a
//     right click selecting a tab (RightClickSelect), clicks on the tab of
//     a disabled page swallowed;
//   - the window of a page that is left released (ReduceMemoryUse);
//   - tabs drawn by a TabPainter (owner-drawn while one is set).

#include <windows.h>

#include "classlib/win/PageControl.h"
#include "controls/win/XcEnhancedControl.h"
#include "controls/win/XcTabPainter.h"

// The class library's page control with the shared enhanced-control glue.
using TXcExPageControl = TXcEnhanced<cl::TPageControl>;

class TXcPageControl : public TXcExPageControl {
    CL_CLASS(TXcPageControl, TXcExPageControl)
public:
    explicit TXcPageControl(cl::TComponent* owner);
    ~TXcPageControl() override;
    void BeforeDestruction() override;

    TXcTabControlPainter* TabPainter() const { return tabPainter_; }
    void SetTabPainter(TXcTabControlPainter* value);
    bool HandleGlobalTab() const { return handleGlobalTab_; }
    void SetHandleGlobalTab(bool value) { handleGlobalTab_ = value; }
    // 0 to 4 would leave the pages that much less border than the system's.
    int ClientBorderWidth() const { return clientBorderWidth_; }
    void SetClientBorderWidth(int value);
    bool RightClickSelect() const { return rightClickSelect_; }
    void SetRightClickSelect(bool value) { rightClickSelect_ = value; }
    bool ReduceMemoryUse() const { return reduceMemoryUse_; }
    void SetReduceMemoryUse(bool value) { reduceMemoryUse_ = value; }
    bool HideAllTabs() const { return hideAllTabs_; }
    void SetHideAllTabs(bool value);

    void WndProc(cl::TMessage& message) override;

protected:
    void Loaded() override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;
    void CreateParams(cl::TCreateParams& params) override;
    bool CanChange() override;
    // The tab of the tabIndex-th shown page, by TabPainter (the system
    // draws the tabs while there is none).
    virtual void DrawTab(int tabIndex, cl::TCanvas* canvas, const cl::TRect& r, bool active);

private:
    void ApplyHideAllTabs();
    cl::TTabSheet* PageOfTab(int tabIndex) const;
    bool SelectGlobalTab(bool forward);

    TXcTabControlPainter* tabPainter_ = nullptr;
    bool handleGlobalTab_ = false;
    int clientBorderWidth_ = 4;
    bool rightClickSelect_ = false;
    bool reduceMemoryUse_ = false;
    bool hideAllTabs_ = false;
};
