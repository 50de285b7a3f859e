#pragma once
// Reference-counted persistent objects that carry extension objects.  An
// extensible object answers its own interfaces first, then its extensions'
// (last joined first).  An extension lives in its owner's list, is freed by
// its owner, and counts and answers through its owner.

#include <atomic>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "classlib/ClassRegistry.h"
#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "frameworks/data/XcInterface.h"

class TAggregatedPersistentEx;
class TExtensibleInterfacedPersistent;

template <class T, class... A>
TIntfPtr<T> New(A&&... args);

class TExtensibleInterfacedPersistent : public cl::TPersistent, public virtual IInterface {
    CL_CLASS(TExtensibleInterfacedPersistent, cl::TPersistent)

    // The count changes by atomic increment and decrement; the last Release
    // frees the object.  Objects are made by New, which hands out the one
    // reference.
    int32_t QueryInterface(const TGUID& iid, void** obj) override;
    int32_t AddRef() override;
    int32_t Release() override;
    int32_t RefCount() const { return refCount_.load(); }

    // This object's own interfaces, counted; extensions are not asked.
    virtual bool GetInterface(const TGUID& iid, void** obj);

    int ExtensionCount() const { return static_cast<int>(extensions_.size()); }
    TAggregatedPersistentEx* Extension(int index) const { return extensions_.at(index); }
    // Raises EXCLException "Implementation of that class already exists"
    // when an extension of ext's class or of a class derived from it is
    // already there; otherwise appends.
    void AddIntfImpl(TAggregatedPersistentEx* ext);
    void RemoveIntfImpl(TAggregatedPersistentEx* ext);
    // The first extension of cls or of a class derived from it; -1 when none.
    int IndexOfImplClass(const cl::TClassInfo& cls) const;
    // Frees the extensions, last first.
    void ClearIntfImpl();
    // An extension streams when its class is registered.
    virtual bool IsStreamableExtension(const TAggregatedPersistentEx& ext) const;

    // The published properties and those the object defines (its
    // extensions, its items...), then the end of the list.
    void WriteState(cl::TWriter& writer);
    // Reads what WriteState wrote, through the end of the list.
    void ReadState(cl::TReader& reader);

    void BeforeDestruction() override;

protected:
    TExtensibleInterfacedPersistent() = default;
    // Asserts that the object went by its last Release.
    ~TExtensibleInterfacedPersistent() override;

    // Runs once the object is whole, before New hands it out.
    virtual void AfterConstruction() { InitImplementers(); }
    virtual void InitImplementers() {}

    // Derived classes add their own properties and call these first.
    virtual void WriteDefinedProperties(cl::TWriter& writer);
    // True when name is a property this class defines (and it was read).
    virtual bool ReadDefinedProperty(cl::TReader& reader, const std::string& name);

    // Hands out this object's interface I, counted.
    template <class I>
    bool Answer(void** obj) {
        I* intf = dynamic_cast<I*>(this);
        intf->AddRef();
        *obj = intf;
        return true;
    }

private:
    template <class T, class... A>
    friend TIntfPtr<T> New(A&&... args);

    std::atomic<int32_t> refCount_{1};
    bool handedOut_ = false;   // New finished: from now on only Release frees
    bool destroying_ = false;  // counting during destruction frees nothing
    std::vector<TAggregatedPersistentEx*> extensions_;
};

// Makes an extensible object and hands out its one reference.
template <class T, class... A>
TIntfPtr<T> New(A&&... args) {
    T* obj = new T(std::forward<A>(args)...);
    TExtensibleInterfacedPersistent* base = obj;
    try {
        base->AfterConstruction();
    } catch (...) {
        base->refCount_ = 0;
        base->destroying_ = true;
        base->Free();
        throw;
    }
    base->handedOut_ = true;
    return TIntfPtr<T>::Adopt(obj);
}

// An object whose counting and unknown queries go to a controller.
class TAggregatedPersistent : public cl::TPersistent, public virtual IInterface {
    CL_CLASS(TAggregatedPersistent, cl::TPersistent)

    explicit TAggregatedPersistent(IInterface* controller) : controller_(controller) {}

    int32_t QueryInterface(const TGUID& iid, void** obj) override;
    int32_t AddRef() override { return controller_->AddRef(); }
    int32_t Release() override { return controller_->Release(); }
    // This object's own interfaces, counted (through the controller).
    virtual bool GetInterface(const TGUID& iid, void** obj) { return false; }
    IInterface* Controller() const { return controller_; }

protected:
    template <class I>
    bool Answer(void** obj) {
        I* intf = dynamic_cast<I*>(this);
        intf->AddRef();
        *obj = intf;
        return true;
    }

private:
    IInterface* controller_;  // not counted: the controller owns this object
};

// An extension: owned by an extensible object, in whose list it sits from
// CreateExtension until its destruction.
class TAggregatedPersistentEx : public TAggregatedPersistent {
    CL_CLASS(TAggregatedPersistentEx, TAggregatedPersistent)

    using OwnerType = TExtensibleInterfacedPersistent;

    explicit TAggregatedPersistentEx(TExtensibleInterfacedPersistent& owner);
    // Leaves the owner's list.
    ~TAggregatedPersistentEx() override;

    TExtensibleInterfacedPersistent& Owner() const { return *owner_; }

    // Runs once the extension is in its owner's list.
    virtual void AfterConstruction() {}

private:
    TExtensibleInterfacedPersistent* owner_;
};

// Makes an extension of T for owner and adds it to owner's list; a second
// extension of the class raises and nothing is added.
template <class T, class... A>
T& CreateExtension(typename T::OwnerType& owner, A&&... args) {
    auto* ext = new T(owner, std::forward<A>(args)...);
    try {
        owner.AddIntfImpl(ext);
    } catch (...) {
        delete ext;
        throw;
    }
    ext->AfterConstruction();
    return *ext;
}

// A registry entry for extension class T: its factory adds the extension to
// its owner, which must be of T's owner type (else EReadError "Invalid
// class type").
template <class T>
cl::TPersistentClass ExtensionClass() {
    return {&T::StaticClassInfo(), [](cl::TPersistent* owner) -> cl::TPersistent* {
                auto* typed = dynamic_cast<typename T::OwnerType*>(owner);
                if (!typed) throw cl::EReadError("Invalid class type");
                return &CreateExtension<T>(*typed);
            }};
}

// Takes over the one reference of an object a registry factory made.
template <class T>
TIntfPtr<T> AdoptCreated(cl::TPersistent* made) {
    auto* typed = dynamic_cast<T*>(made);
    if (!typed) {
        if (auto* other = dynamic_cast<TExtensibleInterfacedPersistent*>(made)) other->Release();
        throw cl::EReadError("Invalid class type");
    }
    return TIntfPtr<T>::Adopt(typed);
}

// Reads a collection whose elements each start with "ClassName" naming a
// registered class derived from base; element(cls) reads the rest of the
// element through its end.  Raises EReadError "Expected collection",
// "Missing ClassName property", "Class %s not found" or "Invalid class type".
void ReadClassCollection(cl::TReader& reader, const cl::TClassInfo& base,
                         const std::function<void(cl::TPersistentClass)>& element);
// Starts a collection element: the list and its "ClassName".
void WriteClassElementBegin(cl::TWriter& writer, const std::string& className);
