#pragma once
// Modes shared by the reading and check benchmarks: the realistic mix of
// bench_mode (same generator, same seed) and the wizard's full template.
#include <random>
#include <string>
#include <vector>

#include "mode/ModeTable.h"
#include "wizard/WizardGenerate.h"

namespace vel::bench {

// Roman 1 to 4 letters, Tengwar 1 to 3 codes on both sides of 0x80, some
// conditions and IDs: the shape of a real mode.
inline ModeTable RealisticMix(int clauses) {
    std::mt19937 rng(42);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    ModeTable t;
    t.SetComment("Benchmark mode");
    std::vector<Clause> rows;
    rows.reserve(size_t(clauses));
    for (int i = 0; i < clauses; ++i) {
        std::string f[kColumnCount];
        for (int k = pick(1, 4); k > 0; --k) f[0] += char(pick('a', 'z'));
        for (int k = pick(1, 3); k > 0; --k) f[1] += char(pick(0, 1) ? pick(0x21, 0x7E) : pick(0xA0, 0xFF));
        if (pick(0, 4) == 0) f[2] = pick(0, 1) ? std::string(1, char(pick('a', 'z'))) : std::string("\r");
        if (pick(0, 5) == 0) f[3] = std::string(1, char(pick(0x21, 0x7E)));
        if (pick(0, 3) == 0) f[4] = std::string(1, char(pick(0x21, 0x7E)));
        rows.emplace_back(f[0], f[1], f[2], f[3], f[4]);
    }
    t.AppendClauses(std::move(rows));
    return t;
}

// Every field filled, all four options on, tehtar above the following
// tengwa: the 825 clauses of the largest wizard run.
inline WizardFields FullTemplate() {
    WizardFields f;
    for (int i = 0; i < kTengwaFieldCount; ++i) f.txtRoman[size_t(i)] = "r" + std::to_string(i);
    for (int j = 0; j < kTehtaFieldCount; ++j) {
        f.txtTehta[size_t(j)] = "v" + std::to_string(j);
        f.txtLongCarrier[size_t(j)] = "L" + std::to_string(j);
    }
    f.optTehtaOrder = TehtaOrder::Following;
    f.chkShortCarrier = f.chkLongCarrier = f.chkSCurls = f.chkDoubleTengwar = kChecked;
    return f;
}

// The full template's clauses as a run of Add leaves them: reversed.
inline ModeTable FullTemplateMode() {
    std::vector<Clause> clauses = GenerateClauses(FullTemplate());
    std::vector<Clause> reversed(clauses.rbegin(), clauses.rend());
    ModeTable t;
    t.AppendClauses(std::move(reversed));
    return t;
}

}  // namespace vel::bench
