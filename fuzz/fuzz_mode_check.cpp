// The mode check: for any mode, every finding names rows of the table (its
// own first), says something, and no row has more findings than there are
// kinds; the comment's findings name no row.
#include <map>

#include "check/CheckMode.h"
#include "fuzz/FuzzModes.h"

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    std::string text;
    ModeTable table = fuzz::FuzzMode(in, text);
    table.SetComment(text.substr(0, 40));
    std::map<int, int> perRow;
    for (const Finding& f : CheckMode(table)) {
        FUZZ_CHECK(!f.sentence.empty());
        for (int row : f.rows) FUZZ_CHECK(row >= 1 && row <= table.ClauseCount());
        ++perRow[f.rows.empty() ? 0 : f.rows.front()];
    }
    for (const auto& [row, count] : perRow) FUZZ_CHECK(count <= 5);
    return 0;
}
