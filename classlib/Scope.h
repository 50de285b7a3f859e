#pragma once
// Scoped state: a flag set for a scope and any clean-up that must run
// however the scope is left, so an exception never leaves either behind.

#include <utility>

namespace cl {

// Sets a flag (or any value) for its lifetime and puts the previous value
// back, so nested scopes over one flag restore correctly.
template <class T = bool>
class FlagScope {
public:
    explicit FlagScope(T& flag, T value = T(true))
        : flag_(flag), saved_(std::exchange(flag, std::move(value))) {}
    ~FlagScope() { flag_ = std::move(saved_); }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    T& flag_;
    T saved_;
};

template <class T>
FlagScope(T&) -> FlagScope<T>;

// Runs a callable when the scope ends, unless released.  The callable must
// not throw: it runs during unwinding too.
template <class F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() {
        if (active_) f_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    void Release() { active_ = false; }

private:
    F f_;
    bool active_ = true;
};

}  // namespace cl
