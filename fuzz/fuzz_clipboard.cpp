// The row clipboard: any text pastes without a crash into clauses whose
// fields hold no TAB, and a clause copied from the window (its row text)
// pastes back unchanged, the one documented exception aside.
#include <algorithm>

#include "editing/RowOperations.h"
#include "fuzz/FuzzSupport.h"

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<Clause> pasted = ClipboardClauses(text);
    if (text.find(kTab) == std::string_view::npos) FUZZ_CHECK(pasted.empty());
    FUZZ_CHECK(pasted.size() <= size_t(std::count(text.begin(), text.end(), '\n')) + 1);
    for (const Clause& c : pasted)
        for (int col = 0; col < kColumnCount; ++col) FUZZ_CHECK(c.Field(col).find(kTab) == std::string_view::npos);

    // A clause as the window holds one: no TAB, the three condition and ID
    // fields one character at most; an ID that is a line feed itself is the
    // exception the rule names.
    fuzz::Bytes in(data, size);
    std::string fields[kColumnCount];
    for (int col = 0; col < kColumnCount; ++col) {
        fields[col] = in.Text(col < ColIfNextRoman ? 14 : 1);
        std::replace(fields[col].begin(), fields[col].end(), kTab, ' ');
    }
    if (fields[ColID] == "\n") fields[ColID].clear();
    const Clause copied(fields[0], fields[1], fields[2], fields[3], fields[4]);
    const std::vector<Clause> back = ClipboardClauses(RowText(copied));
    FUZZ_CHECK(back.size() == 1 && back[0] == copied);
    return 0;
}
