// TTreeNode, TTreeNodes and TCustomTreeView over SysTreeView32.
#include "classlib/win/TreeView.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

[[noreturn]] void IndexError(int index) {
    throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

// The window orders siblings by the positions the control's own sort gave them.
int CALLBACK ByPosition(LPARAM a, LPARAM b, LPARAM positions) {
    const auto& pos = *reinterpret_cast<const std::vector<std::pair<LPARAM, int>>*>(positions);
    auto find = [&](LPARAM node) {
        for (const auto& p : pos)
            if (p.first == node) return p.second;
        return 0;
    };
    return find(a) - find(b);
}

}  // namespace

// ---- TTreeNode ---------------------------------------------------------------
CL_CLASS_INFO(TTreeNode)

TTreeNode::TTreeNode(TTreeNodes* owner) : owner_(owner) {}

TTreeNode::~TTreeNode() = default;

void TTreeNode::Assign(TPersistent* source) {
    auto* node = dynamic_cast<TTreeNode*>(source);
    if (!node) {
        TPersistent::Assign(source);
        return;
    }
    SetText(node->text_);
    SetData(node->data_);
    SetImageIndex(node->imageIndex_);
    SetSelectedIndex(node->selectedIndex_);
    SetStateIndex(node->stateIndex_);
    SetHasChildren(node->hasChildren_);
}

TCustomTreeView* TTreeNode::TreeView() const {
    return owner_->Owner();
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNode::Siblings() const {
    return parent_ ? parent_->children_ : owner_->roots_;
}

void TTreeNode::SetText(const std::string& value) {
    if (value == text_) return;
    text_ = value;
    TCustomTreeView* tree = TreeView();
    tree->UpdateItem(this, TVIF_TEXT);
    if (tree->KeepsSorted(true, false)) tree->SortSiblings(parent_, nullptr, 0, false);
}

void TTreeNode::SetData(void* value) {
    if (value == data_) return;
    data_ = value;
    TCustomTreeView* tree = TreeView();
    if (tree->KeepsSorted(false, true)) tree->SortSiblings(parent_, nullptr, 0, false);
}

void TTreeNode::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    TreeView()->UpdateItem(this, TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int value) {
    if (value == selectedIndex_) return;
    selectedIndex_ = value;
    TreeView()->UpdateItem(this, TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetStateIndex(int value) {
    if (value == stateIndex_) return;
    stateIndex_ = value;
    TreeView()->UpdateItem(this, TVIF_STATE);
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return children_[static_cast<size_t>(index)].get();
}

int TTreeNode::Index() const {
    const auto& list = Siblings();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_) ++level;
    return level;
}

int TTreeNode::AbsoluteIndex() const {
    int i = 0;
    for (TTreeNode* n = owner_->GetFirstNode(); n; n = n->GetNext(), ++i)
        if (n == this) return i;
    return -1;
}

bool TTreeNode::HasAsParent(const TTreeNode* ancestor) const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (p == ancestor) return true;
    return false;
}

TTreeNode* TTreeNode::GetFirstChild() const {
    return children_.empty() ? nullptr : children_.front().get();
}

TTreeNode* TTreeNode::GetLastChild() const {
    return children_.empty() ? nullptr : children_.back().get();
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& list = Siblings();
    const int i = Index();
    return i + 1 < static_cast<int>(list.size()) ? list[static_cast<size_t>(i + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const int i = Index();
    return i > 0 ? Siblings()[static_cast<size_t>(i - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty()) return children_.front().get();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* s = n->GetNextSibling()) return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
    TTreeNode* n = GetPrevSibling();
    if (!n) return parent_;
    while (!n->children_.empty()) n = n->children_.back().get();
    return n;
}

bool TTreeNode::IsVisible() const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (!p->Expanded()) return false;
    return true;
}

TTreeNode* TTreeNode::getNextVisible() const {
    if (!IsVisible()) return nullptr;
    if (!children_.empty() && Expanded()) return children_.front().get();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* s = n->GetNextSibling()) return s;
    return nullptr;
}

TTreeNode* TTreeNode::getPrevVisible() const {
    if (!IsVisible()) return nullptr;
    TTreeNode* n = GetPrevSibling();
    if (!n) return parent_;
    while (!n->children_.empty() && n->Expanded()) n = n->children_.back().get();
    return n;
}

void TTreeNode::SetHasChildren(bool value) {
    if (value == hasChildren_) return;
    hasChildren_ = value;
    TreeView()->UpdateItem(this, TVIF_CHILDREN);
}

bool TTreeNode::Expanded() const {
    TCustomTreeView* tree = TreeView();
    if (item_ && tree->HandleAllocated())
        return (SendMessageW(tree->WindowHandle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_),
                             TVIS_EXPANDED) &
                TVIS_EXPANDED) != 0;
    return expanded_;
}

void TTreeNode::SetExpanded(bool value) {
    if (value)
        Expand(false);
    else
        Collapse(false);
}

void TTreeNode::Expand(bool recurse) {
    TreeView()->ExpandNode(this, true, recurse);
}

void TTreeNode::Collapse(bool recurse) {
    TreeView()->ExpandNode(this, false, recurse);
}

bool TTreeNode::Selected() const {
    return TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool value) {
    TCustomTreeView* tree = TreeView();
    if (value)
        tree->SetSelected(this);
    else if (Selected())
        tree->SetSelected(nullptr);
}

bool TTreeNode::Focused() const {
    return TreeView()->Focused() && Selected();
}

void TTreeNode::Delete() {
    TreeView()->DeleteNode(this);
}

void TTreeNode::DeleteChildren() {
    while (!children_.empty()) children_.back()->Delete();
}

void TTreeNode::MakeVisible() {
    TCustomTreeView* tree = TreeView();
    if (item_ && tree->HandleAllocated()) {
        SendMessageW(tree->WindowHandle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_));
        return;
    }
    for (TTreeNode* p = parent_; p; p = p->parent_) p->expanded_ = true;
}

TRect TTreeNode::DisplayRect(bool textOnly) const {
    TRect r{};
    TCustomTreeView* tree = TreeView();
    if (!item_ || !tree->HandleAllocated()) return r;
    // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
    std::memcpy(&r, &item_, sizeof item_);
    if (!SendMessageW(tree->WindowHandle(), TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&r)))
        r = TRect{};
    return r;
}

void TTreeNode::AlphaSort(bool recurse) {
    TreeView()->SortSiblings(this, nullptr, 0, recurse);
}

void TTreeNode::CustomSort(const TTVCompare& compare, intptr_t data, bool recurse) {
    TreeView()->SortSiblings(this, compare, data, recurse);
}

// ---- TTreeNodes ----------------------------------------------------------------
CL_CLASS_INFO(TTreeNodes)

TTreeNodes::TTreeNodes(TCustomTreeView* owner) : owner_(owner) {}

TTreeNodes::~TTreeNodes() = default;

int TTreeNodes::Count() const {
    int n = 0;
    for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext()) ++n;
    return n;
}

TTreeNode* TTreeNodes::Item(int index) const {
    if (index >= 0) {
        int i = 0;
        for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext(), ++i)
            if (i == index) return node;
    }
    IndexError(index);
}

TTreeNode* TTreeNodes::GetFirstNode() const {
    return roots_.empty() ? nullptr : roots_.front().get();
}

TTreeNode* TTreeNodes::GetNode(HTREEITEM item) const {
    return owner_->NodeFromItem(item);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& s, void* ptr) {
    TTreeNode* parent = sibling ? sibling->parent_ : nullptr;
    return InsertNode(parent, parent ? parent->children_.size() : roots_.size(), s, ptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& s, void* ptr) {
    return InsertNode(parent, parent ? parent->children_.size() : roots_.size(), s, ptr);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* sibling, const std::string& s, void* ptr) {
    if (!sibling) return InsertNode(nullptr, roots_.size(), s, ptr);
    return InsertNode(sibling->parent_, static_cast<size_t>(sibling->Index()), s, ptr);
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* parent, size_t position, const std::string& s, void* ptr) {
    std::unique_ptr<TTreeNode> node(owner_->CreateNode());
    node->parent_ = parent;
    node->text_ = s;
    node->data_ = ptr;
    TTreeNode* raw = node.get();
    auto& list = parent ? parent->children_ : roots_;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(position), std::move(node));
    owner_->InsertItem(raw);
    owner_->AfterInsert(raw);
    return raw;
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (node) node->Delete();
}

void TTreeNodes::Clear() {
    owner_->DeleteAll(true);
}

void TTreeNodes::BeginUpdate() {
    if (updateCount_++ > 0 || !owner_->HandleAllocated()) return;
    HWND wnd = owner_->WindowHandle();
    SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
    // The system control still redraws its scroll bars on every change (Wine
    // draws them slowly): the window is also made undrawable as the default
    // handling does it, by dropping WS_VISIBLE until the end.
    hidden_ = (GetWindowLongW(wnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (hidden_) DefWindowProcW(wnd, WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0) return;
    const bool hidden = std::exchange(hidden_, false);
    if (!owner_->HandleAllocated()) return;
    HWND wnd = owner_->WindowHandle();
    SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
    // A tree hidden meanwhile stays hidden.
    if (hidden && owner_->Visible() && !(GetWindowLongW(wnd, GWL_STYLE) & WS_VISIBLE))
        DefWindowProcW(wnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// ---- TCustomTreeView -------------------------------------------------------------
CL_CLASS_INFO(TCustomTreeView)

CL_CLASS_INFO(TTreeView,
              EnumProp("SortType", {"stNone", "stData", "stText", "stBoth"}, &TTreeView::SortType,
                       &TTreeView::SetSortType),
              Prop("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly),
              Prop("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons),
              Prop("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines),
              Prop("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot),
              Prop("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection),
              Prop("RowSelect", &TTreeView::RowSelect, &TTreeView::SetRowSelect),
              Prop("HotTrack", &TTreeView::HotTrack, &TTreeView::SetHotTrack),
              Prop("AutoExpand", &TTreeView::AutoExpand, &TTreeView::SetAutoExpand),
              Prop("Indent", &TTreeView::Indent, &TTreeView::SetIndent))

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TTreeNodes>(this)),
      imageLink_(std::make_unique<TChangeLink>()),
      stateImageLink_(std::make_unique<TChangeLink>()) {
    // The system control tracks a click inside its button-down message and
    // takes the button-up itself: clicks come as NM_CLICK / NM_DBLCLK.
    SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents | csSetCaption));
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    imageLink_->OnChange = [this](TObject*) { ApplyImages(); };
    stateImageLink_->OnChange = [this](TObject*) { ApplyImages(); };
}

TCustomTreeView::~TCustomTreeView() {
    if (images_) images_->UnRegisterChanges(imageLink_.get());
    if (stateImages_) stateImages_->UnRegisterChanges(stateImageLink_.get());
}

void TCustomTreeView::BeforeDestruction() {
    // Marked first: what the window reports while it goes is no event.
    Destroying();
    try {
        DeleteAll(false);
    } catch (...) {
        HandleCurrentException(this);
    }
    TWinControl::BeforeDestruction();
}

TTreeNode* TCustomTreeView::CreateNode() {
    return new TTreeNode(items_.get());
}

bool TCustomTreeView::CanChange(TTreeNode* node) {
    bool allow = true;
    if (OnChanging) OnChanging(this, node, allow);
    return allow;
}

void TCustomTreeView::Change(TTreeNode* node) {
    if (OnChange) OnChange(this, node);
}

bool TCustomTreeView::CanExpand(TTreeNode* node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, node, allow);
    return allow;
}

bool TCustomTreeView::CanCollapse(TTreeNode* node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, node, allow);
    return allow;
}

void TCustomTreeView::Delete(TTreeNode* node) {
    if (OnDeletion) OnDeletion(this, node);
}

// ---- Window ---------------------------------------------------------------------
DWORD TCustomTreeView::StyleBits() const {
    DWORD s = TVS_DISABLEDRAGDROP;
    if (showLines_) s |= TVS_HASLINES;
    if (showRoot_) s |= TVS_LINESATROOT;
    if (showButtons_) s |= TVS_HASBUTTONS;
    if (!readOnly_) s |= TVS_EDITLABELS;
    if (!hideSelection_) s |= TVS_SHOWSELALWAYS;
    if (rowSelect_) s |= TVS_FULLROWSELECT;
    if (hotTrack_) s |= TVS_TRACKSELECT;
    if (autoExpand_) s |= TVS_SINGLEEXPAND;
    return s;
}

void TCustomTreeView::SetStyleBit(bool& field, bool value) {
    if (field == value) return;
    field = value;
    if (!HandleAllocated()) return;
    constexpr DWORD kAll = TVS_DISABLEDRAGDROP | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS |
                           TVS_EDITLABELS | TVS_SHOWSELALWAYS | TVS_FULLROWSELECT | TVS_TRACKSELECT |
                           TVS_SINGLEEXPAND;
    const DWORD style = static_cast<DWORD>(GetWindowLongW(WindowHandle(), GWL_STYLE));
    SetWindowLongW(WindowHandle(), GWL_STYLE, static_cast<LONG>((style & ~kAll) | StyleBits()));
    Invalidate();
}

void TCustomTreeView::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    CreateSubClass(p, WC_TREEVIEWW);
    p.Style |= StyleBits();
    if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
    TWinControl::CreateWnd();
    HWND wnd = WindowHandle();
    SendMessageW(wnd, TVM_SETINDENT, static_cast<WPARAM>(indent_), 0);
    ApplyColors();
    ApplyImages();
    const FlagScope quiet(quiet_, quiet_ + 1);
    for (auto& root : items_->roots_) InsertItem(root.get());
    if (selected_ && selected_->item_)
        SendMessageW(wnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected_->item_));
}

void TCustomTreeView::ApplyColors() {
    if (!HandleAllocated()) return;
    SendMessageW(WindowHandle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    SendMessageW(WindowHandle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
}

void TCustomTreeView::ApplyImages() {
    if (!HandleAllocated()) return;
    SendMessageW(WindowHandle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    SendMessageW(WindowHandle(), TVM_SETIMAGELIST, TVSIL_STATE,
                 reinterpret_cast<LPARAM>(stateImages_ ? stateImages_->Handle() : nullptr));
}

void TCustomTreeView::SetImages(TCustomImageList* value) {
    if (ReplaceImageList(this, images_, value, *imageLink_)) ApplyImages();
}

void TCustomTreeView::SetStateImages(TCustomImageList* value) {
    if (ReplaceImageList(this, stateImages_, value, *stateImageLink_)) ApplyImages();
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == images_) {
        images_->UnRegisterChanges(imageLink_.get());
        images_ = nullptr;
        ApplyImages();
    }
    if (component == stateImages_) {
        stateImages_->UnRegisterChanges(stateImageLink_.get());
        stateImages_ = nullptr;
        ApplyImages();
    }
}

void TCustomTreeView::InsertItem(TTreeNode* node) {
    if (!HandleAllocated() || (node->parent_ && !node->parent_->item_)) return;
    HWND wnd = WindowHandle();
    const std::wstring text = ToWide(node->text_);
    TVINSERTSTRUCTW is{};
    is.hParent = node->parent_ ? node->parent_->item_ : TVI_ROOT;
    TTreeNode* prev = node->GetPrevSibling();
    is.hInsertAfter = prev && prev->item_ ? prev->item_ : TVI_FIRST;
    TVITEMW& it = is.item;
    it.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    it.pszText = const_cast<wchar_t*>(text.c_str());
    it.lParam = reinterpret_cast<LPARAM>(node);
    it.iImage = node->imageIndex_;
    it.iSelectedImage = node->selectedIndex_;
    it.stateMask = TVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(node->stateIndex_ < 0 ? 0 : node->stateIndex_);
    // An explicit child count would hide the button of children added later.
    if (node->hasChildren_) {
        it.mask |= TVIF_CHILDREN;
        it.cChildren = 1;
    }
    node->item_ =
        reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&is)));
    if (!node->item_) throw EOSError("Cannot insert a tree node");
    for (auto& child : node->children_) InsertItem(child.get());
    if (node->expanded_ && !node->children_.empty()) {
        const FlagScope quiet(quiet_, quiet_ + 1);
        SendMessageW(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->item_));
    }
}

void TCustomTreeView::UpdateItem(TTreeNode* node, UINT mask) {
    if (!node->item_ || !HandleAllocated()) return;
    const std::wstring text = ToWide(node->text_);
    TVITEMW it{};
    it.mask = mask | TVIF_HANDLE;
    it.hItem = node->item_;
    it.pszText = const_cast<wchar_t*>(text.c_str());
    it.iImage = node->imageIndex_;
    it.iSelectedImage = node->selectedIndex_;
    it.stateMask = TVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(node->stateIndex_ < 0 ? 0 : node->stateIndex_);
    it.cChildren = node->HasChildren() ? 1 : 0;
    SendMessageW(WindowHandle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

TTreeNode* TCustomTreeView::NodeFromItem(HTREEITEM item) const {
    if (!item || !HandleAllocated()) return nullptr;
    TVITEMW it{};
    it.mask = TVIF_HANDLE | TVIF_PARAM;
    it.hItem = item;
    if (!SendMessageW(WindowHandle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return nullptr;
    return reinterpret_cast<TTreeNode*>(it.lParam);
}

void TCustomTreeView::SaveWindowState() {
    selected_ = Selected();
    for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNext()) n->expanded_ = n->Expanded();
}

void TCustomTreeView::ForgetItems() {
    for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNext()) n->item_ = nullptr;
}

bool TCustomTreeView::IgnoresNotifications() const {
    if (quiet_ > 0 || (ControlState() & csDestroyingHandle)) return true;
    for (const TControl* c = this; c; c = c->Parent())
        if (c->ComponentState() & csDestroying) return true;
    return false;
}

void TCustomTreeView::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_NOTIFY:
            CNNotify(m);
            return;
        case WM_DESTROY: {
            // The items go with the window; the nodes stay and keep their state.
            SaveWindowState();
            const FlagScope quiet(quiet_, quiet_ + 1);
            TWinControl::WndProc(m);
            ForgetItems();
            return;
        }
        case CM_COLORCHANGED:
        case CM_FONTCHANGED:
            TWinControl::WndProc(m);
            ApplyColors();
            return;
    }
    TWinControl::WndProc(m);
}

void TCustomTreeView::CNNotify(TMessage& m) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
    m.Result = 0;
    if (IgnoresNotifications()) return;
    // The A and W notification records agree except in their text pointers.
    const auto* tv = reinterpret_cast<const NMTREEVIEWW*>(m.LParam);
    switch (hdr->code) {
        case TVN_SELCHANGINGW:
        case TVN_SELCHANGINGA:
            m.Result = CanChange(NodeFromItem(tv->itemNew.hItem)) ? 0 : 1;
            return;
        case TVN_SELCHANGEDW:
        case TVN_SELCHANGEDA:
            Change(NodeFromItem(tv->itemNew.hItem));
            return;
        case TVN_ITEMEXPANDINGW:
        case TVN_ITEMEXPANDINGA: {
            TTreeNode* node = NodeFromItem(tv->itemNew.hItem);
            if (!node) return;
            const bool collapse = (tv->action & (TVE_COLLAPSE | TVE_EXPAND)) == TVE_COLLAPSE;
            const bool allow = collapse ? CanCollapse(node) : CanExpand(node);
            m.Result = allow ? 0 : 1;
            refusedCollapse_ = collapse && !allow ? node : nullptr;
            return;
        }
        case TVN_ITEMEXPANDEDW:
        case TVN_ITEMEXPANDEDA: {
            // Wine collapses a node on a key or click even when the
            // collapse was refused; it is opened again here.
            TTreeNode* node = NodeFromItem(tv->itemNew.hItem);
            if (node && node == refusedCollapse_ &&
                (tv->action & (TVE_COLLAPSE | TVE_EXPAND)) == TVE_COLLAPSE) {
                const FlagScope quiet(quiet_, quiet_ + 1);
                SendMessageW(WindowHandle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->item_));
            }
            refusedCollapse_ = nullptr;
            return;
        }
        case TVN_BEGINLABELEDITW:
        case TVN_BEGINLABELEDITA:
            m.Result = readOnly_ ? 1 : 0;
            return;
        case TVN_ENDLABELEDITW: {
            const auto* di = reinterpret_cast<const NMTVDISPINFOW*>(m.LParam);
            TTreeNode* node = NodeFromItem(di->item.hItem);
            if (!node || !di->item.pszText) return;
            node->text_ = FromWide(di->item.pszText);
            m.Result = 1;
            if (KeepsSorted(true, false)) SortSiblings(node->parent_, nullptr, 0, false);
            return;
        }
        case NM_CLICK:
            Click();
            return;
        case NM_DBLCLK:
            DblClick();
            return;
    }
}

// ---- Selection, hit tests, expansion ---------------------------------------------
TTreeNode* TCustomTreeView::Selected() const {
    if (!HandleAllocated()) return selected_;
    return NodeFromItem(
        reinterpret_cast<HTREEITEM>(SendMessageW(WindowHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    if (node && node->TreeView() != this) return;
    if (HandleAllocated() && (!node || node->item_)) {
        // The window asks TVN_SELCHANGING and reports TVN_SELCHANGED.
        SendMessageW(WindowHandle(), TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
        return;
    }
    if (node == selected_ || !CanChange(node)) return;
    selected_ = node;
    Change(node);
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) {
    if (!HandleAllocated()) return nullptr;
    TVHITTESTINFO ht{};
    ht.pt = Point(x, y);
    SendMessageW(WindowHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht));
    if (!ht.hItem || !(ht.flags & TVHT_ONITEM)) return nullptr;
    return NodeFromItem(ht.hItem);
}

void TCustomTreeView::ExpandNode(TTreeNode* node, bool expand, bool recurse) {
    if (node->HasChildren() && node->Expanded() != expand && (expand ? CanExpand(node) : CanCollapse(node))) {
        if (node->item_ && HandleAllocated()) {
            // TVM_EXPAND may report TVN_ITEMEXPANDING too; asked above already.
            const FlagScope quiet(quiet_, quiet_ + 1);
            SendMessageW(WindowHandle(), TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE,
                         reinterpret_cast<LPARAM>(node->item_));
        }
        node->expanded_ = expand;
    }
    if (recurse)
        for (auto& child : node->children_) ExpandNode(child.get(), expand, true);
}

void TCustomTreeView::FullExpand() {
    for (auto& root : items_->roots_) ExpandNode(root.get(), true, true);
}

void TCustomTreeView::FullCollapse() {
    for (auto& root : items_->roots_) ExpandNode(root.get(), false, true);
}

// ---- Sorting ---------------------------------------------------------------------
bool TCustomTreeView::KeepsSorted(bool byText, bool byData) const {
    const bool kind = (byText && (sortType_ == stText || sortType_ == stBoth)) ||
                      (byData && (sortType_ == stData || sortType_ == stBoth));
    // Only texts have an order of their own; a tree sorted by data (or by
    // both) without a compare handler keeps the order nodes were added in.
    return kind && (OnCompare || sortType_ == stText);
}

int TCustomTreeView::CompareNodes(TTreeNode* a, TTreeNode* b, intptr_t data) {
    if (!OnCompare) return AnsiCompareText(a->text_, b->text_);
    int result = 0;
    OnCompare(this, a, b, data, result);
    return result;
}

void TCustomTreeView::SortSiblings(TTreeNode* parent, const TTVCompare& compare, intptr_t data,
                                   bool recurse) {
    auto& list = parent ? parent->children_ : items_->roots_;
    // The order is found on a copy, so a compare handler that throws leaves
    // the nodes and the window as they were.  Insertion sort: stable, and a
    // handler that is no strict order cannot make it run off the list.
    std::vector<TTreeNode*> order;
    for (auto& n : list) order.push_back(n.get());
    for (size_t i = 1; i < order.size(); ++i) {
        for (size_t j = i; j > 0; --j) {
            const int c =
                compare ? compare(order[j - 1], order[j], data) : CompareNodes(order[j - 1], order[j], data);
            if (c <= 0) break;
            std::swap(order[j - 1], order[j]);
        }
    }
    std::vector<std::pair<LPARAM, int>> positions;
    std::vector<std::unique_ptr<TTreeNode>> sorted;
    sorted.reserve(list.size());
    for (TTreeNode* n : order) {
        positions.emplace_back(reinterpret_cast<LPARAM>(n), static_cast<int>(positions.size()));
        auto it = std::find_if(list.begin(), list.end(), [n](const auto& p) { return p.get() == n; });
        sorted.push_back(std::move(*it));
    }
    list = std::move(sorted);
    if (HandleAllocated() && (!parent || parent->item_) && list.size() > 1) {
        TVSORTCB sort{parent ? parent->item_ : TVI_ROOT, ByPosition, reinterpret_cast<LPARAM>(&positions)};
        SendMessageW(WindowHandle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    }
    if (recurse)
        for (auto& n : list) SortSiblings(n.get(), compare, data, true);
}

void TCustomTreeView::AfterInsert(TTreeNode* node) {
    if (KeepsSorted(true, true)) SortSiblings(node->parent_, nullptr, 0, false);
}

void TCustomTreeView::AlphaSort(bool recurse) {
    SortSiblings(nullptr, nullptr, 0, recurse);
}

void TCustomTreeView::CustomSort(const TTVCompare& compare, intptr_t data, bool recurse) {
    SortSiblings(nullptr, compare, data, recurse);
}

// ---- Deletion --------------------------------------------------------------------
void TCustomTreeView::NotifyDeletion(TTreeNode* node) {
    node->deleting_ = true;
    for (auto& child : node->children_) NotifyDeletion(child.get());
    Delete(node);
}

void TCustomTreeView::DeleteNode(TTreeNode* node) {
    if (node->deleting_) return;
    TTreeNode* before = Selected();
    const bool losesSelection = before && (before == node || before->HasAsParent(node));
    if (node->item_ && HandleAllocated()) {
        // The window picks the new selection itself; it is reported below.
        const FlagScope quiet(quiet_, quiet_ + 1);
        SendMessageW(WindowHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
    } else if (losesSelection) {
        TTreeNode* next = node->GetNextSibling();
        selected_ = next ? next : node->parent_ ? node->parent_ : node->GetPrevSibling();
    }
    // A selection kept for the next window must not outlive its node.
    if (selected_ && (selected_ == node || selected_->HasAsParent(node))) selected_ = nullptr;
    refusedCollapse_ = nullptr;
    auto unlink = [node] {
        auto& list = node->Siblings();
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (it->get() == node) {
                std::unique_ptr<TTreeNode> dying = std::move(*it);
                list.erase(it);
                return;
            }
        }
    };
    try {
        NotifyDeletion(node);
    } catch (...) {
        unlink();
        throw;
    }
    unlink();
    if (losesSelection && !(ComponentState() & csDestroying)) Change(Selected());
}

void TCustomTreeView::DeleteAll(bool fireChange) {
    TTreeNode* before = fireChange ? Selected() : nullptr;
    if (HandleAllocated()) {
        const FlagScope quiet(quiet_, quiet_ + 1);
        SendMessageW(WindowHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    }
    selected_ = nullptr;
    auto& roots = items_->roots_;
    const ScopeExit clear([&roots] { roots.clear(); });
    for (auto& root : roots) NotifyDeletion(root.get());
    roots.clear();
    if (before) Change(nullptr);
}

// ---- Properties ------------------------------------------------------------------
void TCustomTreeView::SetSortType(TSortType value) {
    if (value == sortType_) return;
    sortType_ = value;
    if (KeepsSorted(true, true)) AlphaSort(true);
}

void TCustomTreeView::SetReadOnly(bool value) {
    SetStyleBit(readOnly_, value);
}

void TCustomTreeView::SetShowButtons(bool value) {
    SetStyleBit(showButtons_, value);
}

void TCustomTreeView::SetShowLines(bool value) {
    SetStyleBit(showLines_, value);
}

void TCustomTreeView::SetShowRoot(bool value) {
    SetStyleBit(showRoot_, value);
}

void TCustomTreeView::SetHideSelection(bool value) {
    SetStyleBit(hideSelection_, value);
}

void TCustomTreeView::SetRowSelect(bool value) {
    SetStyleBit(rowSelect_, value);
}

void TCustomTreeView::SetHotTrack(bool value) {
    SetStyleBit(hotTrack_, value);
}

void TCustomTreeView::SetAutoExpand(bool value) {
    SetStyleBit(autoExpand_, value);
}

int TCustomTreeView::Indent() const {
    if (HandleAllocated()) return static_cast<int>(SendMessageW(WindowHandle(), TVM_GETINDENT, 0, 0));
    return indent_;
}

void TCustomTreeView::SetIndent(int value) {
    indent_ = value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), TVM_SETINDENT, static_cast<WPARAM>(value), 0);
}

void TCustomTreeView::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

}  // namespace cl
