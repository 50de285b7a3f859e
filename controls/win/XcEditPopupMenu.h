#pragma once
// The shared edit pop-up menu: one process-wide replacement for the
// system's edit context menu, offered by text controls without a pop-up
// menu of their own.  Undo, Cut, Copy, Paste, Delete and Select All, with
// the system's own captions (its user-interface library's edit menu, so
// they follow the system's language), enabled for the control under the
// pointer before each showing.
//
//   SharedEditPopupMenu(this, true)->Popup(x, y);
//
// A control that implements IXcEditActions takes the commands itself;
// any other gets the edit window's messages.  A control may publish a
// "ClipboardCommands" set (caCopy, caCut, caPaste, caUndo) to offer fewer.

#include "classlib/win/Controls.h"
#include "classlib/win/Menus.h"
#include "controls/XcEditMenuStates.h"

// The edit actions of a control that takes the menu's commands itself;
// the menu finds it with dynamic_cast.
class IXcEditActions {
public:
    virtual ~IXcEditActions() = default;
    virtual bool CanUndo() = 0;
    virtual bool CanCut() = 0;
    virtual bool CanCopy() = 0;
    virtual bool CanPaste() = 0;
    virtual bool CanSelectAll() = 0;
    virtual bool HasSelection() = 0;
    virtual void Undo() = 0;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    virtual void Delete() = 0;
    virtual void SelectAll() = 0;
};

// The positions of the menu's items (separators at 1 and 6).
enum TXcEditMenuItem { emiUndo = 0, emiCut = 2, emiCopy = 3, emiPaste = 4, emiDelete = 5, emiSelectAll = 7 };

// Makes the menu serve control (nullptr: none), building it on first use;
// with update, every item is enabled for that control (all disabled while
// the control has no window).
cl::TPopupMenu* SharedEditPopupMenu(cl::TControl* control, bool update);
// The control the menu serves (nullptr once it was freed).
cl::TControl* SharedEditPopupMenuControl();
// The clipboard commands a control offers: its published
// "ClipboardCommands", else all four.
TXcClipboardCommands ClipboardCommandsOf(cl::TControl* control);
// Frees the menu now (at shutdown it goes by itself).
void FreeSharedEditPopupMenu() noexcept;
