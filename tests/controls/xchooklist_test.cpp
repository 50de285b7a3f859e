// The hook lists of a hook chain without a window: order, answers that end
// a walk, removal by identity and a release during a walk (the changes
// during a walk go through the chain in tests/controls/win).
#include "controls/XcHookList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Msg {
    int id = 0;
};
using List = TXcHookList<Msg>;

// A hook object whose answer and side effect the case sets.
struct Hook {
    std::string name;
    std::vector<std::string>* log;
    bool answer = false;
    std::function<void()> action = nullptr;
    bool Run(Msg&) {
        log->push_back(name);
        if (action) action();
        return answer;
    }
    TXcHookMethod<Msg> Method() { return HookMethod<&Hook::Run>(this); }
};

struct Other {
    bool Run(Msg&) { return false; }
    bool Skip(Msg&) { return false; }
};

std::vector<std::string> WalkBoth(
    List& list, const std::function<bool()>& stopped = [] { return false; }) {
    Msg m;
    std::vector<std::string> out;
    if (list.Walk(hoBeforeMsg, m, stopped)) out.push_back("handled before");
    if (list.Walk(hoAfterMsg, m, stopped)) out.push_back("handled after");
    return out;
}

TEST(HookList, WalksInOrderAndStopsAtTheFirstAnswer) {
    std::vector<std::string> log;
    Hook a{"a", &log}, b{"b", &log, true}, c{"c", &log}, d{"d", &log};
    List list;
    list.Add(a.Method(), hoBeforeMsg);
    list.Add(c.Method(), hoAfterMsg);
    list.Add(b.Method(), hoAfterMsg);
    list.Add(d.Method(), hoAfterMsg);
    EXPECT_EQ(WalkBoth(list), std::vector<std::string>{"handled after"});
    EXPECT_EQ(log, (std::vector<std::string>{"a", "c", "b"}));
}

TEST(HookList, RemovesTheFirstSameHookOnly) {
    std::vector<std::string> log;
    Hook a{"a", &log};
    Other other;
    List list;
    list.Add(a.Method(), hoBeforeMsg);
    list.Add(a.Method(), hoBeforeMsg);
    EXPECT_FALSE(list.Remove(a.Method(), hoAfterMsg)) << "another order";
    EXPECT_FALSE(list.Remove(HookMethod<&Other::Run>(&other), hoBeforeMsg));
    EXPECT_FALSE(HookMethod<&Other::Run>(&other) == HookMethod<&Other::Skip>(&other));
    EXPECT_TRUE(list.Remove(a.Method(), hoBeforeMsg));
    WalkBoth(list);
    EXPECT_EQ(log, std::vector<std::string>{"a"});
    EXPECT_TRUE(list.Remove(a.Method(), hoBeforeMsg));
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(HookMethod<&Other::Run>(nullptr));
}

TEST(HookList, StopsWhenTheChainIsReleasedMeanwhile) {
    std::vector<std::string> log;
    bool released = false;
    Hook a{"a", &log}, b{"b", &log};
    a.action = [&] { released = true; };
    List list;
    list.Add(a.Method(), hoBeforeMsg);
    list.Add(b.Method(), hoBeforeMsg);
    EXPECT_EQ(WalkBoth(list, [&] { return released; }), std::vector<std::string>{"handled before"});
    EXPECT_EQ(log, std::vector<std::string>{"a"});
}

}  // namespace
