#pragma once
// Waiting in a test: polling a condition, and handling the test thread's own
// messages while waiting for something its windows do.

#include <windows.h>

#include <chrono>
#include <functional>
#include <thread>

#include "classlib/win/Forms.h"

namespace cltest {

// Polls until done() holds or ms pass, handling no messages; answers done().
inline bool WaitUntil(const std::function<bool()>& done, int ms, int pollMs = 10) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
    return true;
}

// Handles messages until done() holds or the time is up; answers done().
inline bool PumpUntil(const std::function<bool()>& done, int ms = 2000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        cl::Application->ProcessMessages();
        Sleep(1);
    }
    return true;
}

// Handles what is queued now and what that brings on within a moment.
inline void Pump(int ms = 50) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        cl::Application->ProcessMessages();
        Sleep(1);
    } while (std::chrono::steady_clock::now() < end);
}

}  // namespace cltest
