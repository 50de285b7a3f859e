// The shared edit menu's enabled items from what a control answers.
#include "controls/XcEditMenuStates.h"

#include <gtest/gtest.h>

namespace {

using S = TEditMenuStates;

TEST(EditMenuStates, PlainEditWindows) {
    struct Case {
        const char* name;
        int sel, length;
        bool readOnly, canUndo;
        TXcClipboardCommands commands;
        S states;
    } const cases[] = {
        {"read-only, nothing selected",
         0,
         3,
         true,
         false,
         kAllClipboardCommands,
         {false, false, false, false, false, true}},
        {"read-only, part selected",
         2,
         3,
         true,
         false,
         kAllClipboardCommands,
         {false, false, true, false, false, true}},
        {"read-only, all selected",
         3,
         3,
         true,
         false,
         kAllClipboardCommands,
         {false, false, true, false, false, false}},
        // A rich edit's selection runs one past its text after select-all.
        {"read-only, past the end",
         4,
         3,
         true,
         false,
         kAllClipboardCommands,
         {false, false, true, false, false, false}},
        {"empty", 0, 0, false, false, kAllClipboardCommands, {false, false, false, true, false, false}},
        {"editable, part selected",
         1,
         3,
         false,
         true,
         kAllClipboardCommands,
         {true, true, true, true, true, true}},
        {"copy only", 1, 3, false, true, caCopy, {false, false, true, false, true, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlainEditMenuStates(c.sel, c.length, c.readOnly, c.canUndo, c.commands), c.states)
            << c.name;
}

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
