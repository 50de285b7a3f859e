#include "classlib/WndProcHooks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using cl::hpAfter;
using cl::hpBefore;
using cl::THookToken;

struct Msg {
    int id = 0;
};
using Hooks = cl::TWndProcHooks<Msg>;

// A control stand-in: its hooks and its own processing, which logs "own".
struct Owner {
    Hooks hooks;
    std::string log;
    void Send(int id, bool swallowable = true) {
        Msg m{id};
        hooks.Dispatch(m, swallowable, [this](Msg&) { log += "own "; });
    }
    THookToken Log(const std::string& name, cl::THookPhase phase, bool handles = false) {
        return hooks.Add(
            [this, name, handles](Msg&, bool& handled) {
                log += name + " ";
                handled = handles;
            },
            phase);
    }
};

TEST(WndProcHooks, LastAddedRunsFirstAroundTheOwnProcessing) {
    Owner o;
    o.Log("b1", hpBefore);
    o.Log("a1", hpAfter);
    o.Log("b2", hpBefore);
    o.Log("a2", hpAfter);
    o.Send(1);
    EXPECT_EQ(o.log, "b2 b1 own a2 a1 ");
}

TEST(WndProcHooks, HandledStopsItsPhaseAndABeforeHookSwallowsTheRest) {
    struct Case {
        const char* handler;  // the hook that sets Handled
        bool swallowable;
        const char* log;
    };
    const Case cases[] = {
        {"b2", true, "b2 "},
        {"b2", false, "b2 own a2 a1 "},  // a window's destruction reaches the control
        {"a2", true, "b2 b1 own a2 "},
        {"b1", true, "b2 b1 "},
    };
    for (const Case& c : cases) {
        Owner o;
        const std::string h = c.handler;
        o.Log("b1", hpBefore, h == "b1");
        o.Log("a1", hpAfter, h == "a1");
        o.Log("b2", hpBefore, h == "b2");
        o.Log("a2", hpAfter, h == "a2");
        o.Send(1, c.swallowable);
        EXPECT_EQ(o.log, c.log) << c.handler << " " << c.swallowable;
    }
}

TEST(WndProcHooks, RemovedDuringADispatchIsNotCalledAddedWaitsForTheNextMessage) {
    Owner o;
    THookToken later, self, added;
    later = o.Log("later", hpAfter);
    self = o.hooks.Add(
        [&](Msg&, bool&) {
            o.log += "self ";
            // Removing itself must not destroy the function that runs.
            EXPECT_TRUE(o.hooks.Remove(self));
            EXPECT_TRUE(o.hooks.Remove(later));
            added = o.Log("added", hpAfter);
        },
        hpBefore);
    o.Send(1);
    EXPECT_EQ(o.log, "self own ");
    EXPECT_FALSE(o.hooks.Remove(self));
    o.log.clear();
    o.Send(2);
    EXPECT_EQ(o.log, "own added ");
    EXPECT_TRUE(added);
}

TEST(WndProcHooks, AHookRemovedInANestedMessageIsSkippedByTheOuterOne) {
    Owner o;
    const THookToken victim = o.Log("victim", hpBefore);
    o.hooks.Add(
        [&](Msg& m, bool&) {
            if (m.id != 1) return;
            o.Send(2);  // nested: runs victim, then removes it
            o.hooks.Remove(victim);
        },
        hpBefore);
    o.Send(1);
    EXPECT_EQ(o.log, "victim own own ");
    EXPECT_EQ(o.hooks.Count(), 1);
}

TEST(WndProcHooks, AnOwnerFreedInsideItsOwnDispatchStopsTheWalk) {
    // Freed by a before hook, by its own processing, in a nested message.
    for (int where = 0; where < 3; ++where) {
        auto* o = new Owner;
        std::string outside;  // outlives the owner
        o->hooks.Add([&outside](Msg&, bool&) { outside += "a "; }, hpAfter);
        o->hooks.Add(
            [o, where, &outside](Msg& m, bool&) {
                outside += "b ";
                if (where == 0) delete o;
                if (where == 2 && m.id == 1) {
                    Msg nested{2};
                    o->hooks.Dispatch(nested, true, [o](Msg&) { delete o; });
                }
            },
            hpBefore);
        o->hooks.Add([&outside](Msg&, bool&) { outside += "first "; }, hpBefore);
        Msg m{1};
        o->hooks.Dispatch(m, true, [o, &outside](Msg&) {
            outside += "own ";
            delete o;
        });
        const char* expected[] = {"first b ", "first b own ", "first b first b "};
        EXPECT_EQ(outside, expected[where]) << where;
    }
}

TEST(WndProcHooks, AClosedListTakesNoHooksButStillRunsTheOwnProcessing) {
    Owner a, b;
    const THookToken token = a.Log("a", hpBefore);
    EXPECT_FALSE(b.hooks.Remove(token));  // another list's token
    EXPECT_FALSE(a.hooks.Add(nullptr));
    a.hooks.Close();
    EXPECT_TRUE(a.hooks.Empty());
    EXPECT_FALSE(a.Log("late", hpBefore));
    a.Send(1);
    EXPECT_EQ(a.log, "own ");
}

}  // namespace
