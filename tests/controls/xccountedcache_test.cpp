// Values shared by counted users, found by key.
#include "controls/XcCountedCache.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

using Key = std::tuple<int, int, int, bool>;  // width, height, style, custom glyphs

TEST(CountedCache, MakesOncePerKeyAndFreesWithTheLastUser) {
    TXcCountedCache<Key, int> cache;
    int made = 0;
    auto make = [&made] { return std::make_unique<int>(++made); };
    int* a = cache.Acquire({15, 21, 0, false}, make);
    int* b = cache.Acquire({15, 21, 0, false}, make);
    int* c = cache.Acquire({15, 21, 1, false}, make);
    int* d = cache.Acquire({9, 40, 0, true}, make);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_EQ(made, 3);
    EXPECT_EQ(*d, 3);
    EXPECT_EQ(cache.Users({15, 21, 0, false}), 2);
    EXPECT_TRUE(cache.Release({15, 21, 0, false}));
    EXPECT_EQ(cache.Count(), 3);
    EXPECT_TRUE(cache.Release({15, 21, 0, false}));
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_FALSE(cache.Release({15, 21, 0, false}));
    EXPECT_EQ(*cache.Acquire({15, 21, 1, false}, make), 2) << "found among the others";
}

}  // namespace
