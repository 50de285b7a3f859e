#include "frameworks/data/XcDataViewList.h"

#include "classlib/StrUtils.h"
#include "frameworks/data/XcExceptions.h"

namespace {

using IView = IXcDataConsumerViewList;

TIntfPtr<IXcDataItems> SubListOf(IXcDataItem* item) {
    return Query<IXcDataItems>(item);
}

// Bits 30 and 31 as the item's sub-list has them now.
uint32_t ChildFlags(IXcDataItem* item) {
    TIntfPtr<IXcDataItems> sub = SubListOf(item);
    if (!sub) return 0;
    return IView::kCanHaveChildren | (sub->GetCount() > 0 ? IView::kHasChildren : 0);
}

}  // namespace

CL_CLASS_INFO(TXcCustomDataConsumerViewList)
CL_CLASS_INFO(TXcDataConsumerViewList, Prop("LevelIndent", &TXcDataConsumerViewList::GetLevelIndent,
                                            &TXcDataConsumerViewList::SetLevelIndent))

TXcCustomDataConsumerViewList::TEntry& TXcCustomDataConsumerViewList::At(int index) {
    if (index < 0 || index >= Count())
        throw EXCLDataConsumer("List index out of bounds (" + cl::IntToStr(index) + ")");
    return entries_[index];
}

int TXcCustomDataConsumerViewList::LastDescendant(int index) {
    const int level = Level(index);
    int last = index;
    while (last + 1 < Count() && Level(last + 1) > level) ++last;
    return last;
}

void TXcCustomDataConsumerViewList::RemoveDescendants(int index) {
    entries_.erase(entries_.begin() + index + 1, entries_.begin() + LastDescendant(index) + 1);
}

void TXcCustomDataConsumerViewList::Expand(int index, int expandLevels) {
    TIntfPtr<IXcDataItems> sub = SubListOf(At(index).Item.get());
    int at = index + 1;
    if (sub) AddChildren(at, sub.get(), expandLevels);
}

void TXcCustomDataConsumerViewList::SetLevelIndent(int value) {
    if (value == levelIndent_) return;
    levelIndent_ = value;
    Consumer().ViewChanged(this);
}

void TXcCustomDataConsumerViewList::AddItem(int parentIndex, IXcDataItem* item, int expandLevels) {
    if (!IsItemVisible(item, &Consumer())) return;
    if (parentIndex >= 0) {
        const uint32_t flags = At(parentIndex).Flags;
        if ((flags & kHasChildren) && !(flags & kExpanded)) {
            Expand(parentIndex, 0);  // the item comes in with its siblings
            return;
        }
    }
    const int at = parentIndex >= 0 ? LastDescendant(parentIndex) + 1 : Count();
    InsertItem(at, parentIndex, item);
    if (expandLevels > 0 && (At(at).Flags & kHasChildren)) Expand(at, expandLevels - 1);
}

void TXcCustomDataConsumerViewList::AddChildItem(int parentIndex, IXcDataItem* item) {
    if (parentIndex < 0) {
        InsertItem(Count(), -1, item);
        return;
    }
    TEntry& parent = At(parentIndex);
    if (!(parent.Flags & kExpanded)) {
        parent.Flags |= kCanHaveChildren | kHasChildren;
        Expand(parentIndex, 0);
        return;
    }
    InsertItem(LastDescendant(parentIndex) + 1, parentIndex, item);
}

void TXcCustomDataConsumerViewList::InsertItem(int index, int parentIndex, IXcDataItem* item) {
    if (index < 0 || index > Count())
        throw EXCLDataConsumer("List index out of bounds (" + cl::IntToStr(index) + ")");
    if (!IsItemVisible(item, &Consumer())) return;
    const uint32_t level = parentIndex >= 0 ? Level(parentIndex) + 1 : 0;
    entries_.insert(entries_.begin() + index, TEntry{item->GetID(), level | ChildFlags(item), item});
    if (parentIndex >= 0) {
        if (index <= parentIndex) ++parentIndex;
        entries_[parentIndex].Flags |= kExpanded | kCanHaveChildren | kHasChildren;
    }
}

void TXcCustomDataConsumerViewList::AddChildren(int& index, IXcDataItems* items, int expandLevels) {
    if (!items) return;
    if (index < 0 || index > Count())
        throw EXCLDataConsumer("List index out of bounds (" + cl::IntToStr(index) + ")");
    uint32_t level = 0;
    if (index > 0) {
        level = Level(index - 1) + 1;
        entries_[index - 1].Flags |= kExpanded;
    }
    for (int i = 0, n = items->GetCount(); i < n; ++i) {
        TIntfPtr<IXcDataItem> item = items->GetItem(i);
        if (!IsItemVisible(item.get(), &Consumer())) continue;
        const uint32_t childFlags = ChildFlags(item.get());
        entries_.insert(entries_.begin() + index, TEntry{item->GetID(), level | childFlags, item});
        ++index;
        if (expandLevels > 0 && (childFlags & kHasChildren))
            AddChildren(index, SubListOf(item.get()).get(), expandLevels - 1);
    }
}

void TXcCustomDataConsumerViewList::DeleteItem(int index) {
    const int level = Level(index);
    const bool afterParent = index > 0 && Level(index - 1) == level - 1;
    entries_.erase(entries_.begin() + index, entries_.begin() + LastDescendant(index) + 1);
    if (afterParent && (index == Count() || Level(index) != level))
        entries_[index - 1].Flags &= ~(kExpanded | kHasChildren);
}

void TXcCustomDataConsumerViewList::CollapseItem(int index) {
    TEntry& entry = At(index);
    if ((entry.Flags & (kExpanded | kHasChildren)) != (kExpanded | kHasChildren)) return;
    entry.Flags &= ~kExpanded;
    RemoveDescendants(index);
}

void TXcCustomDataConsumerViewList::SetFlags(int index, uint32_t value, uint32_t mask) {
    TEntry& entry = At(index);
    entry.Flags = (entry.Flags & ~mask) | (value & mask);
}

void TXcCustomDataConsumerViewList::ToggleItem(int index) {
    const uint32_t flags = At(index).Flags;
    if (!(flags & kHasChildren)) return;
    if (flags & kExpanded)
        CollapseItem(index);
    else
        Expand(index, 0);
    Consumer().ViewChanged(this);
}

int TXcCustomDataConsumerViewList::IndexOfID(std::string_view id) {
    for (int i = Count(); i-- > 0;)
        if (cl::AnsiSameText(entries_[i].ID, id)) return i;
    return -1;
}

int TXcCustomDataConsumerViewList::IndexOfItem(IXcDataItem* item) {
    return item ? IndexOfID(item->GetID()) : -1;
}

int TXcCustomDataConsumerViewList::ChildIndexOfID(std::string_view id) {
    const int index = IndexOfID(id);
    if (index < 0) return -1;
    const int level = Level(index);
    int position = 0;
    for (int i = index; i-- > 0 && Level(i) >= level;)
        if (Level(i) == level) ++position;
    return position;
}

int TXcCustomDataConsumerViewList::ChildIndexOfItem(IXcDataItem* item) {
    return item ? ChildIndexOfID(item->GetID()) : -1;
}

int TXcCustomDataConsumerViewList::ItemLevel(int index) {
    return Level(index);
}
bool TXcCustomDataConsumerViewList::ItemIsExpanded(int index) {
    return At(index).Flags & kExpanded;
}
bool TXcCustomDataConsumerViewList::ItemHasChildren(int index) {
    return At(index).Flags & kHasChildren;
}
TIntfPtr<IXcDataItem> TXcCustomDataConsumerViewList::Item(int index) {
    return At(index).Item;
}
std::string TXcCustomDataConsumerViewList::ItemID(int index) {
    return At(index).ID;
}
uint32_t TXcCustomDataConsumerViewList::ItemFlags(int index) {
    return At(index).Flags;
}

int TXcCustomDataConsumerViewList::ItemParentIndex(int index) {
    const int level = Level(index);
    for (int i = index; i-- > 0;)
        if (Level(i) < level) return i;
    return -1;
}

TIntfPtr<IXcDataItem> TXcCustomDataConsumerViewList::ItemParent(int index) {
    const int parent = ItemParentIndex(index);
    return parent >= 0 ? entries_[parent].Item : nullptr;
}

int TXcCustomDataConsumerViewList::SubItemIndex(int index, int n) {
    const int level = Level(index);
    for (int i = index + 1; i < Count() && Level(i) > level; ++i)
        if (Level(i) == level + 1 && n-- == 0) return i;
    return -1;
}

TIntfPtr<IXcDataItem> TXcCustomDataConsumerViewList::SubItem(int index, int n) {
    const int sub = SubItemIndex(index, n);
    return sub >= 0 ? entries_[sub].Item : nullptr;
}

void TXcCustomDataConsumerViewList::RebuildView() {
    ClearView();
    if (IXcDataProvider* provider = Consumer().Provider()) {
        TXcDataConsumerScope entered(Consumer());
        if (TIntfPtr<IXcDataItems> roots = provider->GetItems()) {
            int at = 0;
            AddChildren(at, roots.get(), autoExpandLevel_);
        }
    }
    Consumer().ViewChanged(this);
}

void TXcCustomDataConsumerViewList::MakeItemVisible(IXcDataItem* item) {
    if (!item || !IsItemVisible(item, &Consumer()) || IndexOfItem(item) >= 0) return;
    TIntfPtr<IXcDataItems> owner = item->GetItems();
    TIntfPtr<IXcDataItem> parent = owner ? owner->GetParent() : nullptr;
    if (!parent) return;
    MakeItemVisible(parent.get());
    const int parentIndex = IndexOfItem(parent.get());
    if (parentIndex < 0) return;  // the parent is hidden, and so stays the item
    if (ItemIsExpanded(parentIndex)) throw EXCLDataConsumer("ViewList out of sync");
    // Its entry may predate its first child.
    At(parentIndex).Flags |= ChildFlags(parent.get());
    ToggleItem(parentIndex);
}

void TXcCustomDataConsumerViewList::AfterConstruction() {
    if (Consumer().Provider()) RebuildView();
}

void TXcCustomDataConsumerViewList::ProviderChanging(IXcDataProvider* provider, TXcDataChangeReason reason,
                                                     IInterface* source) {
    if (reason != xcrItemDeleted) return;
    TIntfPtr<IXcDataItem> item = Query<IXcDataItem>(source);
    if (!item) return;
    TXcDataConsumerScope entered(Consumer());
    if (const int index = IndexOfItem(item.get()); index >= 0) {
        DeleteItem(index);
        Consumer().ViewChanged(this);
    }
}

void TXcCustomDataConsumerViewList::ProviderChanged(IXcDataProvider* provider, TXcDataChangeReason reason,
                                                    IInterface* source) {
    if (reason == xcrItemAdded) {
        if (TIntfPtr<IXcDataItem> item = Query<IXcDataItem>(source)) ItemAdded(item.get());
    } else if (reason == xcrItemsUpdated) {
        if (TIntfPtr<IXcDataItems> list = Query<IXcDataItems>(source)) ListChanged(list.get());
    }
}

void TXcCustomDataConsumerViewList::ItemAdded(IXcDataItem* item) {
    TXcDataConsumerScope entered(Consumer());
    if (IndexOfItem(item) >= 0) return;
    TIntfPtr<IXcDataItems> owner = item->GetItems();
    TIntfPtr<IXcDataItem> parent = owner ? owner->GetParent() : nullptr;
    if (!parent) {
        AddItem(-1, item, 0);
    } else {
        int parentIndex = IndexOfItem(parent.get());
        if (parentIndex < 0 && expandOnNewItem_) {
            MakeItemVisible(parent.get());
            parentIndex = IndexOfItem(parent.get());
        }
        if (parentIndex < 0) return;
        if (ItemIsExpanded(parentIndex) || expandOnNewItem_)
            AddChildItem(parentIndex, item);
        else  // collapsed: it can now be expanded
            At(parentIndex).Flags |= ChildFlags(parent.get());
    }
    Consumer().ViewChanged(this);
}

void TXcCustomDataConsumerViewList::ListChanged(IXcDataItems* list) {
    TIntfPtr<IXcDataItem> parent = list->GetParent();
    if (!parent) {
        RebuildView();
        return;
    }
    TXcDataConsumerScope entered(Consumer());
    const int parentIndex = IndexOfItem(parent.get());
    if (parentIndex < 0) return;
    TEntry& entry = At(parentIndex);
    const bool wasExpanded = entry.Flags & kExpanded;
    RemoveDescendants(parentIndex);
    entry.Flags = (entry.Flags & kLevelMask) | ChildFlags(parent.get());
    if (wasExpanded && (entry.Flags & kHasChildren)) Expand(parentIndex, 0);
    Consumer().ViewChanged(this);
}

bool TXcCustomDataConsumerViewList::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataConsumerViewList::IID) return Answer<IXcDataConsumerViewList>(obj);
    return TXcDataConsumerAggregatedObject::GetInterface(iid, obj);
}
