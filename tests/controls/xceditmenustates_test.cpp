// The shared edit menu's enabled items for a control with its own edit
// actions, and the selection length (plain edit windows are tested under
// Wine in tests/controls/win).
#include "controls/XcEditMenuStates.h"

#include <gtest/gtest.h>

namespace {

using S = TEditMenuStates;

TEST(EditMenuStates, ControlsWithTheirOwnActions) {
    TEditActionAnswers all{true, true, true, true, true, true};
    EXPECT_EQ(ActionEditMenuStates(all, kAllClipboardCommands), (S{true, true, true, true, true, true}));
    EXPECT_EQ(ActionEditMenuStates(all, caPaste), (S{false, false, false, true, true, true}));
    TEditActionAnswers none{true, true, true, true, false, false};
    EXPECT_EQ(ActionEditMenuStates(none, kAllClipboardCommands), (S{true, false, false, true, false, false}));
}

TEST(EditMenuStates, SelectionLengthFromThePackedAnswer) {
    EXPECT_EQ(EditSelectionLength(1, 3, 0x00030001), 2);
    EXPECT_EQ(EditSelectionLength(0, 0, 0x00040000), 4);
    EXPECT_EQ(EditSelectionLength(0, 0, -1), 0);
}

}  // namespace
