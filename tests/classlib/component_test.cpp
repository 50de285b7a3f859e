// The owner tree: destruction order, notifications, names and loading.
#include "classlib/Component.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Exceptions.h"

using namespace cl;

namespace {

using Log = std::vector<std::string>;

// Logs its notifications, Loaded and destruction.
class TRecorder : public TComponent {
    CL_CLASS(TRecorder, TComponent)

    TRecorder(TComponent* owner, const std::string& name, Log& log) : TComponent(owner), log_(log) {
        SetName(name);
    }
    ~TRecorder() override { log_.push_back("~" + Name()); }
    bool WasLoading() const { return wasLoading_; }
    void Remember() { wasLoading_ = ComponentState() & csLoading; }
    // Laid out inside parent, as a control in its parent window.
    TComponent* parent = nullptr;
    TComponent* GetParentComponent() const override { return parent; }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        log_.push_back(Name() + (operation == opInsert ? " +" : " -") + component->Name());
        TComponent::Notification(component, operation);
    }
    void Loaded() override {
        TComponent::Loaded();
        log_.push_back("Loaded " + Name());
    }

    Log& log_;

private:
    bool wasLoading_ = false;
};

CL_CLASS_INFO(TRecorder)

// Asks the owner it was made with, from its destructor, who that owner is:
// the answer comes from the owner's most derived class only while the owner
// is still whole.
class TNode : public TRecorder {
    CL_CLASS(TNode, TRecorder)

    TNode(TComponent* owner, const std::string& name, Log& log)
        : TRecorder(owner, name, log), creator_(dynamic_cast<TNode*>(owner)) {}
    ~TNode() override {
        if (creator_) log_.push_back(Name() + " sees " + creator_->Describe());
    }
    virtual std::string Describe() const { return "whole " + Name(); }

private:
    TNode* creator_;
};

CL_CLASS_INFO(TNode)

// Only notifications, to keep the logs of the destruction tests short.
Log Notifications(const Log& log) {
    Log out;
    for (const std::string& line : log)
        if (line.find(" +") != std::string::npos || line.find(" -") != std::string::npos) out.push_back(line);
    return out;
}

TEST(Component, FreeDestroysOwnedComponentsLastFirstWhileOwnerIsWhole) {
    Log log;
    auto* owner = new TNode(nullptr, "Form", log);
    new TNode(owner, "A", log);
    auto* b = new TNode(owner, "B", log);
    new TNode(b, "B1", log);
    new TNode(owner, "C", log);
    log.clear();
    owner->Free();
    const Log expected = {"C sees whole Form",
                          "~C",
                          "B1 sees whole B",
                          "~B1",
                          "B sees whole Form",
                          "~B",
                          "A sees whole Form",
                          "~A",
                          "~Form"};
    EXPECT_EQ(log, expected);
}

TEST(Component, PlainDeleteStillDestroysOwnedComponents) {
    Log log;
    auto* owner = new TRecorder(nullptr, "Form", log);
    new TRecorder(owner, "A", log);
    new TRecorder(owner, "B", log);
    log.clear();
    delete owner;
    const Log expected = {"~Form", "~B", "~A"};
    EXPECT_EQ(log, expected);
}

TEST(Component, ComponentFreedByHandLeavesItsOwnerAndTellsTheTree) {
    // Freed, the component is still whole and hears of itself; deleted,
    // its own override is gone by then.
    struct Case {
        const char* what;
        std::function<void(TComponent* dying)> destroy;
        Log expected;
    };
    const Case cases[] = {
        {"Free", [](TComponent* c) { c->Free(); }, {"Form -A", "B -A", "A -A"}},
        {"delete", [](TComponent* c) { delete c; }, {"Form -A", "B -A"}},
    };
    for (const Case& c : cases) {
        Log log;
        TRecorder form(nullptr, "Form", log);
        auto* a = new TRecorder(&form, "A", log);
        new TRecorder(&form, "B", log);
        log.clear();
        c.destroy(a);
        EXPECT_EQ(Notifications(log), c.expected) << c.what;
        ASSERT_EQ(form.ComponentCount(), 1) << c.what;
        EXPECT_EQ(form.Components(0)->Name(), "B");
        EXPECT_EQ(form.FindComponent("A"), nullptr);
    }
}

TEST(Component, DestroyingMarksTheWholeTree) {
    Log log;
    TRecorder form(nullptr, "Form", log);
    auto* a = new TRecorder(&form, "A", log);
    auto* a1 = new TRecorder(a, "A1", log);
    form.Destroying();
    for (TComponent* c :
         {static_cast<TComponent*>(&form), static_cast<TComponent*>(a), static_cast<TComponent*>(a1)})
        EXPECT_TRUE(c->ComponentState() & csDestroying) << c->Name();
}

TEST(Component, NotificationReachesTheWholeOwnerTree) {
    struct Case {
        const char* what;
        std::function<void(TComponent& form, TComponent* x)> act;
        Log expected;
    };
    const Case cases[] = {
        {"insert",
         [](TComponent& form, TComponent* x) { form.InsertComponent(x); },
         {"Form +X", "X +X", "B +X", "B1 +X", "A +X"}},
        {"remove",
         [](TComponent& form, TComponent* x) {
             form.InsertComponent(x);
             form.RemoveComponent(x);
         },
         {"Form +X", "X +X", "B +X", "B1 +X", "A +X", "Form -X", "X -X", "B -X", "B1 -X", "A -X"}},
    };
    for (const Case& c : cases) {
        Log log;
        TRecorder form(nullptr, "Form", log);
        new TRecorder(&form, "A", log);
        auto* b = new TRecorder(&form, "B", log);
        new TRecorder(b, "B1", log);
        TRecorder x(nullptr, "X", log);
        log.clear();
        c.act(form, &x);
        EXPECT_EQ(log, c.expected) << c.what;
    }
}

TEST(Component, InsertMovesAComponentFromItsFormerOwner) {
    Log log;
    TRecorder first(nullptr, "First", log);
    TRecorder second(nullptr, "Second", log);
    auto* a = new TRecorder(&first, "A", log);
    log.clear();
    second.InsertComponent(a);
    EXPECT_EQ(a->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);
    EXPECT_EQ(a->ComponentIndex(), 0);
    const Log expected = {"First -A", "A -A", "Second +A", "A +A"};
    EXPECT_EQ(log, expected);
}

TEST(Component, FreeNotificationWorksBothWaysUntilRemoved) {
    struct Case {
        const char* what;
        bool removeLink;
        bool freeAsker;  // free the component that called FreeNotification, else its partner
        Log expected;
    };
    const Case cases[] = {
        {"asker freed", false, true, {"Partner -Asker", "Child -Asker"}},
        {"partner freed", false, false, {"Asker -Partner"}},
        {"link removed, asker freed", true, true, {}},
        {"link removed, partner freed", true, false, {}},
    };
    for (const Case& c : cases) {
        Log log;
        auto* asker = new TRecorder(nullptr, "Asker", log);
        auto* partner = new TRecorder(nullptr, "Partner", log);
        new TRecorder(partner, "Child", log);
        asker->FreeNotification(partner);
        if (c.removeLink) asker->RemoveFreeNotification(partner);
        log.clear();
        TComponent* survivor = c.freeAsker ? partner : asker;
        (c.freeAsker ? asker : partner)->Free();
        EXPECT_EQ(Notifications(log), c.expected) << c.what;
        // The survivor's link is gone too: its own destruction tells nobody.
        log.clear();
        survivor->Free();
        EXPECT_EQ(Notifications(log), Log{}) << c.what;
    }
}

TEST(Component, OwnedComponentWithFreeNotificationIsAnnouncedWhenOwnerGoes) {
    Log log;
    auto* form = new TRecorder(nullptr, "Form", log);
    TRecorder outside(nullptr, "Outside", log);
    new TRecorder(form, "Quiet", log);
    auto* watched = new TRecorder(form, "Watched", log);
    watched->FreeNotification(&outside);
    log.clear();
    form->Free();
    const Log expected = {"Form -Watched", "Watched -Watched", "Quiet -Watched", "Outside -Watched"};
    EXPECT_EQ(Notifications(log), expected);
}

TEST(Component, FindComponentIgnoresCase) {
    Log log;
    TRecorder form(nullptr, "Form", log);
    new TRecorder(&form, "Edit1", log);
    new TRecorder(&form, "cb1_1_1", log);
    struct Case {
        const char* name;
        const char* found;
    };
    const Case cases[] = {
        {"Edit1", "Edit1"}, {"EDIT1", "Edit1"}, {"CB1_1_1", "cb1_1_1"}, {"Edit2", nullptr}, {"", nullptr},
    };
    for (const Case& c : cases) {
        TComponent* found = form.FindComponent(c.name);
        if (c.found)
            EXPECT_TRUE(found && found->Name() == c.found) << c.name;
        else
            EXPECT_EQ(found, nullptr) << c.name;
    }
}

TEST(Component, NamesMustBeIdentifiersUniqueInTheOwner) {
    Log log;
    TRecorder form(nullptr, "Form", log);
    new TRecorder(&form, "Edit1", log);
    auto* other = new TRecorder(&form, "", log);
    struct Case {
        const char* name;
        const char* error;
    };
    const Case cases[] = {
        {"", nullptr},
        {"Edit2", nullptr},
        {"_x9", nullptr},
        {"1abc", "Component name \"1abc\" is not valid"},
        {"a b", "Component name \"a b\" is not valid"},
        {"a.b", "Component name \"a.b\" is not valid"},
        {"\xBF", "Component name \"\xBF\" is not valid"},
        {"Edit1", "A component named Edit1 already exists"},
        {"EDIT1", "A component named EDIT1 already exists"},
    };
    for (const Case& c : cases) {
        other->SetName("Before");
        std::string error;
        try {
            other->SetName(c.name);
        } catch (const EComponentError& e) {
            error = e.Message();
        }
        EXPECT_EQ(error, c.error ? c.error : "") << c.name;
        EXPECT_EQ(other->Name(), c.error ? "Before" : c.name);
    }
    other->SetName("Edit2");
    other->SetName("EDIT2");  // only the case changes
    EXPECT_EQ(other->Name(), "EDIT2");
}

TEST(Component, InsertingADuplicateNameFailsAndLeavesTheComponentWhereItWas) {
    Log log;
    TRecorder first(nullptr, "First", log);
    TRecorder second(nullptr, "Second", log);
    new TRecorder(&second, "Edit1", log);
    auto* a = new TRecorder(&first, "edit1", log);
    EXPECT_THROW(second.InsertComponent(a), EComponentError);
    EXPECT_EQ(a->Owner(), &first);
    EXPECT_EQ(first.ComponentCount(), 1);
    EXPECT_EQ(second.ComponentCount(), 1);
    // Without an owner any two components may share a name.
    TRecorder x(nullptr, "Same", log);
    TRecorder y(nullptr, "Same", log);
    EXPECT_EQ(x.Name(), y.Name());
}

// The "Loaded ..." lines of a log.
Log LoadedLines(const Log& log) {
    Log loaded;
    for (const std::string& line : log)
        if (line.rfind("Loaded", 0) == 0) loaded.push_back(line);
    return loaded;
}

TEST(Component, LoadedRunsOnceForEachComponentChildrenBeforeParentsThenTheRoot) {
    Log log;
    TRecorder form(nullptr, "Form", log);
    auto* early = new TRecorder(&form, "Early", log);
    std::vector<TRecorder*> built;
    LoadComponentTree(form, [&] {
        auto* panel = new TRecorder(&form, "Panel", log);
        auto* b = new TRecorder(&form, "B", log);
        auto* b1 = new TRecorder(b, "B1", log);  // owned by B
        auto* edit = new TRecorder(&form, "Edit", log);
        edit->parent = panel;  // owned by the form, laid out in Panel
        auto* label = new TRecorder(&form, "Label", log);
        label->parent = edit;
        built = {early, panel, b, b1, edit, label};
        for (TRecorder* r : built) r->Remember();
        form.Remember();
    });
    for (TRecorder* r : built) EXPECT_TRUE(r->WasLoading()) << r->Name();
    EXPECT_TRUE(form.WasLoading());
    const Log expected = {"Loaded Early", "Loaded Label", "Loaded Edit", "Loaded Panel",
                          "Loaded B1",    "Loaded B",     "Loaded Form"};
    EXPECT_EQ(LoadedLines(log), expected);
    for (TComponent* c : {static_cast<TComponent*>(&form), static_cast<TComponent*>(built[5])})
        EXPECT_EQ(c->ComponentState() & (csLoading | csReading), 0) << c->Name();
    // Made after the tree was built: not loading.
    TRecorder later(&form, "Later", log);
    EXPECT_EQ(later.ComponentState() & csLoading, 0);
    form.RemoveComponent(&later);
}

TEST(Component, DeferredContentStaysLoadingUntilItsLoadingIsFinished) {
    Log log;
    TRecorder form(nullptr, "Form", log);
    TRecorder *page = nullptr, *box = nullptr, *heading = nullptr, *group = nullptr;
    LoadComponentTree(form, [&] {
        page = new TRecorder(&form, "Page", log);
        box = new TRecorder(&form, "Box", log);  // no parent yet
        heading = new TRecorder(&form, "Heading", log);
        heading->parent = box;
        group = new TRecorder(&form, "Group", log);  // joins the box later
        DeferLoaded(*box);
        DeferLoaded(*group);
    });
    EXPECT_EQ(LoadedLines(log), (Log{"Loaded Page", "Loaded Form"}));
    for (TRecorder* r : {box, heading, group}) EXPECT_NE(r->ComponentState() & csLoading, 0) << r->Name();
    log.clear();
    FinishLoading(*page);  // never deferred
    EXPECT_TRUE(LoadedLines(log).empty());
    box->parent = page;
    group->parent = box;
    FinishLoading(*box);
    EXPECT_EQ(LoadedLines(log), (Log{"Loaded Heading", "Loaded Group", "Loaded Box"}));
    for (TRecorder* r : {box, heading, group}) EXPECT_EQ(r->ComponentState() & csLoading, 0) << r->Name();
    log.clear();
    FinishLoading(*box);
    FinishLoading(*group);
    EXPECT_TRUE(LoadedLines(log).empty()) << "once";
    // Outside a reading there is nothing to defer.
    TRecorder late(&form, "Late", log);
    DeferLoaded(late);
    FinishLoading(late);
    EXPECT_TRUE(LoadedLines(log).empty());
    form.RemoveComponent(&late);
}

TEST(Component, ComponentsOutOfRangeRaisesListError) {
    Log log;
    TRecorder form(nullptr, "Form", log);
    new TRecorder(&form, "A", log);
    for (int index : {-1, 1}) EXPECT_THROW(form.Components(index), EListError) << index;
    EXPECT_EQ(form.ComponentIndex(), -1);
}

TEST(Component, FreeOfNothingDoesNothing) {
    cl::Free(nullptr);
    Log log;
    TRecorder* r = new TRecorder(nullptr, "R", log);
    FreeAndNil(r);
    EXPECT_EQ(r, nullptr);
    EXPECT_EQ(log, Log{"~R"});
}

// A persistent object owned by a component, as a font is by its control.
class TOwnedPart : public TPersistent {
    CL_CLASS(TOwnedPart, TPersistent)

    explicit TOwnedPart(TComponent* owner) : owner_(owner) {}

protected:
    TPersistent* GetOwner() const override { return owner_; }

private:
    TComponent* owner_;
};

CL_CLASS_INFO(TOwnedPart)

TEST(Component, AssignWithoutSupportRaisesConvertError) {
    TComponent a(nullptr);
    TOwnedPart part(&a);
    struct Case {
        TPersistent* dest;
        TPersistent* source;
        const char* message;
    };
    const Case cases[] = {
        {&a, &part, "Cannot assign a TOwnedPart to a TComponent"},
        {&part, &a, "Cannot assign a TComponent to a TOwnedPart"},
        {&part, nullptr, "Cannot assign a nil to a TOwnedPart"},
    };
    for (const Case& c : cases) {
        std::string message;
        try {
            c.dest->Assign(c.source);
        } catch (const EConvertError& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, c.message);
    }
}

TEST(Component, NamePathJoinsOwnerNames) {
    TComponent edit(nullptr);
    edit.SetName("Edit1");
    TOwnedPart part(&edit);
    TOwnedPart loose(nullptr);
    EXPECT_EQ(edit.GetNamePath(), "Edit1");
    EXPECT_EQ(part.GetNamePath(), "Edit1.TOwnedPart");
    EXPECT_EQ(loose.GetNamePath(), "TOwnedPart");
}

}  // namespace
