#pragma once
// TXcStatusBar: the class library's status bar with controls placed in its
// panels (TXcStatusPanel.Control) and an automatic hint mode: with AutoHint
// the application's hint shows in one borderless part across the bar, the
// panels' controls hidden meanwhile; an empty hint brings the panels and
// their controls back.  A bar without panels is in the class library's
// simple mode, where the system shows no parts: the hint leaves it first.

#include <string>
#include <vector>

#include "classlib/win/ComCtrls.h"
#include "controls/win/XcEnhancedControl.h"

// The class library's status bar with the shared enhanced-control glue.
using TXcExStatusBar = TXcEnhanced<cl::TStatusBar>;

class TXcStatusBar;

// A panel that may hold a control, placed MarginLeft, MarginTop into it.
class TXcStatusPanel : public cl::TStatusPanel {
    CL_CLASS(TXcStatusPanel, cl::TStatusPanel)
public:
    explicit TXcStatusPanel(cl::TStatusPanels* collection);
    ~TXcStatusPanel() override;
    void Assign(cl::TPersistent* source) override;

    // The control becomes the bar's child, as high as the bar less 4
    // pixels.  The bar itself raises EXCLException "Invalid control
    // selection" and changes nothing.
    cl::TControl* Control() const { return control_; }
    void SetControl(cl::TControl* value);
    int MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(int value);
    int MarginTop() const { return marginTop_; }
    void SetMarginTop(int value);

protected:
    // The bar shows the change and places the panels' controls again.
    void Changed() override;

private:
    friend class TXcStatusBar;
    TXcStatusBar* Bar() const;

    cl::TControl* control_ = nullptr;
    int marginLeft_ = 3;
    int marginTop_ = 3;
};

class TXcStatusBar : public TXcExStatusBar {
    CL_CLASS(TXcStatusBar, TXcExStatusBar)
public:
    explicit TXcStatusBar(cl::TComponent* owner);
    ~TXcStatusBar() override;

    TXcStatusPanel* Panel(int index) const;  // EListError out of range
    // The application's hint is on show.
    bool HintShown() const { return hintShown_; }
    // Each panel's control at the panel's left edge plus its margins.
    void PlaceControls();

    // A THintAction with AutoHint (and no OnHint): shows the hint, or for
    // an empty one the panels again; true when taken.  Any other action
    // brings the panels back first.
    bool ExecuteAction(cl::TBasicAction* action) override;

    void WndProc(cl::TMessage& message) override;

protected:
    // Without themes the bar is not repainted whole when only its width changes.
    void CreateParams(cl::TCreateParams& params) override;
    std::unique_ptr<cl::TStatusPanel> CreatePanel(cl::TStatusPanels* panels) override;
    // A freed control leaves its panels and the hidden ones.
    void Notification(cl::TComponent* component, cl::TOperation operation) override;

private:
    friend class TXcStatusPanel;
    void ShowAutoHint(const std::string& text);
    void RestorePanels();
    // The control no panel shows any more needs no watching.
    void Release(cl::TControl* control);

    bool hintShown_ = false;
    std::vector<cl::TControl*> hiddenControls_;
};
