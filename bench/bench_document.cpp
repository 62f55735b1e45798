// The edit layer on a mode of 100,000 clauses: undo and redo of Optimize,
// undo of a Remove at row 1 and of a Replace all that touched every clause,
// and what 100 single-row steps cost the history.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchModes.h"
#include "editing/Ordering.h"
#include "mode/ModeDocument.h"

using namespace vel;

namespace {

constexpr int kClauses = 100000;

std::unique_ptr<ModeDocument> LoadedDocument() {
    const ModeTable table = bench::RealisticMix(kClauses);
    auto doc = std::make_unique<ModeDocument>();
    doc->LoadClauses(table.Comment(), false, true, table.Clauses(), true);
    return doc;
}

void BM_UndoOptimize(benchmark::State& state) {
    auto doc = LoadedDocument();
    doc->Reorder(OptimizePermutation(doc->Table()), true, "Optimize");
    for (auto _ : state) {
        doc->Undo();
        state.PauseTiming();
        doc->Redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoOptimize)->Unit(benchmark::kMillisecond);

void BM_RedoOptimize(benchmark::State& state) {
    auto doc = LoadedDocument();
    doc->Reorder(OptimizePermutation(doc->Table()), true, "Optimize");
    doc->Undo();
    for (auto _ : state) {
        doc->Redo();
        state.PauseTiming();
        doc->Undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RedoOptimize)->Unit(benchmark::kMillisecond);

void BM_UndoRemoveAtRow1(benchmark::State& state) {
    auto doc = LoadedDocument();
    for (auto _ : state) {
        state.PauseTiming();
        doc->RemoveRow(1, "Remove");
        state.ResumeTiming();
        doc->Undo();
    }
}
BENCHMARK(BM_UndoRemoveAtRow1)->Unit(benchmark::kMicrosecond);

void BM_UndoReplaceAll(benchmark::State& state) {
    auto doc = LoadedDocument();
    std::vector<Clause> changed = doc->Table().Clauses();
    for (Clause& c : changed) c.SetField(ColID, "z");
    doc->ReplaceAllClauses(std::move(changed), {1, 4, 4}, "Replace all");
    for (auto _ : state) {
        doc->Undo();
        state.PauseTiming();
        doc->Redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoReplaceAll)->Unit(benchmark::kMillisecond);

// The history after 100 single-row commands: adds, removes, moves, cell edits.
void BM_HistoryAfter100SingleRowSteps(benchmark::State& state) {
    size_t bytes = 0;
    for (auto _ : state) {
        auto doc = LoadedDocument();
        for (int i = 0; i < 25; ++i) {
            doc->AddClauses({MakeClause("add", "A")}, "Add");
            doc->RemoveRow(2, "Remove");
            doc->MoveRow(3, 90000, "Move to row");
            doc->EditCell(4, ColTengwar, "edited");
        }
        bytes = doc->History().Bytes();
    }
    state.counters["history_bytes"] = double(bytes);
}
BENCHMARK(BM_HistoryAfter100SingleRowSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
