// The status bar over msctls_statusbar32: panels as parts, the simple text,
// owner-drawn panels, and the application's hints through THintAction.
#include <algorithm>

#include "classlib/win/ComCtrls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

TCustomStatusBar* FindAutoHintBar(TWinControl* parent, THintAction& action) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (!child || !child->Visible()) continue;
        if (auto* bar = dynamic_cast<TCustomStatusBar*>(child); bar && bar->ExecuteAction(&action))
            return bar;
        if (TCustomStatusBar* inner = FindAutoHintBar(child, action)) return inner;
    }
    return nullptr;
}

// Application->OnHint while no one else has set it: the class library hands
// the hint as a THintAction to the active form's, else the main form's,
// status bars, as an unset OnHint does there.
struct HintDispatcher {
    void operator()(TObject*) const {
        THintAction action(nullptr);
        action.SetHint(Application->Hint());
        TCustomForm* active = Screen->ActiveForm();
        if (active && FindAutoHintBar(active, action)) return;
        TCustomForm* main = Application->MainForm();
        if (main && main != active) FindAutoHintBar(main, action);
    }
};

// Tabs place a part's text: one centres it, two right-align it.
std::wstring PanelText(const std::string& text, TAlignment alignment) {
    static constexpr const wchar_t* kPrefix[] = {L"", L"\t\t", L"\t"};
    return kPrefix[alignment] + ToWide(text);
}

WPARAM PanelFlags(TStatusPanel* panel) {
    static constexpr WPARAM kBevel[] = {SBT_NOBORDERS, 0, SBT_POPOUT};
    WPARAM flags = kBevel[panel->Bevel()];
    if (panel->Style() == psOwnerDraw) flags |= SBT_OWNERDRAW;
    return flags;
}

}  // namespace

// ---- TStatusPanel ---------------------------------------------------------------
CL_CLASS_INFO(TStatusPanel, Prop("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
              Prop("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth),
              EnumProp("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TStatusPanel::Alignment,
                       &TStatusPanel::SetAlignment),
              EnumProp("Style", {"psText", "psOwnerDraw"}, &TStatusPanel::Style, &TStatusPanel::SetStyle),
              EnumProp("Bevel", {"pbNone", "pbLowered", "pbRaised"}, &TStatusPanel::Bevel,
                       &TStatusPanel::SetBevel))

TStatusPanel::TStatusPanel(TStatusPanels* collection) : collection_(collection) {}

void TStatusPanel::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TStatusPanel*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    text_ = other->text_;
    width_ = other->width_;
    alignment_ = other->alignment_;
    style_ = other->style_;
    bevel_ = other->bevel_;
    Changed();
}

void TStatusPanel::SetText(const std::string& value) {
    if (value == text_) return;
    text_ = value;
    Changed();
}

void TStatusPanel::SetWidth(int value) {
    if (value == width_) return;
    width_ = value;
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel value) {
    if (value == bevel_) return;
    bevel_ = value;
    Changed();
}

int TStatusPanel::Index() const {
    const auto& items = collection_->items_;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this) return static_cast<int>(i);
    return -1;
}

void TStatusPanel::Changed() {
    collection_->Changed();
}

// ---- TStatusPanels ----------------------------------------------------------------
CL_CLASS_INFO(TStatusPanels)

TStatusPanels::TStatusPanels(TCustomStatusBar* bar) : bar_(bar) {}

TStatusPanels::~TStatusPanels() = default;

void TStatusPanels::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TStatusPanels*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    try {
        items_.clear();
        for (const auto& panel : other->items_) Add()->Assign(panel.get());
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TStatusPanel* TStatusPanels::Add() {
    items_.push_back(bar_->CreatePanel(this));
    Changed();
    return items_.back().get();
}

TStatusPanel* TStatusPanels::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)].get();
}

void TStatusPanels::Delete(int index) {
    Items(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TStatusPanels::Clear() {
    items_.clear();
    Changed();
}

void TStatusPanels::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TStatusPanels::Changed() {
    if (updateCount_ == 0) bar_->UpdatePanels();
}

// ---- TCustomStatusBar ----------------------------------------------------------------
CL_CLASS_INFO(TCustomStatusBar, Prop("AutoHint", &TCustomStatusBar::AutoHint, &TCustomStatusBar::SetAutoHint),
              Prop("SimplePanel", &TCustomStatusBar::SimplePanel, &TCustomStatusBar::SetSimplePanel),
              Prop("SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText),
              Prop("SizeGrip", &TCustomStatusBar::SizeGrip, &TCustomStatusBar::SetSizeGrip))
CL_CLASS_INFO(TStatusBar)
CL_CLASS_INFO(THintAction)

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TWinControl(owner),
      panels_(std::make_unique<TStatusPanels>(this)),
      canvas_(std::make_unique<TCanvas>()) {
    SetControlStyle((ControlStyle() | csOpaque) & ~csSetCaption);
    SetColor(clBtnFace);
    SetBounds(0, 0, 150, 19);
    SetAlign(alBottom);
}

TCustomStatusBar::~TCustomStatusBar() = default;

void TCustomStatusBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, STATUSCLASSNAMEW);
    // The class library lays the bar out; the control must not move itself.
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
    if (sizeGrip_) p.Style |= SBARS_SIZEGRIP;
}

void TCustomStatusBar::CreateWnd() {
    TWinControl::CreateWnd();
    UpdatePanels();
}

std::unique_ptr<TStatusPanel> TCustomStatusBar::CreatePanel(TStatusPanels* panels) {
    return std::make_unique<TStatusPanel>(panels);
}

void TCustomStatusBar::SetSimplePanel(bool value) {
    if (value == simplePanel_) return;
    simplePanel_ = value;
    UpdatePanels();
}

void TCustomStatusBar::SetSimpleText(const std::string& value) {
    if (value == simpleText_) return;
    simpleText_ = value;
    if (HandleAllocated() && (simplePanel_ || panels_->Count() == 0))
        SendMessageW(WindowHandle(), SB_SETTEXTW, SB_SIMPLEID,
                     reinterpret_cast<LPARAM>(ToWide(value).c_str()));
}

void TCustomStatusBar::SetSizeGrip(bool value) {
    if (value == sizeGrip_) return;
    sizeGrip_ = value;
    RecreateWnd();
}

void TCustomStatusBar::SetAutoHint(bool value) {
    autoHint_ = value;
    if (value && !Application->OnHint) Application->OnHint = HintDispatcher{};
}

void TCustomStatusBar::UpdatePanels() {
    if (!HandleAllocated()) return;
    HWND wnd = WindowHandle();
    // Without panels the bar shows its simple text, as the class library's does.
    const bool simple = simplePanel_ || panels_->Count() == 0;
    SendMessageW(wnd, SB_SIMPLE, simple, 0);
    if (simple) {
        SendMessageW(wnd, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(ToWide(simpleText_).c_str()));
        return;
    }
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < panels_->Count(); ++i) {
        right += panels_->Items(i)->Width();
        edges.push_back(right);
    }
    edges.back() = -1;  // the last panel reaches the right edge
    SendMessageW(wnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < panels_->Count(); ++i) UpdatePanel(i);
}

void TCustomStatusBar::UpdatePanel(int index) {
    TStatusPanel* panel = panels_->Items(index);
    const std::wstring text = PanelText(panel->Text(), panel->Alignment());
    // An owner-drawn part carries its panel's index to WM_DRAWITEM.
    const LPARAM data =
        panel->Style() == psOwnerDraw ? static_cast<LPARAM>(index) : reinterpret_cast<LPARAM>(text.c_str());
    SendMessageW(WindowHandle(), SB_SETTEXTW, static_cast<WPARAM>(index) | PanelFlags(panel), data);
}

bool TCustomStatusBar::DoHint() {
    if (!OnHint) return false;
    OnHint(this);
    return true;
}

bool TCustomStatusBar::ExecuteAction(TBasicAction* action) {
    auto* hint = dynamic_cast<THintAction*>(action);
    if (!autoHint_ || !hint || DoHint()) return false;
    if (simplePanel_ || panels_->Count() == 0)
        SetSimpleText(hint->Hint());
    else
        panels_->Items(0)->SetText(hint->Hint());
    return true;
}

void TCustomStatusBar::DrawPanel(TStatusPanel* panel, const TRect& rect) {
    if (OnDrawPanel)
        OnDrawPanel(this, panel, rect);
    else
        canvas_->FillRect(rect);
}

void TCustomStatusBar::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_DRAWITEM: {
            const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
            const int index = static_cast<int>(dis->itemData);
            if (index < 0 || index >= panels_->Count()) break;
            const CanvasDCScope lent(*canvas_, dis->hDC);
            canvas_->SetFont(Font());
            canvas_->Brush()->SetColor(Color());
            DrawPanel(panels_->Items(index), dis->rcItem);
            m.Result = TRUE;
            return;
        }
        case CM_ACTIONEXECUTE:
            m.Result = ExecuteAction(reinterpret_cast<TBasicAction*>(m.LParam)) ? 1 : 0;
            return;
    }
    TWinControl::WndProc(m);
}

}  // namespace cl
