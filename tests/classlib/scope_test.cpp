#include "classlib/Scope.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(FlagScope, NestedScopesRestoreTheOuterValueEvenWhenUnwinding) {
    bool busy = false;
    try {
        cl::FlagScope outer(busy);
        {
            cl::FlagScope inner(busy);
            EXPECT_TRUE(busy);
        }
        EXPECT_TRUE(busy);  // the inner scope puts back what it found
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(busy);

    int mode = 1;
    {
        cl::FlagScope scoped(mode, 7);
        EXPECT_EQ(mode, 7);
    }
    EXPECT_EQ(mode, 1);
}

TEST(ScopeExit, RunsOnEveryExitUnlessReleased) {
    int runs = 0;
    try {
        cl::ScopeExit onExit([&] { ++runs; });
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    {
        cl::ScopeExit onExit([&] { ++runs; });
        onExit.Release();
    }
    EXPECT_EQ(runs, 1);
}

}  // namespace
