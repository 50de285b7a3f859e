#include "controls/CoreRTTI.h"

#include <algorithm>

TGeneratedTypes::~TGeneratedTypes() = default;

TGeneratedTypes& TGeneratedTypes::Instance() {
    static TGeneratedTypes instance;
    return instance;
}

TGeneratedTypeInfo* TGeneratedTypes::Add(std::unique_ptr<TGeneratedTypeInfo> info) {
    const std::lock_guard guard(lock_);
    TGeneratedTypeInfo* p = info.get();
    entries_.push_back({std::move(info), 1});
    return p;
}

void TGeneratedTypes::AddRef(const TGeneratedTypeInfo* info) {
    const std::lock_guard guard(lock_);
    for (Entry& e : entries_)
        if (e.info.get() == info) ++e.refs;
}

void TGeneratedTypes::Release(const TGeneratedTypeInfo* info) {
    std::unique_ptr<TGeneratedTypeInfo> dying;
    {
        const std::lock_guard guard(lock_);
        auto it = std::find_if(entries_.begin(), entries_.end(),
                               [&](const Entry& e) { return e.info.get() == info; });
        if (it == entries_.end() || --it->refs >= 1) return;
        dying = std::move(it->info);
        entries_.erase(it);
    }
}

int TGeneratedTypes::Count() const {
    const std::lock_guard guard(lock_);
    return static_cast<int>(entries_.size());
}
