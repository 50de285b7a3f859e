#pragma once
// The ordered window-procedure hooks of one control: functions that watch
// (or answer) each message before and after the control's own processing,
// without replacing its window procedure and without knowing of each other.
//
// - Add(hook, phase) puts a hook first in its phase and gives a token;
//   Remove(token) takes it out.  Within a phase the last added runs first.
// - A hook sets Handled to stop the walk of its phase.  Handled in the
//   before phase also skips the control's own processing and every after
//   hook, unless the dispatch says the message cannot be swallowed (a
//   window's destruction: the control must see it).
// - The list may change while it dispatches: a hook removed meanwhile is
//   not called any more, one added waits for the next message.
// - Closing the list (its control goes, even inside one of its own
//   messages) stops every dispatch under way after the step that runs;
//   the list's state lives until the last of them has returned.
//
// Portable: the message type is a parameter, so the logic is tested
// natively.  User-interface thread only; re-entrant for nested messages.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace cl {

enum THookPhase { hpBefore, hpAfter };

// Names one added hook.  Unique in the process, so a token never removes
// another list's hook; the empty token names none.
class THookToken {
public:
    constexpr THookToken() = default;
    explicit operator bool() const { return id_ != 0; }
    friend bool operator==(THookToken, THookToken) = default;

private:
    template <class>
    friend class TWndProcHooks;
    explicit THookToken(uint64_t id) : id_(id) {}
    static THookToken Next() {
        static std::atomic<uint64_t> last{0};
        return THookToken(++last);
    }
    uint64_t id_ = 0;
};

template <class Message>
class TWndProcHooks {
public:
    using THook = std::function<void(Message& Msg, bool& Handled)>;

    TWndProcHooks() = default;
    ~TWndProcHooks() { Close(); }
    TWndProcHooks(const TWndProcHooks&) = delete;
    TWndProcHooks& operator=(const TWndProcHooks&) = delete;

    // The empty token, and nothing added, when hook is empty or the list
    // is closed.
    THookToken Add(THook hook, THookPhase phase = hpBefore) {
        if (!hook || closed_) return {};
        if (!state_) state_ = std::make_shared<State>();
        auto entry = std::make_shared<Entry>(Entry{THookToken::Next(), phase, std::move(hook)});
        state_->entries.push_back(entry);
        return entry->token;
    }

    // False when the token names no hook of this list (any more).
    bool Remove(THookToken token) noexcept {
        if (!state_ || !token) return false;
        auto& entries = state_->entries;
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if ((*it)->token != token) continue;
            (*it)->removed = true;
            // A dispatch under way holds the entry, so a hook that removes
            // itself finishes running.
            entries.erase(it);
            return true;
        }
        return false;
    }

    bool Empty() const { return !state_ || state_->entries.empty(); }
    int Count() const { return state_ ? static_cast<int>(state_->entries.size()) : 0; }
    bool Closed() const { return closed_; }

    // Drops every hook and takes no more; a dispatch under way stops
    // (the control's own processing of later messages still runs).
    void Close() noexcept {
        closed_ = true;
        if (!state_) return;
        state_->closed = true;
        for (auto& entry : state_->entries) entry->removed = true;
        state_->entries.clear();
    }

    // Runs m through the hooks around target(m), the control's own
    // processing.  swallowable false: a before hook's Handled ends only the
    // before walk, and target and the after hooks still run.  Touches
    // nothing of this object once a step has closed it, so the owner may
    // be freed inside.
    template <class Target>
    void Dispatch(Message& m, bool swallowable, Target&& target) {
        const std::shared_ptr<State> state = state_;
        if (!state || state->entries.empty()) {
            target(m);
            return;
        }
        const std::vector<std::shared_ptr<Entry>> snapshot = state->entries;
        const bool handled = Walk(*state, snapshot, hpBefore, m);
        if (state->closed || (handled && swallowable)) return;
        target(m);
        if (state->closed) return;
        Walk(*state, snapshot, hpAfter, m);
    }

private:
    struct Entry {
        THookToken token;
        THookPhase phase;
        THook hook;
        bool removed = false;
    };
    struct State {
        std::vector<std::shared_ptr<Entry>> entries;
        bool closed = false;
    };

    // True when a hook set Handled.
    static bool Walk(const State& state, const std::vector<std::shared_ptr<Entry>>& snapshot,
                     THookPhase phase, Message& m) {
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
            const Entry& entry = **it;
            if (entry.phase != phase || entry.removed) continue;
            bool handled = false;
            entry.hook(m, handled);
            if (handled || state.closed) return true;
        }
        return false;
    }

    std::shared_ptr<State> state_;  // made by the first Add
    bool closed_ = false;
};

}  // namespace cl
