#include "controls/XcEditMenuStates.h"

TEditMenuStates PlainEditMenuStates(int selLength, int textLength, bool readOnly, bool canUndo,
                                    TXcClipboardCommands commands) {
    TEditMenuStates s;
    s.Undo = (commands & caUndo) && canUndo;
    s.Cut = selLength > 0 && !readOnly && (commands & caCut);
    s.Copy = selLength > 0 && (commands & caCopy);
    s.Paste = !readOnly && (commands & caPaste);
    s.Delete = selLength > 0 && !readOnly;
    s.SelectAll = textLength > 0 && selLength < textLength;
    return s;
}

TEditMenuStates ActionEditMenuStates(const TEditActionAnswers& a, TXcClipboardCommands commands) {
    TEditMenuStates s;
    s.Undo = (commands & caUndo) && a.CanUndo;
    s.Cut = (commands & caCut) && a.HasSelection && a.CanCut;
    s.Copy = (commands & caCopy) && a.HasSelection && a.CanCopy;
    s.Paste = (commands & caPaste) && a.CanPaste;
    s.Delete = a.HasSelection && a.CanCut;
    s.SelectAll = a.CanSelectAll;
    return s;
}

int EditSelectionLength(uint32_t start, uint32_t end, intptr_t result) {
    const int length = static_cast<int>(end) - static_cast<int>(start);
    if (length != 0 || result <= 0) return length;
    const auto packed = static_cast<uint32_t>(result);
    return static_cast<int>(packed >> 16) - static_cast<int>(packed & 0xFFFF);
}
