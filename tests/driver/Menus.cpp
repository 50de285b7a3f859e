#include "tests/driver/Menus.h"

#include "tests/driver/DriverInput.h"

namespace e2e {

bool ChooseMenuItem(const TProgram& program, HWND wnd, char entryKey, char itemKey) {
    PostAltKey(wnd, static_cast<WORD>(entryKey));
    if (!program.WaitForIdle()) return false;
    // The open menu reads the key from the thread's queue, whichever window it names.
    PostKey(wnd, static_cast<WORD>(itemKey));
    PostMessageW(wnd, WM_CHAR, static_cast<WPARAM>(itemKey | 0x20),
                 KeyData(static_cast<WORD>(itemKey), false));
    return program.WaitForIdle();
}

}  // namespace e2e
