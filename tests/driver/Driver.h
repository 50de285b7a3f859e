#pragma once
// The end-to-end test driver: starts the real Sprawozdawca.exe as a user
// would, finds its windows by the component name every control carries or
// by caption, reads texts, check marks, list boxes, radio groups and tree
// views, posts clicks and keys, reads and answers message boxes and file
// dialogs, waits for the program to be idle, and always ends the program.
//
//   Program.h        TInstalledCopy, TProgram (start, idle, find, shortcuts)
//   WindowReading.h  names, texts, message boxes, check marks, groups, lists
//   TreeViews.h      tree items read and clicked
//   DriverInput.h    keys and clicks as a user gives them
//   FileDialogs.h    the standard open and save dialogs answered with a path
//   Menus.h          items of the main menu chosen by caption
//
// Text crosses as Windows-1250, as everywhere in the program.

#include <winsock2.h>
// After the socket library's header, which must come first (the tests serve HTTP).
#include <windows.h>

#include "tests/driver/DriverInput.h"
#include "tests/driver/FileDialogs.h"
#include "tests/driver/Menus.h"
#include "tests/driver/Program.h"
#include "tests/driver/TreeViews.h"
#include "tests/driver/WindowReading.h"
#include "tests/support/MessagePump.h"

namespace e2e {

using cltest::WaitUntil;

}  // namespace e2e
