// What escapes the program block is shown once and ends the program with a
// non-zero exit code; the silent abort shows nothing.
#include "app/win/StartupGuard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/win/Dialogs.h"

namespace {

TEST(StartupGuard, ShowsWhatEscapedAndExitsWithOne) {
    std::vector<std::string> shown;
    cl::SetMessageBoxHook([&](HWND, const std::string& text, const std::string& caption, UINT flags) {
        shown.push_back(caption + "|" + text + "|" + std::to_string(flags & MB_ICONMASK));
        return IDOK;
    });
    const std::string error = "|Wystąpił błąd, program zostanie zamknięty.\r\n\r\n";
    const std::string icon = "|" + std::to_string(MB_ICONERROR);
    const struct {
        const char* what;
        int (*program)();
        int exitCode;
        std::vector<std::string> shown;
    } cases[] = {
        {"a normal end", [] { return 0; }, 0, {}},
        {"an exit code of its own", [] { return 3; }, 3, {}},
        {"the class library's error",
         []() -> int { throw cl::EOSError("Nie można utworzyć okna."); },
         1,
         {"Błąd" + error + "Nie można utworzyć okna." + icon}},
        {"a standard error",
         []() -> int { throw std::runtime_error("bad things"); },
         1,
         {"Błąd" + error + "bad things" + icon}},
        {"anything else", []() -> int { throw 42; }, 1, {"Błąd" + error + "Nieznany błąd." + icon}},
        {"the silent abort", []() -> int { cl::Abort(); }, 1, {}},
    };
    for (const auto& c : cases) {
        shown.clear();
        EXPECT_EQ(RunGuarded(c.program), c.exitCode) << c.what;
        EXPECT_EQ(shown, c.shown) << c.what;
    }
    cl::SetMessageBoxHook({});
}

}  // namespace
