#pragma once
// A small provider for the data framework's tests, and a tree builder.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "frameworks/data/XcDataConsumer.h"
#include "frameworks/data/XcDataContexts.h"
#include "frameworks/data/XcDataItemText.h"
#include "frameworks/data/XcDataItems.h"
#include "frameworks/data/XcDataItemsManagement.h"
#include "frameworks/data/XcDataRegistration.h"

// A provider as a component would be one: not counted, it lives until its
// owner frees it and says so with reason 4.  It keeps its clients counted
// and broadcasts over a copy of its list, so a client may leave mid-way.
class TFakeProvider : public IXcDataProvider {
public:
    TFakeProvider() {
        roots_ = New<TXcDataItemsList>(static_cast<IXcDataProvider*>(this));
        CreateExtension<TXcBaseDataItemsListManagement>(*roots_);
        contexts_ = New<TXcDataContexts>(static_cast<IXcDataProvider*>(this));
    }
    ~TFakeProvider() { Broadcast(xcrProviderDestroying, nullptr); }
    TFakeProvider(const TFakeProvider&) = delete;
    TFakeProvider& operator=(const TFakeProvider&) = delete;

    int32_t QueryInterface(const TGUID& iid, void** obj) override {
        *obj = nullptr;
        if (iid == IInterface::IID || iid == IXcDataProvider::IID) {
            *obj = static_cast<IXcDataProvider*>(this);
            return XC_S_OK;
        }
        if (iid == IXcDataContexts::IID && withContexts) {
            IXcDataContexts* contexts = contexts_.get();
            contexts->AddRef();
            *obj = contexts;
            return XC_S_OK;
        }
        return XC_E_NOINTERFACE;
    }
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }

    void RegisterChangeNotify(IXcDataProviderNotify* client) override { clients_.emplace_back(client); }
    void UnregisterChangeNotify(IXcDataProviderNotify* client) override {
        std::erase_if(clients_, [client](const auto& known) { return known.get() == client; });
    }
    TIntfPtr<IXcDataItems> GetItems() override { return roots_.get(); }
    void PushConsumer(IXcDataConsumer*) override { ++consumerDepth; }
    void PopConsumer() noexcept override { --consumerDepth; }
    void SelectContext(IXcDataContext*) override { ++contextDepth; }
    void ReleaseContext() noexcept override { --contextDepth; }
    void Changing(TXcDataChangeReason reason, IInterface* source) override {
        log.push_back("changing " + std::to_string(reason));
        for (auto& client : Copy()) client->DataProviderChanging(this, reason, source);
    }
    void Changed(TXcDataChangeReason reason, IInterface* source) override {
        log.push_back("changed " + std::to_string(reason));
        for (auto& client : Copy()) client->DataProviderChanged(this, reason, source);
    }
    std::vector<cl::TPersistentClass> ConsumerExtensionClasses() override { return extensionClasses; }

    void Broadcast(TXcDataChangeReason reason, IInterface* source) {
        Changing(reason, source);
        Changed(reason, source);
    }
    TXcDataItemsList& Roots() { return *roots_; }
    TXcDataContexts& Contexts() { return *contexts_; }
    int ClientCount() const { return static_cast<int>(clients_.size()); }

    int consumerDepth = 0;
    int contextDepth = 0;
    bool withContexts = true;
    std::vector<std::string> log;
    std::vector<cl::TPersistentClass> extensionClasses;

private:
    std::vector<TIntfPtr<IXcDataProviderNotify>> Copy() const { return clients_; }

    TIntfPtr<TXcDataItemsList> roots_;
    TIntfPtr<TXcDataContexts> contexts_;
    std::vector<TIntfPtr<IXcDataProviderNotify>> clients_;
};

// The item's sub-list, made when it has none.
inline TXcBaseDataItems& SubItemsOf(TXcBaseDataItem& item) {
    const int index = item.IndexOfImplClass(TXcBaseDataItemSubItems::StaticClassInfo());
    auto& ext = index >= 0 ? static_cast<TXcBaseDataItemSubItems&>(*item.Extension(index))
                           : CreateExtension<TXcBaseDataItemSubItems>(item);
    return ext.SubItems();
}

// An item with that ID and caption, appended to list without broadcasts.
inline TXcBaseDataItem& AddItem(TXcBaseDataItems& list, const std::string& id) {
    TIntfPtr<TXcBaseDataItem> item = New<TXcBaseDataItem>(static_cast<IXcDataItems*>(&list));
    item->SetID(id);
    CreateExtension<TXcDataItemTextImpl>(*item).SetCaption("Caption of " + id);
    list.InternalAdd(*item);
    return *item;
}

// Builds a tree from "a{b,c{d}},e" (a and e at the top, b and c under a, d
// under c; "a{}" has an empty sub-list) and names each item by its path,
// "a/c/d", in the map.
class TTreeBuilder {
public:
    std::map<std::string, TXcBaseDataItem*> items;

    void Build(TXcBaseDataItems& list, std::string_view spec) {
        std::string_view rest = spec;
        Level(list, rest, "");
    }

private:
    void Level(TXcBaseDataItems& list, std::string_view& rest, const std::string& prefix) {
        while (!rest.empty() && rest.front() != '}') {
            const size_t end = rest.find_first_of(",{}");
            const std::string id(rest.substr(0, end));
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
            TXcBaseDataItem& item = AddItem(list, id);
            items[prefix + id] = &item;
            if (!rest.empty() && rest.front() == '{') {
                rest.remove_prefix(1);
                Level(SubItemsOf(item), rest, prefix + id + "/");
                rest.remove_prefix(1);  // '}'
            }
            if (!rest.empty() && rest.front() == ',') rest.remove_prefix(1);
        }
    }
};

// The message of the exception f raises, "" when it raises none.
template <class E, class F>
std::string MessageOf(F f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "";
}
