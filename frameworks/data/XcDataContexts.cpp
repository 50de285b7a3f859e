#include "frameworks/data/XcDataContexts.h"

#include <algorithm>

#include "classlib/StrUtils.h"
#include "frameworks/data/XcDataItems.h"
#include "frameworks/data/XcExceptions.h"

namespace {

const char* const kNameExists = "A context with that name already exists";

// The provider's contexts, or the topmost ancestor's.
TIntfPtr<IXcDataContexts> RootOf(TIntfPtr<IXcDataContexts> list) {
    if (IXcDataProvider* provider = list->Provider())
        if (auto root = Query<IXcDataContexts>(provider)) return root;
    while (TIntfPtr<IXcDataContext> ancestor = list->Ancestor()) {
        TIntfPtr<IXcDataContexts> up = ancestor->Contexts();
        if (!up) break;
        list = up;
    }
    return list;
}

TIntfPtr<IXcDataContext> FindIn(IXcDataContexts& list, std::string_view name) {
    for (int i = list.GetCount(); i-- > 0;) {
        TIntfPtr<IXcDataContext> context = list.GetContext(i);
        if (cl::AnsiSameText(context->Name(), name)) return context;
    }
    return {};
}

}  // namespace

// ---- TXcBaseDataContexts ------------------------------------------------

CL_CLASS_INFO(TXcBaseDataContexts)

IXcDataProvider* TXcBaseDataContexts::Provider() {
    if (!ancestor_) return provider_;
    TIntfPtr<IXcDataContexts> up = ancestor_->Contexts();
    return up ? up->Provider() : nullptr;
}

TIntfPtr<IXcDataContext> TXcBaseDataContexts::FindByName(std::string_view name) {
    return FindIn(*this, name);
}

TIntfPtr<IXcDataContext> TXcBaseDataContexts::GetContextByName(std::string_view path) {
    TIntfPtr<IXcDataContexts> list(this);
    while (list && !path.empty()) {
        const size_t separator = path.find_first_of("\\/");
        const std::string_view segment = path.substr(0, separator);
        path = separator == std::string_view::npos ? std::string_view() : path.substr(separator + 1);
        if (segment == "..") {
            TIntfPtr<IXcDataContext> ancestor = list->Ancestor();
            if (!ancestor) return {};
            list = ancestor->Contexts();
        } else if (segment.empty()) {
            list = RootOf(list);
        } else {
            TIntfPtr<IXcDataContext> found = FindIn(*list, segment);
            if (!found || path.empty()) return found;
            list = Query<IXcDataContexts>(found);
        }
    }
    return {};
}

int TXcBaseDataContexts::IndexOf(IXcDataContext* context) {
    for (int i = 0, n = GetCount(); i < n; ++i)
        if (SameObject(GetContext(i).get(), context)) return i;
    return -1;
}

bool TXcBaseDataContexts::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataContexts::IID) return Answer<IXcDataContexts>(obj);
    return TExtensibleInterfacedPersistent::GetInterface(iid, obj);
}

// ---- TXcDataContexts ----------------------------------------------------

CL_CLASS_INFO(TXcDataContexts)

TXcDataContexts::~TXcDataContexts() {
    for (auto& context : contexts_) context->SetOwnerContexts(nullptr);
}

TIntfPtr<IXcDataContext> TXcDataContexts::GetContext(int index) {
    if (index < 0 || index >= GetCount())
        throw EXCLDataContexts("List index out of bounds (" + cl::IntToStr(index) + ")");
    return contexts_[index].get();
}

void TXcDataContexts::Add(TXcBaseDataContext& context) {
    if (TIntfPtr<IXcDataContext> named = FindByName(context.Name())) {
        if (SameObject(named.get(), static_cast<IXcDataContext*>(&context))) return;
        throw EXCLDataContexts(kNameExists);
    }
    TIntfPtr<TXcBaseDataContext> hold(&context);
    IXcDataContext* source = &context;
    NotifyChanging(Provider(), xcrContextAdded, source);
    contexts_.push_back(hold);
    context.SetOwnerContexts(this);
    NotifyChanged(Provider(), xcrContextAdded, source);
}

void TXcDataContexts::Delete(int index) {
    TIntfPtr<IXcDataContext> context = GetContext(index);
    if (!contexts_[index]->MayBeDeleted()) throw EXCLDataContexts("Context cannot be deleted");
    NotifyChanging(Provider(), xcrContextRemoved, context.get());
    if (const int now = IndexOf(context.get()); now >= 0) {
        contexts_[now]->SetOwnerContexts(nullptr);
        contexts_.erase(contexts_.begin() + now);
    }
    NotifyChanged(Provider(), xcrContextRemoved, context.get());
}

bool TXcDataContexts::NoneSelected() const {
    return std::all_of(contexts_.begin(), contexts_.end(), [](const auto& c) { return c->MayBeDeleted(); });
}

// ---- Contexts -----------------------------------------------------------

CL_CLASS_INFO(TXcBaseDataContext)

TXcBaseDataContext::TXcBaseDataContext(IXcDataContexts* owner) : owner_(owner) {
    if (!owner) throw EXCLDataContexts("Cannot create a context without a context list owner");
}

bool TXcBaseDataContext::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataContext::IID) return Answer<IXcDataContext>(obj);
    return TExtensibleInterfacedPersistent::GetInterface(iid, obj);
}

CL_CLASS_INFO(TXcDataContext, Prop("Name", &TXcDataContext::Name, &TXcDataContext::SetName))

TXcDataContext::~TXcDataContext() {
    if (subContexts_) subContexts_->DetachAncestor();
}

void TXcDataContext::SetName(const std::string& name) {
    if (name == name_) return;
    if (TIntfPtr<IXcDataContexts> owner = Contexts()) {
        TIntfPtr<IXcDataContext> named = FindIn(*owner, name);
        if (named && !SameObject(named.get(), static_cast<IXcDataContext*>(this)))
            throw EXCLDataContexts(kNameExists);
    }
    name_ = name;
}

bool TXcDataContext::MayBeDeleted() const {
    return TXcBaseDataContext::MayBeDeleted() && (!subContexts_ || subContexts_->NoneSelected());
}

TXcDataContexts& TXcDataContext::SubContexts() {
    if (!subContexts_) subContexts_ = New<TXcDataContexts>(static_cast<IXcDataContext*>(this));
    return *subContexts_;
}

bool TXcDataContext::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataContexts::IID) {
        IXcDataContexts* contexts = &SubContexts();
        contexts->AddRef();
        *obj = contexts;
        return true;
    }
    return TXcBaseDataContext::GetInterface(iid, obj);
}

CL_CLASS_INFO(TXcManagedDataContext)

bool TXcManagedDataContext::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataManagedContext::IID) return Answer<IXcDataManagedContext>(obj);
    return TXcDataContext::GetInterface(iid, obj);
}

CL_CLASS_INFO(TXcFixedDataContext)

// ---- TXcContextSelection ------------------------------------------------

void TXcContextSelection::Set(TIntfPtr<IXcDataContext> context) {
    // Contexts of other kinds are not counted.
    if (auto* old = dynamic_cast<TXcBaseDataContext*>(context_.get())) --old->selections_;
    context_ = std::move(context);
    if (auto* now = dynamic_cast<TXcBaseDataContext*>(context_.get())) ++now->selections_;
}
