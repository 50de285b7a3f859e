#pragma once
// The hooks of one hook chain: (object, member function) pairs that watch
// a window's messages, in two lists, one run before the window's own
// processing and one after it.  A hook answers true when it handled the
// message, which ends the walk of its list.
//
// The lists may change while they are walked: the walk goes by index, a
// removed hook is only marked (and skipped) until no walk is under way, and
// a hook added to a list whose walk has not ended yet still runs in it.
//
// Portable: the message type is a parameter, so the walks are tested
// natively.  User-interface thread only; re-entrant for nested messages.

#include <cstddef>
#include <vector>

enum TXcHookOrder { hoBeforeMsg = 0, hoAfterMsg = 1 };

// A hook method; two are the same hook when both object and function are.
template <class Message>
struct TXcHookMethod {
    void* Object = nullptr;
    bool (*Invoke)(void* object, Message& message) = nullptr;

    explicit operator bool() const { return Object && Invoke; }
    bool operator==(const TXcHookMethod&) const = default;
};

namespace xchook {
template <class M>
struct MethodTraits;
template <class T, class M>
struct MethodTraits<bool (T::*)(M&)> {
    using Object = T;
    using Message = M;
};
}  // namespace xchook

// The hook of object's member function Method, bool T::Method(Message&):
//   HookMethod<&TMyControl::BeforePaint>(this)
// The empty hook for a null object.
template <auto Method>
auto HookMethod(typename xchook::MethodTraits<decltype(Method)>::Object* object) {
    using Traits = xchook::MethodTraits<decltype(Method)>;
    using T = typename Traits::Object;
    using M = typename Traits::Message;
    // One function per member function: it names the method in comparisons.
    return TXcHookMethod<M>{object, [](void* o, M& m) { return (static_cast<T*>(o)->*Method)(m); }};
}

template <class Message>
class TXcHookList {
public:
    using THook = TXcHookMethod<Message>;

    // Appends; the same hook may be added more than once.
    void Add(const THook& hook, TXcHookOrder order) { lists_[order].push_back(Record{hook}); }

    // Removes the first hook of the order that is the same; false when none is.
    bool Remove(const THook& hook, TXcHookOrder order) {
        for (Record& r : lists_[order]) {
            if (r.removed || !(r.hook == hook)) continue;
            r.removed = true;
            if (walking_ == 0) Compact();
            return true;
        }
        return false;
    }

    bool Empty() const {
        for (const auto& list : lists_)
            for (const Record& r : list)
                if (!r.removed) return false;
        return true;
    }

    // Calls the order's hooks in list order until one answers true or
    // stopped() holds after a hook; true when either ended the walk.
    template <class Stopped>
    bool Walk(TXcHookOrder order, Message& m, Stopped&& stopped) {
        const WalkScope scope(*this);
        const std::vector<Record>& list = lists_[order];
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].removed) continue;
            const THook hook = list[i].hook;  // the list may grow inside the call
            if (hook.Invoke(hook.Object, m) || stopped()) return true;
        }
        return false;
    }

private:
    struct Record {
        THook hook;
        bool removed = false;
    };
    class WalkScope {
    public:
        explicit WalkScope(TXcHookList& list) : list_(list) { ++list_.walking_; }
        ~WalkScope() {
            if (--list_.walking_ == 0) list_.Compact();
        }
        WalkScope(const WalkScope&) = delete;
        WalkScope& operator=(const WalkScope&) = delete;

    private:
        TXcHookList& list_;
    };

    void Compact() {
        for (auto& list : lists_) std::erase_if(list, [](const Record& r) { return r.removed; });
    }

    std::vector<Record> lists_[2];
    int walking_ = 0;
};
