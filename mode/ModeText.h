#pragma once
// A mode as UTF-8 text, for version control and scripts. Line 1 is the
// comment, a TAB and the case digit; every further line is one clause's row
// text. Each byte is written as its Windows-1252 character, except the
// backslash, written \\, and the bytes below 0x20, 0x7F and the five
// undefined codes, written \xHH. Lines end with LF.
#include <string>
#include <string_view>

#include "mode/ModeTable.h"

namespace vel {

std::string ExportModeText(const ModeTable& table);

// Fills table (comment, case flag, clauses) from text. On a bad line it
// returns false with a message that names the line, and leaves table as it
// was.
bool ImportModeText(std::string_view text, ModeTable& table, std::string& error);

// One field's bytes in the text form, and back (false on a bad escape or a
// character the code page lacks).
std::string EscapeBytes(std::string_view bytes);
bool UnescapeText(std::string_view text, std::string& bytes, std::string& error);

}  // namespace vel
