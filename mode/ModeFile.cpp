#include "mode/ModeFile.h"

#include <algorithm>
#include <new>

#include "mode/FileIO.h"
#include "mode/SaveCheck.h"

namespace vel {

namespace {

// The record's text padded with spaces or cut to 36 bytes.
void AppendRecord(std::string& out, std::string_view text) {
    const size_t n = std::min<size_t>(text.size(), kRecordSize);
    out.append(text.data(), n);
    out.append(kRecordSize - n, ' ');
}

// The case flag: the decimal number after the header's TAB, blanks skipped.
// Only 1 turns it on, as the check box treats only 1 as ticked.
bool ParseCaseDigit(std::string_view rest) {
    size_t i = 0;
    long value = 0;
    bool any = false;
    while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t' || rest[i] == '\n')) ++i;
    while (i < rest.size()) {
        const char c = rest[i];
        if (c >= '0' && c <= '9') {
            any = true;
            value = value * 10 + (c - '0');
            if (value > 10) break;
        } else if (c != ' ' && c != '\t' && c != '\n') {
            break;
        }
        ++i;
    }
    return any && value == 1;
}

}  // namespace

std::string ModeResult::Message() const {
    return description + " (Error #" + std::to_string(code) + ".)";
}

namespace {

// Reads records one at a time, so a load needs no copy of the whole file.
// Each clause goes to the sink, which keeps it or hands it on.
template <class Sink>
class RecordParser {
public:
    RecordParser(ModeFileContents& out, Sink& sink) : out_(out), sink_(sink) {}

    // False once a record fails or the sink wants no more; the contents then
    // say where and why.
    bool Feed(std::string_view rec) {
        const int64_t number = ++out_.records;
        if (number == 1) return Header(rec);
        if (static_cast<unsigned char>(rec[0]) <= 9) {
            ++out_.gaps;
            return true;
        }
        // One pass over the record finds the five TABs.
        size_t tabs[kColumnCount];
        int found = 0;
        for (size_t i = 0; i < rec.size() && found < kColumnCount; ++i)
            if (rec[i] == kTab) tabs[found++] = i;
        if (found < kColumnCount) {
            out_.failedRecord = number;
            out_.result = {kErrClauseCut, "Record " + std::to_string(number) +
                                              " is not a whole clause: it holds fewer than five TABs."};
            return false;
        }
        if (out_.clauseCount >= kMaxClauses) return TooLarge();
        Clause clause(rec.substr(0, tabs[0]), rec.substr(tabs[0] + 1, tabs[1] - tabs[0] - 1),
                      rec.substr(tabs[1] + 1, tabs[2] - tabs[1] - 1), rec.substr(tabs[2] + 1, tabs[3] - tabs[2] - 1),
                      rec.substr(tabs[3] + 1, tabs[4] - tabs[3] - 1));
        const bool more = sink_(std::move(clause));  // a failed allocation skips the count
        ++out_.clauseCount;
        return more;
    }

    // An empty file has no header at all.
    void Finish() {
        if (out_.records == 0) {
            out_.failedRecord = 1;
            out_.result = {kErrNoHeaderTab, "The file is empty, so it is not a mode file."};
        }
    }

    // Memory ran out at the record being read: the ones before it stay.
    bool TooLarge() {
        out_.failedRecord = out_.records;
        out_.result = {kErrTooLarge, "The file is too large to load."};
        return false;
    }

private:
    bool Header(std::string_view header) {
        const size_t tab = header.find(kTab);
        if (tab == std::string_view::npos) {
            out_.failedRecord = 1;
            out_.result = {kErrNoHeaderTab, "Record 1 holds no TAB, so the file is not a mode file."};
            return false;
        }
        std::string_view comment = header.substr(0, tab);
        while (!comment.empty() && comment.back() == ' ') comment.remove_suffix(1);
        out_.comment = std::string(comment);
        out_.caseSensitive = ParseCaseDigit(header.substr(tab + 1));
        out_.headerRead = true;
        return true;
    }

    ModeFileContents& out_;
    Sink& sink_;
};

// Room for the file's records and an eighth more, so that the first Add or
// wizard run after a load inserts in place instead of moving every clause
// to a new buffer. Asked for only once a clause has been read (junk and a
// file of gaps take nothing), at most a few million clauses' worth, and
// given up quietly when memory is short: the vector then grows as it reads.
constexpr uint64_t kReserveLimit = uint64_t(1) << 22;

struct KeepClauses {
    std::vector<Clause>& clauses;
    uint64_t fileSize = 0;

    void Opened(uint64_t size) { fileSize = size; }
    // Takes the clause over: a copy would cost a second allocation for
    // every clause longer than the string's own buffer.
    bool operator()(Clause&& clause) {
        if (clauses.capacity() == 0) {
            const uint64_t records = fileSize / kRecordSize;
            try {
                clauses.reserve(size_t(std::min(records + records / 8 + 64, kReserveLimit)));
            } catch (const std::bad_alloc&) {
            }
        }
        clauses.push_back(std::move(clause));
        return true;
    }
};

struct HandOn {
    const ClauseSink& onClause;
    void Opened(uint64_t) {}
    bool operator()(const Clause& clause) { return onClause(clause); }
};

// Feeds whole records to the parser; a short last record is parsed as it
// is. Fills each chunk before parsing it, as a read may return less.
template <class Sink>
ModeResult ReadRecords(const std::string& path, ModeFileContents& contents, Sink& sink) {
    contents = {};
    InputFile in;
    std::string error;
    switch (in.Open(path, error)) {
    case OpenResult::Ok: break;
    case OpenResult::Missing:
    case OpenResult::NotRegular: return contents.result = {kModeNoFile, {}};
    case OpenResult::Failed: return contents.result = {kErrOpenFailed, error};
    }
    sink.Opened(in.Size());
    RecordParser<Sink> parser(contents, sink);
    std::vector<char> chunk(size_t(kRecordSize) * 2048);
    bool going = true, atEnd = false;
    try {
        while (going && !atEnd) {
            size_t got = 0;
            while (got < chunk.size()) {
                const std::ptrdiff_t n = in.Read(chunk.data() + got, chunk.size() - got, error);
                if (n < 0) {
                    contents.failedRecord = contents.records + 1;
                    contents.result = {kErrReadFailed, error};
                    going = false;
                    break;
                }
                if (n == 0) {
                    atEnd = true;
                    break;
                }
                got += size_t(n);
            }
            contents.size += got;
            for (size_t pos = 0; going && pos < got; pos += kRecordSize)
                going = parser.Feed(std::string_view(chunk.data() + pos, std::min<size_t>(kRecordSize, got - pos)));
        }
    } catch (const std::bad_alloc&) {
        parser.TooLarge();
    }
    if (!contents.result.ok()) {
        // The read stopped early: the file's own size says how much is left.
        contents.size = std::max<uint64_t>(contents.size, in.Size());
        contents.records =
            std::max<int64_t>(contents.records, int64_t((contents.size + kRecordSize - 1) / kRecordSize));
    } else if (atEnd) {
        parser.Finish();
    }
    return contents.result;
}

}  // namespace

ModeFileContents ParseModeBytes(std::string_view bytes) {
    ModeFileContents out;
    KeepClauses keep{out.clauses, bytes.size()};
    RecordParser<KeepClauses> parser(out, keep);
    try {
        for (size_t pos = 0; pos < bytes.size(); pos += kRecordSize)
            if (!parser.Feed(bytes.substr(pos, kRecordSize))) break;
    } catch (const std::bad_alloc&) {
        parser.TooLarge();
    }
    parser.Finish();
    out.size = bytes.size();
    out.records = int64_t((bytes.size() + kRecordSize - 1) / kRecordSize);
    return out;
}

std::string SerializeMode(const ModeTable& table) {
    std::string out;
    out.reserve(size_t(table.RowCount() + 1) * kRecordSize);
    AppendRecord(out, table.Comment() + kTab + (table.CaseSensitive() ? '1' : '0') + kTab);
    // Record 2 and every skipped record are gaps; a gap only reaches the file
    // when a later record is written, so trailing empty rows leave nothing.
    size_t pendingGaps = 1;
    std::string record;
    for (const Clause& clause : table.Clauses()) {
        record.clear();
        for (int c = 0; c < kColumnCount; ++c) {
            record += clause.Field(c);
            record += kTab;
        }
        if (record[0] == kTab) {
            ++pendingGaps;
            continue;
        }
        out.append(pendingGaps * kRecordSize, '\0');
        pendingGaps = 0;
        AppendRecord(out, record);
    }
    return out;
}

ModeResult ReadModeFile(const std::string& path, ModeFileContents& contents) {
    KeepClauses keep{contents.clauses};
    return ReadRecords(path, contents, keep);
}

ModeResult StreamModeFile(const std::string& path, ModeFileContents& contents, const ClauseSink& onClause) {
    HandOn hand{onClause};
    return ReadRecords(path, contents, hand);
}

ModeResult LoadMode(ModeDocument& doc, const std::string& strLoadName, bool boolAppend) {
    ModeFileContents contents;
    const ModeResult result = ReadModeFile(strLoadName, contents);
    if (result.code == kModeNoFile) return result;
    // What was read before a failure stays, as the load would leave it.
    try {
        if (boolAppend)
            doc.ImportClauses(std::move(contents.clauses), result.ok());
        else
            doc.LoadClauses(std::move(contents.comment), contents.caseSensitive, contents.headerRead,
                            std::move(contents.clauses), result.ok());
    } catch (const std::bad_alloc&) {
        // Appending to the mode found no room: the mode stays as it was.
        return {kErrTooLarge, "The file is too large to load."};
    }
    return result;
}

ModeResult WriteModeFile(const ModeTable& table, const std::string& path) {
    const std::vector<std::string> problems = FindUnsavableRows(table);
    if (!problems.empty()) {
        std::string text = "The mode was not saved, because it holds text that the mode file cannot keep:";
        const size_t shown = std::min<size_t>(problems.size(), 10);
        for (size_t i = 0; i < shown; ++i) text += "\n" + problems[i];
        if (problems.size() > shown) text += "\n... and " + std::to_string(problems.size() - shown) + " more.";
        return {kErrCannotSave, text};
    }
    std::string error;
    if (!WriteFileAtomically(path, SerializeMode(table), error)) return {kErrWriteFailed, error};
    return {kModeOk, {}};
}

ModeResult SaveMode(ModeDocument& doc, const std::string& strSaveName) {
    const ModeResult result = WriteModeFile(doc.Table(), strSaveName);
    if (result.ok()) doc.MarkSaved();
    return result;
}

}  // namespace vel
