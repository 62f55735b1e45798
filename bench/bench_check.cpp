// The mode check on the realistic mix of 10,000 to 1,000,000 clauses and on
// the full wizard mode in its two orders.
#include <benchmark/benchmark.h>

#include "BenchModes.h"
#include "check/CheckMode.h"
#include "editing/Ordering.h"

using namespace vel;

namespace {

void Run(benchmark::State& state, const ModeTable& table) {
    std::vector<Finding> found;
    for (auto _ : state) {
        std::vector<Finding> f = CheckMode(table);
        benchmark::DoNotOptimize(f.data());
        state.PauseTiming();
        found = std::move(f);  // the old list is freed outside the timing
        state.ResumeTiming();
    }
    int counts[kFindingKindCount] = {};
    for (const Finding& f : found) ++counts[int(f.kind)];
    for (int k = 0; k < kFindingKindCount; ++k)
        if (counts[k] > 0) state.counters[KindName(FindingKind(k))] = double(counts[k]);
}

void BM_CheckRealisticMix(benchmark::State& state) { Run(state, bench::RealisticMix(int(state.range(0)))); }

void BM_CheckFullTemplate(benchmark::State& state) {
    ModeTable t = bench::FullTemplateMode();
    if (state.range(0)) OptimizeOrder(t);
    Run(state, t);
}

}  // namespace

BENCHMARK(BM_CheckRealisticMix)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckFullTemplate)->ArgName("optimized")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
