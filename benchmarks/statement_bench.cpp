// A statement of the audited way with its four forms filled: saving it to a
// file (temporary file, flush, replace) and loading it back through the
// wizard's replay (an outline wizard: the real one adds its page changes).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/StatementFile.h"
#include "engine/calc1.h"
#include "fuzz/StatementInput.h"

namespace {

using statementfake::FakeWizard;

// The wizard as it stands after the audited way, every typed field filled.
void FillAudited(FakeWizard& w) {
    w.Tree = {{"Wiz0_1", 0, 1, {}},
              {"Wiz0_2", 0, 1, {}},
              {"Wiz1_0", 0, 1, {}},
              {"Wiz1_1", 0, 1, {}},
              {"Wiz100_1", 0, 0, {}}};
    for (const char* checked : {"cb1_0_1", "cb1_1_1", "cb1_1_2", "cb1_1_3", "cb1_1_4"})
        w.Controls[checked] = {true, 1};
    w.Controls["rb1_1_2"] = {true, 1};
    int k = 0;
    for (const char* form : {"bil", "rachzsp", "rachppb", "zestzf"})
        for (TDataValue* value : w.Select(form)->Values) {
            const TEField& row = TEFieldTable[value->FieldID()];
            if (!row.Enabled) continue;
            value->Value = row.DataType == kDataCurrency ? cl::Variant(1000.25 + 37 * ++k)
                                                         : cl::Variant("Spółka Przykładowa sp. z o.o.");
        }
}

std::string TemporaryStatementName() {
    return (std::filesystem::temp_directory_path() / "statement_bench.spr").string();
}

void BM_SaveStatementFile(benchmark::State& state) {
    FakeWizard w;
    FillAudited(w);
    const TRz_NaglRec header{TemporaryStatementName(), 45291.5, 45292.75};
    for (auto _ : state)
        if (WriteStatementFile(header, w) != kStatementWritten) state.SkipWithError("not written");
    std::filesystem::remove(header.FileName);
}
BENCHMARK(BM_SaveStatementFile)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_LoadStatementFile(benchmark::State& state) {
    const TRz_NaglRec header{TemporaryStatementName(), 0, 0};
    {
        FakeWizard w;
        FillAudited(w);
        WriteStatementFile(header, w);
    }
    for (auto _ : state) {
        FakeWizard w;
        if (ReadStatementFile(header, w) != kStatementRead || w.Forms.size() != 4)
            state.SkipWithError("not read");
    }
    std::filesystem::remove(header.FileName);
}
BENCHMARK(BM_LoadStatementFile)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
