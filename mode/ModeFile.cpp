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

ModeFileContents ParseModeBytes(std::string_view bytes) {
    ModeFileContents out;
    out.records = int((bytes.size() + kRecordSize - 1) / kRecordSize);
    if (bytes.empty()) {
        out.failedRecord = 1;
        out.result = {kErrNoHeaderTab, "The file is empty, so it is not a mode file."};
        return out;
    }
    const std::string_view header = bytes.substr(0, kRecordSize);
    const size_t tab = header.find(kTab);
    if (tab == std::string_view::npos) {
        out.failedRecord = 1;
        out.result = {kErrNoHeaderTab, "Record 1 holds no TAB, so the file is not a mode file."};
        return out;
    }
    std::string_view comment = header.substr(0, tab);
    while (!comment.empty() && comment.back() == ' ') comment.remove_suffix(1);
    out.comment = std::string(comment);
    out.caseSensitive = ParseCaseDigit(header.substr(tab + 1));
    out.headerRead = true;

    out.clauses.reserve(size_t(std::max(out.records - 2, 0)));
    for (int record = 2; record <= out.records; ++record) {
        const std::string_view rec = bytes.substr(size_t(record - 1) * kRecordSize, kRecordSize);
        if (static_cast<unsigned char>(rec[0]) <= 9) {
            ++out.gaps;
            continue;
        }
        Clause clause;
        size_t start = 0;
        for (int c = 0; c < kColumnCount; ++c) {
            const size_t end = rec.find(kTab, start);
            if (end == std::string_view::npos) {
                out.failedRecord = record;
                out.result = {kErrClauseCut, "Record " + std::to_string(record) +
                                                 " is not a whole clause: it holds fewer than five TABs."};
                return out;
            }
            clause.fields[size_t(c)].assign(rec.data() + start, end - start);
            start = end + 1;
        }
        out.clauses.push_back(std::move(clause));
    }
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
        for (const std::string& field : clause.fields) {
            record += field;
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
            length += clause.fields[size_t(c)].size();
            if (clause.fields[size_t(c)].find(kTab) != std::string::npos)
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

    std::string bytes, error;
    if (!ReadFileBytes(strLoadName, bytes, error)) return {kErrOpenFailed, error};

    ModeFileContents contents = ParseModeBytes(bytes);
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
