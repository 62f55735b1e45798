// Replace all and Find next on a mode of 100,000 clauses: every clause
// matches for the replacements, none for the search.
#include <benchmark/benchmark.h>

#include <random>

#include "find/Search.h"

using namespace vel;

namespace {

// The shape of a real mode, with an a in every Roman cell.
ModeTable MakeMode(int clauses) {
    std::mt19937 rng(42);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<Clause> rows;
    rows.reserve(size_t(clauses));
    for (int i = 0; i < clauses; ++i) {
        std::string f[kColumnCount];
        for (int k = pick(0, 3); k > 0; --k) f[0] += char(pick('b', 'z'));
        f[0].insert(size_t(pick(0, int(f[0].size()))), 1, 'a');
        for (int k = pick(1, 3); k > 0; --k) f[1] += char(pick(0, 1) ? pick(0x21, 0x7E) : pick(0xA0, 0xFF));
        if (pick(0, 4) == 0) f[2] = pick(0, 1) ? std::string(1, char(pick('a', 'z'))) : std::string("\r");
        if (pick(0, 5) == 0) f[3] = std::string(1, char(pick(0x21, 0x7E)));
        if (pick(0, 3) == 0) f[4] = std::string(1, char(pick(0x21, 0x7E)));
        rows.emplace_back(f[0], f[1], f[2], f[3], f[4]);
    }
    ModeTable t;
    t.AppendClauses(std::move(rows));
    return t;
}

SearchOptions RomanA(bool duplicate, bool deleteLine) {
    SearchOptions s;
    s.findOn[ColRoman] = s.replaceOn[ColRoman] = true;
    s.findText[ColRoman] = "a";
    s.replaceText[ColRoman] = "ng";
    s.duplicate = duplicate;
    s.deleteLine = deleteLine;
    return s;
}

// The pass and handing its clauses to the table, as the window does; the
// fresh copy of the mode is made outside the timing.
void ReplaceAll(benchmark::State& state, const SearchOptions& options) {
    const ModeTable original = MakeMode(int(state.range(0)));
    ModeTable t;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        t = original;
        state.ResumeTiming();
        Search search;
        ReplaceAllResult r = search.ReplaceAll(t, options);
        t.ReplaceClauses(std::move(r.clauses));
        rows = t.ClauseCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["clauses_after"] = rows;
}

void BM_ReplaceAllSubstring(benchmark::State& state) { ReplaceAll(state, RomanA(false, false)); }
void BM_ReplaceAllDuplicate(benchmark::State& state) { ReplaceAll(state, RomanA(true, false)); }
void BM_ReplaceAllDeleteLine(benchmark::State& state) { ReplaceAll(state, RomanA(false, true)); }

void BM_FindNextNoMatch(benchmark::State& state) {
    ModeTable t = MakeMode(int(state.range(0)));
    SearchOptions options;
    options.findOn[ColRoman] = true;
    options.findText[ColRoman] = "#";
    for (auto _ : state) {
        Search search;
        const FindOutcome o = search.FindNext(t, options);
        benchmark::DoNotOptimize(o.row);
    }
}

}  // namespace

#define SIZE Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_ReplaceAllSubstring)->SIZE;
BENCHMARK(BM_ReplaceAllDuplicate)->SIZE;
BENCHMARK(BM_ReplaceAllDeleteLine)->SIZE;
BENCHMARK(BM_FindNextNoMatch)->SIZE;
BENCHMARK_MAIN();
