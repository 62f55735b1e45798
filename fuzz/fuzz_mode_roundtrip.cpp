// Load, save, load: whatever a mode file loads as, when the save check lets
// it be saved, saves to bytes that load back as the same mode and save
// again to the same bytes.
#include "fuzz/FuzzSupport.h"
#include "mode/ModeFile.h"
#include "mode/SaveCheck.h"

using namespace vel;

namespace {

// What LoadMode makes of the contents.
ModeTable TableOf(ModeFileContents contents) {
    ModeTable table;
    table.SetComment(contents.comment);
    table.SetCaseSensitive(contents.caseSensitive);
    table.AppendClauses(std::move(contents.clauses));
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ModeFileContents first = ParseModeBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first.headerRead) return 0;
    const ModeTable table = TableOf(first);
    if (!FindSaveProblems(table).empty()) return 0;

    const std::string saved = SerializeMode(table);
    FUZZ_CHECK(saved.size() % kRecordSize == 0);
    const ModeFileContents second = ParseModeBytes(saved);
    FUZZ_CHECK(second.result.ok());
    FUZZ_CHECK(second.comment == table.Comment() && second.caseSensitive == table.CaseSensitive());
    FUZZ_CHECK(second.clauses == table.Clauses());
    FUZZ_CHECK(SerializeMode(TableOf(second)) == saved);
    return 0;
}
