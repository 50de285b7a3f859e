#include "tests/driver/TreeViews.h"

#include "classlib/win/WideText.h"
#include "tests/driver/RemoteBuffer.h"
#include "tests/driver/WindowReading.h"
#include "tests/support/Input.h"

namespace e2e {

namespace {

constexpr int kTextMax = 512;

// The item messages carry handles, not pointers; their results are items.
HTREEITEM Next(HWND tree, UINT relation, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// One item read through the buffer: the item record, then its text.
TTreeItem ReadItem(HWND tree, const TRemoteBuffer& buffer, HTREEITEM handle, int level) {
    TTreeItem item;
    item.Handle = handle;
    item.Level = level;
    TVITEMW record{};
    record.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    record.hItem = handle;
    record.stateMask = TVIS_SELECTED;
    record.pszText = static_cast<wchar_t*>(buffer.At(sizeof record));
    record.cchTextMax = kTextMax;
    const wchar_t none = 0;
    if (!buffer.Write(0, &record, sizeof record) || !buffer.Write(sizeof record, &none, sizeof none) ||
        !Ask(tree, TVM_GETITEMW, 0, buffer.Param()) || !buffer.Read(0, &record, sizeof record))
        return item;
    // The tree may answer with text of its own instead of the buffer's.
    if (record.pszText == buffer.At(sizeof record)) {
        wchar_t text[kTextMax];
        if (buffer.Read(sizeof record, text, sizeof text)) {
            text[kTextMax - 1] = 0;
            item.Text = cl::FromWide(text);
        }
    }
    item.ImageIndex = record.iImage;
    item.SelectedIndex = record.iSelectedImage;
    item.Selected = (record.state & TVIS_SELECTED) != 0;
    return item;
}

void ReadLevel(HWND tree, const TRemoteBuffer& buffer, HTREEITEM first, int level,
               std::vector<TTreeItem>& out) {
    for (HTREEITEM item = first; item; item = Next(tree, TVGN_NEXT, item)) {
        out.push_back(ReadItem(tree, buffer, item, level));
        ReadLevel(tree, buffer, Next(tree, TVGN_CHILD, item), level + 1, out);
    }
}

}  // namespace

std::vector<TTreeItem> TreeItems(HWND tree) {
    std::vector<TTreeItem> items;
    const TRemoteBuffer buffer(tree, sizeof(TVITEMW) + kTextMax * sizeof(wchar_t));
    if (buffer.Valid()) ReadLevel(tree, buffer, Next(tree, TVGN_ROOT, nullptr), 0, items);
    return items;
}

std::vector<std::string> TreeTexts(HWND tree) {
    std::vector<std::string> texts;
    for (const TTreeItem& item : TreeItems(tree)) texts.push_back(item.Text);
    return texts;
}

int TreeCount(HWND tree) {
    return static_cast<int>(Ask(tree, TVM_GETCOUNT));
}

int TreeSelectedIndex(HWND tree) {
    const HTREEITEM selected = Next(tree, TVGN_CARET, nullptr);
    if (!selected) return -1;
    const std::vector<TTreeItem> items = TreeItems(tree);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Handle == selected) return static_cast<int>(i);
    return -1;
}

bool ClickTreeItem(HWND tree, HTREEITEM item) {
    if (!IsWindowVisible(tree) || !IsWindowEnabled(tree)) return false;
    Ask(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    // The rectangle's first bytes name the item on the way in.
    const TRemoteBuffer buffer(tree, sizeof(RECT));
    RECT r{};
    if (!buffer.Write(0, &item, sizeof item) || !Ask(tree, TVM_GETITEMRECT, TRUE, buffer.Param()) ||
        !buffer.Read(0, &r, sizeof r))
        return false;
    cltest::PostClick(tree, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return true;
}

bool ClickTreeItem(HWND tree, const std::string& text) {
    for (const TTreeItem& item : TreeItems(tree))
        if (item.Text == text) return ClickTreeItem(tree, item.Handle);
    return false;
}

}  // namespace e2e
