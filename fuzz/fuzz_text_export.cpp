// Export then import: a mode with any bytes in its comment and fields (a
// clause needs Roman letters) comes back from its text form unchanged.
#include "fuzz/FuzzSupport.h"
#include "mode/ModeText.h"

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    ModeTable table;
    table.SetComment(in.Text(40));
    table.SetCaseSensitive(in.Byte() & 1);
    while (!in.Empty()) {
        std::string fields[kColumnCount];
        for (std::string& f : fields) f = in.Text(16);
        if (fields[0].empty()) fields[0].push_back('a');
        table.AppendClause(Clause(fields[0], fields[1], fields[2], fields[3], fields[4]));
    }
    const std::string text = ExportModeText(table);
    FUZZ_CHECK(text.find('\r') == std::string::npos);
    ModeTable back;
    std::string error;
    FUZZ_CHECK(ImportModeText(text, back, error));
    FUZZ_CHECK(back.Comment() == table.Comment() && back.CaseSensitive() == table.CaseSensitive());
    FUZZ_CHECK(back.Clauses() == table.Clauses());
    return 0;
}
