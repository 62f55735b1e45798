#include "mode/ModeFile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "mode/FileIO.h"
#include "mode/SaveCheck.h"

namespace vel {

namespace fs = std::filesystem;

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
class RecordParser {
public:
    explicit RecordParser(ModeFileContents& out) : out_(out) {}

    // False once a record fails; the contents then say where and why.
    bool Feed(std::string_view rec) {
        const int number = ++out_.records;
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
        out_.clauses.emplace_back(rec.substr(0, tabs[0]), rec.substr(tabs[0] + 1, tabs[1] - tabs[0] - 1),
                                  rec.substr(tabs[1] + 1, tabs[2] - tabs[1] - 1),
                                  rec.substr(tabs[2] + 1, tabs[3] - tabs[2] - 1),
                                  rec.substr(tabs[3] + 1, tabs[4] - tabs[3] - 1));
        return true;
    }

    // An empty file has no header at all.
    void Finish() {
        if (out_.records == 0) {
            out_.failedRecord = 1;
            out_.result = {kErrNoHeaderTab, "The file is empty, so it is not a mode file."};
        }
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
};

}  // namespace

ModeFileContents ParseModeBytes(std::string_view bytes) {
    ModeFileContents out;
    RecordParser parser(out);
    out.clauses.reserve(bytes.size() / kRecordSize);
    for (size_t pos = 0; pos < bytes.size(); pos += kRecordSize)
        if (!parser.Feed(bytes.substr(pos, kRecordSize))) break;
    parser.Finish();
    out.records = int((bytes.size() + kRecordSize - 1) / kRecordSize);
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
    contents = {};
    std::error_code ec;
    // Only a regular file (or a link to one) is a mode file; anything else
    // counts as missing, so nothing is cleared for it.
    if (path.empty() || !fs::is_regular_file(path, ec)) return contents.result = {kModeNoFile, {}};
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return contents.result = {kErrOpenFailed,
                                  "The file \"" + path + "\" could not be opened: " + SystemError(errno) + "."};

    RecordParser parser(contents);
    const auto size = fs::file_size(path, ec);
    // Room for an eighth more, so that the first Add or wizard run after a
    // load inserts in place instead of moving every clause to a new buffer.
    if (!ec) {
        const size_t records = size_t(size / kRecordSize);
        contents.clauses.reserve(records + records / 8 + 64);
    }
    // Whole records per chunk; a short last record is parsed as it is.
    std::string chunk(size_t(kRecordSize) * 2048, '\0');
    bool ok = true;
    while (ok && in) {
        in.read(chunk.data(), std::streamsize(chunk.size()));
        const size_t got = size_t(in.gcount());
        if (got == 0) break;
        for (size_t pos = 0; ok && pos < got; pos += kRecordSize)
            ok = parser.Feed(std::string_view(chunk.data() + pos, std::min<size_t>(kRecordSize, got - pos)));
    }
    if (ok && in.bad()) {
        contents.result = {kErrReadFailed, "The file \"" + path + "\" could not be read to its end."};
        ok = false;
    }
    if (ok) parser.Finish();
    return contents.result;
}

ModeResult LoadMode(ModeDocument& doc, const std::string& strLoadName, bool boolAppend) {
    ModeFileContents contents;
    const ModeResult result = ReadModeFile(strLoadName, contents);
    if (result.code == kModeNoFile) return result;
    // What was read before a failure stays, as the load would leave it.
    if (boolAppend)
        doc.ImportClauses(std::move(contents.clauses), result.ok());
    else
        doc.LoadClauses(std::move(contents.comment), contents.caseSensitive, contents.headerRead,
                        std::move(contents.clauses), result.ok());
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
