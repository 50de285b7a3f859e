#pragma once
// The screen cursor slots of the persistence helpers' two cursors, loaded
// from the program's resources "FS_HANDCUR" and "FS_DRAGCUR".

#include "classlib/win/Controls.h"

constexpr cl::TCursor crFsHand = 14000;
constexpr cl::TCursor crFsDragHand = 14001;

// Registers both in Screen->Cursors; run at start.  A cursor missing from
// the program's resources leaves its slot empty (the arrow).
void RegisterFsCursors();
