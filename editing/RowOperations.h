#pragma once
// The pure parts of the main window's row commands: reading the typed row
// number, rounding it, and turning clipboard text into clauses.
#include <string_view>
#include <vector>

#include "mode/Clause.h"

namespace vel {

// Reads a typed answer as a decimal number: blanks, tabs and line feeds
// anywhere are ignored; reading stops at the first character that cannot
// continue the number (sign, digits, one point, an exponent); no number at
// the start reads as 0. An exponent too large gives an infinity.
double ReadNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// The clauses a clipboard text holds, in order. Text without a TAB holds
// none. Text without a line feed is one row text, taken whole. Otherwise each
// line that holds a TAB is one clause; a CR before the line feed is the line
// end, not part of a field.
std::vector<Clause> ClipboardClauses(std::string_view text);

}  // namespace vel
