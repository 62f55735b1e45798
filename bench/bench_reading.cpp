// The reading of a mode: 1,000 characters through the full wizard mode,
// through the 100,000-clause realistic mix, and through 10,000 clauses that
// all start with the letter read and all fail their If previous ID; and the
// index rebuild the preview does after a change of the table.
#include <benchmark/benchmark.h>

#include "BenchModes.h"
#include "editing/Ordering.h"
#include "preview/Reading.h"

using namespace vel;

namespace {

constexpr size_t kTextLength = 1000;

// Words made of the template's own Roman texts, so most steps use a clause.
std::string TemplateText() {
    const WizardFields f = bench::FullTemplate();
    std::mt19937 rng(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::string text;
    while (text.size() < kTextLength) {
        for (int k = pick(1, 4); k > 0; --k) {
            text += f.txtRoman[size_t(pick(0, 62))];
            if (pick(0, 1)) text += f.txtTehta[size_t(pick(0, 9))];
        }
        text += pick(0, 3) ? " " : "s ";
    }
    text.resize(kTextLength);
    return text;
}

std::string LetterText() {
    std::mt19937 rng(9);
    std::string text;
    while (text.size() < kTextLength)
        text += std::uniform_int_distribution<int>(0, 6)(rng) ? char(std::uniform_int_distribution<int>('a', 'z')(rng))
                                                              : ' ';
    return text;
}

// 10,000 clauses on "a" to "aaaa", each asking for an If previous ID that
// the text never leaves, and last a plain "a" that leaves the ID z. With
// longID the conditions are two bytes beginning with z, so that they share
// the index group of the ID that is left and each one is tried and fails.
ModeTable SameLetterFailing(bool longID) {
    std::vector<Clause> rows;
    for (int i = 0; i < 10000; ++i) {
        const std::string roman(size_t(1 + i % 4), 'a');
        std::string prev = longID ? std::string("z") + char(0x21 + i % 90) : std::string(1, char(0x21 + i % 89));
        rows.push_back(MakeClause(roman, "1", "", prev, "y"));
    }
    rows.push_back(MakeClause("a", "A", "", "", "z"));
    ModeTable t;
    t.AppendClauses(std::move(rows));
    return t;
}

void Run(benchmark::State& state, const ModeTable& table, const std::string& text) {
    const ReadingIndex index = ReadingIndex::Build(table);
    size_t steps = 0;
    for (auto _ : state) {
        Transcription t = Transcribe(index, table, text);
        steps = t.steps.size();
        benchmark::DoNotOptimize(t.output.data());
    }
    state.counters["steps"] = double(steps);
}

void BM_FullTemplateAddOrder(benchmark::State& state) { Run(state, bench::FullTemplateMode(), TemplateText()); }
void BM_FullTemplateOptimized(benchmark::State& state) {
    ModeTable t = bench::FullTemplateMode();
    OptimizeOrder(t);
    Run(state, t, TemplateText());
}
void BM_RealisticMix100k(benchmark::State& state) { Run(state, bench::RealisticMix(100000), LetterText()); }
void BM_SameLetterFailingPrevious(benchmark::State& state) {
    Run(state, SameLetterFailing(state.range(0) != 0), std::string(kTextLength, 'a'));
}

void BM_IndexRebuild100k(benchmark::State& state) {
    const ModeTable table = bench::RealisticMix(100000);
    for (auto _ : state) {
        ReadingIndex index = ReadingIndex::Build(table);
        benchmark::DoNotOptimize(index.ClauseCount());
    }
}

}  // namespace

BENCHMARK(BM_FullTemplateAddOrder)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullTemplateOptimized)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RealisticMix100k)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SameLetterFailingPrevious)->ArgName("long_id")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IndexRebuild100k)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
