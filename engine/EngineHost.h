#pragma once
// How the engine reaches the main window and the user.  The Windows build
// implements it with messages to MainWindowHandle and a message box; tests
// fake it.  The engine never processes window messages itself: a store or
// a recalculation runs to its end before anything else can happen.

#include <string>

class EngineHost {
public:
    virtual ~EngineHost() = default;
    // A Yes/No question without an icon; True for Yes.
    virtual bool AskYesNo(const std::string& Text, const std::string& Caption) = 0;
    // Whether the form named by CurrentFormName is among the selected forms
    // (WM_USER+203, sent; result 1).
    virtual bool IsCurrentFormSelected() = 0;
    // Refill the error list box from ErrorList (WM_USER+5, posted).
    virtual void NotifyErrorList() = 0;
};

// The form the selected-form question is about (a catalogue name).
extern std::string CurrentFormName;
// The main window's HWND, stored when it is created; the program's host
// sends and posts to it.
extern void* MainWindowHandle;

// Until a host is installed the engine sees no selected form, stores
// invalid values as typed (the No answer keeps the user's text) and tells
// nobody about errors.
EngineHost& GetEngineHost();
// Installs host (nullptr restores the default); the caller keeps it alive.
void SetEngineHost(EngineHost* Host);
