#pragma once
// Named contexts of a provider, each of which may hold sub-contexts; looked
// up by path as items are.

#include <string>
#include <string_view>
#include <vector>

#include "frameworks/data/XcDataInterfaces.h"
#include "frameworks/data/XcExtensible.h"

class TXcBaseDataContext;

class TXcBaseDataContexts : public TExtensibleInterfacedPersistent, public IXcDataContexts {
    CL_CLASS(TXcBaseDataContexts, TExtensibleInterfacedPersistent)

    TXcBaseDataContexts() = default;
    explicit TXcBaseDataContexts(IXcDataProvider* provider) : provider_(provider) {}
    // The sub-contexts of ancestor (not counted: the ancestor holds them).
    explicit TXcBaseDataContexts(IXcDataContext* ancestor) : ancestor_(ancestor) {}

    // Sub-contexts answer their ancestor's provider.
    IXcDataProvider* Provider() override;
    TIntfPtr<IXcDataContext> Ancestor() override { return ancestor_; }
    TIntfPtr<IXcDataContext> GetContextByName(std::string_view path) override;
    int IndexOf(IXcDataContext* context) override;
    // The context of exactly that name (AnsiSameText), last first; no paths.
    TIntfPtr<IXcDataContext> FindByName(std::string_view name);

    // The ancestor calls this as it goes.
    void DetachAncestor() { ancestor_ = nullptr; }

    bool GetInterface(const TGUID& iid, void** obj) override;

protected:
    ~TXcBaseDataContexts() override = default;

private:
    IXcDataProvider* provider_ = nullptr;
    IXcDataContext* ancestor_ = nullptr;
};

// Contexts held in a list, counted.
class TXcDataContexts : public TXcBaseDataContexts {
    CL_CLASS(TXcDataContexts, TXcBaseDataContexts)

    using TXcBaseDataContexts::TXcBaseDataContexts;

    int GetCount() override { return static_cast<int>(contexts_.size()); }
    // EXCLDataContexts "List index out of bounds (%d)" outside the list.
    TIntfPtr<IXcDataContext> GetContext(int index) override;

    // Another context of the same name raises EXCLDataContexts "A context
    // with that name already exists"; the same context again does nothing;
    // otherwise it is appended between broadcasts of a context added.
    void Add(TXcBaseDataContext& context);
    // Removed between broadcasts of a context removed, when it may be
    // deleted; else EXCLDataContexts "Context cannot be deleted".
    void Delete(int index);
    // No context of the list is held by a selection (at any depth).
    bool NoneSelected() const;

protected:
    ~TXcDataContexts() override;

private:
    std::vector<TIntfPtr<TXcBaseDataContext>> contexts_;
};

class TXcBaseDataContext : public TExtensibleInterfacedPersistent, public IXcDataContext {
    CL_CLASS(TXcBaseDataContext, TExtensibleInterfacedPersistent)

    // Raises EXCLDataContexts "Cannot create a context without a context
    // list owner" for none.  The context is not added to the list.
    explicit TXcBaseDataContext(IXcDataContexts* owner);

    TIntfPtr<IXcDataContexts> Contexts() override { return owner_; }
    // Lists set it when they take the context and clear it when they let go.
    void SetOwnerContexts(IXcDataContexts* owner) { owner_ = owner; }

    // Not while a consumer has it, or a context below it, selected: the
    // consumer would be left reading a context its provider no longer has.
    virtual bool MayBeDeleted() const { return selections_ == 0; }

    bool GetInterface(const TGUID& iid, void** obj) override;

protected:
    ~TXcBaseDataContext() override = default;

private:
    friend class TXcContextSelection;
    IXcDataContexts* owner_;
    int selections_ = 0;
};

class TXcDataContext : public TXcBaseDataContext {
    CL_CLASS(TXcDataContext, TXcBaseDataContext)

    using TXcBaseDataContext::TXcBaseDataContext;

    std::string Name() override { return name_; }
    // A name another context of the owner list has raises EXCLDataContexts
    // "A context with that name already exists".
    void SetName(const std::string& name);

    // Made on first use; the context answers IXcDataContexts with them.
    TXcDataContexts& SubContexts();
    bool MayBeDeleted() const override;

    bool GetInterface(const TGUID& iid, void** obj) override;

protected:
    ~TXcDataContext() override;

private:
    std::string name_;
    TIntfPtr<TXcDataContexts> subContexts_;
};

class TXcManagedDataContext : public TXcDataContext, public IXcDataManagedContext {
    CL_CLASS(TXcManagedDataContext, TXcDataContext)

    using TXcDataContext::TXcDataContext;

    TIntfPtr<IXcDataContext> ManagedContext() override { return static_cast<IXcDataContext*>(this); }
    bool GetInterface(const TGUID& iid, void** obj) override;

protected:
    ~TXcManagedDataContext() override = default;
};

class TXcFixedDataContext : public TXcDataContext {
    CL_CLASS(TXcFixedDataContext, TXcDataContext)

    using TXcDataContext::TXcDataContext;

protected:
    ~TXcFixedDataContext() override = default;
};

// A consumer's selected context, counted on the context while it is held.
class TXcContextSelection {
public:
    TXcContextSelection() = default;
    ~TXcContextSelection() { Set(nullptr); }
    TXcContextSelection(const TXcContextSelection&) = delete;
    TXcContextSelection& operator=(const TXcContextSelection&) = delete;

    void Set(TIntfPtr<IXcDataContext> context);
    const TIntfPtr<IXcDataContext>& Get() const { return context_; }

private:
    TIntfPtr<IXcDataContext> context_;
};

// Registry entries.  A context class's factory makes a context for the owner
// list; a contexts class's the sub-contexts of the owner context (a root
// list for none).
template <class T>
cl::TPersistentClass ContextClass() {
    return {
        &T::StaticClassInfo(), [](cl::TPersistent* owner) -> cl::TPersistent* {
            return New<T>(static_cast<IXcDataContexts*>(dynamic_cast<TXcBaseDataContexts*>(owner))).Detach();
        }};
}
template <class T>
cl::TPersistentClass ContextsClass() {
    return {&T::StaticClassInfo(), [](cl::TPersistent* owner) -> cl::TPersistent* {
                if (auto* ancestor = dynamic_cast<TXcBaseDataContext*>(owner))
                    return New<T>(static_cast<IXcDataContext*>(ancestor)).Detach();
                return New<T>().Detach();
            }};
}
