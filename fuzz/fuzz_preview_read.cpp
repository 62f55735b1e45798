// The preview's reading: for any mode and text, the steps cover the text
// from start to end without gaps, each writes what its row's Tengwar field
// (or the character itself when no clause applied) says, the output is the
// steps' writing in order, and a rebuilt index reads the same.
#include "fuzz/FuzzModes.h"
#include "preview/Reading.h"

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    std::string text;
    const ModeTable table = fuzz::FuzzMode(in, text);
    const Transcription t = Transcribe(table, text);
    size_t at = 0;
    std::string written;
    for (const TraceStep& step : t.steps) {
        FUZZ_CHECK(step.start == at && step.length >= 1);
        FUZZ_CHECK(step.row >= 0 && step.row <= table.ClauseCount());
        if (step.row == 0)
            FUZZ_CHECK(step.length == 1 && step.written == text.substr(at, 1) && step.id.empty());
        else
            FUZZ_CHECK(step.written == table.ClauseAt(step.row).Tengwar() && step.id == table.ClauseAt(step.row).ID());
        at += step.length;
        written += step.written;
    }
    FUZZ_CHECK(at == text.size());
    FUZZ_CHECK(written == t.output);
    const ReadingIndex index = ReadingIndex::Build(table);
    FUZZ_CHECK(Transcribe(index, table, text).output == t.output);
    return 0;
}
