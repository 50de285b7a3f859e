// The answer controls' rules that need no window: how a check box or radio
// button enables its linked controls, and where an arranging panel puts
// its children and what size it takes.
#include <gtest/gtest.h>

#include <vector>

#include "controls/XcArrangeLayout.h"
#include "controls/XcLinkRule.h"

namespace {

TEST(CheckLinkControlEnabled, FollowsTheLinkedStatesEachOptionallyInverted) {
    constexpr TXcLinkedControlsOptions both = loLinkChecked | loLinkEnabled;
    const struct {
        TXcLinkedControlsOptions options;
        bool enabled, checked, result;
    } cases[] = {
        {both, true, true, true},
        {both, true, false, false},
        {both, false, true, false},
        {loLinkChecked, false, true, true},
        {loLinkChecked, true, false, false},
        {loLinkEnabled, false, true, false},
        {loLinkEnabled, true, false, true},
        {0, true, true, false},
        {both | loInvertChecked, true, false, true},
        {both | loInvertChecked, true, true, false},
        {both | loInvertEnabled, false, true, true},
        {loLinkChecked | loInvertEnabled, true, true,
         true},  // an inversion of what is not linked counts for nothing
        {loInvertChecked | loInvertEnabled, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "options " << int(c.options) << " enabled " << c.enabled << " checked " << c.checked);
        EXPECT_EQ(CheckLinkControlEnabled(c.enabled, c.checked, c.options), c.result);
    }
}

struct Placed {
    int left, top;
    bool operator==(const Placed&) const = default;
};

std::vector<Placed> PlacesOf(const std::vector<TXcArrangedChild>& children) {
    std::vector<Placed> out;
    for (const auto& c : children) out.push_back({c.left, c.top});
    return out;
}

TEST(ArrangeChildren, PlacesInRowsAndSizesThePanel) {
    const auto three = [] { return std::vector<TXcArrangedChild>{{40, 20}, {40, 30}, {40, 10}}; };
    const struct {
        const char* name;
        TXcArrangeParams params;
        int width, height;
        std::vector<Placed> places;
        TXcArrangedSize size;
    } cases[] = {
        {"one row", {5, 4, 3, 2, 0, asNone, true}, 200, 50, {{5, 4}, {48, 4}, {91, 4}}, {200, 50}},
        // 5 + 40 + 3 + 40 = 88; the third would end at 131 + 3 + 5 > 120.
        {"wraps", {5, 4, 3, 2, 0, asNone, true}, 120, 50, {{5, 4}, {48, 4}, {5, 36}}, {120, 50}},
        {"no wrapping", {5, 4, 3, 2, 0, asNone, false}, 120, 50, {{5, 4}, {48, 4}, {91, 4}}, {120, 50}},
        {"auto width never wraps",
         {5, 4, 3, 2, 0, asWidth, true},
         60,
         50,
         {{5, 4}, {48, 4}, {91, 4}},
         {136, 50}},
        {"auto height", {5, 4, 3, 2, 0, asHeight, true}, 200, 99, {{5, 4}, {48, 4}, {91, 4}}, {200, 38}},
        {"max width wraps", {5, 4, 3, 2, 100, asBoth, true}, 300, 50, {{5, 4}, {48, 4}, {5, 36}}, {100, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto children = three();
        const TXcArrangedSize size = ArrangeChildren(c.params, c.width, c.height, 40, false, children);
        EXPECT_EQ(PlacesOf(children), c.places);
        EXPECT_EQ(size.width, c.size.width);
        EXPECT_EQ(size.height, c.size.height);
    }
}

TEST(ArrangeChildren, NarrowPanelWidensToTheWidestChildAndHiddenChildrenTakeNoPlace) {
    std::vector<TXcArrangedChild> children{{80, 20}, {30, 20, false}, {30, 20}};
    const TXcArrangeParams params{6, 0, 0, 0, 0, asNone, true};
    const TXcArrangedSize size = ArrangeChildren(params, 50, 40, 80, false, children);
    EXPECT_EQ(size.width, 92);
    EXPECT_EQ(PlacesOf(children)[0], (Placed{6, 0}));
    EXPECT_EQ(PlacesOf(children)[2], (Placed{6, 20}));
}

TEST(ArrangeChildren, KeepsTheSizeWhileLoading) {
    std::vector<TXcArrangedChild> children{{80, 20}};
    const TXcArrangedSize size = ArrangeChildren({0, 0, 0, 0, 0, asBoth, true}, 50, 40, 80, true, children);
    EXPECT_EQ(size.width, 50);
    EXPECT_EQ(size.height, 40);
}

}  // namespace
