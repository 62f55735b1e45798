// The mode file reader: any bytes read without a crash into contents that
// keep their invariants, and the file reader (which reads a chunk at a
// time) and the streaming reader find exactly what the in-memory parser
// finds.
#include "fuzz/FuzzSupport.h"
#include "mode/ModeFile.h"

using namespace vel;

namespace {

void CheckInvariants(const ModeFileContents& c, size_t size) {
    FUZZ_CHECK(c.size == size);
    FUZZ_CHECK(c.records == int64_t((size + kRecordSize - 1) / kRecordSize));
    FUZZ_CHECK(c.clauseCount == int64_t(c.clauses.size()));
    for (const Clause& clause : c.clauses) {
        FUZZ_CHECK(!clause.Roman().empty() && static_cast<unsigned char>(clause.Roman()[0]) > 9);
        FUZZ_CHECK(clause.TextSize() <= size_t(kClauseTextLimit));
        for (int col = 0; col < kColumnCount; ++col) FUZZ_CHECK(clause.Field(col).find(kTab) == std::string_view::npos);
    }
    FUZZ_CHECK(c.comment.size() < size_t(kRecordSize) && c.comment.find(kTab) == std::string::npos);
    if (c.result.ok()) {
        FUZZ_CHECK(c.headerRead && c.failedRecord == 0);
        FUZZ_CHECK(1 + c.gaps + c.clauseCount == c.records);
    } else {
        FUZZ_CHECK(c.result.code > 0 && !c.result.description.empty());
        FUZZ_CHECK(c.failedRecord >= 1 && c.failedRecord <= std::max<int64_t>(c.records, 1));
        // Every record before the failing one was the header, a gap or a clause.
        if (c.failedRecord > 1) FUZZ_CHECK(1 + c.gaps + c.clauseCount == c.failedRecord - 1);
        FUZZ_CHECK(c.headerRead == (c.failedRecord > 1));
    }
}

void CheckSame(const ModeFileContents& a, const ModeFileContents& b, bool sameClauses) {
    FUZZ_CHECK(a.comment == b.comment && a.caseSensitive == b.caseSensitive && a.headerRead == b.headerRead);
    FUZZ_CHECK(a.size == b.size && a.records == b.records && a.gaps == b.gaps);
    FUZZ_CHECK(a.clauseCount == b.clauseCount && a.failedRecord == b.failedRecord);
    FUZZ_CHECK(a.result.code == b.result.code && a.result.description == b.result.description);
    if (sameClauses) FUZZ_CHECK(a.clauses == b.clauses);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ModeFileContents parsed = ParseModeBytes(bytes);
    CheckInvariants(parsed, size);

    const std::string path = fuzz::ScratchFile(bytes);
    ModeFileContents read;
    ReadModeFile(path, read);
    CheckSame(read, parsed, true);

    std::vector<Clause> handed;
    ModeFileContents streamed;
    StreamModeFile(path, streamed, [&](const Clause& c) {
        handed.push_back(c);
        return true;
    });
    CheckSame(streamed, parsed, false);
    FUZZ_CHECK(streamed.clauses.empty() && handed == parsed.clauses);
    return 0;
}
