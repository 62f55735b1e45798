// The row text: any text splits without a crash into five TAB-free fields
// that join back to the text up to its fifth TAB, and five TAB-free fields
// join and split back to themselves.
#include "fuzz/FuzzSupport.h"
#include "mode/Clause.h"

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Clause clause = ParseRowText(text);
    for (int col = 0; col < kColumnCount; ++col) FUZZ_CHECK(clause.Field(col).find(kTab) == std::string_view::npos);
    size_t cut = 0;
    int tabs = 0;
    while (cut < text.size() && !(text[cut] == kTab && ++tabs == kColumnCount)) ++cut;
    // Fewer than five fields leave the rest empty, which join as TABs.
    std::string expected(text.substr(0, cut));
    for (int t = std::min(tabs, kColumnCount - 1); t < kColumnCount - 1; ++t) expected += kTab;
    FUZZ_CHECK(RowText(clause) == expected);

    fuzz::Bytes in(data, size);
    std::string fields[kColumnCount];
    for (std::string& f : fields) {
        f = in.Text(20);
        std::erase(f, kTab);
    }
    const Clause made(fields[0], fields[1], fields[2], fields[3], fields[4]);
    FUZZ_CHECK(ParseRowText(RowText(made)) == made);
    for (int col = 0; col < kColumnCount; ++col) FUZZ_CHECK(made.Field(col) == fields[col]);
    return 0;
}
