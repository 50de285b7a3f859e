#pragma once
// Shared values counted by their users: a sorted list found by binary
// search; a value is made by its first user and freed with its last.

#include <algorithm>
#include <memory>
#include <vector>

template <class Key, class Value>
class TXcCountedCache {
public:
    // The value of key, made by make() when missing, with one more user.
    template <class Make>
    Value* Acquire(const Key& key, Make&& make) {
        auto it = Find(key);
        if (it == entries_.end() || it->key != key) it = entries_.insert(it, Entry{key, make(), 0});
        ++it->users;
        return it->value.get();
    }

    // One user less; the value goes with its last.  False for a key not held.
    bool Release(const Key& key) {
        auto it = Find(key);
        if (it == entries_.end() || it->key != key) return false;
        if (--it->users == 0) entries_.erase(it);
        return true;
    }

    int Count() const { return static_cast<int>(entries_.size()); }
    // 0 for a key not held.
    int Users(const Key& key) const {
        auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                                   [](const Entry& e, const Key& k) { return e.key < k; });
        return it == entries_.end() || it->key != key ? 0 : it->users;
    }
    template <class F>
    void ForEachValue(F&& f) {
        for (Entry& e : entries_) f(*e.value);
    }

private:
    struct Entry {
        Key key;
        std::unique_ptr<Value> value;
        int users;
    };
    typename std::vector<Entry>::iterator Find(const Key& key) {
        return std::lower_bound(entries_.begin(), entries_.end(), key,
                                [](const Entry& e, const Key& k) { return e.key < k; });
    }

    std::vector<Entry> entries_;
};
