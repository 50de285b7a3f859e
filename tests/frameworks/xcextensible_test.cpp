// Counted objects with extensions: lifetime, query order, duplicates.
#include <gtest/gtest.h>

#include "frameworks/data/XcExceptions.h"
#include "tests/frameworks/DataTestSupport.h"

namespace {

class IFirst : public virtual IInterface {
public:
    static constexpr TGUID IID = {0x11111111, 0, 0, {1, 0, 0, 0, 0, 0, 0, 0}};
    virtual const char* Who() = 0;
};
class ISecond : public virtual IInterface {
public:
    static constexpr TGUID IID = {0x22222222, 0, 0, {2, 0, 0, 0, 0, 0, 0, 0}};
    virtual const char* Who() = 0;
};

// Answers IFirst itself; counts its own destruction.
class THost : public TExtensibleInterfacedPersistent, public IFirst {
    CL_CLASS(THost, TExtensibleInterfacedPersistent)

    explicit THost(int& freed) : freed_(freed) {}
    const char* Who() override { return "host"; }
    bool GetInterface(const TGUID& iid, void** obj) override {
        if (iid == IFirst::IID) return Answer<IFirst>(obj);
        return TExtensibleInterfacedPersistent::GetInterface(iid, obj);
    }

protected:
    ~THost() override { ++freed_; }

private:
    int& freed_;
};
CL_CLASS_INFO(THost)

// Answers both interfaces under its name.
class TExtA : public TAggregatedPersistentEx, public IFirst, public ISecond {
    CL_CLASS(TExtA, TAggregatedPersistentEx)

    TExtA(TExtensibleInterfacedPersistent& owner, const char* name = "A")
        : TAggregatedPersistentEx(owner), name_(name) {}
    const char* Who() override { return name_; }
    bool GetInterface(const TGUID& iid, void** obj) override {
        if (iid == IFirst::IID) return Answer<IFirst>(obj);
        if (iid == ISecond::IID) return Answer<ISecond>(obj);
        return false;
    }

private:
    const char* name_;
};
CL_CLASS_INFO(TExtA)

class TExtB : public TExtA {
    CL_CLASS(TExtB, TExtA)
    TExtB(TExtensibleInterfacedPersistent& owner) : TExtA(owner, "B") {}
};
CL_CLASS_INFO(TExtB)

class TExtC : public TAggregatedPersistentEx, public ISecond {
    CL_CLASS(TExtC, TAggregatedPersistentEx)

    using TAggregatedPersistentEx::TAggregatedPersistentEx;
    const char* Who() override { return "C"; }
    bool GetInterface(const TGUID& iid, void** obj) override {
        if (iid == ISecond::IID) return Answer<ISecond>(obj);
        return false;
    }
};
CL_CLASS_INFO(TExtC)

TEST(Extensible, TheFactoryHandsOutTheOneReferenceAndTheLastReleaseFrees) {
    int freed = 0;
    TIntfPtr<THost> host = New<THost>(freed);
    EXPECT_EQ(host->RefCount(), 1);
    {
        TIntfPtr<IFirst> first = Query<IFirst>(host);
        EXPECT_EQ(host->RefCount(), 2);
        TExtA& ext = CreateExtension<TExtA>(*host);
        TIntfPtr<ISecond> viaExtension = Query<ISecond>(static_cast<IInterface*>(static_cast<IFirst*>(&ext)));
        EXPECT_EQ(host->RefCount(), 3);  // an extension counts on its owner
    }
    EXPECT_EQ(host->RefCount(), 1);
    host.reset();
    EXPECT_EQ(freed, 1);
}

TEST(Extensible, OwnInterfacesComeFirstThenExtensionsLastJoinedFirst) {
    int freed = 0;
    TIntfPtr<THost> host = New<THost>(freed);
    CreateExtension<TExtA>(*host);
    CreateExtension<TExtC>(*host);
    EXPECT_STREQ(Query<IFirst>(host)->Who(), "host");
    EXPECT_STREQ(Query<ISecond>(host)->Who(), "C");
    host->ClearIntfImpl();
    CreateExtension<TExtC>(*host);
    CreateExtension<TExtA>(*host);
    EXPECT_STREQ(Query<ISecond>(host)->Who(), "A");
    void* none = &none;
    EXPECT_EQ(host->QueryInterface(IXcDataItem::IID, &none), XC_E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
}

TEST(Extensible, AnExtensionAsksItsOwnerForWhatItLacks) {
    int freed = 0;
    TIntfPtr<THost> host = New<THost>(freed);
    TExtC& ext = CreateExtension<TExtC>(*host);
    IInterface* asExtension = static_cast<ISecond*>(&ext);
    EXPECT_STREQ(Query<IFirst>(asExtension)->Who(), "host");
    EXPECT_TRUE(SameObject(asExtension, static_cast<IFirst*>(host.get())));
}

TEST(Extensible, ASecondExtensionOfAClassOrOfABaseOfOneThereRaises) {
    struct {
        const char* present;
        const char* added;
        bool raises;
    } cases[] = {
        {"A", "A", true},
        {"B", "A", true},  // A is a base of the B that is there
        {"A", "B", false},
        {"A", "C", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.present) + " then " + c.added);
        int freed = 0;
        TIntfPtr<THost> host = New<THost>(freed);
        const auto add = [&](std::string_view which) {
            if (which == "A") CreateExtension<TExtA>(*host);
            if (which == "B") CreateExtension<TExtB>(*host);
            if (which == "C") CreateExtension<TExtC>(*host);
        };
        add(c.present);
        const std::string message = MessageOf<EXCLException>([&] { add(c.added); });
        EXPECT_EQ(message, c.raises ? "Implementation of that class already exists" : "");
        EXPECT_EQ(host->ExtensionCount(), c.raises ? 1 : 2);
    }
}

// Answers IXcDataItemExtensionNotify for itself.
class TNotifyExt : public TXcDataItemAggregatedObject, public IXcDataItemExtensionNotify {
    CL_CLASS(TNotifyExt, TXcDataItemAggregatedObject)

    using TXcDataItemAggregatedObject::TXcDataItemAggregatedObject;
    void ItemDestroying() override {}
    bool CanDeleteItem() override { return true; }
    bool GetInterface(const TGUID& iid, void** obj) override {
        if (iid == IXcDataItemExtensionNotify::IID) return Answer<IXcDataItemExtensionNotify>(obj);
        return false;
    }
};
CL_CLASS_INFO(TNotifyExt)

TEST(Extensible, AnItemExtensionAnswersTheNotifyInterfaceOnlyForItself) {
    TIntfPtr<TXcBaseDataItem> item = New<TXcBaseDataItem>(nullptr);
    auto& notify = CreateExtension<TNotifyExt>(*item);
    auto& text = CreateExtension<TXcDataItemTextImpl>(*item);
    IInterface* textIntf = static_cast<IXcDataItemText*>(&text);
    EXPECT_EQ(Query<IXcDataItemExtensionNotify>(textIntf), nullptr);
    EXPECT_NE(Query<IXcDataItem>(textIntf), nullptr);  // other queries still reach the item
    EXPECT_EQ(Query<IXcDataItemExtensionNotify>(item).get(),
              static_cast<IXcDataItemExtensionNotify*>(&notify));
}

// Makes a second TExtA while it is built.
class THostWithTwins : public THost {
    CL_CLASS(THostWithTwins, THost)
    using THost::THost;

protected:
    void InitImplementers() override {
        CreateExtension<TExtA>(*this);
        CreateExtension<TExtA>(*this);
    }
};
CL_CLASS_INFO(THostWithTwins)

TEST(Extensible, AnObjectWhoseSetUpFailsIsFreedAndTheErrorPassesOn) {
    int freed = 0;
    EXPECT_EQ(MessageOf<EXCLException>([&] { New<THostWithTwins>(freed); }),
              "Implementation of that class already exists");
    EXPECT_EQ(freed, 1);
}

}  // namespace
