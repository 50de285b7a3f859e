#pragma once
// The tree views of another process (the system's SysTreeView32 under the
// class library's tree): their items with texts, levels, images and the
// selection, read through memory in that process, and clicks on an item.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>
#include <vector>

namespace e2e {

struct TTreeItem {
    HTREEITEM Handle = nullptr;
    std::string Text;
    int Level = 0;  // 0 for a top-level item
    int ImageIndex = -1;
    int SelectedIndex = -1;
    bool Selected = false;
};

// Every item, depth first, the children of collapsed items too.
std::vector<TTreeItem> TreeItems(HWND tree);
std::vector<std::string> TreeTexts(HWND tree);
// As the tree counts its items.
int TreeCount(HWND tree);
// The selected item's place in TreeItems; -1 when none is selected.
int TreeSelectedIndex(HWND tree);

// Clicks the item's text as a user does, after scrolling it into view (its
// parents expanded).  False when the tree is hidden or disabled or the item
// gets no place on the screen.
bool ClickTreeItem(HWND tree, HTREEITEM item);
// The first item with that text, depth first; false when there is none.
bool ClickTreeItem(HWND tree, const std::string& text);

}  // namespace e2e
