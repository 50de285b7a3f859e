#pragma once
// TList: an ordered list of untyped pointers that owns none of them.

#include <functional>
#include <vector>

namespace cl {

// Negative when a sorts before b, zero when equal, positive after.
using TListSortCompare = std::function<int(void* a, void* b)>;

class TList {
public:
    // Index errors raise EListError("List index out of bounds (%d)").
    int Add(void* item);
    void Insert(int index, void* item);  // index may be Count()
    void Delete(int index);
    // Removes the first occurrence; returns its former index or -1.
    int Remove(void* item);
    // Removes the first occurrence and returns it, or nullptr when absent.
    void* Extract(void* item);
    int IndexOf(void* item) const;
    int Count() const { return static_cast<int>(items_.size()); }
    void* Items(int index) const;
    void SetItems(int index, void* item);
    void Clear() { items_.clear(); }
    void Exchange(int index1, int index2);
    // Takes the item at curIndex out and puts it at newIndex.
    void Move(int curIndex, int newIndex);
    // Stable; a comparer that is not a strict order gives some order but never
    // reads outside the list (unlike a quicksort).
    void Sort(const TListSortCompare& compare);

private:
    void Check(int index) const;

    std::vector<void*> items_;
};

}  // namespace cl
