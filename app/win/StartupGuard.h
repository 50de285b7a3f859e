#pragma once
// The program block's last barrier: whatever escapes the start-up or the
// message loop is shown to the user, and the program ends with a non-zero
// exit code instead of a silent terminate.

#include <functional>

// Runs program and returns its result; when it raises, shows the error in a
// message box (nothing for the silent abort) and returns 1.
int RunGuarded(const std::function<int()>& program);
