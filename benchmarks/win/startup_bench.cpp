// From starting Sprawozdawca.exe (the end-to-end copy, no intro page) to its
// main window shown and the program idle, under a warm Wine: the median of
// repeated starts, printed.  Its update check is refused on the tests' port.
//   scripts/wine-run --root build/win/wine build/win/benchmarks/startup_bench.exe [runs]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "benchmarks/win/Medians.h"
#include "tests/driver/Driver.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;

constexpr int kStartMs = 20000;

int Run(int runs) {
    cltest::ClosedPort updateServer(SPRAW_E2E_PORT, 60000);
    if (!updateServer.Held()) {
        std::fprintf(stderr, "startup_bench: port %d is taken (tests running?)\n", SPRAW_E2E_PORT);
        return 1;
    }
    TInstalledCopy copy(WinePath(SPRAW_E2E_DIR), WinePath(SPRAW_BIN_DIR));
    copy.Remove("pi\\intro.html");
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        TProgram program(copy.Exe(), copy.WorkFolder());
        if (!program.WaitForIdle(kStartMs) ||
            !WaitUntil([&] { return program.FindByName("MainForm") != nullptr; }, kStartMs, 1) ||
            !program.WaitForIdle(kStartMs)) {
            std::fprintf(stderr, "startup_bench: no idle main window within %d ms\n%s", kStartMs,
                         program.Describe().c_str());
            return 1;
        }
        ms.push_back(spraw_bench::MsSince(program.Started()));
    }
    spraw_bench::Print("start-up to an idle main window", spraw_bench::Summarize(ms));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc > 1 ? std::max(1, std::atoi(argv[1])) : 7);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup_bench: %s\n", e.what());
        return 1;
    }
}
