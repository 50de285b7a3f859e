// A statement with all eight forms selected and every typed field filled:
// one recalculation, and writing and reading back every form block.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "classlib/FormatSettings.h"
#include "engine/EngineHost.h"
#include "engine/ErrorList.h"
#include "engine/FormCatalogue.h"
#include "engine/Recalc.h"
#include "engine/ValueStream.h"
#include "engine/calc1.h"

namespace {

class AllSelected final : public EngineHost {
public:
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    bool IsCurrentFormSelected() override { return true; }
    void NotifyErrorList() override {}
};

class FullStatement {
public:
    FullStatement() {
        cl::SetFormatSettings(cl::TFormatSettings::Polish());
        SetEngineHost(&host_);
        for (const TFrmFeature& f : FormCatalogue) {
            forms_.push_back(NewCatalogueForm(f.Index));
        }
        // As typed: amounts are doubles, texts and dates strings.
        int k = 0;
        for (TemFrm* form : forms_)
            for (TDataValue* value : form->Values) {
                const TEField& row = TEFieldTable[value->FieldID()];
                if (!row.Enabled) continue;
                if (row.DataType == kDataCurrency)
                    value->Value = cl::Variant(1000.25 + 37 * ++k);
                else if (row.OnChange == DataUr_ValChange)
                    value->Value = cl::Variant("31.12.2008");
                else
                    value->Value = cl::Variant("Spółka Przykładowa sp. z o.o.");
            }
        Recalculate(0);
    }
    ~FullStatement() {
        for (TemFrm* form : forms_) form->Free();
        ClearErrors(0, false);
        SetEngineHost(nullptr);
    }
    const std::vector<TemFrm*>& Forms() const { return forms_; }

private:
    AllSelected host_;
    std::vector<TemFrm*> forms_;
};

void BM_RecalculateAllForms(benchmark::State& state) {
    FullStatement statement;
    for (auto _ : state) Recalculate(0);
    if (ErrorList.Count() != 0) state.SkipWithError("a rule could not compute");
}
BENCHMARK(BM_RecalculateAllForms)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_WriteAndReadAllFormBlocks(benchmark::State& state) {
    FullStatement statement;
    cl::TMemoryStream stream;
    for (auto _ : state) {
        stream.SetSize(0);
        for (TemFrm* form : statement.Forms()) form->SaveToStream(stream);
        stream.SetPosition(0);
        for (TemFrm* form : statement.Forms()) form->LoadFromStream(stream);
    }
    state.counters["bytes"] = static_cast<double>(stream.Size());
}
BENCHMARK(BM_WriteAndReadAllFormBlocks)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
