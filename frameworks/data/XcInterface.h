#pragma once
// Reference-counted interfaces identified by GUIDs, and the counted pointer
// that holds them.  An object is asked for a capability by the interface's
// GUID and answers with a pointer it has counted, or refuses.  Interfaces
// derive virtually from IInterface, so an object that implements several
// shares one count and one QueryInterface.

#include <cstddef>
#include <cstdint>
#include <utility>

#include "frameworks/data/XcGuid.h"

inline constexpr int32_t XC_S_OK = 0;
inline constexpr int32_t XC_E_NOINTERFACE = static_cast<int32_t>(0x80004002u);

class IInterface {
public:
    static constexpr TGUID IID = {
        0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

    // XC_S_OK with *obj set to the counted interface, or XC_E_NOINTERFACE
    // with *obj null.
    virtual int32_t QueryInterface(const TGUID& iid, void** obj) = 0;
    virtual int32_t AddRef() = 0;
    virtual int32_t Release() = 0;

protected:
    // Objects go by their last Release, never by a delete through an interface.
    ~IInterface() = default;
};

// A counted reference.  Made from a plain pointer it takes a reference of its
// own; Adopt takes over one already counted (a factory's or a query's).
template <class T>
class TIntfPtr {
public:
    TIntfPtr() = default;
    TIntfPtr(std::nullptr_t) {}
    TIntfPtr(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    TIntfPtr(const TIntfPtr& other) : TIntfPtr(other.p_) {}
    TIntfPtr(TIntfPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    template <class U>
    TIntfPtr(const TIntfPtr<U>& other) : TIntfPtr(other.get()) {}
    template <class U>
    TIntfPtr(TIntfPtr<U>&& other) noexcept : p_(other.Detach()) {}
    ~TIntfPtr() { reset(); }

    TIntfPtr& operator=(TIntfPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    static TIntfPtr Adopt(T* p) {
        TIntfPtr ptr;
        ptr.p_ = p;
        return ptr;
    }
    // Hands the reference over to the caller.
    T* Detach() { return std::exchange(p_, nullptr); }
    void reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

    template <class U>
    friend bool operator==(const TIntfPtr& a, const TIntfPtr<U>& b) {
        return a.get() == b.get();
    }
    friend bool operator==(const TIntfPtr& a, std::nullptr_t) { return a.p_ == nullptr; }

private:
    T* p_ = nullptr;
};

// The object's interface I, or null when it does not answer I (or is null).
template <class I>
TIntfPtr<I> Query(IInterface* obj) {
    void* p = nullptr;
    if (!obj || obj->QueryInterface(I::IID, &p) != XC_S_OK) return {};
    return TIntfPtr<I>::Adopt(static_cast<I*>(p));
}
template <class I, class T>
TIntfPtr<I> Query(const TIntfPtr<T>& obj) {
    return Query<I>(obj.get());
}

// True when a and b are the same object: their IInterface answers agree.
bool SameObject(IInterface* a, IInterface* b);
