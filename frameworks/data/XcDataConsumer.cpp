#include "frameworks/data/XcDataConsumer.h"

#include <algorithm>

#include "frameworks/data/XcDataViewList.h"
#include "frameworks/data/XcExceptions.h"

// ---- TXcDataConsumerAggregatedObject ------------------------------------

CL_CLASS_INFO(TXcDataConsumerAggregatedObject)

TXcDataConsumerAggregatedObject::TXcDataConsumerAggregatedObject(TXcDataConsumer& owner)
    : TAggregatedPersistentEx(owner), consumer_(&owner) {}

// ---- TXcDataConsumer ----------------------------------------------------

CL_CLASS_INFO(TXcDataConsumer,
              Prop("Provider", &TXcDataConsumer::ProviderComponent, &TXcDataConsumer::SetProviderComponent),
              StoredWhen(Prop("Context", &TXcDataConsumer::Context, &TXcDataConsumer::SetContext),
                         &TXcDataConsumer::IsContextStored))

cl::TPersistentClass ConsumerClass() {
    return {&TXcDataConsumer::StaticClassInfo(), [](cl::TPersistent* owner) -> cl::TPersistent* {
                return New<TXcDataConsumer>(dynamic_cast<cl::TComponent*>(owner)).Detach();
            }};
}

TXcDataConsumer::TXcDataConsumer(cl::TComponent* owner, const std::vector<int32_t>& attributes,
                                 TRepaint repaint)
    : owner_(owner), repaint_(std::move(repaint)) {
    for (int32_t attribute : attributes) AddAttribute(attribute);
}

template <class F>
void TXcDataConsumer::ForEachExtension(F f) {
    // By index: a handler may free extensions.
    for (int i = 0; i < ExtensionCount(); ++i)
        if (auto* ext = dynamic_cast<TXcDataConsumerAggregatedObject*>(Extension(i))) f(*ext);
}

bool TXcDataConsumer::OwnerLoading() const {
    return owner_ && (owner_->ComponentState() & cl::csLoading);
}

int TXcDataConsumer::AddAttribute(int32_t attribute) {
    auto found = std::find(attributes_.begin(), attributes_.end(), attribute);
    if (found != attributes_.end()) return static_cast<int>(found - attributes_.begin());
    attributes_.push_back(attribute);
    return static_cast<int>(attributes_.size()) - 1;
}

bool TXcDataConsumer::HasAttribute(int32_t attribute) const {
    return std::find(attributes_.begin(), attributes_.end(), attribute) != attributes_.end();
}

TIntfPtr<IXcDataContext> TXcDataConsumer::ResolveContext(IXcDataProvider* provider,
                                                         const std::string& name) const {
    if (name.empty()) return {};
    auto contexts = Query<IXcDataContexts>(provider);
    if (!contexts) throw EXCLDataConsumer("Provider does not support contexts");
    TIntfPtr<IXcDataContext> context = contexts->GetContextByName(name);
    if (!context) throw EXCLDataConsumer("Provider has no context named \"" + name + "\"");
    return context;
}

TIntfPtr<IXcDataContext> TXcDataConsumer::FirstContext(IXcDataProvider* provider) const {
    auto contexts = Query<IXcDataContexts>(provider);
    return contexts && contexts->GetCount() > 0 ? contexts->GetContext(0) : nullptr;
}

void TXcDataConsumer::SetProvider(IXcDataProvider* provider) {
    if (provider == provider_) return;
    // The context comes first: a pending name the new provider lacks
    // raises before anything has changed.
    TIntfPtr<IXcDataContext> context;
    const bool applyPending = provider && contextPending_ && !OwnerLoading();
    if (applyPending) {
        contextPending_ = false;
        context = ResolveContext(provider, std::exchange(pendingContext_, {}));
    } else if (provider) {
        context = FirstContext(provider);
    }
    TIntfPtr<TXcDataConsumer> hold(this);
    Changing(xccProvider);
    if (provider_) provider_->UnregisterChangeNotify(this);
    ForEachExtension([](TXcDataConsumerAggregatedObject& ext) { ext.ProviderGoing(); });
    provider_ = provider;
    context_.Set(nullptr);
    if (provider_) provider_->RegisterChangeNotify(this);
    if (context) SelectContext(context);
    ExtensionsFixup();
    RunFixups();
    ForEachExtension([](TXcDataConsumerAggregatedObject& ext) { ext.ProviderSet(); });
    Changed(xccProvider);
}

cl::TComponent* TXcDataConsumer::ProviderComponent() const {
    return dynamic_cast<cl::TComponent*>(provider_);
}

void TXcDataConsumer::SetProviderComponent(cl::TComponent* component) {
    TIntfPtr<IXcDataProvider> provider;
    if (component) {
        provider = Query<IXcDataProvider>(dynamic_cast<IInterface*>(component));
        if (!provider) throw cl::EPropertyError("Invalid property value");
    }
    SetProvider(provider.get());
}

std::string TXcDataConsumer::Context() const {
    if (contextPending_) return pendingContext_;
    return context_.Get() ? context_.Get()->Name() : std::string();
}

void TXcDataConsumer::SetContext(const std::string& name) {
    if (name == Context()) return;
    if (!provider_) {
        if (!OwnerLoading()) throw EXCLDataConsumer("You must specify a provider before setting the context");
        pendingContext_ = name;
        contextPending_ = true;
        return;
    }
    TIntfPtr<IXcDataContext> context = ResolveContext(provider_, name);
    contextPending_ = false;
    pendingContext_.clear();
    SelectContext(context);
}

bool TXcDataConsumer::IsContextStored() const {
    TIntfPtr<IXcDataContext> first = FirstContext(provider_);
    return Context() != (first ? first->Name() : std::string());
}

void TXcDataConsumer::SelectContext(TIntfPtr<IXcDataContext> context) {
    if (context) {
        TIntfPtr<IXcDataContexts> owner = context->Contexts();
        if (!owner || owner->Provider() != provider_)
            throw EXCLDataConsumer("The specified context is not part of the same provider");
    }
    TIntfPtr<TXcDataConsumer> hold(this);
    Changing(xccContext);
    ForEachExtension([](TXcDataConsumerAggregatedObject& ext) { ext.ContextChanging(); });
    context_.Set(std::move(context));
    ForEachExtension([](TXcDataConsumerAggregatedObject& ext) { ext.ContextChanged(); });
    Changed(xccContext);
}

void TXcDataConsumer::Enter() {
    if (!provider_) return;
    provider_->PushConsumer(this);
    try {
        provider_->SelectContext(context_.Get().get());
    } catch (...) {
        provider_->PopConsumer();
        throw;
    }
}

void TXcDataConsumer::Leave() noexcept {
    if (!provider_) return;
    provider_->ReleaseContext();
    provider_->PopConsumer();
}

void TXcDataConsumer::Changing(TXcConsumerChangeReason reason) {
    if (OnChanging) OnChanging(*this, reason);
}

void TXcDataConsumer::Changed(TXcConsumerChangeReason reason) {
    if (repaint_) repaint_();
    if (OnChanged) OnChanged(*this, reason);
}

void TXcDataConsumer::ExtensionsFixup() {
    if (!provider_) {
        ClearIntfImpl();
        return;
    }
    for (const cl::TPersistentClass& cls : provider_->ConsumerExtensionClasses()) {
        if (!cls.Info->InheritsFrom(TXcDataConsumerAggregatedObject::StaticClassInfo()))
            throw EXCLDataConsumer("Invalid class type");
        if (IndexOfImplClass(*cls.Info) < 0) CreateFixupExtension(cls);
    }
    if (HasAttribute(3) && IndexOfImplClass(TXcDataConsumerViewList::StaticClassInfo()) < 0)
        CreateFixupExtension(ExtensionClass<TXcDataConsumerViewList>());
}

void TXcDataConsumer::CreateFixupExtension(cl::TPersistentClass cls) {
    if (OnBeforeCreateExtension) OnBeforeCreateExtension(*this, cls);
    auto& ext = dynamic_cast<TXcDataConsumerAggregatedObject&>(*cls.Create(this));
    if (OnAfterCreateExtension) OnAfterCreateExtension(*this, ext);
}

void TXcDataConsumer::RunFixups() {
    ForEachExtension([](TXcDataConsumerAggregatedObject& ext) {
        if (ext.WaitingForFixup()) ext.Fixup();
    });
}

void TXcDataConsumer::Loaded() {
    if (contextPending_ && provider_) {
        contextPending_ = false;
        SelectContext(ResolveContext(provider_, std::exchange(pendingContext_, {})));
    }
    RunFixups();
}

void TXcDataConsumer::ViewChanged(TXcDataConsumerAggregatedObject* source) {
    ForEachExtension([source](TXcDataConsumerAggregatedObject& ext) {
        if (&ext != source) ext.ViewChanged();
    });
    Changed(xccView);
}

void TXcDataConsumer::DataProviderChanging(IXcDataProvider* provider, TXcDataChangeReason reason,
                                           IInterface* source) {
    if (!provider_ || provider != provider_) return;
    TIntfPtr<TXcDataConsumer> hold(this);  // a handler may drop the owner's reference
    if (OnProviderChanging) OnProviderChanging(*this, provider, reason, source);
    if (provider != provider_) return;
    ForEachExtension(
        [&](TXcDataConsumerAggregatedObject& ext) { ext.ProviderChanging(provider, reason, source); });
    if (reason == xcrProviderDestroying) SetProvider(nullptr);
}

void TXcDataConsumer::DataProviderChanged(IXcDataProvider* provider, TXcDataChangeReason reason,
                                          IInterface* source) {
    if (!provider_ || provider != provider_) return;
    TIntfPtr<TXcDataConsumer> hold(this);
    if (OnProviderChanged) OnProviderChanged(*this, provider, reason, source);
    if (provider != provider_) return;
    ForEachExtension(
        [&](TXcDataConsumerAggregatedObject& ext) { ext.ProviderChanged(provider, reason, source); });
    if (reason == xcrViewChanged)
        ViewChanged(nullptr);
    else
        Changed(xccData);
}

void TXcDataConsumer::Notify(IInterface* client, int32_t value) {
    ForEachExtension([&](TXcDataConsumerAggregatedObject& ext) { ext.ConsumerChanged(client, value); });
}

void TXcDataConsumer::AddClient(IInterface* client) {
    for (auto& known : clients_)
        if (SameObject(known.get(), client)) return;
    clients_.emplace_back(client);
}

void TXcDataConsumer::RemoveClient(IInterface* client) {
    std::erase_if(clients_,
                  [client](const TIntfPtr<IInterface>& known) { return SameObject(known.get(), client); });
}

bool TXcDataConsumer::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataConsumer::IID) return Answer<IXcDataConsumer>(obj);
    if (iid == IXcDataProviderNotify::IID) return Answer<IXcDataProviderNotify>(obj);
    if (iid == IXcDataConsumerServerNotify::IID) return Answer<IXcDataConsumerServerNotify>(obj);
    if (iid == IXcDataConsumerProvider::IID) return Answer<IXcDataConsumerProvider>(obj);
    return TExtensibleInterfacedPersistent::GetInterface(iid, obj);
}

void TXcDataConsumer::BeforeDestruction() {
    if (IXcDataProvider* provider = std::exchange(provider_, nullptr)) provider->UnregisterChangeNotify(this);
    TExtensibleInterfacedPersistent::BeforeDestruction();
}
