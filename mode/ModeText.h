#pragma once
// A mode as UTF-8 text, for version control and scripts. Line 1 is the
// comment, a TAB and the case digit; every further line is one clause's row
// text. Each byte is written as its Windows-1252 character, except the
// backslash, written \\, and the bytes below 0x20, 0x7F and the five
// undefined codes, written \xHH. Lines end with LF.
//
// Reading also takes what editors on other systems add: a UTF-8 byte-order
// mark before line 1, CR LF line ends (a CR right before an LF belongs to
// the line end; any other CR is the byte 13) and blank lines at the end.
#include <cstddef>
#include <string>
#include <string_view>

#include "mode/ModeTable.h"

namespace vel {

std::string ExportModeText(const ModeTable& table);
// Its lines one at a time, each with its LF, for a mode read in pieces.
std::string ExportHeaderLine(std::string_view comment, bool caseSensitive);
std::string ExportClauseLine(const Clause& clause);

// Fills table (comment, case flag, clauses) from text. On a bad line it
// returns false with a message that names the line, and leaves table as it
// was.
bool ImportModeText(std::string_view text, ModeTable& table, std::string& error);

// The same reading for a text that arrives in pieces (a file or a pipe), so
// a bad line ends the read without the rest being read or kept, and no line
// longer than kModeTextLineLimit is gathered.
class ModeTextReader {
public:
    // Takes the next piece, cut anywhere. False once a line is bad; later
    // pieces are then ignored.
    bool Feed(std::string_view piece);
    // The end of the text: false on a bad or missing line, else the mode
    // goes to table.
    bool Finish(ModeTable& table);
    // "Line N: ..." for the line that failed.
    const std::string& Error() const { return error_; }

private:
    bool TakeLine(std::string_view line, bool endedByLf);
    bool Fail(std::string message);

    ModeTable result_;
    std::string pending_;  // the start of a line whose end has not come yet
    size_t lineNo_ = 0;
    size_t firstBlank_ = 0;  // a blank line, allowed only if nothing follows it
    bool sawHeader_ = false;
    bool failed_ = false;
    std::string error_;
};

// Far longer than any line of a mode (31 bytes of fields written as \xHH).
inline constexpr size_t kModeTextLineLimit = 65536;

// One field's bytes in the text form, and back (false on a bad escape or a
// character the code page lacks).
std::string EscapeBytes(std::string_view bytes);
bool UnescapeText(std::string_view text, std::string& bytes, std::string& error);

}  // namespace vel
