#include "mode/ModeFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace vel {

namespace fs = std::filesystem;

namespace {

const char* const kFieldNames[kColumnCount] = {"Roman", "Tengwar", "If next roman", "If previous ID", "ID"};

// The record's text padded with spaces or cut to 36 bytes.
void AppendRecord(std::string& out, std::string_view text) {
    const size_t n = std::min<size_t>(text.size(), kRecordSize);
    out.append(text.data(), n);
    out.append(kRecordSize - n, ' ');
}

std::string SystemError(int err) {
    if (err == 0) return "unknown error";
    return std::strerror(err);
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

std::vector<std::string> FindUnsavableRows(const ModeTable& table) {
    std::vector<std::string> problems;
    const std::string& comment = table.Comment();
    if (comment.find(kTab) != std::string::npos)
        problems.push_back("The comment holds a TAB; a comment cannot hold one.");
    if (int(comment.size()) > kCommentLimit)
        problems.push_back("The comment is " + std::to_string(comment.size()) +
                           " characters long; a comment can hold at most " + std::to_string(kCommentLimit) + ".");
    const auto& rows = table.Clauses();
    for (size_t i = 0; i < rows.size(); ++i) {
        const Clause& clause = rows[i];
        if (clause.Roman().empty()) continue;  // saved as a gap, by design
        const std::string row = "Row " + std::to_string(i + 1);
        size_t length = 0;
        for (int c = 0; c < kColumnCount; ++c) {
            length += clause.FieldSize(c);
            if (clause.Field(c).find(kTab) != std::string_view::npos)
                problems.push_back(row + " holds a TAB in its " + kFieldNames[c] +
                                   " field; a field cannot hold one.");
        }
        const auto first = static_cast<unsigned char>(clause.Roman()[0]);
        if (first <= 9)
            problems.push_back(row + " begins with the character of code " + std::to_string(first) +
                               ", which the file would read as an empty record; a clause cannot begin "
                               "with a code below 10.");
        if (length > size_t(kClauseTextLimit))
            problems.push_back(row + " is " + std::to_string(length) +
                               " characters long; a clause can hold at most " + std::to_string(kClauseTextLimit) +
                               ".");
    }
    return problems;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        error = "\"" + path + "\" is a folder, not a file.";
        return false;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "The file \"" + path + "\" could not be opened: " + SystemError(errno) + ".";
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0) {
        error = "The file \"" + path + "\" could not be read.";
        return false;
    }
    bytes.resize(size_t(size));
    if (size > 0 && !in.read(bytes.data(), size)) {
        error = "The file \"" + path + "\" could not be read: " + SystemError(errno) + ".";
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    std::error_code ec;
    fs::path target(path);
    // Write through a link to the file it names, so the link stays a link.
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = resolved;
    }
    if (fs::is_directory(target, ec)) {
        error = "\"" + path + "\" is a folder; a mode cannot be saved in its place.";
        return false;
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, ec)) {
        error = "The folder \"" + folder.string() + "\" does not exist.";
        return false;
    }
    std::random_device rd;
    fs::path temp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder / ("." + target.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
        if (!fs::exists(temp, ec)) break;
    }
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "The file \"" + path + "\" could not be written: " + SystemError(errno) + ".";
            return false;
        }
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) {
            const int err = errno;
            out.close();
            fs::remove(temp, ec);
            error = "The file \"" + path + "\" could not be written: " + SystemError(err) + ".";
            return false;
        }
    }
    if (fs::exists(target, ec)) {
        // Keep the old file's permissions for the new one.
        const auto perms = fs::status(target, ec).permissions();
        if (!ec) fs::permissions(temp, perms, ec);
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        error = "The file \"" + path + "\" could not be replaced: " + ec.message() + ".";
        return false;
    }
    return true;
}

ModeResult LoadMode(ModeDocument& doc, const std::string& strLoadName, bool boolAppend) {
    std::error_code ec;
    if (strLoadName.empty() || !fs::exists(strLoadName, ec)) return {kModeNoFile, {}};
    if (!boolAppend) doc.ClearMode();

    if (fs::is_directory(strLoadName, ec))
        return {kErrOpenFailed, "\"" + strLoadName + "\" is a folder, not a file."};
    errno = 0;
    std::ifstream in(strLoadName, std::ios::binary);
    if (!in) return {kErrOpenFailed, "The file \"" + strLoadName + "\" could not be opened: " + SystemError(errno) + "."};

    ModeFileContents contents;
    RecordParser parser(contents);
    const auto size = fs::file_size(strLoadName, ec);
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
        contents.result = {kErrReadFailed, "The file \"" + strLoadName + "\" could not be read to its end."};
        ok = false;
    }
    if (ok) parser.Finish();

    ModeTable& table = doc.table;
    if (contents.headerRead && !boolAppend) {
        table.SetComment(contents.comment);
        table.SetCaseSensitive(contents.caseSensitive);
    }
    table.AppendClauses(std::move(contents.clauses));
    if (!contents.result.ok()) return contents.result;

    if (table.ClauseCount() > 0) table.SetCurrentRow(1);
    table.SetCurrentCol(0);
    table.SetSelectionEndCol(kColumnCount - 1);
    return {kModeOk, {}};
}

ModeResult SaveMode(ModeDocument& doc, const std::string& strSaveName) {
    const std::vector<std::string> problems = FindUnsavableRows(doc.table);
    if (!problems.empty()) {
        std::string text = "The mode was not saved, because it holds text that the mode file cannot keep:";
        const size_t shown = std::min<size_t>(problems.size(), 10);
        for (size_t i = 0; i < shown; ++i) text += "\n" + problems[i];
        if (problems.size() > shown)
            text += "\n... and " + std::to_string(problems.size() - shown) + " more.";
        return {kErrCannotSave, text};
    }
    std::string error;
    if (!WriteFileAtomically(strSaveName, SerializeMode(doc.table), error)) return {kErrWriteFailed, error};
    doc.boolChanged = false;
    return {kModeOk, {}};
}

}  // namespace vel
