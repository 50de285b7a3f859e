#pragma once
// TTreeView over the system tree view (SysTreeView32), with its nodes
// (TTreeNode) and their collection (TTreeNodes).
//
// The nodes live in the control, not only in the window: the window mirrors
// them.  So nodes may be added before the window exists, and they survive
// the window's recreation (texts, data, images, expanded and selected
// state) without deletion events; OnDeletion fires only when a node really
// goes (Delete, Clear, the control's destruction).

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/win/Controls.h"
#include "classlib/win/ImgList.h"

namespace cl {

class TTreeNode;
class TTreeNodes;
class TCustomTreeView;

// stText keeps siblings ordered by their texts (or OnCompare); stData and
// stBoth also re-sort when a node's data changes, and need OnCompare.
enum TSortType { stNone, stData, stText, stBoth };

using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
// Compare < 0: Node1 goes first.
using TTVCompareEvent =
    std::function<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, intptr_t Data, int& Compare)>;
// A sort order for CustomSort: < 0 when Node1 goes first.
using TTVCompare = std::function<int(TTreeNode* Node1, TTreeNode* Node2, intptr_t Data)>;

// ---- TTreeNode -------------------------------------------------------------
class TTreeNode : public TPersistent {
    CL_CLASS(TTreeNode, TPersistent)
public:
    explicit TTreeNode(TTreeNodes* owner);
    ~TTreeNode() override;
    // From another node: text, data, images and HasChildren.
    void Assign(TPersistent* source) override;

    TTreeNodes* Owner() const { return owner_; }
    TCustomTreeView* TreeView() const;
    // The window's item; nullptr while the tree has no window.
    HTREEITEM ItemId() const { return item_; }

    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    void* Data() const { return data_; }
    void SetData(void* value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int value);
    // Index into StateImages; -1 shows none.
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int value);

    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    // A child; EListError out of range.
    TTreeNode* Item(int index) const;
    // Position among its siblings.
    int Index() const;
    // 0 for a node at the root.
    int Level() const;
    // Position in the whole tree, counted depth first (as Items->Item).
    int AbsoluteIndex() const;
    bool HasAsParent(const TTreeNode* ancestor) const;

    TTreeNode* GetFirstChild() const;
    TTreeNode* GetLastChild() const;
    // Depth first: the first child, else the next sibling, else the next
    // sibling of the nearest ancestor that has one.
    TTreeNode* GetNext() const;
    TTreeNode* GetPrev() const;
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node shown below this one (children of expanded nodes only).
    TTreeNode* getNextVisible() const;
    TTreeNode* getPrevVisible() const;
    // Every ancestor is expanded.
    bool IsVisible() const;

    // Children, or a button forced on.
    bool HasChildren() const { return hasChildren_ || !children_.empty(); }
    void SetHasChildren(bool value);
    bool Expanded() const;
    void SetExpanded(bool value);
    // Through OnExpanding / OnCollapsing, which may refuse.
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool value);
    // Selected, and the tree has the keyboard focus.
    bool Focused() const;
    // Marked while it is being deleted (its OnDeletion runs).
    bool Deleting() const { return deleting_; }

    // Deletes the node with its children (OnDeletion for each).
    void Delete();
    void DeleteChildren();
    // Expands the ancestors and scrolls the node into view.
    void MakeVisible();
    // The node's row (or its text only) in client coordinates; empty when
    // it is not shown.
    TRect DisplayRect(bool textOnly) const;
    // Sorts the children (OnCompare, or the texts).
    void AlphaSort(bool recurse = false);
    void CustomSort(const TTVCompare& compare, intptr_t data, bool recurse = false);

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    std::vector<std::unique_ptr<TTreeNode>>& Siblings() const;

    TTreeNodes* owner_;
    TTreeNode* parent_ = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    HTREEITEM item_ = nullptr;
    std::string text_;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    int stateIndex_ = -1;
    bool hasChildren_ = false;
    bool expanded_ = false;  // the state while there is no window
    bool deleting_ = false;
};

// ---- TTreeNodes ------------------------------------------------------------
class TTreeNodes : public TPersistent {
    CL_CLASS(TTreeNodes, TPersistent)
public:
    explicit TTreeNodes(TCustomTreeView* owner);
    ~TTreeNodes() override;

    TCustomTreeView* Owner() const { return owner_; }
    // Every node of the tree.
    int Count() const;
    // Depth first over the whole tree; EListError out of range.
    TTreeNode* Item(int index) const;
    TTreeNode* GetFirstNode() const;
    // The node of a window item, or nullptr.
    TTreeNode* GetNode(HTREEITEM item) const;

    // After the last sibling of sibling (at the root for nullptr).
    TTreeNode* Add(TTreeNode* sibling, const std::string& s) { return AddObject(sibling, s, nullptr); }
    TTreeNode* AddObject(TTreeNode* sibling, const std::string& s, void* ptr);
    // After the last child of parent (at the root for nullptr).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& s) {
        return AddChildObject(parent, s, nullptr);
    }
    TTreeNode* AddChildObject(TTreeNode* parent, const std::string& s, void* ptr);
    // Before sibling (at the end of the root for nullptr).
    TTreeNode* Insert(TTreeNode* sibling, const std::string& s) { return InsertObject(sibling, s, nullptr); }
    TTreeNode* InsertObject(TTreeNode* sibling, const std::string& s, void* ptr);
    void Delete(TTreeNode* node);
    // Deletes every node (OnDeletion for each).
    void Clear();

    // Nested pairs keep the window, scroll bars included, from drawing in
    // between; the last EndUpdate repaints it whole, frame included.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode* InsertNode(TTreeNode* parent, size_t position, const std::string& s, void* ptr);

    TCustomTreeView* owner_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
    int updateCount_ = 0;
    bool hidden_ = false;  // WS_VISIBLE dropped for the update
};

// ---- TCustomTreeView ---------------------------------------------------------
class TCustomTreeView : public TWinControl {
    CL_CLASS(TCustomTreeView, TWinControl)
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;
    // Deletes the nodes (OnDeletion for each) while the control is whole.
    void BeforeDestruction() override;

    TTreeNodes* Items() const { return items_.get(); }
    // Setting it fires OnChanging (which may refuse) and OnChange, as a
    // click does.
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);
    // The node whose icon, label or state icon is at the client point.
    TTreeNode* GetNodeAt(int x, int y);
    void FullExpand();
    void FullCollapse();
    // Sorts the root nodes (recurse: every level) by OnCompare or the texts.
    void AlphaSort(bool recurse = true);
    void CustomSort(const TTVCompare& compare, intptr_t data, bool recurse = true);

    TSortType SortType() const { return sortType_; }
    void SetSortType(TSortType value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value);
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool value);
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);
    // Selecting a node expands it and collapses the others.
    bool AutoExpand() const { return autoExpand_; }
    void SetAutoExpand(bool value);
    int Indent() const;
    void SetIndent(int value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* value);

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnDeletion;
    TTVCompareEvent OnCompare;

    void WndProc(TMessage& message) override;

protected:
    // Makes the node objects; a descendant makes its own node class.
    virtual TTreeNode* CreateNode();
    virtual bool CanChange(TTreeNode* node);
    virtual void Change(TTreeNode* node);
    virtual bool CanExpand(TTreeNode* node);
    virtual bool CanCollapse(TTreeNode* node);
    // A node goes: fires OnDeletion.
    virtual void Delete(TTreeNode* node);

    void CreateParams(TCreateParams& params) override;
    // Puts the nodes into the new window with their states.
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void CNNotify(TMessage& m);
    bool IgnoresNotifications() const;
    DWORD StyleBits() const;
    void SetStyleBit(bool& field, bool value);
    void ApplyColors();
    void ApplyImages();
    // The window mirrors a node (and its subtree) or its attributes.
    void InsertItem(TTreeNode* node);
    void UpdateItem(TTreeNode* node, UINT mask);
    void SaveWindowState();
    void ForgetItems();
    // Sorting.
    bool KeepsSorted(bool byText, bool byData) const;
    int CompareNodes(TTreeNode* a, TTreeNode* b, intptr_t data);
    void SortSiblings(TTreeNode* parent, const TTVCompare& compare, intptr_t data, bool recurse);
    void AfterInsert(TTreeNode* node);
    // Expansion with the events.
    void ExpandNode(TTreeNode* node, bool expand, bool recurse);
    // Deletion: the window's items first, then OnDeletion children first.
    void DeleteNode(TTreeNode* node);
    void DeleteAll(bool fireChange);
    void NotifyDeletion(TTreeNode* node);
    TTreeNode* NodeFromItem(HTREEITEM item) const;

    std::unique_ptr<TTreeNodes> items_;
    TTreeNode* selected_ = nullptr;  // the selection while there is no window
    TTreeNode* refusedCollapse_ = nullptr;
    // Above 0 while window messages the control causes itself are not events
    // (raised for a scope with a FlagScope of quiet_ + 1).
    int quiet_ = 0;
    TSortType sortType_ = stNone;
    bool readOnly_ = false;
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool hideSelection_ = true;
    bool rowSelect_ = false;
    bool hotTrack_ = false;
    bool autoExpand_ = false;
    int indent_ = 19;
    TBorderStyle borderStyle_ = bsSingle;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    std::unique_ptr<TChangeLink> imageLink_;
    std::unique_ptr<TChangeLink> stateImageLink_;
};

class TTreeView : public TCustomTreeView {
    CL_CLASS(TTreeView, TCustomTreeView)
public:
    using TCustomTreeView::TCustomTreeView;
};

}  // namespace cl
