// Consumers: provider and context, the selected item, notifications, loading.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "frameworks/data/XcDataItemSelect.h"
#include "frameworks/data/XcDataViewList.h"
#include "frameworks/data/XcExceptions.h"
#include "tests/frameworks/DataTestSupport.h"
#include "tests/support/Streamed.h"

namespace {

TIntfPtr<TXcDataContext> AddContext(TFakeProvider& provider, const std::string& name) {
    TIntfPtr<TXcDataContext> context =
        New<TXcDataContext>(static_cast<IXcDataContexts*>(&provider.Contexts()));
    context->SetName(name);
    provider.Contexts().Add(*context);
    return context;
}

TXcDataConsumerItemSelect& SelectOf(TXcDataConsumer& consumer) {
    const int index = consumer.IndexOfImplClass(TXcDataConsumerItemSelect::StaticClassInfo());
    return index >= 0 ? static_cast<TXcDataConsumerItemSelect&>(*consumer.Extension(index))
                      : CreateExtension<TXcDataConsumerItemSelect>(consumer);
}

// Calls the consumer's Loaded when its own loading ends, as a control does.
class TOwner : public cl::TComponent {
public:
    TOwner() : TComponent(nullptr) {}
    TIntfPtr<TXcDataConsumer> consumer = New<TXcDataConsumer>(this, std::vector<int32_t>{2});

protected:
    void Loaded() override {
        TComponent::Loaded();
        consumer->Loaded();
    }
};

class ConsumerTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.Build(provider.Roots(), "a{b{c}},x");
        AddContext(provider, "Main");
        AddContext(provider, "Second");
        provider.log.clear();
    }
    // The provider holds its consumers: disconnected before the handlers'
    // captures go.
    void TearDown() override {
        for (auto& consumer : made) consumer->SetProvider(nullptr);
    }
    TIntfPtr<TXcDataConsumer> Make(std::vector<int32_t> attributes = {},
                                   TXcDataConsumer::TRepaint repaint = {}) {
        made.push_back(New<TXcDataConsumer>(nullptr, attributes, std::move(repaint)));
        return made.back();
    }

    TFakeProvider provider;
    std::vector<TIntfPtr<TXcDataConsumer>> made;
    TTreeBuilder tree;
};

TEST(ConsumerWithoutProvider, EntersNothingAndRefusesContextAndItemUnlessLoading) {
    TOwner owner;
    TXcDataConsumer& consumer = *owner.consumer;
    consumer.Enter();
    consumer.Leave();
    EXPECT_EQ(MessageOf<EXCLDataConsumer>([&] { consumer.SetContext("Main"); }),
              "You must specify a provider before setting the context");
    EXPECT_EQ(MessageOf<EXCLDataConsumer>([&] { SelectOf(consumer).SetItemID("a"); }),
              "You must specify a provider before setting the item");
    cl::LoadComponentTree(owner, [&] {
        consumer.SetContext("Main");
        SelectOf(consumer).SetItemID("a");
    });
    EXPECT_EQ(consumer.Context(), "Main");
    EXPECT_EQ(SelectOf(consumer).ItemID(), "a");
    EXPECT_TRUE(SelectOf(consumer).WaitingForFixup());
}

TEST(ConsumerWithoutProvider, KeepsEachAttributeOnce) {
    TIntfPtr<TXcDataConsumer> consumer = New<TXcDataConsumer>(nullptr, std::vector<int32_t>{2, 5, 2});
    EXPECT_EQ(consumer->Attributes(), (std::vector<int32_t>{2, 5}));
    EXPECT_EQ(consumer->AddAttribute(5), 1);
    EXPECT_EQ(consumer->Attributes().size(), 2u);
    EXPECT_TRUE(consumer->AttributeApplies(2));
    EXPECT_FALSE(consumer->AttributeApplies(3));
}

TEST_F(ConsumerTest, SettingTheProviderRegistersSelectsTheFirstContextAndRepaints) {
    std::vector<std::string> events;
    TIntfPtr<TXcDataConsumer> consumer = Make({}, [&] { events.push_back("repaint"); });
    consumer->OnChanging = [&](TXcDataConsumer&, TXcConsumerChangeReason r) {
        events.push_back("changing " + std::to_string(r));
    };
    consumer->OnChanged = [&](TXcDataConsumer&, TXcConsumerChangeReason r) {
        events.push_back("changed " + std::to_string(r));
    };
    consumer->SetProvider(&provider);
    EXPECT_EQ(events, (std::vector<std::string>{"changing 0", "changing 3", "repaint", "changed 3", "repaint",
                                                "changed 0"}));
    EXPECT_EQ(provider.ClientCount(), 1);
    EXPECT_EQ(consumer->Context(), "Main");
    EXPECT_FALSE(consumer->IsContextStored());
    consumer->SetProvider(nullptr);
    EXPECT_EQ(provider.ClientCount(), 0);
}

TEST_F(ConsumerTest, ContextsAreFoundByPathAndAChangeIsCaseSensitive) {
    TIntfPtr<TXcDataConsumer> consumer = Make();
    consumer->SetProvider(&provider);
    int contextChanges = 0;
    consumer->OnChanged = [&](TXcDataConsumer&, TXcConsumerChangeReason r) {
        contextChanges += r == xccContext;
    };
    struct {
        const char* name;
        const char* raises;
        const char* selected;
        int changes;
    } steps[] = {
        {"Second", "", "Second", 1},
        {"Second", "", "Second", 1},
        {"second", "", "Second", 2},  // differs as typed, so looked up again
        {"/Main", "", "Main", 3},
        {"zz", "Provider has no context named \"zz\"", "Main", 3},
        {"", "", "", 4},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        EXPECT_EQ(MessageOf<EXCLDataConsumer>([&] { consumer->SetContext(step.name); }), step.raises);
        EXPECT_EQ(consumer->Context(), step.selected);
        EXPECT_EQ(contextChanges, step.changes);
    }
    provider.withContexts = false;
    EXPECT_EQ(MessageOf<EXCLDataConsumer>([&] { consumer->SetContext("Main"); }),
              "Provider does not support contexts");
}

TEST_F(ConsumerTest, ALookupThatFailsLeavesTheProviderAsItWasEntered) {
    TIntfPtr<TXcDataConsumer> consumer = Make();
    consumer->SetProvider(&provider);
    TXcDataConsumerItemSelect& select = SelectOf(*consumer);
    select.SetItemID("C");
    EXPECT_EQ(select.GetItem().get(), static_cast<IXcDataItem*>(tree.items.at("a/b/c")));
    EXPECT_EQ(MessageOf<EXCLDataConsumer>([&] { select.SetItemID("nope"); }),
              "Item not found in the selected context");
    EXPECT_EQ(provider.consumerDepth, 0);
    EXPECT_EQ(provider.contextDepth, 0);
    EXPECT_EQ(select.ItemID(), "c");  // the selection stays
}

TEST_F(ConsumerTest, DeletingTheSelectedItemOrItsParentClearsTheSelection) {
    TIntfPtr<TXcDataConsumer> consumer = Make();
    consumer->SetProvider(&provider);
    TXcDataConsumerItemSelect& select = SelectOf(*consumer);
    select.SetItemID("c");
    Query<IXcDataItemsManagement>(static_cast<IXcDataItems*>(&provider.Roots()))->Remove(tree.items.at("x"));
    EXPECT_EQ(select.ItemID(), "c");
    CreateExtension<TXcBaseDataItemsListManagement>(SubItemsOf(*tree.items.at("a")));
    Query<IXcDataItemsManagement>(static_cast<IXcDataItems*>(&SubItemsOf(*tree.items.at("a"))))
        ->Delete(0);  // b
    EXPECT_EQ(select.GetItem(), nullptr);
    EXPECT_EQ(provider.consumerDepth, 0);
}

// Reads the first root item's caption through its consumer, as a label does.
struct TReadingOwner {
    TIntfPtr<TXcDataConsumer> consumer = New<TXcDataConsumer>(nullptr, std::vector<int32_t>{3});
    std::string read;

    void Read() {
        TXcDataConsumerScope entered(*consumer);
        if (IXcDataProvider* provider = consumer->Provider())
            read = Query<IXcDataItemText>(provider->GetItems()->GetItem(0))->GetCaption();
    }
};

TEST(ConsumerNotifications, AProviderGoingMidBroadcastLeavesEveryConsumerSound) {
    auto provider = std::make_unique<TFakeProvider>();
    TTreeBuilder tree;
    tree.Build(provider->Roots(), "a{b}");
    TReadingOwner owners[3];
    for (TReadingOwner& owner : owners) {
        owner.consumer->SetProvider(provider.get());
        owner.Read();
    }
    // The first drops its consumer while it hears the provider go, the second
    // once its consumer is disconnected; the third keeps its own.
    owners[0].consumer->OnProviderChanging = [&](TXcDataConsumer&, IXcDataProvider*,
                                                 TXcDataChangeReason reason, IInterface*) {
        if (reason != xcrProviderDestroying) return;
        owners[0].Read();
        owners[0].consumer.reset();
    };
    owners[1].consumer->OnChanged = [&](TXcDataConsumer& sender, TXcConsumerChangeReason) {
        if (!sender.Provider()) owners[1].consumer.reset();
    };
    provider->Broadcast(xcrProviderDestroying, nullptr);
    EXPECT_EQ(provider->ClientCount(), 0);
    EXPECT_EQ(owners[0].consumer, nullptr);
    EXPECT_EQ(owners[1].consumer, nullptr);
    EXPECT_EQ(owners[2].consumer->Provider(), nullptr);
    EXPECT_EQ(owners[2].consumer->ExtensionCount(), 0);  // its view list went with the provider
    EXPECT_EQ(owners[0].read, "Caption of a");
    EXPECT_EQ(provider->consumerDepth, 0);
    provider.reset();
    owners[2].Read();  // no provider: nothing to read, nothing to touch
}

TEST_F(ConsumerTest, TheProviderNamesTheExtensionsItsConsumersGet) {
    provider.extensionClasses = {ExtensionClass<TXcDataConsumerItemSelect>()};
    std::vector<std::string> events;
    TIntfPtr<TXcDataConsumer> consumer = Make({3});
    consumer->OnBeforeCreateExtension = [&](TXcDataConsumer&, cl::TPersistentClass cls) {
        events.push_back("before " + cls.Info->ClassName());
    };
    consumer->OnAfterCreateExtension = [&](TXcDataConsumer&, TXcDataConsumerAggregatedObject& ext) {
        events.push_back("after " + ext.ClassName());
    };
    consumer->SetProvider(&provider);
    EXPECT_EQ(events,
              (std::vector<std::string>{"before TXcDataConsumerItemSelect", "after TXcDataConsumerItemSelect",
                                        "before TXcDataConsumerViewList", "after TXcDataConsumerViewList"}));
    EXPECT_NE(Query<IXcDataConsumerItemSelect>(consumer), nullptr);
    EXPECT_EQ(Query<IXcDataConsumerViewList>(consumer)->Count(), 2);  // built at once
    consumer->SetProvider(nullptr);
    EXPECT_EQ(consumer->ExtensionCount(), 0);
}

TEST_F(ConsumerTest, WhatAStreamSetWhileLoadingIsAppliedOnceAProviderComes) {
    RegisterXcDataProviderClasses();
    TIntfPtr<TXcDataConsumer> written = Make();
    written->SetProvider(&provider);
    const auto bytesOf = [](TXcDataConsumer& consumer) {
        cl::TMemoryStream stream;
        cl::TWriter writer(stream);
        consumer.WriteState(writer);
        return std::string(static_cast<const char*>(stream.Memory()), stream.Size());
    };
    EXPECT_EQ(bytesOf(*written).find("Context"), std::string::npos);  // the provider's first: not stored
    written->SetContext("Second");
    SelectOf(*written).SetItemID("b");
    cl::TMemoryStream stream;
    cl::TWriter writer(stream);
    written->WriteState(writer);

    TOwner owner;
    stream.SetPosition(0);
    cl::TReader reader(stream);
    cl::LoadComponentTree(owner, [&] { owner.consumer->ReadState(reader); });
    TXcDataConsumer& read = *owner.consumer;
    EXPECT_EQ(read.Context(), "Second");  // pending: no provider yet
    read.SetProvider(&provider);
    EXPECT_EQ(read.ContextObject()->Name(), "Second");
    EXPECT_EQ(SelectOf(read).GetItem().get(), static_cast<IXcDataItem*>(tree.items.at("a/b")));
    EXPECT_FALSE(SelectOf(read).WaitingForFixup());
    read.SetProvider(nullptr);
}

// A provider that is a component of a layout, as a provider component would be.
class TProviderComponent : public cl::TComponent, public TFakeProvider {
public:
    using TComponent::TComponent;
};

TEST_F(ConsumerTest, ProviderIsStoredAsTheComponentThatIsIt) {
    cl::TComponent root(nullptr);
    auto* source = new TProviderComponent(&root);
    source->SetName("Zrodlo");
    (new cl::TComponent(&root))->SetName("Inny");
    const auto readInto = [&](TXcDataConsumer& consumer, const std::string& bytes) {
        cltest::ReadWith(&root, bytes, [&](cl::TReader& reader) { consumer.ReadState(reader); });
    };
    const auto layout = [](const char* name) {
        return cltest::Streamed([&](cl::TWriter& writer) {
            writer.WritePropName("Provider");
            writer.WriteIdent(name);
        });
    };
    TIntfPtr<TXcDataConsumer> read = Make();
    readInto(*read, layout("Zrodlo"));
    EXPECT_EQ(read->Provider(), static_cast<IXcDataProvider*>(source));

    cl::TMemoryStream stream;
    cl::TWriter writer(stream);
    read->WriteState(writer);  // ends its own list
    const std::string written(static_cast<const char*>(stream.Memory()), stream.Size());
    EXPECT_NE(written.find(std::string("\x08Provider\x07\x06Zrodlo", 16)), std::string::npos);
    TIntfPtr<TXcDataConsumer> again = Make();
    readInto(*again, written);
    EXPECT_EQ(again->Provider(), static_cast<IXcDataProvider*>(source));

    TIntfPtr<TXcDataConsumer> refused = Make();
    EXPECT_EQ(MessageOf<cl::EPropertyError>([&] { readInto(*refused, layout("Inny")); }),
              "Invalid property value");
    EXPECT_EQ(refused->Provider(), nullptr);
}

}  // namespace
