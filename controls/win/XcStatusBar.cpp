#include "controls/win/XcStatusBar.h"

#include <algorithm>

#include "classlib/StrUtils.h"
#include "classlib/win/WideText.h"
#include "controls/XcResources.h"
#include "controls/win/XcThemes.h"
#include "frameworks/data/XcExceptions.h"

using namespace cl;

// ---- Panel -------------------------------------------------------------------------------
CL_CLASS_INFO(TXcStatusPanel, Prop("Control", &TXcStatusPanel::Control, &TXcStatusPanel::SetControl),
              Prop("MarginLeft", &TXcStatusPanel::MarginLeft, &TXcStatusPanel::SetMarginLeft),
              Prop("MarginTop", &TXcStatusPanel::MarginTop, &TXcStatusPanel::SetMarginTop))

TXcStatusPanel::TXcStatusPanel(TStatusPanels* collection) : TStatusPanel(collection) {}

TXcStatusPanel::~TXcStatusPanel() {
    // The bar may be half gone (its panels go last): the control only
    // stops being this panel's.
    control_ = nullptr;
}

TXcStatusBar* TXcStatusPanel::Bar() const {
    return dynamic_cast<TXcStatusBar*>(Collection()->StatusBar());
}

void TXcStatusPanel::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TXcStatusPanel*>(source)) {
        marginLeft_ = other->marginLeft_;
        marginTop_ = other->marginTop_;
    }
    TStatusPanel::Assign(source);
}

void TXcStatusPanel::SetControl(TControl* value) {
    if (value == control_) return;
    TXcStatusBar* bar = Bar();
    if (value && value == static_cast<TControl*>(bar)) throw EXCLException(rsInvalidControlSelection);
    TControl* old = control_;
    control_ = value;
    if (bar && old) bar->Release(old);
    if (bar && value) {
        value->SetParent(bar);
        value->SetHeight(bar->ClientHeight() - 4);
        value->FreeNotification(bar);
    }
    Changed();
}

void TXcStatusPanel::SetMarginLeft(int value) {
    if (value == marginLeft_) return;
    marginLeft_ = value;
    Changed();
}

void TXcStatusPanel::SetMarginTop(int value) {
    if (value == marginTop_) return;
    marginTop_ = value;
    Changed();
}

void TXcStatusPanel::Changed() {
    TStatusPanel::Changed();
    if (TXcStatusBar* bar = Bar()) bar->PlaceControls();
}

// ---- Bar ---------------------------------------------------------------------------------
XC_CLASS_INFO(TXcStatusBar)

TXcStatusBar::TXcStatusBar(TComponent* owner) : TXcExStatusBar(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TXcStatusBar::~TXcStatusBar() = default;

void TXcStatusBar::CreateParams(TCreateParams& p) {
    TXcExStatusBar::CreateParams(p);
    if (!ThemeServicesOf().ThemesEnabled()) p.WindowClass.style &= ~CS_HREDRAW;
}

std::unique_ptr<TStatusPanel> TXcStatusBar::CreatePanel(TStatusPanels* panels) {
    return std::make_unique<TXcStatusPanel>(panels);
}

TXcStatusPanel* TXcStatusBar::Panel(int index) const {
    return static_cast<TXcStatusPanel*>(Panels()->Items(index));
}

void TXcStatusBar::PlaceControls() {
    int x = 0;
    for (int i = 0; i < Panels()->Count(); ++i) {
        TXcStatusPanel* panel = Panel(i);
        if (TControl* c = panel->Control())
            c->SetBounds(x + panel->MarginLeft(), panel->MarginTop(), c->Width(), c->Height());
        x += panel->Width();
    }
}

void TXcStatusBar::Release(TControl* control) {
    for (int i = 0; i < Panels()->Count(); ++i)
        if (Panel(i)->Control() == control) return;
    if (std::find(hiddenControls_.begin(), hiddenControls_.end(), control) == hiddenControls_.end())
        control->RemoveFreeNotification(this);
}

void TXcStatusBar::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) {
        std::erase(hiddenControls_, component);
        if (!(ComponentState() & csDestroying))
            for (int i = 0; i < Panels()->Count(); ++i)
                if (Panel(i)->Control() == component) {
                    // Not through SetControl: the control is being freed.
                    Panel(i)->control_ = nullptr;
                    Panel(i)->Changed();
                }
    }
    TXcExStatusBar::Notification(component, operation);
}

bool TXcStatusBar::ExecuteAction(TBasicAction* action) {
    auto* hint = dynamic_cast<THintAction*>(action);
    if (!AutoHint() || !hint) {
        RestorePanels();
        return TXcExStatusBar::ExecuteAction(action);
    }
    if (DoHint()) {
        // The bar's own OnHint took it.
        RestorePanels();
        return false;
    }
    const std::string text = Trim(hint->Hint());
    if (text.empty())
        RestorePanels();
    else
        ShowAutoHint(text);
    return true;
}

void TXcStatusBar::ShowAutoHint(const std::string& text) {
    if (!HandleAllocated()) return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        hiddenControls_.push_back(c);
        c->FreeNotification(this);
        c->Hide();
    }
    hintShown_ = true;
    HWND wnd = WindowHandle();
    // In simple mode the system shows no parts at all.
    SendMessageW(wnd, SB_SIMPLE, FALSE, 0);
    int edge = -1;
    SendMessageW(wnd, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
    const WPARAM style = SBT_NOBORDERS | (UseRightToLeftReading() ? SBT_RTLREADING : 0);
    SendMessageW(wnd, SB_SETTEXTW, 0 | style, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

void TXcStatusBar::RestorePanels() {
    if (!hintShown_) return;
    hintShown_ = false;
    UpdatePanels();
    const std::vector<TControl*> hidden = std::move(hiddenControls_);
    hiddenControls_.clear();
    for (TControl* c : hidden) c->Show();
}

void TXcStatusBar::WndProc(TMessage& m) {
    if (m.Msg == WM_SIZE) {
        TXcExStatusBar::WndProc(m);
        PlaceControls();
        return;
    }
    TXcExStatusBar::WndProc(m);
}
