// Contexts: names that clash, path lookups, broadcasts.
#include <gtest/gtest.h>

#include "frameworks/data/XcExceptions.h"
#include "tests/frameworks/DataTestSupport.h"

namespace {

TIntfPtr<TXcDataContext> MakeContext(TXcDataContexts& list, const std::string& name, bool add = true) {
    TIntfPtr<TXcDataContext> context = New<TXcDataContext>(static_cast<IXcDataContexts*>(&list));
    context->SetName(name);
    if (add) list.Add(*context);
    return context;
}

TXcDataContext& First(TXcDataContexts& list) {
    return dynamic_cast<TXcDataContext&>(*list.GetContext(0));
}

TEST(Contexts, NamesClashWithoutRegardToCaseOnlyBetweenDifferentContexts) {
    const char* const kClash = "A context with that name already exists";
    struct {
        const char* what;
        std::function<void(TXcDataContexts&)> act;
        const char* raises;
        int count;
    } cases[] = {
        {"rename another to its name", [](TXcDataContexts& l) { MakeContext(l, "Other")->SetName("Main"); },
         kClash, 2},
        {"rename another to it in other case",
         [](TXcDataContexts& l) { MakeContext(l, "Other")->SetName("mAIN"); }, kClash, 2},
        {"rename it in other case", [](TXcDataContexts& l) { First(l).SetName("MAIN"); }, "", 1},
        {"name a context made for the list like it",
         [](TXcDataContexts& l) { MakeContext(l, "x", false)->SetName("Main"); }, kClash, 1},
        {"add another of that name from another list",
         [](TXcDataContexts& l) {
             TIntfPtr<TXcDataContexts> other = New<TXcDataContexts>();
             l.Add(*MakeContext(*other, "Main"));
         },
         kClash, 1},
        {"add it again", [](TXcDataContexts& l) { l.Add(First(l)); }, "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeProvider provider;
        TXcDataContexts& list = provider.Contexts();
        MakeContext(list, "Main");
        EXPECT_EQ(MessageOf<EXCLDataContexts>([&] { c.act(list); }), c.raises);
        EXPECT_EQ(list.GetCount(), c.count);
    }
}

TEST(Contexts, AContextNeedsAListOwner) {
    EXPECT_EQ(
        MessageOf<EXCLDataContexts>([] { New<TXcDataContext>(static_cast<IXcDataContexts*>(nullptr)); }),
        "Cannot create a context without a context list owner");
}

TEST(Contexts, PathLookupsFollowSubContextsAncestorsAndTheRoot) {
    TFakeProvider provider;
    TIntfPtr<TXcDataContext> a = MakeContext(provider.Contexts(), "a");
    TIntfPtr<TXcDataContext> x = MakeContext(provider.Contexts(), "x");
    TIntfPtr<TXcDataContext> b = MakeContext(a->SubContexts(), "b");
    TIntfPtr<TXcDataContext> ax = MakeContext(a->SubContexts(), "x");
    struct {
        IXcDataContexts* from;
        const char* path;
        TXcDataContext* found;
    } cases[] = {
        {&provider.Contexts(), "a/b", b.get()}, {&provider.Contexts(), "A\\B", b.get()},
        {&provider.Contexts(), "/a", a.get()},  {&provider.Contexts(), "..", nullptr},
        {&provider.Contexts(), "q/b", nullptr}, {&a->SubContexts(), "x", ax.get()},
        {&a->SubContexts(), "../x", x.get()},   {&a->SubContexts(), "/a/b", b.get()},
        {&a->SubContexts(), "/x", x.get()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.from->GetContextByName(c.path).get(), static_cast<IXcDataContext*>(c.found));
    }
    EXPECT_EQ(a->SubContexts().Provider(), &provider);
}

TEST(Contexts, AddingAndDeletingBroadcastAroundTheChange) {
    TFakeProvider provider;
    TIntfPtr<TXcDataContext> kept = MakeContext(provider.Contexts(), "Main");
    provider.Contexts().Delete(0);
    EXPECT_EQ(provider.log, (std::vector<std::string>{"changing 5", "changed 5", "changing 6", "changed 6"}));
    EXPECT_EQ(kept->Contexts(), nullptr);
    EXPECT_EQ(MessageOf<EXCLDataContexts>([&] { provider.Contexts().Delete(0); }),
              "List index out of bounds (0)");
}

TEST(Contexts, AContextIsNotDeletedWhileAConsumerHasItOrOneBelowItSelected) {
    const char* const kRefused = "Context cannot be deleted";
    TFakeProvider provider;
    TXcDataContexts& top = provider.Contexts();
    TIntfPtr<TXcDataContext> a = MakeContext(top, "a");
    MakeContext(top, "b");
    MakeContext(a->SubContexts(), "a1");
    TIntfPtr<TXcDataConsumer> consumer = New<TXcDataConsumer>(nullptr, std::vector<int32_t>{});
    consumer->SetProvider(&provider);
    consumer->SetContext("a/a1");
    provider.log.clear();
    EXPECT_EQ(MessageOf<EXCLDataContexts>([&] { top.Delete(0); }), kRefused);
    EXPECT_EQ(MessageOf<EXCLDataContexts>([&] { a->SubContexts().Delete(0); }), kRefused);
    EXPECT_TRUE(provider.log.empty());  // nothing announced
    EXPECT_EQ(top.GetCount(), 2);

    consumer->SetContext("b");
    a->SubContexts().Delete(0);
    EXPECT_EQ(MessageOf<EXCLDataContexts>([&] { top.Delete(1); }), kRefused);
    // A second consumer of the same context: both must let go.
    TIntfPtr<TXcDataConsumer> other = New<TXcDataConsumer>(nullptr, std::vector<int32_t>{});
    other->SetProvider(&provider);
    other->SetContext("b");
    consumer->SetProvider(nullptr);
    EXPECT_EQ(MessageOf<EXCLDataContexts>([&] { top.Delete(1); }), kRefused);
    other->SetProvider(nullptr);
    top.Delete(1);
    top.Delete(0);
    EXPECT_EQ(top.GetCount(), 0);
}

}  // namespace
