#include "persistence/win/FsConst.h"

#include <windows.h>

#include "classlib/win/Forms.h"

void RegisterFsCursors() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto load = [instance](const wchar_t* name) {
        return static_cast<HCURSOR>(LoadImageW(instance, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    };
    // The screen owns what it is given.
    cl::Screen->SetCursors(crFsHand, load(L"FS_HANDCUR"));
    cl::Screen->SetCursors(crFsDragHand, load(L"FS_DRAGCUR"));
}
