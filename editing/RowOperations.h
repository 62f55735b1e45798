#pragma once
// The pure part of the main window's row clipboard: clipboard text to clauses.
#include <string_view>
#include <vector>

#include "mode/Clause.h"

namespace vel {

// The clauses a clipboard text holds, in order. Copy puts one clause there
// as its row text (five fields, four TABs, no line end), and other programs
// put rows of TAB-separated lines; this tells the two apart:
//
// 1. Text without a TAB holds none.
// 2. One line end at the very end of the text (LF or CR LF) is dropped: it
//    ends the last row another program copied.
// 3. What is left is one row text, taken whole, when it holds no LF, or when
//    it holds exactly four TABs and so read its If next roman, If previous
//    ID and ID fields keep to one character each, as clauses do. Bytes 10
//    and 13 inside it then belong to the fields, so a copied clause comes
//    back whatever its fields hold: the marker (13) and a line feed (10)
//    included. The one exception is an ID that is a line feed itself: rule
//    2 takes it for the line end and the ID comes back empty.
// 4. Otherwise each line that holds a TAB is one clause; a CR before the LF
//    is the line end, not part of a field.
std::vector<Clause> ClipboardClauses(std::string_view text);

}  // namespace vel
