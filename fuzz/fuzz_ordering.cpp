// The two orders: for any table, Optimize gives what a stable sort by
// CompareClauses gives, the alphabetical sort what a stable sort by the
// Roman bytes gives, and the cursor keeps its row number.
#include <algorithm>

#include "editing/Ordering.h"
#include "fuzz/FuzzSupport.h"

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    ModeTable table;
    std::vector<Clause> rows;
    while (!in.Empty()) {
        // Few letters and short texts, so ties and shared prefixes are common;
        // now and then a Roman text longer than the 16 bytes the sort keys hold.
        const uint8_t shape = in.Byte();
        std::string roman = in.Text(shape & 0x80 ? 40 : 4);
        for (char& c : roman) c = "ab\xE9\xFF"[static_cast<unsigned char>(c) & 3];
        if (shape & 0x40) roman.insert(0, 17, 'a');
        const auto filled = [shape](int k) { return std::string_view(shape & (1 << k) ? "x" : ""); };
        rows.emplace_back(roman, filled(0), filled(1), filled(2), filled(3));
    }
    table.AppendClauses(rows);
    const int cursor = table.ClauseCount() / 2;
    if (cursor > 0) table.SetCurrentRow(cursor);

    ModeTable optimized = table;
    OptimizeOrder(optimized);
    std::vector<Clause> expected = rows;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const Clause& a, const Clause& b) { return CompareClauses(a, b) < 0; });
    FUZZ_CHECK(optimized.Clauses() == expected);
    FUZZ_CHECK(optimized.CurrentRow() == table.CurrentRow());

    ModeTable sorted = table;
    AlphabeticalOrder(sorted);
    expected = rows;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const Clause& a, const Clause& b) { return a.Roman() < b.Roman(); });
    FUZZ_CHECK(sorted.Clauses() == expected);
    FUZZ_CHECK(sorted.CurrentRow() == table.CurrentRow());
    return 0;
}
