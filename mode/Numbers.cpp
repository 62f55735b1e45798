#include "mode/Numbers.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace vel {

double ReadNumber(std::string_view text) {
    std::string number;
    bool digits = false, point = false, exponent = false, expDigits = false;
    for (char ch : text) {
        if (ch == ' ' || ch == '\t' || ch == '\n') continue;
        const bool digit = ch >= '0' && ch <= '9';
        if (digit) {
            number += ch;
            (exponent ? expDigits : digits) = true;
        } else if ((ch == '+' || ch == '-') && (number.empty() || (exponent && number.back() == 'e'))) {
            number += ch;
        } else if (ch == '.' && !point && !exponent) {
            number += ch;
            point = true;
        } else if ((ch == 'e' || ch == 'E' || ch == 'd' || ch == 'D') && digits && !exponent) {
            number += 'e';
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits) return 0;
    // An exponent without digits does not belong to the number.
    if (exponent && !expDigits) number.erase(number.find('e'));
    return std::strtod(number.c_str(), nullptr);
}

double RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

}  // namespace vel
