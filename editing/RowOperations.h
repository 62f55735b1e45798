#pragma once
// The pure part of the main window's row clipboard: clipboard text to clauses.
#include <string_view>
#include <vector>

#include "mode/Clause.h"

namespace vel {

// The clauses a clipboard text holds, in order. Text without a TAB holds
// none. Text without a line feed is one row text, taken whole. Otherwise each
// line that holds a TAB is one clause; a CR before the line feed is the line
// end, not part of a field.
std::vector<Clause> ClipboardClauses(std::string_view text);

}  // namespace vel
