// TList: bounds checks, moves and sorting of untyped pointers.
#include "classlib/List.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Exceptions.h"

namespace {

using namespace cl;

int values[6] = {0, 1, 2, 3, 4, 5};
void* P(int i) {
    return &values[i];
}

// The list of P(0..n-1).
TList Make(int n) {
    TList list;
    for (int i = 0; i < n; ++i) list.Add(P(i));
    return list;
}

std::vector<int> Indices(const TList& list) {
    std::vector<int> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(static_cast<int*>(list.Items(i)) - values);
    return out;
}

TEST(List, IndexOutOfRangeRaisesWithTheIndex) {
    struct Case {
        const char* what;
        std::function<void(TList&)> act;
        int index;
    };
    const Case cases[] = {
        {"Items past end", [](TList& l) { l.Items(3); }, 3},
        {"Items negative", [](TList& l) { l.Items(-1); }, -1},
        {"SetItems past end", [](TList& l) { l.SetItems(3, nullptr); }, 3},
        {"Delete past end", [](TList& l) { l.Delete(3); }, 3},
        {"Insert beyond Count", [](TList& l) { l.Insert(4, nullptr); }, 4},
        {"Insert negative", [](TList& l) { l.Insert(-1, nullptr); }, -1},
        {"Exchange second", [](TList& l) { l.Exchange(0, 3); }, 3},
        {"Exchange first", [](TList& l) { l.Exchange(-2, 0); }, -2},
        {"Move target", [](TList& l) { l.Move(0, 3); }, 3},
        {"Move source", [](TList& l) { l.Move(5, 0); }, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TList list = Make(3);
        try {
            c.act(list);
            ADD_FAILURE() << "no EListError";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(c.index) + ")");
        }
        EXPECT_EQ(Indices(list), (std::vector<int>{0, 1, 2}));
    }
}

TEST(List, EditsGiveTheExpectedOrder) {
    struct Case {
        const char* what;
        std::function<void(TList&)> act;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"Insert at Count appends", [](TList& l) { l.Insert(4, P(5)); }, {0, 1, 2, 3, 5}},
        {"Insert at front", [](TList& l) { l.Insert(0, P(5)); }, {5, 0, 1, 2, 3}},
        {"Delete middle", [](TList& l) { l.Delete(1); }, {0, 2, 3}},
        {"Move forward", [](TList& l) { l.Move(0, 2); }, {1, 2, 0, 3}},
        {"Move backward", [](TList& l) { l.Move(3, 1); }, {0, 3, 1, 2}},
        {"Exchange", [](TList& l) { l.Exchange(0, 3); }, {3, 1, 2, 0}},
        {"SetItems", [](TList& l) { l.SetItems(2, P(5)); }, {0, 1, 5, 3}},
        {"Clear", [](TList& l) { l.Clear(); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TList list = Make(4);
        c.act(list);
        EXPECT_EQ(Indices(list), c.expected);
    }
}

TEST(List, RemoveAndExtractTakeTheFirstOccurrence) {
    TList list = Make(3);
    list.Add(P(1));
    EXPECT_EQ(list.Remove(P(1)), 1);
    EXPECT_EQ(Indices(list), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(list.Remove(P(5)), -1);
    EXPECT_EQ(list.Extract(P(1)), P(1));
    EXPECT_EQ(list.Extract(P(1)), nullptr);
    EXPECT_EQ(Indices(list), (std::vector<int>{0, 2}));
    EXPECT_EQ(list.IndexOf(P(2)), 1);
    EXPECT_EQ(list.IndexOf(P(4)), -1);
}

TEST(List, SortOrdersByTheComparerAndKeepsEqualItemsInPlace) {
    // Items compare by value / 2, so 2 and 3 are equal, as are 4 and 5.
    TList list;
    for (int i : {5, 3, 0, 4, 2, 1}) list.Add(P(i));
    list.Sort([](void* a, void* b) { return *static_cast<int*>(a) / 2 - *static_cast<int*>(b) / 2; });
    EXPECT_EQ(Indices(list), (std::vector<int>{0, 1, 3, 2, 5, 4}));
}

TEST(List, SortSurvivesAComparerThatIsNoOrder) {
    TList list = Make(6);
    for (int i = 0; i < 50; ++i) list.Add(P(i % 6));
    list.Sort([](void*, void*) { return -1; });
    EXPECT_EQ(list.Count(), 56);
}

}  // namespace
