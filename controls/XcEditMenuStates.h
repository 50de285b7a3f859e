#pragma once
// Which items of the shared edit pop-up menu are enabled for a control,
// worked out from what the control answers.

#include <cstdint>

// The clipboard commands a control offers (its "ClipboardCommands").
enum TXcClipboardCommand : uint8_t { caCopy = 1, caCut = 2, caPaste = 4, caUndo = 8 };
using TXcClipboardCommands = uint8_t;  // or'ed TXcClipboardCommand bits
constexpr TXcClipboardCommands kAllClipboardCommands = caCopy | caCut | caPaste | caUndo;

struct TEditMenuStates {
    bool Undo = false, Cut = false, Copy = false, Paste = false, Delete = false, SelectAll = false;
    bool operator==(const TEditMenuStates&) const = default;
};

// A plain edit window: selection length, text length (in the units of the
// selection), read-only style and whether it can undo.  Select All stays
// on while less than the whole text is selected.
TEditMenuStates PlainEditMenuStates(int selLength, int textLength, bool readOnly, bool canUndo,
                                    TXcClipboardCommands commands);

// A control that takes the commands itself answers these.
struct TEditActionAnswers {
    bool CanUndo = false, CanCut = false, CanCopy = false, CanPaste = false, CanSelectAll = false,
         HasSelection = false;
};
TEditMenuStates ActionEditMenuStates(const TEditActionAnswers& answers, TXcClipboardCommands commands);

// The selection length from EM_GETSEL: end - start, or, when that is 0 and
// the message answered a positive packed pair, its high word minus its low.
int EditSelectionLength(uint32_t start, uint32_t end, intptr_t result);
