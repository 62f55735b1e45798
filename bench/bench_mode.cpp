// Load, save and the two orders on modes of 1,000 to 1,000,000 clauses,
// beside a baseline that only reads the file's bytes.
#include <benchmark/benchmark.h>

#include <filesystem>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "BenchModes.h"
#include "editing/Ordering.h"
#include "mode/FileIO.h"
#include "mode/ModeFile.h"

using namespace vel;

namespace {

ModeTable MakeMode(int clauses) { return bench::RealisticMix(clauses); }

std::string FileFor(int clauses) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("velloran-bench-" + std::to_string(clauses) + ".mod")).string();
    if (!std::filesystem::exists(path)) {
        WriteModeFile(MakeMode(clauses), path);
    }
    return path;
}

void BM_ReadBytesBaseline(benchmark::State& state) {
    const std::string path = FileFor(int(state.range(0)));
    for (auto _ : state) {
        std::string bytes, error;
        ReadFileBytes(path, bytes, error);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void BM_LoadMode(benchmark::State& state) {
    const std::string path = FileFor(int(state.range(0)));
    for (auto _ : state) {
        ModeDocument doc;
        LoadMode(doc, path);
        benchmark::DoNotOptimize(doc.Table().ClauseCount());
    }
}

void BM_SaveMode(benchmark::State& state) {
    ModeDocument doc;
    const ModeTable made = MakeMode(int(state.range(0)));
    doc.LoadClauses(made.Comment(), false, true, made.Clauses(), true);
    const std::string path = (std::filesystem::temp_directory_path() / "velloran-bench-save.mod").string();
    for (auto _ : state) SaveMode(doc, path);
}

// One of the two orders on a fresh copy of the same mode each time.
void Reorder(benchmark::State& state, void (*order)(ModeTable&)) {
    const ModeTable original = MakeMode(int(state.range(0)));
    ModeTable t;
    for (auto _ : state) {
        state.PauseTiming();
        t = original;  // the old copy is freed outside the timing
        state.ResumeTiming();
        order(t);
        benchmark::DoNotOptimize(t.ClauseCount());
    }
}
void BM_Optimize(benchmark::State& state) { Reorder(state, OptimizeOrder); }
void BM_SortAlphabetically(benchmark::State& state) { Reorder(state, AlphabeticalOrder); }

// Heap bytes a loaded mode holds per clause.
void BM_MemoryPerClause(benchmark::State& state) {
    const std::string path = FileFor(int(state.range(0)));
    double perClause = 0;
    for (auto _ : state) {
#if defined(__GLIBC__)
        const size_t before = mallinfo2().uordblks + mallinfo2().hblkhd;
        auto* doc = new ModeDocument;
        LoadMode(*doc, path);
        const size_t after = mallinfo2().uordblks + mallinfo2().hblkhd;
        perClause = double(after - before) / double(doc->Table().ClauseCount());
        delete doc;
#endif
    }
    state.counters["bytes_per_clause"] = perClause;
}

}  // namespace

#define SIZES Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_ReadBytesBaseline)->SIZES;
BENCHMARK(BM_LoadMode)->SIZES;
BENCHMARK(BM_SaveMode)->SIZES;
BENCHMARK(BM_Optimize)->SIZES;
BENCHMARK(BM_SortAlphabetically)->SIZES;
BENCHMARK(BM_MemoryPerClause)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
