#include "controls/win/XcTreeView.h"

#include <algorithm>
#include <array>
#include <utility>

#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"

using namespace cl;

namespace {

constexpr UINT_PTR kDragScrollTimer = 100;
constexpr UINT kDragScrollMs = 200;
constexpr int kDragScrollEdge = 20;
constexpr int kCheckBoxWidth = 16;

int StateImageOf(UINT state) {
    return static_cast<int>((state & TVIS_STATEIMAGEMASK) >> 12);
}

// What the scroll bars look like: which of them show and whether the
// window is enabled, then each bar's range, page and position.
std::array<int, 9> ScrollBarsOf(HWND wnd) {
    std::array<int, 9> state{};
    state[0] = GetWindowLongW(wnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL | WS_DISABLED);
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (!GetScrollInfo(wnd, bar, &info)) info = SCROLLINFO{};
        int* values = &state[static_cast<size_t>(1 + 4 * bar)];
        values[0] = info.nMin;
        values[1] = info.nMax;
        values[2] = static_cast<int>(info.nPage);
        values[3] = info.nPos;
    }
    return state;
}

constexpr int kShownBars = WS_HSCROLL | WS_VSCROLL;

// Whether a WM_NCPAINT's region holds the whole window.
bool WholeFrame(HWND wnd, WPARAM region) {
    if (region == 1) return true;
    RECT box{}, window{};
    if (GetRgnBox(reinterpret_cast<HRGN>(region), &box) == ERROR || !GetWindowRect(wnd, &window))
        return false;
    return box.left <= window.left && box.top <= window.top && box.right >= window.right &&
           box.bottom >= window.bottom;
}

}  // namespace

// ---- TXcTreeNode ------------------------------------------------------------------
CL_CLASS_INFO(TXcTreeNode, Prop("Checked", &TXcTreeNode::Checked, &TXcTreeNode::SetChecked),
              Prop("Bold", &TXcTreeNode::Bold, &TXcTreeNode::SetBold))

TXcTreeNode::TXcTreeNode(TTreeNodes* owner) : TTreeNode(owner) {}

TXcTreeNode::~TXcTreeNode() {
    cl::Free(popupMenu_);
}

TXcTreeView* TXcTreeNode::Tree() const {
    return dynamic_cast<TXcTreeView*>(TreeView());
}

void TXcTreeNode::Assign(TPersistent* source) {
    TTreeNode::Assign(source);
    if (auto* other = dynamic_cast<TXcTreeNode*>(source)) {
        SetChecked(other->Checked());
        SetBold(other->Bold());
    }
}

int TXcTreeNode::ItemStateImage() const {
    TCustomTreeView* tree = TreeView();
    if (!ItemId() || !tree->HandleAllocated()) return -1;
    const auto state = static_cast<UINT>(SendMessageW(
        tree->WindowHandle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(ItemId()), TVIS_STATEIMAGEMASK));
    return StateImageOf(state);
}

bool TXcTreeNode::Checked() const {
    const TXcTreeView* tree = Tree();
    const int image = tree && tree->windowCheckboxes_ ? ItemStateImage() : -1;
    return image < 1 ? checked_ : image == 2;
}

void TXcTreeNode::SetChecked(bool value) {
    SaveChecked();
    if (value == checked_) return;
    checked_ = value;
    ReapplyChecked();
}

void TXcTreeNode::SaveChecked() {
    const TXcTreeView* tree = Tree();
    const int image = tree && tree->windowCheckboxes_ ? ItemStateImage() : -1;
    if (image < 1) return;
    // A click changed the window only: the node's state index follows.
    checked_ = image == 2;
    SetStateIndex(image);
}

void TXcTreeNode::ReapplyChecked() {
    const TXcTreeView* tree = Tree();
    if (!tree || !tree->checkboxes_) return;
    // The state index goes with the node into every window the class
    // library makes, and into the item when there is one.
    const int wanted = checked_ ? 2 : 1;
    if (StateIndex() != wanted || ItemStateImage() != wanted) {
        SetStateIndex(-1);
        SetStateIndex(wanted);
    }
}

void TXcTreeNode::SetBold(bool value) {
    if (value == bold_) return;
    bold_ = value;
    WriteBold();
}

void TXcTreeNode::WriteBold() {
    TCustomTreeView* tree = TreeView();
    if (!ItemId() || !tree->HandleAllocated()) return;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_STATE;
    item.hItem = ItemId();
    item.stateMask = TVIS_BOLD;
    item.state = bold_ ? TVIS_BOLD : 0;
    SendMessageW(tree->WindowHandle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

TPopupMenu* TXcTreeNode::PopupMenu() {
    if (!popupMenu_) popupMenu_ = new TPopupMenu(nullptr);
    return popupMenu_;
}

// ---- TXcTreeView ---------------------------------------------------------------------
XC_CLASS_INFO(TXcTreeView, Prop("LineColor", &TXcTreeView::LineColor, &TXcTreeView::SetLineColor),
              Prop("ItemHeight", &TXcTreeView::ItemHeight, &TXcTreeView::SetItemHeight),
              Prop("Menu", &TXcTreeView::Menu, &TXcTreeView::SetMenu),
              Prop("MenuDblClick", &TXcTreeView::MenuDblClick, &TXcTreeView::SetMenuDblClick),
              NeverStored(Prop("ItemIndex", &TXcTreeView::ItemIndex, &TXcTreeView::SetItemIndex)),
              Prop("Checkboxes", &TXcTreeView::Checkboxes, &TXcTreeView::SetCheckboxes),
              Prop("PageControl", &TXcTreeView::PageControl, &TXcTreeView::SetPageControl),
              Prop("AutoDragScroll", &TXcTreeView::AutoDragScroll, &TXcTreeView::SetAutoDragScroll),
              Prop("MultiSelect", &TXcTreeView::MultiSelect, &TXcTreeView::SetMultiSelect))

TXcTreeView::TXcTreeView(TComponent* owner) : TXcExTreeView(owner), hotFont_(std::make_unique<TFont>()) {}

TXcTreeView::~TXcTreeView() {
    ReleaseMenu();
}

void TXcTreeView::BeforeDestruction() {
    Destroying();
    ReleaseMenu();
    SetDragScroll(0);
    TXcExTreeView::BeforeDestruction();
}

TTreeNode* TXcTreeView::CreateNode() {
    return new TXcTreeNode(Items());
}

void TXcTreeView::Notification(TComponent* component, TOperation operation) {
    TXcExTreeView::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == menu_) {
        menu_ = nullptr;
        menuOnChange_ = nullptr;
    }
    if (component == pageControl_) pageControl_ = nullptr;
}

void TXcTreeView::CreateParams(TCreateParams& p) {
    TXcExTreeView::CreateParams(p);
    if (checkboxes_) p.Style |= TVS_CHECKBOXES;
}

void TXcTreeView::CreateWnd() {
    windowCreated_ = true;
    barsDrawn_ = false;
    windowCheckboxes_ = checkboxes_;
    TXcExTreeView::CreateWnd();
    HWND wnd = WindowHandle();
    if (lineColor_ != clDefault)
        SendMessageW(wnd, TVM_SETLINECOLOR, 0, static_cast<LPARAM>(ColorToRGB(lineColor_)));
    if (itemHeight_ > 0) SendMessageW(wnd, TVM_SETITEMHEIGHT, static_cast<WPARAM>(itemHeight_), 0);
    // The class library has put the nodes into the new window: their own
    // states go into the items.
    for (TTreeNode* n = Items()->GetFirstNode(); n; n = n->GetNext()) {
        auto* node = static_cast<TXcTreeNode*>(n);
        node->ReapplyChecked();
        if (node->bold_) node->WriteBold();
    }
}

void TXcTreeView::ReapplyAllChecked() {
    for (TTreeNode* n = Items()->GetFirstNode(); n; n = n->GetNext())
        static_cast<TXcTreeNode*>(n)->ReapplyChecked();
}

void TXcTreeView::DestroyWnd() {
    for (TTreeNode* n = Items()->GetFirstNode(); n; n = n->GetNext())
        static_cast<TXcTreeNode*>(n)->SaveChecked();
    windowCheckboxes_ = false;
    SetDragScroll(0);
    TXcExTreeView::DestroyWnd();
}

TColor TXcTreeView::LineColor() const {
    if (!HandleAllocated()) return lineColor_;
    const auto rgb = static_cast<COLORREF>(SendMessageW(WindowHandle(), TVM_GETLINECOLOR, 0, 0));
    return rgb == CLR_DEFAULT ? clDefault : static_cast<TColor>(rgb);
}

void TXcTreeView::SetLineColor(TColor value) {
    lineColor_ = value;
    if (!HandleAllocated()) return;
    // clDefault draws the lines in the font's colour.
    const TColor color = value == clDefault ? Font()->Color() : value;
    SendMessageW(WindowHandle(), TVM_SETLINECOLOR, 0, static_cast<LPARAM>(ColorToRGB(color)));
    Invalidate();
}

int TXcTreeView::ItemHeight() const {
    if (!HandleAllocated()) return itemHeight_ > 0 ? itemHeight_ : 16;
    return static_cast<int>(SendMessageW(WindowHandle(), TVM_GETITEMHEIGHT, 0, 0));
}

void TXcTreeView::SetItemHeight(int value) {
    itemHeight_ = value < 1 ? 16 : value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TVM_SETITEMHEIGHT, static_cast<WPARAM>(itemHeight_), 0);
}

int TXcTreeView::ItemIndex() const {
    TTreeNode* node = Selected();
    return node ? node->AbsoluteIndex() : -1;
}

void TXcTreeView::SetItemIndex(int value) {
    SetSelected(value < 0 ? nullptr : Items()->Item(value));
}

void TXcTreeView::SetCheckboxes(bool value) {
    if (value == checkboxes_) return;
    for (TTreeNode* n = Items()->GetFirstNode(); n; n = n->GetNext())
        static_cast<TXcTreeNode*>(n)->SaveChecked();
    checkboxes_ = value;
    RecreateWnd();
}

void TXcTreeView::SetPageControl(TPageControl* value) {
    if (value == pageControl_) return;
    if (pageControl_) pageControl_->RemoveFreeNotification(this);
    pageControl_ = value;
    if (value) value->FreeNotification(this);
}

void TXcTreeView::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    multiSelect_ = value;
    if (!value) {
        InvalidateSelection();
        selection_.clear();
    }
    Invalidate();
}

// ---- Menu mirror --------------------------------------------------------------------
void TXcTreeView::ReleaseMenu() noexcept {
    if (!menu_) return;
    if (!(ComponentState() & csDesigning)) menu_->OnChange = std::move(menuOnChange_);
    menu_->RemoveFreeNotification(this);
    menu_ = nullptr;
    menuOnChange_ = nullptr;
}

void TXcTreeView::SetMenu(TMenu* value) {
    if (value == menu_) return;
    ReleaseMenu();
    menu_ = value;
    if (!value) return;
    value->FreeNotification(this);
    if (!(ComponentState() & csDesigning)) {
        menuOnChange_ = value->OnChange;
        value->OnChange = [this](TObject* sender, TMenuItem* source, bool rebuild) {
            if (menuOnChange_) menuOnChange_(sender, source, rebuild);
            RebuildFromMenu();
        };
    }
    RebuildFromMenu();
}

void TXcTreeView::RebuildFromMenu() {
    Items()->BeginUpdate();
    const ScopeExit done([this] { Items()->EndUpdate(); });
    Items()->Clear();
    if (menu_) MirrorItems(menu_->Items(), nullptr);
}

void TXcTreeView::MirrorItems(TMenuItem* parent, TTreeNode* parentNode) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (item->Caption().empty() || item->IsLine()) continue;
        TTreeNode* node = Items()->AddChildObject(parentNode, StripHotkey(item->Caption()), item);
        node->SetImageIndex(item->ImageIndex());
        node->SetSelectedIndex(item->ImageIndex());
        MirrorItems(item, node);
    }
}

TMenuItem* TXcTreeView::MenuItemOf(TTreeNode* node) const {
    if (!menu_ || !node || !node->Data()) return nullptr;
    // The data is a menu item only when it is one of the menu's.
    std::vector<TMenuItem*> pending{menu_->Items()};
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        if (item == node->Data()) return item;
        for (int i = 0; i < item->Count(); ++i) pending.push_back(item->Items(i));
    }
    return nullptr;
}

void TXcTreeView::RunMenuItemOf(TTreeNode* node) {
    TMenuItem* item = MenuItemOf(node);
    if (item && item->OnClick) item->OnClick(item);
}

// ---- Selection and the page link ---------------------------------------------------
void TXcTreeView::Change(TTreeNode* node) {
    if (clearPending_) ClearSelection();
    if (selectPending_ && node) SelectItem(node);
    clearPending_ = selectPending_ = false;
    TXcExTreeView::Change(node);
    if (!menuDblClick_) RunMenuItemOf(node);
    FollowSelection(node);
}

bool TXcTreeView::ComparePage(TTabSheet* page, TTreeNode* node) {
    if (OnComparePage) {
        bool matches = false;
        OnComparePage(this, page, node, matches);
        return matches;
    }
    return AnsiSameText(page->Caption(), node->Text());
}

void TXcTreeView::FollowSelection(TTreeNode* node) {
    if (!pageControl_ || !node) return;
    TTabSheet* found = nullptr;
    for (int i = 0; i < pageControl_->PageCount(); ++i)
        if (ComparePage(pageControl_->Pages(i), node)) found = pageControl_->Pages(i);
    if (!found) return;
    pageControl_->SetActivePage(found);
    if (OnPageChanged) OnPageChanged(this, node, found);
}

void TXcTreeView::Delete(TTreeNode* node) {
    if (multiSelect_) std::erase(selection_, node);
    TXcExTreeView::Delete(node);
}

void TXcTreeView::SelectItem(TTreeNode* node, bool unselect) {
    if (!multiSelect_ || !node) return;
    const auto it = std::find(selection_.begin(), selection_.end(), node);
    if (unselect && it != selection_.end()) selection_.erase(it);
    if (!unselect && it == selection_.end()) selection_.push_back(node);
    if (HandleAllocated()) InvalidateNode(node);
    if (OnSelectionChange) OnSelectionChange(this);
}

void TXcTreeView::ClearSelection() {
    clearPending_ = false;
    if (selection_.empty()) return;
    if (OnSelectionChange) OnSelectionChange(this);
    const std::vector<TTreeNode*> was = std::move(selection_);
    selection_.clear();
    for (TTreeNode* node : was) InvalidateNode(node);
}

bool TXcTreeView::IsNodeSelected(TTreeNode* node) const {
    return std::find(selection_.begin(), selection_.end(), node) != selection_.end();
}

int TXcTreeView::SelectedCount() const {
    return multiSelect_ ? static_cast<int>(selection_.size()) : -1;
}

TTreeNode* TXcTreeView::SelectedItems(int index) const {
    if (index < 0 || index >= static_cast<int>(selection_.size()))
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return selection_[static_cast<size_t>(index)];
}

void TXcTreeView::InvalidateNode(TTreeNode* node) {
    if (!node || !HandleAllocated() || !node->IsVisible()) return;
    const TRect r = node->DisplayRect(true);
    InvalidateRect(WindowHandle(), &r, FALSE);
}

void TXcTreeView::InvalidateSelection() {
    for (TTreeNode* node : selection_) InvalidateNode(node);
}

void TXcTreeView::DoEnter() {
    InvalidateSelection();
    TXcExTreeView::DoEnter();
}

void TXcTreeView::DoExit() {
    InvalidateSelection();
    TXcExTreeView::DoExit();
}

void TXcTreeView::KeyDown(WORD& key, TShiftState shift) {
    clearPending_ = false;
    selectPending_ = !multiSelect_;
    const bool editing = HandleAllocated() && SendMessageW(WindowHandle(), TVM_GETEDITCONTROL, 0, 0) != 0;
    if (multiSelect_ && !(shift & ssAlt) && !editing) {
        if (key == VK_SPACE) {
            if (TTreeNode* node = Selected()) SelectItem(node, IsNodeSelected(node));
        } else {
            selectPending_ = true;
            clearPending_ = !(shift & (ssShift | ssCtrl));
        }
    }
    TXcExTreeView::KeyDown(key, shift);
    if ((key == VK_SPACE || key == VK_RETURN) && menuDblClick_) RunMenuItemOf(Selected());
}

void TXcTreeView::KeyPress(char& key) {
    const bool editing = HandleAllocated() && SendMessageW(WindowHandle(), TVM_GETEDITCONTROL, 0, 0) != 0;
    if (multiSelect_ && key == ' ' && !editing) key = 0;
    TXcExTreeView::KeyPress(key);
}

void TXcTreeView::DblClick() {
    TXcExTreeView::DblClick();
    if (menuDblClick_) RunMenuItemOf(Selected());
}

// ---- Clicks and notifications --------------------------------------------------------
bool TXcTreeView::NoteClick(bool rightClick) {
    POINT p = clickPoint_;
    if (!hasClickPoint_) {
        const DWORD pos = GetMessagePos();
        p = Point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
        ::ScreenToClient(WindowHandle(), &p);
    }
    hasClickPoint_ = false;
    TTreeNode* hit = GetNodeAt(p.x, p.y);
    TTreeNode* node = hit ? hit : checkboxes_ ? GetNodeAt(p.x + kCheckBoxWidth, p.y) : nullptr;
    // The control selects a left click's node itself, after this
    // notification: selecting it here would let the selection's handlers
    // delete the item the control is about to select.
    if (!node || (!rightClick && hit)) return false;
    // Selected once the control's own handling of the click is over.
    pendingClick_ = {node, node->ItemId(), rightClick, p};
    PostMessageW(WindowHandle(), ClickMessage(), 0, 0);
    auto* xcNode = dynamic_cast<TXcTreeNode*>(node);
    return rightClick && xcNode && xcNode->HasPopupMenu() && xcNode->PopupMenu()->Items()->Count() > 0;
}

UINT TXcTreeView::ClickMessage() {
    static const UINT message = RegisterWindowMessageW(L"TXcTreeView.FinishClick");
    return message;
}

void TXcTreeView::FinishClick() {
    const PendingClick click = std::exchange(pendingClick_, PendingClick{});
    // The node may have gone meanwhile.
    TTreeNode* node = nullptr;
    for (TTreeNode* n = Items()->GetFirstNode(); n && !node; n = n->GetNext())
        if (n == click.node && n->ItemId() == click.item) node = n;
    if (!node || !HandleAllocated()) return;
    if (node != Selected()) SetSelected(node);
    auto* xcNode = dynamic_cast<TXcTreeNode*>(node);
    if (!click.right || !xcNode || !xcNode->HasPopupMenu() || xcNode->PopupMenu()->Items()->Count() == 0)
        return;
    POINT screen = click.point;
    ::ClientToScreen(WindowHandle(), &screen);
    TPopupMenu* menu = xcNode->PopupMenu();
    menu->SetPopupComponent(this);
    menu->Popup(screen.x, screen.y);
}

void TXcTreeView::CNNotify(TMessage& m) {
    auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
    if (hdr->code == NM_CUSTOMDRAW) {
        m.Result = CustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(m.LParam));
        return;
    }
    TXcExTreeView::WndProc(m);
    if (ComponentState() & csDestroying) return;
    switch (hdr->code) {
        case NM_CLICK:
        case NM_RCLICK:
            // A node's own menu, when it shows, is the only context menu.
            if (HandleAllocated() && NoteClick(hdr->code == NM_RCLICK)) m.Result = 1;
            return;
        case TVN_ENDLABELEDITW:
        case TVN_ENDLABELEDITA:
            if (!reinterpret_cast<NMTVDISPINFOW*>(m.LParam)->item.pszText && OnEditCancelled)
                OnEditCancelled(this);
            return;
    }
}

LRESULT TXcTreeView::CustomDraw(NMTVCUSTOMDRAW& draw) {
    NMCUSTOMDRAW& cd = draw.nmcd;
    if (cd.dwDrawStage == CDDS_PREPAINT)
        return multiSelect_ || OnCustomDrawItem ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    if (cd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    auto* node = reinterpret_cast<TTreeNode*>(cd.lItemlParam);
    LRESULT result = CDRF_DODEFAULT;
    TColor text = draw.clrText == CLR_DEFAULT ? Font()->Color() : static_cast<TColor>(draw.clrText);
    TColor back = draw.clrTextBk == CLR_DEFAULT ? Color() : static_cast<TColor>(draw.clrTextBk);
    if (multiSelect_ && node) {
        const bool selected = (cd.uItemState & CDIS_SELECTED) != 0;
        if (cd.uItemState & CDIS_HOT) {
            hotFont_->Assign(Font());
            hotFont_->SetStyle(Font()->Style() | fsUnderline);
            SelectObject(cd.hdc, hotFont_->Handle());
            result |= CDRF_NEWFONT;
            text = selected ? clHighlightText : clHighlight;
        } else if (!IsNodeSelected(node)) {
            text = Font()->Color();
            back = Color();
        } else if (Focused()) {
            text = clHighlightText;
            back = clHighlight;
        } else if (!HideSelection()) {
            text = Font()->Color();
            back = clInactiveBorder;
        }
    }
    if (OnCustomDrawItem && node) {
        bool defaultDraw = true;
        const CanvasDCScope lent(canvas_, cd.hdc);
        canvas_.Font()->Assign(Font());
        canvas_.Font()->SetColor(text);
        canvas_.Brush()->SetColor(back);
        OnCustomDrawItem(this, node, cd.uItemState, defaultDraw);
        text = canvas_.Font()->Color();
        back = canvas_.Brush()->Color();
        if (!defaultDraw) result |= CDRF_SKIPDEFAULT;
    }
    draw.clrText = static_cast<COLORREF>(ColorToRGB(text));
    draw.clrTextBk = static_cast<COLORREF>(ColorToRGB(back));
    return result;
}

// ---- Drag scrolling -----------------------------------------------------------------
void TXcTreeView::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    TXcExTreeView::DragOver(source, x, y, state, accept);
    if (!autoDragScroll_ || !HandleAllocated()) return;
    // A drag that leaves the tree, or ends over it, scrolls it no more.
    const int height = ClientHeight();
    if (state == dsDragLeave)
        SetDragScroll(0);
    else if (y < kDragScrollEdge)
        SetDragScroll(-1);
    else if (y > height - kDragScrollEdge)
        SetDragScroll(1);
    else
        SetDragScroll(0);
}

void TXcTreeView::DoEndDrag(TObject* target, int x, int y) {
    SetDragScroll(0);
    TXcExTreeView::DoEndDrag(target, x, y);
}

void TXcTreeView::SetDragScroll(int direction) {
    if (direction == dragScroll_) return;
    const int was = dragScroll_;
    dragScroll_ = direction;
    if (!HandleAllocated()) return;
    if (was == 0) WindowTimers().Set(WindowHandle(), kDragScrollTimer, kDragScrollMs);
    if (direction == 0) WindowTimers().Kill(WindowHandle(), kDragScrollTimer);
}

// ---- Painting ---------------------------------------------------------------------------
void TXcTreeView::PaintThroughBitmap(TMessage& m) {
    // Wine's control sets its scroll bars again at the end of every paint,
    // and each setting draws them anew, slowly (themed): the items are
    // painted into a bitmap while the window cannot be drawn on, and the
    // bars are drawn only when they look other than they were last drawn.
    HWND wnd = WindowHandle();
    const int shownBefore = ScrollBarsOf(wnd)[0] & kShownBars;
    {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(wnd, &ps);
        const ScopeExit endPaint([&] { EndPaint(wnd, &ps); });
        const RECT& r = ps.rcPaint;
        const int width = r.right - r.left, height = r.bottom - r.top;
        if (width > 0 && height > 0) {
            const OwnedBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
            if (!bitmap) throw EOutOfResources("Out of system resources");
            const MemoryDC memory(bitmap.get());
            SetWindowOrgEx(memory.get(), r.left, r.top, nullptr);
            TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0, 0};
            DefWindowProcW(wnd, WM_SETREDRAW, FALSE, 0);
            {
                const ScopeExit drawable([wnd] { DefWindowProcW(wnd, WM_SETREDRAW, TRUE, 0); });
                TXcExTreeView::WndProc(paint);
            }
            BitBlt(dc, r.left, r.top, width, height, memory.get(), r.left, r.top, SRCCOPY);
        }
    }
    const std::array<int, 9> bars = ScrollBarsOf(wnd);
    if ((bars[0] & kShownBars) != shownBefore) {
        // A bar came or went: the frame and the client change.
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    } else if (!barsDrawn_ || bars != drawnBars_) {
        for (int bar : {SB_HORZ, SB_VERT}) {
            if (!(bars[0] & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL))) continue;
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            if (GetScrollInfo(wnd, bar, &info)) SetScrollInfo(wnd, bar, &info, TRUE);
        }
        drawnBars_ = bars;
        barsDrawn_ = true;
    }
    m.Result = 0;
}

// ---- Messages ---------------------------------------------------------------------------
void TXcTreeView::WndProc(TMessage& m) {
    if (m.Msg == ClickMessage()) {
        FinishClick();
        return;
    }
    switch (m.Msg) {
        case CN_NOTIFY:
            CNNotify(m);
            return;
        case TVM_SETIMAGELIST:
            // The class library clears the state images when it has none;
            // with check boxes those are the window's own check images.
            if (checkboxes_ && m.WParam == TVSIL_STATE && m.LParam == 0) {
                m.Result = 0;
                return;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            clickPoint_ = Point(m.XPos(), m.YPos());
            hasClickPoint_ = true;
            if (m.Msg == WM_LBUTTONDOWN && multiSelect_) {
                clearPending_ = selectPending_ = false;
                TVHITTESTINFO ht{};
                ht.pt = clickPoint_;
                SendMessageW(WindowHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht));
                TTreeNode* node = ht.hItem && (ht.flags & TVHT_ONITEM) ? Items()->GetNode(ht.hItem) : nullptr;
                if (node) {
                    if (GetKeyState(VK_CONTROL) < 0) {
                        SelectItem(node, IsNodeSelected(node));
                    } else {
                        ClearSelection();
                        SelectItem(node);
                    }
                }
            } else if (m.Msg == WM_LBUTTONDOWN) {
                clearPending_ = false;
                selectPending_ = true;
            }
            break;
        case WM_TIMER:
            if (m.WParam == kDragScrollTimer) {
                m.Result = 1;
                // A tick already queued when the scrolling stopped.
                if (dragScroll_ == 0) return;
                ImageList_DragShowNolock(FALSE);
                SendMessageW(WindowHandle(), WM_VSCROLL, dragScroll_ < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
                ImageList_DragShowNolock(TRUE);
                return;
            }
            break;
        case WM_NCPAINT:
            TXcExTreeView::WndProc(m);
            // A frame painted whole shows the bars as they are now.
            if (HandleAllocated() && IsWindowVisible(WindowHandle()) &&
                WholeFrame(WindowHandle(), m.WParam)) {
                drawnBars_ = ScrollBarsOf(WindowHandle());
                barsDrawn_ = true;
            }
            return;
        case WM_PAINT:
            // A label being edited is a child window, which the way through
            // a bitmap would keep from painting.
            if (m.WParam == 0 && IsWindowVisible(WindowHandle()) && !GetWindow(WindowHandle(), GW_CHILD))
                PaintThroughBitmap(m);
            else
                TXcExTreeView::WndProc(m);
            // The system control sets every check box of a new window to
            // unchecked while it paints it the first time.
            if (windowCreated_ && !(ComponentState() & csDestroying)) {
                windowCreated_ = false;
                if (checkboxes_) ReapplyAllChecked();
            }
            return;
        case WM_VSCROLL:
        case WM_HSCROLL: {
            TXcExTreeView::WndProc(m);
            const TNotifyEvent& event = m.Msg == WM_VSCROLL ? OnVerticalScroll : OnHorizontalScroll;
            if (event && !(ComponentState() & csDestroying)) event(this);
            return;
        }
    }
    TXcExTreeView::WndProc(m);
}
