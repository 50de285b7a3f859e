// From starting Sprawozdawca.exe (the end-to-end copy, no intro page) to its
// first idle moment with the main window shown, under a warm Wine: the
// median and the 90th percentile of repeated starts, printed.  Its update
// check is refused on the tests' port.
//   scripts/wine-run --root build/win/wine build/win/benchmarks/startup_bench.exe [runs] [floor]
// With "floor" it starts startup_floor.exe instead: the same system windows
// with none of the program's code, the least the program's start can take.
//
// Watched from outside, as a user sees it: the main window shown, every
// shown window of the program painted, and its thread answering a sent
// message.  Windows paint only when no posted message waits, so what was
// posted while the window was made and shown has been handled by then.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "benchmarks/win/Medians.h"
#include "tests/driver/Driver.h"
#include "tests/driver/WindowReading.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;

constexpr int kStartMs = 20000;

// No shown window of the program waits for its paint.
bool AllPainted(const TProgram& program) {
    for (HWND top : program.TopWindows()) {
        if (!IsWindowVisible(top)) continue;
        if (GetUpdateRect(top, nullptr, FALSE)) return false;
        for (HWND wnd : Descendants(top))
            if (IsWindowVisible(wnd) && GetUpdateRect(wnd, nullptr, FALSE)) return false;
    }
    return true;
}

// Milliseconds from the start to the first idle main window, or -1.
double FirstIdle(const TProgram& program) {
    HWND main = nullptr;
    while (program.Running() && spraw_bench::MsSince(program.Started()) < kStartMs) {
        if (!main) main = program.FindByName("MainForm");
        if (main && AllPainted(program)) {
            DWORD_PTR ignored = 0;
            if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kStartMs, &ignored)) return -1;
            return spraw_bench::MsSince(program.Started());
        }
        Sleep(1);
    }
    return -1;
}

int Run(int runs, bool floor) {
    cltest::ClosedPort updateServer(SPRAW_E2E_PORT, 60000);
    if (!updateServer.Held()) {
        std::fprintf(stderr, "startup_bench: port %d is taken (tests running?)\n", SPRAW_E2E_PORT);
        return 1;
    }
    TInstalledCopy copy(WinePath(SPRAW_E2E_DIR), WinePath(SPRAW_BIN_DIR));
    copy.Remove("pi\\intro.html");
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        TProgram program(floor ? WinePath(SPRAW_FLOOR_EXE) : copy.Exe(), copy.WorkFolder());
        const double idle = FirstIdle(program);
        if (idle < 0) {
            std::fprintf(stderr, "startup_bench: no idle main window within %d ms\n%s", kStartMs,
                         program.Describe().c_str());
            return 1;
        }
        ms.push_back(idle);
    }
    spraw_bench::Print(
        floor ? "the first screen's system windows alone" : "start-up to the first idle main window",
        spraw_bench::Summarize(ms));
    std::sort(ms.begin(), ms.end());
    const size_t p90 = static_cast<size_t>(std::ceil(0.9 * static_cast<double>(ms.size()))) - 1;
    std::printf("%-44s p90    %8.2f ms\n", "", ms[p90]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const bool floor = argc > 2 && std::string(argv[2]) == "floor";
        return Run(argc > 1 ? std::max(1, std::atoi(argv[1])) : 7, floor);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup_bench: %s\n", e.what());
        return 1;
    }
}
