// The text form's reader: any text is read or refused without a crash, the
// same whole as in pieces, and what it reads exports to a text that imports
// back to the same mode and exports again to the same text.
#include "fuzz/FuzzSupport.h"
#include "mode/ModeText.h"

using namespace vel;

namespace {

bool SameMode(const ModeTable& a, const ModeTable& b) {
    return a.Comment() == b.Comment() && a.CaseSensitive() == b.CaseSensitive() && a.Clauses() == b.Clauses();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ModeTable whole;
    std::string error;
    const bool ok = ImportModeText(text, whole, error);
    FUZZ_CHECK(ok == error.empty());

    // Pieces of 1 to 8 bytes, the sizes drawn from the text itself.
    ModeTextReader reader;
    size_t pos = 0, k = 0;
    while (pos < text.size()) {
        const size_t n =
            std::min<size_t>(1 + (static_cast<unsigned char>(text[k++ % text.size()]) & 7), text.size() - pos);
        if (!reader.Feed(text.substr(pos, n))) break;
        pos += n;
    }
    ModeTable pieces;
    const bool piecesOk = reader.Finish(pieces);
    FUZZ_CHECK(piecesOk == ok && reader.Error() == error);
    if (!ok) return 0;
    FUZZ_CHECK(SameMode(pieces, whole));
    for (const Clause& clause : whole.Clauses()) FUZZ_CHECK(!clause.Roman().empty());

    const std::string exported = ExportModeText(whole);
    ModeTable back;
    FUZZ_CHECK(ImportModeText(exported, back, error));
    FUZZ_CHECK(SameMode(back, whole));
    FUZZ_CHECK(ExportModeText(back) == exported);
    return 0;
}
