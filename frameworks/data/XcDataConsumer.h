#pragma once
// A control's link to a data provider: it selects a context, hears the
// provider's changes and carries consumer extensions (the selected item, a
// flat view of the item tree).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "frameworks/data/XcDataConsumerInterfaces.h"
#include "frameworks/data/XcDataContexts.h"
#include "frameworks/data/XcExtensible.h"

class TXcDataConsumer;

// Consumer change reasons, passed to the consumer's own changing/changed.
enum TXcConsumerChangeReason : uint8_t { xccProvider = 0, xccData = 1, xccView = 2, xccContext = 3 };

// Base of consumer extensions: the consumer tells each of them what happens.
class TXcDataConsumerAggregatedObject : public TAggregatedPersistentEx {
    CL_CLASS(TXcDataConsumerAggregatedObject, TAggregatedPersistentEx)

    using OwnerType = TXcDataConsumer;

    explicit TXcDataConsumerAggregatedObject(TXcDataConsumer& owner);
    TXcDataConsumer& Consumer() const { return *consumer_; }
    // Something read while the owner was loading waits to be applied.
    bool WaitingForFixup() const { return waitingForFixup_; }

    // The consumer's provider is about to go, and has been set (or cleared).
    virtual void ProviderGoing() {}
    virtual void ProviderSet() {}
    virtual void ContextChanging() {}
    virtual void ContextChanged() {}
    // The provider's broadcasts.
    virtual void ProviderChanging(IXcDataProvider* provider, TXcDataChangeReason reason, IInterface* source) {
    }
    virtual void ProviderChanged(IXcDataProvider* provider, TXcDataChangeReason reason, IInterface* source) {}
    virtual void ViewChanged() {}
    // A linked client's notice.
    virtual void ConsumerChanged(IInterface* client, int32_t value) {}
    // Applies what waited for the owner's loading to end.
    virtual void Fixup() { waitingForFixup_ = false; }

protected:
    void SetWaitingForFixup(bool value) { waitingForFixup_ = value; }

private:
    TXcDataConsumer* consumer_;
    bool waitingForFixup_ = false;
};

class TXcDataConsumer : public TExtensibleInterfacedPersistent,
                        public IXcDataConsumer,
                        public IXcDataProviderNotify,
                        public IXcDataConsumerServerNotify,
                        public IXcDataConsumerProvider {
    CL_CLASS(TXcDataConsumer, TExtensibleInterfacedPersistent)

    using TRepaint = std::function<void()>;
    using TExtensionClassEvent = std::function<void(TXcDataConsumer& sender, cl::TPersistentClass cls)>;
    using TExtensionEvent =
        std::function<void(TXcDataConsumer& sender, TXcDataConsumerAggregatedObject& ext)>;
    using TChangeEvent = std::function<void(TXcDataConsumer& sender, TXcConsumerChangeReason reason)>;
    using TProviderEvent = std::function<void(TXcDataConsumer& sender, IXcDataProvider* provider,
                                              TXcDataChangeReason reason, IInterface* source)>;

    // owner: the control (its csLoading is "loading"); repaint: what a
    // change makes the control do.  Each attribute is kept once.
    explicit TXcDataConsumer(cl::TComponent* owner, const std::vector<int32_t>& attributes = {},
                             TRepaint repaint = {});

    // Not counted: a provider says when it goes (reason 4), which clears it.
    IXcDataProvider* Provider() const { return provider_; }
    void SetProvider(IXcDataProvider* provider);
    // Provider as it is published and stored: the component that is the
    // provider (nullptr for none, or for a provider that is no component).
    // Setting a component that is no provider raises EPropertyError.
    cl::TComponent* ProviderComponent() const;
    void SetProviderComponent(cl::TComponent* component);
    // The selected context's name (the pending one while loading).
    std::string Context() const;
    void SetContext(const std::string& name);
    TIntfPtr<IXcDataContext> ContextObject() const { return context_.Get(); }
    // Context is worth storing only when it is not the provider's first.
    bool IsContextStored() const;

    // Make this consumer and its context current on the provider, and
    // release both; nothing without a provider.  Readers of provider data
    // use TXcDataConsumerScope, which pairs them.
    void Enter();
    void Leave() noexcept;

    void Changing(TXcConsumerChangeReason reason);
    // Repaints the owner, then fires OnChanged.
    void Changed(TXcConsumerChangeReason reason);

    int AddAttribute(int32_t attribute);
    bool HasAttribute(int32_t attribute) const;
    const std::vector<int32_t>& Attributes() const { return attributes_; }
    bool OwnerLoading() const;

    // Creates the extensions the provider's consumers need (and a view list
    // for attribute 3); without a provider frees every extension.
    void ExtensionsFixup();
    // An extension's view changed: the other extensions hear it, then
    // Changed(xccView).
    void ViewChanged(TXcDataConsumerAggregatedObject* source);
    // The owner has finished loading: what waited is applied.
    void Loaded();

    // IXcDataConsumer
    cl::TComponent* CLComponent() override { return owner_; }
    bool AttributeApplies(int32_t attribute) override { return HasAttribute(attribute); }
    // IXcDataProviderNotify; broadcasts of a provider not (or no longer)
    // this consumer's are ignored.
    void DataProviderChanging(IXcDataProvider* provider, TXcDataChangeReason reason,
                              IInterface* source) override;
    void DataProviderChanged(IXcDataProvider* provider, TXcDataChangeReason reason,
                             IInterface* source) override;
    TIntfPtr<IXcDataConsumer> Consumer() override { return static_cast<IXcDataConsumer*>(this); }
    // IXcDataConsumerServerNotify
    void Notify(IInterface* client, int32_t value) override;
    void AddClient(IInterface* client) override;
    void RemoveClient(IInterface* client) override;
    // IXcDataConsumerProvider
    IXcDataProvider* GetProvider() override { return provider_; }

    bool GetInterface(const TGUID& iid, void** obj) override;
    // Leaves the provider's notify list.
    void BeforeDestruction() override;

    TExtensionClassEvent OnBeforeCreateExtension;
    TExtensionEvent OnAfterCreateExtension;
    TChangeEvent OnChanging;
    TChangeEvent OnChanged;
    TProviderEvent OnProviderChanging;
    TProviderEvent OnProviderChanged;

protected:
    ~TXcDataConsumer() override = default;

private:
    // The context of that name on provider (none for ""); raises when the
    // provider has no contexts or none of that name.
    TIntfPtr<IXcDataContext> ResolveContext(IXcDataProvider* provider, const std::string& name) const;
    TIntfPtr<IXcDataContext> FirstContext(IXcDataProvider* provider) const;
    void SelectContext(TIntfPtr<IXcDataContext> context);
    void CreateFixupExtension(cl::TPersistentClass cls);
    void RunFixups();
    template <class F>
    void ForEachExtension(F f);

    cl::TComponent* owner_;
    std::vector<int32_t> attributes_;
    IXcDataProvider* provider_ = nullptr;
    TXcContextSelection context_;
    TRepaint repaint_;
    std::string pendingContext_;
    bool contextPending_ = false;
    std::vector<TIntfPtr<IInterface>> clients_;
};

// Enter for its lifetime: the consumer is left however the scope ends (not
// when its provider changed meanwhile: the old one was never this scope's to
// leave, and may be gone).
class TXcDataConsumerScope {
public:
    explicit TXcDataConsumerScope(TXcDataConsumer& consumer)
        : consumer_(&consumer), provider_(consumer.Provider()) {
        consumer_->Enter();
    }
    ~TXcDataConsumerScope() {
        if (consumer_->Provider() == provider_) consumer_->Leave();
    }
    TXcDataConsumerScope(const TXcDataConsumerScope&) = delete;
    TXcDataConsumerScope& operator=(const TXcDataConsumerScope&) = delete;

private:
    TIntfPtr<TXcDataConsumer> consumer_;
    IXcDataProvider* provider_;
};

// Registry entry: the owner, when it is a component, owns the consumer's control.
cl::TPersistentClass ConsumerClass();
