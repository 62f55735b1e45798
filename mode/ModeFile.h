#pragma once
// The binary mode file (".mod"): 36-byte records, no line ends, no
// signature. Record 1 is the comment, TAB, case digit, TAB; record 2 is
// always a gap of zero bytes; table row r goes to record r + 2, or leaves a
// gap when its Roman field is empty. The transcriber reads these bytes, so
// the layout holds to the byte.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mode/Clause.h"
#include "mode/ModeDocument.h"

namespace vel {

inline constexpr int kRecordSize = 36;
// The longest clause that fits a record: 36 bytes less five TABs.
inline constexpr int kClauseTextLimit = kRecordSize - kColumnCount;

// Results as the callers count them: -1 is success, 0 means "no such file"
// (load only), and a positive code is a failure with a description.
inline constexpr int kModeOk = -1;
inline constexpr int kModeNoFile = 0;

enum ModeError : int {
    kErrOpenFailed = 1,      // the file exists but cannot be opened
    kErrReadFailed = 2,      // reading stopped part way
    kErrNoHeaderTab = 3,     // record 1 holds no TAB: not a mode file
    kErrClauseCut = 4,       // a clause record holds fewer than five TABs
    kErrTooLarge = 5,        // more clauses than memory or the table can hold
    kErrCannotSave = 10,     // a clause or the comment would not come back from the file
    kErrWriteFailed = 11,    // the file could not be written; the old one stays
};

struct ModeResult {
    int code = kModeOk;
    std::string description;

    bool ok() const { return code == kModeOk; }
    // "<description> (Error #<code>.)", the form of the load and save messages.
    std::string Message() const;
};

// The most clauses a table holds: its rows, the header included, are
// counted in int.
inline constexpr int64_t kMaxClauses = 2147483647 - 1;

// What a reader finds in a file's bytes.
struct ModeFileContents {
    std::string comment;
    bool caseSensitive = false;
    bool headerRead = false;      // record 1 held its TAB
    std::vector<Clause> clauses;  // in file order, up to a failing record
    uint64_t size = 0;            // bytes in the file
    int64_t records = 0;          // records in the file, a short last one included
    int64_t gaps = 0;             // records skipped as gaps (record 2 included)
    int64_t clauseCount = 0;      // clause records read, kept or handed on
    int64_t failedRecord = 0;     // record number where reading stopped; 0 when none
    ModeResult result;            // kModeOk or the failure
};

// Record 1 is checked before anything is allocated for the clauses, and an
// allocation that fails ends the read as kErrTooLarge ("The file is too
// large to load."), the clauses before that record kept: no input ends
// the program.
ModeFileContents ParseModeBytes(std::string_view bytes);

// The bytes SaveMode writes for a table, exactly.
std::string SerializeMode(const ModeTable& table);

// Reads a mode file record by record, as ParseModeBytes reads its bytes.
// kModeNoFile for an empty name, a missing file or a name that is not a
// regular file (a FIFO or a device is never opened for reading); otherwise
// kModeOk or the failure, with what was read before it in contents.
ModeResult ReadModeFile(const std::string& path, ModeFileContents& contents);

// As ReadModeFile, but each clause goes to onClause as soon as its record is
// read and none is kept (contents.clauses stays empty), so memory stays
// small whatever the file's size. onClause returning false ends the read
// early with kModeOk, contents counting the records read so far.
using ClauseSink = std::function<bool(const Clause&)>;
ModeResult StreamModeFile(const std::string& path, ModeFileContents& contents, const ClauseSink& onClause);

// Reads a mode file into the document. Without append the mode is cleared
// first (ClearMode) and takes the file's comment and case flag; with append
// the clauses go after the existing rows and the comment and flag stay.
// Empty name, missing file or not a regular file: kModeNoFile and nothing
// changes.
ModeResult LoadMode(ModeDocument& doc, const std::string& strLoadName, bool boolAppend = false);

// Writes a table: checks first that everything will come back; then
// writes a temporary file beside the target and puts it in place only when
// complete, so a failure leaves the old file as it was.
ModeResult WriteModeFile(const ModeTable& table, const std::string& path);

// Writes the document's table as WriteModeFile does; marks the
// document saved (boolChanged false) on success only.
ModeResult SaveMode(ModeDocument& doc, const std::string& strSaveName);

}  // namespace vel
