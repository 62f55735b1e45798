// The wizard's full run (every field filled, every option on: 825 clauses)
// into an empty mode and into a mode of 100,000 clauses, with the cursor on
// row 1 so the whole table moves. Generation alone is measured beside it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "BenchModes.h"
#include "mode/FileIO.h"
#include "mode/ModeFile.h"
#include "wizard/WizardGenerate.h"

using namespace vel;

namespace {

ModeTable MakeMode(int clauses) {
    ModeTable doc;
    std::vector<Clause> rows;
    rows.reserve(size_t(clauses));
    for (int i = 0; i < clauses; ++i)
        rows.push_back(MakeClause("c" + std::to_string(i % 9973), std::string(1, char(0x21 + i % 90)), "", "",
                                  std::string(1, char(0x21 + i % 50))));
    doc.AppendClauses(std::move(rows));
    doc.SetCurrentRow(1);
    return doc;
}

void BM_GenerateOnly(benchmark::State& state) {
    const WizardFields f = bench::FullTemplate();
    for (auto _ : state) {
        auto clauses = GenerateClauses(f);
        benchmark::DoNotOptimize(clauses.data());
    }
}
BENCHMARK(BM_GenerateOnly)->Unit(benchmark::kMicrosecond);

void BM_CreateMode(benchmark::State& state) {
    const WizardFields f = bench::FullTemplate();
    // The mode comes from its file, as in the editor: the loader leaves the
    // table the room it keeps for adds.
    const std::string path = (std::filesystem::temp_directory_path() / "velloran-bench-wizard.mod").string();
    WriteModeFile(MakeMode(int(state.range(0))), path);
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<ModeDocument>();
        LoadMode(*doc, path);
        const int before = doc->Table().ClauseCount();
        state.ResumeTiming();
        doc->AddClauses(GenerateClauses(f), "Wizard");
        state.PauseTiming();
        if (doc->Table().ClauseCount() - before < kMaxGeneratedClauses) state.SkipWithError("wrong clause count");
        doc.reset();  // the teardown stays out of the timing
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CreateMode)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
