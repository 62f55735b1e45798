#pragma once
// Numbers typed by users or read from templates, read and rounded the same
// way everywhere.
#include <string_view>

namespace vel {

// Reads a typed answer as a decimal number: blanks, tabs and line feeds
// anywhere are ignored; reading stops at the first character that cannot
// continue the number (sign, digits, one point, an exponent); no number at
// the start reads as 0. An exponent too large gives an infinity.
double ReadNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

}  // namespace vel
