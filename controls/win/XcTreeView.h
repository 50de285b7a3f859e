#pragma once
// TXcTreeView: the class library's tree view with the enhanced controls'
// shared behaviour and
//   - nodes (TXcTreeNode) that are checked and bold, and carry a pop-up
//     menu of their own (made when first asked for, freed with the node);
//   - a line colour and an item height that are kept before the window
//     exists and survive its recreation (a fresh window's CLR_DEFAULT reads
//     as clDefault);
//   - clicks that select the node under the pointer (a right click shows
//     its pop-up menu when that has items), also past a check box, once the
//     system control's own handling of the click is over;
//   - an own multi-selection list (MultiSelect, off by default);
//   - a page control whose page follows the selected node;
//   - a menu mirrored as nodes;
//   - scrolling while something is dragged near its top or bottom edge,
//     scroll events and its own item drawing (OnCustomDrawItem).
// Checked and Bold live in the node and are written again into the items
// the class library inserts into a new window, and the check states once
// more after its first paint (the system control unchecks every item then).

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/win/Menus.h"
#include "classlib/win/PageControl.h"
#include "classlib/win/TreeView.h"
#include "controls/win/XcEnhancedControl.h"

// The class library's tree view with the shared enhanced-control glue.
using TXcExTreeView = TXcEnhanced<cl::TTreeView>;

class TXcTreeView;

class TXcTreeNode : public cl::TTreeNode {
    CL_CLASS(TXcTreeNode, cl::TTreeNode)
public:
    explicit TXcTreeNode(cl::TTreeNodes* owner);
    ~TXcTreeNode() override;
    // Also Checked and Bold as the other node's items show them.  The pop-up
    // menu stays each node's own.
    void Assign(cl::TPersistent* source) override;

    // The item's check box (state image 2 checked, 1 unchecked) while the
    // tree shows check boxes; the stored value otherwise.
    bool Checked() const;
    void SetChecked(bool value);
    bool Bold() const { return bold_; }
    void SetBold(bool value);
    // Made on first use, owned by the node.
    cl::TPopupMenu* PopupMenu();
    bool HasPopupMenu() const { return popupMenu_ != nullptr; }
    // Writes the stored check state into the item when the item differs.
    void ReapplyChecked();

private:
    friend class TXcTreeView;
    TXcTreeView* Tree() const;
    // The item's state image index; -1 without an item.
    int ItemStateImage() const;
    void WriteBold();
    // The window's check state into the stored one.
    void SaveChecked();

    bool checked_ = false;
    bool bold_ = false;
    cl::TPopupMenu* popupMenu_ = nullptr;
};

using TPageChangedEvent = std::function<void(cl::TObject* Sender, cl::TTreeNode* Item, cl::TTabSheet* Page)>;
using TXcTreeViewComparePageEvent =
    std::function<void(cl::TObject* Sender, cl::TTabSheet* Page, cl::TTreeNode* Node, bool& Matches)>;
// State: the custom-draw item state (CDIS_xxx); Canvas() holds the item's
// font and colours, which the handler may change.
using TTVCustomDrawItemEvent =
    std::function<void(cl::TObject* Sender, cl::TTreeNode* Node, UINT State, bool& DefaultDraw)>;

class TXcTreeView : public TXcExTreeView {
    CL_CLASS(TXcTreeView, TXcExTreeView)
public:
    explicit TXcTreeView(cl::TComponent* owner);
    ~TXcTreeView() override;
    void BeforeDestruction() override;

    // The window's values; kept until there is a window, and for the next one.
    cl::TColor LineColor() const;
    void SetLineColor(cl::TColor value);
    int ItemHeight() const;
    // Below 1 means 16.
    void SetItemHeight(int value);
    cl::TMenu* Menu() const { return menu_; }
    void SetMenu(cl::TMenu* value);
    // False: selecting a node of a menu item runs the item; true: a double
    // click, Space or Enter does.
    bool MenuDblClick() const { return menuDblClick_; }
    void SetMenuDblClick(bool value) { menuDblClick_ = value; }
    // The selected node's index in Items, -1 for none (not stored).
    int ItemIndex() const;
    void SetItemIndex(int value);
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool value);
    cl::TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(cl::TPageControl* value);
    bool AutoDragScroll() const { return autoDragScroll_; }
    void SetAutoDragScroll(bool value) { autoDragScroll_ = value; }
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);

    // The multi-selection (with MultiSelect only).
    void SelectItem(cl::TTreeNode* node, bool unselect = false);
    void ClearSelection();
    bool IsNodeSelected(cl::TTreeNode* node) const;
    // -1 without MultiSelect.
    int SelectedCount() const;
    cl::TTreeNode* SelectedItems(int index) const;
    // Repaints the node's text when it shows.
    void InvalidateNode(cl::TTreeNode* node);

    // Builds the nodes from Menu's items.
    virtual void RebuildFromMenu();
    // OnComparePage's answer, else whether the page's caption is the node's
    // text (without regard to case).
    virtual bool ComparePage(cl::TTabSheet* page, cl::TTreeNode* node);

    // The item's font and colours while OnCustomDrawItem runs.
    cl::TCanvas* Canvas() { return &canvas_; }

    cl::TNotifyEvent OnVerticalScroll;
    cl::TNotifyEvent OnHorizontalScroll;
    TPageChangedEvent OnPageChanged;
    TXcTreeViewComparePageEvent OnComparePage;
    TTVCustomDrawItemEvent OnCustomDrawItem;
    cl::TNotifyEvent OnEditCancelled;
    cl::TNotifyEvent OnSelectionChange;

    void WndProc(cl::TMessage& message) override;

protected:
    void Notification(cl::TComponent* component, cl::TOperation operation) override;
    void CreateParams(cl::TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    cl::TTreeNode* CreateNode() override;
    void Change(cl::TTreeNode* node) override;
    void Delete(cl::TTreeNode* node) override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(WORD& key, cl::TShiftState shift) override;
    void KeyPress(char& key) override;
    void DblClick() override;
    // With AutoDragScroll, a drag near the top or bottom edge (less than 20
    // pixels from it) scrolls the tree a line every 200 ms; elsewhere, or
    // when the drag leaves or ends, the scrolling stops.
    void DragOver(cl::TObject* source, int x, int y, cl::TDragState state, bool& accept) override;
    void DoEndDrag(cl::TObject* target, int x, int y) override;

private:
    friend class TXcTreeNode;
    void CNNotify(cl::TMessage& m);
    // WM_PAINT of a shown tree, through a bitmap.
    void PaintThroughBitmap(cl::TMessage& m);
    // A click's node is selected (and a right click's menu shown) by the
    // message posted here; true when a node's menu will show.
    bool NoteClick(bool rightClick);
    static UINT ClickMessage();
    void FinishClick();
    LRESULT CustomDraw(NMTVCUSTOMDRAW& draw);
    // The page of the node becomes the page control's active page.
    void FollowSelection(cl::TTreeNode* node);
    void RunMenuItemOf(cl::TTreeNode* node);
    cl::TMenuItem* MenuItemOf(cl::TTreeNode* node) const;
    void MirrorItems(cl::TMenuItem* parent, cl::TTreeNode* parentNode);
    void ReleaseMenu() noexcept;
    void ReapplyAllChecked();
    void InvalidateSelection();
    void SetDragScroll(int direction);

    cl::TColor lineColor_ = cl::clDefault;
    int itemHeight_ = 0;  // 0: the window's own
    cl::TMenu* menu_ = nullptr;
    cl::TMenuChangeEvent menuOnChange_;
    bool menuDblClick_ = false;
    bool checkboxes_ = false;
    bool windowCheckboxes_ = false;  // the window shows check boxes
    cl::TPageControl* pageControl_ = nullptr;
    bool autoDragScroll_ = false;
    bool multiSelect_ = false;
    std::vector<cl::TTreeNode*> selection_;
    bool clearPending_ = false;
    bool selectPending_ = false;
    int dragScroll_ = 0;          // -1 up, 0 none, +1 down
    bool windowCreated_ = false;  // until the new window's first paint
    bool hasClickPoint_ = false;
    POINT clickPoint_{};  // where the last button went down
    struct PendingClick {
        cl::TTreeNode* node = nullptr;
        HTREEITEM item = nullptr;
        bool right = false;
        POINT point{};
    } pendingClick_;
    // The scroll bars as last drawn (see PaintThroughBitmap).
    std::array<int, 9> drawnBars_{};
    bool barsDrawn_ = false;
    cl::TCanvas canvas_;
    std::unique_ptr<cl::TFont> hotFont_;
};
