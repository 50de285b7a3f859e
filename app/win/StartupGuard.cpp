#include "app/win/StartupGuard.h"

#include <windows.h>

#include <exception>
#include <string>

#include "classlib/Exceptions.h"
#include "classlib/win/Dialogs.h"

int RunGuarded(const std::function<int()>& program) {
    std::string reason;
    try {
        return program();
    } catch (const cl::EAbort&) {
        return 1;  // the user has been told already
    } catch (const std::exception& e) {
        reason = e.what();
    } catch (...) {
        reason = "Nieznany błąd.";
    }
    try {
        cl::ShowMessageBox(nullptr, "Wystąpił błąd, program zostanie zamknięty.\r\n\r\n" + reason, "Błąd",
                           MB_OK | MB_ICONERROR);
    } catch (...) {
        // Nothing is left to tell the user with; the exit code still says it.
    }
    return 1;
}
